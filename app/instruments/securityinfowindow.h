#pragma once

#include "core/host/securitykey.h"

#include <QWidget>

class QAbstractItemModel;
class QTableView;
class Table;
class TableIndexModel;

// The card of one or several instruments: every field of their rows in the instruments table, as the instruments
// window shows them (market and board by name, prices to the instrument's decimals, types and states by name,
// the step, the limits, the expiry), a field a line and an instrument a column, live.
class SecurityInfoWindow : public QWidget
{
    Q_OBJECT
public:
    SecurityInfoWindow(Table* securities, const QList<SecurityKey>& keys, QWidget* parent = nullptr);

    // The card as shown: fields down, instruments across.
    QAbstractItemModel* card() const;
    QTableView* view() const { return m_view; }

protected:
    // A language change names the window and the fields again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    TableIndexModel* m_instruments; // child
    QTableView* m_view;
    QStringList m_names; // the instruments
};
