#pragma once

#include "basic_views_export.h"

#include <QComboBox>
#include <QPointer>
#include <QScopedPointer>

class QAbstractItemModel;
class QAbstractItemView;
class QModelIndex;
class QStyleOptionViewItem;

class ComboBoxContainerPrivate;

// The editor widget of a ComboBoxDelegate: a frame without margins around its combo box, which takes the
// focus for it. Subclasses may add widgets around the combo box.
class BASIC_VIEWS_EXPORT ComboBoxContainer : public QWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ComboBoxContainer)
public:
    explicit ComboBoxContainer(QWidget* parent = nullptr);
    ~ComboBoxContainer() override;
    virtual void setComboBox(QComboBox* comboBox);
    QComboBox* comboBox() const;

private:
    QScopedPointer<ComboBoxContainerPrivate> m_d;
};

class ComboBoxContainerFactoryPrivate;

// Makes the editors of a ComboBoxDelegate. The default one shows its model's items (when it has a model);
// subclasses override both calls to fill the list for the edited cell.
class BASIC_VIEWS_EXPORT ComboBoxContainerFactory : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ComboBoxContainerFactory)
public:
    explicit ComboBoxContainerFactory(QObject* parent = nullptr);
    ~ComboBoxContainerFactory() override;

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const;

    virtual ComboBoxContainer* createContainer(QAbstractItemView* view, QWidget* parent) const;
    // Null makes no editor.
    virtual QComboBox* createComboBox(QAbstractItemView* view, ComboBoxContainer* container,
        const QStyleOptionViewItem& option, const QModelIndex& index) const;

private:
    QScopedPointer<ComboBoxContainerFactoryPrivate> m_d;
};
