#include "orders/ordermore.h"

#include "core/host/editors/quantityeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {

const char* const DateFormat = "yyyyMMdd";

// "До даты" and its date: an order good till a date, or for the day.
QWidget* tillDateRow(QWidget* parent, QCheckBox** check, QDateEdit** date)
{
    auto* row = new QWidget(parent);
    *check = new QCheckBox(QCoreApplication::translate("OrderMore", "до"), row);
    *date = new QDateEdit(QDate::currentDate(), row);
    (*date)->setCalendarPopup(true);
    (*date)->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    (*date)->setEnabled(false);
    QObject::connect(*check, &QCheckBox::toggled, *date, &QWidget::setEnabled);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(*check);
    layout->addWidget(*date, 1);
    return row;
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
    , m_checkMoney(new QCheckBox(tr("Проверять денежный лимит клиента"), this))
{
    m_type->addItem(tr("Лимитная"), QStringLiteral("1"));
    m_type->addItem(tr("Айсберг"), QStringLiteral("4"));
    m_checkMoney->setChecked(true);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Тип заявки:"), m_type);
    form->addRow(tr("Видимая часть:"), m_visible);
    form->addRow(tr("Отклонение:"), m_deviation);
    form->addRow(tr("Действует:"), tillDateRow(this, &m_tillDate, &m_date));
    form->addRow(m_checkMoney);
    connect(m_type, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] {
        updateIceberg();
        Q_EMIT changed();
    });
    for (QuantityEditor* editor : { m_visible, m_deviation })
        connect(editor, &QLineEdit::textChanged, this, &OrderMore::changed);
    updateIceberg();
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
{
    m_reference->setMaxLength(10);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Код сделки:"), m_reference);
    form->addRow(tr("Действует:"), tillDateRow(this, &m_tillDate, &m_date));
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
