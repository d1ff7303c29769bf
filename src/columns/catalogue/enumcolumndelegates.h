#pragma once

// The enumeration columns: the field is a code of one of the terminal's enumeration tables and shows as its
// name. They differ in the table, the header, whether the tool tip gives the code's description and whether
// rows sort by name, so they share one class and these files.

#include "columns/catalogue/cataloguedelegate.h"

class EnumColumnDelegatePrivate;
class StatusColumnDelegatePrivate;

class EnumDirectory;
class SessionDirectory;

class BASIC_VIEWS_EXPORT EnumColumnDelegate : public TextColumnDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, EnumColumnDelegate)
public:
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

protected:
    // With `describe` the tool tip is the code's description.
    EnumColumnDelegate(
        const ColumnHeaderInfo& header, const EnumDirectory* directory, Order order, bool describe, QObject* parent);
    EnumColumnDelegate(
        EnumColumnDelegatePrivate& dd, const EnumDirectory* directory, Order order, bool describe, QObject* parent);
    bool text(const Field& field, const Record& record, QString& text) const override;
    const EnumDirectory* directory() const;
};

class BASIC_VIEWS_EXPORT SecTypeColumnDelegate : public EnumColumnDelegate
{
public:
    explicit SecTypeColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT SecStateColumnDelegate : public EnumColumnDelegate
{
public:
    explicit SecStateColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT SessStateColumnDelegate : public EnumColumnDelegate
{
public:
    explicit SessStateColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT PriceDirectionColumnDelegate : public EnumColumnDelegate
{
public:
    explicit PriceDirectionColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT OptionTypeColumnDelegate : public EnumColumnDelegate
{
public:
    explicit OptionTypeColumnDelegate(QObject* parent = nullptr);
};

class BASIC_VIEWS_EXPORT OptionCalcColumnDelegate : public EnumColumnDelegate
{
public:
    explicit OptionCalcColumnDelegate(QObject* parent = nullptr);
};

// The side of an order or deal by its first character; an empty field shows the model's default.
class BASIC_VIEWS_EXPORT BuySellColumnDelegate : public EnumColumnDelegate
{
public:
    explicit BuySellColumnDelegate(QObject* parent = nullptr);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;
};

// An order's status. A record of an earlier session than the market's last is grey and its tool tip names
// that session.
class BASIC_VIEWS_EXPORT StatusColumnDelegate : public EnumColumnDelegate
{
    Q_DECLARE_PRIVATE_D(m_d, StatusColumnDelegate)
public:
    explicit StatusColumnDelegate(ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
};
