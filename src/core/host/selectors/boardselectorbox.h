#pragma once

#include "core/host/widgets/combobox.h"

#include <functional>

class BoardSelectorFilteredModel;
class BoardSelectorModel;

// The board of a form: the boards of the chosen market, optionally only those with or without given flags
// (say, only boards with quotes), sorted by name.
class BV_HOST_EXPORT BoardSelectorBox : public ComboBox
{
    Q_OBJECT
public:
    explicit BoardSelectorBox(QWidget* parent = nullptr);

    void setStockId(int stock);
    int getStockId() const;
    // False when the board is not offered.
    bool setBoardId(int board);
    // 0 when none is chosen.
    int getBoardId() const;
    void setBoardFlagsOnFilter(int mask);
    void setBoardFlagsOffFilter(int mask);
    BoardSelectorFilteredModel* boards() const { return m_filtered; }

Q_SIGNALS:
    void boardChanged(int board);

private:
    // Applies a filter change, keeping the chosen board if it is still offered, else choosing the first one.
    void refilter(const std::function<void()>& change);

    BoardSelectorModel* m_model;
    BoardSelectorFilteredModel* m_filtered;
};
