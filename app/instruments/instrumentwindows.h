#pragma once

#include "core/host/securitykey.h"

#include <QObject>
#include <QPair>
#include <QPointer>
#include <QVector>

class EmbeddedCore;
class QMdiArea;
class QWidget;
class TerminalWindow;

// The windows the instrument commands of the terminal's windows open, registered with the host's window manager
// under the commands' window ids: the quotes of an instrument ("Dom"), its price chart ("TAMainWindow"), the
// deals of the instruments ("All_deals", the deals window filtered to them), their card ("SecurityInfo") and the
// volatility curve of an option series ("VolatilityPlot"). Each opens in the terminal's window area.
class InstrumentWindows : public QObject
{
    Q_OBJECT
public:
    // The windows stay the area's; the quotes mark the orders entered under the login the host sends under.
    InstrumentWindows(TerminalWindow* terminal, QMdiArea* area, EmbeddedCore* core);

    // The host's commands of the instrument actions, defined once and named again by the terminal on a language
    // change; a window's instrument actions exist only for commands the host defines.
    static void defineCommands();

protected:
    // A language change names the deals windows of instruments again.
    bool event(QEvent* event) override;

private:
    QWidget* show(QWidget* content);
    // A deals window filtered to the instruments.
    QWidget* showDeals(const QList<SecurityKey>& keys);
    void nameDeals();

    TerminalWindow* m_terminal; // not owned, the parent
    QMdiArea* m_area; // not owned
    QVector<QPair<QPointer<QWidget>, QString>> m_deals; // the deals windows opened for instruments, by their names
};
