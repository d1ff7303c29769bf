#include "filters/widgets/checklistfilterwidget.h"

#include "core/host/widgets/selectorwidget.h"

#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
const int ValueRole = Qt::UserRole + 1;
} // namespace

CheckListFilterWidget::CheckListFilterWidget(QWidget* parent)
    : FilterWidget(parent)
    , m_selector(new SelectorWidget(this))
    , m_model(new QStandardItemModel(this))
{
    m_selector->setModel(m_model);
    contentLayout()->addWidget(m_selector);
    connect(m_model, &QStandardItemModel::itemChanged, this, [this] { notifyChanged(); });
}

void CheckListFilterWidget::setItems(const QList<QPair<QString, QString>>& items, const QSet<QString>& unchecked)
{
    m_model->clear();
    for (const auto& [text, value] : items) {
        auto* item = new QStandardItem(text);
        item->setCheckable(true);
        item->setEditable(false);
        item->setCheckState(unchecked.contains(value) ? Qt::Unchecked : Qt::Checked);
        item->setData(value, ValueRole);
        m_model->appendRow(item);
    }
    checkAcceptable();
}

QString CheckListFilterWidget::valueAt(int row) const
{
    return m_model->item(row)->data(ValueRole).toString();
}

bool CheckListFilterWidget::isChecked(int row) const
{
    return m_model->item(row)->checkState() == Qt::Checked;
}

QStringList CheckListFilterWidget::checkedValues() const
{
    QStringList values;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (isChecked(row))
            values << valueAt(row);
    }
    return values;
}

int CheckListFilterWidget::checkedCount() const
{
    return m_selector->checkedCount();
}

bool CheckListFilterWidget::isAllChecked() const
{
    return checkedCount() == m_model->rowCount();
}

QString CheckListFilterWidget::refusal() const
{
    return m_model->rowCount() > 0 && checkedCount() == 0 ? tr("Отметьте хотя бы одно значение") : QString();
}
