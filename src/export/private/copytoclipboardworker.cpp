#include "export/private/copytoclipboardworker.h"

#include "core/db/decimal.h"
#include "core/host/progress/progressdialog.h"
#include "export/exporterproxymodel.h"
#include "export/private/exporttext.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QMimeData>

namespace {

// 40 Mi characters: a large window's text grows without reallocating.
const int ReservedCharacters = 41943040;

} // namespace

CopyToClipboardWorker::CopyToClipboardWorker(ProgressDialog* dialog, ExporterProxyModel* model)
    : ProgressWorker(dialog)
    , m_model(model)
{ }

QString CopyToClipboardWorker::cellText(const QVariant& value)
{
    if (value.userType() == QMetaType::QDateTime)
        return ExportText::dateTime(value.toDateTime(), true, QLocale::system().decimalPoint());
    if (value.userType() == qMetaTypeId<decimal>())
        return decimal::fromVariant(value).toString();
    return value.toString();
}

int CopyToClipboardWorker::run()
{
    QString text;
    text.reserve(ReservedCharacters);
    const int columns = m_model->columnCount();
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            text += QLatin1Char('\t');
        text += m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    text += QLatin1Char('\n');

    const int rows = m_model->rowCount();
    QElapsedTimer sincePause;
    sincePause.start();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += cellText(m_model->data(m_model->index(row, column), Qt::DisplayRole));
        }
        text += QLatin1Char('\n');
        if (sincePause.elapsed() > 20) {
            if (ProgressDialog* progress = dialog())
                progress->setProgress(int(qint64(row) * 100 / rows));
            if (!processEvents() || !m_model->sourceModel())
                return 0;
            sincePause.restart();
        }
    }
    auto* mime = new QMimeData;
    mime->setText(text);
    QApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    return 1;
}
