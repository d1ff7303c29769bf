#pragma once

#include "filters/widgets/filterwidget.h"

#include <QSet>

class CheckListFilterWidgetPrivate;
class QStandardItemModel;
class SelectorWidget;

// A filter editor that is a check list of values (text shown, value kept), with "check all" and "uncheck all".
// Nothing checked is refused: it would show no row.
class BASIC_VIEWS_EXPORT CheckListFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, CheckListFilterWidget)
public:
    explicit CheckListFilterWidget(QWidget* parent = nullptr);

    SelectorWidget* selector() const;
    QStandardItemModel* model() const;

    // One row per (text, value); a value in `unchecked` starts unchecked.
    void setItems(const QList<QPair<QString, QString>>& items, const QSet<QString>& unchecked);
    QString valueAt(int row) const;
    bool isChecked(int row) const;
    QStringList checkedValues() const;
    int checkedCount() const;
    bool isAllChecked() const;
    QString refusal() const override;

protected:
    CheckListFilterWidget(CheckListFilterWidgetPrivate& dd, QWidget* parent);
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
