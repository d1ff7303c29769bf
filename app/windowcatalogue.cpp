#include "windowcatalogue.h"

#include "core/host/tableregistry.h"
#include "instrumentpicks.h"
#include "limitswindow.h"
#include "moneylimits.h"
#include "pickswindow.h"
#include "tableviewfactory.h"
#include "tablewindow.h"
#include "treegroupswindow.h"
#include "treewindow.h"
#include "windows/proxyiview.h"

#include <QCoreApplication>

namespace {

struct Kind
{
    const char* name;
    const char* table;
    const char* title;
};
const Kind Kinds[] = { { "instruments", "securities", QT_TRANSLATE_NOOP("WindowCatalogue", "Инструменты") },
    { "orders", "orders", QT_TRANSLATE_NOOP("WindowCatalogue", "Заявки") },
    { "deals", "deals", QT_TRANSLATE_NOOP("WindowCatalogue", "Сделки") },
    { "positions", "positions", QT_TRANSLATE_NOOP("WindowCatalogue", "Позиции") },
    { "limits", "money_limits", QT_TRANSLATE_NOOP("WindowCatalogue", "Денежные лимиты") },
    { "picks", "securities", QT_TRANSLATE_NOOP("WindowCatalogue", "Мои инструменты") } };

const Kind* findKind(const QString& name)
{
    for (const Kind& kind : Kinds) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

} // namespace

WindowCatalogue::WindowCatalogue(TableRegistry* tables, MoneyLimits* limits)
{
    using Arrangement = TableWindow::Arrangement;
    using Grouping = TreeWindow::Grouping;
    auto add = [this](const char* kind, const char* key, const char* title, const TableViewFactory::Make& make) {
        m_factories.push_back(std::make_unique<TableViewFactory>(key, title, make));
        m_byKind[QString::fromLatin1(kind)].push_back(m_factories.back().get());
    };
    if (Table* securities = tables->table(QStringLiteral("securities")))
        m_picks = std::make_unique<InstrumentPicks>(securities);
    auto table = [picks = m_picks.get()](Table* t, Arrangement arrangement) {
        return [t, arrangement, picks](QWidget* parent) {
            auto* window = new TableWindow(t, arrangement, parent);
            if (picks)
                window->setPicks(picks);
            return window;
        };
    };
    auto tree = [](Table* t, Grouping grouping) {
        return [t, grouping](QWidget* parent) { return new TreeWindow(t, grouping, parent); };
    };
    auto groups = [](Table* t, TreeGroupsWindow::Grouping grouping) {
        return [t, grouping](QWidget* parent) { return new TreeGroupsWindow(t, grouping, parent); };
    };
    for (const Kind& kind : Kinds) {
        Table* t = tables->table(QString::fromLatin1(kind.table));
        if (!t)
            continue;
        if (qstrcmp(kind.name, "limits") == 0) {
            if (limits && limits->table() == t)
                add(kind.name, "table", QT_TRANSLATE_NOOP("WindowCatalogue", "Таблица"),
                    [limits](QWidget* parent) { return new LimitsWindow(limits, parent); });
        } else if (qstrcmp(kind.name, "picks") == 0) {
            InstrumentPicks* picks = m_picks.get();
            add(kind.name, "list", QT_TRANSLATE_NOOP("WindowCatalogue", "Список"),
                [picks](QWidget* parent) { return new PicksWindow(picks, parent); });
        } else if (qstrcmp(kind.name, "instruments") == 0) {
            add(kind.name, "quotes", QT_TRANSLATE_NOOP("WindowCatalogue", "Котировки"), table(t, Arrangement::Trading));
            add(kind.name, "reference", QT_TRANSLATE_NOOP("WindowCatalogue", "Справочник"),
                table(t, Arrangement::Reference));
            add(kind.name, "tree", QT_TRANSLATE_NOOP("WindowCatalogue", "По режимам"),
                tree(t, Grouping::InstrumentsByBoard));
            add(kind.name, "options", QT_TRANSLATE_NOOP("WindowCatalogue", "Опционы по сериям"),
                groups(t, TreeGroupsWindow::Grouping::OptionsBySeries));
        } else {
            add(kind.name, "table", QT_TRANSLATE_NOOP("WindowCatalogue", "Таблица"), table(t, Arrangement::Trading));
            if (qstrcmp(kind.name, "positions") == 0) {
                add(kind.name, "tree", QT_TRANSLATE_NOOP("WindowCatalogue", "По счетам"),
                    tree(t, Grouping::PositionsByAccount));
                add(kind.name, "groups", QT_TRANSLATE_NOOP("WindowCatalogue", "По счетам и активам"),
                    groups(t, TreeGroupsWindow::Grouping::PositionsByAccountAndUnderlying));
            }
        }
    }
}

WindowCatalogue::~WindowCatalogue() = default;

QStringList WindowCatalogue::kinds() const
{
    QStringList names;
    for (const Kind& kind : Kinds)
        names << QString::fromLatin1(kind.name);
    return names;
}

QString WindowCatalogue::title(const QString& kind) const
{
    const Kind* found = findKind(kind);
    return found ? QCoreApplication::translate("WindowCatalogue", found->title) : QString();
}

ProxyIView* WindowCatalogue::create(const QString& kind, QWidget* parent) const
{
    const auto factories = m_byKind.find(kind);
    if (factories == m_byKind.end())
        return nullptr;
    auto* proxy = new ProxyIView(kind, parent);
    proxy->setWindowTitle(title(kind));
    for (TableViewFactory* factory : factories.value())
        proxy->addFactory(factory, factory->title());
    return proxy;
}
