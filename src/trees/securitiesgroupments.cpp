#include "trees/securitiesgroupments.h"

#include "core/host/icore.h"
#include "core/host/tableregistry.h"

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
    , m_stock(new GroupmentStock(securities))
    , m_board(new GroupmentBoard(securities))
    , m_types(new GroupmentSecTypes(securities))
    , m_baseCode(new GroupmentColumn(QStringLiteral("base_code"), securities))
    , m_security(new GroupmentSecurity)
{ }

SecuritiesGroupments::~SecuritiesGroupments() = default;

QList<GroupmentsList> SecuritiesGroupments::groupmentList() const
{
    Groupment* stock = m_stock.get();
    Groupment* board = m_board.get();
    Groupment* types = m_types.get();
    Groupment* base = m_baseCode.get();
    Groupment* security = m_security.get();
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
