#pragma once

#include "basic_views_export.h"
#include "core/host/itransactionsender.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLineEdit;
class QuantityEditor;

// The extra fields of an order on the anonymous boards: the order type (a plain limit order or an iceberg with
// its visible part and deviation), a date the order is good till, and whether the client's money limit is
// checked.
class BASIC_VIEWS_EXPORT OrderMore : public QWidget
{
    Q_OBJECT
public:
    explicit OrderMore(QWidget* parent = nullptr);

    // "1" a limit order, "4" an iceberg.
    QString orderType() const;
    void setOrderType(const QString& type);
    bool isIceberg() const { return orderType() == QLatin1String("4"); }
    // 0 while empty.
    qint64 visiblePart() const;
    qint64 deviation() const;
    // "Type", "disclose_const_amount", "variance_amount", "DateExp" ("yyyyMMdd", empty for the day),
    // "dont_check_money".
    Values values() const;
    void setValues(const Values& values);

    QComboBox* typeBox() const { return m_type; }
    QuantityEditor* visibleEditor() const { return m_visible; }
    QuantityEditor* deviationEditor() const { return m_deviation; }

Q_SIGNALS:
    void changed();

protected:
    // A language change names the fields again and writes the date in the language's form.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void updateIceberg();

    QComboBox* m_type;
    QuantityEditor* m_visible;
    QuantityEditor* m_deviation;
    QCheckBox* m_tillDate;
    QDateEdit* m_date;
    QCheckBox* m_checkMoney;
    QFormLayout* m_form;
};

// The extra fields of an order addressed to a partner: the deal reference both sides quote, and the date.
class BASIC_VIEWS_EXPORT OrderAddressMore : public QWidget
{
    Q_OBJECT
public:
    explicit OrderAddressMore(QWidget* parent = nullptr);
    // "match_ref", "DateExp".
    Values values() const;
    void setValues(const Values& values);
    QLineEdit* referenceEdit() const { return m_reference; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    QLineEdit* m_reference;
    QFormLayout* m_form;
    QCheckBox* m_tillDate;
    QDateEdit* m_date;
};
