#include "views/headersettings/private/tableheadermimedata.h"

#include <QGuiApplication>

TableHeaderMimeData::TableHeaderMimeData(const QList<Range>& ranges)
    : m_ranges(ranges)
    , m_sessionId(qApp ? qApp->sessionId() : QString())
{ }

QString TableHeaderMimeData::mimeType()
{
    return QStringLiteral("application/x-tableheadermodel-move");
}

QStringList TableHeaderMimeData::formats() const
{
    return QStringList { mimeType() } + QMimeData::formats();
}
