#include "windows/proxyiview.h"

#include "core/db/defaultsettings.h"
#include "core/host/icore.h"
#include "views/iviewfactory.h"
#include "windows/private/proxyiview_p.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString factoryKeyName = QStringLiteral("proxyIView_factoryKey");
const QString extraKeyName = QStringLiteral("extraKey");

QString groupOf(const IViewFactory* factory)
{
    return QStringLiteral("proxyIView_") + QString::fromUtf8(factory->key());
}

QWidget* widgetOf(IView* view)
{
    return dynamic_cast<QWidget*>(view);
}

} // namespace

ProxyIView::ProxyIView(const QString& windowName, QWidget* parent)
    : QWidget(parent)
    , m_d(new ProxyIViewPrivate)
{
    Q_D(ProxyIView);
    d->windowName = windowName;
    d->layout = new QVBoxLayout(this);
    d->toolBar = new QToolBar(this);
    d->group = new QActionGroup(this);
    setProperty("windowName", windowName);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->toolBar->setIconSize(QSize(16, 16));
    d->toolBar->setFloatable(false);
    d->toolBar->setMovable(false);
    d->toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    d->toolBar->toggleViewAction()->setVisible(false);
    d->toolBar->hide(); // shown by the host among the view's toolbars
    d->group->setExclusive(true);
    connect(d->group, &QActionGroup::triggered, this, &ProxyIView::onActionTriggered);
}

ProxyIView::~ProxyIView()
{
    releaseView(true);
}

IViewFactory* ProxyIView::currentFactory() const
{
    Q_D(const ProxyIView);
    return d->factory;
}

IView* ProxyIView::currentView() const
{
    Q_D(const ProxyIView);
    return d->view;
}

QString ProxyIView::windowName() const
{
    Q_D(const ProxyIView);
    return d->windowName;
}

QString ProxyIView::extraKey() const
{
    Q_D(const ProxyIView);
    return d->extraKey;
}

void ProxyIView::setExtraKey(const QString& key)
{
    Q_D(ProxyIView);
    d->extraKey = key;
}

QToolBar* ProxyIView::switcher() const
{
    Q_D(const ProxyIView);
    return d->toolBar;
}

void ProxyIView::addFactory(IViewFactory* factory, const QString& title)
{
    Q_D(ProxyIView);
    if (!factory)
        return;
    d->factories << factory;
    auto* action = new QAction(title, this);
    action->setCheckable(true);
    action->setData(QVariant::fromValue(factory));
    d->group->addAction(action);
    d->toolBar->addAction(action);
    addAction(action);
}

void ProxyIView::initCore(ICore* core)
{
    Q_D(ProxyIView);
    d->core = core;
    const QList<QAction*> actions = d->group->actions();
    if (!actions.isEmpty() && !d->view)
        actions.first()->trigger();
}

void ProxyIView::onActionTriggered(QAction* action)
{
    setupView(action->data().value<IViewFactory*>(), false);
}

void ProxyIView::setupView(IViewFactory* factory, bool force)
{
    Q_D(ProxyIView);
    if (factory == d->factory && !force)
        return;
    releaseView(true);
    d->factory = factory;
    if (!factory)
        return;
    if (QAction* action = actionOf(factory))
        action->setChecked(true);

    IView* view = factory->create(d->extraKey, this);
    if (!view)
        return;
    // A proxy restored before the host handed it the core gives its views the current one.
    view->initCore(d->core ? d->core : ICore::instance());
    MapSettings defaults;
    if (const std::unique_ptr<Settings> kind = DefaultSettings::createReadOnly(property("windowName").toString()))
        defaults.restore(*kind, groupOf(factory));
    const MapSettings readOnlyDefaults(defaults.values(), true);
    const MapSettings& cached = d->cache[factory];
    if (!cached.values().isEmpty())
        view->restore(readOnlyDefaults, cached);
    else
        view->restoreDefault(readOnlyDefaults, readOnlyDefaults);
    widgetOf(view)->setWindowTitle(windowTitle());
    d->layout->addWidget(widgetOf(view));
    widgetOf(view)->show();
    d->view = view;
}

void ProxyIView::releaseView(bool keepState)
{
    Q_D(ProxyIView);
    if (!d->view)
        return;
    if (keepState) {
        MapSettings state;
        d->view->store(state);
        d->cache[d->factory] = state;
    }
    QWidget* old = widgetOf(d->view);
    d->view = nullptr;
    d->layout->removeWidget(old);
    old->hide();
    old->deleteLater();
}

void ProxyIView::changeEvent(QEvent* event)
{
    Q_D(ProxyIView);
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && d->view)
        widgetOf(d->view)->setWindowTitle(windowTitle());
    if (event->type() == QEvent::LanguageChange) {
        for (QAction* action : d->group->actions()) {
            const QString title = action->data().value<IViewFactory*>()->title();
            if (!title.isEmpty())
                action->setText(title);
        }
    }
}

QAction* ProxyIView::actionOf(IViewFactory* factory) const
{
    Q_D(const ProxyIView);
    for (QAction* action : d->group->actions()) {
        if (action->data().value<IViewFactory*>() == factory)
            return action;
    }
    return nullptr;
}

QList<IViewSettingsPage*> ProxyIView::getSettingsPages(QObject* parent)
{
    Q_D(ProxyIView);
    return d->view ? d->view->getSettingsPages(parent) : QList<IViewSettingsPage*>();
}

QList<QAction*> ProxyIView::getActions()
{
    Q_D(ProxyIView);
    return d->view ? d->view->getActions() : QList<QAction*>();
}

void ProxyIView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    Q_D(ProxyIView);
    if (!d->view)
        return;
    // The point is this widget's; the view takes it in its own coordinates.
    const auto* widget = dynamic_cast<const QWidget*>(d->view);
    d->view->populateActionsAt(widget ? widget->mapFrom(this, at) : at, menu);
}

void ProxyIView::store(Settings& settings) const
{
    storeInto(settings, false);
}

void ProxyIView::storeDefault(Settings& settings) const
{
    storeInto(settings, true);
}

void ProxyIView::storeInto(Settings& settings, bool asDefault) const
{
    Q_D(const ProxyIView);
    if (d->factory) {
        settings.setValue(factoryKeyName, QString::fromUtf8(d->factory->key()));
        if (d->view) {
            MapSettings state;
            if (asDefault)
                d->view->storeDefault(state);
            else
                d->view->store(state);
            state.store(settings, groupOf(d->factory));
            if (!asDefault)
                d->cache[d->factory] = state;
        }
    }
    if (!d->extraKey.isEmpty())
        settings.setValue(extraKeyName, d->extraKey);
    for (IViewFactory* factory : d->factories) {
        if (factory != d->factory)
            d->cache.value(factory).store(settings, groupOf(factory));
    }
}

void ProxyIView::restoreDefault(const Settings&, const Settings& values)
{
    restoreFrom(values);
}

void ProxyIView::restore(const Settings&, const Settings& values)
{
    restoreFrom(values);
}

void ProxyIView::restoreFrom(const Settings& settings)
{
    Q_D(ProxyIView);
    const QByteArray key = settings.value(factoryKeyName).toString().toUtf8();
    d->extraKey = settings.value(extraKeyName, d->extraKey).toString();
    // The saved states replace the caches, the current view's included.
    releaseView(false);
    IViewFactory* chosen = nullptr;
    for (IViewFactory* factory : d->factories) {
        MapSettings& cache = d->cache[factory];
        cache.clear();
        cache.restore(settings, groupOf(factory));
        if (factory->key() == key)
            chosen = factory;
    }
    // A state without a known kind keeps the current kind, or takes the first.
    if (!chosen)
        chosen = d->factory ? d->factory : d->factories.value(0);
    setupView(chosen, true);
}

void ProxyIView::apply()
{
    Q_D(ProxyIView);
    if (d->view)
        d->view->apply();
}

QSize ProxyIView::defaultSize() const
{
    Q_D(const ProxyIView);
    return d->view ? d->view->defaultSize() : QSize(100, 30);
}

QList<QToolBar*> ProxyIView::toolBars()
{
    Q_D(ProxyIView);
    QList<QToolBar*> bars = d->view ? d->view->toolBars() : QList<QToolBar*>();
    bars << d->toolBar;
    return bars;
}
