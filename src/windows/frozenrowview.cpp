#include "windows/frozenrowview.h"

#include "delegates/itemdelegate.h"
#include "windows/private/frozenrowview_p.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

FrozenRowView::FrozenRowView(QTableFastView* mainView)
    : TableFastView(mainView)
    , m_d(new FrozenRowViewPrivate)
{
    Q_D(FrozenRowView);
    d->mainView = mainView;
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->hide();
    setItemDelegate(new ItemDelegate(this));
    QHeaderView* main = mainView->header();
    connect(main, &QHeaderView::sectionResized, this, &FrozenRowView::headerSectionResized);
    connect(main, &QHeaderView::sectionMoved, this, &FrozenRowView::headerSectionMoved);
    connect(main, &QHeaderView::sectionCountChanged, this, &FrozenRowView::headerRestoreState);
    QScrollBar* mainBar = mainView->horizontalScrollBar();
    connect(mainBar, &QScrollBar::valueChanged, horizontalScrollBar(), &QScrollBar::setValue);
    connect(mainBar, &QScrollBar::rangeChanged, horizontalScrollBar(), &QScrollBar::setRange);
    connect(this, &QTableFastView::rowHeightChanged, this, &FrozenRowView::recalcGeometry);
    mainView->viewport()->installEventFilter(this);
    QTimer::singleShot(0, this, &FrozenRowView::recalcGeometry);
}

FrozenRowView::~FrozenRowView()
{
    Q_D(FrozenRowView);
    if (!d->mainView)
        return;
    d->mainView->viewport()->removeEventFilter(this);
    QMargins margins = d->mainView->viewportMargins();
    margins.setBottom(0);
    d->mainView->setViewportMargins(margins);
    QMetaObject::invokeMethod(d->mainView, "updateGeometries");
}

QTableFastView* FrozenRowView::mainView() const
{
    Q_D(const FrozenRowView);
    return d->mainView;
}

int FrozenRowView::rowCount() const
{
    Q_D(const FrozenRowView);
    return d->rowCount;
}

int FrozenRowView::delimeterWidth() const
{
    Q_D(const FrozenRowView);
    return d->delimeterWidth;
}

void FrozenRowView::setRowCount(int count)
{
    Q_D(FrozenRowView);
    d->rowCount = qMax(count, 0);
    recalcGeometry();
}

void FrozenRowView::setDelimeterWidth(int width)
{
    Q_D(FrozenRowView);
    d->delimeterWidth = qMax(width, 0);
    adjustViewportMargins();
    recalcGeometry();
    update();
}

void FrozenRowView::setModel(QAbstractItemModel* model)
{
    TableFastView::setModel(model);
    headerRestoreState();
    followMainScrollBar();
}

void FrozenRowView::followMainScrollBar()
{
    Q_D(FrozenRowView);
    const QScrollBar* mainBar = d->mainView->horizontalScrollBar();
    horizontalScrollBar()->setRange(mainBar->minimum(), mainBar->maximum());
    horizontalScrollBar()->setValue(mainBar->value());
}

void FrozenRowView::adjustViewportMargins()
{
    Q_D(FrozenRowView);
    setViewportMargins(0, d->delimeterWidth, 0, 0);
}

void FrozenRowView::recalcGeometry()
{
    Q_D(FrozenRowView);
    if (!d->mainView || d->inGeometryUpdate)
        return;
    d->inGeometryUpdate = true;
    const QMargins own = viewportMargins();
    const int height = d->rowCount * rowHeight() + own.top() + own.bottom();
    QMargins margins = d->mainView->viewportMargins();
    if (margins.bottom() != height - 1) {
        margins.setBottom(height - 1);
        d->mainView->setViewportMargins(margins);
    }
    const QRect viewport = d->mainView->viewport()->geometry();
    setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(), height);
    d->mainView->updateScrollBars();
    followMainScrollBar();
    d->inGeometryUpdate = false;
}

void FrozenRowView::headerSectionResized(int logical, int, int newSize)
{
    Q_D(FrozenRowView);
    // Hiding a section resizes it to nothing before the header counts it hidden.
    const bool hidden = d->mainView->header()->isSectionHidden(logical) || newSize == 0;
    header()->setSectionHidden(logical, hidden);
    if (!hidden)
        header()->resizeSection(logical, newSize);
    update();
}

void FrozenRowView::headerSectionMoved(int, int oldVisual, int newVisual)
{
    header()->moveSection(oldVisual, newVisual);
    update();
}

void FrozenRowView::headerRestoreState()
{
    Q_D(FrozenRowView);
    if (!d->mainView || !QAbstractItemView::model())
        return;
    header()->restoreState(d->mainView->header()->saveState());
    update();
}

bool FrozenRowView::event(QEvent* event)
{
    const bool result = TableFastView::event(event);
    if (event->type() == QEvent::Paint)
        paintDelimiter();
    return result;
}

void FrozenRowView::paintDelimiter()
{
    Q_D(FrozenRowView);
    const int top = viewportMargins().top();
    if (top <= 0)
        return;
    QPainter painter(this);
    const QRect vp = viewport()->geometry();
    const QPalette colours = viewport()->palette();
    painter.fillRect(QRect(0, 0, vp.right() + 1, top), colours.color(QPalette::Base));
    // The line runs under the columns only, as far as they reach.
    const QHeaderView* main = d->mainView ? d->mainView->header() : header();
    const int right = qMin(vp.left() + main->length() - main->offset(), vp.right() + 1);
    painter.fillRect(QRect(vp.left(), 0, right - vp.left(), top), colours.color(QPalette::Text));
}

bool FrozenRowView::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(FrozenRowView);
    if (d->mainView && watched == d->mainView->viewport()
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        recalcGeometry();
    return TableFastView::eventFilter(watched, event);
}

void FrozenRowView::wheelEvent(QWheelEvent* event)
{
    Q_D(FrozenRowView);
    // The frozen rows do not scroll; the rows above them do.
    if (d->mainView)
        QApplication::sendEvent(d->mainView->viewport(), event);
}
