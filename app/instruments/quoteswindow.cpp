#include "quoteswindow.h"

#include "orderbookmodel.h"

#include "core/host/directories/securitydirectory.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>

QuotesWindow::QuotesWindow(Table* orders, const SecurityKey& key, const QString& ownLogin, QWidget* parent)
    : QWidget(parent)
    , m_model(new OrderBookModel(orders, key, ownLogin, this))
    , m_view(new QTableView(this))
    , m_name(SecurityDirectory::i()->nameByKey(key))
{
    retranslate();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(m_model);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setShowGrid(false);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    resize(360, 480);
}

void QuotesWindow::retranslate()
{
    setWindowTitle(tr("Котировки %1").arg(m_name));
}

void QuotesWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // The columns' titles are read as shown: the header measures them again.
    m_view->horizontalHeader()->headerDataChanged(Qt::Horizontal, 0, m_model->columnCount() - 1);
}

void QuotesWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    const int bid = m_model->bestBidRow();
    if (m_centred || bid < 0)
        return;
    m_centred = true;
    m_view->scrollTo(m_model->index(bid, OrderBookModel::Price), QAbstractItemView::PositionAtCenter);
}
