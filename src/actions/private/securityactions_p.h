#pragma once

#include "actions/securityactions.h"

class SecurityActionsPrivate
{
public:
    QPointer<QAbstractItemView> view;
    QPointer<ItemModelWithDelegates> model;
    SecurityActions::IndexMapper mapper;
    SecurityActions::RecordMapper recordMapper;
    int modelStock = -1;
    int modelBoard = -1;
    int modelSec = -1;
    Table* securities = nullptr; // not owned, the host's
    int secStock = -1;
    int secBoard = -1;
    int secId = -1;
    int secType = -1;
    int secName = -1;
    int secIsin = -1;
    int secSeries = -1;
    QMap<int, QAction*> actions; // children
    QSet<int> available;
    int defaultType = SecurityActions::AddOrder;
    int selectedInstruments = 0;
    mutable QString cachedText; // the record text of the last lookup, and what it found
    mutable SecurityProp cached;
};
