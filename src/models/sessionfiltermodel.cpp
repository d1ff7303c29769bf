#include "models/sessionfiltermodel.h"

#include "models/private/sessionfiltermodel_p.h"

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
    , m_d(new SessionFilterModelHelperPrivate)
{
    const int stock = table ? table->columnIndex(QStringLiteral("stock_id")) : -1;
    const int session = table ? table->columnIndex(QStringLiteral("sess_id")) : -1;
    if (stock < 0 || session < 0)
        return;
    // The filter follows the sessions by itself and says so; the predicate is remade from it.
    m_d->sessions = new SecuritiesSessionFilter(*table, session, { stock, session }, -1, this);
    connect(m_d->sessions, &Filter::asincChanged, this, [this] {
        updateSessionsFilter();
        Q_EMIT filterUpdated();
    });
    updateSessionsFilter();
}

bool SessionFilterModelHelper::isAvailable() const
{
    return m_d->sessions != nullptr;
}

bool SessionFilterModelHelper::isEnabled() const
{
    return m_d->enabled;
}

SessionFilterModelHelper::~SessionFilterModelHelper() = default;

bool SessionFilterModelHelper::setEnabled(bool enabled)
{
    enabled = enabled && isAvailable();
    if (enabled == m_d->enabled)
        return false;
    m_d->enabled = enabled;
    return true;
}

bool SessionFilterModelHelper::passes(const Record& record) const
{
    return !m_d->enabled || !m_d->predicate || m_d->predicate->filter(record);
}

bool SessionFilterModelHelper::read(const Settings& settings)
{
    return setEnabled(settings.value(SettingsKey, false).toBool());
}

void SessionFilterModelHelper::write(Settings& settings) const
{
    settings.setValue(SettingsKey, m_d->enabled);
}

void SessionFilterModelHelper::updateSessionsFilter()
{
    if (!m_d->sessions)
        return;
    // Replaced, never changed: the old predicate goes once the new one is in place.
    FilterFunc* old = m_d->predicate;
    m_d->predicate = m_d->sessions->createFilterFunc(this);
    delete old;
}

} // namespace SessionFilterModelNamespace
