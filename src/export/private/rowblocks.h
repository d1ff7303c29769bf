#pragma once

#include <QByteArray>
#include <QVector>

#include <functional>

class QAbstractItemModel;

// The bytes of an export's rows, in row order. Where the model may be read from several threads at once (an
// export proxy holding the rows of a record model, as every window export does), the rows are formatted a block ahead
// on the library's worker threads and the calling thread together, in the calling thread's translation; other models
// are formatted one row at a time on the calling thread. The caller's thread waits while a block is formatted,
// so nothing changes the records meanwhile, and a block is small enough (about a slice of the exporter's
// event-loop pauses) to keep the window responsive.
class RowBlocks
{
public:
    using Format = std::function<QByteArray(int row)>;

    // `format` must be safe to call from several threads at once for a model that allows it.
    void reset(const QAbstractItemModel* model, Format format);
    // The bytes of `row`; rows are asked for in order.
    QByteArray take(int row);
    void clear();

private:
    void formatBlock(int first);

    Format m_format;
    bool m_concurrent = false;
    int m_rows = 0;
    int m_first = 0;
    QVector<QByteArray> m_block;
};
