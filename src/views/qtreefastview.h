#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QTreeView>

class QTreeFastViewPrivate;
class RepaintPacer;

// A tree view whose selected rows keep their active highlight when the view loses focus: a trader clicking into
// an order form must still see which row the form is about.
//
// Values changed by the stream repaint at most once a frame (RepaintPacer). With uniform row heights a changed
// row is not looked up among the laid-out rows: Qt's tree does that for every dataChanged to refresh the row's
// height, a linear pass for a row out of sight, which made a live tree's cost grow with its open rows.
class BASIC_VIEWS_EXPORT QTreeFastView : public QTreeView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, QTreeFastView)
public:
    explicit QTreeFastView(QWidget* parent = nullptr);
    ~QTreeFastView() override;

    // The pacer of the repaints value changes ask for; its interval may be changed (0: every change at once).
    RepaintPacer* repaintPacer() const;

protected:
    QTreeFastView(QTreeFastViewPrivate& dd, QWidget* parent);

    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
        const QVector<int>& roles = QVector<int>()) override;
    void paintEvent(QPaintEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The tree views' private classes form a chain beside the public ones.
    QScopedPointer<QTreeFastViewPrivate> m_d;
};
