#pragma once

// Columns that show one field of a parameter record found by the row's code: the parameters of the
// underlying contract, and the broker fee parameters of the account.

#include "columns/catalogue/cataloguedelegate.h"

#include <functional>

class BaseContractsParamsDirectory;
class KvBrokerFeeParamDirectory;

// One column of the underlying contract's parameters, by the code in the column's field. The header is that
// of the parameters table's column; rows without parameters sort after every row with them.
class BASIC_VIEWS_EXPORT BaseContractsParamsDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    BaseContractsParamsDelegate(ItemModelWithDelegates* model, int paramsColumn);
    bool headerData(int role, QVariant& value) const override;
    FieldType::Type getType() const override;
    int type() const override;
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

private:
    Record params(const Field& code) const;
    const BaseContractsParamsDirectory* m_directory; // not owned
    int m_paramsColumn;
};

// A broker fee parameter of the account in the column's field, formatted; with `showNext` and parameters
// scheduled to replace them, "current -> next".
class BASIC_VIEWS_EXPORT BrokerFeeParamsFieldDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    using Format = std::function<QString(const Field&)>;

    // Without a format the field's own text is shown.
    BrokerFeeParamsFieldDelegate(
        const QString& fieldName, bool showNext, QObject* parent = nullptr, const Format& format = Format());
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

private:
    QString text(const Record& params) const;
    const KvBrokerFeeParamDirectory* m_directory; // not owned
    QString m_fieldName;
    bool m_showNext;
    Format m_format;
};
