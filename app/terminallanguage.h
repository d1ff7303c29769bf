#pragma once

class QCoreApplication;

// The terminal speaks Russian throughout: its own texts are Russian at the source, Qt's own (dialog buttons, the
// file dialog, context menus of editors) come from Qt's Russian translations, and dates, month names and numbers
// take the Russian forms. Called once, when the application object is made.
namespace TerminalLanguage {
void install(QCoreApplication* application);
}
