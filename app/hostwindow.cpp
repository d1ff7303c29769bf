#include "hostwindow.h"

#include "windows/proxyiview.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMenu>
#include <QToolBar>
#include <QVBoxLayout>

HostWindow::HostWindow(const QString& kind, ProxyIView* view, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_kind(kind)
    , m_view(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // A switcher with a single choice says nothing: only real choices are shown.
    for (QToolBar* bar : view->toolBars()) {
        const bool choice = bar->actions().size() > 1;
        layout->addWidget(bar);
        bar->setVisible(choice);
    }
    layout->addWidget(view);
    setWidget(content);
    setWindowTitle(view->windowTitle());
    resize(view->defaultSize());
}

void HostWindow::bringToFront()
{
    if (isMinimized())
        showNormal();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    show();
    raise();
    setFocus();
}

void HostWindow::changeEvent(QEvent* event)
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
