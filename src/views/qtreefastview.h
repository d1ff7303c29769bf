#pragma once

#include "basic_views_export.h"

#include <QTreeView>

// A tree view whose selected rows keep their active highlight when the view loses focus: a trader clicking into
// an order form must still see which row the form is about.
class BASIC_VIEWS_EXPORT QTreeFastView : public QTreeView
{
    Q_OBJECT
public:
    explicit QTreeFastView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
