#include "events/tableeventalerts.h"

#include "core/db/table.h"

#include <QCoreApplication>
#include <QTimer>

#include <utility>

TableEventAlerts::TableEventAlerts(Table* table, Text text, QObject* parent)
    : QObject(parent)
    , m_table(table)
    , m_text(std::move(text))
{
    Q_ASSERT_X(thread() == QCoreApplication::instance()->thread() && m_table->thread() == thread(), "TableEventAlerts",
        "alerts and their table belong to the GUI thread");
    m_table->addIndex(this);
}

TableEventAlerts::~TableEventAlerts()
{
    if (m_table)
        m_table->removeIndex(this);
}

void TableEventAlerts::watchAdded(AddedTest test)
{
    m_added = std::move(test);
}

void TableEventAlerts::watchChanges(const QList<int>& columns, ChangeTest test)
{
    m_columns = columns;
    m_changed = std::move(test);
}

void TableEventAlerts::store(Settings& settings) const
{
    m_visual.store(settings);
    m_sound.store(settings);
}

void TableEventAlerts::restore(const Settings& defaults, const Settings& values)
{
    m_visual.restore(defaults, values);
    m_sound.restore(defaults, values);
}

bool TableEventAlerts::ownsKey(const QString& key)
{
    return key.startsWith(QLatin1String("SoundEvent/")) || key.startsWith(QLatin1String("VisualEvent/"));
}

QList<IViewSettingsPage*> TableEventAlerts::settingsPages(const QString& caption, QObject* parent) const
{
    return { m_visual.getSettingsPage(true, caption, parent), m_sound.getSettingsPage(true, caption, parent) };
}

void TableEventAlerts::raise(const Record& record)
{
    // Only the first event is told in words: a burst costs a count, not a thousand texts.
    if (m_waiting++ == 0)
        m_first = m_text(record);
}

void TableEventAlerts::add(const Record& record)
{
    if (m_added && m_added(record))
        raise(record);
}

void TableEventAlerts::update(const Record& record, int firstColumn, int lastColumn, int)
{
    if (m_changed && touches(m_columns, firstColumn, lastColumn) && m_changed(Record(), record))
        raise(record);
}

void TableEventAlerts::preprocess(const QList<Record>&, const QList<Record>& updated, int firstColumn, int lastColumn,
    const QList<Record>&, const QList<Record>& updatedNew)
{
    // Only now do the updated records still answer their old values.
    if (!m_changed || !touches(m_columns, firstColumn, lastColumn))
        return;
    for (int i = 0; i < updated.size(); ++i) {
        if (m_changed(updated.at(i), updatedNew.at(i)))
            raise(updatedNew.at(i));
    }
}

void TableEventAlerts::process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>& added)
{
    if (!m_added)
        return;
    for (const Record& record : added)
        add(record);
}

void TableEventAlerts::endUpdate()
{
    if (m_waiting == 0 || m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &TableEventAlerts::deliver);
}

void TableEventAlerts::deliver()
{
    m_scheduled = false;
    const int more = std::exchange(m_waiting, 0) - 1;
    const QString first = std::exchange(m_first, QString());
    if (more < 0)
        return;
    m_visual.showEvent(true, more > 0 ? tr("%1 (и ещё %2)").arg(first, QString::number(more)) : first);
    m_sound.playSound(true);
}
