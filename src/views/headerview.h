#pragma once

#include "basic_views_export.h"

#include <QHeaderView>
#include <QScopedPointer>

class HeaderViewPrivate;
class QMenu;

// The header of the library's views: a menu of the columns to show, and a header that ignores the click which
// only brings its window to the front (that click would otherwise sort or drag a column).
class BASIC_VIEWS_EXPORT HeaderView : public QHeaderView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, HeaderView)
public:
    explicit HeaderView(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~HeaderView() override;

    // "Столбцы": one checkable action per column the model shows to users, sorted by title; the caller owns
    // the menu. Null without a model. The last shown column cannot be hidden.
    QMenu* createColumnsMenu();
    // The shown sections in visual order.
    static QList<int> getVisibleColumns(const QHeaderView* header);

Q_SIGNALS:
    void columnActionTriggered(int column, bool checked);

protected:
    HeaderView(HeaderViewPrivate& dd, Qt::Orientation orientation, QWidget* parent);

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private Q_SLOTS:
    void onColumnActionTriggered(bool checked);

protected:
    // The headers' private classes form a chain beside the public ones.
    QScopedPointer<HeaderViewPrivate> m_d;
};
