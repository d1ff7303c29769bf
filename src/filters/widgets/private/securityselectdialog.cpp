#include "filters/widgets/private/securityselectdialog.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/icore.h"
#include "core/host/securitykey.h"
#include "core/host/selectors/rankedmatchesmodel.h"
#include "core/host/tableregistry.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {
enum { CodeRole = Qt::UserRole + 1, NameRole };
}

SecuritySelectDialog::SecuritySelectDialog(QWidget* parent)
    : QDialog(parent)
    , m_items(new QStandardItemModel(this))
    , m_search(new QLineEdit(this))
    , m_list(new QListView(this))
{
    const Table* securities
        = ICore::instance() ? ICore::instance()->tables()->table(QStringLiteral("securities")) : nullptr;
    if (securities && securities->masterIndex()) {
        const int stock = securities->columnIndex(QStringLiteral("stock_id"));
        const int board = securities->columnIndex(QStringLiteral("board_id"));
        const int sec = securities->columnIndex(QStringLiteral("sec_id"));
        const int code = securities->columnIndex(QStringLiteral("sec_code"));
        const int name = securities->columnIndex(QStringLiteral("sec_name"));
        const MasterIndex* all = securities->masterIndex();
        for (int row = 0; row < all->count(); ++row) {
            const Record& r = all->at(row);
            const QString codeText = r.data(code).toString();
            const QString nameText = r.data(name).toString();
            auto* item = new QStandardItem(QStringLiteral("%1 — %2").arg(codeText, nameText));
            item->setEditable(false);
            item->setData(codeText, CodeRole);
            item->setData(nameText, NameRole);
            item->setData(
                SecurityKey { r.data(stock).toInteger(), r.data(board).toInteger(), r.data(sec).toInteger64() }
                    .textId(),
                Qt::UserRole);
            m_items->appendRow(item);
        }
    }
    m_items->sort(0);
    m_shown = new RankedMatchesModel(
        m_items,
        [items = m_items](int row) {
            const QModelIndex item = items->index(row, 0);
            return qMakePair(item.data(CodeRole).toString(), item.data(NameRole).toString());
        },
        this);
    m_list->setModel(m_shown);
    m_list->setUniformItemSizes(true); // tens of thousands of instruments lay out at once
    m_search->setPlaceholderText(tr("Код или название"));
    m_search->setClearButtonEnabled(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_shown->setText(text);
        if (m_shown->rowCount() > 0)
            m_list->setCurrentIndex(m_shown->index(0, 0));
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [ok](const QModelIndex& current) { ok->setEnabled(current.isValid()); });
    connect(m_list, &QListView::activated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 480);
}

QString SecuritySelectDialog::selectedTextId() const
{
    return m_list->currentIndex().data(Qt::UserRole).toString();
}
