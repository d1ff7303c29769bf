#pragma once

#include "core/host/bv_host_export.h"

#include <QComboBox>

// The combo box of the terminal's forms. The mouse wheel changes it only while it has focus, so scrolling a
// form never changes a value under the pointer by accident; the current item is found by its data.
class BV_HOST_EXPORT ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    // False, leaving the current item, when no item holds the data.
    bool setCurrentData(const QVariant& data, int role = Qt::UserRole);

protected:
    void wheelEvent(QWheelEvent* event) override;
};
