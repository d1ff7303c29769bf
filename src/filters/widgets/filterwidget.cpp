#include "filters/widgets/filterwidget.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

FilterWidget::FilterWidget(QWidget* parent)
    : QWidget(parent)
    , m_content(new QVBoxLayout)
    , m_reason(new QLabel(this))
{
    m_content->setContentsMargins(0, 0, 0, 0);
    m_reason->setObjectName(QStringLiteral("refusal"));
    m_reason->setStyleSheet(QStringLiteral("color: #b00020"));
    m_reason->setWordWrap(true);
    m_reason->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_content);
    layout->addWidget(m_reason);
}

bool FilterWidget::checkAcceptable()
{
    const QString reason = refusal();
    m_reason->setText(reason);
    m_reason->setVisible(!reason.isEmpty());
    return reason.isEmpty();
}

QString FilterWidget::shownReason() const
{
    return m_reason->isVisibleTo(this) ? m_reason->text() : QString();
}

void FilterWidget::notifyChanged()
{
    checkAcceptable();
    Q_EMIT changed();
}

void FilterWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    if (m_reason->isVisibleTo(this))
        checkAcceptable();
}
