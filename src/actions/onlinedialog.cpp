#include "actions/onlinedialog.h"

#include "core/host/connectionsmanager.h"
#include "core/host/icore.h"

#include <QMessageBox>
#include <QPointer>

bool OnlineDialog::showDialog()
{
    const ConnectionsManager* connections = ConnectionsManager::instance();
    if (connections && connections->status() == ConnectionsManager::Connected)
        return true;
    // On the heap and guarded: the main window that parents it may close while it is up.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Warning, tr("Предупреждение"),
        tr("Выполнить действие невозможно, так как нет активных подключений. Пожалуйста, подключитесь."),
        QMessageBox::Ok, ICore::dialogParent());
    box->exec();
    delete box;
    return false;
}
