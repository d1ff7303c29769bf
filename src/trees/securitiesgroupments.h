#pragma once

#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/groupmentsecurities.h"

#include <QObject>

#include <memory>

class Table;

// The named groupings of the instruments table ("Площадки и режимы", "<без группировки>" and the others) from
// which instrument views and selectors pick. Owns the groupments the lists point to.
class BASIC_VIEWS_EXPORT SecuritiesGroupments : public QObject
{
    Q_OBJECT
public:
    // Over the host's "securities" table.
    explicit SecuritiesGroupments(QObject* parent = nullptr);
    explicit SecuritiesGroupments(Table* securities, QObject* parent = nullptr);
    ~SecuritiesGroupments() override;

    QList<GroupmentsList> groupmentList() const;
    // The list of that name; an empty list for an unknown name.
    GroupmentsList groupmentList(const QString& name) const;

private:
    std::unique_ptr<GroupmentStock> m_stock;
    std::unique_ptr<GroupmentBoard> m_board;
    std::unique_ptr<GroupmentSecTypes> m_types;
    std::unique_ptr<GroupmentColumn> m_baseCode;
    std::unique_ptr<GroupmentSecurity> m_security;
};
