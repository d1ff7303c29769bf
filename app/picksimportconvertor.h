#pragma once

#include "export/fileimporterconvertor.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QVector>

class Table;

// Instruments for "Мои инструменты" from a file, read into a scratch table of the instruments' schema. The code
// ("Код") names the instrument; the market, the board or the instrument's number, when the file has them, tell
// apart instruments that share a code (market and board also by code or name, as "FUT" or "Фьючерсы"). A code on
// several boards with no board in the file means the first of them in key order. A header may name a column by its
// title or by the name an export of an instruments window writes for it ("board_name").
class PicksImportConvertor : public FileImporterConvertor
{
    Q_DECLARE_TR_FUNCTIONS(PicksImportConvertor)
public:
    // `cells`: the instruments' columns as the windows show them (not owned), for the names their exports write.
    // `stocks` and `boards` (either may be null) name the markets and boards.
    PicksImportConvertor(Table* securities, Table* stocks, Table* boards, const QAbstractItemModel* cells);

    // A scratch table to import into: the instruments' columns and key, no rows.
    static Table* newScratchTable(Table* securities);
    // The key texts of the imported rows, in the file's order, each once (the file may repeat an instrument).
    QStringList keysInFileOrder() const;

    QStringList colsMandatory() override;
    bool isMasterColumnsMandatory() const override;
    void begin() override;
    void setColumns(const QList<int>& tableColumns) override;
    void setupRecordKey(Record& record, const QList<QVariant>& values) const override;
    void commitRecord(RecordUpdater& updater) const override;
    QStringList getColAliases(const QString& column) override;

private:
    // The value of a table column in a row's values; empty when the file does not bring it.
    QString valueOf(const QList<QVariant>& values, int column) const;
    // Whether a file's text names the instrument's field: its value, or for a market or board the code or name
    // the reference table gives it.
    bool names(const Record& instrument, int column, const QString& text) const;

    QPointer<Table> m_securities;
    struct Reference
    {
        QPointer<Table> table;
        QString code;
        QString name;
    };
    QHash<int, Reference> m_references; // by the instruments' column
    QPointer<const QAbstractItemModel> m_cells;
    int m_code;
    int m_board;
    QList<int> m_keyColumns;
    QList<int> m_columns;
    QHash<QString, QVector<Record>> m_byCode; // instruments by code, in key order; filled by begin()
    mutable QStringList m_keys;
    mutable QSet<QString> m_seen;
};
