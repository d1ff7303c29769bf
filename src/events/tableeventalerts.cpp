#include "events/tableeventalerts.h"
#include "events/private/tableeventalerts_p.h"

#include "core/db/table.h"

#include <QCoreApplication>
#include <QTimer>

#include <utility>

TableEventAlerts::TableEventAlerts(Table* table, Text text, QObject* parent)
    : QObject(parent)
    , m_d(new TableEventAlertsPrivate)
{
    Q_D(TableEventAlerts);
    d->table = table;
    d->text = std::move(text);
    Q_ASSERT_X(thread() == QCoreApplication::instance()->thread() && d->table->thread() == thread(), "TableEventAlerts",
        "alerts and their table belong to the GUI thread");
    d->table->addIndex(this);
}

TableEventAlerts::~TableEventAlerts()
{
    Q_D(TableEventAlerts);
    if (d->table)
        d->table->removeIndex(this);
}

void TableEventAlerts::watchAdded(AddedTest test)
{
    Q_D(TableEventAlerts);
    d->added = std::move(test);
}

void TableEventAlerts::watchChanges(const QList<int>& columns, ChangeTest test)
{
    Q_D(TableEventAlerts);
    d->columns = columns;
    d->changed = std::move(test);
}

void TableEventAlerts::store(Settings& settings) const
{
    Q_D(const TableEventAlerts);
    d->visual.store(settings);
    d->sound.store(settings);
}

void TableEventAlerts::restore(const Settings& defaults, const Settings& values)
{
    Q_D(TableEventAlerts);
    d->visual.restore(defaults, values);
    d->sound.restore(defaults, values);
}

bool TableEventAlerts::ownsKey(const QString& key)
{
    return key.startsWith(QLatin1String("SoundEvent/")) || key.startsWith(QLatin1String("VisualEvent/"));
}

QList<IViewSettingsPage*> TableEventAlerts::settingsPages(const QString& caption, QObject* parent) const
{
    Q_D(const TableEventAlerts);
    return { d->visual.getSettingsPage(true, caption, parent), d->sound.getSettingsPage(true, caption, parent) };
}

void TableEventAlerts::raise(const Record& record)
{
    Q_D(TableEventAlerts);
    // Only the first event is told in words: a burst costs a count, not a thousand texts.
    if (d->waiting++ == 0)
        d->first = d->text(record);
}

void TableEventAlerts::add(const Record& record)
{
    Q_D(TableEventAlerts);
    if (d->added && d->added(record))
        raise(record);
}

void TableEventAlerts::update(const Record& record, int firstColumn, int lastColumn, int)
{
    Q_D(TableEventAlerts);
    if (d->changed && touches(d->columns, firstColumn, lastColumn) && d->changed(Record(), record))
        raise(record);
}

void TableEventAlerts::preprocess(const QList<Record>&, const QList<Record>& updated, int firstColumn, int lastColumn,
    const QList<Record>&, const QList<Record>& updatedNew)
{
    Q_D(TableEventAlerts);
    // Only now do the updated records still answer their old values.
    if (!d->changed || !touches(d->columns, firstColumn, lastColumn))
        return;
    for (int i = 0; i < updated.size(); ++i) {
        if (d->changed(updated.at(i), updatedNew.at(i)))
            raise(updatedNew.at(i));
    }
}

void TableEventAlerts::process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>& added)
{
    Q_D(TableEventAlerts);
    if (!d->added)
        return;
    for (const Record& record : added)
        add(record);
}

void TableEventAlerts::endUpdate()
{
    Q_D(TableEventAlerts);
    if (d->waiting == 0 || d->scheduled)
        return;
    d->scheduled = true;
    QTimer::singleShot(0, this, &TableEventAlerts::deliver);
}

void TableEventAlerts::deliver()
{
    Q_D(TableEventAlerts);
    d->scheduled = false;
    const int more = std::exchange(d->waiting, 0) - 1;
    const QString first = std::exchange(d->first, QString());
    if (more < 0)
        return;
    d->visual.showEvent(true, more > 0 ? tr("%1 (и ещё %2)").arg(first, QString::number(more)) : first);
    d->sound.playSound(true);
}

VisualEvent& TableEventAlerts::visual()
{
    return d_func()->visual;
}

SoundEvent& TableEventAlerts::sound()
{
    return d_func()->sound;
}

void TableEventAlerts::sourceDestroyed()
{
    d_func()->table = nullptr;
}
