#pragma once

#include "basic_views_export.h"

#include <QStyledItemDelegate>

// Shows a cell's check state centred in the cell; a click on the box, Space or Select toggles it.
class BASIC_VIEWS_EXPORT CheckBoxDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CheckBoxDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    // The check box centred in the cell narrowed by the focus frame.
    static QRect checkRect(const QStyleOptionViewItem& option);
};
