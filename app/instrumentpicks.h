#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class FilterRecordsModel;
class IndexList;
class Record;
class Settings;
class Table;
class TableModel;

// The trader's own instruments ("Мои инструменты"), one list for the whole terminal: the pick list windows show
// and reorder it, the instruments windows can show only its instruments in its order. Its cells read as the
// instruments window's do (market and board by name).
//
// Every window that uses the list stores it with its own state; the first window restored with a list fills an
// empty pick, the others find the same list there.
class InstrumentPicks : public QObject
{
    Q_OBJECT
public:
    explicit InstrumentPicks(Table* securities, QObject* parent = nullptr);
    ~InstrumentPicks() override;

    FilterRecordsModel* model() const { return m_model; }
    // Adds the instruments not in the list yet, after the others (or at their place while the list is sorted).
    void add(const QList<Record>& instruments);
    void remove(const QList<Record>& instruments);
    bool contains(const Record& instrument) const;
    // The instruments' key texts, in the list's order.
    QStringList keys() const;
    // The instruments named, in that order; nothing happens when that is the list already. The same instruments in
    // another order are moved into it (an instrument that left the table stays picked); one changed() at the end.
    void setKeys(const QStringList& keys);

    // The list under "picks" in a window's settings.
    void store(Settings& settings) const;
    // Fills the list from a window's settings while it is empty.
    void restore(const Settings& settings);

Q_SIGNALS:
    // Instruments came, went or moved.
    void changed();

private:
    void onModelChanged();

    std::unique_ptr<IndexList> m_noRows; // an empty index of the table: the formatter's source
    TableModel* m_cells; // the catalogue's columns over no rows, formatting the list's cells
    FilterRecordsModel* m_model;
    bool m_settingKeys = false;
};
