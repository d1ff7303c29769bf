#include "terminalsubwindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMenu>

TerminalSubWindow::TerminalSubWindow(QWidget* parent)
    : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

TerminalSubWindow* TerminalSubWindow::addTo(QMdiArea* area, QWidget* content)
{
    auto* window = new TerminalSubWindow;
    window->setWidget(content);
    area->addSubWindow(window);
    return window;
}

void TerminalSubWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange || !systemMenu())
        return;
    // Qt's own texts, in the order Qt puts them in the menu; Qt's translation holds them.
    static const char* const texts[]
        = { "&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "Stay on &Top", "&Close" };
    int next = 0;
    for (QAction* action : systemMenu()->actions()) {
        if (!action->isSeparator() && next < int(sizeof(texts) / sizeof(texts[0])))
            action->setText(QCoreApplication::translate("QMdiSubWindow", texts[next++]));
    }
}
