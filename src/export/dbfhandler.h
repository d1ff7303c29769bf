#pragma once

#include "export/ifileexporterhandler.h"

#include <QCoreApplication>
#include <QScopedPointer>

class DBFHandlerPrivate;

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
    Q_DECLARE_PRIVATE(DBFHandler)
public:
    enum DBF_Version { DBase4 = 4, DBase7 = 7 };

    explicit DBFHandler(DBF_Version version);
    ~DBFHandler() override;

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
    struct Field;
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

    Q_DISABLE_COPY(DBFHandler)
    QScopedPointer<DBFHandlerPrivate> d_ptr;
};
