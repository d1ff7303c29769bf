#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

// Technical deals (executions, expirations, position transfers, and the parts of combined deals outside the
// combined-instrument boards): mode 1 keeps only them, mode 2 only the others, any other mode everything.
class BASIC_VIEWS_EXPORT TechDealsFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    enum Mode { All = 0, TechnicalOnly = 1, NonTechnicalOnly = 2 };
    TechDealsFilterFunc(int signsColumn, int stockColumn, int boardColumn, int mode, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
    bool isTechnical(const Record& record) const;
    // The boards of combined instruments, where a combined deal is the deal itself.
    static bool isBundleBoard(int stock, int board) { return stock == 1 && (board == 10 || board == 11); }

private:
    int m_signs;
    int m_stock;
    int m_board;
    int m_mode;
};
