#pragma once

#include "core/host/bv_host_export.h"

#include <QHash>
#include <QList>
#include <QMetaType>
#include <QString>

// An instrument: market (stock) id, board id and security id. Its text id "stock:board:sec" is the form used in
// settings, drag data, actions and order forms.
struct BV_HOST_EXPORT SecurityKey
{
    int stock = 0;
    int board = 0;
    qint64 sec = 0;

    bool isValid() const { return stock > 0 && board > 0; }
    QString textId() const;
    // An invalid key when the text is not a text id.
    static SecurityKey fromTextId(const QString& textId);

    bool operator==(const SecurityKey& o) const { return stock == o.stock && board == o.board && sec == o.sec; }
    bool operator!=(const SecurityKey& o) const { return !(*this == o); }
    bool operator<(const SecurityKey& o) const
    {
        return stock != o.stock ? stock < o.stock : (board != o.board ? board < o.board : sec < o.sec);
    }
};

inline uint qHash(const SecurityKey& key, uint seed = 0)
{
    return ::qHash(key.sec, seed) ^ uint(key.board << 16) ^ uint(key.stock);
}

// A board of a market.
struct BV_HOST_EXPORT boardid
{
    int stock = 0;
    int board = 0;
    bool operator==(const boardid& o) const { return stock == o.stock && board == o.board; }
    bool operator<(const boardid& o) const { return stock != o.stock ? stock < o.stock : board < o.board; }
};
using boardlist = QList<boardid>;

inline uint qHash(const boardid& b, uint seed = 0)
{
    return ::qHash((quint64(quint32(b.stock)) << 32) | quint32(b.board), seed);
}

Q_DECLARE_METATYPE(SecurityKey)
Q_DECLARE_TYPEINFO(SecurityKey, Q_PRIMITIVE_TYPE);
Q_DECLARE_TYPEINFO(boardid, Q_PRIMITIVE_TYPE);
