#include "filters/private/securityfilterfunc.h"

#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"

SecurityFilterFunc::SecurityFilterFunc(
    Table* table, const QList<KeyValue>& keys, const QList<int>& keyColumns, QObject* parent)
    : FilterFunc(parent)
{
    if (keyColumns.size() < 3)
        return;
    m_stock = keyColumns.at(0);
    m_board = keyColumns.at(1);
    m_sec = keyColumns.at(2);
    for (const KeyValue& key : keys) {
        if (key.size() < 3)
            continue;
        int stock = key.at(0).toInteger();
        int board = key.at(1).toInteger();
        qint64 sec = key.at(2).toInteger64();
        if (stock == 1 && board == 3) {
            const Record real = SecurityDirectory::i()->realRecordById(stock, board, sec);
            if (real.isNull())
                continue;
            stock = real.data(QStringLiteral("stock_id")).toInteger();
            board = real.data(QStringLiteral("board_id")).toInteger();
            sec = real.data(QStringLiteral("sec_id")).toInteger64();
        }
        Record t(table);
        t.data(m_stock) = stock;
        t.data(m_board) = board;
        t.data(m_sec) = sec;
        m_templates << t;
    }
}

bool SecurityFilterFunc::filter(const Record& record) const
{
    for (const Record& t : m_templates) {
        if (t.data(m_sec) == record.data(m_sec) && t.data(m_board) == record.data(m_board)
            && t.data(m_stock) == record.data(m_stock))
            return true;
    }
    return false;
}

QString SecurityFilterFunc::toString() const
{
    QStringList keys;
    for (const Record& t : m_templates)
        keys << QStringLiteral("%1:%2:%3")
                    .arg(t.data(m_stock).toString(), t.data(m_board).toString(), t.data(m_sec).toString());
    return QStringLiteral("SecurityFilterFunc[%1]").arg(keys.join(QLatin1Char('|')));
}
