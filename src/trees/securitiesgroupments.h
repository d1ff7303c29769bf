#pragma once

#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/groupmentsecurities.h"

#include <QObject>
#include <QScopedPointer>

class SecuritiesGroupmentsPrivate;
class Table;

// The named groupings of the instruments table ("Площадки и режимы", "<без группировки>" and the others) from
// which instrument views and selectors pick. Owns the groupments the lists point to.
class BASIC_VIEWS_EXPORT SecuritiesGroupments : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SecuritiesGroupments)
public:
    // Over the host's "securities" table.
    explicit SecuritiesGroupments(QObject* parent = nullptr);
    explicit SecuritiesGroupments(Table* securities, QObject* parent = nullptr);
    ~SecuritiesGroupments() override;

    QList<GroupmentsList> groupmentList() const;
    // The list of that name; an empty list for an unknown name.
    GroupmentsList groupmentList(const QString& name) const;

private:
    QScopedPointer<SecuritiesGroupmentsPrivate> m_d;
};
