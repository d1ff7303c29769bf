#pragma once

#include "core/host/bv_host_export.h"

#include <QWidget>

class QListView;
class QStandardItemModel;

// A check list over a model of checkable items, with "check all" and "uncheck all".
class BV_HOST_EXPORT SelectorWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SelectorWidget(QWidget* parent = nullptr);

    void setModel(QStandardItemModel* model);
    QStandardItemModel* model() const { return m_model; }
    QListView* view() const { return m_view; }
    void setAllChecked(bool checked);
    int checkedCount() const;

private:
    QListView* m_view;
    QStandardItemModel* m_model = nullptr; // not owned
};
