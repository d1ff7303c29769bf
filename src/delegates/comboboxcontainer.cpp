#include "delegates/comboboxcontainer.h"

#include <QComboBox>
#include <QVBoxLayout>

ComboBoxContainer::ComboBoxContainer(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ComboBoxContainer"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void ComboBoxContainer::setComboBox(QComboBox* comboBox)
{
    layout()->addWidget(comboBox);
    m_comboBox = comboBox;
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(comboBox);
}

ComboBoxContainerFactory::ComboBoxContainerFactory(QObject* parent)
    : QObject(parent)
{ }

ComboBoxContainer* ComboBoxContainerFactory::createContainer(QAbstractItemView*, QWidget* parent) const
{
    return new ComboBoxContainer(parent);
}

QComboBox* ComboBoxContainerFactory::createComboBox(
    QAbstractItemView*, ComboBoxContainer* container, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* combo = new QComboBox(container);
    if (m_model)
        combo->setModel(m_model);
    return combo;
}
