#pragma once

#include "basic_views_export.h"

#include <QAbstractListModel>
#include <QList>
#include <QScopedPointer>

class CheckedItemModelByTablePrivate;

// A list of text values with check boxes, in ascending order of the values, that a subclass fills from a table.
// populate() merges a fresh list into the shown one: values that went leave, values that came arrive (as the
// subclass checks them), and values that stay keep the user's marks.
class BASIC_VIEWS_EXPORT CheckedItemModelByTable : public QAbstractListModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, CheckedItemModelByTable)
public:
    struct Item
    {
        bool checked = false;
        QString value;
    };

    explicit CheckedItemModelByTable(QObject* parent = nullptr);
    ~CheckedItemModelByTable() override;

    bool itemsCheckable() const;
    // A change emits one dataChanged over every row.
    void setItemsCheckable(bool checkable);

    QStringList values() const;
    QStringList checkedValues() const;
    // True for an empty model.
    bool allItemsChecked() const;
    bool allItemsUnchecked() const;

    // Reads the table again (fillListFromTable) and merges: an empty model takes the list in one insertion, an
    // empty list empties the model in one removal; otherwise each run of values that went is removed and each run
    // of values that came is inserted, one signal per run.
    void populate();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Check states only. An invalid index sets every item (checked for a non-zero value) in one model reset; an
    // item's own mark changes with one dataChanged, false when it had that mark already.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::CheckStateRole) override;

protected:
    // The table's values now, each once, sorted by value.
    virtual void fillListFromTable(QList<Item>& list) = 0;

private:
    bool allMarked(bool checked) const;

    QScopedPointer<CheckedItemModelByTablePrivate> m_d;
};
