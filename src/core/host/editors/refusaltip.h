#pragma once

class QString;
class QWidget;

// Tells the user beside an editor why it refused an input.
void showRefusalTip(QWidget* editor, const QString& reason);
