#include "tableviewfactory.h"

#include <QCoreApplication>

TableViewFactory::TableViewFactory(const QByteArray& key, const char* title, const Make& make)
    : m_key(key)
    , m_title(title)
    , m_make(make)
{ }

QString TableViewFactory::title() const
{
    return QCoreApplication::translate("WindowCatalogue", m_title);
}

IView* TableViewFactory::create(const QString&, QWidget* parent)
{
    return m_make(parent);
}
