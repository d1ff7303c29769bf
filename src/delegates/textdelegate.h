#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QStyledItemDelegate>

class QAction;

class TextDelegatePrivate;

// Cells showing an action (its icon and text) instead of the model's value, like a link: enabled where the
// model's display value is true. A click on an enabled cell triggers the action with the row as its data.
class BASIC_VIEWS_EXPORT TextDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TextDelegate)
public:
    explicit TextDelegate(QAction& action, QObject* parent = nullptr);
    ~TextDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    QScopedPointer<TextDelegatePrivate> m_d;
};
