#include "core/host/widgets/slidergroup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

SliderGroup::SliderGroup(QWidget* parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_edit(new QLineEdit(this))
    , m_validator(new QIntValidator(m_slider->minimum(), m_slider->maximum(), m_edit))
{
    m_check->setObjectName(QStringLiteral("check"));
    m_slider->setObjectName(QStringLiteral("slider"));
    m_edit->setObjectName(QStringLiteral("edit"));
    m_edit->setValidator(m_validator);
    m_edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_slider, 1);
    layout->addWidget(m_edit);
    setFocusProxy(m_check);
    connect(m_check, &QCheckBox::toggled, this, &SliderGroup::onToggled);
    connect(m_slider, &QSlider::valueChanged, this, &SliderGroup::onSliderMoved);
    connect(m_edit, &QLineEdit::textEdited, this, &SliderGroup::onEdited);
    onToggled(false);
}

void SliderGroup::setMinimum(int minimum)
{
    m_slider->setMinimum(minimum);
    m_validator->setBottom(minimum);
}

void SliderGroup::setMaximum(int maximum)
{
    m_slider->setMaximum(maximum);
    m_validator->setTop(maximum);
}

int SliderGroup::minimum() const
{
    return m_slider->minimum();
}

int SliderGroup::maximum() const
{
    return m_slider->maximum();
}

void SliderGroup::setValue(int value)
{
    setChecked(true);
    m_slider->setValue(value);
    m_edit->setText(QString::number(m_slider->value()));
}

int SliderGroup::value() const
{
    return m_check->isChecked() ? m_slider->value() : -1;
}

void SliderGroup::setPlaceholderText(const QString& text)
{
    m_edit->setPlaceholderText(text);
}

void SliderGroup::setCheckedText(const QString& text)
{
    m_check->setText(text);
}

void SliderGroup::setChecked(bool checked)
{
    m_check->setChecked(checked);
}

bool SliderGroup::isChecked() const
{
    return m_check->isChecked();
}

void SliderGroup::onSliderMoved(int value)
{
    if (m_edit->text() != QString::number(value))
        m_edit->setText(QString::number(value));
    if (m_check->isChecked())
        Q_EMIT valueChanged(value);
}

// The slider follows only complete numbers in range; a half-typed number waits.
void SliderGroup::onEdited(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= m_slider->minimum() && value <= m_slider->maximum()) {
        const QSignalBlocker block(m_slider);
        m_slider->setValue(value);
        Q_EMIT valueChanged(value);
    }
}

void SliderGroup::onToggled(bool checked)
{
    m_slider->setEnabled(checked);
    m_edit->setEnabled(checked);
    if (checked)
        m_edit->setText(QString::number(m_slider->value()));
    else
        m_edit->clear();
    Q_EMIT valueChanged(value());
}
