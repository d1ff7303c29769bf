#include "terminallanguage.h"

#include "core/db/appsettings.h"
#include "core/db/guilog.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace {

const char LanguageKey[] = "language";

QPointer<QTranslator> g_qt; // Qt's Russian, while the terminal speaks Russian
QPointer<QTranslator> g_english; // the project's English, while it speaks English
QPointer<QTranslator> g_plurals; // the project's Russian plural forms, while it speaks Russian
TerminalLanguage::Language g_current = TerminalLanguage::Russian;

QString keyOf(TerminalLanguage::Language language)
{
    return language == TerminalLanguage::English ? QStringLiteral("en") : QStringLiteral("ru");
}

QString missingEnglish()
{
    return QCoreApplication::translate(
        "TerminalLanguage", "Английский перевод не найден: тексты терминала останутся русскими");
}

// False, with nothing changed, when the terminal's English cannot be loaded.
bool switchTo(TerminalLanguage::Language language)
{
    QCoreApplication* application = QCoreApplication::instance();
    const bool english = language == TerminalLanguage::English;
    // Loaded before anything changes, so that a missing translation leaves the terminal speaking as it did.
    QTranslator* loaded = nullptr;
    if (english && !g_english) {
        loaded = new QTranslator(application);
        if (!loaded->load(QStringLiteral(":/translations/basic_views_en.qm"))) {
            qCWarning(QGuiLog).noquote() << missingEnglish();
            delete loaded;
            return false;
        }
    }
    // Day before month, as the Russian forms have it: the trader's dates read the same way in both languages.
    const QLocale locale
        = english ? QLocale(QLocale::English, QLocale::UnitedKingdom) : QLocale(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(locale);
    // Each translator is made when its language is chosen and deleted, which uninstalls it, when the other one is.
    if (english) {
        delete g_qt;
        delete g_plurals;
        if (loaded) {
            application->installTranslator(loaded);
            g_english = loaded;
        }
    } else {
        delete g_english;
        // "qt" gathers the translations of every Qt module the system has.
        if (!g_qt) {
            auto* qt = new QTranslator(application);
            if (qt->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                    QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
                application->installTranslator(qt);
                g_qt = qt;
            } else {
                qCWarning(QGuiLog).noquote() << QCoreApplication::translate("TerminalLanguage",
                    "Русский перевод Qt не найден: стандартные кнопки и диалоги останутся на английском");
                delete qt;
            }
        }
        // The source texts name one form of a count ("%Ln изменений"): the others come from a translation.
        if (!g_plurals) {
            auto* plurals = new QTranslator(application);
            if (plurals->load(QStringLiteral(":/translations/basic_views_ru.qm"))) {
                application->installTranslator(plurals);
                g_plurals = plurals;
            } else {
                qCWarning(QGuiLog).noquote() << QCoreApplication::translate(
                    "TerminalLanguage", "Русские формы чисел не найдены: у счётчиков останется одна форма");
                delete plurals;
            }
        }
    }
    g_current = language;
    // Widgets hold the default locale they were made under: those that did not get one of their own take the new
    // default, and their children with them.
    if (qobject_cast<QApplication*>(application)) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->testAttribute(Qt::WA_SetLocale))
                window->unsetLocale();
        }
    }
    return true;
}

} // namespace

void TerminalLanguage::install()
{
    switchTo(Russian);
}

TerminalLanguage::Language TerminalLanguage::current()
{
    return g_current;
}

QString TerminalLanguage::choose(Language language)
{
    if (language != g_current && !switchTo(language))
        return missingEnglish();
    AppSettings settings { QString() };
    settings.setValue(QString::fromLatin1(LanguageKey), keyOf(language));
    settings.sync();
    return QString();
}

void TerminalLanguage::applyStored()
{
    const QString stored = AppSettings(QString()).value(QString::fromLatin1(LanguageKey)).toString();
    const Language language = stored == keyOf(English) ? English : Russian;
    if (language != g_current)
        switchTo(language);
}
