#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QDate>
#include <QMap>

// One option series: its underlying future, expiry and calculation type.
struct BV_HOST_EXPORT OptionSeriesParam
{
    int seriesId = 0;
    QString baseCode;
    QDate expDate;
    int optionCalc = 0;
    int mainBoardId = 0;
    qint64 mainSecId = 0;
    QString name;

    bool operator<(const OptionSeriesParam& o) const { return seriesId < o.seriesId; }
    bool operator==(const OptionSeriesParam& o) const { return seriesId == o.seriesId; }
};

// Option series ("option_series") by id and by expiry date.
class BV_HOST_EXPORT OptionSeriesParamDirectory : public TableDirectory,
                                                  public DirectoryInstance<OptionSeriesParamDirectory>
{
    Q_OBJECT
public:
    OptionSeriesParamDirectory();

    QMap<int, OptionSeriesParam> getSeriesParam() const { return m_bySeries; }
    // Series by expiry date, each date's series ordered by id.
    QMap<QDate, QList<OptionSeriesParam>> getSeriesParamData() const { return m_byDate; }

protected:
    void reload(const Table* table) override;

private:
    QMap<int, OptionSeriesParam> m_bySeries;
    QMap<QDate, QList<OptionSeriesParam>> m_byDate;
};
