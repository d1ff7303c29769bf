#include "core/db/fieldvalue.h"

FieldValue::FieldValue(FieldType::Type type, int length)
    : m_type(type)
    , m_length(length)
    , m_bytes(FieldType::storageSize(type, length), '\0')
{ }

FieldValue::FieldValue(FieldType::Type type, int length, const FieldInput& value)
    : FieldValue(type, length)
{
    *this = value;
}

FieldValue& FieldValue::operator=(const FieldInput& value)
{
    if (m_type == FieldType::Unknown) {
        // An untyped value takes the type of what it is given.
        if (value.kind() == FieldInput::Slot || value.kind() == FieldInput::Null) {
            throw QCoreApplication::translate("Field", "Значение без типа: '%1'").arg(value.describe());
        }
        static const FieldType::Type byKind[] = { FieldType::Unknown, FieldType::Int64, FieldType::Double,
            FieldType::Decimal, FieldType::XDecimal, FieldType::DateTime, FieldType::String, FieldType::Char };
        m_type = byKind[value.kind()];
        m_length = m_type == FieldType::String ? qMax(1, value.describe().size()) : 0;
        m_bytes = QByteArray(FieldType::storageSize(m_type, m_length), '\0');
    }
    QByteArray bytes = m_bytes;
    bytes.detach();
    m_hasValue = FieldCodec::write(m_type, m_length, reinterpret_cast<uchar*>(bytes.data()), value, QString());
    m_bytes = bytes;
    return *this;
}

void FieldValue::clear()
{
    m_bytes.fill('\0');
    m_hasValue = false;
}

FieldSlot FieldValue::fieldSlot() const
{
    return FieldSlot { m_type, m_length, reinterpret_cast<const uchar*>(m_bytes.constData()), m_hasValue };
}

void FieldValue::copySlot(const FieldSlot& slot)
{
    m_type = slot.type;
    m_length = slot.length;
    m_hasValue = slot.hasValue;
    const int size = FieldType::storageSize(slot.type, slot.length);
    m_bytes = slot.data ? QByteArray(reinterpret_cast<const char*>(slot.data), size) : QByteArray(size, '\0');
}
