#pragma once

#include "basic_views_export.h"
#include "core/host/filters/keyfilterfunc.h"
#include "core/host/filters/keyfilterfunc_fast.h"

// Passes records whose key is not among the excluded keys (all records when none is excluded).
class BASIC_VIEWS_EXPORT EnumFilterFunc : public KeyFilterFunc
{
    Q_OBJECT
public:
    EnumFilterFunc(Table* table, const QList<KeyValue>& excluded, const QList<int>& columns, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
};

// The same on raw row bytes; the constructor throws a QString when the key columns cannot be compared so.
class BASIC_VIEWS_EXPORT EnumFilterFunc_Fast : public KeyFilterFunc_Fast
{
    Q_OBJECT
public:
    EnumFilterFunc_Fast(
        Table* table, const QList<KeyValue>& excluded, const QList<int>& columns, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
};
