#pragma once

#include <QScopedPointer>

#include "delegates/itemdelegate.h"

class ComboBoxContainer;
class ComboBoxContainerFactory;

class ComboBoxDelegatePrivate;

// Edits a cell with a combo box made by a container factory. With close-editor-on-activate the list opens as
// soon as editing starts and picking an item commits it and closes the editor.
class BASIC_VIEWS_EXPORT ComboBoxDelegate : public ItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ComboBoxDelegate)
public:
    explicit ComboBoxDelegate(QObject* parent = nullptr);
    ~ComboBoxDelegate() override;

    void setCloseEditorOnActivate(bool on);
    bool closeEditorOnActivate() const;
    // The delegate does not own a factory it is given; the default one is its child.
    void setContainerFactory(ComboBoxContainerFactory* factory);
    ComboBoxContainerFactory* containerFactory() const;

    // A container with the factory's combo box; null when the factory makes no combo box.
    ComboBoxContainer* editor(const QStyleOptionViewItem& option, const QModelIndex& index, QWidget* parent) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Selects the item showing the cell's text (exact, case-sensitive), the first item when none does.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private Q_SLOTS:
    void onActivated();
};
