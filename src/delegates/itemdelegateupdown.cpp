#include "delegates/itemdelegateupdown.h"
#include "delegates/private/itemdelegateupdown_p.h"

#include "columns/itemroles.h"
#include "delegates/icellrepaint.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDataStream>
#include <QPainter>
#include <QPixmapCache>
#include <QTimer>

namespace {

// The column the direction arrow takes at the cell's left; the text and the flash stand right of it.
const int ArrowColumn = 14;

const QPixmap& directionIcon(int direction)
{
    static const QPixmap up(QStringLiteral(":/icons/bid_up.png"));
    static const QPixmap down(QStringLiteral(":/icons/bid_down.png"));
    static const QPixmap none(QStringLiteral(":/icons/bid_none.png"));
    return direction > 0 ? up : direction < 0 ? down : none;
}

} // namespace

ItemDelegateUpDown::ItemDelegateUpDown(ViewsColorManager::View view, QObject* parent)
    : StyledItemDelegate(*new ItemDelegateUpDownPrivate, parent)
{
    Q_D(ItemDelegateUpDown);
    d->timer = new QTimer(this);
    d->view = view;
    connect(d->timer, &QTimer::timeout, this, &ItemDelegateUpDown::timeout);
}

ItemDelegateUpDown::~ItemDelegateUpDown() = default;

void ItemDelegateUpDown::setBacklight(bool on)
{
    Q_D(ItemDelegateUpDown);
    d->backlight = on;
    updateTimer();
}

void ItemDelegateUpDown::setAnimation(bool on)
{
    Q_D(ItemDelegateUpDown);
    d->animation = on;
    updateTimer();
}

void ItemDelegateUpDown::updateTimer()
{
    Q_D(ItemDelegateUpDown);
    d->timer->stop();
    if (d->backlight)
        d->timer->start(d->animation ? 100 : 500);
}

QColor ItemDelegateUpDown::getBackgroundColor(int direction) const
{
    Q_D(const ItemDelegateUpDown);
    const ViewsColorManager* manager = ViewsColorManager::instance();
    if (!manager)
        return QColor(Qt::lightGray);
    const ViewsColorManager::Color meaning = direction > 0 ? ViewsColorManager::UpPriceColor
        : direction < 0                                    ? ViewsColorManager::DownPriceColor
                                                           : ViewsColorManager::ChangePriceColor;
    return manager->color(d->view, ViewsColorManager::BackgroundRole, meaning);
}

int ItemDelegateUpDown::flashIntensity(qint64 elapsedMs) const
{
    Q_D(const ItemDelegateUpDown);
    if (!d->backlight || elapsedMs >= FlashMs)
        return -1;
    if (!d->animation)
        return 100;
    return int(qBound<qint64>(0, 150 - elapsedMs / 13, 100));
}

void ItemDelegateUpDown::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ItemDelegateUpDown);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QVariant value = index.data(Qt::DisplayRole);
    const QVariant changeTime = index.data(ChangeTimeRole);
    const QVariant directionValue = index.data(ChangeDirectionRole);
    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = colorGroup(opt);

    painter->save();
    if (!d->drawFrame)
        painter->setClipRect(opt.rect);

    QBrush background = opt.backgroundBrush;
    if (background.style() == Qt::NoBrush && selected && opt.showDecorationSelected)
        background = opt.palette.brush(group, QPalette::Highlight);

    bool hasDirection = false;
    const int direction = directionValue.toInt(&hasDirection);
    const QColor flash = hasDirection ? getBackgroundColor(direction) : QColor(Qt::lightGray);
    // A kind without a colour for the change keeps its palette: no flash at all.
    int intensity = -1;
    if (changeTime.isValid() && flash.isValid()) {
        const datetime changed = changeTime.canConvert<datetime>() ? changeTime.value<datetime>()
                                                                   : datetime::fromQDateTime(changeTime.toDateTime());
        intensity = flashIntensity(d->now.toMSecs() - changed.toMSecs());
        if (intensity >= 0)
            d->refresh.insert(QPersistentModelIndex(index));
    }

    // Flashing cells change look on every repaint (the flash fades), so the flash is not part of the cached
    // pixmap: the cache holds the arrow, text and frame on a transparent ground, keyed by what they show, and
    // the grounds (base, background, flash) are plain fills under it. A fading cell costs three fills and one
    // pixmap copy instead of a new pixmap per frame.
    const QRect cell = opt.rect;
    painter->fillRect(cell, opt.palette.color(group, QPalette::Base));
    if (background.style() != Qt::NoBrush)
        painter->fillRect(cell, background);
    if (intensity >= 0) {
        QColor c = flash;
        c.setAlpha(intensity * 255 / 100);
        painter->fillRect(
            QRect(QPoint(cell.left() + ArrowColumn, cell.top() + 2), QPoint(cell.right() - 2, cell.bottom() - 2)), c);
    }

    const QVariant alignmentValue = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment alignment
        = alignmentValue.isValid() ? Qt::Alignment(alignmentValue.toInt()) : opt.displayAlignment;
    const QString text = displayText(value, opt.locale);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << direction << opt.font << cell.width() << cell.height() << text << int(alignment) << selected << d->drawFrame;
    writeColors(out, opt);
    const QString key = QString::fromLatin1(bytes.toBase64());

    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        const qreal ratio = opt.widget ? opt.widget->devicePixelRatioF() : 1.0;
        const QRect rect(QPoint(0, 0), cell.size());
        pixmap = QPixmap(rect.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        const QPixmap& icon = directionIcon(direction);
        const int iconY = direction > 0 ? rect.top()
            : direction < 0             ? rect.bottom() - 8 + 1
                                        : rect.top() + (rect.height() - 8) / 2;
        p.drawPixmap(QRect(rect.left() + 1, iconY, 12, 8), icon);

        const int margin = focusMargin(opt);
        const QRect textRect = rect.adjusted(ArrowColumn + margin, 0, -margin, 0);
        const Qt::TextElideMode elide = (alignment & Qt::AlignLeft) ? Qt::ElideRight : Qt::ElideLeft;
        p.setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p.setFont(opt.font);
        p.drawText(textRect, int(alignment) | Qt::TextSingleLine,
            displayElidedText(value, opt.locale, QFontMetrics(opt.font), elide, textRect.width() + 3));
        if (d->drawFrame) {
            p.setPen(opt.palette.color(QPalette::Mid));
            p.drawRect(rect.adjusted(0, 0, -1, -1));
        }
        p.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(cell.topLeft(), pixmap);
    painter->restore();
}

QSize ItemDelegateUpDown::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return StyledItemDelegate::sizeHint(option, index) + QSize(ArrowColumn, 0);
}

void ItemDelegateUpDown::advanceClocks(const QAbstractItemView* view, const datetime& now)
{
    auto advance = [&now](QAbstractItemDelegate* delegate) {
        auto* flash = qobject_cast<ItemDelegateUpDown*>(delegate);
        if (flash && flash->d_func()->now < now)
            flash->d_func()->now = now;
    };
    advance(view->itemDelegate());
    const int columns = view->model() ? view->model()->columnCount(view->rootIndex()) : 0;
    for (int column = 0; column < columns; ++column)
        advance(view->itemDelegateForColumn(column));
}

void ItemDelegateUpDown::timeout()
{
    Q_D(ItemDelegateUpDown);
    if (d->refresh.isEmpty())
        return;
    const QSet<QPersistentModelIndex> cells = std::exchange(d->refresh, {});
    auto* view = qobject_cast<QAbstractItemView*>(parent());
    if (!view)
        return;
    // A view that keeps pictures of its cells would show the flash frozen: it drops the cell's picture first.
    ICellRepaint* buffered = qobject_cast<ICellRepaint*>(view);
    for (const QPersistentModelIndex& cell : cells) {
        if (!cell.isValid())
            continue;
        if (buffered)
            buffered->repaintCell(cell);
        else
            view->update(cell);
    }
}

bool ItemDelegateUpDown::hasBacklight() const
{
    return d_func()->backlight;
}

bool ItemDelegateUpDown::hasAnimation() const
{
    return d_func()->animation;
}

void ItemDelegateUpDown::setDrawFrame(bool on)
{
    d_func()->drawFrame = on;
}

void ItemDelegateUpDown::updateDateTime(const datetime& now)
{
    d_func()->now = now;
}

datetime ItemDelegateUpDown::currentDateTime() const
{
    return d_func()->now;
}

int ItemDelegateUpDown::pendingRepaints() const
{
    return d_func()->refresh.size();
}
