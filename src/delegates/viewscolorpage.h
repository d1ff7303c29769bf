#pragma once

#include "basic_views_export.h"
#include "core/host/ioptionspage.h"
#include "delegates/viewscolormanager.h"

#include <QObject>
#include <QScopedPointer>

class ViewsColorPagePrivate;
class ViewsColorWidget;

// The settings page of one window kind's colours.
class BASIC_VIEWS_EXPORT ViewsColorPage : public QObject, public IOptionsPage
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ViewsColorPage)
    Q_INTERFACES(IOptionsPage)
public:
    ViewsColorPage(ViewsColorManager::View view, QObject* parent = nullptr);
    ~ViewsColorPage() override;

    QString id() const override;
    QString displayName() const override;
    QString category() const override;
    QString displayCategory() const override;
    QIcon categoryIcon() const override;
    QWidget* createPage(QWidget* parent) override;
    // Writes the widget's colours into the manager, stores the whole table in the application settings and
    // tells the windows to repaint.
    void apply() override;
    void finish() override;

    ViewsColorWidget* widget() const;

private:
    QScopedPointer<ViewsColorPagePrivate> m_d;
};
