#include "snapshotwindow.h"

#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/mapsettings.h"
#include "core/db/table.h"
#include "liveprices.h"
#include "models/tableindexmodel.h"
#include "models/tablemodel.h"
#include "tablewindow.h"
#include "terminalsubwindow.h"
#include "viewmenu.h"
#include "windows/tablefastviewwithfilter.h"

#include <QEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

SnapshotWindow::SnapshotWindow(const TableWindow* source, QWidget* parent)
    : QWidget(parent)
    , m_model(new TableModel(source->model(), this))
    , m_view(new TableFastView(this))
    , m_sourceTitle(source->windowTitle())
    , m_taken(QTime::currentTime())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    StandardColumnDelegates::install(m_model, m_model->table()->name());
    if (source->showsLivePrices())
        LivePrices::install(m_model, m_view);
    m_view->setModel(m_model);
    // The live window's columns as they stand: order, widths, hidden ones (by name).
    MapSettings layoutCopy;
    TableFastView::storeHeader(source->view()->header(), source->model(), layoutCopy);
    TableFastView::restoreHeader(m_view->header(), m_model, layoutCopy);
    m_view->header()->setSortIndicatorShown(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(m_view, m_view, m_view->viewport(), at); });
    auto* repaint = new QTimer(this);
    connect(repaint, &QTimer::timeout, m_view->viewport(), qOverload<>(&QWidget::update));
    repaint->start(1000);
    // The live window is named again in a new language; its name here follows while it is open.
    connect(source, &QWidget::windowTitleChanged, this, [this](const QString& title) {
        m_sourceTitle = title;
        retranslate();
    });
    retranslate();
}

void SnapshotWindow::retranslate()
{
    setWindowTitle(tr("%1 — снимок %2").arg(m_sourceTitle, m_taken.toString(QStringLiteral("hh:mm:ss"))));
    m_view->setWindowTitle(windowTitle());
}

void SnapshotWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

SnapshotWindow* SnapshotWindow::open(const TableWindow* source)
{
    QWidget* up = source->parentWidget();
    while (up && !qobject_cast<QMdiSubWindow*>(up))
        up = up->parentWidget();
    auto* sub = qobject_cast<QMdiSubWindow*>(up);
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    auto* snapshot = new SnapshotWindow(source);
    snapshot->setAttribute(Qt::WA_DeleteOnClose);
    if (area) {
        QMdiSubWindow* window = TerminalSubWindow::addTo(area, snapshot);
        window->resize(sub->size());
        // Beside the live window where the area has room, to its right or else to its left; else just below it.
        const QRect live = sub->geometry();
        const int room = area->viewport()->width();
        if (live.right() + 1 + live.width() <= room)
            window->move(live.right() + 1, live.top());
        else if (live.left() - live.width() >= 0)
            window->move(live.left() - live.width(), live.top());
        else
            window->move(live.topLeft() + QPoint(30, 30));
        window->show();
    } else {
        snapshot->resize(source->size());
        snapshot->show();
    }
    return snapshot;
}
