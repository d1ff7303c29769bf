#pragma once

#include "filters/widgets/filterwidget.h"

#include <QDate>

class QCheckBox;
class QDateEdit;
class QRadioButton;

// The editor of the date filter: all dates, today, yesterday and today, or bounds ("С" and "по", each behind its
// check box, enabled only under "Задать границы").
class BASIC_VIEWS_EXPORT DateFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit DateFilterWidget(QWidget* parent = nullptr);

    // The filter's mode numbers: 0 all, 1 today, 2 yesterday and today, 3 from, 4 between, 5 until.
    int mode() const;
    void setMode(int mode);
    QDate dateFrom() const;
    QDate dateTo() const;
    void setDates(const QDate& from, const QDate& to);

    QRadioButton* choice(int index) const { return m_choices.at(index); }
    QCheckBox* fromBox() const { return m_fromBox; }
    QCheckBox* toBox() const { return m_toBox; }
    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }

    // Bounds need at least one date, and "С" not after "по".
    QString refusal() const override;

private:
    void updateEnabled();

    QList<QRadioButton*> m_choices;
    QCheckBox* m_fromBox;
    QDateEdit* m_from;
    QCheckBox* m_toBox;
    QDateEdit* m_to;
};
