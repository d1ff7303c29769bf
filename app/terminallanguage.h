#pragma once

#include <QString>

// The terminal speaks Russian or English. Its own texts are Russian at the source and English through the
// project's translation; Qt's own (dialog buttons, the file dialog, context menus of editors) come from Qt's
// Russian translations or stay Qt's English; dates, month names and numbers take the language's forms.
//
// A switch reaches every open window at once: the translators change, so every widget gets a
// QEvent::LanguageChange, and the default locale changes, so every widget that took it gets a
// QEvent::LocaleChange. The choice is kept in the application's settings file and applies at the next start.
namespace TerminalLanguage {
enum Language { Russian, English };

// Russian, as the terminal starts before its settings are known: called when the application object is made.
void install();
Language current();
// Switches the application to `language` (nothing when it already speaks it) and stores the choice. When the
// language's translation cannot be loaded, nothing changes, nothing is stored and the reason is returned; else
// an empty text.
QString choose(Language language);
// Switches to the stored choice, without storing it again; a stored language whose translation cannot be loaded
// leaves the terminal as it is (the log says why).
void applyStored();
} // namespace TerminalLanguage
