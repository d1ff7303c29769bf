#include "windows/tablefastview.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/masterindex.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "delegates/itemdelegate.h"
#include "models/itemindexmodel.h"
#include "models/tableindexmodel.h"
#include "views/fitwidthaction.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/headersettings/tableheadersettingspage.h"
#include "views/headerview.h"
#include "views/private/scrollposition.h"
#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"
#include "windows/private/tablefastview_p.h"
#include "windows/private/viewwrappertable.h"
#include "windows/tablefastviewsettingspage.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>

namespace {

const char* const holdKey = "holdWhileReading";
// Rows of a selection kept across a rebuild of the model.
constexpr int MaxKeptSelection = 1000;

} // namespace

TableFastView::TableFastView(QWidget* parent)
    : QTableFastView(parent)
    , m_d(new TableFastViewPrivate(this))
{
    Q_D(TableFastView);
    d->hold = new ReadingHold(this);
    d->fitAll = new QAction(this);
    retranslate();
    setItemDelegate(new ItemDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    connect(d->fitAll, &QAction::triggered, this, &QTableFastView::resizeColumnsToContents);
    addAction(d->fitAll);
    connect(d->hold, &ReadingHold::enabledChanged, this, &TableFastView::installShownModel);
    d->wrapper = new ViewWrapperTable(this, this);
    d->wrapper->restartDynamicExport(false, 0);
}

TableFastView::~TableFastView()
{
    Q_D(TableFastView);
    // While the view is whole: the hold watches its events, and the held rows are its model.
    delete d->hold;
    d->hold = nullptr;
    delete d->held;
    d->held = nullptr;
    delete d->wrapper;
}

void TableFastView::setModel(QAbstractItemModel* model)
{
    Q_D(TableFastView);
    if (model == d->model || (!d->model && model == QAbstractItemView::model()))
        return;
    if (auto* indexModel = qobject_cast<ItemIndexModel*>(d->model)) {
        disconnect(indexModel, &ItemIndexModel::beginUpdates, this, &TableFastView::beginUpdates);
        disconnect(indexModel, &ItemIndexModel::endUpdates, this, &TableFastView::endUpdates);
    }
    d->model = qobject_cast<ItemModelWithDelegates*>(model);
    if (!d->model) {
        QTableFastView::setModel(model);
        return;
    }
    installShownModel();
    for (int column = 0; column < d->model->columnCount(); ++column) {
        if (!d->model->isColumnVisible(column))
            header()->hideSection(column);
    }
    if (auto* indexModel = qobject_cast<ItemIndexModel*>(d->model)) {
        connect(indexModel, &ItemIndexModel::beginUpdates, this, &TableFastView::beginUpdates);
        connect(indexModel, &ItemIndexModel::endUpdates, this, &TableFastView::endUpdates);
    }
    if (d->wrapper)
        d->wrapper->setModel(d->model);
}

void TableFastView::installShownModel()
{
    Q_D(TableFastView);
    TableIndexModel* tableModel = model();
    HeldRowsModel* previous = d->held;
    if (d->hold->isEnabled() && tableModel) {
        if (!d->held || d->held->source() != tableModel)
            d->held = new HeldRowsModel(tableModel, this);
    } else {
        d->held = nullptr;
    }
    QAbstractItemModel* shown = d->held ? static_cast<QAbstractItemModel*>(d->held) : d->model;
    QAbstractItemModel* current = QAbstractItemView::model();
    if (shown != current) {
        const QString currentKey = currentText();
        const int column = currentColumn();
        // A header given a new model forgets its sections' order, widths and hidden ones.
        const QByteArray layout = current ? header()->saveState() : QByteArray();
        if (current)
            disconnect(current, nullptr, this, nullptr);
        QTableFastView::setModel(shown);
        if (!layout.isEmpty())
            header()->restoreState(layout);
        connect(shown, &QAbstractItemModel::modelAboutToBeReset, this, &TableFastView::onModelAboutToBeReset);
        connect(shown, &QAbstractItemModel::modelReset, this, &TableFastView::onModelReset);
        setCurrentText(currentKey, column);
    }
    d->hold->setModel(d->held);
    if (previous && previous != d->held)
        previous->deleteLater();
}

TableIndexModel* TableFastView::model() const
{
    Q_D(const TableFastView);
    return qobject_cast<TableIndexModel*>(d->model);
}

Record TableFastView::recordAt(const QModelIndex& index) const
{
    Q_D(const TableFastView);
    if (!index.isValid())
        return Record();
    if (d->held)
        return d->held->recordAt(index.row());
    return d->model ? d->model->recordByIndex(index) : Record();
}

int TableFastView::rowOf(const Record& record) const
{
    Q_D(const TableFastView);
    if (d->held)
        return d->held->rowOf(record);
    const TableIndexModel* tableModel = model();
    return tableModel ? tableModel->indexOf(record) : -1;
}

Record TableFastView::currentRecord() const
{
    return recordAt(currentIndex());
}

QString TableFastView::currentText() const
{
    const Record record = currentRecord();
    return record.isNull() ? QString() : record.toString();
}

int TableFastView::currentColumn() const
{
    return currentIndex().column();
}

void TableFastView::setCurrentText(const QString& text, int column)
{
    Q_D(TableFastView);
    Table* table = d->model ? d->model->table() : nullptr;
    if (!selectionModel() || !table || !table->masterIndex())
        return;
    if (text.split(QLatin1Char(','), Qt::KeepEmptyParts).size() != table->masterIndex()->keyColumns().size())
        return;
    const Record record(table, text);
    if (!record.isNull())
        setCurrentRecord(record, column);
}

void TableFastView::setCurrentRecord(const Record& record, int column)
{
    const QAbstractItemModel* shown = QAbstractItemView::model();
    if (record.isNull() || !shown)
        return;
    const int row = rowOf(record);
    if (row < 0)
        return;
    if (column < 0 || column >= shown->columnCount() || header()->isSectionHidden(column))
        column = HeaderView::getVisibleColumns(header()).value(0, -1);
    if (column < 0)
        return;
    setCurrentIndex(shown->index(row, column));
}

void TableFastView::setWrapper(ViewWrapper* wrapper)
{
    Q_D(TableFastView);
    if (wrapper == d->wrapper)
        return;
    delete d->wrapper;
    d->wrapper = wrapper;
    if (d->wrapper && d->wrapper->header() != header()) {
        d->wrapper->setHeader(header());
        d->wrapper->restartDynamicExport(false, 0);
    }
}

QAction* TableFastView::fitWidthAction(int column, QMenu* menu)
{
    QAction* action = FitWidthAction::add(menu, QAbstractItemView::model(), column);
    connect(action, &QAction::triggered, this, &TableFastView::resizeAColumnToContents);
    return action;
}

void TableFastView::populateActionsForColumn(int column, QMenu* menu)
{
    Q_D(TableFastView);
    menu->addSeparator();
    fitWidthAction(column, menu);
    menu->addAction(d->fitAll);
}

void TableFastView::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    Q_D(TableFastView);
    fitWidthAction(index.column(), menu);
    menu->addAction(d->fitAll);
}

void TableFastView::resizeAColumnToContents()
{
    const int column = FitWidthAction::column(sender());
    if (column >= 0)
        resizeColumnToContents(column);
}

void TableFastView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    Q_D(TableFastView);
    if (header()->isVisible() && header()->geometry().contains(at)) {
        const int section = header()->logicalIndexAt(header()->mapFrom(this, at));
        if (section >= 0 && d->model) {
            if (!menu->isEmpty())
                menu->addSeparator();
            populateActionsForColumn(section, menu);
            if (auto* headerView = qobject_cast<HeaderView*>(header())) {
                if (QMenu* columns = headerView->createColumnsMenu()) {
                    columns->setParent(menu, columns->windowFlags());
                    menu->addMenu(columns);
                }
            }
        } else if (!d->model) {
            menu->addAction(d->fitAll);
        }
    } else if (viewport()->geometry().contains(at)) {
        const QModelIndex index = indexAt(viewport()->mapFrom(this, at));
        if (index.isValid() && d->model)
            populateActionsForIndex(index, menu);
        else if (!d->model)
            menu->addAction(d->fitAll);
    }
    if (d->model) {
        menu->addSeparator();
        menu->addAction(d->hold->toggleAction());
    }
    if (d->wrapper) {
        menu->addSeparator();
        menu->addActions(d->wrapper->actions());
    }
}

void TableFastView::initCore(ICore*) { }

QList<IViewSettingsPage*> TableFastView::getSettingsPages(QObject* parent)
{
    Q_D(TableFastView);
    QList<IViewSettingsPage*> pages { new TableFastViewSettingsPage(parent) };
    if (d->model)
        pages << new TableHeaderSettingsPage(new TableHeaderModel(d->model, parent), parent);
    return pages;
}

QList<QAction*> TableFastView::getActions()
{
    return {};
}

QSize TableFastView::defaultSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() / 2 : QSize(800, 600);
}

void TableFastView::storeHeader(const QHeaderView* header, const QAbstractItemModel* model, Settings& settings)
{
    ItemModelWithDelegates::storeHeader(header, model, settings);
}

void TableFastView::restoreHeader(QHeaderView* header, QAbstractItemModel* model, const Settings& settings)
{
    ItemModelWithDelegates::restoreHeader(header, model, settings);
    // Columns the model keeps for itself stay hidden whatever the settings say.
    for (int column = 0; model && column < model->columnCount(); ++column) {
        if (model->headerData(column, Qt::Horizontal, ColumnHiddenRole).toBool())
            header->hideSection(column);
    }
}

void TableFastView::store(Settings& settings) const
{
    Q_D(const TableFastView);
    if (!d->model)
        return;
    settings.setValue(QStringLiteral("ordered"), !isSortingEnabled() || header()->sortIndicatorSection() < 0);
    storeHeader(header(), d->model, settings);
    settings.setValue(QStringLiteral("current"), currentText());
    settings.setValue(QStringLiteral("currentColumn"), currentColumn());
    ScrollPosition::store(this, settings);
    settings.setValue(QLatin1String(holdKey), d->hold->isEnabled());
    if (d->wrapper)
        d->wrapper->store(settings);
}

void TableFastView::restorePre(const Settings& values)
{
    Q_D(TableFastView);
    if (!d->model)
        return;
    {
        const QSignalBlocker quiet(d->model);
        restoreHeader(header(), d->model, values);
    }
    if (values.value(QStringLiteral("ordered"), false).toBool())
        sortByColumn(-1);
}

void TableFastView::restorePost(const Settings& values)
{
    Q_D(TableFastView);
    if (!d->model)
        return;
    d->hold->setEnabled(values.value(QLatin1String(holdKey), false).toBool());
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    setCurrentText(
        values.value(QStringLiteral("current")).toString(), values.value(QStringLiteral("currentColumn"), -1).toInt());
    setAutoScroll(autoScroll);
    ScrollPosition::restore(this, values);
}

QStringList TableFastView::skipBuildSettings(const Settings& values) const
{
    // Where the user stands and how wide the columns are do not change which rows the model holds.
    QStringList keys { QStringLiteral("windowName"), QStringLiteral("title"), QStringLiteral("geometry"), QString(),
        QStringLiteral("current"), QStringLiteral("currentColumn"), QStringLiteral("horizontalScroll"),
        QStringLiteral("verticalScroll"), QStringLiteral("all_columns"), QLatin1String(holdKey) };
    for (const QString& name : values.value(QStringLiteral("all_columns")).toStringList()) {
        keys << QStringLiteral("Columns/") + name + QLatin1String(".width")
             << QStringLiteral("Columns/") + name + QLatin1String(".visible");
    }
    return keys;
}

void TableFastView::restore(const Settings& defaults, const Settings& values)
{
    Q_D(TableFastView);
    restorePre(values);
    auto* indexModel = qobject_cast<ItemIndexModel*>(d->model);
    const QStringList defaultKeys = defaults.allKeys();
    if (indexModel && defaultKeys.isEmpty()) {
        indexModel->rebuild();
    } else if (indexModel) {
        QStringList changed;
        for (const QString& key : values.allKeys()) {
            if (values.value(key) != defaults.value(key))
                changed << key;
        }
        for (const QString& key : defaultKeys) {
            if (!values.contains(key))
                changed << key;
        }
        if (!changed.isEmpty()) {
            for (const QString& key : skipBuildSettings(values))
                changed.removeAll(key);
            if (!changed.isEmpty())
                indexModel->rebuild();
        }
    }
    restorePost(values);
    if (d->wrapper)
        d->wrapper->restore(values);
}

void TableFastView::onModelAboutToBeReset()
{
    Q_D(TableFastView);
    d->savedCurrent = currentText();
    d->savedColumn = currentColumn();
    // A view at the top stays at the top (new rows arrive there); elsewhere the first shown record stays first.
    const QScrollBar* vertical = verticalScrollBar();
    const int top = vertical->value();
    d->savedAtTop = top == vertical->minimum();
    d->savedTop = d->savedAtTop ? Record() : recordAt(QAbstractItemView::model()->index(top, 0));
    d->savedHorizontal = horizontalScrollBar()->value();
    d->savedSelection.clear();
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    // A huge selection is not worth a search per row on every rebuild.
    if (selected.size() <= MaxKeptSelection) {
        for (const QModelIndex& index : selected)
            d->savedSelection << recordAt(index);
    }
}

void TableFastView::onModelReset()
{
    Q_D(TableFastView);
    // The place is the first shown record, not the current one: scrolling to it would leave the top, where the
    // newest rows arrive, for a row chosen long ago.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    if (!d->savedCurrent.isEmpty())
        setCurrentText(d->savedCurrent, d->savedColumn);
    setAutoScroll(autoScroll);
    const QAbstractItemModel* shown = QAbstractItemView::model();
    if (selectionModel() && !d->savedSelection.isEmpty()) {
        QItemSelection selection;
        for (const Record& record : qAsConst(d->savedSelection)) {
            const int row = rowOf(record);
            if (row >= 0)
                selection.select(shown->index(row, 0), shown->index(row, shown->columnCount() - 1));
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    if (d->savedAtTop) {
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    } else if (!d->savedTop.isNull()) {
        const int row = rowOf(d->savedTop);
        if (row >= 0)
            verticalScrollBar()->setValue(row);
        else
            scrollTo(currentIndex());
    }
    // The columns stay where the trader scrolled them: new rows change nothing across.
    horizontalScrollBar()->setValue(d->savedHorizontal);
    d->savedCurrent.clear();
    d->savedColumn = -1;
    d->savedTop = Record();
    d->savedAtTop = false;
    d->savedSelection.clear();
}

void TableFastView::retranslate()
{
    Q_D(TableFastView);
    d->fitAll->setText(tr("Подобрать ширину всех столбцов"));
}

void TableFastView::changeEvent(QEvent* event)
{
    QTableFastView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

ItemModelWithDelegates* TableFastView::delegatesModel() const
{
    return d_func()->model;
}

ViewWrapper* TableFastView::wrapper() const
{
    return d_func()->wrapper;
}

QAction* TableFastView::fitAllAction() const
{
    return d_func()->fitAll;
}

ReadingHold* TableFastView::readingHold() const
{
    return d_func()->hold;
}

QList<QToolBar*> TableFastView::toolBars()
{
    return d_func()->toolBars;
}

void TableFastView::addToolBar(QToolBar* toolBar)
{
    d_func()->toolBars << toolBar;
}
