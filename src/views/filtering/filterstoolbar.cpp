#include "views/filtering/filterstoolbar.h"

#include "core/host/filters/filter.h"
#include "filters/widgets/keycombofilterwidget.h"
#include "views/filtering/private/filterstoolbar_p.h"
#include "views/filtering/private/itemfilterstoolbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <QWheelEvent>

namespace {

// Asks the tool bar for the editors' height, plus the scroll bar's while they do not fit, and for no width: it
// takes whatever width the window leaves.
class FiltersScrollArea : public QScrollArea
{
public:
    explicit FiltersScrollArea(QWidget* parent)
        : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override { return minimumSizeHint(); }

    QSize minimumSizeHint() const override
    {
        if (!widget())
            return {};
        int height = widget()->sizeHint().height();
        if (overflows())
            height += horizontalScrollBar()->sizeHint().height();
        return { 0, height };
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        const bool before = m_overflowed;
        m_overflowed = overflows();
        QScrollArea::resizeEvent(event);
        if (m_overflowed != before)
            updateGeometry();
    }

    // The wheel scrolls the bar sideways: it has no other way to go.
    void wheelEvent(QWheelEvent* event) override
    {
        if (horizontalScrollBar()->isVisible())
            QCoreApplication::sendEvent(horizontalScrollBar(), event);
        else
            QScrollArea::wheelEvent(event);
    }

private:
    bool overflows() const { return widget() && widget()->minimumSizeHint().width() > width(); }

    bool m_overflowed = false;
};

} // namespace

FiltersToolBar::FiltersToolBar(QWidget* parent)
    : FiltersToolBar(QString(), parent)
{ }

FiltersToolBar::FiltersToolBar(const QString& title, QWidget* parent)
    : QToolBar(title, parent)
    , m_d(new FiltersToolBarPrivate)
{
    Q_D(FiltersToolBar);
    d->scroll = new FiltersScrollArea(this);
    d->content = new QWidget(d->scroll);
    d->layout = new QHBoxLayout(d->content);
    d->items = new ItemFiltersToolBar(this);
    setObjectName(QStringLiteral("FiltersToolBar"));
    setFloatable(false);
    setMovable(false);
    toggleViewAction()->setVisible(false);
    d->layout->setContentsMargins(0, 0, 0, 0);
    d->layout->setSpacing(1);
    d->layout->addSpacerItem(new QSpacerItem(200, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    d->scroll->setWidget(d->content);
    addWidget(d->scroll);
}

FiltersToolBar::~FiltersToolBar() = default;

QWidget* FiltersToolBar::getWidget() const
{
    Q_D(const FiltersToolBar);
    return d->content;
}

ItemFiltersToolBar* FiltersToolBar::itemFiltersToolBar() const
{
    Q_D(const FiltersToolBar);
    return d->items;
}

void FiltersToolBar::setView(QAbstractItemView* view)
{
    Q_D(FiltersToolBar);
    d->items->setView(view);
}

void FiltersToolBar::setHeader(QHeaderView* header)
{
    Q_D(FiltersToolBar);
    d->items->setHeader(header);
}

void FiltersToolBar::addFilter(Filter* filter)
{
    Q_D(FiltersToolBar);
    QWidget* widget = d->items->addFilter(filter, d->content);
    if (!widget)
        return;
    // A bare choice box says nothing of what it chooses: the filter's name goes before it, unless it has its own.
    const auto* choice = qobject_cast<KeyComboFilterWidget*>(widget);
    if (choice && !choice->hasTitle())
        addCustomWidget(new QLabel(filter->name() + QLatin1Char(':'), d->content));
    addCustomWidget(widget);
}

void FiltersToolBar::addFilters(const QList<Filter*>& filters)
{
    for (Filter* filter : filters)
        addFilter(filter);
}

void FiltersToolBar::addCustomWidget(QWidget* widget)
{
    Q_D(FiltersToolBar);
    // Before the trailing spacer.
    d->layout->insertWidget(d->layout->count() - 1, widget);
}
