#pragma once

#include "core/db/indexlist.h"
#include "core/db/table.h"

#include <QStringList>

// An index that keeps the table's records in arrival order and writes down every notification it gets,
// with the values the records answer at that moment, so a test can check order, lists and old/new values.
class RecordingIndex : public IndexList
{
public:
    explicit RecordingIndex(Table* table, QString name = QStringLiteral("index"), int valueColumn = -1)
        : IndexList(table, true)
        , m_name(std::move(name))
        , m_valueColumn(valueColumn)
    { }

    QStringList calls;
    QStringList* sharedLog = nullptr; // a log several indexes write to, to check their order

    void build() override
    {
        log(QStringLiteral("build"));
        IndexList::build();
    }
    void clear() override
    {
        log(QStringLiteral("clear"));
        IndexList::clear();
    }
    void add(const Record& r) override
    {
        log(QStringLiteral("add %1").arg(describe(r)));
        IndexList::add(r);
    }
    void remove(const Record& r, int row) override
    {
        log(QStringLiteral("remove %1").arg(describe(r)));
        IndexList::remove(r, row);
    }
    void update(const Record& r, int first, int last, int row) override
    {
        log(QStringLiteral("update %1 [%2,%3]").arg(describe(r)).arg(first).arg(last));
        IndexList::update(r, first, last, row);
    }
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int first, int last,
        const QList<Record>& added, const QList<Record>& updatedNew) override
    {
        log(QStringLiteral("preprocess -%1 ~%2 +%3 [%4,%5] new%6")
                .arg(describeAll(removed), describeAll(updated), describeAll(added))
                .arg(first)
                .arg(last)
                .arg(describeAll(updatedNew)));
    }
    void process(const QList<Record>& removed, const QList<Record>& updated, int first, int last,
        const QList<Record>& added) override
    {
        log(QStringLiteral("process -%1 ~%2 +%3 [%4,%5]")
                .arg(describeAll(removed), describeAll(updated), describeAll(added))
                .arg(first)
                .arg(last));
        IndexList::process(removed, updated, first, last, added);
    }
    void beginUpdate() override { log(QStringLiteral("begin")); }
    void endUpdate() override { log(QStringLiteral("end")); }

    // Key text, and the value column's text when one was chosen: "7" or "7=100.5".
    QString describe(const Record& r) const
    {
        QString text = r.toString();
        if (m_valueColumn >= 0)
            text += QLatin1Char('=') + r.data(m_valueColumn).toString();
        return text;
    }
    QString describeAll(const QList<Record>& records) const
    {
        QStringList parts;
        for (const Record& r : records)
            parts << describe(r);
        return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    // The index's records in its order, by key text.
    QString rows() const
    {
        QStringList keys;
        for (const Record& r : *this)
            keys << r.toString();
        return keys.join(QLatin1Char(' '));
    }

private:
    void log(const QString& text)
    {
        calls << text;
        if (sharedLog)
            sharedLog->append(m_name + QLatin1Char(':') + text);
    }

    QString m_name;
    int m_valueColumn;
};
