#pragma once

#include "export/fileimporter.h"

#include <QObject>
#include <QPointer>

class HostWindow;
class ICore;
class InstrumentPicks;
class MoneyLimits;
class QAction;
class QMdiArea;
class QMdiSubWindow;

// "Файл → Импорт...": loads a file into what the window in use shows, where a trader would load one. Into the
// money limits the import is one step of their undo stack ("Импорт из файла"), so that one undo takes the whole
// file back and the limits' file is written as after any edit. Into "Мои инструменты" the file's instruments are
// added after those listed, in the file's order. The outcome shows in a message box and in the notifications.
class ImportCommand : public QObject
{
    Q_OBJECT
public:
    ImportCommand(QMdiArea* area, MoneyLimits* limits, InstrumentPicks* picks, ICore* core, QObject* parent = nullptr);

    QAction* action() const { return m_action; }
    // Imports a chosen file into the active window's table, through the mapping wizard.
    FileImporter::Result importFile(const QFileInfo& file);

protected:
    bool event(QEvent* event) override;

private:
    void retranslate();
    enum Target { None, Limits, Picks };

    void onSubWindowActivated(QMdiSubWindow* window);
    void run();
    FileImporter::Result importInto(Target target, const QFileInfo& file);
    FileImporter::Result importLimits(const QFileInfo& file);
    FileImporter::Result importPicks(const QFileInfo& file);
    void show(const FileImporter::Result& result);

    QMdiArea* m_area; // not owned
    QPointer<MoneyLimits> m_limits;
    QPointer<InstrumentPicks> m_picks;
    Target m_target = None;
    ICore* m_core; // not owned
    QAction* m_action;
};
