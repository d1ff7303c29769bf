#include "delegates/viewscolorpage.h"

#include "core/db/appsettings.h"
#include "delegates/viewscolorwidget.h"

ViewsColorPage::ViewsColorPage(ViewsColorManager::View view, QObject* parent)
    : QObject(parent)
    , m_view(view)
{ }

QString ViewsColorPage::id() const
{
    return QStringLiteral("ViewsColorPage %1").arg(int(m_view));
}

QString ViewsColorPage::displayName() const
{
    return ViewsColorManager::viewName(m_view);
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
    m_widget = new ViewsColorWidget(parent);
    m_widget->setView(m_view);
    for (ViewsColorManager::Color color : ViewsColorManager::viewColors(m_view))
        m_widget->addColor(color);
    return m_widget;
}

void ViewsColorPage::apply()
{
    ViewsColorManager* manager = ViewsColorManager::instance();
    if (!m_widget || !manager)
        return;
    for (ViewsColorManager::Color color : m_widget->colors()) {
        for (auto role : { ViewsColorManager::BackgroundRole, ViewsColorManager::SelectionRole })
            manager->setColor(m_view, role, color, m_widget->color(role, color));
    }
    AppSettings settings { QString() };
    manager->store(settings);
    settings.sync();
    QMetaObject::invokeMethod(manager, "changed");
}

void ViewsColorPage::finish()
{
    m_widget = nullptr;
}
