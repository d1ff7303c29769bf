#include "terminalwindow.h"

#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/tableregistry.h"
#include "models/tableindexmodel.h"
#include "sim/marketfeed.h"
#include "tablewindow.h"

#include <QDateTime>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace {

struct WindowKind
{
    const char* table;
    const char* title;
};
const WindowKind kinds[] = { { "securities", QT_TRANSLATE_NOOP("TerminalWindow", "Инструменты") },
    { "orders", QT_TRANSLATE_NOOP("TerminalWindow", "Заявки") },
    { "deals", QT_TRANSLATE_NOOP("TerminalWindow", "Сделки") },
    { "positions", QT_TRANSLATE_NOOP("TerminalWindow", "Позиции") } };

} // namespace

TerminalWindow::TerminalWindow(EmbeddedCore* core, MarketFeed* feed, QWidget* parent)
    : QMainWindow(parent)
    , m_core(core)
    , m_feed(feed)
    , m_area(new QMdiArea(this))
    , m_notifications(new QListWidget(this))
    , m_rate(new QLabel(this))
    , m_rows(new QLabel(this))
    , m_batch(new QLabel(this))
{
    setWindowTitle(tr("Демонстрационный терминал"));
    setCentralWidget(m_area);
    core->addMainWindow(this);

    QMenu* windows = menuBar()->addMenu(tr("&Окна"));
    for (const WindowKind& kind : kinds) {
        const QString table = QString::fromLatin1(kind.table);
        windows->addAction(tr(kind.title), this, [this, table] { openWindow(table); });
    }
    windows->addSeparator();
    windows->addAction(tr("Открыть все"), this, &TerminalWindow::openAll);
    windows->addAction(tr("Упорядочить"), m_area, &QMdiArea::tileSubWindows);
    QMenu* market = menuBar()->addMenu(tr("&Рынок"));
    QAction* running = market->addAction(tr("Поток изменений"));
    running->setCheckable(true);
    running->setChecked(feed->isRunning());
    connect(running, &QAction::toggled, this, [this](bool on) { on ? m_feed->start() : m_feed->stop(); });
    market->addAction(tr("Новая сессия"), feed, &MarketFeed::startNewSession);
    market->addAction(tr("Новый день"), feed, &MarketFeed::startNewDay);

    auto* pane = new QDockWidget(tr("Сообщения"), this);
    pane->setObjectName(QStringLiteral("notifications"));
    pane->setWidget(m_notifications);
    addDockWidget(Qt::BottomDockWidgetArea, pane);
    resizeDocks({ pane }, { 110 }, Qt::Vertical);
    for (const QString& text : core->recentNotifications())
        onNotified(text);
    connect(core, &EmbeddedCore::notified, this, &TerminalWindow::onNotified);

    statusBar()->addWidget(m_rate);
    statusBar()->addWidget(m_rows);
    statusBar()->addWidget(m_batch);
    connect(feed, &MarketFeed::batchApplied, this, &TerminalWindow::onBatchApplied);
    updateStatus();
}

TerminalWindow::~TerminalWindow()
{
    // The windows go with the base class, after this class's members: they must not report back.
    for (QMdiSubWindow* sub : qAsConst(m_windows))
        sub->disconnect(this);
}

TableWindow* TerminalWindow::openWindow(const QString& table)
{
    if (QMdiSubWindow* open = m_windows.value(table)) {
        m_area->setActiveSubWindow(open);
        return static_cast<TableWindow*>(open->widget());
    }
    Table* source = m_core->tables()->table(table);
    if (!source) {
        m_core->notify(tr("Таблица \"%1\" не загружена: окно не открыто").arg(table));
        return nullptr;
    }
    auto* window = new TableWindow(source);
    QMdiSubWindow* sub = m_area->addSubWindow(window);
    for (const WindowKind& kind : kinds) {
        if (table == QLatin1String(kind.table))
            sub->setWindowTitle(tr(kind.title));
    }
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(sub, &QObject::destroyed, this, [this, table] {
        m_windows.remove(table);
        updateStatus();
    });
    m_windows.insert(table, sub);
    sub->show();
    updateStatus();
    return window;
}

void TerminalWindow::openAll()
{
    for (const WindowKind& kind : kinds)
        openWindow(QString::fromLatin1(kind.table));
    m_area->tileSubWindows();
}

void TerminalWindow::onBatchApplied(int changes, double milliseconds)
{
    m_batch->setText(tr("Последний пакет: %1 изменений за %2 мс").arg(changes).arg(milliseconds, 0, 'f', 1));
    updateStatus();
}

void TerminalWindow::onNotified(const QString& text)
{
    m_notifications->addItem(
        QStringLiteral("%1  %2").arg(QTime::currentTime().toString(QStringLiteral("hh:mm:ss")), text));
    m_notifications->scrollToBottom();
}

void TerminalWindow::updateStatus()
{
    m_rate->setText(m_feed->isRunning() ? tr("Поток: %1 изменений/с").arg(m_feed->rate()) : tr("Поток остановлен"));
    qint64 rows = 0;
    for (QMdiSubWindow* sub : qAsConst(m_windows))
        rows += static_cast<TableWindow*>(sub->widget())->model()->rowCount();
    m_rows->setText(tr("Строк в окнах: %1").arg(QLocale().toString(rows)));
}
