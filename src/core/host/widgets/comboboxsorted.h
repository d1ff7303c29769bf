#pragma once

#include "core/host/bv_host_export.h"

#include <QComboBox>

class QSortFilterProxyModel;

// A combo box showing a model sorted by one column and role, and kept sorted as the model changes; the current
// item stays current through re-sorts.
class BV_HOST_EXPORT ComboBoxSorted : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBoxSorted(QWidget* parent = nullptr);

    // The box does not own the model. The column is also the one shown.
    void setSortedModel(QAbstractItemModel* model, int column, int role = Qt::DisplayRole,
        Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive, bool ascending = true);
    QAbstractItemModel* sourceModel() const;
    // The source model's index of the current item; invalid when none.
    QModelIndex currentSourceIndex() const;

private:
    QSortFilterProxyModel* m_sorted;
};
