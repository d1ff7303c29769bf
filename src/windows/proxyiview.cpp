#include "windows/proxyiview.h"

#include "core/db/defaultsettings.h"
#include "core/host/icore.h"
#include "views/iviewfactory.h"

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
    , m_windowName(windowName)
    , m_layout(new QVBoxLayout(this))
    , m_toolBar(new QToolBar(this))
    , m_group(new QActionGroup(this))
{
    setProperty("windowName", windowName);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setFloatable(false);
    m_toolBar->setMovable(false);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolBar->toggleViewAction()->setVisible(false);
    m_toolBar->hide(); // shown by the host among the view's toolbars
    m_group->setExclusive(true);
    connect(m_group, &QActionGroup::triggered, this, &ProxyIView::onActionTriggered);
}

ProxyIView::~ProxyIView()
{
    releaseView(true);
}

void ProxyIView::addFactory(IViewFactory* factory, const QString& title)
{
    if (!factory)
        return;
    m_factories << factory;
    auto* action = new QAction(title, this);
    action->setCheckable(true);
    action->setData(QVariant::fromValue(factory));
    m_group->addAction(action);
    m_toolBar->addAction(action);
    addAction(action);
}

void ProxyIView::initCore(ICore* core)
{
    m_core = core;
    const QList<QAction*> actions = m_group->actions();
    if (!actions.isEmpty() && !m_view)
        actions.first()->trigger();
}

void ProxyIView::onActionTriggered(QAction* action)
{
    setupView(action->data().value<IViewFactory*>(), false);
}

void ProxyIView::setupView(IViewFactory* factory, bool force)
{
    if (factory == m_factory && !force)
        return;
    releaseView(true);
    m_factory = factory;
    if (!factory)
        return;
    if (QAction* action = actionOf(factory))
        action->setChecked(true);

    IView* view = factory->create(m_extraKey, this);
    if (!view)
        return;
    // A proxy restored before the host handed it the core gives its views the current one.
    view->initCore(m_core ? m_core : ICore::instance());
    MapSettings defaults;
    if (const std::unique_ptr<Settings> kind = DefaultSettings::createReadOnly(property("windowName").toString()))
        defaults.restore(*kind, groupOf(factory));
    const MapSettings readOnlyDefaults(defaults.values(), true);
    const MapSettings& cached = m_cache[factory];
    if (!cached.values().isEmpty())
        view->restore(readOnlyDefaults, cached);
    else
        view->restoreDefault(readOnlyDefaults, readOnlyDefaults);
    widgetOf(view)->setWindowTitle(windowTitle());
    m_layout->addWidget(widgetOf(view));
    widgetOf(view)->show();
    m_view = view;
}

void ProxyIView::releaseView(bool keepState)
{
    if (!m_view)
        return;
    if (keepState) {
        MapSettings state;
        m_view->store(state);
        m_cache[m_factory] = state;
    }
    QWidget* old = widgetOf(m_view);
    m_view = nullptr;
    m_layout->removeWidget(old);
    old->hide();
    old->deleteLater();
}

void ProxyIView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && m_view)
        widgetOf(m_view)->setWindowTitle(windowTitle());
    if (event->type() == QEvent::LanguageChange) {
        for (QAction* action : m_group->actions()) {
            const QString title = action->data().value<IViewFactory*>()->title();
            if (!title.isEmpty())
                action->setText(title);
        }
    }
}

QAction* ProxyIView::actionOf(IViewFactory* factory) const
{
    for (QAction* action : m_group->actions()) {
        if (action->data().value<IViewFactory*>() == factory)
            return action;
    }
    return nullptr;
}

QList<IViewSettingsPage*> ProxyIView::getSettingsPages(QObject* parent)
{
    return m_view ? m_view->getSettingsPages(parent) : QList<IViewSettingsPage*>();
}

QList<QAction*> ProxyIView::getActions()
{
    return m_view ? m_view->getActions() : QList<QAction*>();
}

void ProxyIView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    if (!m_view)
        return;
    // The point is this widget's; the view takes it in its own coordinates.
    const auto* widget = dynamic_cast<const QWidget*>(m_view);
    m_view->populateActionsAt(widget ? widget->mapFrom(this, at) : at, menu);
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
    if (m_factory) {
        settings.setValue(factoryKeyName, QString::fromUtf8(m_factory->key()));
        if (m_view) {
            MapSettings state;
            if (asDefault)
                m_view->storeDefault(state);
            else
                m_view->store(state);
            state.store(settings, groupOf(m_factory));
            if (!asDefault)
                m_cache[m_factory] = state;
        }
    }
    if (!m_extraKey.isEmpty())
        settings.setValue(extraKeyName, m_extraKey);
    for (IViewFactory* factory : m_factories) {
        if (factory != m_factory)
            m_cache.value(factory).store(settings, groupOf(factory));
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
    const QByteArray key = settings.value(factoryKeyName).toString().toUtf8();
    m_extraKey = settings.value(extraKeyName, m_extraKey).toString();
    // The saved states replace the caches, the current view's included.
    releaseView(false);
    IViewFactory* chosen = nullptr;
    for (IViewFactory* factory : m_factories) {
        MapSettings& cache = m_cache[factory];
        cache.clear();
        cache.restore(settings, groupOf(factory));
        if (factory->key() == key)
            chosen = factory;
    }
    // A state without a known kind keeps the current kind, or takes the first.
    if (!chosen)
        chosen = m_factory ? m_factory : m_factories.value(0);
    setupView(chosen, true);
}

void ProxyIView::apply()
{
    if (m_view)
        m_view->apply();
}

QSize ProxyIView::defaultSize() const
{
    return m_view ? m_view->defaultSize() : QSize(100, 30);
}

QList<QToolBar*> ProxyIView::toolBars()
{
    QList<QToolBar*> bars = m_view ? m_view->toolBars() : QList<QToolBar*>();
    bars << m_toolBar;
    return bars;
}
