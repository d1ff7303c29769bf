#pragma once

#include <QIcon>
#include <QString>

// What every page of a settings dialog tells the dialog: where it goes in the page list and that the dialog
// closed. Terminal pages (IOptionsPage) and window pages (IViewSettingsPage) differ in what they edit.
class IOptionsPageBase
{
public:
    virtual ~IOptionsPageBase() = default;
    virtual QString id() const = 0;
    virtual QString displayName() const = 0;
    virtual QString category() const = 0;
    virtual QIcon categoryIcon() const = 0;
    // The dialog closes: the page's widget is gone.
    virtual void finish() = 0;
};
