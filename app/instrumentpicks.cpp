#include "instrumentpicks.h"

#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/indexlist.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "models/filterrecordsmodel.h"
#include "models/tablemodel.h"

#include <QSet>

namespace {
const QString Key = QStringLiteral("picks");
} // namespace

InstrumentPicks::InstrumentPicks(Table* securities, QObject* parent)
    : QObject(parent)
    , m_noRows(std::make_unique<IndexList>(securities, false))
    , m_cells(new TableModel(m_noRows.get(), this))
    , m_model(new FilterRecordsModel(m_cells, this))
{
    StandardColumnDelegates::install(m_cells, securities->name());
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &InstrumentPicks::onModelChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &InstrumentPicks::onModelChanged);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &InstrumentPicks::onModelChanged);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &InstrumentPicks::onModelChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, &InstrumentPicks::onModelChanged);
}

InstrumentPicks::~InstrumentPicks() = default;

void InstrumentPicks::add(const QList<Record>& instruments)
{
    for (const Record& instrument : instruments)
        m_model->add(instrument);
}

void InstrumentPicks::remove(const QList<Record>& instruments)
{
    for (const Record& instrument : instruments)
        m_model->remove(instrument);
}

bool InstrumentPicks::contains(const Record& instrument) const
{
    return m_model->contains(instrument);
}

QStringList InstrumentPicks::keys() const
{
    return m_model->toTextList();
}

void InstrumentPicks::onModelChanged()
{
    if (!m_settingKeys)
        Q_EMIT changed();
}

void InstrumentPicks::setKeys(const QStringList& keys)
{
    QStringList current = m_model->toTextList();
    if (keys == current)
        return;
    m_settingKeys = true;
    if (QSet<QString>(keys.begin(), keys.end()) == QSet<QString>(current.begin(), current.end())
        && keys.size() == current.size()) {
        // Row by row from the top: the instrument meant for row i comes up from below it.
        for (int row = 0; row < keys.size(); ++row) {
            const int from = current.indexOf(keys.at(row), row);
            if (from != row) {
                m_model->move(from, from, row);
                current.move(from, row);
            }
        }
    } else {
        m_model->fromTextList(keys);
    }
    m_settingKeys = false;
    Q_EMIT changed();
}

void InstrumentPicks::store(Settings& settings) const
{
    settings.setValue(Key, keys());
}

void InstrumentPicks::restore(const Settings& settings)
{
    if (m_model->rowCount() == 0)
        setKeys(settings.value(Key).toStringList());
}
