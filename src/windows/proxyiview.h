#pragma once

#include "basic_views_export.h"
#include "views/iview.h"

#include <QScopedPointer>
#include <QWidget>

class IViewFactory;
class ProxyIViewPrivate;
class QToolBar;

// A window content that holds one of several alternative views, made by factories, with a small toolbar to
// switch between them. Each kind keeps its own state: switching away stores the view's state, switching back
// restores it, and store()/restore() carry the states of all kinds.
class BASIC_VIEWS_EXPORT ProxyIView : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
    Q_DECLARE_PRIVATE_D(m_d, ProxyIView)
public:
    // `windowName` names the window kind's read-only defaults.
    explicit ProxyIView(const QString& windowName, QWidget* parent = nullptr);
    ~ProxyIView() override;

    // The factory is not owned and must outlive the proxy.
    void addFactory(IViewFactory* factory, const QString& title);
    IViewFactory* currentFactory() const;
    IView* currentView() const;
    QString windowName() const;
    QString extraKey() const;
    // Handed to the factories with each view they make.
    void setExtraKey(const QString& key);
    QToolBar* switcher() const;

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

    QScopedPointer<ProxyIViewPrivate> m_d;
};
