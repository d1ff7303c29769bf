#pragma once

#include "core/host/ioptionspagebase.h"

#include <QtPlugin>

class QWidget;

// A page of the terminal's settings dialog: it edits the terminal's own settings.
class IOptionsPage : public IOptionsPageBase
{
public:
    virtual QString displayCategory() const = 0;
    // The page's widget, owned by `parent`.
    virtual QWidget* createPage(QWidget* parent) = 0;
    // Takes over what the user set on the page.
    virtual void apply() = 0;
};

#define IOptionsPage_iid "Orrery.Plugin.IOptionsPage/1.0"
Q_DECLARE_INTERFACE(IOptionsPage, IOptionsPage_iid)
