#include "filters/enumfilter.h"

#include "core/db/table.h"
#include "core/host/hostlog.h"
#include "core/host/widgets/selectorwidget.h"
#include "filters/enumfilterfunc.h"

#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
const int KeyRole = Qt::UserRole + 1;
}

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
    QStandardItemModel* model = editor->model();
    model->clear();
    for (const KeyValue& key : keys()) {
        auto* item = new QStandardItem(keyToText(key));
        item->setCheckable(true);
        item->setEditable(false);
        item->setCheckState(hasKey(key) ? Qt::Unchecked : Qt::Checked);
        item->setData(keyToValue(key), KeyRole);
        model->appendRow(item);
    }
}

void EnumFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<EnumFilterWidget*>(widget);
    if (!editor)
        return;
    QStandardItemModel* model = editor->model();
    int checked = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QStandardItem* item = model->item(row);
        const KeyValue key = valueToKey(item->data(KeyRole).toString());
        if (item->checkState() == Qt::Checked) {
            removeKey(key);
            ++checked;
        } else {
            addKey(key);
        }
    }
    setEnabled(checked != model->rowCount());
}

EnumFilterWidget::EnumFilterWidget(QWidget* parent)
    : QWidget(parent)
    , m_selector(new SelectorWidget(this))
    , m_model(new QStandardItemModel(this))
{
    m_selector->setModel(m_model);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_selector);
}
