#include "trees/securitiesgroupments.h"

#include "core/host/icore.h"
#include "core/host/tableregistry.h"
#include "trees/private/securitiesgroupments_p.h"

namespace {

Table* hostSecurities()
{
    return ICore::instance() ? ICore::instance()->tables()->table(QStringLiteral("securities")) : nullptr;
}

} // namespace

SecuritiesGroupments::SecuritiesGroupments(QObject* parent)
    : SecuritiesGroupments(hostSecurities(), parent)
{ }

SecuritiesGroupments::SecuritiesGroupments(Table* securities, QObject* parent)
    : QObject(parent)
    , m_d(new SecuritiesGroupmentsPrivate)
{
    Q_D(SecuritiesGroupments);
    d->stock.reset(new GroupmentStock(securities));
    d->board.reset(new GroupmentBoard(securities));
    d->types.reset(new GroupmentSecTypes(securities));
    d->baseCode.reset(new GroupmentColumn(QStringLiteral("base_code"), securities));
    d->security.reset(new GroupmentSecurity);
}

SecuritiesGroupments::~SecuritiesGroupments() = default;

QList<GroupmentsList> SecuritiesGroupments::groupmentList() const
{
    Q_D(const SecuritiesGroupments);
    Groupment* stock = d->stock.get();
    Groupment* board = d->board.get();
    Groupment* types = d->types.get();
    Groupment* base = d->baseCode.get();
    Groupment* security = d->security.get();
    return { { tr("Площадки и режимы"), { stock, board, security } }, { tr("Площадки"), { stock, security } },
        { tr("Режимы торгов"), { board, security } }, { tr("Типы"), { types, security } },
        { tr("Базовый актив"), { stock, base, security } }, { tr("Площадки и типы"), { stock, types, security } },
        { tr("Режимы и типы"), { board, types, security } },
        { tr("Площадки, типы, режимы"), { stock, types, board, security } },
        { tr("<без группировки>"), { security } } };
}

GroupmentsList SecuritiesGroupments::groupmentList(const QString& name) const
{
    for (const GroupmentsList& list : groupmentList()) {
        if (list.name == name)
            return list;
    }
    return GroupmentsList();
}
