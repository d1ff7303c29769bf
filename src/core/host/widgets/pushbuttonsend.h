#pragma once

#include "core/host/bv_host_export.h"

#include <QPushButton>

class QTimer;

// The button that sends an order. For a short guard time after a click it ignores the mouse and the keyboard,
// so a double click or a held Enter sends one order, not two; whether the form enables it stays the form's
// business. A side colours it (buy green, sell red) so the side is seen at a glance.
class BV_HOST_EXPORT PushButtonSend : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButtonSend(QWidget* parent = nullptr);
    explicit PushButtonSend(const QString& text, QWidget* parent = nullptr);

    // 'B' buy, 'S' sell, anything else the plain look.
    void setSide(QChar side);
    QChar side() const { return m_side; }
    // 0 turns the guard off.
    void setGuardTime(int ms);
    int guardTime() const;
    bool isGuarded() const;

protected:
    bool event(QEvent* event) override;

private:
    void onClicked();

    QTimer* m_guard = nullptr;
    QChar m_side;
};
