// Painting cells: a full 1920x1080 viewport of a 50-column table after 5% of its cells changed, through the
// pixmap-cached ItemDelegate and through QStyledItemDelegate; and price cells flashing at 1,000 changes a second.

#include "benchutil.h"

#include "columns/itemroles.h"
#include "core/db/xdecimal.h"
#include "delegates/itemdelegate.h"
#include "delegates/itemdelegateupdown.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPixmapCache>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTableView>

#include <numeric>

namespace {

const int Columns = 50;
const int Rows = 80;

QStandardItemModel* makeModel(QObject* parent)
{
    auto* model = new QStandardItemModel(Rows, Columns, parent);
    QRandomGenerator rng(3);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < Columns; ++c) {
            auto* item = new QStandardItem;
            // A trading table repeats itself a lot: sides, statuses, boards, round quantities.
            switch (c % 5) {
            case 0:
                item->setData(QVariant::fromValue(decimal(qint64(10000 + rng.bounded(500)), 2)), Qt::DisplayRole);
                item->setData(int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
                break;
            case 1:
                item->setData(rng.bounded(2) ? QStringLiteral("Покупка") : QStringLiteral("Продажа"), Qt::DisplayRole);
                break;
            case 2:
                item->setData(int(rng.bounded(20)) * 10, Qt::DisplayRole);
                break;
            case 3:
                item->setData(QStringLiteral("Фьючерсы"), Qt::DisplayRole);
                break;
            default:
                item->setData(QStringLiteral("F001%1").arg(rng.bounded(50), 3, 10, QLatin1Char('0')), Qt::DisplayRole);
            }
            model->setItem(r, c, item);
        }
    }
    return model;
}

QTableView* makeView(QAbstractItemModel* model)
{
    auto* view = new QTableView;
    view->setModel(model);
    view->verticalHeader()->setDefaultSectionSize(20);
    view->horizontalHeader()->setDefaultSectionSize(38);
    view->resize(1920 + view->verticalHeader()->width() + 4, 1080 + view->horizontalHeader()->height() + 4);
    view->show();
    return view;
}

// Changes 5% of the visible cells, then paints the whole viewport.
double frameMs(QTableView* view, QStandardItemModel* model, QRandomGenerator& rng)
{
    const int visibleRows = view->viewport()->height() / 20;
    const int visibleColumns = view->viewport()->width() / 38;
    const int changes = visibleRows * visibleColumns / 20;
    for (int i = 0; i < changes; ++i) {
        const QModelIndex index = model->index(int(rng.bounded(visibleRows)), int(rng.bounded(visibleColumns)));
        model->setData(index, QVariant::fromValue(decimal(qint64(10000 + rng.bounded(500)), 2)), Qt::DisplayRole);
    }
    QPixmap target(view->viewport()->size());
    return Bench::timeMs([&] {
        QPainter painter(&target);
        view->viewport()->render(&painter);
    });
}

double viewportMs(QAbstractItemDelegate* delegate)
{
    QStandardItemModel model(nullptr);
    QStandardItemModel* data = makeModel(&model);
    QTableView* view = makeView(data);
    view->setItemDelegate(delegate);
    delegate->setParent(view);
    QRandomGenerator rng(11);
    QPixmapCache::clear();
    QPixmapCache::setCacheLimit(64 * 1024);
    frameMs(view, data, rng); // warm-up: the first frame fills the cache
    std::vector<double> times;
    for (int i = 0; i < 15; ++i)
        times.push_back(frameMs(view, data, rng));
    delete view;
    return Bench::median(times);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(
        QStringLiteral("bench_paint: 1920x1080 viewport, %1 columns, 5% of cells changed per frame").arg(Columns));

    const double ours = viewportMs(new ItemDelegate);
    const double styled = viewportMs(new QStyledItemDelegate);
    Bench::result(QStringLiteral("paint_viewport_itemdelegate"), ours, QStringLiteral("ms"));
    Bench::result(QStringLiteral("paint_viewport_styleditemdelegate"), styled, QStringLiteral("ms"));
    Bench::ratio(QStringLiteral("itemdelegate_vs_styled"), styled / ours);

    // Price flash: 1,000 cells change a second. Every 100 ms (the delegate's repaint period) a frame paints
    // each cell that changed or still flashes, the way a view that repaints dirty cells does.
    QStandardItemModel holder;
    QStandardItemModel* prices = makeModel(&holder);
    QTableView* view = makeView(prices);
    auto* updown = new ItemDelegateUpDown(ViewsColorManager::Securities, view);
    updown->setBacklight(true);
    view->setItemDelegate(updown);
    QRandomGenerator rng(5);
    datetime now = datetime::fromQDateTime(QDateTime(QDate(2026, 12, 5), QTime(12, 0)));
    const int visibleRows = view->viewport()->height() / 20;
    const int visibleColumns = view->viewport()->width() / 38;
    QHash<QPersistentModelIndex, datetime> changedAt;
    QPixmap target(view->viewport()->size());
    QStyleOptionViewItem base;
    base.initFrom(view->viewport());
    base.font = view->font();
    base.state |= QStyle::State_Enabled | QStyle::State_Active;
    std::vector<double> frames;
    std::vector<int> painted;
    QPixmapCache::clear();
    for (int frame = 0; frame < 60; ++frame) {
        now = now.addMSecs(100);
        updown->updateDateTime(now);
        for (int i = 0; i < 100; ++i) {
            const QModelIndex index = prices->index(int(rng.bounded(visibleRows)), int(rng.bounded(visibleColumns)));
            prices->setData(index, QVariant::fromValue(decimal(qint64(10000 + rng.bounded(500)), 2)), Qt::DisplayRole);
            prices->setData(index, QVariant::fromValue(now), ChangeTimeRole);
            prices->setData(index, rng.bounded(2) ? 1 : -1, ChangeDirectionRole);
            changedAt.insert(index, now);
        }
        QList<QModelIndex> dirty;
        for (auto it = changedAt.begin(); it != changedAt.end();) {
            if (now.toMSecs() - it.value().toMSecs() > ItemDelegateUpDown::FlashMs) {
                it = changedAt.erase(it);
            } else {
                dirty << it.key();
                ++it;
            }
        }
        const double ms = Bench::timeMs([&] {
            QPainter painter(&target);
            for (const QModelIndex& index : dirty) {
                QStyleOptionViewItem option = base;
                option.rect = view->visualRect(index);
                updown->paint(&painter, option, index);
            }
        });
        updown->timeout();
        if (frame >= 20) { // past the first two seconds: a steady state of flashing cells
            frames.push_back(ms);
            painted.push_back(dirty.size());
        }
    }
    const double cells = std::accumulate(painted.begin(), painted.end(), 0.0) / double(painted.size());
    std::sort(frames.begin(), frames.end());
    Bench::result(QStringLiteral("paint_flash_cells_per_frame"), cells, QStringLiteral("cells"));
    Bench::result(
        QStringLiteral("paint_flash_1000_changes_per_s_frame_median"), Bench::median(frames), QStringLiteral("ms"));
    Bench::result(QStringLiteral("paint_flash_1000_changes_per_s_frame_p95"), frames[frames.size() * 95 / 100],
        QStringLiteral("ms"));
    delete view;
    return 0;
}
