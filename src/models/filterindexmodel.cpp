#include "models/filterindexmodel.h"

#include "core/db/indexiterative.h"
#include "filters/nofilterfunc.h"
#include "filters/rowfiltersmodel.h"

#include <QFont>

FilterIndexModel::FilterIndexModel(Table* table, QObject* parent)
    : ItemIndexModel(table, parent)
{
    setup();
}

FilterIndexModel::FilterIndexModel(IndexDependBase* depend, QObject* parent)
    : ItemIndexModel(depend, parent)
{
    setup();
}

FilterIndexModel::FilterIndexModel(Table* table, QAbstractItemModelPrivate& dd, QObject* parent)
    : ItemIndexModel(table, dd, parent)
{
    setup();
}

FilterIndexModel::FilterIndexModel(IndexDependBase* depend, QAbstractItemModelPrivate& dd, QObject* parent)
    : ItemIndexModel(depend, dd, parent)
{
    setup();
}

FilterIndexModel::~FilterIndexModel()
{
    delete m_filterFunc;
}

void FilterIndexModel::setup()
{
    m_filterFunc = new NoFilterFunc;
    m_buildNumber = 0;
    setFilters(new RowFiltersModel(this, this));
}

void FilterIndexModel::setFilters(RowFiltersModel* filters)
{
    if (m_filters) {
        disconnect(m_filters, &RowFiltersModel::filterChanged, this, &FilterIndexModel::filterChanged);
        disconnect(m_filters, &RowFiltersModel::filterEnabled, this, &FilterIndexModel::filterEnabled);
        disconnect(m_filters, &RowFiltersModel::filterAsincChanged, this, &FilterIndexModel::filterAsincChanged);
        disconnect(m_filters, &RowFiltersModel::filtersChanged, this, &FilterIndexModel::onFiltersChanged);
        disconnect(m_filters, &QAbstractItemModel::modelReset, this, &FilterIndexModel::onModelReset);
    }
    m_filters = filters;
    if (m_filters) {
        connect(m_filters, &RowFiltersModel::filterChanged, this, &FilterIndexModel::filterChanged);
        connect(m_filters, &RowFiltersModel::filterEnabled, this, &FilterIndexModel::filterEnabled);
        connect(m_filters, &RowFiltersModel::filterAsincChanged, this, &FilterIndexModel::filterAsincChanged);
        connect(m_filters, &RowFiltersModel::filtersChanged, this, &FilterIndexModel::onFiltersChanged);
        connect(m_filters, &QAbstractItemModel::modelReset, this, &FilterIndexModel::onModelReset);
    }
}

void FilterIndexModel::setFilterFunc(FilterFunc* function)
{
    if (function == m_filterFunc)
        return;
    delete m_filterFunc;
    m_filterFunc = function;
    if (m_filterFunc)
        m_filterFunc->setParent(nullptr); // owned here, not by the filter set
}

bool FilterIndexModel::filter(const Record& record) const
{
    if (m_filters && m_filterFunc && !m_filterFunc->filter(record))
        return false;
    // Over another model, a record is a candidate only while that model shows it: the owner decides with the
    // same values (old ones while a batch is analysed, new ones after), as it does for itself.
    const Index* owner = dependencyOwner();
    return !owner || owner->filter(record);
}

bool FilterIndexModel::filterReadsFields(int first, int last) const
{
    if (dependencyOwner())
        return true;
    return m_filters && m_filterFunc && m_filterFunc->readsFields(first, last);
}

void FilterIndexModel::startBuild()
{
    dropScheduledBuild();
    if (m_filters)
        setFilterFunc(m_filters->createFilterFunc());
    ++m_buildNumber;
}

void FilterIndexModel::build()
{
    startBuild();
    beginResetModel();
    const bool blocked = blockSignals(true);
    if (source()) {
        for (const Record& r : *source()) {
            if (filter(r))
                add(r);
        }
    }
    blockSignals(blocked);
    endResetModel();
}

void FilterIndexModel::read(const Settings& settings)
{
    if (!m_filters)
        return;
    {
        const QSignalBlocker quiet(m_filters);
        m_filters->read(settings);
    }
    setFilterFunc(m_filters->createFilterFunc());
}

void FilterIndexModel::write(Settings& settings) const
{
    if (m_filters)
        m_filters->write(settings);
}

QString FilterIndexModel::getClassName() const
{
    return QStringLiteral("FilterIndexModel");
}

QVariant FilterIndexModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0 || section >= (orientation == Qt::Horizontal ? columnCount() : rowCount()))
        return QVariant();
    if (role != Qt::FontRole)
        return ItemModelWithDelegates::headerData(section, orientation, role);
    const QVariant value = orientation == Qt::Horizontal ? columnData(section, role)
                                                         : QAbstractItemModel::headerData(section, orientation, role);
    QFont font = value.canConvert<QFont>() ? value.value<QFont>() : QFont();
    if (orientation == Qt::Horizontal && m_filters && m_filters->isFilterEnabledForColumn(section))
        font.setBold(true);
    return font;
}

void FilterIndexModel::filterEnabled(int, bool)
{
    rebuild();
}

void FilterIndexModel::filterChanged(int)
{
    rebuild();
}

void FilterIndexModel::filterAsincChanged(int)
{
    rebuild();
}

void FilterIndexModel::onFiltersChanged()
{
    rebuild();
}

void FilterIndexModel::onModelReset()
{
    rebuild();
}
