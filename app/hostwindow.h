#pragma once

#include "core/host/iwindow.h"

#include "terminalsubwindow.h"

class IView;
class ProxyIView;

// A window of the terminal inside its main window: a view of some kind under the toolbars it offers. The
// window manager brings it forward through IWindow.
class HostWindow : public TerminalSubWindow, public IWindow
{
    Q_OBJECT
    Q_INTERFACES(IWindow)
public:
    // Takes the view (made for the kind `kind`) as its content.
    HostWindow(const QString& kind, ProxyIView* view, QWidget* parent = nullptr);

    ProxyIView* view() const { return m_view; }
    QString windowName() const override { return m_kind; }
    void bringToFront() override;

private:
    QString m_kind;
    ProxyIView* m_view; // a child
};
