#pragma once

#include <QMap>
#include <QStringList>

#include <memory>
#include <vector>

class InstrumentPicks;
class MoneyLimits;
class ProxyIView;
class TableRegistry;
class TableViewFactory;
class QWidget;

// The kinds of window the terminal opens ("instruments", "orders", "deals", "positions", "limits", "picks"), each
// a proxy of its alternative views: the instruments window switches between the trading quotes and the full
// reference. The money limits window edits the table through `limits`; without them there is no such window. The
// catalogue holds the trader's pick of instruments that the pick lists and the instruments windows share.
class WindowCatalogue
{
public:
    WindowCatalogue(TableRegistry* tables, MoneyLimits* limits);
    ~WindowCatalogue();

    QStringList kinds() const;
    // Empty for an unknown kind.
    QString title(const QString& kind) const;
    // The kind's views in a proxy, still without a view (initCore() or restore() makes it); null for an unknown
    // kind or when its table is not loaded.
    ProxyIView* create(const QString& kind, QWidget* parent = nullptr) const;
    // Null when the instruments are not loaded.
    InstrumentPicks* picks() const { return m_picks.get(); }

private:
    std::unique_ptr<InstrumentPicks> m_picks;
    std::vector<std::unique_ptr<TableViewFactory>> m_factories;
    QMap<QString, std::vector<TableViewFactory*>> m_byKind;
};
