#pragma once

#include <QCoreApplication>

class QSpinBox;
class QVariant;
class QWidget;

// The delay editor both alert pages share: seconds from 1 to 999,999,999, 10 until a stored value says otherwise.
class AlertDelayBox
{
    Q_DECLARE_TR_FUNCTIONS(AlertDelayBox)
public:
    static QSpinBox* create(const QVariant& stored, QWidget* parent);
    static QString label();
};
