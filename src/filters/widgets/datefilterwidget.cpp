#include "filters/widgets/datefilterwidget.h"

#include "filters/widgets/private/datefilterwidget_p.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QRadioButton>

namespace {
enum Choice { All, Today, YesterdayAndToday, Bounds };
} // namespace

DateFilterWidget::DateFilterWidget(QWidget* parent)
    : FilterWidget(*new DateFilterWidgetPrivate, parent)
{
    Q_D(DateFilterWidget);
    d->fromBox = new QCheckBox(tr("С"), this);
    d->from = new QDateEdit(this);
    d->toBox = new QCheckBox(tr("по"), this);
    d->to = new QDateEdit(this);
    for (const QString& text : { tr("Все даты"), tr("Сегодня"), tr("Вчера и сегодня"), tr("Задать границы") }) {
        auto* choice = new QRadioButton(text, this);
        d->choices << choice;
        contentLayout()->addWidget(choice);
        connect(choice, &QRadioButton::toggled, this, [this] {
            updateEnabled();
            notifyChanged();
        });
    }
    auto* bounds = new QGridLayout;
    bounds->setContentsMargins(20, 0, 0, 0);
    for (QDateEdit* edit : { d->from, d->to }) {
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setDate(QDate::currentDate());
        connect(edit, &QDateEdit::dateChanged, this, [this] { notifyChanged(); });
    }
    for (QCheckBox* box : { d->fromBox, d->toBox }) {
        connect(box, &QCheckBox::toggled, this, [this] {
            updateEnabled();
            notifyChanged();
        });
    }
    bounds->addWidget(d->fromBox, 0, 0);
    bounds->addWidget(d->from, 0, 1);
    bounds->addWidget(d->toBox, 1, 0);
    bounds->addWidget(d->to, 1, 1);
    bounds->setColumnStretch(2, 1);
    contentLayout()->addLayout(bounds);
    d->choices.at(All)->setChecked(true);
    updateEnabled();
}

void DateFilterWidget::updateEnabled()
{
    Q_D(DateFilterWidget);
    const bool bounds = d->choices.at(Bounds)->isChecked();
    d->fromBox->setEnabled(bounds);
    d->toBox->setEnabled(bounds);
    d->from->setEnabled(bounds && d->fromBox->isChecked());
    d->to->setEnabled(bounds && d->toBox->isChecked());
}

int DateFilterWidget::mode() const
{
    Q_D(const DateFilterWidget);
    for (int choice = All; choice < Bounds; ++choice) {
        if (d->choices.at(choice)->isChecked())
            return choice;
    }
    if (d->fromBox->isChecked() && d->toBox->isChecked())
        return 4;
    if (d->fromBox->isChecked())
        return 3;
    return d->toBox->isChecked() ? 5 : 0;
}

void DateFilterWidget::setMode(int mode)
{
    Q_D(DateFilterWidget);
    const bool bounds = mode >= 3 && mode <= 5;
    d->choices.at(bounds ? Bounds : qBound(0, mode, 2))->setChecked(true);
    d->fromBox->setChecked(mode == 3 || mode == 4);
    d->toBox->setChecked(mode == 4 || mode == 5);
    updateEnabled();
}

QDate DateFilterWidget::dateFrom() const
{
    Q_D(const DateFilterWidget);
    return d->from->date();
}

QDate DateFilterWidget::dateTo() const
{
    Q_D(const DateFilterWidget);
    return d->to->date();
}

void DateFilterWidget::setDates(const QDate& from, const QDate& to)
{
    Q_D(DateFilterWidget);
    if (from.isValid())
        d->from->setDate(from);
    if (to.isValid())
        d->to->setDate(to);
}

QString DateFilterWidget::refusal() const
{
    Q_D(const DateFilterWidget);
    if (!d->choices.at(Bounds)->isChecked())
        return QString();
    if (!d->fromBox->isChecked() && !d->toBox->isChecked())
        return tr("Отметьте хотя бы одну границу");
    if (d->fromBox->isChecked() && d->toBox->isChecked() && d->from->date() > d->to->date())
        return tr("Дата «С» позже даты «по»");
    return QString();
}

QRadioButton* DateFilterWidget::choice(int index) const
{
    return d_func()->choices.at(index);
}

QCheckBox* DateFilterWidget::fromBox() const
{
    return d_func()->fromBox;
}

QCheckBox* DateFilterWidget::toBox() const
{
    return d_func()->toBox;
}

QDateEdit* DateFilterWidget::fromEdit() const
{
    return d_func()->from;
}

QDateEdit* DateFilterWidget::toEdit() const
{
    return d_func()->to;
}
