#pragma once

#include "basic_views_export.h"

#include <QHeaderView>
#include <QList>
#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>

class DynamicExporter;
class ExporterProxyModel;
class IView;
class QAbstractItemModel;
class QAbstractItemView;
class QAction;
class Settings;
class ViewWrapperPrivate;

// The three standard actions of a data window over its item view: copy to the clipboard, export to a file and
// dynamic (periodic) export. The wrapper is the item view's child; its actions are added to the item view.
// Subclasses say which model columns are "all" and which are visible for their kind of view.
class BASIC_VIEWS_EXPORT ViewWrapper : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ViewWrapper)
public:
    ViewWrapper(IView* view, QAbstractItemView* itemView);
    ~ViewWrapper() override;

    // Copy, export, dynamic export.
    QList<QAction*> actions() const;
    QAction* copyToClipboardAction() const;
    QAction* exportAction() const;
    QAction* exportDynamicAction() const;
    DynamicExporter* dynamicExporter() const;
    QAbstractItemView* itemView() const;
    QHeaderView* header() const;
    // The model copies and exports read: the one set here, else the item view's. A view that shows its model
    // through another (rows held while reading) sets the live one.
    const QAbstractItemModel* model() const;
    void setModel(const QAbstractItemModel* model);

    // Every column when the setting "exportAllColumns" (group "exporter", default true) is on; otherwise the
    // visible ones, or every column when none is visible.
    QList<int> columnsExport() const;
    virtual QList<int> columnsAll(const QAbstractItemModel* model) const = 0;
    // In the header's visual order.
    virtual QList<int> columnsVisible(const QAbstractItemModel* model, const QHeaderView* header) const = 0;
    virtual QSharedPointer<ExporterProxyModel> createProxyModel(
        const QAbstractItemModel* model, const QList<int>& columns) const;

    // The dynamic export's file, interval and state; an export that ran when stored restarts 2 s after restore.
    void store(Settings& settings) const;
    void restore(const Settings& settings);

    // Defines the looks of the commands "CopyToClipboard", "Export" and "ExportDynamic" that the host has not
    // defined itself, so that its menus can show them before any window exists.
    static void defineCommands();
    // Sets the texts of the commands defined above again, in the application's language now.
    static void translateCommands();
    // Copies the model's rows as tab-separated text, headed by the column titles, to the clipboard, under a
    // cancellable progress dialog; a cancelled copy leaves the clipboard as it was. True when copied.
    static bool copyModelToClipboard(ExporterProxyModel* model);

public Q_SLOTS:
    // The visible columns, as the user sees them.
    void copyToClipboard();
    // Asks for a file and queues the export.
    void exportTable();
    // On: asks for the file and interval and starts at once; a refused set-up unchecks the action again.
    void exportDynamic(bool on);
    // Stops a running export and, when `force` or it was running, starts it again over the current columns
    // after `delayMs`.
    void restartDynamicExport(bool force, int delayMs);
    // The header whose columns are visible; a new one restarts a running export.
    void setHeader(QHeaderView* header);

protected Q_SLOTS:
    void onDynamicExportStatusChanged();

private:
    QSharedPointer<ExporterProxyModel> exportModel() const;
    void notify(const QString& text) const;
    // What names the window's copies and exports.
    QString viewTitle() const;

    QScopedPointer<ViewWrapperPrivate> m_d;
};
