#include "filters/widgets/datefilterwidget.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QRadioButton>

namespace {
enum Choice { All, Today, YesterdayAndToday, Bounds };
} // namespace

DateFilterWidget::DateFilterWidget(QWidget* parent)
    : FilterWidget(parent)
    , m_fromBox(new QCheckBox(tr("С"), this))
    , m_from(new QDateEdit(this))
    , m_toBox(new QCheckBox(tr("по"), this))
    , m_to(new QDateEdit(this))
{
    for (const QString& text : { tr("Все даты"), tr("Сегодня"), tr("Вчера и сегодня"), tr("Задать границы") }) {
        auto* choice = new QRadioButton(text, this);
        m_choices << choice;
        contentLayout()->addWidget(choice);
        connect(choice, &QRadioButton::toggled, this, [this] {
            updateEnabled();
            notifyChanged();
        });
    }
    auto* bounds = new QGridLayout;
    bounds->setContentsMargins(20, 0, 0, 0);
    for (QDateEdit* edit : { m_from, m_to }) {
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setDate(QDate::currentDate());
        connect(edit, &QDateEdit::dateChanged, this, [this] { notifyChanged(); });
    }
    for (QCheckBox* box : { m_fromBox, m_toBox }) {
        connect(box, &QCheckBox::toggled, this, [this] {
            updateEnabled();
            notifyChanged();
        });
    }
    bounds->addWidget(m_fromBox, 0, 0);
    bounds->addWidget(m_from, 0, 1);
    bounds->addWidget(m_toBox, 1, 0);
    bounds->addWidget(m_to, 1, 1);
    bounds->setColumnStretch(2, 1);
    contentLayout()->addLayout(bounds);
    m_choices.at(All)->setChecked(true);
    updateEnabled();
}

void DateFilterWidget::updateEnabled()
{
    const bool bounds = m_choices.at(Bounds)->isChecked();
    m_fromBox->setEnabled(bounds);
    m_toBox->setEnabled(bounds);
    m_from->setEnabled(bounds && m_fromBox->isChecked());
    m_to->setEnabled(bounds && m_toBox->isChecked());
}

int DateFilterWidget::mode() const
{
    for (int choice = All; choice < Bounds; ++choice) {
        if (m_choices.at(choice)->isChecked())
            return choice;
    }
    if (m_fromBox->isChecked() && m_toBox->isChecked())
        return 4;
    if (m_fromBox->isChecked())
        return 3;
    return m_toBox->isChecked() ? 5 : 0;
}

void DateFilterWidget::setMode(int mode)
{
    const bool bounds = mode >= 3 && mode <= 5;
    m_choices.at(bounds ? Bounds : qBound(0, mode, 2))->setChecked(true);
    m_fromBox->setChecked(mode == 3 || mode == 4);
    m_toBox->setChecked(mode == 4 || mode == 5);
    updateEnabled();
}

QDate DateFilterWidget::dateFrom() const
{
    return m_from->date();
}

QDate DateFilterWidget::dateTo() const
{
    return m_to->date();
}

void DateFilterWidget::setDates(const QDate& from, const QDate& to)
{
    if (from.isValid())
        m_from->setDate(from);
    if (to.isValid())
        m_to->setDate(to);
}

QString DateFilterWidget::refusal() const
{
    if (!m_choices.at(Bounds)->isChecked())
        return QString();
    if (!m_fromBox->isChecked() && !m_toBox->isChecked())
        return tr("Отметьте хотя бы одну границу");
    if (m_fromBox->isChecked() && m_toBox->isChecked() && m_from->date() > m_to->date())
        return tr("Дата «С» позже даты «по»");
    return QString();
}
