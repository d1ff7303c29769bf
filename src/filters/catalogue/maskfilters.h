#pragma once

#include "filters/catalogue/maskfilter.h"
#include <QScopedPointer>

class BalanceFilterPrivate;
class DealsTypeFilterPrivate;
class SessionFilterPrivate;

// The enumeration filters whose keys are bits: each picks its predicate by the mask of shown keys.

// Accounts by their code's length: 1 the firm's own (4 characters), 2 a client's (7). The keys are the strings
// "1" and "2"; a code of another length passes only while no key is excluded.
class BASIC_VIEWS_EXPORT AccountTypeFilter : public MaskFilter
{
    Q_OBJECT
public:
    explicit AccountTypeFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
    QString text() const override { return name(); }

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;
};

// Orders by execution: 1 not executed, 2 fully executed, 4 partially executed.
class BASIC_VIEWS_EXPORT BalanceFilter : public MaskFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, BalanceFilter)
public:
    explicit BalanceFilter(Table& table, QObject* parent = nullptr);
    ~BalanceFilter() override;
    QString name() const override;

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;

private:
    QScopedPointer<BalanceFilterPrivate> m_d;
};

// Deals by kind, from their signs and board: regular, exercise, expiration, position transfer, negotiated,
// bundle, technical by bundles (bits 1 to 64). A deal of several kinds passes when any of them is shown.
class BASIC_VIEWS_EXPORT DealsTypeFilter : public MaskFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DealsTypeFilter)
public:
    enum Kind { Regular = 1, Exercise = 2, Expiration = 4, Transfer = 8, Negotiated = 16, Bundle = 32, Technical = 64 };
    explicit DealsTypeFilter(Table& table, QObject* parent = nullptr);
    ~DealsTypeFilter() override;
    QString name() const override;
    // Every kind of a deal, as a mask of the bits above.
    static qint64 kindsOf(qint64 signs, int board);

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;

private:
    QScopedPointer<DealsTypeFilterPrivate> m_d;
};

// Instruments by group bits of a 64-bit column: 0x40000000 futures, 0x80000000 options.
class BASIC_VIEWS_EXPORT GroupMaskFilter : public MaskFilter
{
    Q_OBJECT
public:
    GroupMaskFilter(Table& table, int column, QObject* parent = nullptr);
    QString name() const override;

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;
};

// Instruments by the sessions they trade in, from their signs byte: 1 the main session (0x40), 2 the evening
// session only (0x01), 4 neither.
class BASIC_VIEWS_EXPORT SecSignFilter : public MaskFilter
{
    Q_OBJECT
public:
    explicit SecSignFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;
};

// Records by whether their session is active (1) or not (2). The active sessions change when the exchange opens
// new ones: the filter follows the host decoder's aNewSessions() with asincChanged().
class BASIC_VIEWS_EXPORT SessionFilter : public MaskFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SessionFilter)
public:
    explicit SessionFilter(Table& table, QObject* parent = nullptr);
    ~SessionFilter() override;
    QString name() const override;

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;

private:
    QScopedPointer<SessionFilterPrivate> m_d;
};

// Orders by type from bit 47 of their signs: 1 regular, 2 iceberg.
class BASIC_VIEWS_EXPORT SignsOrderFilter : public MaskFilter
{
    Q_OBJECT
public:
    explicit SignsOrderFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;

protected:
    FilterFunc* createMaskFunc(qint64 shown, QObject* parent) const override;
    QString bitText(qint64 bit) const override;
    qint64 bitOfRecord(const Record& record) const override;
};
