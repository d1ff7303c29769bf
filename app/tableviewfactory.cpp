#include "tableviewfactory.h"

#include <QCoreApplication>

TableViewFactory::TableViewFactory(
    Table* table, const QByteArray& key, const char* title, TableWindow::Arrangement arrangement)
    : m_table(table)
    , m_key(key)
    , m_title(title)
    , m_arrangement(arrangement)
{ }

QString TableViewFactory::title() const
{
    return QCoreApplication::translate("WindowCatalogue", m_title);
}

IView* TableViewFactory::create(const QString&, QWidget* parent)
{
    return new TableWindow(m_table, m_arrangement, parent);
}
