#pragma once

#include "filters/widgets/filterwidget.h"

#include <QSet>

class QStandardItemModel;
class SelectorWidget;

// A filter editor that is a check list of values (text shown, value kept), with "check all" and "uncheck all".
// Nothing checked is refused: it would show no row.
class BASIC_VIEWS_EXPORT CheckListFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit CheckListFilterWidget(QWidget* parent = nullptr);

    SelectorWidget* selector() const { return m_selector; }
    QStandardItemModel* model() const { return m_model; }

    // One row per (text, value); a value in `unchecked` starts unchecked.
    void setItems(const QList<QPair<QString, QString>>& items, const QSet<QString>& unchecked);
    QString valueAt(int row) const;
    bool isChecked(int row) const;
    QStringList checkedValues() const;
    int checkedCount() const;
    bool isAllChecked() const;
    QString refusal() const override;

private:
    SelectorWidget* m_selector;
    QStandardItemModel* m_model;
};

// The editor of an enumeration filter: a check list of its keys, a checked key is shown.
class BASIC_VIEWS_EXPORT EnumFilterWidget : public CheckListFilterWidget
{
    Q_OBJECT
public:
    using CheckListFilterWidget::CheckListFilterWidget;
};

// The editor of the market filter: a check list of the markets by name; a checked market is shown.
class BASIC_VIEWS_EXPORT StockFilterWidget : public EnumFilterWidget
{
    Q_OBJECT
public:
    using EnumFilterWidget::EnumFilterWidget;
};
