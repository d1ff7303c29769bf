#pragma once

#include "core/host/itransactionsender.h"
#include "sim/bv_sim_export.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

class EmbeddedTransactionSender;
class ICore;
class MarketFeed;
class Record;

// The exchange behind the embedded host's transaction sender. It tells the sender what market 1 accepts (new
// orders 10, 15 and 149, changes 13 and 150, withdrawal of an account's orders 12) and executes what is
// queued, a few milliseconds later on the event loop: a new order trades against resting orders of the other
// side at crossing prices (best price first, then the oldest, from the orders table's book) and rests with what is
// left; a change gives a resting order a new price and quantity, trading first when the new price crosses; a withdrawal
// cancels an account's (or a firm's) active orders, all of them or only the buy ("B"), the sell ("S") or those outside
// the price limits ("L"). A transaction the exchange refuses (unknown instrument or order, a price outside the limits,
// an unknown account, a bad quantity) changes nothing and its reason goes to the host's notification sink, and so does
// what a withdrawal withdrew. Option prices are held to their limits only when the order asks ("check_limit").
//
// A new order that asks for the client's money check ("dont_check_money" false) must fit in the account's row of
// "money_limits": its initial margin may not exceed what the limit leaves beside the part already used. An
// account without a row there is not checked.
class BV_SIM_EXPORT EmbeddedExchange : public QObject
{
    Q_OBJECT
public:
    // Boards whose price limits the order dialogs leave to the exchange, which checks them on request.
    enum { OptionsBoard = 14, NegotiatedBoard = 15 };
    enum Kind {
        NewOrder = 10,
        WithdrawAll = 12,
        ChangeOrder = 13,
        ClearingRequest = 15,
        NewIceberg = 149,
        ChangeIceberg = 150
    };

    EmbeddedExchange(ICore* core, EmbeddedTransactionSender* sender, QObject* parent = nullptr);

    static QList<TransactionDescription> descriptions();
    // Executes a transaction now; false (and the reason told to the host) when the exchange refuses it.
    bool execute(const RawTransaction& transaction);
    // The feed trading in the same tables: it is held while a transaction executes, so that no batch made before
    // crosses it.
    void setFeed(MarketFeed* feed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    void executed(quint64 id);
    void rejected(quint64 id, const QString& reason);

private:
    void registerDescriptions();
    void placeOrder(const Values& values, bool iceberg, bool clearing);
    void changeOrder(const Values& values);
    void withdrawAll(const Values& values);
    // The message of a refused transaction of a kind, with the reason in %1.
    static QString refusal(int kind);
    Record instrument(const Values& values) const;
    Record restingOrder(const Values& values) const;
    void checkAccount(const QString& account) const;
    void checkPrice(const Record& instrument, const Values& values, const QString& text) const;
    void checkMoney(const Values& values, const Record& instrument, const QString& account, qint64 quantity) const;

    ICore* m_core; // not owned
    QPointer<EmbeddedTransactionSender> m_sender;
    QPointer<MarketFeed> m_feed;
};
