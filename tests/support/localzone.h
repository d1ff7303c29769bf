#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// The process's local zone set through TZ for the life of the object, and put back afterwards.
class LocalZone
{
public:
    explicit LocalZone(const char* zone)
        : m_previous(qgetenv("TZ"))
        , m_wasSet(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone()
    {
        if (m_wasSet)
            qputenv("TZ", m_previous);
        else
            qunsetenv("TZ");
        tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

private:
    QByteArray m_previous;
    bool m_wasSet;
};
