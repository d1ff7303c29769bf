#include "core/db/recordupdater.h"

#include "core/db/recordstrans.h"
#include "core/db/table.h"

RecordUpdater::RecordUpdater(const Record& record, RecordsTrans& trans, int row)
    : m_record(record)
    , m_trans(trans)
{
    Q_UNUSED(row)
    if (record.isNull())
        throw tr("Пустая запись не может войти в транзакцию");
    if (record.table() != trans.table())
        throw tr("Запись таблицы '%1' не может войти в транзакцию таблицы '%2'")
            .arg(record.table()->name(), trans.table()->name());
    m_staged = trans.stage(record);
}

void RecordUpdater::copy(const Record& source, int firstColumn, int lastColumn)
{
    if (source.isNull())
        return;
    const int columns = m_staged.table()->columnCount();
    const int last = lastColumn < 0 ? columns - 1 : qMin(lastColumn, columns - 1);
    if (source.table() == m_staged.table()) {
        for (int c = qMax(firstColumn, 0); c <= last; ++c)
            m_staged.data(c) = source.data(c);
        return;
    }
    for (int c = qMax(firstColumn, 0); c <= last; ++c) {
        const Field from = source.data(m_staged.table()->columnName(c));
        if (from.isValid())
            m_staged.data(c) = from;
    }
}

void RecordUpdater::remove()
{
    m_trans.stageRemoval(m_record);
}
