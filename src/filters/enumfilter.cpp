#include "filters/enumfilter.h"

#include "core/db/guilog.h"
#include "core/db/table.h"
#include "filters/enumfilterfunc.h"
#include "filters/widgets/checklistfilterwidget.h"

#include <QSet>
#include <QStandardItemModel>

EnumFilter::EnumFilter(Table& table, int column, QObject* parent)
    : ValueFilter(table, column, parent)
{ }

EnumFilter::EnumFilter(Table& table, int column, const QList<int>& keyColumns, QObject* parent)
    : ValueFilter(table, column, keyColumns, -1, parent)
{ }

void EnumFilter::setInvertValue(const QString& values)
{
    ValueFilter::clear();
    for (const KeyValue& key : keys())
        addKey(key);
    if (values.isEmpty())
        return;
    for (const QString& part : values.split(QLatin1Char('|')))
        removeKey(valueToKey(part));
}

void EnumFilter::removeInvalidKeys()
{
    const QList<KeyValue> all = keys();
    const QList<KeyValue> excluded = excludedKeys();
    for (const KeyValue& key : excluded) {
        const bool known = std::any_of(all.begin(), all.end(), [&](const KeyValue& k) { return compare(k, key) == 0; });
        if (!known)
            removeKey(key);
    }
}

FilterFunc* EnumFilter::createFilterFunc(QObject* parent) const
{
    try {
        return new EnumFilterFunc_Fast(&table(), excludedKeys(), keyColumns(), parent);
    } catch (const QString& reason) {
        qCWarning(QGuiLog).noquote() << QStringLiteral("Can't use optimized EnumFilterFunc for '") + table().name()
                + QStringLiteral("' ") + reason;
        return new EnumFilterFunc(&table(), excludedKeys(), keyColumns(), parent);
    }
}

QWidget* EnumFilter::createFilterWidget(QWidget* parent)
{
    return new EnumFilterWidget(parent);
}

void EnumFilter::init(QWidget* widget)
{
    auto* editor = qobject_cast<EnumFilterWidget*>(widget);
    if (!editor)
        return;
    QList<QPair<QString, QString>> items;
    QSet<QString> excluded;
    for (const KeyValue& key : keys()) {
        items << qMakePair(keyToText(key), keyToValue(key));
        // A filter that is off shows every value, whatever keys it remembers.
        if (isEnabled() && hasKey(key))
            excluded.insert(keyToValue(key));
    }
    editor->setItems(items, excluded);
}

void EnumFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<EnumFilterWidget*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    for (int row = 0; row < editor->model()->rowCount(); ++row) {
        const KeyValue key = valueToKey(editor->valueAt(row));
        if (editor->isChecked(row))
            removeKey(key);
        else
            addKey(key);
    }
    setEnabled(!editor->isAllChecked());
}
