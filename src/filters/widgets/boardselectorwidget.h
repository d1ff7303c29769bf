#pragma once

#include "core/host/securitykey.h"
#include "filters/widgets/checklistfilterwidget.h"

class BoardSelectorWidgetPrivate;

// The editor of the board filter: a check list of the boards the filter offers (all, or its own list; trading
// boards only for positions) that the host's choice of markets and boards keeps, by name. It follows the
// directory and the host's choices, keeping the checks of the boards that remain.
class BASIC_VIEWS_EXPORT BoardSelectorWidget : public CheckListFilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, BoardSelectorWidget)
public:
    explicit BoardSelectorWidget(QWidget* parent = nullptr);

    void setOffered(const boardlist& boards, bool forPositions);
    // Boards not in `unchecked` are checked.
    void setUnchecked(const boardlist& unchecked);
    boardlist checkedBoards() const;
    boardlist offeredBoards() const;

private:
    void refill();
};
