#include "views/fitwidthaction.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

const char* const ColumnProperty = "FIT_COLUMN";

} // namespace

QAction* FitWidthAction::add(QMenu* menu, const QAbstractItemModel* model, int column)
{
    const QString title = model ? model->headerData(column, Qt::Horizontal).toString() : QString();
    QAction* action
        = menu->addAction(QCoreApplication::translate("FitWidthAction", "Подобрать ширину '%1'").arg(title));
    action->setProperty(ColumnProperty, column);
    return action;
}

int FitWidthAction::column(const QObject* sender)
{
    const QVariant column = sender ? sender->property(ColumnProperty) : QVariant();
    return column.isValid() ? column.toInt() : -1;
}
