#pragma once

#include "core/host/filters/valuefilter.h"

// A value filter whose value the user picks in a dialog.
class BV_HOST_EXPORT SelectFilter : public ValueFilter
{
    Q_OBJECT
public:
    SelectFilter(Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent = nullptr);

    // The text of the action that opens the dialog.
    virtual QString selectActionName() const = 0;
    // True when the user chose a value.
    virtual bool selectDialog(QWidget* parent) = 0;
};
