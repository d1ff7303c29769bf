#pragma once

#include "basic_views_export.h"

#include <QComboBox>
#include <QPointer>

class QAbstractItemModel;
class QAbstractItemView;
class QModelIndex;
class QStyleOptionViewItem;

// The editor widget of a ComboBoxDelegate: a frame without margins around its combo box, which takes the
// focus for it. Subclasses may add widgets around the combo box.
class BASIC_VIEWS_EXPORT ComboBoxContainer : public QWidget
{
    Q_OBJECT
public:
    explicit ComboBoxContainer(QWidget* parent = nullptr);
    virtual void setComboBox(QComboBox* comboBox);
    QComboBox* comboBox() const { return m_comboBox; }

private:
    QPointer<QComboBox> m_comboBox;
};

// Makes the editors of a ComboBoxDelegate. The default one shows its model's items (when it has a model);
// subclasses override both calls to fill the list for the edited cell.
class BASIC_VIEWS_EXPORT ComboBoxContainerFactory : public QObject
{
    Q_OBJECT
public:
    explicit ComboBoxContainerFactory(QObject* parent = nullptr);

    void setModel(QAbstractItemModel* model) { m_model = model; }
    QAbstractItemModel* model() const { return m_model; }

    virtual ComboBoxContainer* createContainer(QAbstractItemView* view, QWidget* parent) const;
    // Null makes no editor.
    virtual QComboBox* createComboBox(QAbstractItemView* view, ComboBoxContainer* container,
        const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    QPointer<QAbstractItemModel> m_model; // not owned
};
