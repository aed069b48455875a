#include "qprogressindicator.h"

#include <QPainter>
#include <QTimerEvent>

QProgressIndicator::QProgressIndicator(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

QProgressIndicator::Geometry QProgressIndicator::geometryFor(int widgetWidth, int widgetHeight)
{
    Geometry g;
    g.width = qMin(widgetWidth, widgetHeight);
    g.outerRadius = int((g.width - 1) * 0.5);
    g.innerRadius = int((g.width - 1) * 0.5 * 0.38);
    g.capsuleHeight = g.outerRadius - g.innerRadius;
    g.capsuleWidth = int(g.capsuleHeight * (g.width > 32 ? 0.23 : 0.35));
    g.capsuleRadius = g.capsuleWidth / 2;
    return g;
}

bool QProgressIndicator::isAnimated() const
{
    return m_timerId != -1;
}

bool QProgressIndicator::isDisplayedWhenStopped() const
{
    return m_displayedWhenStopped;
}

QSize QProgressIndicator::sizeHint() const
{
    return QSize(20, 20);
}

int QProgressIndicator::heightForWidth(int w) const
{
    return w;
}

void QProgressIndicator::startAnimation()
{
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay, Qt::CoarseTimer);
}

void QProgressIndicator::stopAnimation()
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
}

void QProgressIndicator::setAnimationDelay(int delay)
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_delay = delay;
    if (m_timerId != -1)
        m_timerId = startTimer(m_delay, Qt::CoarseTimer);
}

void QProgressIndicator::setDisplayedWhenStopped(bool state)
{
    m_displayedWhenStopped = state;
    update();
}

void QProgressIndicator::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void QProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timerId)
        return;
    m_angle = (m_angle + 30) % 360;
    update();
}

void QProgressIndicator::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    if (!m_displayedWhenStopped && !isAnimated())
        return;

    const Geometry g = geometryFor(width(), height());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        QColor color = m_color;
        color.setAlphaF(1.0f - (i / 12.0f));
        p.setBrush(color);
        p.save();
        p.translate(rect().center());
        p.rotate(m_angle - i * 30.0f);
        // The capsule reaches from the outer radius in towards the inner one.
        p.drawRoundedRect(int(-g.capsuleWidth * 0.5), -g.outerRadius, g.capsuleWidth, g.capsuleHeight,
                          g.capsuleRadius, g.capsuleRadius);
        p.restore();
    }
}
