#include "core/host/filters/keyfilterfunc_fast.h"

#include "core/db/table.h"

#include <cstring>

KeyFilterFunc_Fast::KeyFilterFunc_Fast(
    Table* table, const QList<KeyValue>& keys, const QList<int>& columns, QObject* parent)
    : FilterFunc(parent)
    , m_columns(columns)
{
    if (!table || columns.isEmpty())
        throw tr("Нет столбцов ключа для быстрого фильтра");
    const RowLayout& layout = table->layout();
    for (int i = 0; i < columns.size(); ++i) {
        const int c = columns.at(i);
        if (c < 0 || c >= table->columnCount())
            throw tr("Столбец %1 не найден в таблице '%2'").arg(c).arg(table->name());
        const FieldType::Type type = table->columnType(c);
        if (type == FieldType::Decimal || type == FieldType::XDecimal || type == FieldType::Double)
            throw tr("Столбец '%1' типа %2 нельзя сравнивать побайтно: равные значения могут храниться по-разному")
                .arg(table->columnName(c), FieldType::typeName(type));
        if (i > 0 && layout.offset(c) != layout.offset(columns.at(i - 1)) + layout.size(columns.at(i - 1)))
            throw tr("Столбцы ключа '%1' и '%2' таблицы '%3' не лежат в записи подряд")
                .arg(table->columnName(columns.at(i - 1)), table->columnName(c), table->name());
    }
    m_offset = layout.offset(columns.first());
    m_length = layout.offset(columns.last()) + layout.size(columns.last()) - m_offset;

    // One detached row per key gives the key's raw image.
    std::vector<QByteArray> images;
    for (const KeyValue& key : keys) {
        if (key.size() != columns.size())
            throw tr("Ключ '%1' не подходит к столбцам фильтра").arg(key.toString());
        Record row(table);
        for (int i = 0; i < columns.size(); ++i)
            row.data(columns.at(i)) = key.at(i); // throws for a value the column cannot hold
        images.emplace_back(reinterpret_cast<const char*>(row.rawData()) + m_offset, m_length);
    }
    std::sort(images.begin(), images.end());
    images.erase(std::unique(images.begin(), images.end()), images.end());
    for (const QByteArray& image : images)
        m_images.insert(m_images.end(), image.begin(), image.end());
    m_imageCount = int(images.size());
    if (m_length <= 8) {
        for (const QByteArray& image : images) {
            quint64 word = 0;
            std::memcpy(&word, image.constData(), std::size_t(m_length));
            m_words.push_back(word);
        }
        std::sort(m_words.begin(), m_words.end());
    }

    // A record without a value in a key column never matches, as with the field comparison.
    for (int c : columns) {
        const int byte = layout.valueBitOffset(c);
        const uchar mask = RowLayout::valueBitMask(c);
        if (!m_valueBits.empty() && m_valueBits.back().first == byte)
            m_valueBits.back().second |= mask;
        else
            m_valueBits.emplace_back(byte, mask);
    }
}

bool KeyFilterFunc_Fast::filter(const Record& record) const
{
    const uchar* raw = record.rawData();
    if (!raw)
        return false;
    for (const auto& [byte, mask] : m_valueBits) {
        if ((raw[byte] & mask) != mask)
            return false;
    }
    const uchar* key = raw + m_offset;
    if (m_length <= 8) {
        // A short key is one number: no memcmp, and a few keys are fastest compared all at once.
        quint64 word = 0;
        switch (m_length) { // fixed-size loads, not a call to memcpy
        case 2: {
            quint16 v;
            std::memcpy(&v, key, 2);
            word = v;
            break;
        }
        case 4: {
            quint32 v;
            std::memcpy(&v, key, 4);
            word = v;
            break;
        }
        case 8:
            std::memcpy(&word, key, 8);
            break;
        default:
            std::memcpy(&word, key, std::size_t(m_length));
        }
        if (m_words.size() <= 8) {
            bool found = false;
            for (const quint64 w : m_words)
                found |= w == word;
            return found;
        }
        return std::binary_search(m_words.begin(), m_words.end(), word);
    }
    int lo = 0;
    int hi = m_imageCount;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int c
            = std::memcmp(m_images.data() + std::size_t(mid) * std::size_t(m_length), key, std::size_t(m_length));
        if (c == 0)
            return true;
        if (c < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return false;
}

QString KeyFilterFunc_Fast::toString() const
{
    return QStringLiteral("KeyFilterFunc_Fast[%1 keys, bytes %2..%3]")
        .arg(m_imageCount)
        .arg(m_offset)
        .arg(m_offset + m_length);
}
