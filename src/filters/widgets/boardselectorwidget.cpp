#include "filters/widgets/boardselectorwidget.h"

#include "core/host/icore.h"
#include "core/host/selectors/boardselectorfilteredmodel.h"
#include "core/host/selectors/boardselectormodel.h"
#include "core/host/signalhub.h"
#include "filters/widgets/private/boardselectorwidget_p.h"

#include <QSet>
#include <QStandardItemModel>

namespace {
QString valueOf(const boardid& board)
{
    return QStringLiteral("%1,%2").arg(board.stock).arg(board.board);
}
} // namespace

BoardSelectorWidget::BoardSelectorWidget(QWidget* parent)
    : CheckListFilterWidget(*new BoardSelectorWidgetPrivate, parent)
{
    Q_D(BoardSelectorWidget);
    ICore* core = ICore::instance();
    if (!core)
        return;
    d->hub = core->signalHub();
    // The host's choice of markets and boards changes what is offered; the checks of the boards that stay, stay.
    const auto follow = [this, d] {
        // What is shown now says which of its boards are unchecked; those hidden now keep what they had.
        const boardlist offered = offeredBoards();
        const boardlist checked = checkedBoards();
        for (const boardid& board : offered) {
            d->unchecked.removeAll(board);
            if (!checked.contains(board))
                d->unchecked << board;
        }
        refill();
    };
    connect(d->hub, &SignalHub::selectedStockChanged, this, follow);
    connect(d->hub, &SignalHub::stockIdsChanged, this, follow);
    connect(d->hub, &SignalHub::boardsChanged, this, follow);
}

void BoardSelectorWidget::setOffered(const boardlist& boards, bool forPositions)
{
    Q_D(BoardSelectorWidget);
    d->offered = boards;
    d->forPositions = forPositions;
    refill();
}

void BoardSelectorWidget::setUnchecked(const boardlist& unchecked)
{
    Q_D(BoardSelectorWidget);
    d->unchecked = unchecked;
    refill();
}

void BoardSelectorWidget::refill()
{
    Q_D(BoardSelectorWidget);
    BoardSelectorModel all;
    BoardSelectorFilteredModel offered;
    offered.setSourceModel(&all);
    offered.setFilterBoards(d->offered);
    offered.setForPositions(d->forPositions);
    QList<QPair<QString, QString>> items;
    for (int row = 0; row < offered.rowCount(); ++row) {
        const QModelIndex index = offered.index(row, 0);
        const boardid board { index.data(BoardSelectorModel::StockIdRole).toInt(),
            index.data(BoardSelectorModel::BoardIdRole).toInt() };
        if (!d->hub || d->hub->isBoardChosen(board))
            items << qMakePair(index.data().toString(), valueOf(board));
    }
    QSet<QString> unchecked;
    for (const boardid& board : qAsConst(d->unchecked))
        unchecked.insert(valueOf(board));
    setItems(items, unchecked);
}

boardlist BoardSelectorWidget::offeredBoards() const
{
    boardlist boards;
    for (int row = 0; row < model()->rowCount(); ++row) {
        const QStringList parts = valueAt(row).split(QLatin1Char(','));
        boards << boardid { parts.value(0).toInt(), parts.value(1).toInt() };
    }
    return boards;
}

boardlist BoardSelectorWidget::checkedBoards() const
{
    boardlist boards;
    const boardlist all = offeredBoards();
    for (int row = 0; row < all.size(); ++row) {
        if (isChecked(row))
            boards << all.at(row);
    }
    return boards;
}
