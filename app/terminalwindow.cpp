#include "terminalwindow.h"

#include "core/db/table.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"
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
#include <QTimer>

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

// "1 изменение", "3 изменения", "5 изменений", "21 изменение", "11 изменений": the Russian forms of a count.
QString changesText(int n)
{
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char* form = (lastTwo >= 11 && lastTwo <= 14) ? QT_TRANSLATE_NOOP("TerminalWindow", "%1 изменений")
        : last == 1                                     ? QT_TRANSLATE_NOOP("TerminalWindow", "%1 изменение")
        : (last >= 2 && last <= 4)                      ? QT_TRANSLATE_NOOP("TerminalWindow", "%1 изменения")
                                                        : QT_TRANSLATE_NOOP("TerminalWindow", "%1 изменений");
    return QCoreApplication::translate("TerminalWindow", form).arg(QLocale().toString(n));
}

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

    // The windows' copy and export: defined once here, reached from the menu through the window in use.
    ActionManager* commands = ActionManager::instance();
    QMenu* file = menuBar()->addMenu(tr("&Файл"));
    file->addAction(
        commands
            ->registerCommand(QStringLiteral("CopyToClipboard"), tr("Копировать в буфер обмена"),
                QIcon::fromTheme(QStringLiteral("edit-copy")), QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_C))
            ->commandAction());
    file->addAction(commands
                        ->registerCommand(QStringLiteral("Export"), tr("Экспорт в файл..."),
                            QIcon::fromTheme(QStringLiteral("document-save-as")), QKeySequence(Qt::CTRL + Qt::Key_E))
                        ->commandAction());
    file->addSeparator();
    file->addAction(tr("Выход"), this, &QWidget::close);

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
    // The switch shows the feed as it is, whoever started or stopped it.
    connect(feed, &MarketFeed::runningChanged, running, &QAction::setChecked);
    connect(feed, &MarketFeed::runningChanged, this, &TerminalWindow::updateStatus);
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
    // The measured rate falls to nothing when the batches stop coming.
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &TerminalWindow::updateStatus);
    clock->start(500);
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
    for (const WindowKind& kind : kinds) {
        if (table == QLatin1String(kind.table))
            window->setWindowTitle(tr(kind.title));
    }
    QMdiSubWindow* sub = m_area->addSubWindow(window);
    sub->setWindowTitle(window->windowTitle());
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
    m_batch->setText(tr("Последний пакет: %1 за %2 мс").arg(changesText(changes)).arg(milliseconds, 0, 'f', 1));
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
    m_rate->setText(m_feed->isRunning() ? tr("Поток: %1 в секунду").arg(changesText(m_feed->measuredRate()))
                                        : tr("Поток остановлен"));
    qint64 rows = 0;
    for (QMdiSubWindow* sub : qAsConst(m_windows))
        rows += static_cast<TableWindow*>(sub->widget())->model()->rowCount();
    m_rows->setText(tr("Строк в окнах: %1").arg(QLocale().toString(rows)));
}
