#include "orders/private/ordermore.h"

#include "core/host/editors/quantityeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

const char* const DateFormat = "yyyyMMdd";

void setLabelText(QFormLayout* form, QWidget* field, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(field)))
        label->setText(text);
}

// "До даты" and its date: an order good till a date, or for the day.
QWidget* tillDateRow(QWidget* parent, QCheckBox** check, QDateEdit** date)
{
    auto* row = new QWidget(parent);
    *check = new QCheckBox(row);
    *date = new QDateEdit(QDate::currentDate(), row);
    (*date)->setCalendarPopup(true);
    (*date)->setEnabled(false);
    QObject::connect(*check, &QCheckBox::toggled, *date, &QWidget::setEnabled);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(*check);
    layout->addWidget(*date, 1);
    return row;
}

// The row's texts and its date in the language's form.
void nameTillDateRow(QFormLayout* form, QCheckBox* check, QDateEdit* date)
{
    setLabelText(form, check->parentWidget(), QCoreApplication::translate("OrderMore", "Действует:"));
    check->setText(QCoreApplication::translate("OrderMore", "до"));
    date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
}

QString dateValue(const QCheckBox* check, const QDateEdit* date)
{
    return check->isChecked() ? date->date().toString(QLatin1String(DateFormat)) : QString();
}

void setDateValue(const QString& value, QCheckBox* check, QDateEdit* date)
{
    const QDate day = QDate::fromString(value, QLatin1String(DateFormat));
    check->setChecked(day.isValid());
    if (day.isValid())
        date->setDate(day);
}

} // namespace

OrderMore::OrderMore(QWidget* parent)
    : QWidget(parent)
    , m_type(new QComboBox(this))
    , m_visible(new QuantityEditor(this))
    , m_deviation(new QuantityEditor(this))
    , m_checkMoney(new QCheckBox(this))
    , m_form(new QFormLayout(this))
{
    m_type->addItem(QString(), QStringLiteral("1"));
    m_type->addItem(QString(), QStringLiteral("4"));
    m_checkMoney->setChecked(true);
    m_form->setContentsMargins(0, 0, 0, 0);
    // Labels made here: a form given an empty text makes none, and retranslate() names them.
    m_form->addRow(new QLabel(this), m_type);
    m_form->addRow(new QLabel(this), m_visible);
    m_form->addRow(new QLabel(this), m_deviation);
    m_form->addRow(new QLabel(this), tillDateRow(this, &m_tillDate, &m_date));
    m_form->addRow(m_checkMoney);
    retranslate();
    connect(m_type, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        updateIceberg();
        Q_EMIT changed();
    });
    for (QuantityEditor* editor : { m_visible, m_deviation })
        connect(editor, &QLineEdit::textChanged, this, &OrderMore::changed);
    updateIceberg();
}

void OrderMore::retranslate()
{
    m_checkMoney->setText(tr("Проверять денежный лимит клиента"));
    m_type->setItemText(0, tr("Лимитная"));
    m_type->setItemText(1, tr("Айсберг"));
    setLabelText(m_form, m_type, tr("Тип заявки:"));
    setLabelText(m_form, m_visible, tr("Видимая часть:"));
    setLabelText(m_form, m_deviation, tr("Отклонение:"));
    nameTillDateRow(m_form, m_tillDate, m_date);
}

void OrderMore::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void OrderMore::updateIceberg()
{
    m_visible->setEnabled(isIceberg());
    m_deviation->setEnabled(isIceberg());
}

QString OrderMore::orderType() const
{
    return m_type->currentData().toString();
}

void OrderMore::setOrderType(const QString& type)
{
    const int at = m_type->findData(type);
    m_type->setCurrentIndex(qMax(at, 0));
}

qint64 OrderMore::visiblePart() const
{
    return qMax<qint64>(m_visible->quantity(), 0);
}

qint64 OrderMore::deviation() const
{
    return qMax<qint64>(m_deviation->quantity(), 0);
}

Values OrderMore::values() const
{
    return { { QStringLiteral("Type"), orderType() },
        { QStringLiteral("disclose_const_amount"), isIceberg() ? visiblePart() : 0 },
        { QStringLiteral("variance_amount"), isIceberg() ? deviation() : 0 },
        { QStringLiteral("DateExp"), dateValue(m_tillDate, m_date) },
        { QStringLiteral("dont_check_money"), !m_checkMoney->isChecked() } };
}

void OrderMore::setValues(const Values& values)
{
    if (values.contains(QStringLiteral("Type")))
        setOrderType(values.value(QStringLiteral("Type")).toString());
    if (values.contains(QStringLiteral("disclose_const_amount")))
        m_visible->setValue(values.value(QStringLiteral("disclose_const_amount")).toString());
    if (values.contains(QStringLiteral("variance_amount")))
        m_deviation->setValue(values.value(QStringLiteral("variance_amount")).toString());
    if (values.contains(QStringLiteral("DateExp")))
        setDateValue(values.value(QStringLiteral("DateExp")).toString(), m_tillDate, m_date);
}

OrderAddressMore::OrderAddressMore(QWidget* parent)
    : QWidget(parent)
    , m_reference(new QLineEdit(this))
    , m_form(new QFormLayout(this))
{
    m_reference->setMaxLength(10);
    m_form->setContentsMargins(0, 0, 0, 0);
    m_form->addRow(new QLabel(this), m_reference);
    m_form->addRow(new QLabel(this), tillDateRow(this, &m_tillDate, &m_date));
    retranslate();
}

void OrderAddressMore::retranslate()
{
    setLabelText(m_form, m_reference, tr("Код сделки:"));
    nameTillDateRow(m_form, m_tillDate, m_date);
}

void OrderAddressMore::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

Values OrderAddressMore::values() const
{
    return { { QStringLiteral("match_ref"), m_reference->text().trimmed() },
        { QStringLiteral("DateExp"), dateValue(m_tillDate, m_date) } };
}

void OrderAddressMore::setValues(const Values& values)
{
    if (values.contains(QStringLiteral("match_ref")))
        m_reference->setText(values.value(QStringLiteral("match_ref")).toString());
    if (values.contains(QStringLiteral("DateExp")))
        setDateValue(values.value(QStringLiteral("DateExp")).toString(), m_tillDate, m_date);
}
