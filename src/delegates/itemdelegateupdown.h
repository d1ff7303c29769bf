#pragma once

#include "core/db/datetime.h"
#include "delegates/styleditemdelegate.h"
#include "delegates/viewscolormanager.h"

#include <QPersistentModelIndex>
#include <QScopedPointer>
#include <QSet>

class QAbstractItemView;
class QTimer;

class ItemDelegateUpDownPrivate;

// Paints price cells: a direction arrow (up, down, unchanged) from ChangeDirectionRole and, for 2000 ms after the
// change time (ChangeTimeRole), a flash in the view's up/down/change price colour that fades with animation on.
// Flashing cells queue themselves for repaint; the timer repaints them every 100 ms (500 ms without animation)
// until the flash is over. The delegate's parent is the view it repaints (through ICellRepaint when the view keeps
// pictures of its cells).
class BASIC_VIEWS_EXPORT ItemDelegateUpDown : public StyledItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemDelegateUpDown)
public:
    static constexpr qint64 FlashMs = 2000;

    explicit ItemDelegateUpDown(ViewsColorManager::View view, QObject* parent = nullptr);
    ~ItemDelegateUpDown() override;

    void setBacklight(bool on);
    bool hasBacklight() const;
    void setAnimation(bool on);
    bool hasAnimation() const;
    void setDrawFrame(bool on);
    // The time flashes are measured against; the view passes each newer time it sees.
    void updateDateTime(const datetime& now);
    // Brings the clocks of the view's flash delegates (the view's own and its columns') up to `now`; the library's
    // views call it before they paint.
    static void advanceClocks(const QAbstractItemView* view, const datetime& now);
    datetime currentDateTime() const;
    // Restarts the timer under the current back-light and animation.
    void updateTimer();

    // The window kind's colour for a rise, a fall or no change; an invalid colour (no flash) where it has none.
    QColor getBackgroundColor(int direction) const;
    // 0..100: how strongly a cell changed `elapsedMs` ago flashes; -1 when it does not flash.
    int flashIntensity(qint64 elapsedMs) const;
    int pendingRepaints() const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The text's size and the arrow's column before it: a column fitted to its contents shows whole prices.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

public Q_SLOTS:
    void timeout();
};
