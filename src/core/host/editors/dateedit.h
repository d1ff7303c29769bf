#pragma once

#include "core/host/bv_host_export.h"

#include <QDateEdit>

// A date editor with a calendar pop-up, shown as "dd.MM.yyyy", read and written as ISO text ("yyyy-MM-dd").
// It may hold no date: then it shows nothing and its value is empty.
class BV_HOST_EXPORT DateEdit : public QDateEdit
{
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

    // Empty when no date is set.
    QString getValue() const;
    // Takes ISO or "dd.MM.yyyy" text; empty text clears. False, keeping the previous date and saying why,
    // for anything else.
    bool setValue(const QString& value);
    void clearValue();
    bool hasValue() const;

Q_SIGNALS:
    void refused(const QString& reason);
};
