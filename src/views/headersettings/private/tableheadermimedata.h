#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QMimeData>
#include <QPair>

// Rows of a column list being dragged: ranges of rows (first, one past the last), and the session they were
// dragged in, so that a drop from another program is refused.
class BASIC_VIEWS_EXPORT TableHeaderMimeData : public QMimeData
{
    Q_OBJECT
public:
    using Range = QPair<int, int>;

    explicit TableHeaderMimeData(const QList<Range>& ranges);

    static QString mimeType();
    QList<Range> ranges() const { return m_ranges; }
    QString sessionId() const { return m_sessionId; }
    // Our type first, then what QMimeData holds.
    QStringList formats() const override;

private:
    QList<Range> m_ranges;
    QString m_sessionId;
};
