#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

#include <QStringList>

class SecurityDirectory;

// Passes records whose instrument's underlying code is in the list (case-sensitive). The directory is taken when
// the predicate is made, on the GUI thread; the predicate only reads it (from the pool's threads too).
class BASIC_VIEWS_EXPORT BaseCodeBySecFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    BaseCodeBySecFilterFunc(
        int stockColumn, int boardColumn, int secColumn, const QStringList& baseCodes, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;

private:
    int m_stock;
    int m_board;
    int m_sec;
    QStringList m_baseCodes;
    const SecurityDirectory* m_securities; // not owned
};
