#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QStyledItemDelegate>

class QAction;

class ButtonDelegatePrivate;

// A push button in each cell that triggers an action; a cell whose display value is false shows it disabled.
class BASIC_VIEWS_EXPORT ButtonDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ButtonDelegate)
public:
    explicit ButtonDelegate(QAction& action, QObject* parent = nullptr);
    ~ButtonDelegate() override;

    bool isSunken() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Presses and releases the button: a release inside an enabled cell triggers the action.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    QScopedPointer<ButtonDelegatePrivate> m_d;
};
