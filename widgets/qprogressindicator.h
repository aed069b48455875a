#ifndef QPROGRESSINDICATOR_H
#define QPROGRESSINDICATOR_H

#include <QColor>
#include <QWidget>

// Busy spinner: twelve capsules around the centre, the leading one opaque and the
// tail fading, turning clockwise by 30 degrees every delay() ms while animated.
class QProgressIndicator : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int delay READ animationDelay WRITE setAnimationDelay)
    Q_PROPERTY(bool displayedWhenStopped READ isDisplayedWhenStopped WRITE setDisplayedWhenStopped)
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    // Sizes of the drawing for a widget of the given size, in pixels.
    struct Geometry
    {
        int width;
        int outerRadius;
        int innerRadius;
        int capsuleWidth;
        int capsuleHeight;
        int capsuleRadius;
    };
    static Geometry geometryFor(int widgetWidth, int widgetHeight);

    explicit QProgressIndicator(QWidget* parent = nullptr);

    int animationDelay() const { return m_delay; }
    bool isAnimated() const;
    bool isDisplayedWhenStopped() const;
    const QColor& color() const { return m_color; }
    // Rotation of the leading capsule in degrees, a multiple of 30 in [0, 360).
    int angle() const { return m_angle; }

    QSize sizeHint() const override;
    int heightForWidth(int w) const override;

public slots:
    void startAnimation();
    void stopAnimation();
    void setAnimationDelay(int delay);
    void setDisplayedWhenStopped(bool state);
    void setColor(const QColor& color);

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
    int m_timerId = -1;
    int m_delay = 40;
    bool m_displayedWhenStopped = false;
    QColor m_color = Qt::black;
};

#endif
