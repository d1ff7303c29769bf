#pragma once

#include "export/dbfhandler.h"
#include "export/private/rowblocks.h"

#include <QDataStream>
#include <QMap>
#include <QVector>

struct DBFHandler::Field
{
    QByteArray name;
    char letter = 'C';
    int width = 0;
    int decimals = 0;
    int type = 0; // the column's QVariant type id
};

// An export's state: the columns as fields, the code page, the stream and the rows formatted ahead.
class DBFHandlerPrivate
{
public:
    explicit DBFHandlerPrivate(DBFHandler::DBF_Version version)
        : version(version)
    { }

    DBFHandler::DBF_Version version;
    QMap<int, DBFHandler::Field> columns;
    QByteArray codePage;
    quint8 driver = 0x65;
    int recordLength = 0;
    QVector<uchar> toCodePage; // byte of each UTF-16 code unit in the code page; 0 where it has none
    QAbstractItemModel* model = nullptr; // not owned
    QDataStream stream;
    RowBlocks rows;
    QString error;
};
