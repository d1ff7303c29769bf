#pragma once

#include "core/host/securitykey.h"
#include "filters/widgets/checklistfilterwidget.h"

#include <QPointer>

class SignalHub;

// The editor of the board filter: a check list of the boards the filter offers (all, or its own list; trading
// boards only for positions) that the host's choice of markets and boards keeps, by name. It follows the
// directory and the host's choices, keeping the checks of the boards that remain.
class BASIC_VIEWS_EXPORT BoardSelectorWidget : public CheckListFilterWidget
{
    Q_OBJECT
public:
    explicit BoardSelectorWidget(QWidget* parent = nullptr);

    void setOffered(const boardlist& boards, bool forPositions);
    // Boards not in `unchecked` are checked.
    void setUnchecked(const boardlist& unchecked);
    boardlist checkedBoards() const;
    boardlist offeredBoards() const;

private:
    void refill();

    QPointer<SignalHub> m_hub;
    boardlist m_offered;
    bool m_forPositions = false;
    boardlist m_unchecked;
};
