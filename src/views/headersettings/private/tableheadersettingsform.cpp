#include "views/headersettings/private/tableheadersettingsform.h"

#include "views/headersettings/tableheadermodel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolButton>
#include <QTreeView>

#include <memory>

TableHeaderSettingsForm::TableHeaderSettingsForm(QWidget* parent)
    : QWidget(parent)
    , m_selectAll(new QCheckBox(tr("Выделить все"), this))
    , m_tree(new QTreeView(this))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    setObjectName(QStringLiteral("TableHeaderSettingsForm"));
    m_selectAll->setObjectName(QStringLiteral("selectAll"));
    m_selectAll->setTristate(true);
    m_selectAll->setCheckState(Qt::PartiallyChecked);
    m_tree->setObjectName(QStringLiteral("treeView"));
    m_tree->setRootIsDecorated(false);
    m_tree->setHeaderHidden(false);
    m_tree->setDragEnabled(true);
    m_tree->setAcceptDrops(true);
    m_tree->setDropIndicatorShown(true);
    m_tree->setDragDropMode(QAbstractItemView::InternalMove);
    m_tree->setDefaultDropAction(Qt::MoveAction);
    m_tree->installEventFilter(this);
    m_up->setObjectName(QStringLiteral("toolButtonUpper"));
    m_up->setText(tr("Вверх"));
    m_up->setIcon(QIcon(QStringLiteral(":/icons/button_up.png")));
    m_up->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_down->setObjectName(QStringLiteral("toolButtonLower"));
    m_down->setText(tr("Вниз"));
    m_down->setIcon(QIcon(QStringLiteral(":/icons/button_down.png")));
    m_down->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QToolButton* button : { m_up, m_down })
        button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_selectAll, 0, 0);
    grid->addWidget(m_tree, 1, 0, 3, 1);
    grid->addWidget(m_up, 1, 1);
    grid->addWidget(m_down, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);

    connect(m_up, &QToolButton::clicked, this, &TableHeaderSettingsForm::moveUp);
    connect(m_down, &QToolButton::clicked, this, &TableHeaderSettingsForm::moveDown);
    connect(m_selectAll, &QCheckBox::stateChanged, this, &TableHeaderSettingsForm::selectAll);
    updateButtons();
}

void TableHeaderSettingsForm::setModel(TableHeaderModel* model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    m_tree->setModel(model);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setColumnHidden(TableHeaderModel::TypeColumn, true);
    m_tree->setColumnHidden(TableHeaderModel::FirstNameColumn, true);
    m_tree->setColumnHidden(TableHeaderModel::NumberColumn, true);
    fitColumns();
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            fitColumns();
            updateSelectAll();
            updateButtons();
        });
        for (auto signal : { &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved })
            connect(model, signal, this, &TableHeaderSettingsForm::updateButtons);
        connect(model, &QAbstractItemModel::rowsMoved, this, &TableHeaderSettingsForm::updateButtons);
        connect(model, &QAbstractItemModel::dataChanged, this, &TableHeaderSettingsForm::updateSelectAll);
        connect(m_tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TableHeaderSettingsForm::updateButtons);
    }
    updateSelectAll();
    updateButtons();
}

void TableHeaderSettingsForm::fitColumns()
{
    m_tree->resizeColumnToContents(TableHeaderModel::TitleColumn);
    m_tree->resizeColumnToContents(TableHeaderModel::NameColumn);
}

TableHeaderSettingsForm::Ranges TableHeaderSettingsForm::selectedRanges() const
{
    Ranges ranges;
    if (!m_model || !m_tree->selectionModel())
        return ranges;
    QList<int> rows;
    for (const QModelIndex& index : m_tree->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    for (int row : qAsConst(rows)) {
        if (!ranges.isEmpty() && ranges.last().second + 1 >= row)
            ranges.last().second = qMax(ranges.last().second, row);
        else
            ranges.append({ row, row });
    }
    return ranges;
}

void TableHeaderSettingsForm::updateButtons()
{
    const Ranges ranges = selectedRanges();
    if (ranges.isEmpty()) {
        m_up->setEnabled(false);
        m_down->setEnabled(false);
        return;
    }
    const int top = m_model->property("firstColumnLocked").toBool() ? 1 : 0;
    m_up->setEnabled(ranges.first().first > top);
    m_down->setEnabled(ranges.last().second < m_model->rowCount() - 1);
}

void TableHeaderSettingsForm::moveUp()
{
    moveRanges(true);
}

void TableHeaderSettingsForm::moveDown()
{
    moveRanges(false);
}

void TableHeaderSettingsForm::moveRanges(bool up)
{
    if (!m_model)
        return;
    const Ranges ranges = selectedRanges();
    if (ranges.isEmpty())
        return;
    // Moving up, the top range goes first; moving down, the bottom one: no range passes another.
    QItemSelection moved;
    const int step = up ? -1 : 1;
    for (int i = 0; i < ranges.size(); ++i) {
        const auto range = ranges.at(up ? i : ranges.size() - 1 - i);
        if ((up && range.first == 0) || (!up && range.second == m_model->rowCount() - 1)) {
            moved.select(m_model->index(range.first, 0), m_model->index(range.second, 0));
            continue;
        }
        QModelIndexList rows;
        for (int row = range.first; row <= range.second; ++row)
            rows << m_model->index(row, 0);
        const std::unique_ptr<QMimeData> data(m_model->mimeData(rows));
        const int target = up ? range.first - 1 : range.second + 2;
        m_model->dropMimeData(data.get(), Qt::MoveAction, target, 0, QModelIndex());
        moved.select(m_model->index(range.first + step, 0), m_model->index(range.second + step, 0));
    }
    m_tree->selectionModel()->select(moved, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updateButtons();
}

void TableHeaderSettingsForm::updateSelectAll()
{
    if (!m_model)
        return;
    int checked = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        checked += m_model->isChecked(row) ? 1 : 0;
    m_updating = true;
    m_selectAll->setCheckState(checked == 0  ? Qt::Unchecked
            : checked == m_model->rowCount() ? Qt::Checked
                                             : Qt::PartiallyChecked);
    m_updating = false;
}

void TableHeaderSettingsForm::selectAll(int state)
{
    if (m_updating || !m_model)
        return;
    const Qt::CheckState to = state != Qt::Unchecked ? Qt::Checked : Qt::Unchecked;
    m_updating = true;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row, TableHeaderModel::TitleColumn);
        if (m_model->flags(index) & Qt::ItemIsUserCheckable)
            m_model->setData(index, to, Qt::CheckStateRole);
    }
    m_updating = false;
    // A click cycles between all and none from now on; the partial state only reports a mixed list.
    m_selectAll->setTristate(false);
    updateSelectAll();
}

void TableHeaderSettingsForm::moveCurrentColumn(int step)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    QModelIndex current = m_tree->currentIndex();
    int column = current.isValid() ? current.column() + step : -1;
    const int row = current.isValid() ? current.row() : 0;
    if (!current.isValid()) {
        column = 0;
        step = 1;
    }
    while (column >= 0 && column < TableHeaderModel::ColumnCount && m_tree->isColumnHidden(column))
        column += step;
    if (column >= 0 && column < TableHeaderModel::ColumnCount)
        m_tree->setCurrentIndex(m_model->index(row, column));
}

bool TableHeaderSettingsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            moveCurrentColumn(key == Qt::Key_Left ? -1 : 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
