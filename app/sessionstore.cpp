#include "sessionstore.h"

#include "core/db/appsettings.h"
#include "keptaside.h"

#include <QCoreApplication>
#include <QFile>

namespace {

const QString Name = QStringLiteral("windows");
const QString FormatKey = QStringLiteral("session/format");
const QString ApplicationKey = QStringLiteral("session/application");
const QString MainKey = QStringLiteral("session/mainGeometry");
const QString Application = QStringLiteral("basic-views-demo");
const int Format = 1;

QString tr(const char* text)
{
    return QCoreApplication::translate("SessionStore", text);
}

} // namespace

QString SessionStore::fileName()
{
    return AppSettings(Name).fileName();
}

bool SessionStore::load(QList<Window>* windows, QString* error, QRect* main)
{
    windows->clear();
    if (main)
        *main = QRect();
    const QString file = fileName();
    if (!QFile::exists(file))
        return true;
    QString problem;
    {
        AppSettings settings(Name);
        bool formatRead = false;
        const int format = settings.value(FormatKey).toInt(&formatRead);
        if (settings.status() != QSettings::NoError)
            problem = tr("файл повреждён");
        else if (settings.value(ApplicationKey).toString() != Application || !formatRead)
            problem = tr("файл не от этого терминала");
        else if (format != Format)
            problem = tr("файл другой версии терминала");
        if (problem.isEmpty()) {
            if (main)
                *main = settings.value(MainKey).toRect();
            const int count = settings.beginReadArray(QStringLiteral("windows"));
            for (int i = 0; i < count; ++i) {
                settings.setArrayIndex(i);
                Window window;
                window.kind = settings.value(QStringLiteral("kind")).toString();
                window.geometry = settings.value(QStringLiteral("geometry")).toRect();
                window.maximized = settings.value(QStringLiteral("maximized"), false).toBool();
                window.state.restore(settings, QStringLiteral("view"));
                windows->append(window);
            }
            settings.endArray();
            return true;
        }
    }
    const QString aside = keepAside(file);
    *error = tr("Настройки окон не прочитаны (%1): %2. Окна открыты по умолчанию%3")
                 .arg(problem, file, aside.isEmpty() ? QString() : tr(", прежний файл сохранён как %1").arg(aside));
    return false;
}

bool SessionStore::save(const QList<Window>& windows, QString* error, const QRect& main)
{
    AppSettings settings(Name);
    settings.remove(QString());
    settings.setValue(ApplicationKey, Application);
    settings.setValue(FormatKey, Format);
    if (main.isValid())
        settings.setValue(MainKey, main);
    settings.beginWriteArray(QStringLiteral("windows"), windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        settings.setArrayIndex(i);
        const Window& window = windows.at(i);
        settings.setValue(QStringLiteral("kind"), window.kind);
        settings.setValue(QStringLiteral("geometry"), window.geometry);
        settings.setValue(QStringLiteral("maximized"), window.maximized);
        window.state.store(settings, QStringLiteral("view"));
    }
    settings.endArray();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    *error = tr("Настройки окон не записаны в %1").arg(settings.fileName());
    return false;
}
