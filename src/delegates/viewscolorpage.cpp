#include "delegates/viewscolorpage.h"
#include "delegates/private/viewscolorpage_p.h"

#include "core/db/appsettings.h"
#include "delegates/private/viewscolorwidget.h"

ViewsColorPage::ViewsColorPage(ViewsColorManager::View view, QObject* parent)
    : QObject(parent)
    , m_d(new ViewsColorPagePrivate)
{
    Q_D(ViewsColorPage);
    d->view = view;
}

ViewsColorPage::~ViewsColorPage() = default;

QString ViewsColorPage::id() const
{
    Q_D(const ViewsColorPage);
    return QStringLiteral("ViewsColorPage %1").arg(int(d->view));
}

QString ViewsColorPage::displayName() const
{
    Q_D(const ViewsColorPage);
    return ViewsColorManager::viewName(d->view);
}

QString ViewsColorPage::category() const
{
    return QStringLiteral("Colors");
}

QString ViewsColorPage::displayCategory() const
{
    return tr("Цвета");
}

QIcon ViewsColorPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/colors.png"));
}

QWidget* ViewsColorPage::createPage(QWidget* parent)
{
    Q_D(ViewsColorPage);
    d->widget = new ViewsColorWidget(parent);
    d->widget->setView(d->view);
    for (ViewsColorManager::Color color : ViewsColorManager::viewColors(d->view))
        d->widget->addColor(color);
    return d->widget;
}

void ViewsColorPage::apply()
{
    Q_D(ViewsColorPage);
    ViewsColorManager* manager = ViewsColorManager::instance();
    if (!d->widget || !manager)
        return;
    for (ViewsColorManager::Color color : d->widget->colors()) {
        for (auto role : { ViewsColorManager::BackgroundRole, ViewsColorManager::SelectionRole })
            manager->setColor(d->view, role, color, d->widget->color(role, color));
    }
    AppSettings settings { QString() };
    manager->store(settings);
    settings.sync();
    QMetaObject::invokeMethod(manager, "changed");
}

void ViewsColorPage::finish()
{
    Q_D(ViewsColorPage);
    d->widget = nullptr;
}

ViewsColorWidget* ViewsColorPage::widget() const
{
    return d_func()->widget;
}
