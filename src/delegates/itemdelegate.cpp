#include "delegates/itemdelegate.h"
#include "delegates/private/itemdelegate_p.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPainter>
#include <QPixmapCache>
#include <QToolTip>

ItemDelegate::ItemDelegate(QObject* parent)
    : ItemDelegate(*new ItemDelegatePrivate, parent)
{ }

ItemDelegate::ItemDelegate(ItemDelegatePrivate& dd, QObject* parent)
    : StyledItemDelegate(dd, parent)
{ }

ItemDelegate::~ItemDelegate() = default;

void ItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    StyledItemDelegate::initStyleOption(option, index);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid())
        option->backgroundBrush = background.value<QBrush>();
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (foreground.isValid()) {
        // The model's text colour also holds on selected rows.
        const QBrush brush = foreground.value<QBrush>();
        option->palette.setBrush(QPalette::Text, brush);
        option->palette.setBrush(QPalette::HighlightedText, brush);
    }
}

QString ItemDelegate::cacheKey(const QStyleOptionViewItem& option) const
{
    Q_D(const ItemDelegate);
    QByteArray bytes;
    bytes.reserve(1024);
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << int(option.state) << option.font << option.rect.width() << option.rect.height()
        << int(option.displayAlignment) << option.text << option.backgroundBrush << int(option.features)
        << int(option.checkState) << option.showDecorationSelected << d->drawFrame << d->drawIndicator;
    writeColors(out, option);
    return QString::fromLatin1(bytes.toBase64());
}

void ItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ItemDelegate);
    // A cell the tree's indentation ate up has nothing to show, and no pixmap can be that small.
    if (option.rect.isEmpty())
        return;
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    painter->save();
    if (!d->drawFrame)
        painter->setClipRect(opt.rect);
    const QString key = cacheKey(opt);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        const qreal ratio = opt.widget ? opt.widget->devicePixelRatioF() : 1.0;
        QStyleOptionViewItem local = opt;
        local.rect.moveTo(0, 0);
        pixmap = QPixmap(local.rect.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        drawBackground(&p, local);
        drawContents(&p, local, index.data(Qt::DisplayRole));
        if (d->drawFrame)
            drawFrame(&p, local);
        p.end();
        QPixmapCache::insert(key, pixmap);
    }
    painter->drawPixmap(opt.rect.topLeft(), pixmap);
    painter->restore();
}

void ItemDelegate::drawBackground(QPainter* painter, const QStyleOptionViewItem& option) const
{
    if (option.backgroundBrush.style() != Qt::NoBrush) {
        painter->fillRect(option.rect, option.backgroundBrush);
        return;
    }
    const QPalette::ColorGroup group = colorGroup(option);
    QPalette::ColorRole role = QPalette::Base;
    if ((option.state & QStyle::State_Selected) && option.showDecorationSelected)
        role = QPalette::Highlight;
    else if (option.features & QStyleOptionViewItem::Alternate)
        role = QPalette::AlternateBase;
    painter->fillRect(option.rect, option.palette.brush(group, role));
}

void ItemDelegate::drawContents(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const
{
    Q_D(const ItemDelegate);
    if (d->drawIndicator)
        drawIndicator(painter, option, value);
    drawText(painter, option, value);
}

void ItemDelegate::drawIndicator(QPainter* painter, const QStyleOptionViewItem& option, const QVariant&) const
{
    if (!(option.features & QStyleOptionViewItem::HasCheckIndicator))
        return;
    QStyleOptionViewItem check = option;
    check.rect = indicatorRect(option);
    check.state &= ~QStyle::State_HasFocus;
    check.state |= option.checkState == Qt::Checked ? QStyle::State_On
        : option.checkState == Qt::PartiallyChecked ? QStyle::State_NoChange
                                                    : QStyle::State_Off;
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, option.widget);
}

QRect ItemDelegate::indicatorRect(const QStyleOptionViewItem& option) const
{
    Q_D(const ItemDelegate);
    if (!d->drawIndicator || !(option.features & QStyleOptionViewItem::HasCheckIndicator))
        return QRect();
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget);
    return QRect(option.rect.left() + focusMargin(option), option.rect.top() + (option.rect.height() - h) / 2, w, h);
}

QRect ItemDelegate::textRect(const QStyleOptionViewItem& option) const
{
    Q_D(const ItemDelegate);
    QRect rect = option.rect;
    const QRect indicator = indicatorRect(option);
    if (d->drawIndicator && !indicator.isEmpty())
        rect.setLeft(indicator.right() + 1);
    return rect;
}

void ItemDelegate::drawText(QPainter* painter, const QStyleOptionViewItem& option, const QVariant& value) const
{
    const QPalette::ColorGroup group = colorGroup(option);
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const int margin = focusMargin(option);
    const QRect rect = textRect(option).adjusted(margin, 0, -margin, 0);
    const QString text
        = displayElidedText(value, option.locale, QFontMetrics(option.font), Qt::ElideRight, rect.width());
    painter->drawText(rect, int(option.displayAlignment) | Qt::TextSingleLine, text);
}

void ItemDelegate::drawFrame(QPainter* painter, const QStyleOptionViewItem& option) const
{
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    QRect rect = option.rect;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    if (qFuzzyCompare(ratio, 1.0))
        rect.translate(-1, -1);
    painter->drawRect(rect);
}

QSize ItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ItemDelegate);
    QSize size = StyledItemDelegate::sizeHint(option, index);
    if (d->drawIndicator) {
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        size = size.expandedTo(QSize(style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget) + 2,
            style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget) + 2));
    }
    return size;
}

QWidget* ItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = StyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        line->setAlignment(opt.displayAlignment);
    }
    return editor;
}

void ItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const
{
    editor->setGeometry(textRect(option));
}

void ItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QVariant value;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        value = line->text();
    } else {
        const QMetaProperty property = editor->metaObject()->userProperty();
        if (property.isValid())
            value = property.read(editor);
    }
    if (value.isValid())
        commitModelData(editor, model, index, value, Qt::EditRole);
    else
        StyledItemDelegate::setModelData(editor, model, index);
}

bool ItemDelegate::commitModelData(
    QWidget* editor, QAbstractItemModel* model, const QModelIndex& index, const QVariant& value, int role) const
{
    QString reason;
    bool accepted = false;
    try {
        accepted = model->setData(index, value, role);
    } catch (const QString& message) {
        reason = message;
    }
    if (accepted)
        return true;
    QString text = tr("Невозможно завершить редактирование.");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    const QPoint position = editor ? editor->mapToGlobal(editor->rect().bottomLeft()) : QPoint();
    QMetaObject::invokeMethod(const_cast<ItemDelegate*>(this), "showToolTip", Qt::QueuedConnection,
        Q_ARG(QString, text), Q_ARG(QPoint, position));
    return false;
}

void ItemDelegate::showToolTip(const QString& text, const QPoint& position)
{
    QToolTip::showText(position, text, qobject_cast<QWidget*>(parent()));
}

void ItemDelegate::setDrawFrame(bool on)
{
    d_func()->drawFrame = on;
}

bool ItemDelegate::drawFrame() const
{
    return d_func()->drawFrame;
}

void ItemDelegate::setDrawIndicator(bool on)
{
    d_func()->drawIndicator = on;
}

bool ItemDelegate::drawIndicator() const
{
    return d_func()->drawIndicator;
}
