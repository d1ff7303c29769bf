#pragma once

#include "core/host/bv_host_export.h"

#include <QColor>
#include <QWidget>

// A spinning busy indicator for work of unknown length (a search in progress). Hidden-looking while stopped
// unless told otherwise, so it takes its place in a tool bar without making the bar jump.
class BV_HOST_EXPORT QProgressIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit QProgressIndicator(QWidget* parent = nullptr);

    bool isAnimated() const { return m_timer != 0; }
    void setDisplayedWhenStopped(bool displayed);
    void setColor(const QColor& color);
    // Milliseconds between frames.
    void setAnimationDelay(int ms);
    QSize sizeHint() const override;

public Q_SLOTS:
    void startAnimation();
    void stopAnimation();

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    int m_timer = 0;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color = Qt::black;
};
