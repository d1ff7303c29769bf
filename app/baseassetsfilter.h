#pragma once

#include "filters/catalogue/keyfilters.h"
#include "filters/widgets/filterwidget.h"
#include "models/checkeditemmodelbytable.h"

class QListView;

// The base assets the instruments have, each once, in order, with check boxes. Whenever the instruments change
// (some come, some go, a base asset changes) the list is read again; the base assets that stay keep their marks,
// new ones come checked.
class BaseAssetsList : public CheckedItemModelByTable
{
    Q_OBJECT
public:
    explicit BaseAssetsList(QObject* parent = nullptr);

protected:
    void fillListFromTable(QList<Item>& list) override;
};

// The editor of the base asset filter: the list, with "Отметить все" and "Снять все". Nothing checked is refused.
class BaseAssetsEditor : public FilterWidget
{
    Q_OBJECT
public:
    explicit BaseAssetsEditor(QWidget* parent = nullptr);

    BaseAssetsList* list() const { return m_list; }
    QListView* view() const { return m_view; }
    QString refusal() const override;

private:
    BaseAssetsList* m_list;
    QListView* m_view;
};

// "Базовый актив" of the instruments window, chosen in a check list of the base assets: every one checked is
// no filter.
class BaseAssetsFilter : public BaseCodeFilter
{
    Q_OBJECT
public:
    using BaseCodeFilter::BaseCodeFilter;

    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};
