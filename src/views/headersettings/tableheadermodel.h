#pragma once

#include "basic_views_export.h"

#include <QAbstractTableModel>
#include <QScopedPointer>
#include <QVector>

class ItemModelWithDelegates;
class Settings;
class TableHeaderModelPrivate;

// The columns of a model as an editable list, in display order, each with a check box (shown or not): what
// the columns page of a window's settings edits. Rows move by drag and drop (TableHeaderMimeData) and by the
// page's buttons, which go through the same drop. Columns are identified by name (ColumnNameRole), so a
// layout read from settings survives columns added to or removed from the model.
//
// With the first column locked, the model's first column stays in row 0 whatever is dropped above it.
class BASIC_VIEWS_EXPORT TableHeaderModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TableHeaderModel)
public:
    enum Column { TitleColumn, NameColumn, TypeColumn, DescriptionColumn, FirstNameColumn, NumberColumn, ColumnCount };

    TableHeaderModel(ItemModelWithDelegates* source, QObject* parent = nullptr);
    // Offers only the given sections.
    TableHeaderModel(ItemModelWithDelegates* source, const QList<int>& sections, QObject* parent = nullptr);
    // Offers only the named columns; names the model lacks are ignored.
    TableHeaderModel(ItemModelWithDelegates* source, const QStringList& names, QObject* parent = nullptr);
    // Lists the source's rows instead of its columns when vertical.
    TableHeaderModel(ItemModelWithDelegates* source, Qt::Orientation orientation, QObject* parent = nullptr);
    ~TableHeaderModel() override;

    ItemModelWithDelegates* sourceModel() const;
    // The source section of a row; -1 outside.
    int sectionAt(int row) const;
    bool isChecked(int row) const;

    // Whether a source section is offered: not an internal column, in the offer list when there is one.
    virtual bool filterColumn(int section) const;
    // One entry per offered section in source order, checked when the source shows it. One model reset.
    void clear();
    // The stored layout ("all_columns", "Columns/<name>.visible"); offered columns it does not list follow,
    // unchecked. Without a stored layout, as clear(). One model reset.
    void read(const Settings& settings);
    // "Columns/<name>.visible" of every entry and "all_columns": the entries, then every other source column.
    // Stored widths are kept.
    void write(Settings& settings) const;

    bool isFirstColumnLocked() const;
    void setFirstColumnLocked(bool locked);
    void setFirstColumnIndex(int section);
    void setFirstColumnEnabled(bool enabled);
    // Moves the first column's entry back to row 0.
    void resetFirstColumn();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override;
    // Moves the dragged rows before `row` (-1: to the end), keeping their order; one row move each.
    bool dropMimeData(
        const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

protected:
    // Moves rows first..last so that they start at `to`; past the block they land after it.
    void move(int first, int last, int to);

private:
    void init();
    int sourceCount() const;
    QVariant sourceHeader(int section, int role) const;
    QString nameOf(int section) const;
    // Brings the entries into the order of `sections`, one row move per entry out of place.
    void reorder(const QVector<int>& sections);

    QScopedPointer<TableHeaderModelPrivate> m_d;
};
