#pragma once

#include "filters/widgets/filterwidget.h"

#include <QDate>

class QCheckBox;
class QDateEdit;
class QRadioButton;
class DateFilterWidgetPrivate;

// The editor of the date filter: all dates, today, yesterday and today, or bounds ("С" and "по", each behind its
// check box, enabled only under "Задать границы").
class BASIC_VIEWS_EXPORT DateFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DateFilterWidget)
public:
    explicit DateFilterWidget(QWidget* parent = nullptr);

    // The filter's mode numbers: 0 all, 1 today, 2 yesterday and today, 3 from, 4 between, 5 until.
    int mode() const;
    void setMode(int mode);
    QDate dateFrom() const;
    QDate dateTo() const;
    void setDates(const QDate& from, const QDate& to);

    QRadioButton* choice(int index) const;
    QCheckBox* fromBox() const;
    QCheckBox* toBox() const;
    QDateEdit* fromEdit() const;
    QDateEdit* toEdit() const;

    // Bounds need at least one date, and "С" not after "по".
    QString refusal() const override;

private:
    void updateEnabled();
};
