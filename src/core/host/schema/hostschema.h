#pragma once

#include "core/host/schema/tableschema.h"

// The terminal's reference and trading tables as the gateway delivers them. Directories read these by name;
// the market simulation fills them. Live price columns of "securities" come after the reference columns, so
// that price batches never touch the columns the directories cache.
namespace HostSchema {

// Board flags ("boards".flags).
enum BoardFlag {
    BoardTrade = 0x01,
    BoardIndex = 0x02,
    BoardDom = 0x04, // quotes
    BoardChart = 0x08,
    BoardAddress = 0x10,
    BoardQRBRequest = 0x20, // accepts clearing-house requests
    BoardFavorite = 0x40,
};

// Order statuses ("status".code).
enum OrderStatus { StatusActive = 1, StatusFilled = 2, StatusCancelled = 3, StatusRejected = 4 };
// The bit of an order's "signs" that marks an iceberg order.
constexpr qint64 OrderSignIceberg = qint64(1) << 47;
// The bits of an instrument's "signs" for the sessions it trades in: the evening and the main one.
constexpr qint64 SecSignEveningSession = 0x01;
constexpr qint64 SecSignMainSession = 0x40;
// Session states ("sess_state".code); a session in state SessionTrading is the active one.
enum SessionState { SessionPlanned = 0, SessionTrading = 1, SessionSuspended = 2, SessionFinished = 3 };
// Option calculation types ("opt_calc".code).
enum OptionCalc { OptionAmericanMargined = 1, OptionEuropeanPremium = 2 };
// Price directions ("price_dir".code).
enum PriceDirection { PriceUnchanged = 0, PriceUp = 1, PriceDown = 2 };

// A column title or description of these tables, which keep them as Russian source texts in the "HostSchema"
// context (so may the models' computed columns), in the host's translation; other texts come back as they are.
BV_HOST_EXPORT QString text(const QString& source);

BV_HOST_EXPORT TableSchema stocks();
BV_HOST_EXPORT TableSchema boards();
BV_HOST_EXPORT TableSchema securities();
BV_HOST_EXPORT TableSchema sessions();
// An enumeration table "name" with columns code (of the key type), name and descr.
BV_HOST_EXPORT TableSchema enumeration(const QString& name, FieldType::Type keyType);
BV_HOST_EXPORT QList<TableSchema> enumerations(); // status, sec_state, sec_type, sess_state, buysell, ...
BV_HOST_EXPORT TableSchema investors(); // "kv.investor"
BV_HOST_EXPORT TableSchema dealers(); // "kv.dealer"
BV_HOST_EXPORT TableSchema firms(); // "kv.rf"
BV_HOST_EXPORT TableSchema users(); // "kv.user"
BV_HOST_EXPORT TableSchema futSettlements(); // "kv.fut_settlement"
BV_HOST_EXPORT TableSchema futMarginTypes(); // "kv.fut_margin_type"
BV_HOST_EXPORT TableSchema brokerFeeParams(); // "kv.broker_fee_param"
BV_HOST_EXPORT TableSchema fees(const QString& name); // "fee" and "broker_fee"
BV_HOST_EXPORT TableSchema variationMargins(const QString& name); // "fut_vm_sa" and "opt_vm_sa"
BV_HOST_EXPORT TableSchema volatilities(); // "volat"
BV_HOST_EXPORT TableSchema optionSeries(); // "option_series"
BV_HOST_EXPORT TableSchema baseContracts(); // "base_contracts"
BV_HOST_EXPORT TableSchema orders();
BV_HOST_EXPORT TableSchema deals();
BV_HOST_EXPORT TableSchema positions();
// "money_limits": the money each client account may commit, kept by the trader; new orders are checked against it.
BV_HOST_EXPORT TableSchema moneyLimits();

// Every table above.
BV_HOST_EXPORT QList<TableSchema> all();

} // namespace HostSchema
