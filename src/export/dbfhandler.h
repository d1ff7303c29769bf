#pragma once

#include "export/ifileexporterhandler.h"
#include "export/rowblocks.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QMap>
#include <QVector>

// A model as a dBASE table, byte for byte: dBASE IV ("dbf") or dBASE Level 7 ("dbf7"). Field types and widths
// come from the columns' value types and lengths; texts are in the code page the application settings name
// ("exporter/codepage": "cp866", the default, or "cp1251"). A character the code page cannot hold is written as
// "?", one byte for one character, so no field ever shifts.
//
// What the format cannot hold is refused by writeHeader() before a byte is written: records longer than
// 65,534 bytes, more columns than the 16-bit header length allows, a column name without a free unique form.
class BASIC_VIEWS_EXPORT DBFHandler : public IFileExporterHandler
{
    Q_DECLARE_TR_FUNCTIONS(DBFHandler)
public:
    enum DBF_Version { DBase4 = 4, DBase7 = 7 };

    explicit DBFHandler(DBF_Version version);

    QByteArray format() const override;
    bool begin(QIODevice* device, QAbstractItemModel* model) override;
    bool writeHeader() override;
    bool writeRow(int row) override;
    bool writeFooter() override;
    void end() override;
    // The reason writeHeader() refused the columns, else the device's error.
    QString lastError() override;

    // The code page the settings choose and its language driver byte.
    static QByteArray codePage(quint8* driver = nullptr);

protected:
    QString filterString() const override;

private:
    struct Field
    {
        QByteArray name;
        char letter = 'C';
        int width = 0;
        int decimals = 0;
        int type = 0; // the column's QVariant type id
    };
    // Field type, width and decimals of a column of value type `type` and length `length`.
    Field describe(int type, int length) const;
    // The column name as a field name unique among `used`; empty when no unique form is left.
    QByteArray uniqueName(const QString& name, QList<QByteArray>& used) const;
    QByteArray encoded(const QString& text) const;
    void putField(char* at, const Field& field, const QVariant& value) const;
    // A record, deletion flag first; safe from several threads where the model's reads are.
    QByteArray formatRow(int row) const;
    int getRecordSize(int column) const;
    bool refuse(const QString& reason);

    DBF_Version m_version;
    QMap<int, Field> m_columns;
    QByteArray m_codePage;
    quint8 m_driver = 0x65;
    int m_recordLength = 0;
    QVector<uchar> m_toCodePage; // byte of each UTF-16 code unit in the code page; 0 where it has none
    QAbstractItemModel* m_model = nullptr; // not owned
    QDataStream m_stream;
    RowBlocks m_rows;
    QString m_error;
};
