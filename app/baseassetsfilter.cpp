#include "baseassetsfilter.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/tableregistry.h"

#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QSet>

BaseAssetsList::BaseAssetsList(QObject* parent)
    : CheckedItemModelByTable(parent)
{
    connect(SecurityDirectory::i(), &TableDirectory::dataChanged, this, &CheckedItemModelByTable::populate);
    populate();
}

void BaseAssetsList::fillListFromTable(QList<Item>& list)
{
    ICore* core = ICore::instance();
    const Table* securities = core ? core->tables()->table(QStringLiteral("securities")) : nullptr;
    const int base = securities ? securities->columnIndex(QStringLiteral("base_code")) : -1;
    if (base < 0)
        return;
    QSet<QString> seen;
    for (const Record& instrument : *securities->masterIndex()) {
        const QString code = instrument.data(base).toString();
        if (!code.isEmpty() && !seen.contains(code)) {
            seen.insert(code);
            list.append({ true, code });
        }
    }
    std::sort(list.begin(), list.end(), [](const Item& a, const Item& b) { return a.value < b.value; });
}

BaseAssetsEditor::BaseAssetsEditor(QWidget* parent)
    : FilterWidget(parent)
    , m_list(new BaseAssetsList(this))
    , m_view(new QListView(this))
{
    m_view->setModel(m_list);
    auto* all = new QPushButton(tr("Отметить все"), this);
    auto* none = new QPushButton(tr("Снять все"), this);
    connect(
        all, &QPushButton::clicked, this, [this] { m_list->setData(QModelIndex(), Qt::Checked, Qt::CheckStateRole); });
    connect(none, &QPushButton::clicked, this,
        [this] { m_list->setData(QModelIndex(), Qt::Unchecked, Qt::CheckStateRole); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addStretch();
    contentLayout()->addWidget(m_view);
    contentLayout()->addLayout(buttons);
    connect(m_list, &QAbstractItemModel::dataChanged, this, &BaseAssetsEditor::notifyChanged);
    connect(m_list, &QAbstractItemModel::modelReset, this, &BaseAssetsEditor::notifyChanged);
}

QString BaseAssetsEditor::refusal() const
{
    return m_list->rowCount() > 0 && m_list->allItemsUnchecked() ? tr("Отметьте хотя бы одно значение") : QString();
}

QWidget* BaseAssetsFilter::createFilterWidget(QWidget* parent)
{
    return new BaseAssetsEditor(parent);
}

void BaseAssetsFilter::init(QWidget* widget)
{
    auto* editor = qobject_cast<BaseAssetsEditor*>(widget);
    if (!editor)
        return;
    BaseAssetsList* list = editor->list();
    for (int row = 0; row < list->rowCount(); ++row) {
        const bool shown = !isEnabled() || hasKey(valueToKey(list->index(row).data().toString()));
        list->setData(list->index(row), shown ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
}

void BaseAssetsFilter::apply(QWidget* widget)
{
    auto* editor = qobject_cast<BaseAssetsEditor*>(widget);
    if (!editor || !editor->checkAcceptable())
        return;
    clear();
    for (const QString& code : editor->list()->checkedValues())
        addKey(valueToKey(code));
    setEnabled(!editor->list()->allItemsChecked());
}
