#include "views/headersettings/tableheadermodel.h"

#include "columns/itemmodelwithdelegates.h"
#include "columns/itemroles.h"
#include "core/db/settings.h"
#include "views/headersettings/private/tableheadermimedata.h"
#include "views/headersettings/private/tableheadermodel_p.h"

#include <QGuiApplication>
#include <QSet>

namespace {

const QString AllColumns = QStringLiteral("all_columns");
const QString ColumnsGroup = QStringLiteral("Columns/");
const QString Visible = QStringLiteral(".visible");

using Entry = TableHeaderModelPrivate::Entry;

} // namespace

TableHeaderModel::TableHeaderModel(ItemModelWithDelegates* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new TableHeaderModelPrivate)
{
    Q_D(TableHeaderModel);
    d->source = source;
    init();
}

TableHeaderModel::TableHeaderModel(ItemModelWithDelegates* source, const QList<int>& sections, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new TableHeaderModelPrivate)
{
    Q_D(TableHeaderModel);
    d->source = source;
    d->offered = sections;
    init();
}

TableHeaderModel::TableHeaderModel(ItemModelWithDelegates* source, const QStringList& names, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new TableHeaderModelPrivate)
{
    Q_D(TableHeaderModel);
    d->source = source;
    for (const QString& name : names) {
        const int section = source ? source->columnIndex(name) : -1;
        if (section >= 0)
            d->offered << section;
    }
    // Names the model lacks all: nothing is offered rather than everything.
    if (d->offered.isEmpty() && !names.isEmpty())
        d->offered << -1;
    init();
}

TableHeaderModel::TableHeaderModel(ItemModelWithDelegates* source, Qt::Orientation orientation, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new TableHeaderModelPrivate)
{
    Q_D(TableHeaderModel);
    d->source = source;
    d->firstColumnEnabled = false;
    d->orientation = orientation;
    init();
}

TableHeaderModel::~TableHeaderModel() = default;

ItemModelWithDelegates* TableHeaderModel::sourceModel() const
{
    Q_D(const TableHeaderModel);
    return d->source;
}

bool TableHeaderModel::isFirstColumnLocked() const
{
    Q_D(const TableHeaderModel);
    return d->firstColumnLocked;
}

void TableHeaderModel::init()
{
    Q_D(TableHeaderModel);
    // A nameless first section is the model's own (a tree's expander column): not the user's to move.
    d->skipFirstSection = d->source && sourceCount() > 0 && sourceHeader(0, Qt::DisplayRole).toString().isEmpty();
    setProperty("firstColumnLocked", d->firstColumnLocked);
    clear();
}

int TableHeaderModel::sourceCount() const
{
    Q_D(const TableHeaderModel);
    if (!d->source)
        return 0;
    return d->orientation == Qt::Horizontal ? d->source->columnCount() : d->source->rowCount();
}

QVariant TableHeaderModel::sourceHeader(int section, int role) const
{
    Q_D(const TableHeaderModel);
    return d->source ? d->source->headerData(section, d->orientation, role) : QVariant();
}

QString TableHeaderModel::nameOf(int section) const
{
    return sourceHeader(section, ColumnNameRole).toString();
}

int TableHeaderModel::sectionAt(int row) const
{
    Q_D(const TableHeaderModel);
    return row >= 0 && row < d->entries.size() ? d->entries.at(row).section : -1;
}

bool TableHeaderModel::isChecked(int row) const
{
    Q_D(const TableHeaderModel);
    return row >= 0 && row < d->entries.size() && d->entries.at(row).checked;
}

bool TableHeaderModel::filterColumn(int section) const
{
    Q_D(const TableHeaderModel);
    if (section == 0 && d->skipFirstSection)
        return false;
    if (!d->offered.isEmpty() && !d->offered.contains(section))
        return false;
    return !sourceHeader(section, ColumnHiddenRole).toBool();
}

void TableHeaderModel::clear()
{
    Q_D(TableHeaderModel);
    beginResetModel();
    d->entries.clear();
    for (int section = 0; section < sourceCount(); ++section) {
        if (filterColumn(section))
            d->entries.append({ sourceHeader(section, ColumnVisibleRole).toBool(), section });
    }
    endResetModel();
    if (d->firstColumnLocked)
        resetFirstColumn();
}

void TableHeaderModel::read(const Settings& settings)
{
    Q_D(TableHeaderModel);
    if (!settings.contains(AllColumns)) {
        clear();
        return;
    }
    beginResetModel();
    d->entries.clear();
    QHash<QString, int> byName;
    for (int section = 0; section < sourceCount(); ++section) {
        if (filterColumn(section))
            byName.insert(nameOf(section), section);
    }
    QSet<int> listed;
    for (const QString& name : settings.value(AllColumns).toStringList()) {
        const int section = byName.value(name, -1);
        if (section < 0 || listed.contains(section))
            continue;
        listed.insert(section);
        d->entries.append({ settings.value(ColumnsGroup + name + Visible, false).toBool(), section });
    }
    for (int section = 0; section < sourceCount(); ++section) {
        if (filterColumn(section) && !listed.contains(section))
            d->entries.append({ false, section });
    }
    endResetModel();
    if (d->firstColumnLocked)
        resetFirstColumn();
}

void TableHeaderModel::write(Settings& settings) const
{
    Q_D(const TableHeaderModel);
    QStringList names;
    QSet<int> listed;
    for (const Entry& entry : d->entries) {
        const QString name = nameOf(entry.section);
        if (name.isEmpty())
            continue;
        settings.setValue(ColumnsGroup + name + Visible, entry.checked);
        names << name;
        listed.insert(entry.section);
    }
    for (int section = 0; section < sourceCount(); ++section) {
        const QString name = nameOf(section);
        if (!listed.contains(section) && !name.isEmpty())
            names << name;
    }
    settings.setValue(AllColumns, names);
}

void TableHeaderModel::setFirstColumnLocked(bool locked)
{
    Q_D(TableHeaderModel);
    d->firstColumnLocked = locked;
    setProperty("firstColumnLocked", locked);
    if (locked)
        resetFirstColumn();
    if (!d->entries.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(d->entries.size() - 1, ColumnCount - 1));
}

void TableHeaderModel::setFirstColumnIndex(int section)
{
    Q_D(TableHeaderModel);
    d->firstColumn = section;
    if (d->firstColumnLocked)
        resetFirstColumn();
}

void TableHeaderModel::setFirstColumnEnabled(bool enabled)
{
    Q_D(TableHeaderModel);
    d->firstColumnEnabled = enabled;
    if (!d->entries.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(d->entries.size() - 1, ColumnCount - 1));
}

void TableHeaderModel::resetFirstColumn()
{
    Q_D(TableHeaderModel);
    for (int row = 1; row < d->entries.size(); ++row) {
        if (d->entries.at(row).section == d->firstColumn) {
            beginMoveRows(QModelIndex(), row, row, QModelIndex(), 0);
            d->entries.move(row, 0);
            endMoveRows();
            return;
        }
    }
}

void TableHeaderModel::reorder(const QVector<int>& sections)
{
    Q_D(TableHeaderModel);
    // Row i is settled before row i + 1: every entry out of place moves up to its row, one move each.
    for (int row = 0; row < sections.size(); ++row) {
        int from = row;
        while (from < d->entries.size() && d->entries.at(from).section != sections.at(row))
            ++from;
        if (from == row || from == d->entries.size())
            continue;
        beginMoveRows(QModelIndex(), from, from, QModelIndex(), row);
        d->entries.move(from, row);
        endMoveRows();
    }
    if (d->firstColumnLocked)
        resetFirstColumn();
}

void TableHeaderModel::move(int first, int last, int to)
{
    Q_D(TableHeaderModel);
    if (first < 0 || last < first || last >= d->entries.size() || to == first || to == last)
        return;
    QVector<int> block;
    QVector<int> others;
    for (int row = 0; row < d->entries.size(); ++row)
        (row >= first && row <= last ? block : others) << d->entries.at(row).section;
    // Past the block the rows land after the row `to` names.
    const int at = to < first ? to : qMin(to - int(block.size()) + 1, int(others.size()));
    QVector<int> order = others.mid(0, at) + block + others.mid(at);
    reorder(order);
}

int TableHeaderModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const TableHeaderModel);
    return parent.isValid() ? 0 : d->entries.size();
}

int TableHeaderModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TableHeaderModel::data(const QModelIndex& index, int role) const
{
    Q_D(const TableHeaderModel);
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Entry& entry = d->entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case TitleColumn:
            return sourceHeader(entry.section, role == Qt::EditRole ? Qt::EditRole : Qt::DisplayRole);
        case NameColumn:
            return nameOf(entry.section);
        case TypeColumn:
            return sourceHeader(entry.section, ColumnTypeNameRole);
        case DescriptionColumn:
            return sourceHeader(entry.section, ColumnDescriptionRole);
        case FirstNameColumn: {
            const QString first = sourceHeader(entry.section, ColumnFirstNameRole).toString();
            return first.isEmpty() ? nameOf(entry.section) : first;
        }
        case NumberColumn:
            return entry.section;
        }
        return QVariant();
    case Qt::CheckStateRole:
        return index.column() == TitleColumn ? QVariant(entry.checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::FontRole:
        return sourceHeader(entry.section, Qt::FontRole);
    }
    return QVariant();
}

bool TableHeaderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Q_D(TableHeaderModel);
    // A view that "clears" dragged cells after a move sends empty values: the check boxes keep theirs.
    if (role != Qt::CheckStateRole || index.column() != TitleColumn || !value.isValid()
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    d->entries[index.row()].checked = value.toInt() == Qt::Checked;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

Qt::ItemFlags TableHeaderModel::flags(const QModelIndex& index) const
{
    Q_D(const TableHeaderModel);
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    if (index.row() == 0 && d->firstColumnLocked) {
        if (!d->firstColumnEnabled)
            return Qt::ItemIsUserCheckable;
        return index.column() == TitleColumn ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::ItemIsEnabled;
    }
    const Qt::ItemFlags movable = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    switch (index.column()) {
    case TitleColumn:
        return movable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    case NameColumn:
    case TypeColumn:
    case DescriptionColumn:
        return sourceHeader(d->entries.at(index.row()).section, ColumnVisibleRole).toBool()
            ? movable | Qt::ItemIsEnabled
            : movable;
    }
    return movable | Qt::ItemIsEnabled;
}

QVariant TableHeaderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case TitleColumn:
        return tr("Столбец");
    case NameColumn:
        return tr("Идентификатор");
    case TypeColumn:
        return tr("Тип");
    case DescriptionColumn:
        return tr("Описание");
    case FirstNameColumn:
        return tr("Первое имя");
    case NumberColumn:
        return tr("Номер");
    }
    return QVariant();
}

QStringList TableHeaderModel::mimeTypes() const
{
    return { TableHeaderMimeData::mimeType() };
}

QMimeData* TableHeaderModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    // A row is dragged once however many of its cells were selected; consecutive rows make one range.
    QList<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && index.model() == this && !rows.contains(index.row()))
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    QList<TableHeaderMimeData::Range> ranges;
    for (int row : qAsConst(rows)) {
        if (!ranges.isEmpty() && ranges.last().second == row)
            ranges.last().second = row + 1;
        else
            ranges.append({ row, row + 1 });
    }
    auto* mime = new TableHeaderMimeData(ranges);
    mime->setText(indexes.first().data().toString());
    return mime;
}

Qt::DropActions TableHeaderModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool TableHeaderModel::dropMimeData(
    const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex& parent)
{
    Q_D(TableHeaderModel);
    const auto* moved = qobject_cast<const TableHeaderMimeData*>(data);
    if (action != Qt::MoveAction || !moved || moved->ranges().isEmpty()
        || moved->sessionId() != (qApp ? qApp->sessionId() : QString()))
        return false;
    // A drop onto a row (rather than between rows) goes before it.
    if (row < 0 && parent.isValid())
        row = parent.row();
    if (row < 0 || row > d->entries.size())
        row = d->entries.size();
    QSet<int> dragged;
    for (const TableHeaderMimeData::Range& range : moved->ranges()) {
        for (int r = qMax(range.first, 0); r < qMin(range.second, int(d->entries.size())); ++r)
            dragged.insert(r);
    }
    if (dragged.isEmpty())
        return false;
    QVector<int> block;
    QVector<int> others;
    int at = 0;
    for (int r = 0; r < d->entries.size(); ++r) {
        if (dragged.contains(r)) {
            block << d->entries.at(r).section;
        } else {
            if (r < row)
                ++at;
            others << d->entries.at(r).section;
        }
    }
    reorder(others.mid(0, at) + block + others.mid(at));
    return true;
}
