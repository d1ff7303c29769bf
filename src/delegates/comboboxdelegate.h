#pragma once

#include "delegates/itemdelegate.h"

class ComboBoxContainer;
class ComboBoxContainerFactory;

// Edits a cell with a combo box made by a container factory. With close-editor-on-activate the list opens as
// soon as editing starts and picking an item commits it and closes the editor.
class BASIC_VIEWS_EXPORT ComboBoxDelegate : public ItemDelegate
{
    Q_OBJECT
public:
    explicit ComboBoxDelegate(QObject* parent = nullptr);

    void setCloseEditorOnActivate(bool on) { m_closeEditorOnActivate = on; }
    bool closeEditorOnActivate() const { return m_closeEditorOnActivate; }
    // The delegate does not own a factory it is given; the default one is its child.
    void setContainerFactory(ComboBoxContainerFactory* factory) { m_factory = factory; }
    ComboBoxContainerFactory* containerFactory() const { return m_factory; }

    // A container with the factory's combo box; null when the factory makes no combo box.
    ComboBoxContainer* editor(const QStyleOptionViewItem& option, const QModelIndex& index, QWidget* parent) const;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Selects the item showing the cell's text (exact, case-sensitive), the first item when none does.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private Q_SLOTS:
    void onActivated();

private:
    bool m_closeEditorOnActivate = false;
    ComboBoxContainerFactory* m_factory; // not owned unless it is the default child
};
