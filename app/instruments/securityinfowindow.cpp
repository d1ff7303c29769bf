#include "securityinfowindow.h"

#include "instrumentrows.h"

#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "models/tableindexmodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <QTransposeProxyModel>
#include <QVBoxLayout>

namespace {

// The instruments' rows turned on their side, each column titled with its instrument's name.
class SecurityCardModel : public QTransposeProxyModel
{
public:
    SecurityCardModel(TableIndexModel* instruments, QObject* parent)
        : QTransposeProxyModel(parent)
        , m_instruments(instruments)
    {
        setSourceModel(instruments);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            const Record& r = m_instruments->at(section);
            return r.isNull() ? QVariant() : r.data(QStringLiteral("sec_name")).toString();
        }
        // The fields' titles read as a form: left, in the plain font, whatever their columns' looks.
        if (orientation == Qt::Vertical && role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (orientation == Qt::Vertical && role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return QVariant();
        return QTransposeProxyModel::headerData(section, orientation, role);
    }

private:
    TableIndexModel* m_instruments; // the source
};

} // namespace

SecurityInfoWindow::SecurityInfoWindow(Table* securities, const QList<SecurityKey>& keys, QWidget* parent)
    : QWidget(parent)
    , m_instruments(instrumentRows(securities, keys, QStringLiteral("sec_id"), this))
    , m_view(new QTableView(this))
{
    for (const SecurityKey& key : keys)
        m_names << SecurityDirectory::i()->nameByKey(key);
    retranslate();
    // The cells as the instruments window shows them.
    StandardColumnDelegates::install(m_instruments, securities->name());

    m_view->setModel(new SecurityCardModel(m_instruments, this));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(qMin(260 + 200 * keys.size(), 1200), 640);
}

void SecurityInfoWindow::retranslate()
{
    setWindowTitle(tr("Информация: %1").arg(m_names.join(QStringLiteral(", "))));
}

void SecurityInfoWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    retranslate();
    // The fields' titles are read as shown: the header measures them again.
    if (const int fields = card()->rowCount(); fields > 0)
        m_view->verticalHeader()->headerDataChanged(Qt::Vertical, 0, fields - 1);
}

QAbstractItemModel* SecurityInfoWindow::card() const
{
    return m_view->model();
}
