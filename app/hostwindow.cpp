#include "hostwindow.h"

#include "windows/proxyiview.h"

#include <QMdiArea>
#include <QToolBar>
#include <QVBoxLayout>

HostWindow::HostWindow(const QString& kind, ProxyIView* view, QWidget* parent)
    : TerminalSubWindow(parent)
    , m_kind(kind)
    , m_view(view)
{
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
