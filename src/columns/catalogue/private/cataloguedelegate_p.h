#pragma once

#include "columns/catalogue/cataloguedelegate.h"

// Read on every cell: subclasses' data follows in their own private classes.
class CatalogueDelegatePrivate
{
public:
    CatalogueDelegatePrivate(const ColumnHeaderInfo& header, FieldType::Type type, int variantType)
        : header(header)
        , type(type)
        , variantType(variantType)
    { }
    virtual ~CatalogueDelegatePrivate() = default;

    ColumnHeaderInfo header;
    FieldType::Type type;
    int variantType;
};

class TextColumnDelegatePrivate : public CatalogueDelegatePrivate
{
public:
    using CatalogueDelegatePrivate::CatalogueDelegatePrivate;

    TextColumnDelegate::Order order = TextColumnDelegate::FieldOrder;
};
