#include "export/private/filechoice.h"

#include "core/db/appsettings.h"

#include <QDir>
#include <QRegularExpression>

namespace {

const QString FilterKey = QStringLiteral("filter");
const QString PathKey = QStringLiteral("filePath");

} // namespace

QString FileChoice::filterEntry(const QString& name, const QByteArray& format)
{
    return QStringLiteral("%1 (*.%2)").arg(name, QString::fromLatin1(format));
}

QFileInfo FileChoice::ask() const
{
    AppSettings settings(group);
    const QString remembered = entryOf(settings.value(FilterKey).toString());
    const QString directory = settings.value(PathKey).toString();

    QFileDialog dialog(nullptr, caption, !directory.isEmpty() && QDir(directory).exists() ? directory : QString());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!remembered.isEmpty())
        dialog.selectNameFilter(remembered);
    if (dialog.exec() != QDialog::Accepted)
        return QFileInfo();
    const QString chosen = dialog.selectedFiles().value(0);
    const QString selectedFilter = dialog.selectedNameFilter();
    if (chosen.isEmpty() || selectedFilter.isEmpty())
        return QFileInfo();

    QFileInfo file(chosen);
    if (file.suffix().isEmpty() && mode == QFileDialog::AcceptSave) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\(\\*\\.(.+)\\)")).match(selectedFilter);
        if (m.hasMatch() && !entryOf(m.captured(1)).isEmpty())
            file.setFile(chosen + QLatin1Char('.') + m.captured(1));
    }
    if (file.absolutePath() != directory)
        settings.setValue(PathKey, file.absolutePath());
    if (!entryOf(file.suffix()).isEmpty())
        settings.setValue(FilterKey, file.suffix().toLower());
    return file;
}
