#pragma once

#include "trees/securitiesgroupments.h"

#include <memory>

// The groupments the lists point to.
class SecuritiesGroupmentsPrivate
{
public:
    std::unique_ptr<GroupmentStock> stock;
    std::unique_ptr<GroupmentBoard> board;
    std::unique_ptr<GroupmentSecTypes> types;
    std::unique_ptr<GroupmentColumn> baseCode;
    std::unique_ptr<GroupmentSecurity> security;
};
