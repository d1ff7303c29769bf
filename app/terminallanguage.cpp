#include "terminallanguage.h"

#include "core/db/guilog.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void TerminalLanguage::install(QCoreApplication* application)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    // "qt" gathers the translations of every Qt module the system has.
    auto* qt = new QTranslator(application);
    if (qt->load(russian, QStringLiteral("qt"), QStringLiteral("_"),
            QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        application->installTranslator(qt);
    } else {
        qCWarning(QGuiLog).noquote() << QCoreApplication::translate(
            "TerminalLanguage", "Русский перевод Qt не найден: стандартные кнопки и диалоги останутся на английском");
        delete qt;
    }
}
