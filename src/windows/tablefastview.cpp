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
#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"
#include "views/scrollposition.h"
#include "windows/tablefastviewsettingspage.h"
#include "windows/viewwrappertable.h"

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
    , m_hold(new ReadingHold(this))
    , m_fitAll(new QAction(this))
{
    retranslate();
    setItemDelegate(new ItemDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    connect(m_fitAll, &QAction::triggered, this, &QTableFastView::resizeColumnsToContents);
    addAction(m_fitAll);
    connect(m_hold, &ReadingHold::enabledChanged, this, &TableFastView::installShownModel);
    m_wrapper = new ViewWrapperTable(this, this);
    m_wrapper->restartDynamicExport(false, 0);
}

TableFastView::~TableFastView()
{
    // While the view is whole: the hold watches its events, and the held rows are its model.
    delete m_hold;
    m_hold = nullptr;
    delete m_held;
    m_held = nullptr;
    delete m_wrapper;
}

void TableFastView::setModel(QAbstractItemModel* model)
{
    if (model == m_model || (!m_model && model == QAbstractItemView::model()))
        return;
    if (auto* indexModel = qobject_cast<ItemIndexModel*>(m_model)) {
        disconnect(indexModel, &ItemIndexModel::beginUpdates, this, &TableFastView::beginUpdates);
        disconnect(indexModel, &ItemIndexModel::endUpdates, this, &TableFastView::endUpdates);
    }
    m_model = qobject_cast<ItemModelWithDelegates*>(model);
    if (!m_model) {
        QTableFastView::setModel(model);
        return;
    }
    installShownModel();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        if (!m_model->isColumnVisible(column))
            header()->hideSection(column);
    }
    if (auto* indexModel = qobject_cast<ItemIndexModel*>(m_model)) {
        connect(indexModel, &ItemIndexModel::beginUpdates, this, &TableFastView::beginUpdates);
        connect(indexModel, &ItemIndexModel::endUpdates, this, &TableFastView::endUpdates);
    }
    if (m_wrapper)
        m_wrapper->setModel(m_model);
}

void TableFastView::installShownModel()
{
    TableIndexModel* tableModel = model();
    HeldRowsModel* previous = m_held;
    if (m_hold->isEnabled() && tableModel) {
        if (!m_held || m_held->source() != tableModel)
            m_held = new HeldRowsModel(tableModel, this);
    } else {
        m_held = nullptr;
    }
    QAbstractItemModel* shown = m_held ? static_cast<QAbstractItemModel*>(m_held) : m_model;
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
    m_hold->setModel(m_held);
    if (previous && previous != m_held)
        previous->deleteLater();
}

TableIndexModel* TableFastView::model() const
{
    return qobject_cast<TableIndexModel*>(m_model);
}

Record TableFastView::recordAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return Record();
    if (m_held)
        return m_held->recordAt(index.row());
    return m_model ? m_model->recordByIndex(index) : Record();
}

int TableFastView::rowOf(const Record& record) const
{
    if (m_held)
        return m_held->rowOf(record);
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
    Table* table = m_model ? m_model->table() : nullptr;
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
    if (wrapper == m_wrapper)
        return;
    delete m_wrapper;
    m_wrapper = wrapper;
    if (m_wrapper && m_wrapper->header() != header()) {
        m_wrapper->setHeader(header());
        m_wrapper->restartDynamicExport(false, 0);
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
    menu->addSeparator();
    fitWidthAction(column, menu);
    menu->addAction(m_fitAll);
}

void TableFastView::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    fitWidthAction(index.column(), menu);
    menu->addAction(m_fitAll);
}

void TableFastView::resizeAColumnToContents()
{
    const int column = FitWidthAction::column(sender());
    if (column >= 0)
        resizeColumnToContents(column);
}

void TableFastView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    if (header()->isVisible() && header()->geometry().contains(at)) {
        const int section = header()->logicalIndexAt(header()->mapFrom(this, at));
        if (section >= 0 && m_model) {
            if (!menu->isEmpty())
                menu->addSeparator();
            populateActionsForColumn(section, menu);
            if (auto* headerView = qobject_cast<HeaderView*>(header())) {
                if (QMenu* columns = headerView->createColumnsMenu()) {
                    columns->setParent(menu, columns->windowFlags());
                    menu->addMenu(columns);
                }
            }
        } else if (!m_model) {
            menu->addAction(m_fitAll);
        }
    } else if (viewport()->geometry().contains(at)) {
        const QModelIndex index = indexAt(viewport()->mapFrom(this, at));
        if (index.isValid() && m_model)
            populateActionsForIndex(index, menu);
        else if (!m_model)
            menu->addAction(m_fitAll);
    }
    if (m_model) {
        menu->addSeparator();
        menu->addAction(m_hold->toggleAction());
    }
    if (m_wrapper) {
        menu->addSeparator();
        menu->addActions(m_wrapper->actions());
    }
}

void TableFastView::initCore(ICore*) { }

QList<IViewSettingsPage*> TableFastView::getSettingsPages(QObject* parent)
{
    QList<IViewSettingsPage*> pages { new TableFastViewSettingsPage(parent) };
    if (m_model)
        pages << new TableHeaderSettingsPage(new TableHeaderModel(m_model, parent), parent);
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
    if (!m_model)
        return;
    settings.setValue(QStringLiteral("ordered"), !isSortingEnabled() || header()->sortIndicatorSection() < 0);
    storeHeader(header(), m_model, settings);
    settings.setValue(QStringLiteral("current"), currentText());
    settings.setValue(QStringLiteral("currentColumn"), currentColumn());
    ScrollPosition::store(this, settings);
    settings.setValue(QLatin1String(holdKey), m_hold->isEnabled());
    if (m_wrapper)
        m_wrapper->store(settings);
}

void TableFastView::restorePre(const Settings& values)
{
    if (!m_model)
        return;
    {
        const QSignalBlocker quiet(m_model);
        restoreHeader(header(), m_model, values);
    }
    if (values.value(QStringLiteral("ordered"), false).toBool())
        sortByColumn(-1);
}

void TableFastView::restorePost(const Settings& values)
{
    if (!m_model)
        return;
    m_hold->setEnabled(values.value(QLatin1String(holdKey), false).toBool());
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
    restorePre(values);
    auto* indexModel = qobject_cast<ItemIndexModel*>(m_model);
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
    if (m_wrapper)
        m_wrapper->restore(values);
}

void TableFastView::onModelAboutToBeReset()
{
    m_savedCurrent = currentText();
    m_savedColumn = currentColumn();
    // A view at the top stays at the top (new rows arrive there); elsewhere the first shown record stays first.
    const QScrollBar* vertical = verticalScrollBar();
    const int top = vertical->value();
    m_savedAtTop = top == vertical->minimum();
    m_savedTop = m_savedAtTop ? Record() : recordAt(QAbstractItemView::model()->index(top, 0));
    m_savedHorizontal = horizontalScrollBar()->value();
    m_savedSelection.clear();
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    // A huge selection is not worth a search per row on every rebuild.
    if (selected.size() <= MaxKeptSelection) {
        for (const QModelIndex& index : selected)
            m_savedSelection << recordAt(index);
    }
}

void TableFastView::onModelReset()
{
    // The place is the first shown record, not the current one: scrolling to it would leave the top, where the
    // newest rows arrive, for a row chosen long ago.
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    if (!m_savedCurrent.isEmpty())
        setCurrentText(m_savedCurrent, m_savedColumn);
    setAutoScroll(autoScroll);
    const QAbstractItemModel* shown = QAbstractItemView::model();
    if (selectionModel() && !m_savedSelection.isEmpty()) {
        QItemSelection selection;
        for (const Record& record : qAsConst(m_savedSelection)) {
            const int row = rowOf(record);
            if (row >= 0)
                selection.select(shown->index(row, 0), shown->index(row, shown->columnCount() - 1));
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    if (m_savedAtTop) {
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    } else if (!m_savedTop.isNull()) {
        const int row = rowOf(m_savedTop);
        if (row >= 0)
            verticalScrollBar()->setValue(row);
        else
            scrollTo(currentIndex());
    }
    // The columns stay where the trader scrolled them: new rows change nothing across.
    horizontalScrollBar()->setValue(m_savedHorizontal);
    m_savedCurrent.clear();
    m_savedColumn = -1;
    m_savedTop = Record();
    m_savedAtTop = false;
    m_savedSelection.clear();
}

void TableFastView::retranslate()
{
    m_fitAll->setText(tr("Подобрать ширину всех столбцов"));
}

void TableFastView::changeEvent(QEvent* event)
{
    QTableFastView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
