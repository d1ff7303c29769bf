#include "views/viewwrapper.h"

#include "core/host/icore.h"
#include "core/host/progress/progressdialog.h"
#include "export/copytoclipboardworker.h"
#include "export/exporterproxymodel.h"

#include <QCoreApplication>

bool ViewWrapper::copyToClipboard(ExporterProxyModel* model)
{
    if (!model || !model->sourceModel())
        return false;
    ICore* core = ICore::instance();
    const bool wasBusy = core && core->setBusy(true);
    model->enterExport();

    ProgressDialog dialog;
    dialog.setWindowTitle(tr("Копирование"));
    dialog.setText(tr("Копирую в буфер обмена"));
    CopyToClipboardWorker worker(&dialog, model);
    const bool copied = dialog.execWorker(&worker) == 1;

    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    model->leaveExport();
    if (core)
        core->setBusy(wasBusy);
    return copied;
}
