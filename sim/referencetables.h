#pragma once

struct SampleMarketData;
class Table;

// Fills the sample market's reference tables: markets, boards, instruments, sessions, enumerations, accounts,
// users, margins, fees parameters, volatilities, option series and underlying contracts.
class ReferenceTables
{
public:
    explicit ReferenceTables(const SampleMarketData& market)
        : m_market(market)
    { }
    // `edition` > 0 marks every name with " #edition".
    void fill(Table* table, int edition) const;

private:
    void fillStocks(Table* table, int edition) const;
    void fillBoards(Table* table, int edition) const;
    void fillSecurities(Table* table, int edition) const;
    void fillSessions(Table* table, int edition) const;
    void fillEnumeration(Table* table, int edition) const;
    void fillAccounts(Table* table, int edition) const;
    void fillMargins(Table* table) const;
    void fillInstrumentExtras(Table* table, int edition) const;

    const SampleMarketData& m_market;
};
