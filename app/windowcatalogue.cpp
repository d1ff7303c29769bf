#include "windowcatalogue.h"

#include "core/host/tableregistry.h"
#include "tableviewfactory.h"
#include "views/proxyiview.h"

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
    { "positions", "positions", QT_TRANSLATE_NOOP("WindowCatalogue", "Позиции") } };

const Kind* findKind(const QString& name)
{
    for (const Kind& kind : Kinds) {
        if (name == QLatin1String(kind.name))
            return &kind;
    }
    return nullptr;
}

} // namespace

WindowCatalogue::WindowCatalogue(TableRegistry* tables)
{
    using Arrangement = TableWindow::Arrangement;
    auto add = [this](const char* kind, Table* table, const char* key, const char* title, Arrangement arrangement) {
        m_factories.push_back(std::make_unique<TableViewFactory>(table, key, title, arrangement));
        m_byKind[QString::fromLatin1(kind)].push_back(m_factories.back().get());
    };
    for (const Kind& kind : Kinds) {
        Table* table = tables->table(QString::fromLatin1(kind.table));
        if (!table)
            continue;
        if (qstrcmp(kind.name, "instruments") == 0) {
            add(kind.name, table, "quotes", QT_TRANSLATE_NOOP("WindowCatalogue", "Котировки"), Arrangement::Trading);
            add(kind.name, table, "reference", QT_TRANSLATE_NOOP("WindowCatalogue", "Справочник"),
                Arrangement::Reference);
        } else {
            add(kind.name, table, "table", QT_TRANSLATE_NOOP("WindowCatalogue", "Таблица"), Arrangement::Trading);
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
