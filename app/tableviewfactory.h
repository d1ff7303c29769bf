#pragma once

#include "tablewindow.h"
#include "views/iviewfactory.h"

// Makes the table views of one table in one arrangement.
class TableViewFactory : public IViewFactory
{
public:
    TableViewFactory(Table* table, const QByteArray& key, const char* title, TableWindow::Arrangement arrangement);

    QByteArray key() const override { return m_key; }
    QString title() const override;
    IView* create(const QString& extraKey, QWidget* parent) override;

private:
    Table* m_table; // not owned
    QByteArray m_key;
    const char* m_title; // translated when asked
    TableWindow::Arrangement m_arrangement;
};
