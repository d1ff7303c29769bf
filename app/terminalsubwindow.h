#pragma once

#include <QMdiSubWindow>

// A window inside the terminal's window area. Qt names a sub-window's system menu once, when it is made: this one
// names it again on a language change.
class TerminalSubWindow : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit TerminalSubWindow(QWidget* parent = nullptr);

    // The content in a new window of the area, closed and deleted together.
    static TerminalSubWindow* addTo(QMdiArea* area, QWidget* content);

protected:
    void changeEvent(QEvent* event) override;
};
