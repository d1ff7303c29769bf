#include "core/db/defaultsettings.h"

#include "core/db/mapsettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

QString& directoryOverride()
{
    static QString directory;
    return directory;
}

} // namespace

void DefaultSettings::setDirectory(const QString& directory)
{
    directoryOverride() = directory;
}

QString DefaultSettings::directory()
{
    if (!directoryOverride().isEmpty())
        return directoryOverride();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("defaults"));
}

std::unique_ptr<Settings> DefaultSettings::createReadOnly(const QString& name)
{
    const QString fileName = name + QStringLiteral(".ini");
    QString path = QDir(directory()).filePath(fileName);
    if (!QFile::exists(path))
        path = QStringLiteral(":/defaults/") + fileName;
    QMap<QString, QVariant> values;
    if (QFile::exists(path)) {
        const QSettings file(path, QSettings::IniFormat);
        for (const QString& key : file.allKeys())
            values.insert(key, file.value(key));
    }
    return std::make_unique<MapSettings>(values, true);
}
