#include "pickslink.h"

#include "core/db/record.h"
#include "core/db/settings.h"
#include "instrumentpicks.h"
#include "models/indexmodelfilterrecord.h"
#include "windows/tablefastviewwithfilter.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>

namespace {
const QString OnlyPicksKey = QStringLiteral("picksOnly");
} // namespace

PicksLink::PicksLink(IndexModelFilterRecord* model, TableFastViewWithFilter* view, InstrumentPicks* picks)
    : QObject(view)
    , m_model(model)
    , m_view(view)
    , m_picks(picks)
    , m_onlyPicks(new QAction(this))
{
    retranslate();
    m_onlyPicks->setCheckable(true);
    connect(m_onlyPicks, &QAction::toggled, this, &PicksLink::setOnlyPicks);
    connect(picks, &InstrumentPicks::changed, this, &PicksLink::followPicks);
    connect(model, &QAbstractItemModel::rowsMoved, this, &PicksLink::takeRowOrder);
    view->setDragDropMode(QAbstractItemView::InternalMove);
    view->setDefaultDropAction(Qt::MoveAction);
    view->setDropIndicatorShown(true);
}

bool PicksLink::isOnlyPicks() const
{
    return m_model->filterEnabled();
}

void PicksLink::setOnlyPicks(bool on)
{
    if (on == isOnlyPicks())
        return;
    m_onlyPicks->setChecked(on);
    QHeaderView* header = m_view->header();
    if (on) {
        m_sortColumn = m_model->sortColumn();
        m_sortOrder = m_model->sortOrder();
    }
    m_model->setFilterRows(m_picks->keys());
    m_model->setFilterEnabled(on);
    // Shown alone, the pick stands in its own order; the window's sort comes back with the whole table.
    const int column = on ? -1 : (m_sortColumn >= 0 ? m_sortColumn : m_model->columnIndex(QStringLiteral("sec_id")));
    header->setSortIndicator(column, on ? Qt::AscendingOrder : m_sortOrder);
    m_model->rebuild();
}

void PicksLink::followPicks()
{
    const QStringList keys = m_picks->keys();
    if (!isOnlyPicks() || keys == m_model->filterRows())
        return;
    m_model->setFilterRows(keys);
    m_model->rebuild();
}

void PicksLink::takeRowOrder()
{
    // Rows the feed moves under a sort leave the filter rows as they are; only a drag reorders them.
    if (!isOnlyPicks() || m_model->filterRows() == m_picks->keys())
        return;
    m_picks->setKeys(m_model->filterRows());
    // The rows as dragged are the pick's order now: the title no longer shows a sort.
    if (m_model->sortColumn() >= 0)
        m_view->header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void PicksLink::populateMenu(const QList<Record>& selected, QMenu* menu)
{
    QList<Record> picked;
    QList<Record> others;
    for (const Record& instrument : selected)
        (m_picks->contains(instrument) ? picked : others) << instrument;
    if (!others.isEmpty()) {
        menu->addAction(tr("Добавить в 'Мои инструменты'"), this, [this, others] { m_picks->add(others); });
    }
    if (!picked.isEmpty()) {
        menu->addAction(tr("Убрать из 'Мои инструменты'"), this, [this, picked] { m_picks->remove(picked); });
    }
    menu->addAction(m_onlyPicks);
    menu->addSeparator();
}

void PicksLink::store(Settings& settings) const
{
    settings.setValue(OnlyPicksKey, isOnlyPicks());
    if (isOnlyPicks())
        m_picks->store(settings);
}

void PicksLink::restore(const Settings& values)
{
    m_picks->restore(values);
    setOnlyPicks(values.value(OnlyPicksKey, false).toBool());
}

void PicksLink::retranslate()
{
    m_onlyPicks->setText(tr("Только мои инструменты"));
}

bool PicksLink::event(QEvent* event)
{
    // Told by the view that holds it.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::event(event);
}
