#pragma once

#include "basic_views_export.h"
#include "core/db/index.h"
#include "events/soundevent.h"
#include "events/visualevent.h"

#include <QObject>
#include <QScopedPointer>

#include <functional>

class IViewSettingsPage;
class Settings;
class Table;

class TableEventAlertsPrivate;

// A view's alerts on events in its table (a new deal of one's own, an order filled): every change of the table is
// tested as it comes, and the events of one batch make one alert after it, from the event loop: one notification
// (the first event's text and how many more) and one sound, each under its delay. So a burst of a thousand events
// is one line, and the table's batch never waits for an alert.
//
// Registered with the table as an index that keeps no records. GUI thread only: the table, this object and the
// alerts' host services all live there, since the events of a batch are gathered in the table's calls and shown
// from this object's event loop without a lock between them.
class BASIC_VIEWS_EXPORT TableEventAlerts : public QObject, private Index
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TableEventAlerts)
public:
    using Text = std::function<QString(const Record& record)>;
    using AddedTest = std::function<bool(const Record& added)>;
    // `before` holds the values before the change; the empty handle when a single change came without them.
    using ChangeTest = std::function<bool(const Record& before, const Record& after)>;

    // `text` tells an event of a record. `table` and this object belong to the GUI thread.
    TableEventAlerts(Table* table, Text text, QObject* parent = nullptr);
    ~TableEventAlerts() override;

    // A new record is an event when the test says so.
    void watchAdded(AddedTest test);
    // A change of one of the columns is an event when the test says so.
    void watchChanges(const QList<int>& columns, ChangeTest test);

    VisualEvent& visual();
    SoundEvent& sound();
    void store(Settings& settings) const;
    void restore(const Settings& defaults, const Settings& values);
    // Whether a key of the window's settings is one the alerts keep.
    static bool ownsKey(const QString& key);
    // The visual page (its group titled `caption`) and the sound page.
    QList<IViewSettingsPage*> settingsPages(const QString& caption, QObject* parent) const;

private:
    void clear() override { }
    void build() override { }
    void add(const Record& record) override;
    void remove(const Record&, int) override { }
    bool filter(const Record&) const override { return true; }
    bool contains(const Record&) const override { return false; }
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override;
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override;
    void endUpdate() override;
    void sourceDestroyed() override;
    QString getClassName() const override { return QStringLiteral("TableEventAlerts"); }

    void raise(const Record& record);
    // Shows what the batches since the last call raised.
    void deliver();
    QScopedPointer<TableEventAlertsPrivate> m_d;
};
