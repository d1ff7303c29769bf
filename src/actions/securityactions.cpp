#include "actions/securityactions.h"
#include "actions/private/securityactions_p.h"

#include "actions/onlinedialog.h"
#include "core/db/guilog.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/actions/action.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/icore.h"
#include "core/host/idecoder.h"
#include "core/host/iwindowmanager.h"
#include "core/host/securitykey.h"
#include "core/host/tableregistry.h"
#include "orders/addordershortdialog.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QMenu>
#include <QTimer>

namespace {

struct TypeInfo
{
    int type;
    const char* windowId; // null: no window
    const char* commandId; // null: no host command
    bool multiCapable;
    const char* textOne; // with the instrument's name as %1
    const char* textOther;
};

const TypeInfo Types[] = {
    { SecurityActions::AddOrder, nullptr, nullptr, false,
        QT_TRANSLATE_NOOP("SecurityActions", "Поставить заявку на %1"),
        QT_TRANSLATE_NOOP("SecurityActions", "Поставить заявку") },
    { SecurityActions::QrbRequest, nullptr, nullptr, false, QT_TRANSLATE_NOOP("SecurityActions", "Запрос ЗРБ на %1"),
        QT_TRANSLATE_NOOP("SecurityActions", "Запрос ЗРБ") },
    { SecurityActions::AllDeals, "All_deals", "CurrentTable.ShowDeals", true,
        QT_TRANSLATE_NOOP("SecurityActions", "Открыть все сделки для %1"),
        QT_TRANSLATE_NOOP("SecurityActions", "Открыть все сделки") },
    { SecurityActions::Quotes, "Dom", "CurrentTable.ShowDOM", false,
        QT_TRANSLATE_NOOP("SecurityActions", "Открыть котировки %1"),
        QT_TRANSLATE_NOOP("SecurityActions", "Открыть котировки") },
    { SecurityActions::Chart, "TAMainWindow", "CurrentTable.ShowTA", true,
        QT_TRANSLATE_NOOP("SecurityActions", "Построить график %1"),
        QT_TRANSLATE_NOOP("SecurityActions", "Построить график") },
    { SecurityActions::VolatilityCurve, "VolatilityPlot", "CurrentTable.ShowVP", false,
        QT_TRANSLATE_NOOP("SecurityActions", "Построить кривую волатильности"),
        QT_TRANSLATE_NOOP("SecurityActions", "Построить кривую волатильности") },
    { SecurityActions::Information, "SecurityInfo", "View.Information", true,
        QT_TRANSLATE_NOOP("SecurityActions", "Информация"), QT_TRANSLATE_NOOP("SecurityActions", "Информация") },
};

const TypeInfo* typeInfo(int type)
{
    for (const TypeInfo& info : Types) {
        if (info.type == type)
            return &info;
    }
    return nullptr;
}

int typeOf(const QAction* action)
{
    return action ? action->property("ActionType").toInt() : 0;
}

// The model a view's model stands for, through any proxy models.
ItemModelWithDelegates* delegatesModelUnder(QAbstractItemModel* model)
{
    while (auto* proxy = qobject_cast<QAbstractProxyModel*>(model))
        model = proxy->sourceModel();
    return qobject_cast<ItemModelWithDelegates*>(model);
}

} // namespace

SecurityActions::SecurityActions(QObject* parent)
    : QObject(parent)
    , m_d(new SecurityActionsPrivate)
{
    setup();
}

SecurityActions::SecurityActions(QAbstractItemView* view, QObject* parent)
    : QObject(parent)
    , m_d(new SecurityActionsPrivate)
{
    Q_D(SecurityActions);
    d->view = view;
    setup();
    setModel(delegatesModelUnder(view->model()));
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        updateFromView();
        onActivate(toModel(index));
    });
    // Texts and enabled states follow the selection, read once a pass of the event loop: a selection grown in many
    // steps (Shift and an arrow held, a mouse drag) is looked up once.
    if (QItemSelectionModel* selection = view->selectionModel()) {
        auto* pending = new QTimer(this);
        pending->setSingleShot(true);
        pending->setInterval(0);
        connect(pending, &QTimer::timeout, this, &SecurityActions::updateFromView);
        connect(selection, &QItemSelectionModel::selectionChanged, pending, qOverload<>(&QTimer::start));
        connect(selection, &QItemSelectionModel::currentChanged, pending, qOverload<>(&QTimer::start));
    }
}

SecurityActions::~SecurityActions() = default;

void SecurityActions::setup()
{
    Q_D(SecurityActions);
    for (const TypeInfo& info : Types) {
        // The clearing-house request is a type of its own, offered by no window of its own accord.
        if (info.type != QrbRequest)
            addAction(info.type);
    }
    if (Table* securities
        = ICore::instance() ? ICore::instance()->tables()->table(QStringLiteral("securities")) : nullptr) {
        d->securities = securities;
        d->secStock = securities->columnIndex(QStringLiteral("stock_id"));
        d->secBoard = securities->columnIndex(QStringLiteral("board_id"));
        d->secId = securities->columnIndex(QStringLiteral("sec_id"));
        d->secType = securities->columnIndex(QStringLiteral("sectype"));
        d->secName = securities->columnIndex(QStringLiteral("sec_name"));
        d->secIsin = securities->columnIndex(QStringLiteral("isin_id"));
        d->secSeries = securities->columnIndex(QStringLiteral("option_series_id"));
    }
    for (QObject* plugin : ICore::instance() ? ICore::instance()->plugins() : QList<QObject*>()) {
        if (qobject_cast<IDecoder*>(plugin))
            connect(plugin, SIGNAL(aNewSessions()), this, SLOT(aNewSessions()));
    }
    setDefaultAction(AddOrder);
}

void SecurityActions::addAction(int type)
{
    Q_D(SecurityActions);
    const TypeInfo* info = typeInfo(type);
    QAction* action = nullptr;
    if (!info->commandId) {
        action = new QAction(this);
    } else {
        const ActionManager* registry = ICore::instance() ? ICore::instance()->actions() : nullptr;
        const QString command = QString::fromLatin1(info->commandId);
        if (!registry || !registry->findCommand(command))
            return;
        action = new Action(command, this);
        action->setProperty("ActionWindowId", QString::fromLatin1(info->windowId));
    }
    action->setProperty("ActionType", type);
    action->setProperty("ActionMultyCapable", info->multiCapable);
    action->setText(actionText(QModelIndex(), action));
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, action] { onActionTriggered(action); });
    d->actions.insert(type, action);
    d->available.insert(type);
}

void SecurityActions::setModel(ItemModelWithDelegates* model)
{
    Q_D(SecurityActions);
    d->model = model;
    d->cachedText.clear();
    d->cached = SecurityProp();
    d->modelStock = model ? model->columnIndex(QStringLiteral("stock_id")) : -1;
    d->modelBoard = model ? model->columnIndex(QStringLiteral("board_id")) : -1;
    d->modelSec = model ? model->columnIndex(QStringLiteral("sec_id")) : -1;
}

QList<QAction*> SecurityActions::actions() const
{
    Q_D(const SecurityActions);
    QList<QAction*> list;
    for (auto it = d->actions.cbegin(); it != d->actions.cend(); ++it) {
        if (d->available.contains(it.key()))
            list << it.value();
    }
    return list;
}

QAction* SecurityActions::action(int type) const
{
    Q_D(const SecurityActions);
    return d->actions.value(type);
}

QAction* SecurityActions::defaultAction() const
{
    Q_D(const SecurityActions);
    return action(d->defaultType);
}

void SecurityActions::setDefaultAction(int type)
{
    Q_D(SecurityActions);
    for (QAction* action : qAsConst(d->actions)) {
        QFont font = action->font();
        font.setBold(typeOf(action) == type);
        action->setFont(font);
    }
    d->defaultType = type;
}

void SecurityActions::setAvailableTypes(const QSet<int>& types)
{
    Q_D(SecurityActions);
    d->available = types;
}

Record SecurityActions::recordOf(const QModelIndex& index) const
{
    Q_D(const SecurityActions);
    if (!d->model || index.row() < 0 || index.column() < 0)
        return Record();
    if (d->recordMapper)
        return d->recordMapper(index);
    if (index.model() != d->model) {
        qCWarning(QGuiLog) << "SecurityActions: an index of another model";
        return Record();
    }
    return d->model->recordByIndex(index);
}

SecurityKey SecurityActions::keyOf(const Record& record) const
{
    Q_D(const SecurityActions);
    const int stock = d->model ? d->model->tableColumn(d->modelStock) : -1;
    const int board = d->model ? d->model->tableColumn(d->modelBoard) : -1;
    const int sec = d->model ? d->model->tableColumn(d->modelSec) : -1;
    if (record.isNull() || stock < 0 || board < 0 || sec < 0)
        return SecurityKey();
    return SecurityKey { record.data(stock).toInteger(), record.data(board).toInteger(),
        record.data(sec).toInteger64() };
}

SecurityProp SecurityActions::securityProperties(const QModelIndex& index) const
{
    Q_D(const SecurityActions);
    const Record record = recordOf(index);
    if (record.isNull() || !d->securities)
        return SecurityProp();
    const QString text = record.toString();
    if (text == d->cachedText)
        return d->cached;
    const SecurityKey rowKey = keyOf(record);
    SecurityProp prop;
    if (rowKey.isValid()) {
        Record key(d->securities);
        key.data(d->secStock) = rowKey.stock;
        key.data(d->secBoard) = rowKey.board;
        key.data(d->secId) = rowKey.sec;
        const Record security = d->securities->masterIndex()->recordByKey(key);
        if (!security.isNull()) {
            prop.stockId = security.data(d->secStock).toInteger();
            prop.boardId = security.data(d->secBoard).toInteger();
            prop.secId = security.data(d->secId).toInteger64();
            prop.textId = SecurityKey { prop.stockId, prop.boardId, prop.secId }.textId();
            prop.name = security.data(d->secName).toString();
            prop.isinId = security.data(d->secIsin).toInteger();
            prop.optionSeriesId = security.data(d->secSeries).toInteger();
            prop.secType = security.data(d->secType).toChar();
            const BoardDirectory* boards = BoardDirectory::i();
            prop.isTrade = boards->isTradeById(prop.stockId, prop.boardId);
            prop.isQRBRequest = boards->isQRBRequestById(prop.stockId, prop.boardId);
            prop.isIndex = boards->isIndexById(prop.stockId, prop.boardId);
            prop.isValid = true;
        }
    }
    d->cachedText = text;
    d->cached = prop;
    return prop;
}

bool SecurityActions::isActionEnabled(const QModelIndex& index, const QAction* action) const
{
    const SecurityProp p = securityProperties(index);
    if (!p.isValid || p.textId.isEmpty() || p.name.isEmpty())
        return false;
    const BoardDirectory* boards = BoardDirectory::i();
    switch (typeOf(action)) {
    case AddOrder:
    case AllDeals:
        return p.isTrade && !p.isIndex;
    case QrbRequest:
        return p.isQRBRequest && !p.isIndex;
    case Quotes:
        return p.isTrade && boards->isDomById(p.stockId, p.boardId);
    case Chart:
        return (p.isTrade || p.isIndex) && boards->isChartById(p.stockId, p.boardId);
    case VolatilityCurve:
        return p.secType == QLatin1Char('O') || (p.secType == QLatin1Char('F') && p.optionSeriesId != 0);
    case Information:
        return true;
    default:
        return false;
    }
}

QString SecurityActions::actionText(const QModelIndex& index, const QAction* action) const
{
    const TypeInfo* info = typeInfo(typeOf(action));
    if (!info)
        return QString();
    if (!index.isValid())
        return tr(info->textOther);
    const QString one = tr(info->textOne);
    return one.contains(QLatin1String("%1")) ? one.arg(securityProperties(index).name) : one;
}

QString SecurityActions::actionInstrument(const QModelIndex& index, const QAction*) const
{
    return securityProperties(index).textId;
}

void SecurityActions::onSelectionChanged(const QModelIndexList& indexes)
{
    Q_D(SecurityActions);
    // One row stands for each instrument: two orders in one instrument are one instrument. Rows are told apart
    // by their key fields first, so that a selection of many rows looks up each instrument once.
    QList<QModelIndex> instruments;
    QSet<SecurityKey> seen;
    for (const QModelIndex& index : indexes) {
        const SecurityKey key = keyOf(recordOf(index));
        if (!key.isValid() || seen.contains(key))
            continue;
        seen.insert(key);
        if (securityProperties(index).isValid)
            instruments << index;
    }
    d->selectedInstruments = instruments.size();
    for (QAction* action : qAsConst(d->actions)) {
        action->setText(actionText(instruments.size() == 1 ? instruments.first() : QModelIndex(), action));
        bool enabled = !instruments.isEmpty();
        for (int i = 0; enabled && i < instruments.size(); ++i)
            enabled = isActionEnabled(instruments.at(i), action);
        const bool usable = enabled && (instruments.size() == 1 || action->property("ActionMultyCapable").toBool());
        QStringList textIds;
        if (usable) {
            for (const QModelIndex& index : qAsConst(instruments))
                textIds << actionInstrument(index, action);
        }
        action->setEnabled(usable);
        action->setProperty("ActionInstrument", textIds.join(QLatin1Char('|')));
    }
}

bool SecurityActions::event(QEvent* event)
{
    Q_D(SecurityActions);
    // Told by the window that holds it: the texts are named again for what is selected.
    if (event->type() == QEvent::LanguageChange) {
        if (d->view)
            updateFromView();
        else
            for (QAction* action : qAsConst(d->actions))
                action->setText(actionText(QModelIndex(), action));
    }
    return QObject::event(event);
}

void SecurityActions::onActivate(const QModelIndex&)
{
    Q_D(SecurityActions);
    QAction* action = defaultAction();
    if (action && action->isEnabled() && d->available.contains(d->defaultType))
        action->trigger();
}

void SecurityActions::aNewSessions()
{
    Q_D(SecurityActions);
    d->cachedText.clear();
    d->cached = SecurityProp();
}

void SecurityActions::onActionTriggered(QAction* action)
{
    const QString instruments = action->property("ActionInstrument").toString();
    if (instruments.isEmpty())
        return;
    const int type = typeOf(action);
    if (type == AddOrder || type == QrbRequest) {
        if (OnlineDialog::showDialog())
            AddOrderShortDialog::showDialog(instruments, type == QrbRequest);
        return;
    }
    IWindowManager* windows = IWindowManager::instance();
    if (!windows)
        return;
    const QString windowId = action->property("ActionWindowId").toString();
    if (type == Chart) {
        for (const QString& textId : instruments.split(QLatin1Char('|')))
            windows->openWindow(windowId, textId);
        return;
    }
    windows->openWindow(windowId, instruments);
}

QModelIndex SecurityActions::toModel(const QModelIndex& viewIndex) const
{
    Q_D(const SecurityActions);
    if (d->recordMapper)
        return viewIndex;
    if (d->mapper)
        return d->mapper(viewIndex);
    QModelIndex index = viewIndex;
    while (index.isValid() && index.model() != d->model) {
        const auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model());
        if (!proxy)
            return QModelIndex();
        index = proxy->mapToSource(index);
    }
    return index;
}

void SecurityActions::updateFromView()
{
    Q_D(SecurityActions);
    if (!d->view || !d->view->selectionModel())
        return;
    const QItemSelectionModel* selection = d->view->selectionModel();
    QModelIndexList rows;
    // By ranges, one index a row: a selection of every row of a wide table holds millions of cells.
    for (const QItemSelectionRange& range : selection->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << toModel(range.model()->index(row, range.left(), range.parent()));
    }
    if (rows.isEmpty() && selection->currentIndex().isValid())
        rows << toModel(selection->currentIndex());
    onSelectionChanged(rows);
}

void SecurityActions::addToMenu(QMenu* menu)
{
    Q_D(SecurityActions);
    updateFromView();
    if (d->selectedInstruments == 0 || actions().isEmpty())
        return;
    menu->addActions(actions());
    menu->addSeparator();
}

ItemModelWithDelegates* SecurityActions::model() const
{
    return d_func()->model;
}

void SecurityActions::setIndexMapper(IndexMapper mapper)
{
    d_func()->mapper = std::move(mapper);
}

void SecurityActions::setRecordMapper(RecordMapper mapper)
{
    d_func()->recordMapper = std::move(mapper);
}

QSet<int> SecurityActions::availableTypes() const
{
    return d_func()->available;
}
