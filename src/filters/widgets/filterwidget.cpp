#include "filters/widgets/filterwidget.h"

#include "filters/widgets/private/filterwidget_p.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

FilterWidget::FilterWidget(QWidget* parent)
    : FilterWidget(*new FilterWidgetPrivate, parent)
{ }

FilterWidget::FilterWidget(FilterWidgetPrivate& dd, QWidget* parent)
    : QWidget(parent)
    , m_d(&dd)
{
    Q_D(FilterWidget);
    d->content = new QVBoxLayout;
    d->reason = new QLabel(this);
    d->content->setContentsMargins(0, 0, 0, 0);
    d->reason->setObjectName(QStringLiteral("refusal"));
    d->reason->setStyleSheet(QStringLiteral("color: #b00020"));
    d->reason->setWordWrap(true);
    d->reason->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(d->content);
    layout->addWidget(d->reason);
}

FilterWidget::~FilterWidget() = default;

QVBoxLayout* FilterWidget::contentLayout() const
{
    return d_func()->content;
}

bool FilterWidget::checkAcceptable()
{
    Q_D(FilterWidget);
    const QString reason = refusal();
    d->reason->setText(reason);
    d->reason->setVisible(!reason.isEmpty());
    return reason.isEmpty();
}

QString FilterWidget::shownReason() const
{
    Q_D(const FilterWidget);
    return d->reason->isVisibleTo(this) ? d->reason->text() : QString();
}

void FilterWidget::notifyChanged()
{
    checkAcceptable();
    Q_EMIT changed();
}

void FilterWidget::changeEvent(QEvent* event)
{
    Q_D(FilterWidget);
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    if (d->reason->isVisibleTo(this))
        checkAcceptable();
}
