#include "delegates/comboboxcontainer.h"
#include "delegates/private/comboboxcontainer_p.h"

#include <QComboBox>
#include <QVBoxLayout>

ComboBoxContainer::ComboBoxContainer(QWidget* parent)
    : QWidget(parent)
    , m_d(new ComboBoxContainerPrivate)
{
    setObjectName(QStringLiteral("ComboBoxContainer"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

ComboBoxContainer::~ComboBoxContainer() = default;

void ComboBoxContainer::setComboBox(QComboBox* comboBox)
{
    Q_D(ComboBoxContainer);
    layout()->addWidget(comboBox);
    d->comboBox = comboBox;
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(comboBox);
}

ComboBoxContainerFactory::ComboBoxContainerFactory(QObject* parent)
    : QObject(parent)
    , m_d(new ComboBoxContainerFactoryPrivate)
{ }

ComboBoxContainerFactory::~ComboBoxContainerFactory() = default;

ComboBoxContainer* ComboBoxContainerFactory::createContainer(QAbstractItemView*, QWidget* parent) const
{
    return new ComboBoxContainer(parent);
}

QComboBox* ComboBoxContainerFactory::createComboBox(
    QAbstractItemView*, ComboBoxContainer* container, const QStyleOptionViewItem&, const QModelIndex&) const
{
    Q_D(const ComboBoxContainerFactory);
    auto* combo = new QComboBox(container);
    if (d->model)
        combo->setModel(d->model);
    return combo;
}

QComboBox* ComboBoxContainer::comboBox() const
{
    return d_func()->comboBox;
}

void ComboBoxContainerFactory::setModel(QAbstractItemModel* model)
{
    d_func()->model = model;
}

QAbstractItemModel* ComboBoxContainerFactory::model() const
{
    return d_func()->model;
}
