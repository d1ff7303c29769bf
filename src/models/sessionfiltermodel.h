#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QObject>
#include <QScopedPointer>

class FilterFunc;
class SecuritiesSessionFilter;
class Settings;
class Table;

namespace SessionFilterModelNamespace {

class SessionFilterModelHelperPrivate;

// The current-session switch of an instrument model: off, or on with a predicate passing the records of the
// markets' current sessions (the table's "stock_id" and "sess_id"). The predicate is remade, and filterUpdated()
// emitted, whenever the sessions change (the decoder's new sessions, the sessions directory). A table without
// those columns cannot be restricted: the switch then stays off.
class BASIC_VIEWS_EXPORT SessionFilterModelHelper : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SessionFilterModelHelper)
public:
    explicit SessionFilterModelHelper(Table* table, QObject* parent = nullptr);
    ~SessionFilterModelHelper() override;

    bool isAvailable() const;
    bool isEnabled() const;
    // True when the switch changed.
    bool setEnabled(bool enabled);
    // False for a record of another session while the switch is on. Only reads: safe on the worker threads of
    // a build.
    bool passes(const Record& record) const;
    // "onlyCurrSession", false when absent; true when the switch changed.
    bool read(const Settings& settings);
    void write(Settings& settings) const;

    void updateSessionsFilter();

Q_SIGNALS:
    // The sessions changed: a model restricted to them must be rebuilt.
    void filterUpdated();

private:
    QScopedPointer<SessionFilterModelHelperPrivate> m_d;
};

} // namespace SessionFilterModelNamespace

// An instrument model restricted, on demand, to the current session on top of its own filter: Base is a
// FilterIndexModel (flat or tree) made over a table. Turning the switch rebuilds the model (one reset); so do new
// sessions while it is on.
template<class Base>
class SessionFilterModel : public Base
{
public:
    explicit SessionFilterModel(Table* table, QObject* parent = nullptr)
        : Base(table, parent)
        , m_sessions(new SessionFilterModelNamespace::SessionFilterModelHelper(table, this))
    {
        QObject::connect(
            m_sessions, &SessionFilterModelNamespace::SessionFilterModelHelper::filterUpdated, this, [this] {
                if (m_sessions->isEnabled())
                    this->rebuild();
            });
    }

    SessionFilterModelNamespace::SessionFilterModelHelper* sessionFilter() const { return m_sessions; }
    bool isSessionFilterEnabled() const { return m_sessions->isEnabled(); }
    void setSessionFilterEnabled(bool enabled)
    {
        if (m_sessions->setEnabled(enabled))
            this->rebuild();
    }
    // The switch under "onlyCurrSession" of a window's settings.
    void readSessionFilter(const Settings& settings)
    {
        if (m_sessions->read(settings))
            this->rebuild();
    }
    void writeSessionFilter(Settings& settings) const { m_sessions->write(settings); }

    bool filter(const Record& record) const override { return m_sessions->passes(record) && Base::filter(record); }

private:
    SessionFilterModelNamespace::SessionFilterModelHelper* m_sessions; // child
};
