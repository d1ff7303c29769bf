#include "delegates/textdelegate.h"
#include "delegates/private/textdelegate_p.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

TextDelegate::TextDelegate(QAction& action, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_d(new TextDelegatePrivate)
{
    Q_D(TextDelegate);
    d->action = &action;
}

TextDelegate::~TextDelegate() = default;

void TextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const TextDelegate);
    const bool enabled = index.data(Qt::DisplayRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    QRect rect = option.rect;
    const QIcon icon = d->action->icon();
    if (!icon.isNull()) {
        const int side = qMin(16, rect.height());
        icon.paint(painter, QRect(rect.left() + 2, rect.top() + (rect.height() - side) / 2, side, side));
        rect.setLeft(rect.left() + side + 4);
    }
    QFont font = option.font;
    font.setBold(enabled);
    font.setUnderline(enabled);
    painter->setFont(font);
    painter->setPen(enabled ? option.palette.color(selected ? QPalette::HighlightedText : QPalette::Link)
                            : option.palette.color(QPalette::Disabled, QPalette::Text));
    const QString text = QFontMetrics(font).elidedText(d->action->text(), Qt::ElideRight, rect.width() + 3);
    painter->drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize TextDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    Q_D(const TextDelegate);
    QLabel label;
    label.setText(d->action->text());
    QSize size = label.sizeHint();
    if (!d->action->icon().isNull())
        size.rwidth() += 20;
    return size;
}

bool TextDelegate::editorEvent(
    QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    Q_D(TextDelegate);
    if (event->type() == QEvent::MouseButtonRelease && index.data(Qt::DisplayRole).toBool()
        && option.rect.contains(static_cast<QMouseEvent*>(event)->pos())) {
        d->action->setData(index.row());
        d->action->trigger();
    }
    return false; // the view still handles the click
}
