#pragma once

#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/table.h"
#include "core/host/filters/filter.h"
#include "filters/catalogue/standardfilters.h"
#include "filters/rowfiltersmodel.h"
#include "models/tableindexmodel.h"
#include "windows/tablefastviewwithfilter.h"

// A table's window as the terminal makes it: a live model with the catalogue's columns (the computed ones
// included, which shift the columns after them) and its filters, shown in the filtering table view.
struct CatalogueWindow
{
    explicit CatalogueWindow(Table* table)
        : model(table)
    {
        StandardColumnDelegates::install(&model, table->name());
        for (Filter* filter : StandardFilters::create(*table, &model))
            model.filtersModel()->addFilter(filter);
        model.rebuild();
        view.setModel(&model);
        view.resize(900, 400);
        view.show();
    }
    int column(const char* name) const { return model.columnIndex(QString::fromLatin1(name)); }
    Filter* filter(const QString& name) const
    {
        for (Filter* f : model.filtersModel()->filters()) {
            if (f->name() == name)
                return f;
        }
        return nullptr;
    }
    bool titleIsBold(int column) const
    {
        return model.headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
    }

    TableIndexModel model;
    TableFastViewWithFilter view;
};
