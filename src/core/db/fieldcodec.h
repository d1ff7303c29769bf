#pragma once

#include "core/db/bv_db_export.h"
#include "core/db/datetime.h"
#include "core/db/decimal.h"
#include "core/db/fieldtype.h"
#include "core/db/xdecimal.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringView>
#include <QVariant>

// Where one stored value lives: its type, its column length and its bytes in row layout.
struct FieldSlot
{
    FieldType::Type type = FieldType::Unknown;
    int length = 0;
    const uchar* data = nullptr;
    bool hasValue = false;
};

// A value offered to a field, before it is converted to the field's type. Built implicitly from every type a
// field can be assigned from; it refers to the caller's value and lives only for the assignment.
class BV_DB_EXPORT FieldInput
{
public:
    enum Kind { Null, Integer, Real, Fixed, WideFixed, Moment, Text, Character, Slot };

    FieldInput() = default;
    FieldInput(const FieldInput& other);
    FieldInput& operator=(const FieldInput&) = delete;
    FieldInput(bool value);
    FieldInput(int value);
    FieldInput(long value);
    FieldInput(long long value);
    FieldInput(unsigned value);
    FieldInput(unsigned long value);
    FieldInput(unsigned long long value);
    FieldInput(double value);
    FieldInput(const decimal& value);
    FieldInput(const xdecimal& value);
    FieldInput(const datetime& value);
    FieldInput(const QDateTime& value);
    FieldInput(const QDate& value);
    FieldInput(const QString& value);
    FieldInput(QStringView value);
    FieldInput(const char* value);
    FieldInput(QChar value);
    FieldInput(char value);
    FieldInput(const QVariant& value);
    FieldInput(const FieldSlot& value);
    template<typename T, typename = decltype(std::declval<const T&>().fieldSlot())>
    FieldInput(const T& value)
        : FieldInput(value.fieldSlot())
    { }

    Kind kind() const { return m_kind; }
    // The value as text for messages.
    QString describe() const;

private:
    friend struct FieldCodec;
    Kind m_kind = Null;
    qint64 m_integer = 0;
    double m_real = 0;
    xdecimal m_fixed;
    QStringView m_text;
    QString m_ownedText;
    QChar m_char;
    FieldSlot m_slot;
};

// Reads and writes values in row layout. Readers never allocate except for the texts they return.
struct BV_DB_EXPORT FieldCodec
{
    Q_DECLARE_TR_FUNCTIONS(Field)
public:
    static QString toString(const FieldSlot& slot);
    static QString toSystemString(const FieldSlot& slot);
    static QStringView toStringView(const FieldSlot& slot); // String and Char fields only
    static qint32 toInteger(const FieldSlot& slot);
    static qint64 toInteger64(const FieldSlot& slot);
    static double toDouble(const FieldSlot& slot);
    static decimal toDecimal(const FieldSlot& slot);
    static xdecimal toXDecimal(const FieldSlot& slot);
    static datetime toDatetime(const FieldSlot& slot);
    static QDate toQDate(const FieldSlot& slot);
    static QTime toQTime(const FieldSlot& slot);
    static QDateTime toQDateTime(const FieldSlot& slot);
    static QChar toChar(const FieldSlot& slot);
    static QVariant toVariant(const FieldSlot& slot);
    static qint64 rawInt64(const FieldSlot& slot);
    // Negative, zero or positive; a field without value sorts before every value.
    static int compare(const FieldSlot& a, const FieldSlot& b);

    // Converts `input` to the type of the slot and stores it at `data`; returns whether the field now has a
    // value. Throws a QString naming `fieldName` and changes nothing when the value does not fit.
    static bool write(FieldType::Type type, int length, uchar* data, const FieldInput& input, const QString& fieldName);
    static void clear(FieldType::Type type, int length, uchar* data);

private:
    [[noreturn]] static void throwWrongKind(
        FieldType::Type type, int length, const FieldInput& input, const QString& fieldName);
    [[noreturn]] static void throwOutOfRange(
        FieldType::Type type, int length, const QString& value, const QString& fieldName);
    static FieldInput fromSlot(const FieldSlot& slot);
};
