#include "delegates/comboboxdelegate.h"
#include "delegates/private/comboboxdelegate_p.h"

#include "delegates/comboboxcontainer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTimer>

ComboBoxDelegate::ComboBoxDelegate(QObject* parent)
    : ItemDelegate(*new ComboBoxDelegatePrivate, parent)
{
    Q_D(ComboBoxDelegate);
    d->factory = new ComboBoxContainerFactory(this);
}

ComboBoxDelegate::~ComboBoxDelegate() = default;

ComboBoxContainer* ComboBoxDelegate::editor(
    const QStyleOptionViewItem& option, const QModelIndex& index, QWidget* parent) const
{
    Q_D(const ComboBoxDelegate);
    auto* view = qobject_cast<QAbstractItemView*>(const_cast<QWidget*>(option.widget));
    ComboBoxContainer* container = d->factory->createContainer(view, parent);
    QComboBox* combo = d->factory->createComboBox(view, container, option, index);
    if (!combo) {
        delete container;
        return nullptr;
    }
    container->setComboBox(combo);
    return container;
}

QWidget* ComboBoxDelegate::createEditor(
    QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ComboBoxDelegate);
    ComboBoxContainer* container = editor(option, index, parent);
    if (!container)
        return nullptr;
    QComboBox* combo = container->comboBox();
    connect(combo, QOverload<int>::of(&QComboBox::activated), this, &ComboBoxDelegate::onActivated);
    // Opened once the view has placed and shown the editor; nothing happens if it is gone by then.
    if (d->closeEditorOnActivate)
        QTimer::singleShot(0, combo, &QComboBox::showPopup);
    return container;
}

void ComboBoxDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* container = qobject_cast<ComboBoxContainer*>(editor);
    if (!container || !container->comboBox())
        return ItemDelegate::setEditorData(editor, index);
    QComboBox* combo = container->comboBox();
    const int found
        = combo->findData(index.data(Qt::DisplayRole), Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(found >= 0 ? found : 0);
}

void ComboBoxDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* container = qobject_cast<ComboBoxContainer*>(editor);
    if (!container || !container->comboBox())
        return ItemDelegate::setModelData(editor, model, index);
    commitModelData(editor, model, index, container->comboBox()->currentText(), Qt::EditRole);
}

QSize ComboBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    ComboBoxContainer* probe = editor(option, index, nullptr);
    if (!probe)
        return ItemDelegate::sizeHint(option, index);
    const QSize size = probe->sizeHint();
    delete probe;
    return size;
}

void ComboBoxDelegate::onActivated()
{
    Q_D(ComboBoxDelegate);
    auto* combo = qobject_cast<QComboBox*>(sender());
    QWidget* container = combo ? combo->parentWidget() : nullptr;
    if (!container)
        return;
    Q_EMIT commitData(container);
    if (d->closeEditorOnActivate)
        Q_EMIT closeEditor(container);
}

void ComboBoxDelegate::setCloseEditorOnActivate(bool on)
{
    d_func()->closeEditorOnActivate = on;
}

bool ComboBoxDelegate::closeEditorOnActivate() const
{
    return d_func()->closeEditorOnActivate;
}

void ComboBoxDelegate::setContainerFactory(ComboBoxContainerFactory* factory)
{
    d_func()->factory = factory;
}

ComboBoxContainerFactory* ComboBoxDelegate::containerFactory() const
{
    return d_func()->factory;
}
