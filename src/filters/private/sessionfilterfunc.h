#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

class SessionDirectory;

// Passes records by whether their session is active: mode bit 1 admits active sessions, bit 2 the others. The
// directory is taken when the predicate is made, on the GUI thread; the predicate only reads it.
class BASIC_VIEWS_EXPORT SessionFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    enum Mode { Active = 1, Inactive = 2 };
    SessionFilterFunc(int stockColumn, int sessionColumn, int mode, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;

private:
    int m_stock;
    int m_session;
    int m_mode;
    const SessionDirectory* m_sessions; // not owned
};
