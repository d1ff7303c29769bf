#include "windows/frozenrowview.h"

#include "delegates/itemdelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

FrozenRowView::FrozenRowView(QTableFastView* mainView)
    : TableFastView(mainView)
    , m_mainView(mainView)
{
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
    if (!m_mainView)
        return;
    m_mainView->viewport()->removeEventFilter(this);
    QMargins margins = m_mainView->viewportMargins();
    margins.setBottom(0);
    m_mainView->setViewportMargins(margins);
    QMetaObject::invokeMethod(m_mainView, "updateGeometries");
}

void FrozenRowView::setRowCount(int count)
{
    m_rowCount = qMax(count, 0);
    recalcGeometry();
}

void FrozenRowView::setDelimeterWidth(int width)
{
    m_delimeterWidth = qMax(width, 0);
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
    const QScrollBar* mainBar = m_mainView->horizontalScrollBar();
    horizontalScrollBar()->setRange(mainBar->minimum(), mainBar->maximum());
    horizontalScrollBar()->setValue(mainBar->value());
}

void FrozenRowView::adjustViewportMargins()
{
    setViewportMargins(0, m_delimeterWidth, 0, 0);
}

void FrozenRowView::recalcGeometry()
{
    if (!m_mainView || m_inGeometryUpdate)
        return;
    m_inGeometryUpdate = true;
    const QMargins own = viewportMargins();
    const int height = m_rowCount * rowHeight() + own.top() + own.bottom();
    QMargins margins = m_mainView->viewportMargins();
    if (margins.bottom() != height - 1) {
        margins.setBottom(height - 1);
        m_mainView->setViewportMargins(margins);
    }
    const QRect viewport = m_mainView->viewport()->geometry();
    setGeometry(viewport.left(), viewport.bottom() + 1, viewport.width(), height);
    m_mainView->updateScrollBars();
    followMainScrollBar();
    m_inGeometryUpdate = false;
}

void FrozenRowView::headerSectionResized(int logical, int, int newSize)
{
    // Hiding a section resizes it to nothing before the header counts it hidden.
    const bool hidden = m_mainView->header()->isSectionHidden(logical) || newSize == 0;
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
    if (!m_mainView || !QAbstractItemView::model())
        return;
    header()->restoreState(m_mainView->header()->saveState());
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
    const int top = viewportMargins().top();
    if (top <= 0)
        return;
    QPainter painter(this);
    const QRect vp = viewport()->geometry();
    const QPalette colours = viewport()->palette();
    painter.fillRect(QRect(0, 0, vp.right() + 1, top), colours.color(QPalette::Base));
    // The line runs under the columns only, as far as they reach.
    const QHeaderView* main = m_mainView ? m_mainView->header() : header();
    const int right = qMin(vp.left() + main->length() - main->offset(), vp.right() + 1);
    painter.fillRect(QRect(vp.left(), 0, right - vp.left(), top), colours.color(QPalette::Text));
}

bool FrozenRowView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_mainView && watched == m_mainView->viewport()
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        recalcGeometry();
    return TableFastView::eventFilter(watched, event);
}

void FrozenRowView::wheelEvent(QWheelEvent* event)
{
    // The frozen rows do not scroll; the rows above them do.
    if (m_mainView)
        QApplication::sendEvent(m_mainView->viewport(), event);
}
