#include "core/host/widgets/filterlineedit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>

namespace {

// No standard icon is a magnifier; draw one in the text colour.
QIcon magnifierIcon(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.6));
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    return QIcon(pixmap);
}

} // namespace

FilterLineEdit::FilterLineEdit(QWidget* parent)
    : FancyLineEdit(parent)
    , m_delay(new QTimer(this))
{
    retranslate();
    setButtonIcon(Left, magnifierIcon(palette().color(QPalette::PlaceholderText)));
    setButtonIcon(Right, style()->standardIcon(QStyle::SP_LineEditClearButton, nullptr, this));
    setButtonVisible(Right, false);
    m_delay->setSingleShot(true);
    m_delay->setInterval(250);
    connect(m_delay, &QTimer::timeout, this, &FilterLineEdit::reportFilter);
    connect(this, &QLineEdit::textChanged, this, &FilterLineEdit::onTextChanged);
    connect(this, &FancyLineEdit::rightButtonClicked, this, [this] {
        clear();
        reportFilter();
    });
    // Enter reports at once: the user is waiting for the result.
    connect(this, &QLineEdit::returnPressed, this, &FilterLineEdit::reportFilter);
}

void FilterLineEdit::setDelay(int ms)
{
    m_delay->setInterval(qMax(0, ms));
}

int FilterLineEdit::delay() const
{
    return m_delay->interval();
}

void FilterLineEdit::onTextChanged(const QString& text)
{
    setButtonVisible(Right, !text.isEmpty());
    if (m_delay->interval() == 0)
        reportFilter();
    else
        m_delay->start();
}

void FilterLineEdit::reportFilter()
{
    m_delay->stop();
    if (text() == m_reported)
        return;
    m_reported = text();
    Q_EMIT filterChanged(m_reported);
}

void FilterLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        reportFilter();
        event->accept();
        return;
    }
    FancyLineEdit::keyPressEvent(event);
}

void FilterLineEdit::retranslate()
{
    setPlaceholderText(tr("Поиск"));
    setButtonToolTip(Right, tr("Очистить"));
}

void FilterLineEdit::changeEvent(QEvent* event)
{
    FancyLineEdit::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
