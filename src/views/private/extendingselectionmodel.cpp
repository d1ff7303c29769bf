#include "views/private/extendingselectionmodel.h"

#include <QAbstractItemView>

ExtendingSelectionModel::ExtendingSelectionModel(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent)
{
    // A selection changed by other means (clearSelection(), selected rows removed) ends the extension.
    connect(this, &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_selecting)
            endExtension();
    });
}

void ExtendingSelectionModel::install(QAbstractItemView* view)
{
    QAbstractItemModel* model = view->model();
    if (!model || qobject_cast<ExtendingSelectionModel*>(view->selectionModel()))
        return;
    QItemSelectionModel* made = view->selectionModel();
    auto* selection = new ExtendingSelectionModel(model, view);
    // As Qt does for the one it makes: the selection goes with its model.
    connect(model, &QObject::destroyed, selection, &QObject::deleteLater);
    view->setSelectionModel(selection);
    if (made && made->parent() == view)
        delete made;
}

void ExtendingSelectionModel::select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command)
{
    const bool extends = command.testFlag(Current) && (command & (Select | Deselect)) && !command.testFlag(Toggle);
    if (!extends) {
        endExtension();
        QItemSelectionModel::select(selection, command);
        return;
    }
    if (!m_extending) {
        m_base = command.testFlag(Clear) ? QItemSelection() : this->selection();
        m_extending = true;
    }
    QItemSelection all;
    for (const QItemSelectionRange& range : qAsConst(m_base)) {
        if (range.isValid()) // its rows may have gone meanwhile
            all << range;
    }
    all.merge(selection, command.testFlag(Deselect) ? Deselect : Select);
    m_selecting = true;
    QItemSelectionModel::select(all, ClearAndSelect | (command & (Rows | Columns)));
    m_selecting = false;
}

void ExtendingSelectionModel::clear()
{
    endExtension();
    QItemSelectionModel::clear();
}

void ExtendingSelectionModel::reset()
{
    endExtension();
    QItemSelectionModel::reset();
}

void ExtendingSelectionModel::endExtension()
{
    m_extending = false;
    m_base.clear();
}
