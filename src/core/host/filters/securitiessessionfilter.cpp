#include "core/host/filters/securitiessessionfilter.h"

#include "core/host/directories/sessiondirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/icore.h"
#include "core/host/idecoder.h"

SecuritiesSessionFilter::SecuritiesSessionFilter(
    Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent)
    : ValueFilter(table, column, keyColumns, modelColumn, parent)
{
    updateKeys();
    connect(SessionDirectory::i(), &TableDirectory::dataChanged, this, &SecuritiesSessionFilter::onNewSessions);
    if (ICore* core = ICore::instance()) {
        // The decoder's signal is not part of its interface: connect by name.
        for (QObject* plugin : core->plugins()) {
            if (qobject_cast<IDecoder*>(plugin))
                connect(plugin, SIGNAL(aNewSessions()), this, SLOT(onNewSessions()));
        }
    }
}

void SecuritiesSessionFilter::onNewSessions()
{
    updateKeys();
    Q_EMIT asincChanged();
}

QString SecuritiesSessionFilter::name() const
{
    return tr("Текущая сессия");
}

void SecuritiesSessionFilter::updateKeys()
{
    ValueFilter::clear();
    const QList<int>& columns = keyColumns();
    if (columns.size() < 2)
        return;
    const ColumnDef stockDef = table().columnDef(columns.at(0));
    const ColumnDef sessDef = table().columnDef(columns.at(1));
    for (int stock : StockDirectory::i()->ids()) {
        for (int sess : SessionDirectory::i()->activeSessIds(stock))
            addKey(KeyValue {
                FieldValue(stockDef.type, stockDef.length, stock), FieldValue(sessDef.type, sessDef.length, sess) });
    }
}
