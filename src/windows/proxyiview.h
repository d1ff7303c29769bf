#pragma once

#include "basic_views_export.h"
#include "core/db/mapsettings.h"
#include "views/iview.h"

#include <QMap>
#include <QWidget>

class IViewFactory;
class QActionGroup;
class QToolBar;
class QVBoxLayout;

// A window content that holds one of several alternative views, made by factories, with a small toolbar to
// switch between them. Each kind keeps its own state: switching away stores the view's state, switching back
// restores it, and store()/restore() carry the states of all kinds.
class BASIC_VIEWS_EXPORT ProxyIView : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    // `windowName` names the window kind's read-only defaults.
    explicit ProxyIView(const QString& windowName, QWidget* parent = nullptr);
    ~ProxyIView() override;

    // The factory is not owned and must outlive the proxy.
    void addFactory(IViewFactory* factory, const QString& title);
    IViewFactory* currentFactory() const { return m_factory; }
    IView* currentView() const { return m_view; }
    QString windowName() const { return m_windowName; }
    QString extraKey() const { return m_extraKey; }
    // Handed to the factories with each view they make.
    void setExtraKey(const QString& key) { m_extraKey = key; }
    QToolBar* switcher() const { return m_toolBar; }

    // Triggers the first kind, which makes its view.
    void initCore(ICore* core) override;
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    void storeDefault(Settings& settings) const override;
    void restoreDefault(const Settings& defaults, const Settings& values) override;
    void restore(const Settings& defaults, const Settings& values) override;
    void apply() override;
    // 100 by 30 without a view.
    QSize defaultSize() const override;
    // The view's toolbars, then the switcher.
    QList<QToolBar*> toolBars() override;

protected Q_SLOTS:
    void onActionTriggered(QAction* action);

protected:
    // The views carry the proxy's title: their exports are named after it. The switcher takes the factories'
    // titles again in a new language.
    void changeEvent(QEvent* event) override;
    // Makes the factory's view, storing the current one's state first; nothing when the factory is current
    // and `force` is false.
    void setupView(IViewFactory* factory, bool force);

private:
    void storeInto(Settings& settings, bool asDefault) const;
    // Takes the view out and deletes it later; its state goes to its kind's cache when `keepState`.
    void releaseView(bool keepState);
    void restoreFrom(const Settings& settings);
    QAction* actionOf(IViewFactory* factory) const;

    QString m_windowName;
    QVBoxLayout* m_layout;
    QToolBar* m_toolBar;
    QActionGroup* m_group;
    QList<IViewFactory*> m_factories; // not owned
    IViewFactory* m_factory = nullptr; // not owned
    IView* m_view = nullptr; // a child widget
    ICore* m_core = nullptr; // not owned
    mutable QMap<IViewFactory*, MapSettings> m_cache;
    QString m_extraKey;
};
