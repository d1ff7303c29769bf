#include "trees/view/private/treegroupsviewsettings.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/settings.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsexpansion.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/treegroupsview.h"
#include "views/private/scrollposition.h"
#include "windows/viewwrapper.h"

namespace {

const QString CurrentKey = QStringLiteral("current");

} // namespace

void TreeGroupsViewSettings::store(const TreeGroupsView& view, Settings& settings)
{
    TreeGroupsModel* model = view.groupsModel();
    if (!model)
        return;
    model->store(settings);
    ItemModelWithDelegates::storeHeader(view.groupsHeader(), model, settings);
    view.groupColumns().write(settings);
    view.expansion()->store(settings);
    settings.setValue(CurrentKey, view.currentText());
    ScrollPosition::store(&view, settings);
    view.wrapper()->store(settings);
}

void TreeGroupsViewSettings::restore(TreeGroupsView& view, const Settings& values)
{
    TreeGroupsModel* model = view.groupsModel();
    if (!model)
        return;
    TreeGroupsHeaderView* header = view.groupsHeader();
    {
        const QSignalBlocker quiet(model);
        ItemModelWithDelegates::restoreHeader(header, model, values);
    }
    // The tree's column stays shown and first whatever a layout says: without it no row shows its branches.
    header->setSectionHidden(0, false);
    header->moveSection(header->visualIndex(0), 0);
    view.groupColumns().reset(model);
    view.groupColumns().read(values);
    model->restore(values);
    view.expansion()->restore(values);
    const bool autoScroll = view.hasAutoScroll();
    view.setAutoScroll(false);
    view.setCurrentText(values.value(CurrentKey).toString());
    view.setAutoScroll(autoScroll);
    ScrollPosition::restore(&view, values);
    view.wrapper()->restore(values);
    view.viewport()->update();
}
