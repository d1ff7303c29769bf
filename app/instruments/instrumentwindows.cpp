#include "instrumentwindows.h"

#include "chartwindow.h"
#include "quoteswindow.h"
#include "securityinfowindow.h"
#include "volatilitywindow.h"

#include "core/host/actions/actionmanager.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/embedded/embeddedwindowmanager.h"
#include "core/host/tableregistry.h"
#include "hostwindow.h"
#include "tablewindow.h"
#include "terminalsubwindow.h"
#include "terminalwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <algorithm>
#include <functional>

InstrumentWindows::InstrumentWindows(TerminalWindow* terminal, QMdiArea* area, EmbeddedCore* core)
    : QObject(terminal)
    , m_terminal(terminal)
    , m_area(area)
{
    defineCommands();
    TableRegistry* tables = core->tables();
    // The kinds that show one instrument: a window made from the table and the key.
    using Make = std::function<QWidget*(Table*, const SecurityKey&)>;
    auto single = [this, tables](const char* table, const Make& make) {
        return [self = QPointer<InstrumentWindows>(this), tables, table, make](const QList<SecurityKey>& keys) {
            Table* t = tables->table(QString::fromLatin1(table));
            return self && t && keys.size() == 1 ? self->show(make(t, keys.first())) : nullptr;
        };
    };
    EmbeddedWindowManager* windows = core->windowManager();
    windows->registerWindow(QStringLiteral("Dom"), single("orders", [core](Table* t, const SecurityKey& key) {
        return new QuotesWindow(t, key, core->transactions()->login());
    }));
    windows->registerWindow(QStringLiteral("TAMainWindow"),
        single("deals", [](Table* t, const SecurityKey& key) { return new ChartWindow(t, key); }));
    windows->registerWindow(QStringLiteral("VolatilityPlot"),
        single("securities", [](Table* t, const SecurityKey& key) { return new VolatilityWindow(t, key); }));
    windows->registerWindow(QStringLiteral("SecurityInfo"),
        [self = QPointer<InstrumentWindows>(this), tables](const QList<SecurityKey>& keys) -> QWidget* {
            Table* securities = tables->table(QStringLiteral("securities"));
            return self && securities && !keys.isEmpty() ? self->show(new SecurityInfoWindow(securities, keys))
                                                         : nullptr;
        });
    windows->registerWindow(QStringLiteral("All_deals"),
        [self = QPointer<InstrumentWindows>(this)](
            const QList<SecurityKey>& keys) -> QWidget* { return self ? self->showDeals(keys) : nullptr; });
}

QWidget* InstrumentWindows::showDeals(const QList<SecurityKey>& keys)
{
    HostWindow* window = keys.isEmpty() ? nullptr : m_terminal->openWindow(QStringLiteral("deals"));
    TableWindow* deals = TerminalWindow::tableView(window);
    if (!deals)
        return window;
    QStringList textIds;
    QStringList names;
    for (const SecurityKey& key : keys) {
        textIds << key.textId();
        names << SecurityDirectory::i()->nameByKey(key);
    }
    deals->filterToInstruments(textIds.join(QLatin1Char('|')));
    m_deals.append({ window, names.join(QStringLiteral(", ")) });
    nameDeals();
    return window;
}

void InstrumentWindows::nameDeals()
{
    m_deals.erase(
        std::remove_if(m_deals.begin(), m_deals.end(), [](const auto& deals) { return !deals.first; }), m_deals.end());
    for (const auto& [window, names] : qAsConst(m_deals))
        window->setWindowTitle(tr("Сделки: %1").arg(names));
}

void InstrumentWindows::defineCommands()
{
    ActionManager* commands = ActionManager::instance();
    commands->registerCommand(QStringLiteral("CurrentTable.ShowDeals"), tr("Открыть все сделки"));
    commands->registerCommand(QStringLiteral("CurrentTable.ShowDOM"), tr("Открыть котировки"));
    commands->registerCommand(QStringLiteral("CurrentTable.ShowTA"), tr("Построить график"));
    commands->registerCommand(QStringLiteral("CurrentTable.ShowVP"), tr("Построить кривую волатильности"));
    commands->registerCommand(QStringLiteral("View.Information"), tr("Информация"));
}

bool InstrumentWindows::event(QEvent* event)
{
    // The terminal names its windows by kind first, its children hear of the change after it: the deals windows
    // of instruments take their own names back.
    if (event->type() == QEvent::LanguageChange)
        nameDeals();
    return QObject::event(event);
}

QWidget* InstrumentWindows::show(QWidget* content)
{
    QMdiSubWindow* window = TerminalSubWindow::addTo(m_area, content);
    window->resize(content->size());
    window->show();
    return window;
}
