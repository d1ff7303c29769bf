#include "views/private/tablefastrowpainter.h"

#include "views/qtablefastview.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>

TableFastRowPainter::TableFastRowPainter(QTableFastView* view)
    : m_view(view)
{ }

void TableFastRowPainter::setBufferEnabled(bool enable)
{
    m_bufferEnabled = enable;
    if (!enable)
        m_buffer.clear();
}

void TableFastRowPainter::setColumns(const QVector<int>& columns, int firstShown, int lastShown)
{
    m_columns = columns;
    m_firstShown = firstShown;
    m_lastShown = lastShown;
}

bool TableFastRowPainter::rowHasFocusedEditor(const QModelIndex& rowIndex) const
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return false;
    for (int column : m_columns) {
        QWidget* editor = m_view->indexWidget(m_view->cellIndex(rowIndex, column));
        if (editor && (editor == focused || editor->isAncestorOf(focused)))
            return true;
    }
    return false;
}

void TableFastRowPainter::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& rowIndex)
{
    const QAbstractItemModel* model = m_view->model();
    const QItemSelectionModel* selection = m_view->selectionModel();
    const QHeaderView* header = m_view->header();
    const int rowHeight = m_view->rowHeight();
    const int sections = header->count() - header->hiddenSectionCount();
    const QModelIndex current = selection ? selection->currentIndex() : QModelIndex();
    const bool currentRow = current.isValid() && current.row() == rowIndex.row();
    const bool rowHasFocus = currentRow && rowHasFocusedEditor(rowIndex);
    const int y = option.rect.top();
    const TableFastGeometry geometry = m_view->geometry();
    QVector<FreshCell> fresh;
    for (int column : qAsConst(m_columns)) {
        const QRect rect = geometry.cellRect(column, y);
        // A buffered cell is already its final picture: the cells a change left alone cost one blit.
        if (m_bufferEnabled && !rowHasFocus) {
            if (const QPixmap* cached = m_buffer.find(rowIndex.row(), column)) {
                const qreal ratio = cached->devicePixelRatio();
                if (qRound(cached->width() / ratio) == rect.width() && qRound(cached->height() / ratio) == rowHeight) {
                    painter->drawPixmap(rect.topLeft(), *cached);
                    continue;
                }
            }
        }
        const QModelIndex index = m_view->cellIndex(rowIndex, column);
        if (!index.isValid())
            continue;
        QStyleOptionViewItem cell = option;
        cell.rect = rect;
        if (sections == 1)
            cell.viewItemPosition = QStyleOptionViewItem::OnlyOne;
        else if (column == m_firstShown)
            cell.viewItemPosition = QStyleOptionViewItem::Beginning;
        else if (column == m_lastShown)
            cell.viewItemPosition = QStyleOptionViewItem::End;
        else
            cell.viewItemPosition = QStyleOptionViewItem::Middle;
        if (rowHasFocus)
            cell.state |= QStyle::State_Active;
        if (selection && selection->isSelected(index))
            cell.state |= QStyle::State_Selected;
        if (currentRow)
            cell.state |= QStyle::State_HasFocus;
        if (cell.state & QStyle::State_Enabled) {
            if (!(model->flags(index) & Qt::ItemIsEnabled)) {
                cell.state &= ~QStyle::State_Enabled;
                cell.palette.setCurrentColorGroup(QPalette::Disabled);
            } else {
                cell.palette.setCurrentColorGroup(
                    cell.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
            }
        }
        QAbstractItemDelegate* delegate = m_view->delegateForIndex(index);
        if (m_bufferEnabled)
            fresh.append({ cell, index, delegate });
        else
            renderCell(painter, cell, index, delegate);
    }
    bufferCells(painter, fresh, rowHeight);
    // The current row of a focused view is framed, as in any item view, also when a move left the selection
    // behind (Ctrl+arrows). The frame is drawn over the cells and never kept in their pictures.
    if (rowHasFocus || (currentRow && m_view->hasFocus())) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.rect = QRect(-header->offset(), y, header->length(), rowHeight);
        focus.backgroundColor
            = option.palette.color(option.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        m_view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_view);
    }
}

void TableFastRowPainter::renderCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
    QAbstractItemDelegate* delegate) const
{
    QStyleOptionViewItem panel = option;
    panel.state &= ~QStyle::State_Selected;
    m_view->style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &panel, painter, m_view);
    delegate->paint(painter, option, index);
}

void TableFastRowPainter::bufferCells(QPainter* painter, const QVector<FreshCell>& cells, int rowHeight)
{
    if (cells.isEmpty())
        return;
    // One strip and one painter for all the row's new cells, side by side, each clipped to its own place;
    // then each cell's part becomes its buffered pixmap.
    const qreal ratio = m_view->devicePixelRatioF();
    int width = 0;
    for (const FreshCell& cell : cells)
        width += cell.option.rect.width();
    QImage strip(QSize(width, rowHeight) * ratio, QImage::Format_RGB32);
    strip.setDevicePixelRatio(ratio);
    strip.fill(m_view->viewport()->palette().color(QPalette::Base));
    {
        QPainter target(&strip);
        int x = 0;
        for (const FreshCell& cell : cells) {
            QStyleOptionViewItem local = cell.option;
            local.rect = QRect(x, 0, cell.option.rect.width(), rowHeight);
            target.setClipRect(local.rect);
            renderCell(&target, local, cell.index, cell.delegate);
            x += local.rect.width();
        }
    }
    int x = 0;
    for (const FreshCell& cell : cells) {
        const QRect part(QPoint(qRound(x * ratio), 0), cell.option.rect.size() * ratio);
        auto* pixmap = new QPixmap(QPixmap::fromImage(strip.copy(part)));
        pixmap->setDevicePixelRatio(ratio);
        m_buffer.insert(cell.index.row(), cell.index.column(), pixmap);
        painter->drawPixmap(cell.option.rect.topLeft(), *pixmap);
        x += cell.option.rect.width();
    }
}
