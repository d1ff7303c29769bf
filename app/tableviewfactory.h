#pragma once

#include "views/iviewfactory.h"

#include <functional>

// Makes the views of one kind of a window (its table, quotes, reference or tree) with the function given.
class TableViewFactory : public IViewFactory
{
public:
    using Make = std::function<IView*(QWidget* parent)>;

    TableViewFactory(const QByteArray& key, const char* title, const Make& make);

    QByteArray key() const override { return m_key; }
    QString title() const override;
    IView* create(const QString& extraKey, QWidget* parent) override;

private:
    QByteArray m_key;
    const char* m_title; // translated when asked
    Make m_make;
};
