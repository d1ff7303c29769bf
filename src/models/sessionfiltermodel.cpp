#include "models/sessionfiltermodel.h"

#include "core/db/settings.h"
#include "core/db/table.h"
#include "core/host/filters/filterfunc.h"
#include "core/host/filters/securitiessessionfilter.h"

namespace SessionFilterModelNamespace {

namespace {
const QString SettingsKey = QStringLiteral("onlyCurrSession");
} // namespace

SessionFilterModelHelper::SessionFilterModelHelper(Table* table, QObject* parent)
    : QObject(parent)
{
    const int stock = table ? table->columnIndex(QStringLiteral("stock_id")) : -1;
    const int session = table ? table->columnIndex(QStringLiteral("sess_id")) : -1;
    if (stock < 0 || session < 0)
        return;
    // The filter follows the sessions by itself and says so; the predicate is remade from it.
    m_sessions = new SecuritiesSessionFilter(*table, session, { stock, session }, -1, this);
    connect(m_sessions, &Filter::asincChanged, this, [this] {
        updateSessionsFilter();
        Q_EMIT filterUpdated();
    });
    updateSessionsFilter();
}

SessionFilterModelHelper::~SessionFilterModelHelper() = default;

bool SessionFilterModelHelper::setEnabled(bool enabled)
{
    enabled = enabled && isAvailable();
    if (enabled == m_enabled)
        return false;
    m_enabled = enabled;
    return true;
}

bool SessionFilterModelHelper::passes(const Record& record) const
{
    return !m_enabled || !m_predicate || m_predicate->filter(record);
}

bool SessionFilterModelHelper::read(const Settings& settings)
{
    return setEnabled(settings.value(SettingsKey, false).toBool());
}

void SessionFilterModelHelper::write(Settings& settings) const
{
    settings.setValue(SettingsKey, m_enabled);
}

void SessionFilterModelHelper::updateSessionsFilter()
{
    if (!m_sessions)
        return;
    // Replaced, never changed: the old predicate goes once the new one is in place.
    FilterFunc* old = m_predicate;
    m_predicate = m_sessions->createFilterFunc(this);
    delete old;
}

} // namespace SessionFilterModelNamespace
