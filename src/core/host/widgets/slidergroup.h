#pragma once

#include "core/host/bv_host_export.h"

#include <QWidget>

class QCheckBox;
class QIntValidator;
class QLineEdit;
class QSlider;

// An optional whole-number value (a visible part of an iceberg order, a number of lots to show): a check box
// switches it on, then a slider and an edit set it together. While unchecked the value is -1 and the edit
// shows its placeholder.
class BV_HOST_EXPORT SliderGroup : public QWidget
{
    Q_OBJECT
public:
    explicit SliderGroup(QWidget* parent = nullptr);

    void setMinimum(int minimum);
    void setMaximum(int maximum);
    int minimum() const;
    int maximum() const;
    // Clamped to the range; checks the group.
    void setValue(int value);
    // -1 while unchecked.
    int value() const;
    void setPlaceholderText(const QString& text);
    // The check box's text.
    void setCheckedText(const QString& text);
    void setChecked(bool checked);
    bool isChecked() const;

Q_SIGNALS:
    void valueChanged(int value);

private:
    void onSliderMoved(int value);
    void onEdited(const QString& text);
    void onToggled(bool checked);

    QCheckBox* m_check;
    QSlider* m_slider;
    QLineEdit* m_edit;
    QIntValidator* m_validator;
};
