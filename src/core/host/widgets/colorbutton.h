#pragma once

#include "core/host/bv_host_export.h"

#include <QToolButton>

// A button showing a colour; a click lets the user pick another one.
class BV_HOST_EXPORT ColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    // Emits colorChanged() when the colour differs.
    void setColor(const QColor& color);

Q_SIGNALS:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pickColor();

    QColor m_color;
};
