#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

#include <utility>

// The format handlers of the exporter or the importer, owned and keyed by format name in lower case. A handler
// replaced while a run is busy may be the one working: it is kept until the run ends.
template<typename Handler>
class HandlerRegistry
{
public:
    HandlerRegistry() = default;
    ~HandlerRegistry()
    {
        qDeleteAll(m_handlers);
        qDeleteAll(m_retired);
    }
    Q_DISABLE_COPY(HandlerRegistry)

    QList<QByteArray> formats() const { return m_handlers.keys(); }
    Handler* handler(const QByteArray& format) const { return m_handlers.value(format.toLower()); }
    QList<Handler*> handlers() const { return m_handlers.values(); }

    // Takes ownership; replaces a handler of the same format. Ignores null and nameless handlers.
    void add(Handler* handler)
    {
        if (!handler || handler->format().isEmpty()) {
            delete handler;
            return;
        }
        Handler*& slot = m_handlers[handler->format().toLower()];
        if (slot != handler && m_busy > 0)
            m_retired << slot;
        else if (slot != handler)
            delete slot;
        slot = handler;
    }

    // Around a run that uses a handler and processes events meanwhile.
    void beginBusy() { ++m_busy; }
    void endBusy()
    {
        if (--m_busy == 0)
            qDeleteAll(std::exchange(m_retired, {}));
    }

private:
    QMap<QByteArray, Handler*> m_handlers;
    QList<Handler*> m_retired;
    int m_busy = 0;
};
