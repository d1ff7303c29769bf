#pragma once

#include "core/host/directories/enumdirectory.h"

// The terminal's enumerations, each an EnumDirectory over its own table; they differ only in the table.

class BV_HOST_EXPORT StatusDirectory : public EnumDirectory, public DirectoryInstance<StatusDirectory>
{
    Q_OBJECT
public:
    StatusDirectory();
};

class BV_HOST_EXPORT SecStateDirectory : public EnumDirectory, public DirectoryInstance<SecStateDirectory>
{
    Q_OBJECT
public:
    SecStateDirectory();
};

class BV_HOST_EXPORT SecTypeDirectory : public EnumDirectory, public DirectoryInstance<SecTypeDirectory>
{
    Q_OBJECT
public:
    SecTypeDirectory();
};

class BV_HOST_EXPORT SessStateDirectory : public EnumDirectory, public DirectoryInstance<SessStateDirectory>
{
    Q_OBJECT
public:
    SessStateDirectory();
};

class BV_HOST_EXPORT PriceDirectionDirectory : public EnumDirectory, public DirectoryInstance<PriceDirectionDirectory>
{
    Q_OBJECT
public:
    PriceDirectionDirectory();
};

class BV_HOST_EXPORT OptioTypeDirectory : public EnumDirectory, public DirectoryInstance<OptioTypeDirectory>
{
    Q_OBJECT
public:
    OptioTypeDirectory();
};

class BV_HOST_EXPORT OptioCalcDirectory : public EnumDirectory, public DirectoryInstance<OptioCalcDirectory>
{
    Q_OBJECT
public:
    OptioCalcDirectory();
};

// Sides of an order or deal ('B', 'S').
class BV_HOST_EXPORT BuySellDirectory : public EnumDirectory, public DirectoryInstance<BuySellDirectory>
{
    Q_OBJECT
public:
    BuySellDirectory();
    QList<QChar> ids() const;
    QString nameById(QChar side) const { return nameByKey(side.unicode()); }
};
