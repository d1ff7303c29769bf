#pragma once

#include "filters/enumfilter.h"
#include <QScopedPointer>

class DirectoryEnumFilterPrivate;

class EnumDirectory;

// Enumeration filters whose keys and texts come from the terminal's directories; the predicate is the
// excluded-key one of EnumFilter.

// An enumeration filter over one of the host's enumeration directories.
class BASIC_VIEWS_EXPORT DirectoryEnumFilter : public EnumFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DirectoryEnumFilter)
public:
    DirectoryEnumFilter(Table& table, int column, const EnumDirectory* directory, QObject* parent = nullptr);
    ~DirectoryEnumFilter() override;
    // The directory's keys, as values of the filter's column.
    QList<KeyValue> keys() const override;
    // Empty for a key the directory does not name.
    QString keyToText(const KeyValue& key) const override;

private:
    QScopedPointer<DirectoryEnumFilterPrivate> m_d;
};

class BASIC_VIEWS_EXPORT BuySellFilter : public DirectoryEnumFilter
{
    Q_OBJECT
public:
    explicit BuySellFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
};

class BASIC_VIEWS_EXPORT StatusFilter : public DirectoryEnumFilter
{
    Q_OBJECT
public:
    explicit StatusFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
};

class BASIC_VIEWS_EXPORT SecStateFilter : public DirectoryEnumFilter
{
    Q_OBJECT
public:
    explicit SecStateFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
};

class BASIC_VIEWS_EXPORT SecTypeFilter : public DirectoryEnumFilter
{
    Q_OBJECT
public:
    explicit SecTypeFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
};

// Who entered a record: 0 the brokerage firm, 1 the firm's chief trader, 2 a clearing administrator, 3 a trading
// system administrator.
class BASIC_VIEWS_EXPORT InitiatorFilter : public EnumFilter
{
    Q_OBJECT
public:
    InitiatorFilter(Table& table, int column, QObject* parent = nullptr);
    QString name() const override;
    QList<KeyValue> keys() const override;
    QString keyToText(const KeyValue& key) const override;
};

// Markets. Unlike the other enumerations its stored value is the shown markets. Unless the application setting
// "TARVEN" (group "Kestrel2") allows it, market 1 is always hidden and the filter cannot be turned off. It follows
// the host's choice of market with asincChanged().
class BASIC_VIEWS_EXPORT StockFilter : public EnumFilter
{
    Q_OBJECT
public:
    explicit StockFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
    QList<KeyValue> keys() const override;
    QString keyToText(const KeyValue& key) const override;

    QString value() const override;
    void setValue(const QString& value) override { setInvertValue(value); }
    void setEnabled(bool enabled) override;
    // A StockFilterWidget.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    FilterFunc* createFilterFunc(QObject* parent) const override;

    // Whether market 1 may be shown (the "TARVEN" setting).
    static bool firstMarketAllowed();
};
