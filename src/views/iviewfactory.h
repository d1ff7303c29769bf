#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

class IView;
class QWidget;

// Makes the views of one kind; rides in a switcher action's data.
class IViewFactory
{
public:
    virtual ~IViewFactory() = default;
    // Names the kind in stored settings.
    virtual QByteArray key() const = 0;
    // The text of the kind's switcher action.
    virtual QString title() const = 0;
    virtual IView* create(const QString& extraKey, QWidget* parent) = 0;
};

Q_DECLARE_METATYPE(IViewFactory*)
