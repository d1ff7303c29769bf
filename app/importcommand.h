#pragma once

#include "export/fileimporter.h"

#include <QObject>
#include <QPointer>

class HostWindow;
class ICore;
class MoneyLimits;
class QAction;
class QMdiArea;
class QMdiSubWindow;

// "Файл → Импорт...": loads a file into the table of the window in use, where a trader would load one. Into
// the money limits the import is one step of their undo stack ("Импорт из файла"), so that one undo takes the
// whole file back and the limits' file is written as after any edit. The outcome shows in a message box and
// in the notifications.
class ImportCommand : public QObject
{
    Q_OBJECT
public:
    ImportCommand(QMdiArea* area, MoneyLimits* limits, ICore* core, QObject* parent = nullptr);

    QAction* action() const { return m_action; }
    // Imports a chosen file into the active window's table, through the mapping wizard.
    FileImporter::Result importFile(const QFileInfo& file);

private:
    void onSubWindowActivated(QMdiSubWindow* window);
    void run();
    void show(const FileImporter::Result& result);

    QMdiArea* m_area; // not owned
    QPointer<MoneyLimits> m_limits;
    ICore* m_core; // not owned
    QAction* m_action;
};
