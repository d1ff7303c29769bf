#include "core/host/widgets/modelmenu.h"

#include <QAbstractItemModel>

ModelMenu::ModelMenu(QWidget* parent)
    : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, &ModelMenu::createBaseMenu);
}

void ModelMenu::setModel(QAbstractItemModel* model)
{
    m_model = model;
    m_root = QPersistentModelIndex();
    createBaseMenu();
}

void ModelMenu::setRootIndex(const QModelIndex& root)
{
    m_root = root;
    createBaseMenu();
}

void ModelMenu::setTextRole(int role)
{
    m_textRole = role;
    createBaseMenu();
}

void ModelMenu::createBaseMenu()
{
    // Sub-menus are children of their menus, which clear() leaves alive.
    qDeleteAll(findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    clear();
    if (!m_model)
        return;
    fill(this, m_root);
    if (isEmpty())
        addAction(tr("(нет)"))->setEnabled(false);
}

void ModelMenu::fill(QMenu* menu, const QModelIndex& parent)
{
    const int rows = m_model->rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_model->index(row, 0, parent);
        const QString text = m_model->data(index, m_textRole).toString();
        const QIcon icon = m_model->data(index, Qt::DecorationRole).value<QIcon>();
        const Qt::ItemFlags flags = m_model->flags(index);
        if (m_model->hasChildren(index)) {
            QMenu* sub = menu->addMenu(icon, text);
            fill(sub, index);
            continue;
        }
        QAction* action = menu->addAction(icon, text);
        action->setEnabled(flags & Qt::ItemIsEnabled);
        action->setToolTip(m_model->data(index, Qt::ToolTipRole).toString());
        const QVariant check = m_model->data(index, Qt::CheckStateRole);
        if (check.isValid()) {
            action->setCheckable(true);
            action->setChecked(check.toInt() == Qt::Checked);
        }
        const QPersistentModelIndex persistent(index);
        connect(action, &QAction::triggered, this, [this, persistent] {
            if (persistent.isValid())
                Q_EMIT activated(persistent);
        });
    }
}
