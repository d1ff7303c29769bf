#pragma once

#include "basic_views_export.h"
#include "export/ifileexporterhandler.h"

#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QTimer>

class ExporterProxyModel;

class FileExporterPrivate;

// Writes windows to files, one export at a time from the event loop, in request order. Each request gets a
// token that finished() reports back exactly once. The format is the target's suffix; the formats are
// handlers owned by the exporter (CSV, dBASE IV and dBASE Level 7 are registered from the start).
//
// A file is written to a temporary file beside the target and replaces the target only when complete: a
// program reading the target never sees half a file, and a failed or cancelled export leaves the previous
// target as it was (and no file where there was none). A window closed while its rows are written fails its
// export ("Объект экспорта недоступен").
//
// The writing runs the event loop from inside (the progress dialog), so the queue never starts an export while
// the trader has a modal dialog or a pop-up open: the export would run inside that window's loop and stay stuck
// there, under it, until it closed. The queue waits for it instead.
class BASIC_VIEWS_EXPORT FileExporter : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FileExporter)
public:
    enum ExportStatus { Failed = 0, Written = 1, Cancelled = 2 };

    struct ExportParams
    {
        QSharedPointer<ExporterProxyModel> model;
        QString name; // shown in the progress text
        QFileInfo file;
        bool showMessageBox = false; // a failure also goes to a message box
        // Written while the trader works (a dynamic export): the progress window shows only when the writing
        // lasts, so that a periodic write takes nobody's focus.
        bool background = false;
    };

    static FileExporter* instance();
    ~FileExporter() override;

    QList<QByteArray> formats() const;
    // Null for an unknown format; a format is found whatever the case it is written in.
    IFileExporterHandler* handler(const QByteArray& format) const;
    QList<IFileExporterHandler*> handlers() const;
    // Takes ownership; replaces a handler of the same format. Ignores null and nameless handlers.
    void addHandler(IFileExporterHandler* handler);

    // The save-file dialog with the remembered directory and format; an empty QFileInfo when cancelled.
    QFileInfo askExportFile(const QString& name, const QString& caption);
    // Asks for the file, then queues the export; a cancelled dialog is reported as Cancelled after return.
    int exportModel(QSharedPointer<ExporterProxyModel>& model, const QString& name, const QString& caption);
    // Queues an export without dialogs; nothing is written before control returns to the event loop.
    int exportModel(const ExportParams& params);
    // The file-dialog filter: every format, then all files.
    QString filter() const;

Q_SIGNALS:
    void finished(int token, int status, const QString& error);
    // Around the writing of an export: model changes seen meanwhile come from switching the translation.
    void beginTranslatorUpdate();
    void endTranslatorUpdate();

private:
    FileExporter();
    int getToken();
    void processDelayed();
    ExportStatus processDelayed(const ExportParams& params, QString* error);
    void report(const ExportParams& params, const QString& error);
    static QString unavailable();
    QScopedPointer<FileExporterPrivate> m_d;
};
