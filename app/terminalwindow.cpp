#include "terminalwindow.h"

#include "actions/onlinedialog.h"
#include "core/db/appsettings.h"
#include "core/db/defaultsettings.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/embedded/embeddedwindowmanager.h"
#include "core/host/progress/progressstatus.h"
#include "core/host/signalhub.h"
#include "core/host/stream/streamreplayer.h"
#include "core/host/tableregistry.h"
#include "delegates/viewscolormanager.h"
#include "delegates/viewscolorpage.h"
#include "export/dynamic/dynamicexporterstatuswidget.h"
#include "hostwindow.h"
#include "importcommand.h"
#include "instruments/instrumentwindows.h"
#include "models/tableindexmodel.h"
#include "moneylimits.h"
#include "orders/addordershortdialog.h"
#include "orders/droporderdialog.h"
#include "sessionstore.h"
#include "settingsdialog.h"
#include "sim/marketfeed.h"
#include "tablewindow.h"
#include "terminalgroupsmodel.h"
#include "terminallanguage.h"
#include "treegroupswindow.h"
#include "trees/treeindexmodel.h"
#include "treewindow.h"
#include "windowcatalogue.h"
#include "windows/proxyiview.h"
#include "windows/viewwrapper.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <climits>
#include <cmath>
#include <utility>

namespace {

// A count of changes in the language's plural form, its digits grouped as the language groups them.
QString changesText(int n)
{
    return QCoreApplication::translate("TerminalWindow", "%Ln изменений", nullptr, n);
}

// The money limits over the host's table, read from their file and edited unless a recording fills the table; null
// without the table.
MoneyLimits* limitsOf(EmbeddedCore* core, bool replaying, QObject* parent)
{
    Table* table = core->tables()->table(QStringLiteral("money_limits"));
    if (!table)
        return nullptr;
    auto* limits = new MoneyLimits(table, core, parent);
    limits->setReplayed(replaying);
    limits->load();
    return limits;
}

// Open windows are written this often besides on exit: a crash loses at most this much of the layout.
constexpr int SessionStoreMs = 60 * 1000;

} // namespace

TerminalWindow::TerminalWindow(EmbeddedCore* core, MarketFeed* feed, QWidget* parent)
    : TerminalWindow(core, feed, nullptr, parent)
{ }

TerminalWindow::TerminalWindow(EmbeddedCore* core, StreamReplayer* replayer, QWidget* parent)
    : TerminalWindow(core, nullptr, replayer, parent)
{ }

TerminalWindow::TerminalWindow(EmbeddedCore* core, MarketFeed* feed, StreamReplayer* replayer, QWidget* parent)
    : QMainWindow(parent)
    , m_core(core)
    , m_feed(feed)
    , m_replayer(replayer)
    , m_limits(limitsOf(core, replayer, this))
    , m_catalogue(std::make_unique<WindowCatalogue>(core->tables(), m_limits))
    , m_area(new QMdiArea(this))
    , m_notifications(new QListWidget(this))
    , m_rate(new QLabel(this))
    , m_rows(new QLabel(this))
    , m_batch(new QLabel(this))
    , m_connection(new QLabel(this))
    , m_progress(new ProgressStatus(this))
    , m_instrumentWindows(new InstrumentWindows(this, m_area, core))
    , m_import(new ImportCommand(m_area, m_limits, m_catalogue->picks(), core, this))
{
    // The language the trader chose last time, before any text is set.
    TerminalLanguage::applyStored();
    keepText(this, [this] { setWindowTitle(tr("Демонстрационный терминал")); });
    // A recording has no exchange behind it: whatever the terminal sent would go nowhere, or write into the
    // recorded tables.
    if (replayer)
        core->connections()->disconnectFromExchange();
    setCentralWidget(m_area);
    core->addMainWindow(this);
    // The colours chosen on the "Цвета" pages, before any window paints.
    ViewsColorManager::instance()->restore(AppSettings(QString()));
    // The colour pages belong to the settings dialog whichever window comes first, a tree that paints nothing
    // in colour included.
    if (ViewsColorManager* colors = ViewsColorManager::instance()) {
        for (ViewsColorPage* page : colors->pages()) {
            if (!core->optionsPages().contains(page))
                core->addOptionsPage(page);
        }
    }

    // The windows' copy and export commands, reached from the menu through the window in use.
    ViewWrapper::defineCommands();
    ActionManager* commands = ActionManager::instance();
    QMenu* file = menuBar()->addMenu(QString());
    keepText(file, [file] { file->setTitle(tr("&Файл")); });
    for (const char* id : { "CopyToClipboard", "Export", "ExportDynamic" })
        file->addAction(commands->command(QString::fromLatin1(id))->commandAction());
    file->addAction(m_import->action());
    file->addSeparator();
    QAction* settings = file->addAction(QString(), this, &TerminalWindow::showSettings);
    keepText(settings, [settings] { settings->setText(tr("Настройки...")); });
    addLanguageChoice(file->addMenu(QString()));
    QAction* store = file->addAction(QString(), this, &TerminalWindow::storeSession);
    keepText(store, [store] { store->setText(tr("Сохранить расположение окон")); });
    file->addSeparator();
    QAction* quit = file->addAction(QString(), this, &QWidget::close);
    keepText(quit, [quit] { quit->setText(tr("Выход")); });
    if (m_limits) {
        QMenu* edit = menuBar()->addMenu(QString());
        keepText(edit, [edit] { edit->setTitle(tr("&Правка")); });
        edit->addAction(m_limits->undoAction());
        edit->addAction(m_limits->redoAction());
    }

    // The kinds are the host window manager's: whoever asks it for a kind by id gets a window here.
    QMenu* windows = menuBar()->addMenu(QString());
    keepText(windows, [windows] { windows->setTitle(tr("&Окна")); });
    const QStringList kinds = m_catalogue->kinds();
    for (const QString& kind : kinds) {
        const QPointer<TerminalWindow> self(this);
        core->windowManager()->registerWindow(kind, [self, kind](const QList<SecurityKey>&) {
            return self ? static_cast<QWidget*>(self->openWindow(kind)) : nullptr;
        });
        QAction* open
            = windows->addAction(QString(), this, [core, kind] { core->windowManager()->openWindow(kind, QString()); });
        keepText(open, [this, open, kind] { open->setText(m_catalogue->title(kind)); });
    }
    windows->addSeparator();
    QAction* openAll = windows->addAction(QString(), this, &TerminalWindow::openAll);
    keepText(openAll, [openAll] { openAll->setText(tr("Открыть все")); });
    QAction* tile = windows->addAction(QString(), this, &TerminalWindow::tile);
    keepText(tile, [tile] { tile->setText(tr("Упорядочить")); });
    QAction* cascade = windows->addAction(QString(), this, &TerminalWindow::cascade);
    keepText(cascade, [cascade] { cascade->setText(tr("Каскадом")); });
    // The open windows to switch to, as the menu opens.
    QActionGroup* openWindows = new QActionGroup(windows);
    connect(windows, &QMenu::aboutToShow, this, [this, windows, openWindows] {
        qDeleteAll(openWindows->actions());
        windows->addSeparator()->setActionGroup(openWindows);
        int number = 0;
        for (QMdiSubWindow* sub : m_area->subWindowList()) {
            // Numbered, as a window is titled like the command that opens a new one of its kind.
            ++number;
            QAction* entry = windows->addAction(
                number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(sub->windowTitle()) : sub->windowTitle());
            entry->setActionGroup(openWindows);
            entry->setCheckable(true);
            entry->setChecked(sub == m_area->activeSubWindow());
            const QPointer<QMdiSubWindow> target(sub);
            connect(entry, &QAction::triggered, this, [this, target] {
                if (target)
                    m_area->setActiveSubWindow(target);
            });
        }
    });
    QMenu* market = menuBar()->addMenu(QString());
    keepText(market, [market] { market->setTitle(tr("&Рынок")); });
    if (feed) {
        QAction* running = market->addAction(QString());
        keepText(running, [running] { running->setText(tr("Поток изменений")); });
        running->setCheckable(true);
        running->setChecked(feed->isRunning());
        // The switch shows the feed as it is, whoever started or stopped it.
        connect(feed, &MarketFeed::runningChanged, running, &QAction::setChecked);
        connect(feed, &MarketFeed::runningChanged, this, &TerminalWindow::updateStatus);
        connect(running, &QAction::toggled, this, [this](bool on) { on ? m_feed->start() : m_feed->stop(); });
        QAction* session = market->addAction(QString(), feed, &MarketFeed::startNewSession);
        keepText(session, [session] { session->setText(tr("Новая сессия")); });
    }
    addConnectionSwitch(market);
    QMenu* boards = market->addMenu(QString());
    keepText(boards, [boards] { boards->setTitle(tr("Режимы торгов")); });
    addBoardChoice(boards);
    // Withdrawing orders in bulk: one request to the exchange per account or firm.
    QMenu* trading = menuBar()->addMenu(QString());
    keepText(trading, [trading] { trading->setTitle(tr("&Торговля")); });
    // A new order for the instrument of the row in use, if it has one.
    QAction* newOrder = trading->addAction(QIcon(QStringLiteral(":/icons/new_order.png")), QString(), this, [this] {
        // Like every command that goes to the exchange: nothing opens without a connection.
        if (!OnlineDialog::showDialog())
            return;
        const auto* active = qobject_cast<HostWindow*>(m_area->activeSubWindow());
        AddOrderShortDialog::showDialog(TableWindow::instrumentOf(tableView(const_cast<HostWindow*>(active))));
    });
    keepText(newOrder, [newOrder] { newOrder->setText(tr("Новая заявка...")); });
    newOrder->setShortcut(QKeySequence(Qt::Key_F2));
    newOrder->setShortcutContext(Qt::ApplicationShortcut);
    QAction* quote = trading->addAction(QString(), this, [] {
        if (OnlineDialog::showDialog())
            AddOrderShortDialog::showDialog(Values(), true);
    });
    keepText(quote, [quote] { quote->setText(tr("Запрос ЗРБ...")); });
    trading->addSeparator();
    QToolBar* tradingBar = addToolBar(QString());
    keepText(tradingBar, [tradingBar] { tradingBar->setWindowTitle(tr("Торговля")); });
    tradingBar->setObjectName(QStringLiteral("tradingToolBar"));
    tradingBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tradingBar->addAction(newOrder);
    const QList<QPair<int, const char*>> withdrawals { { DropOrdersDialog::All, QT_TR_NOOP("Снять все заявки...") },
        { DropOrdersDialog::Buy, QT_TR_NOOP("Снять все заявки на покупку...") },
        { DropOrdersDialog::Sell, QT_TR_NOOP("Снять все заявки на продажу...") },
        { DropOrdersDialog::OutsideLimits, QT_TR_NOOP("Снять все заявки вне лимитов...") } };
    for (const auto& withdrawal : withdrawals) {
        const int mode = withdrawal.first;
        QAction* drop = trading->addAction(QString(), this, [mode] {
            if (OnlineDialog::showDialog())
                DropOrdersDialog::showDialog(mode);
        });
        const char* text = withdrawal.second;
        keepText(drop, [drop, text] { drop->setText(tr(text)); });
    }
    if (replayer) {
        for (QAction* command : trading->actions()) {
            if (command->isSeparator())
                continue;
            command->setEnabled(false);
            keepText(command, [command] {
                command->setToolTip(tr("Заявки не отправляются: терминал воспроизводит запись, биржи за ним нет"));
                command->setStatusTip(command->toolTip());
            });
        }
    }
    if (feed) {
        QAction* day = market->addAction(QString(), feed, &MarketFeed::startNewDay);
        keepText(day, [day] { day->setText(tr("Новый день")); });
    }

    auto* pane = new QDockWidget(this);
    keepText(pane, [pane] { pane->setWindowTitle(tr("Сообщения")); });
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
    statusBar()->addWidget(m_connection);
    // Long builds (a window opening over a large table) show how far they got.
    statusBar()->addWidget(m_progress);
    core->progressService().setDisplay(m_progress);
    statusBar()->addPermanentWidget(new DynamicExporterStatusWidget(this));
    if (feed)
        connect(feed, &MarketFeed::batchApplied, this, &TerminalWindow::onBatchApplied);
    // The measured rate falls to nothing when the batches stop coming.
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, &TerminalWindow::updateStatus);
    clock->start(500);
    updateStatus();
    if (replayer)
        followReplay();
    auto* keeper = new QTimer(this);
    connect(keeper, &QTimer::timeout, this, [this] {
        if (m_sessionKept)
            storeSession();
    });
    keeper->start(SessionStoreMs);
    fitToScreen();
}

void TerminalWindow::fitToScreen()
{
    // As large as a trader's usual screen, but never past the one the window opens on: the status bar and the
    // windows on the right must stay in reach. The window manager's frame is only known once the window shows,
    // so a screen without room for the usual size and a frame gets the window maximized: the manager then fits
    // the frame and all within the available area.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1040);
    const QSize usual(1920, 1040);
    const QMargins frame = frameMargins();
    const QSize room = available.size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    resize(usual.boundedTo(room));
    move(available.topLeft()); // a window's place is its frame's
    if (usual.boundedTo(room) != usual)
        setWindowState(windowState() | Qt::WindowMaximized);
}

QMargins TerminalWindow::frameMargins() const
{
    const QMargins known = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    // Before the window shows, room for a usual title bar and borders.
    return isVisible() && !known.isNull() ? known : QMargins(8, 40, 8, 8);
}

QRect TerminalWindow::withinArea(const QRect& place, const QRect& area)
{
    const QSize size = place.size().boundedTo(area.size());
    const int x = qBound(area.left(), place.left(), area.right() + 1 - size.width());
    const int y = qBound(area.top(), place.top(), area.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

bool TerminalWindow::fitsScreen(const QRect& geometry) const
{
    const QScreen* screen = QGuiApplication::screenAt(geometry.center());
    return screen && screen->availableGeometry().contains(geometry.marginsAdded(frameMargins()));
}

void TerminalWindow::addBoardChoice(QMenu* menu)
{
    // The boards the trader works with: the board filters offer only these. The choice lasts the session.
    SignalHub* hub = m_core->signalHub();
    for (const int stock : StockDirectory::i()->ids()) {
        for (const boardid& board : BoardDirectory::i()->all(stock)) {
            QAction* action = menu->addAction(BoardDirectory::i()->nameById(board.stock, board.board));
            action->setCheckable(true);
            action->setChecked(hub->isBoardChosen(board));
            connect(action, &QAction::toggled, hub, [hub, board](bool on) { hub->setBoardsEnabled(on, { board }); });
        }
    }
}

TerminalWindow::~TerminalWindow()
{
    if (m_core->progressService().display() == m_progress)
        m_core->progressService().setDisplay(nullptr);
    // The windows go before the catalogue whose factories made their views, and must not report back.
    for (HostWindow* window : windows()) {
        window->disconnect(this);
        delete window;
    }
}

QList<HostWindow*> TerminalWindow::windows() const
{
    QList<HostWindow*> open;
    for (QMdiSubWindow* sub : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* window = qobject_cast<HostWindow*>(sub))
            open << window;
    }
    return open;
}

TableWindow* TerminalWindow::tableView(HostWindow* window)
{
    return window ? dynamic_cast<TableWindow*>(window->view()->currentView()) : nullptr;
}

const Index* TerminalWindow::modelOf(HostWindow* window)
{
    IView* view = window ? window->view()->currentView() : nullptr;
    if (const auto* table = dynamic_cast<TableWindow*>(view))
        return table->model();
    if (const auto* tree = dynamic_cast<TreeWindow*>(view))
        return tree->model();
    if (const auto* groups = dynamic_cast<TreeGroupsWindow*>(view))
        return groups->model();
    return nullptr;
}

std::vector<std::pair<QString, const Index*>> TerminalWindow::measuredModels() const
{
    std::vector<std::pair<QString, const Index*>> models;
    QHash<QString, int> named;
    for (HostWindow* open : windows()) {
        const Index* model = modelOf(open);
        if (!model)
            continue;
        IView* view = open->view()->currentView();
        QString name = open->windowName();
        if (dynamic_cast<TreeWindow*>(view))
            name += QStringLiteral("_tree");
        else if (dynamic_cast<TreeGroupsWindow*>(view))
            name += QStringLiteral("_groups");
        const int same = ++named[name];
        models.emplace_back(same == 1 ? name : name + QLatin1Char('_') + QString::number(same), model);
    }
    return models;
}

ProxyIView* TerminalWindow::newView(const QString& kind)
{
    ProxyIView* view = m_catalogue->create(kind);
    if (!view) {
        m_core->notify(m_catalogue->title(kind).isEmpty()
                ? tr("Неизвестный вид окна \"%1\": окно не открыто").arg(kind)
                : tr("Таблица окна \"%1\" не загружена: окно не открыто").arg(m_catalogue->title(kind)));
        return nullptr;
    }
    QSet<QString> taken;
    for (HostWindow* open : windows())
        taken.insert(open->windowTitle());
    view->setWindowTitle(titleApart(kind, taken));
    return view;
}

QString TerminalWindow::titleApart(const QString& kind, const QSet<QString>& taken) const
{
    // Several windows of a kind are told apart by a number.
    QString title = m_catalogue->title(kind);
    for (int n = 2; taken.contains(title); ++n)
        title = m_catalogue->title(kind) + QStringLiteral(" %1").arg(n);
    return title;
}

HostWindow* TerminalWindow::addWindow(const QString& kind, ProxyIView* view)
{
    auto* window = new HostWindow(kind, view);
    m_area->addSubWindow(window);
    // A window handed over has its rows, shown or not yet.
    if (TableWindow* table = tableView(window))
        table->ensureBuilt();
    connect(window, &QObject::destroyed, this, &TerminalWindow::updateStatus, Qt::QueuedConnection);
    return window;
}

HostWindow* TerminalWindow::openWindow(const QString& kind)
{
    ProxyIView* view = newView(kind);
    if (!view)
        return nullptr;
    view->initCore(m_core);
    HostWindow* window = addWindow(kind, view);
    window->show();
    updateStatus();
    return window;
}

HostWindow* TerminalWindow::windowOf(const QString& kind)
{
    for (HostWindow* window : windows()) {
        if (window->windowName() == kind)
            return window;
    }
    return openWindow(kind);
}

void TerminalWindow::addConnectionSwitch(QMenu* market)
{
    EmbeddedConnectionsManager* connections = m_core->connections();
    QAction* connected = market->addAction(QString());
    keepText(connected, [connected] { connected->setText(tr("Подключение к бирже")); });
    connected->setCheckable(true);
    connected->setChecked(connections->isConnected());
    connected->setEnabled(!m_replayer);
    connect(connected, &QAction::toggled, connections,
        [connections](bool on) { on ? connections->connectToExchange() : connections->disconnectFromExchange(); });
    // Without a connection no market data comes: the feed waits for it to come back.
    connect(connections, &ConnectionsManager::statusChanged, this, [this, connected](int status) {
        const bool up = status == ConnectionsManager::Connected;
        if (connected->isChecked() != up)
            m_core->notify(up ? tr("Подключение к бирже восстановлено") : tr("Подключение к бирже потеряно"));
        connected->setChecked(up);
        if (!m_feed) {
            // a recorded stream plays on: it is the record of what did come
        } else if (!up) {
            m_feedWasRunning = m_feedWasRunning || m_feed->isRunning();
            m_feed->stop();
        } else if (m_feedWasRunning) {
            m_feedWasRunning = false;
            m_feed->start();
        }
        updateStatus();
    });
}

void TerminalWindow::openAll()
{
    for (const QString& kind : m_catalogue->kinds()) {
        bool open = false;
        for (HostWindow* window : windows())
            open = open || window->windowName() == kind;
        if (!open)
            openWindow(kind);
    }
    tile();
}

void TerminalWindow::openEveryView()
{
    for (const QString& kind : m_catalogue->kinds()) {
        HostWindow* first = openWindow(kind);
        const int views = first ? first->view()->switcher()->actions().size() : 0;
        for (int v = 1; v < views; ++v) {
            if (HostWindow* window = openWindow(kind))
                window->view()->switcher()->actions().at(v)->trigger();
        }
    }
    tile();
}

void TerminalWindow::tile()
{
    // Before the first show the area has no size yet: tile once it has.
    if (!isVisible()) {
        QTimer::singleShot(0, this, &TerminalWindow::tile);
        return;
    }
    // Qt's tiling gives no window less than its minimum size hint, and a wide filter bar then pushes the tiles,
    // and the main window with them, past the screen: here the tiles share the area whatever their contents ask.
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized())
            shown << window;
    }
    if (shown.isEmpty())
        return;
    const QSize area = m_area->viewport()->size();
    const int columns = int(std::ceil(std::sqrt(double(shown.size()))));
    const int rows = (shown.size() + columns - 1) / columns;
    for (int i = 0; i < shown.size(); ++i) {
        const int row = i / columns;
        const int inRow = qMin(columns, shown.size() - row * columns); // the last row's tiles share its width
        const int column = i % columns;
        const QPoint topLeft(area.width() * column / inRow, area.height() * row / rows);
        const QPoint next(area.width() * (column + 1) / inRow, area.height() * (row + 1) / rows);
        if (shown.at(i)->isMaximized())
            shown.at(i)->showNormal();
        shown.at(i)->setGeometry(QRect(topLeft, next - QPoint(1, 1)));
    }
}

void TerminalWindow::cascade()
{
    // Qt's cascade gives every window its size hint, which shrinks a table to a stamp: each keeps its size here,
    // as much of it as fits below its step; past the middle the steps start over at the top, a step to the right.
    const QSize area = m_area->viewport()->size();
    const int step = m_area->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    QPoint at;
    int column = 0;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isVisible() || window->isMinimized())
            continue;
        if (window->isMaximized())
            window->showNormal();
        if (at.y() > area.height() / 2) {
            column = (column + 1) % 4;
            at = QPoint(column * step, 0);
        }
        const QSize size = window->size()
                               .boundedTo(QSize(area.width() - at.x(), area.height() - at.y()))
                               .expandedTo(window->minimumSizeHint());
        window->setGeometry(QRect(at, size));
        window->raise();
        at += QPoint(step, step);
    }
}

bool TerminalWindow::storeSession()
{
    QList<SessionStore::Window> saved;
    for (HostWindow* window : windows()) {
        SessionStore::Window entry;
        entry.kind = window->windowName();
        entry.maximized = window->isMaximized();
        entry.geometry = window->isMaximized() ? window->normalGeometry() : window->geometry();
        window->view()->store(entry.state);
        saved << entry;
    }
    QString error;
    if (SessionStore::save(saved, &error, isMaximized() ? normalGeometry() : geometry()))
        return true;
    m_core->notify(error);
    return false;
}

bool TerminalWindow::restoreSession()
{
    QList<SessionStore::Window> saved;
    QString error;
    QRect main;
    if (!SessionStore::load(&saved, &error, &main)) {
        m_core->notify(error);
        return false;
    }
    if (main.isValid() && fitsScreen(main)) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        setGeometry(main);
    }
    // The terminal restores its windows before it first shows, when nothing inside it has a size yet: the area's
    // comes from laying the main window out at its own.
    if (!isVisible() && layout())
        layout()->setGeometry(rect());
    const QRect area(QPoint(0, 0), m_area->contentsRect().size());
    int opened = 0;
    for (const SessionStore::Window& entry : qAsConst(saved)) {
        ProxyIView* view = newView(entry.kind);
        if (!view)
            continue;
        try {
            const std::unique_ptr<Settings> defaults = DefaultSettings::createReadOnly(entry.kind);
            view->restore(*defaults, entry.state);
            view->initCore(m_core);
        } catch (const QString& problem) {
            m_core->notify(tr("Окно \"%1\" не восстановлено: %2").arg(view->windowTitle(), problem));
            delete view;
            continue;
        }
        HostWindow* window = addWindow(entry.kind, view);
        // A place stored on a larger screen is brought inside the windows' area, shrunk where it must be.
        if (entry.geometry.isValid() && !area.isEmpty())
            window->setGeometry(withinArea(entry.geometry, area));
        if (entry.maximized)
            window->showMaximized();
        else
            window->show();
        ++opened;
    }
    updateStatus();
    return opened > 0;
}

void TerminalWindow::showSettings()
{
    HostWindow* active = qobject_cast<HostWindow*>(m_area->activeSubWindow());
    IView* view = active ? active->view()->currentView() : nullptr;
    SettingsDialog dialog(m_core->optionsPages(), view, this);
    dialog.exec();
}

void TerminalWindow::closeEvent(QCloseEvent* event)
{
    if (m_sessionKept)
        storeSession();
    QMainWindow::closeEvent(event);
}

void TerminalWindow::followReplay()
{
    // Which recording plays, and at what pace, once: a stopped stream that goes on again is no news.
    connect(m_replayer, &StreamReplayer::started, this, [this] {
        if (std::exchange(m_replayTold, true))
            return;
        const double speed = m_replayer->speed();
        const QString pace = speed <= 0 ? tr("как можно быстрее")
            : speed == 1.0              ? tr("в записанном темпе")
                                        : tr("в записанном темпе ×%1").arg(QLocale().toString(speed));
        m_core->notify(tr("Воспроизводится запись '%1' %2").arg(m_replayer->path(), pace));
    });
    connect(m_replayer, &StreamReplayer::batchApplied, this, &TerminalWindow::onBatchApplied);
    // The first changes the tables could not take are told at once, every one of them at the end.
    connect(m_replayer, &StreamReplayer::changesSkipped, this, [this](qint64 changes, const QString& reason) {
        if (std::exchange(m_skipsTold, true))
            return;
        m_core->notify(tr("Воспроизведение записи: таблицы не приняли %1: %2")
                           .arg(changesText(int(qMin<qint64>(changes, INT_MAX))), reason));
    });
    connect(m_replayer, &StreamReplayer::finished, this, [this] {
        const auto count = [](qint64 n) { return changesText(int(qMin<qint64>(n, INT_MAX))); };
        m_core->notify(m_replayer->skipped() == 0
                ? tr("Воспроизведение записи окончено: %1").arg(count(m_replayer->changes()))
                : tr("Воспроизведение записи окончено: %1, из них таблицы не приняли %2")
                      .arg(count(m_replayer->changes()), count(m_replayer->skipped())));
        updateStatus();
    });
    if (!m_replayer->truncation().isEmpty())
        m_core->notify(m_replayer->truncation());
    if (!m_replayer->earlyEnd().isEmpty())
        m_core->notify(m_replayer->earlyEnd());
}

void TerminalWindow::onBatchApplied(int changes, double milliseconds)
{
    m_lastBatch = { changes, milliseconds };
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
    if (m_feed)
        m_rate->setText(m_feed->isRunning() ? tr("Поток: %1 в секунду, в очереди %2 из %3")
                                                  .arg(changesText(m_feed->measuredRate()))
                                                  .arg(m_feed->queued())
                                                  .arg(MarketFeed::queueCapacity())
                                            : tr("Поток остановлен"));
    else if (m_replayer)
        m_rate->setText(m_replayer->isRunning()
                ? tr("Воспроизведение записи: %1").arg(changesText(int(qMin<qint64>(m_replayer->changes(), INT_MAX))))
                : tr("Воспроизведение записи окончено"));
    // A tree's rows are the records it shows, open or not.
    qint64 rows = 0;
    for (HostWindow* window : windows()) {
        const Index* model = modelOf(window);
        if (const auto* tree = dynamic_cast<const TreeIndexModel*>(model))
            rows += tree->recordsCount();
        else if (const auto* table = dynamic_cast<const QAbstractItemModel*>(model))
            rows += table->rowCount();
    }
    m_rows->setText(tr("Строк в окнах: %1").arg(QLocale().toString(rows)));
    m_connection->setText(m_replayer ? tr("Биржи нет: воспроизводится запись")
            : m_core->connections()->isConnected() ? QString()
                                                   : tr("Нет подключения к бирже"));
    if (m_lastBatch.first >= 0)
        m_batch->setText(tr("Последний пакет: %1 за %2 мс")
                             .arg(changesText(m_lastBatch.first), QLocale().toString(m_lastBatch.second, 'f', 1)));
}

void TerminalWindow::keepText(QObject* target, const std::function<void()>& set)
{
    set();
    m_texts.push_back({ target, set });
}

void TerminalWindow::addLanguageChoice(QMenu* menu)
{
    // Each language is named in itself, so that a trader who cannot read the other one still finds his own.
    keepText(menu, [menu] { menu->setTitle(tr("Язык")); });
    auto* group = new QActionGroup(menu);
    const QList<QPair<TerminalLanguage::Language, QString>> languages { { TerminalLanguage::Russian,
                                                                            QStringLiteral("Русский") },
        { TerminalLanguage::English, QStringLiteral("English") } };
    for (const auto& language : languages) {
        QAction* choice = menu->addAction(language.second);
        choice->setCheckable(true);
        choice->setData(int(language.first));
        choice->setChecked(TerminalLanguage::current() == language.first);
        choice->setActionGroup(group);
        const TerminalLanguage::Language chosen = language.first;
        connect(choice, &QAction::triggered, this, [this, group, chosen] {
            const QString refusal = TerminalLanguage::choose(chosen);
            if (refusal.isEmpty())
                return;
            // The language the terminal still speaks stays checked.
            for (QAction* other : group->actions())
                other->setChecked(other->data().toInt() == TerminalLanguage::current());
            QMessageBox::information(this, tr("Язык"), refusal);
        });
        // Checked as the terminal speaks, whoever switched it.
        keepText(choice, [choice, chosen] { choice->setChecked(TerminalLanguage::current() == chosen); });
    }
}

void TerminalWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    for (const auto& text : m_texts) {
        if (text.first)
            text.second();
    }
    ViewWrapper::translateCommands();
    // Named before the windows hear of the change, which then name their instrument actions for what they select.
    InstrumentWindows::defineCommands();
    // The open windows take their kind's title in the new language, numbered as when they were opened.
    QSet<QString> taken;
    for (HostWindow* window : windows()) {
        const QString title = titleApart(window->windowName(), taken);
        taken.insert(title);
        window->view()->setWindowTitle(title);
        window->setWindowTitle(title);
    }
    updateStatus();
}
