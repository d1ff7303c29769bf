#pragma once

#include <QIcon>
#include <QString>
#include <QtPlugin>

class QWidget;

// A page of the terminal's settings dialog.
class IOptionsPage
{
public:
    virtual ~IOptionsPage() = default;
    virtual QString id() const = 0;
    virtual QString displayName() const = 0;
    virtual QString category() const = 0;
    virtual QString displayCategory() const = 0;
    virtual QIcon categoryIcon() const = 0;
    // The page's widget, owned by `parent`.
    virtual QWidget* createPage(QWidget* parent) = 0;
    // Takes over what the user set on the page.
    virtual void apply() = 0;
    // The dialog closes: the page's widget is gone.
    virtual void finish() = 0;
};

#define IOptionsPage_iid "Orrery.Plugin.IOptionsPage/1.0"
Q_DECLARE_INTERFACE(IOptionsPage, IOptionsPage_iid)
