#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QPointer>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QTimer>

#include <limits>

class ExporterProxyModel;
class IView;
class QAbstractItemModel;
class Settings;

class DynamicExporterPrivate;

// Keeps a file up to date with a window: every interval it re-writes the window's table through the file
// exporter, but only when the table changed since the last write.
//
//   inactive --start()--> waiting --tick with changes / first write--> writing --finished--> waiting
//   waiting, writing --stop()--> inactive;  writing --cancelled--> inactive
//
// A failed write keeps the export running (the file exporter reports the error) and is tried again at the next
// tick. A change that comes while a write runs is written at a later tick; a write asked for while one is still
// outstanding (a set-up made again meanwhile) follows it at once. A write still queued when the export stops is
// left to finish and leaves the exporter inactive. While active the exporter is listed in
// DynamicExporterModel. GUI thread only.
class BASIC_VIEWS_EXPORT DynamicExporter : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DynamicExporter)
    Q_DISABLE_COPY(DynamicExporter)
public:
    DynamicExporter(IView* view, QObject* parent = nullptr);
    ~DynamicExporter() override;

    // The longest interval, in seconds: whole minutes a timer can still measure in milliseconds (about 24 days).
    static constexpr int MaxInterval = std::numeric_limits<int>::max() / 60000 * 60;

    IView* view() const;
    // The view's window title: what names the export.
    QString title() const;
    QString fileName() const;
    // Seconds.
    int interval() const;
    bool isActive() const;
    bool isExporting() const;
    QSharedPointer<ExporterProxyModel> model() const;

    // Asks the user for the file and interval; false when the dialog is cancelled.
    bool setup(const QSharedPointer<ExporterProxyModel>& model);
    // Takes the model, file and interval (seconds, at most MaxInterval); the first write will happen. Returns true.
    bool setup(const QSharedPointer<ExporterProxyModel>& model, const QString& fileName, int interval);
    // Writes once after `delayMs`, then at each tick after a change. Nothing without a live model or when
    // already running.
    void start(int delayMs = 0);
    void stop();

    // Group "DynamicExporter": "fileName", "interval", "enabled" (active when stored).
    void store(Settings& settings) const;
    // Reads the file and interval back; returns whether the export was active when stored.
    bool restore(const Settings& settings);

Q_SIGNALS:
    void started();
    void stopped();

protected:
    void stopInternal();
    void doExport();

protected Q_SLOTS:
    void onTimerTimeoout();
    void onModelChanged();
    void onExportFinished(int token, int status, const QString& error);
    void onBeginTranslatorUpdate();
    void onEndTranslatorUpdate();

private:
    QScopedPointer<DynamicExporterPrivate> m_d;
};
