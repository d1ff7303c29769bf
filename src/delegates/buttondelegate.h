#pragma once

#include "basic_views_export.h"

#include <QStyledItemDelegate>

class QAction;

// A push button in each cell that triggers an action; a cell whose display value is false shows it disabled.
class BASIC_VIEWS_EXPORT ButtonDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ButtonDelegate(QAction& action, QObject* parent = nullptr);

    bool isSunken() const { return m_sunken; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Presses and releases the button: a release inside an enabled cell triggers the action.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    QAction& m_action;
    bool m_sunken = false;
};
