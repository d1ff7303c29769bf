#include "delegates/checkboxdelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

QStyle* styleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

CheckBoxDelegate::CheckBoxDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

QRect CheckBoxDelegate::checkRect(const QStyleOptionViewItem& option)
{
    QStyle* style = styleOf(option);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, option.widget) + 1;
    const QRect cell = option.rect.adjusted(margin, 0, -margin, 0);
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, option.widget);
    return QStyle::alignedRect(option.direction, Qt::AlignHCenter | Qt::AlignVCenter, box.size(), cell);
}

void CheckBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    styleOf(option)->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, option.widget);
    // Only the centred box is drawn over the panel: no text or decoration.
    QStyleOptionViewItem box = panel;
    box.rect = checkRect(panel);
    box.state = (box.state & ~QStyle::State_HasFocus)
        | (panel.checkState == Qt::Checked          ? QStyle::State_On
                : panel.checkState == Qt::Unchecked ? QStyle::State_Off
                                                    : QStyle::State_NoChange);
    styleOf(option)->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
}

bool CheckBoxDelegate::editorEvent(
    QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const Qt::ItemFlags flags = model->flags(index);
    const QVariant state = index.data(Qt::CheckStateRole);
    if (!(flags & Qt::ItemIsUserCheckable) || !(flags & Qt::ItemIsEnabled) || !state.isValid())
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        QStyleOptionViewItem filled = option;
        initStyleOption(&filled, index);
        if (!checkRect(filled).contains(static_cast<QMouseEvent*>(event)->pos()))
            return false;
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
    } else {
        return false;
    }
    const int next = state.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return model->setData(index, next, Qt::CheckStateRole);
}
