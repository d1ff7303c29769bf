#include "filters/catalogue/plainfilters.h"

#include "filters/catalogue/private/plainfilters_p.h"

#include "core/db/datetime.h"
#include "core/db/guilog.h"
#include "core/db/table.h"
#include "core/host/icore.h"
#include "core/host/signalhub.h"
#include "filters/private/basecodebysecfilterfunc.h"
#include "filters/private/datefilterfunc.h"
#include "filters/private/techdealsfilterfunc.h"
#include "filters/quantityfilterfunc.h"
#include "filters/widgets/datefilterwidget.h"
#include "filters/widgets/quantityfilterwidget.h"
#include "filters/widgets/techdealsfilterwidget.h"

#include <QCheckBox>
#include <QLocale>
#include <QSpinBox>

#include <limits>

namespace {
int columnOf(const Table& table, const char* name)
{
    return table.columnIndex(QString::fromLatin1(name));
}
} // namespace

// ---- DateFilter

DateFilter::DateFilter(Table& table, QObject* parent)
    : Filter(columnOf(table, "moment"), parent)
    , m_d(new DateFilterPrivate)
{
    m_d->from = QDate::currentDate();
    m_d->to = QDate::currentDate();
    if (ICore::instance())
        connect(ICore::instance()->signalHub(), &SignalHub::aNewDay, this, &DateFilter::newDay);
}

DateFilter::~DateFilter() = default;

bool DateFilter::hasValue() const
{
    return m_d->mode != AllDates;
}

void DateFilter::clear()
{
    m_d->mode = AllDates;
}

DateFilter::Mode DateFilter::mode() const
{
    return m_d->mode;
}

QDate DateFilter::dateFrom() const
{
    return m_d->from;
}

QDate DateFilter::dateTo() const
{
    return m_d->to;
}

void DateFilter::setDateFrom(const QDate& date)
{
    m_d->from = date;
}

void DateFilter::setDateTo(const QDate& date)
{
    m_d->to = date;
}

QString DateFilter::name() const
{
    return tr("Дата");
}

QString DateFilter::text() const
{
    switch (m_d->mode) {
    case Today:
        return tr("Сегодня");
    case YesterdayAndToday:
        return tr("Вчера и сегодня");
    case From:
        return tr("С %1").arg(QLocale().toString(m_d->from, QLocale::ShortFormat));
    case Between:
        return tr("С %1 по %2")
            .arg(
                QLocale().toString(m_d->from, QLocale::ShortFormat), QLocale().toString(m_d->to, QLocale::ShortFormat));
    case Until:
        return tr("По %1").arg(QLocale().toString(m_d->to, QLocale::ShortFormat));
    default:
        return tr("Все даты");
    }
}

QString DateFilter::value() const
{
    return QStringLiteral("%1|%2|%3")
        .arg(int(m_d->mode))
        .arg(m_d->from.toString(Qt::ISODate), m_d->to.toString(Qt::ISODate));
}

void DateFilter::setValue(const QString& value)
{
    m_d->mode = AllDates;
    m_d->from = m_d->to = today();
    if (value.isEmpty())
        return;
    const QStringList parts = value.split(QLatin1Char('|'));
    bool ok = false;
    const int mode = parts.value(0).toInt(&ok);
    const QDate from = QDate::fromString(parts.value(1), Qt::ISODate);
    const QDate to = QDate::fromString(parts.value(2), Qt::ISODate);
    // A mode that reads a date needs that date.
    const bool needsFrom = mode == From || mode == Between;
    const bool needsTo = mode == Between || mode == Until;
    if (!ok || mode < AllDates || mode > Until || (needsFrom && !from.isValid()) || (needsTo && !to.isValid())) {
        qCInfo(QGuiLog).noquote() << name() << QStringLiteral("ignores the value") << value;
        return;
    }
    m_d->mode = Mode(mode);
    if (from.isValid())
        m_d->from = from;
    if (to.isValid())
        m_d->to = to;
}

void DateFilter::setEnabled(bool enabled)
{
    if (!enabled)
        m_d->mode = AllDates;
    Filter::setEnabled(enabled);
}

void DateFilter::setMode(Mode mode)
{
    m_d->mode = mode;
    Filter::setEnabled(mode != AllDates);
}

QWidget* DateFilter::createFilterWidget(QWidget* parent)
{
    return new DateFilterWidget(parent);
}

void DateFilter::init(QWidget* widget)
{
    if (auto* editor = qobject_cast<DateFilterWidget*>(widget)) {
        editor->setDates(m_d->from, m_d->to);
        editor->setMode(isEnabled() ? int(m_d->mode) : int(AllDates));
    }
}

void DateFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<DateFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    m_d->from = editor->dateFrom();
    m_d->to = editor->dateTo();
    setMode(Mode(editor->mode()));
}

FilterFunc* DateFilter::createFilterFunc(QObject* parent) const
{
    const QDate day = today();
    const datetime none(std::numeric_limits<qint64>::min());
    datetime from = none;
    QDate last; // the last day shown
    switch (m_d->mode) {
    case Today:
        from = datetime::fromDate(day);
        last = day;
        break;
    case YesterdayAndToday:
        from = datetime::fromDate(day.addDays(-1));
        last = day;
        break;
    case From:
        from = datetime::fromDate(m_d->from);
        last = m_d->from.addYears(10000);
        break;
    case Between:
        from = datetime::fromDate(m_d->from);
        last = m_d->to;
        break;
    case Until:
        last = m_d->to;
        break;
    default:
        last = day.addYears(5000);
        break;
    }
    return new DateFilterFunc(column(), from, datetime::fromDate(last.addDays(1)), parent);
}

void DateFilter::newDay()
{
    if (m_d->mode == Today || m_d->mode == YesterdayAndToday)
        Q_EMIT asincChanged();
}

// ---- QuantityFilter

QuantityFilter::QuantityFilter(Table& table, QObject* parent)
    : Filter(columnOf(table, "quantity"), parent)
{ }

QString QuantityFilter::name() const
{
    return tr("Количество");
}

void QuantityFilter::setValue(const QString& value)
{
    bool ok = false;
    const qint64 minimum = value.toLongLong(&ok);
    if (ok)
        m_minimum = minimum;
    else if (!value.isEmpty())
        qCInfo(QGuiLog).noquote() << name() << QStringLiteral("ignores the value") << value;
}

QWidget* QuantityFilter::createFilterWidget(QWidget* parent)
{
    return new QuantityFilterWidget(parent);
}

void QuantityFilter::init(QWidget* widget)
{
    if (auto* editor = qobject_cast<QuantityFilterWidget*>(widget)) {
        editor->spin()->setValue(int(qBound<qint64>(0, m_minimum, editor->spin()->maximum())));
        editor->check()->setChecked(isEnabled());
    }
}

void QuantityFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<QuantityFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    m_minimum = editor->spin()->value();
    setEnabled(editor->check()->isChecked());
}

FilterFunc* QuantityFilter::createFilterFunc(QObject* parent) const
{
    return new QuantityFilterFunc(column(), m_minimum, parent);
}

// ---- TechDealsFilter

TechDealsFilter::TechDealsFilter(Table& table, QObject* parent)
    : Filter(columnOf(table, "signs"), parent)
    , m_d(new TechDealsFilterPrivate)
{
    m_d->stock = columnOf(table, "stock_id");
    m_d->board = columnOf(table, "board_id");
}

TechDealsFilter::~TechDealsFilter() = default;

bool TechDealsFilter::hasValue() const
{
    return m_d->mode != AllDeals;
}

QString TechDealsFilter::value() const
{
    return QString::number(int(m_d->mode));
}

void TechDealsFilter::clear()
{
    m_d->mode = AllDeals;
}

TechDealsFilter::Mode TechDealsFilter::mode() const
{
    return m_d->mode;
}

QString TechDealsFilter::name() const
{
    return tr("Типы сделок");
}

QString TechDealsFilter::text() const
{
    switch (m_d->mode) {
    case TechnicalOnly:
        return tr("Только технические сделки по связкам");
    case RegularOnly:
        return tr("Только обычные сделки");
    default:
        return tr("Все сделки");
    }
}

void TechDealsFilter::setValue(const QString& value)
{
    bool ok = false;
    const int mode = value.toInt(&ok);
    m_d->mode = ok && mode >= AllDeals && mode <= RegularOnly ? Mode(mode) : AllDeals;
    if (!value.isEmpty() && (!ok || m_d->mode != mode))
        qCInfo(QGuiLog).noquote() << name() << QStringLiteral("ignores the value") << value;
}

void TechDealsFilter::setMode(Mode mode)
{
    m_d->mode = mode;
    setEnabled(mode != AllDeals);
}

QWidget* TechDealsFilter::createFilterWidget(QWidget* parent)
{
    return new TechDealsFilterWidget(parent);
}

void TechDealsFilter::init(QWidget* widget)
{
    if (auto* editor = qobject_cast<TechDealsFilterWidget*>(widget))
        editor->setMode(isEnabled() ? int(m_d->mode) : int(AllDeals));
}

void TechDealsFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<TechDealsFilterWidget*>(widget);
    if (editor && editor->checkAcceptable())
        setMode(Mode(editor->mode()));
}

FilterFunc* TechDealsFilter::createFilterFunc(QObject* parent) const
{
    return new TechDealsFilterFunc(column(), m_d->stock, m_d->board, int(m_d->mode), parent);
}

// ---- BaseCodeBySecIdFilter

BaseCodeBySecIdFilter::BaseCodeBySecIdFilter(Table& table, int modelColumn, QObject* parent)
    : Filter(columnOf(table, "sec_id"), modelColumn, parent)
    , m_d(new BaseCodeBySecIdFilterPrivate)
{
    m_d->stock = columnOf(table, "stock_id");
    m_d->board = columnOf(table, "board_id");
}

BaseCodeBySecIdFilter::~BaseCodeBySecIdFilter() = default;

bool BaseCodeBySecIdFilter::hasValue() const
{
    return !m_d->codes.isEmpty();
}

QString BaseCodeBySecIdFilter::value() const
{
    return m_d->codes.join(QLatin1Char('|'));
}

void BaseCodeBySecIdFilter::clear()
{
    m_d->codes.clear();
}

const QStringList& BaseCodeBySecIdFilter::codes() const
{
    return m_d->codes;
}

QString BaseCodeBySecIdFilter::name() const
{
    return tr("Базовый актив");
}

void BaseCodeBySecIdFilter::setValue(const QString& value)
{
    m_d->codes = value.isEmpty() ? QStringList() : value.split(QLatin1Char('|'));
}

FilterFunc* BaseCodeBySecIdFilter::createFilterFunc(QObject* parent) const
{
    return new BaseCodeBySecFilterFunc(m_d->stock, m_d->board, column(), m_d->codes, parent);
}
