#pragma once

#include "basic_views_export.h"

#include <QChar>
#include <QString>

// What the instrument commands need to know of the instrument of a row: its identity, name, series and type, and
// what its board allows. Not valid when the row names no known instrument.
struct BASIC_VIEWS_EXPORT SecurityProp
{
    QString textId;
    QString name;
    qint64 secId = 0;
    int stockId = 0;
    int boardId = 0;
    int isinId = 0;
    int optionSeriesId = 0;
    QChar secType;
    bool isTrade = false;
    bool isQRBRequest = false;
    bool isIndex = false;
    bool isValid = false;
};
