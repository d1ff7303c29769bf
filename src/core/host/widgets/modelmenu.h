#pragma once

#include "core/host/bv_host_export.h"

#include <QMenu>
#include <QPersistentModelIndex>
#include <QPointer>

class QAbstractItemModel;

// A menu of a model's items: one entry per row of the first column, a sub-menu for rows with children, the
// decoration as icon and a check mark for checkable items. It is rebuilt from the model each time it opens,
// so it always shows the model as it is.
class BV_HOST_EXPORT ModelMenu : public QMenu
{
    Q_OBJECT
public:
    explicit ModelMenu(QWidget* parent = nullptr);

    // The menu does not own the model.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return m_model; }
    void setRootIndex(const QModelIndex& root);
    // The role whose value is the entry's text (Qt::DisplayRole by default).
    void setTextRole(int role);
    int textRole() const { return m_textRole; }

    // Fills the menu with the root's rows, replacing what it held.
    void createBaseMenu();

Q_SIGNALS:
    void activated(const QModelIndex& index);

private:
    void fill(QMenu* menu, const QModelIndex& parent);

    QPointer<QAbstractItemModel> m_model;
    QPersistentModelIndex m_root;
    int m_textRole = Qt::DisplayRole;
};
