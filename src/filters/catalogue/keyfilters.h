#pragma once

#include "basic_views_export.h"
#include "core/host/filters/selectfilter.h"
#include "core/host/securitykey.h"
#include <QScopedPointer>

class BoardFilterPrivate;
class ExpDateFilterPrivate;

// Key filters: the value is the chosen keys, a record passes when its key is one of them.

class BASIC_VIEWS_EXPORT AccountFilter : public ValueFilter
{
    Q_OBJECT
public:
    explicit AccountFilter(Table& table, QObject* parent = nullptr);
    AccountFilter(Table& table, int column, QObject* parent = nullptr);
    QString name() const override;
    // A check list of the clients' accounts; all checked is no filter.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};

class BASIC_VIEWS_EXPORT BaseCodeFilter : public ValueFilter
{
    Q_OBJECT
public:
    explicit BaseCodeFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
};

// Trading boards, keyed by (market, board) and named by the board directory. The boards offered and whether
// positions' boards are meant go to the board selector that edits it.
class BASIC_VIEWS_EXPORT BoardFilter : public ValueFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, BoardFilter)
public:
    explicit BoardFilter(Table& table, QObject* parent = nullptr);
    ~BoardFilter() override;
    QString name() const override;
    QString keyToText(const KeyValue& key) const override;

    void setFilterBoards(const boardlist& boards);
    const boardlist& filterBoards() const;
    void setForPositions(bool forPositions);
    bool isForPositions() const;

    // A check list of the offered boards; all checked is no filter.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;

private:
    QScopedPointer<BoardFilterPrivate> m_d;
};

// Expiry dates; keys are shown as dates.
class BASIC_VIEWS_EXPORT ExpDateFilter : public ValueFilter
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ExpDateFilter)
public:
    ExpDateFilter(Table& table, int modelColumn, QObject* parent = nullptr);
    ~ExpDateFilter() override;
    QString name() const override;
    QString keyToText(const KeyValue& key) const override;
    // One date of the table's, or none.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;

    // The dates an editor offers: those of the instruments of a base contract (its ISIN number), or all.
    QList<QPair<QString, QString>> choices(const QString& baseContract = QString()) const;
    // Next to a base contract editor (on a tool bar): the editor offers the dates of the chosen contract.
    void followBaseContract(QWidget* widget, const QString& baseContract);

private:
    QScopedPointer<ExpDateFilterPrivate> m_d;
};

// Base futures contracts, by their ISIN number; a key is named by the instruments' futures contract that has it.
class BASIC_VIEWS_EXPORT SecNameFilter : public ValueFilter
{
    Q_OBJECT
public:
    SecNameFilter(Table& table, int modelColumn, QObject* parent = nullptr);
    QString name() const override;
    QString keyToText(const KeyValue& key) const override;
    // One base contract of the table's, or none.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};

// A filter edited as one login: typed or picked from the terminal's users, or "Все логины" for none.
class BASIC_VIEWS_EXPORT LoginChoiceFilter : public ValueFilter
{
    Q_OBJECT
public:
    using ValueFilter::ValueFilter;
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};

class BASIC_VIEWS_EXPORT LoginFilter : public LoginChoiceFilter
{
    Q_OBJECT
public:
    explicit LoginFilter(Table& table, QObject* parent = nullptr);
    LoginFilter(Table& table, int column, QObject* parent = nullptr);
    QString name() const override;
};

// Master logins: keys are user numbers, shown and stored as the users' logins.
class BASIC_VIEWS_EXPORT AsprefFilter : public LoginChoiceFilter
{
    Q_OBJECT
public:
    explicit AsprefFilter(Table& table, QObject* parent = nullptr);
    QString name() const override;
    QString keyToValue(const KeyValue& key) const override;
    KeyValue valueToKey(const QString& value) const override;
    QString keyToText(const KeyValue& key) const override { return keyToValue(key); }
};

// Instruments, keyed by (market, board, instrument) and stored by their text ids; the user picks one in the
// instrument selector.
class BASIC_VIEWS_EXPORT SecurityFilter : public SelectFilter
{
    Q_OBJECT
public:
    SecurityFilter(Table& table, const char* column, int modelColumn, QObject* parent = nullptr);
    QString name() const override;
    FilterFunc* createFilterFunc(QObject* parent) const override;
    QString keyToValue(const KeyValue& key) const override;
    KeyValue valueToKey(const QString& value) const override;
    QString keyToText(const KeyValue& key) const override;
    QString selectActionName() const override;
    bool selectDialog(QWidget* parent) override;
    // "Все инструменты" or one instrument from the selector.
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};
