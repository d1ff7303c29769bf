#include "filters/widgets/checklistfilterwidget.h"

#include "core/host/widgets/selectorwidget.h"
#include "filters/widgets/private/checklistfilterwidget_p.h"

#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
const int ValueRole = Qt::UserRole + 1;
} // namespace

CheckListFilterWidget::CheckListFilterWidget(QWidget* parent)
    : CheckListFilterWidget(*new CheckListFilterWidgetPrivate, parent)
{ }

CheckListFilterWidget::CheckListFilterWidget(CheckListFilterWidgetPrivate& dd, QWidget* parent)
    : FilterWidget(dd, parent)
{
    Q_D(CheckListFilterWidget);
    d->selector = new SelectorWidget(this);
    d->model = new QStandardItemModel(this);
    d->selector->setModel(d->model);
    contentLayout()->addWidget(d->selector);
    connect(d->model, &QStandardItemModel::itemChanged, this, [this] { notifyChanged(); });
}

SelectorWidget* CheckListFilterWidget::selector() const
{
    return d_func()->selector;
}

QStandardItemModel* CheckListFilterWidget::model() const
{
    return d_func()->model;
}

void CheckListFilterWidget::setItems(const QList<QPair<QString, QString>>& items, const QSet<QString>& unchecked)
{
    Q_D(CheckListFilterWidget);
    d->model->clear();
    for (const auto& [text, value] : items) {
        auto* item = new QStandardItem(text);
        item->setCheckable(true);
        item->setEditable(false);
        item->setCheckState(unchecked.contains(value) ? Qt::Unchecked : Qt::Checked);
        item->setData(value, ValueRole);
        d->model->appendRow(item);
    }
    checkAcceptable();
}

QString CheckListFilterWidget::valueAt(int row) const
{
    Q_D(const CheckListFilterWidget);
    return d->model->item(row)->data(ValueRole).toString();
}

bool CheckListFilterWidget::isChecked(int row) const
{
    Q_D(const CheckListFilterWidget);
    return d->model->item(row)->checkState() == Qt::Checked;
}

QStringList CheckListFilterWidget::checkedValues() const
{
    Q_D(const CheckListFilterWidget);
    QStringList values;
    for (int row = 0; row < d->model->rowCount(); ++row) {
        if (isChecked(row))
            values << valueAt(row);
    }
    return values;
}

int CheckListFilterWidget::checkedCount() const
{
    Q_D(const CheckListFilterWidget);
    return d->selector->checkedCount();
}

bool CheckListFilterWidget::isAllChecked() const
{
    Q_D(const CheckListFilterWidget);
    return checkedCount() == d->model->rowCount();
}

QString CheckListFilterWidget::refusal() const
{
    Q_D(const CheckListFilterWidget);
    return d->model->rowCount() > 0 && checkedCount() == 0 ? tr("Отметьте хотя бы одно значение") : QString();
}
