#include "core/host/selectors/boardselectorbox.h"

#include "core/host/selectors/boardselectorfilteredmodel.h"
#include "core/host/selectors/boardselectormodel.h"

BoardSelectorBox::BoardSelectorBox(QWidget* parent)
    : ComboBox(parent)
    , m_model(new BoardSelectorModel(this))
    , m_filtered(new BoardSelectorFilteredModel(this))
{
    setToolTip(tr("Режим торгов"));
    m_filtered->setSourceModel(m_model);
    setModel(m_filtered);
    connect(
        this, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { Q_EMIT boardChanged(getBoardId()); });
    // The directory's reload resets the list; choose again rather than show nothing.
    connect(m_filtered, &QAbstractItemModel::modelReset, this, [this] {
        if (currentIndex() < 0 && count() > 0)
            setCurrentIndex(0);
    });
    if (count() > 0)
        setCurrentIndex(0);
}

void BoardSelectorBox::setStockId(int stock)
{
    refilter([&] { m_filtered->setStockId(stock); });
}

int BoardSelectorBox::getStockId() const
{
    return m_filtered->stockId();
}

bool BoardSelectorBox::setBoardId(int board)
{
    const int row = m_filtered->rowOf(boardid { getStockId(), board });
    if (row < 0)
        return false;
    setCurrentIndex(row);
    return true;
}

int BoardSelectorBox::getBoardId() const
{
    return currentIndex() < 0 ? 0 : currentData(BoardSelectorModel::BoardIdRole).toInt();
}

void BoardSelectorBox::setBoardFlagsOnFilter(int mask)
{
    refilter([&] { m_filtered->setBoardFlagsOnFilter(mask); });
}

void BoardSelectorBox::setBoardFlagsOffFilter(int mask)
{
    refilter([&] { m_filtered->setBoardFlagsOffFilter(mask); });
}

void BoardSelectorBox::refilter(const std::function<void()>& change)
{
    const int keep = getBoardId();
    change();
    if (!setBoardId(keep) && count() > 0)
        setCurrentIndex(0);
}
