#pragma once

#include <Qt>

// Header roles every model of the library answers for its columns.
enum ColumnRoles {
    ColumnNameRole = Qt::UserRole, // the column's identifier
    ColumnTypeNameRole,
    ColumnVisibleRole,
    ColumnDescriptionRole,
    ColumnFirstNameRole,
    ColumnHiddenRole,
    ColumnVariantTypeRole,
    ColumnLengthRole,
    ColumnSampleTextRole,
};

// Item roles beyond Qt's.
enum ItemRoles {
    ChangeTimeRole = Qt::UserRole + 1, // a datetime: when a price changed
    ChangeDirectionRole = Qt::UserRole + 2, // an int: positive up, negative down, 0 unchanged
    GroupKeyRole = Qt::UserRole + 6,
    ItemLevelRole = Qt::UserRole + 7,
    NestedItemRole = Qt::UserRole + 8,
};
