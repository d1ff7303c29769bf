#include "pickswindow.h"

#include "actions/securityactions.h"
#include "instrumentpicks.h"
#include "models/filterrecordsmodel.h"
#include "viewmenu.h"

#include <QDrag>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// A list whose model moves dropped rows itself. Qt's own drag removes the dragged rows when the drag ends as a
// move, and with the X11 drag a drop onto the list ends as a move even when the drop reports a copy: the rows
// the model had just moved were deleted. This drag hands the rows to the model and removes nothing.
class RowMoveView : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    void startDrag(Qt::DropActions) override
    {
        const QModelIndexList rows = selectionModel()->selectedRows();
        QMimeData* data = rows.isEmpty() ? nullptr : model()->mimeData(rows);
        if (!data)
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::MoveAction);
    }
};

} // namespace

PicksWindow::PicksWindow(InstrumentPicks* picks, QWidget* parent)
    : QWidget(parent)
    , m_picks(picks)
    , m_view(new RowMoveView(this))
    , m_remove(new QAction(this))
    , m_securityActions(new SecurityActions(m_view, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(picks->model());
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setDragDropMode(QAbstractItemView::InternalMove);
    m_view->setDragDropOverwriteMode(false);
    m_view->setDefaultDropAction(Qt::MoveAction);
    m_view->setDropIndicatorShown(true);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_view->setSortingEnabled(true);
    retranslate();
    sizeColumnsToFirstRows();
    connect(picks->model(), &QAbstractItemModel::rowsInserted, this, &PicksWindow::sizeColumnsToFirstRows);
    connect(picks->model(), &QAbstractItemModel::modelReset, this, &PicksWindow::sizeColumnsToFirstRows);
    // The list's rows are the picked instruments themselves; its cells model names the instruments' columns.
    FilterRecordsModel* list = picks->model();
    m_securityActions->setModel(list->model());
    m_securityActions->setRecordMapper([list](const QModelIndex& index) {
        return index.model() == list && index.row() < list->rowCount() ? list->at(index.row()) : Record();
    });
    m_securityActions->setDefaultAction(SecurityActions::Quotes);
    // A drag, or a list given anew, returns to the trader's own order: the title no longer shows a sort.
    auto ownOrder = [this] {
        if (m_picks->model()->sortColumn() < 0)
            m_view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    };
    connect(picks->model(), &QAbstractItemModel::rowsMoved, this, ownOrder);
    connect(picks->model(), &QAbstractItemModel::modelReset, this, ownOrder);

    m_remove->setShortcut(QKeySequence::Delete);
    m_remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_remove, &QAction::triggered, this, &PicksWindow::removeSelected);
    addAction(m_remove);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(this, this, m_view->viewport(), at); });
}

void PicksWindow::sizeColumnsToFirstRows()
{
    if (m_columnsSized)
        return;
    m_view->resizeColumnsToContents();
    m_columnsSized = m_picks->model()->rowCount() > 0;
}

void PicksWindow::removeSelected()
{
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    // From the bottom up, a run of neighbours at a time.
    for (int i = 0; i < rows.size();) {
        int j = i + 1;
        while (j < rows.size() && rows.at(j) == rows.at(j - 1) - 1)
            ++j;
        m_picks->model()->removeRows(rows.at(j - 1), j - i);
        i = j;
    }
}

void PicksWindow::initCore(ICore*) { }

QList<QAction*> PicksWindow::getActions()
{
    return { m_remove };
}

void PicksWindow::populateActionsAt(const QPoint& at, QMenu* menu)
{
    // A click on a row outside the selection acts on that row alone, as a click on a selected row acts on the
    // selection.
    const QModelIndex row = m_view->indexAt(m_view->viewport()->mapFrom(this, at));
    if (row.isValid() && !m_view->selectionModel()->isRowSelected(row.row(), QModelIndex()))
        m_view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_securityActions->addToMenu(menu);
    menu->addAction(m_remove);
}

void PicksWindow::store(Settings& settings) const
{
    m_picks->store(settings);
}

void PicksWindow::restore(const Settings&, const Settings& values)
{
    m_picks->restore(values);
}

QSize PicksWindow::defaultSize() const
{
    return QSize(640, 300);
}

void PicksWindow::retranslate()
{
    m_remove->setText(tr("Удалить из списка"));
}

void PicksWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
