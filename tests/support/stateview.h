#pragma once

#include "core/db/settings.h"
#include "views/iview.h"
#include "views/iviewfactory.h"

#include <QWidget>

// A window content whose whole state is one number ("value"), for tests of the host side of views: what it
// stores, restores and is made with can be read back directly.
class StateView : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    explicit StateView(const QString& extraKey = QString(), QWidget* parent = nullptr)
        : QWidget(parent)
        , extraKey(extraKey)
    { }

    int value = 0;
    QString extraKey;
    int restoredDefault = 0; // how often restoreDefault() was called
    QSize size { 320, 200 };

    void initCore(ICore*) override { }
    void store(Settings& settings) const override { settings.setValue(QStringLiteral("value"), value); }
    void restore(const Settings& defaults, const Settings& values) override
    {
        value = values.value(QStringLiteral("value"), defaults.value(QStringLiteral("value"), 0)).toInt();
    }
    void restoreDefault(const Settings& defaults, const Settings& values) override
    {
        ++restoredDefault;
        restore(defaults, values);
    }
    QSize defaultSize() const override { return size; }
};

class StateViewFactory : public IViewFactory
{
public:
    explicit StateViewFactory(const QByteArray& key)
        : m_key(key)
    { }
    QByteArray key() const override { return m_key; }
    QString title() const override { return QString::fromUtf8(m_key); }
    IView* create(const QString& extraKey, QWidget* parent) override { return new StateView(extraKey, parent); }

private:
    QByteArray m_key;
};
