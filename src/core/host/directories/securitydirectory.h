#pragma once

#include "core/db/decimal.h"
#include "core/host/directories/tabledirectory.h"
#include "core/host/securitykey.h"

#include <QHash>
#include <QVector>

class QMimeData;
class QTimer;

// Instruments of the "securities" table by key, text id, code and underlying. Name, code, underlying, text id,
// decimals and lot size are answered from prepared values without allocating.
class BV_HOST_EXPORT SecurityDirectory : public TableDirectory, public DirectoryInstance<SecurityDirectory>
{
    Q_OBJECT
public:
    static constexpr const char* SecurityMimeType = "application/x-gui-security";
    static constexpr const char* SecuritiesMimeType = "application/x-gui-securities";

    SecurityDirectory();

    QString nameById(int stock, int board, qint64 sec) const;
    QString codeById(int stock, int board, qint64 sec) const;
    QString baseById(int stock, int board, qint64 sec) const;
    QString textIdById(int stock, int board, qint64 sec) const;
    // -1 for an unknown instrument.
    int decimalsById(int stock, int board, qint64 sec) const;
    // False for an unknown instrument and for one without a lot size.
    bool lotSizeById(int stock, int board, qint64 sec, qint64& lots) const;
    QString nameByKey(const SecurityKey& key) const;

    int decimalsByTextId(const QString& textId) const;
    // Price limits and step; false for an unknown instrument.
    bool minMaxStepByTextId(const QString& textId, decimal& min, decimal& max, decimal& step) const;
    Record realRecordByTextId(const QString& textId) const;
    bool idByTextId(const QString& textId, int& stock, int& board, qint64& sec) const;

    Record recordById(int stock, int board, qint64 sec) const;
    // The instrument a board-3 instrument stands for (itself on other boards); null when unknown.
    Record realRecordById(int stock, int board, qint64 sec) const;
    Record recordBySecCode(const QString& code, int stock, int board) const;
    // -1 when no instrument has the code.
    int getIsinIdBySecCode(const QString& code) const;
    // The name of the futures contract (the first in key order) with an ISIN number; empty when none has it.
    QString futureNameByIsinId(qint64 isin) const;
    // All instruments of a market and board in key order; a board or stock of 0 means any.
    QList<SecurityKey> keys(int stock, int board) const;
    // Instruments of an underlying; a board or stock of 0 means any.
    QList<SecurityKey> keysByBaseCode(const QString& base, int stock, int board) const;
    // The instruments carried by drag data ("application/x-gui-security" or "application/x-gui-securities",
    // text ids separated by "|"); with firstOnly at most one.
    QList<SecurityKey> keysByMimeData(const QMimeData* mime, bool firstOnly) const;
    static QMimeData* mimeDataForKeys(const QList<SecurityKey>& keys);

    // Return against the settlement price, in percent: (price / settlement - 1) * 100, two decimals.
    bool profitRateById(double price, int stock, int board, qint64 sec, decimal& rate) const;
    // Coefficients of the same line: percent = a * price + b.
    bool pctYieldCoeffsById(int stock, int board, qint64 sec, double& a, double& b) const;
    // The option's volatility (the empty decimal when it has none).
    decimal volatilityById(int stock, int board, qint64 sec) const;
    // The volatility of an option of the derivatives market (boards 14 and 15) over a horizon of `days`
    // calendar days: the annual volatility times sqrt(days / 365); the empty decimal when it has none.
    decimal horizonVolatilityBySecId(qint64 sec, int days) const;
    // Ticks each second: option volatilities are to be recalculated.
    QTimer* getCalcVolatTimer();

protected:
    void reload(const Table* table) override;

private:
    struct Info
    {
        Record record;
        QString code;
        QString base;
        QString textId;
        SecurityKey real;
    };
    // What cells ask for on every row of a window, in no order of instruments: kept apart from the records in a
    // compact array, found through a small open-addressed table of indexes, so that a lookup touches little memory.
    struct Entry
    {
        SecurityKey key;
        QString name;
        qint64 lotSize = 0;
        int decimals = -1;
        bool hasLotSize = false;
    };
    // The place of the key in m_places, or the free place where it would go.
    int place(int stock, int board, qint64 sec) const;
    // The instrument's index in m_entries and m_infos, -1 for an unknown one.
    int indexOf(int stock, int board, qint64 sec) const;
    const Info* info(int stock, int board, qint64 sec) const;
    // One prepared value of an instrument, or the fallback for an unknown one.
    template<typename T>
    T answer(int stock, int board, qint64 sec, T Info::*member, T fallback) const
    {
        const Info* i = info(stock, board, sec);
        return i ? i->*member : fallback;
    }

    QVector<Entry> m_entries;
    QVector<Info> m_infos; // beside m_entries, index for index
    QVector<int> m_places; // indexes or -1; a power of two, at least twice the instruments
    QHash<QString, QList<SecurityKey>> m_byCode;
    QHash<QString, QList<SecurityKey>> m_byBase;
    QHash<qint64, QString> m_futureNames; // by ISIN number
    QTimer* m_volatTimer = nullptr;
};
