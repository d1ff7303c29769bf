#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"
#include "filters/enumfilter.h"

#include <cstring>

// A field read as the integer stored in the row, without conversion: one load at a fixed offset.
class BASIC_VIEWS_EXPORT RawIntegerField
{
public:
    RawIntegerField() = default;
    RawIntegerField(const Table& table, int column);

    bool isValid() const { return m_size > 0; }
    qint64 read(const Record& record) const
    {
        const uchar* at = record.rawData() + m_offset;
        switch (m_size) {
        case 1:
            return *at;
        case 2: {
            quint16 v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        case 4: {
            quint32 v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        default: {
            qint64 v;
            std::memcpy(&v, at, sizeof v);
            return v;
        }
        }
    }

private:
    int m_offset = 0;
    int m_size = 0;
};

// An enumeration filter whose keys are bits of a mask. Excluding a key removes its bit from the shown mask,
// and the predicate is one fixed expression chosen by that mask when the predicate is made, so evaluating it
// costs a field read and a bit test or two.
class BASIC_VIEWS_EXPORT MaskFilter : public EnumFilter
{
    Q_OBJECT
public:
    MaskFilter(Table& table, int column, qint64 fullMask, QObject* parent = nullptr);

    // Keys in bit order, each the key column's value of its bit.
    QList<KeyValue> keys() const override;
    qint64 fullMask() const { return m_fullMask; }
    // The full mask without the excluded keys' bits.
    qint64 shownMask() const;

    FilterFunc* createFilterFunc(QObject* parent) const override;
    QString keyToText(const KeyValue& key) const override;
    KeyValue keyFromRecord(const Record& record) const override;

protected:
    // The predicate of a shown mask (never the full one: that passes everything).
    virtual FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const = 0;
    // The text of a key's bit, and the bit a record belongs to.
    virtual QString bitText(qint64 bit) const = 0;
    virtual qint64 bitOfRecord(const Record& record) const = 0;

    qint64 bitOf(const KeyValue& key) const;
    KeyValue keyOfBit(qint64 bit) const;

private:
    qint64 m_fullMask;
};
