#pragma once

#include "trees/groupmentsecurities.h"
#include "trees/private/groupment_p.h"

class SecTypeDirectory;
class SecurityDirectory;

class GroupmentStockPrivate : public GroupmentPrivate
{
public:
    int stock = -1;
};

class GroupmentBoardPrivate : public GroupmentPrivate
{
public:
    int stock = -1;
    int board = -1;
};

class GroupmentSecTypesPrivate : public GroupmentPrivate
{
public:
    const SecTypeDirectory* types = nullptr; // not owned; made on the GUI thread, before any key is asked for
    int sectype = -1;
};

class GroupmentUnderlyingPrivate : public GroupmentPrivate
{
public:
    const SecurityDirectory* securities = nullptr; // not owned; made on the GUI thread, before any key is asked for
    int base = -1;
    int stock = -1;
    int board = -1;
    int sec = -1;
};

class GroupmentExpDatePrivate : public GroupmentPrivate
{
public:
    int expdate = -1;
};

class GroupmentStrikePrivate : public GroupmentPrivate
{
public:
    int strike = -1;
    int decimals = -1;
};
