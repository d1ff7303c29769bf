#pragma once

#include "basic_views_export.h"
#include "export/ifileimporterhandler.h"

#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QObject>
#include <QScopedPointer>
#include <QStringList>
#include <QVariant>

class FileImporterConvertor;
class QFile;
class QIODevice;
class Table;

class FileImporterPrivate;

// Loads rows from a file into a table: asks for the file, lets the trader map the file's columns to the
// table's on a one-page wizard over a preview, then reads the file under a progress dialog inside one records
// transaction. The format is the file's suffix; the formats are handlers owned by the importer (CSV from the
// start). Nothing is shown by the importer itself: the outcome is a Result for the caller to show.
class BASIC_VIEWS_EXPORT FileImporter : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FileImporter)
public:
    struct Result
    {
        QStringList summary;
        QStringList messages;
        int full = 0;
        int partial = 0;
        int skipped = 0;
        bool cancelled = false;
        // Whether reading reached the end of the file (no broken row, no refused mapping, not cancelled).
        bool complete = false;
    };

    static FileImporter* instance();
    ~FileImporter() override;

    QList<QByteArray> formats() const;
    // Null for an unknown format; a format is found whatever the case it is written in.
    IFileImporterHandler* handler(const QByteArray& format) const;
    QList<IFileImporterHandler*> handlers() const;

    // The open-file dialog with the remembered directory and format; an empty QFileInfo when cancelled.
    QFileInfo askImportFile(const QString& name, const QString& caption);
    // Runs the mapping wizard; an error text, "Отменено пользователем" when rejected, or empty.
    QString setupParamsUi(const QFileInfo& file, Table* table, FileImporterConvertor* convertor,
        QMap<QString, int>& mapping, QMap<QString, QVariant>& params);
    // The wizard, then the import.
    void importData(Result& result, const QFileInfo& file, Table* table, FileImporterConvertor* convertor);
    // The import with a known mapping (table column name -> file field) and format parameters.
    void importData(Result& result, const QFileInfo& file, Table* table, FileImporterConvertor* convertor,
        const QMap<QString, int>& mapping, const QMap<QString, QVariant>& params);

private:
    FileImporter();
    void addHandler(IFileImporterHandler* handler);
    void importData(Result& result, QIODevice* device, IFileImporterHandler* handler, Table* table,
        FileImporterConvertor* convertor, const QMap<QString, int>& mapping, const QMap<QString, QVariant>& params);
    QString setupHandlerDevice(const QFileInfo& file, IFileImporterHandler** handler, QFile& device) const;
    QString filter() const;
    QScopedPointer<FileImporterPrivate> m_d;
};
