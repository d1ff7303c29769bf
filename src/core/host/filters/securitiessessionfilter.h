#pragma once

#include "core/host/filters/valuefilter.h"

// Passes records of the markets' active sessions. Key columns: the market and the session column. The keys
// follow the sessions by themselves: when the exchange opens new sessions (the decoder's aNewSessions()) or
// the sessions directory reloads, they are taken again and asincChanged() is emitted.
class BV_HOST_EXPORT SecuritiesSessionFilter : public ValueFilter
{
    Q_OBJECT
public:
    SecuritiesSessionFilter(
        Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent = nullptr);

    QString name() const override;
    // The value is "the current sessions": nothing to persist or set.
    QString value() const override { return QString(); }
    void setValue(const QString&) override { }
    void clear() override { }

    void updateKeys();

private Q_SLOTS:
    void onNewSessions();
};
