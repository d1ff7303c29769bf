#pragma once

#include "export/ifileexporterhandler.h"

#include <QCoreApplication>
#include <QScopedPointer>

class CSVHandlerPrivate;
class QVariant;

// The terminal's CSV: UTF-8 with a byte-order mark, ";" between fields, a line feed after each record, the
// columns' identifiers in the first line. A field holding ";", '"' or a line feed is quoted with inner quotes
// doubled; nothing else is. Dates are "dd.MM.yyyy", date-times "dd.MM.yyyy h:m:s:zzz".
class BASIC_VIEWS_EXPORT CSVHandler : public IFileExporterHandler
{
    Q_DECLARE_TR_FUNCTIONS(CSVHandler)
    Q_DECLARE_PRIVATE(CSVHandler)
public:
    CSVHandler();
    ~CSVHandler() override;

    QByteArray format() const override;
    bool begin(QIODevice* device, QAbstractItemModel* model) override;
    bool writeHeader() override;
    bool writeRow(int row) override;
    bool writeFooter() override;
    void end() override;
    QString lastError() override;

    // One value as a field: its text in the file's forms, quoted where needed.
    static QString fieldText(const QVariant& value);
    static QString escaped(const QString& text);
    static QString filterName();

protected:
    QString filterString() const override;

private:
    // A row as UTF-8 bytes with its line feed; safe from several threads where the model's reads are.
    QByteArray formatRow(int row) const;
    bool write(const QByteArray& bytes);

    Q_DISABLE_COPY(CSVHandler)
    QScopedPointer<CSVHandlerPrivate> d_ptr;
};
