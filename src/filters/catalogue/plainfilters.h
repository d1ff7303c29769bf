#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filter.h"

#include <QDate>
#include <QScopedPointer>
#include <QStringList>

class DateFilterPrivate;
class TechDealsFilterPrivate;
class BaseCodeBySecIdFilterPrivate;

class Table;

// Filters with values of their own: dates, a minimum quantity, a deal class, underlying codes.

// Records by the day of their "moment": all dates, today, yesterday and today, from a date, between two dates, or
// up to a date. Its value is "mode|from|to" (ISO dates). Today's modes follow the host's new day: the value stays,
// the predicate moves with asincChanged().
class BASIC_VIEWS_EXPORT DateFilter : public Filter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DateFilter)
public:
    enum Mode { AllDates = 0, Today = 1, YesterdayAndToday = 2, From = 3, Between = 4, Until = 5 };
    explicit DateFilter(Table& table, QObject* parent = nullptr);
    ~DateFilter() override;

    QString name() const override;
    QString text() const override;
    bool hasValue() const override;
    QString value() const override;
    // An empty value is all dates with both dates today; a value that does not parse leaves all dates and says so
    // in the log.
    void setValue(const QString& value) override;
    void clear() override;
    // Turning the filter off shows all dates.
    void setEnabled(bool enabled) override;
    FilterFunc* createFilterFunc(QObject* parent) const override;
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;

    Mode mode() const;
    // Turns the filter on for every mode but all dates.
    void setMode(Mode mode);
    QDate dateFrom() const;
    QDate dateTo() const;
    void setDateFrom(const QDate& date);
    void setDateTo(const QDate& date);

protected:
    // The trading day the today modes mean.
    virtual QDate today() const { return QDate::currentDate(); }

private:
    void newDay();

    QScopedPointer<DateFilterPrivate> m_d;
};

// Orders of at least a quantity. It always has a value; text() is its name.
class BASIC_VIEWS_EXPORT QuantityFilter : public Filter
{
    Q_OBJECT
public:
    explicit QuantityFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
    QString text() const override { return name(); }
    bool hasValue() const override { return true; }
    QString value() const override { return QString::number(m_minimum); }
    // A value that is no integer leaves the minimum as it was and says so in the log.
    void setValue(const QString& value) override;
    void clear() override { m_minimum = 0; }
    FilterFunc* createFilterFunc(QObject* parent) const override;
    // "Количество не менее" and the minimum; the check box is the enabled flag.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
    qint64 minimum() const { return m_minimum; }

private:
    qint64 m_minimum = 0;
};

// Deals: all, only technical deals by bundles, or only regular ones. Its value is the mode's number.
class BASIC_VIEWS_EXPORT TechDealsFilter : public Filter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TechDealsFilter)
public:
    enum Mode { AllDeals = 0, TechnicalOnly = 1, RegularOnly = 2 };
    explicit TechDealsFilter(Table& table, QObject* parent = nullptr);
    ~TechDealsFilter() override;
    QString name() const override;
    QString text() const override;
    bool hasValue() const override;
    QString value() const override;
    void setValue(const QString& value) override;
    void clear() override;
    FilterFunc* createFilterFunc(QObject* parent) const override;
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
    Mode mode() const;
    // Turns the filter on for every mode but all deals.
    void setMode(Mode mode);

private:
    QScopedPointer<TechDealsFilterPrivate> m_d;
};

// Records whose instrument has one of the underlying codes; the value is the codes joined with "|".
class BASIC_VIEWS_EXPORT BaseCodeBySecIdFilter : public Filter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, BaseCodeBySecIdFilter)
public:
    BaseCodeBySecIdFilter(Table& table, int modelColumn, QObject* parent = nullptr);
    ~BaseCodeBySecIdFilter() override;
    QString name() const override;
    QString text() const override { return value(); }
    bool hasValue() const override;
    QString value() const override;
    void setValue(const QString& value) override;
    void clear() override;
    FilterFunc* createFilterFunc(QObject* parent) const override;
    const QStringList& codes() const;

private:
    QScopedPointer<BaseCodeBySecIdFilterPrivate> m_d;
};
