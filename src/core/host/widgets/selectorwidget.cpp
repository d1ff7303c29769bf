#include "core/host/widgets/selectorwidget.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

SelectorWidget::SelectorWidget(QWidget* parent)
    : QWidget(parent)
    , m_view(new QListView(this))
{
    auto* all = new QPushButton(tr("Отметить все"), this);
    auto* none = new QPushButton(tr("Снять все"), this);
    all->setObjectName(QStringLiteral("checkAll"));
    none->setObjectName(QStringLiteral("uncheckAll"));
    connect(all, &QPushButton::clicked, this, [this] { setAllChecked(true); });
    connect(none, &QPushButton::clicked, this, [this] { setAllChecked(false); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
}

void SelectorWidget::setModel(QStandardItemModel* model)
{
    m_model = model;
    m_view->setModel(model);
}

void SelectorWidget::setAllChecked(bool checked)
{
    if (!m_model)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (QStandardItem* item = m_model->item(row))
            item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

int SelectorWidget::checkedCount() const
{
    int count = 0;
    for (int row = 0; m_model && row < m_model->rowCount(); ++row)
        count += m_model->item(row)->checkState() == Qt::Checked;
    return count;
}
