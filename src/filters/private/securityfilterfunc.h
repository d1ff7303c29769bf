#pragma once

#include "basic_views_export.h"
#include "core/db/keyvalue.h"
#include "core/host/filters/filterfunc.h"

class Table;

// Passes records of the selected instruments (stock, board, security in the first three key columns). A
// board-3 instrument stands for the real one it trades (SecurityDirectory::realRecordById); one the directory
// does not know is left out. No selection passes nothing.
class BASIC_VIEWS_EXPORT SecurityFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    SecurityFilterFunc(
        Table* table, const QList<KeyValue>& keys, const QList<int>& keyColumns, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
    int templateCount() const { return m_templates.size(); }

private:
    int m_stock = -1;
    int m_board = -1;
    int m_sec = -1;
    QList<Record> m_templates;
};
