#include "qledindicator.h"

#include <QPainter>
#include <QRadialGradient>

QLedIndicator::QLedIndicator(QWidget* parent)
    : QAbstractButton(parent)
    , m_state(StateOff)
    , onColor1(0, 255, 0)
    , onColor2(0, 192, 0)
    , offColor1(0, 28, 0)
    , offColor2(142, 142, 142)
    , onColor3(255, 0, 0)
    , onColor4(192, 0, 0)
    , offColor3(28, 28, 28)
    , offColor4(128, 128, 128)
{
    setMinimumSize(14, 14);
    setCheckable(true);
}

void QLedIndicator::resizeEvent(QResizeEvent* event)
{
    Q_UNUSED(event)
    update();
}

void QLedIndicator::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    const double realSize = qMin(width(), height());

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    // Logical lamp of diameter scaledSize centred in the widget, filling the smaller side.
    painter.translate(width() / 2, height() / 2);
    painter.scale(realSize / scaledSize, realSize / scaledSize);

    auto gradientAt = [](double x, double y, const QColor& from, const QColor& to) {
        QRadialGradient gradient(QPointF(x, y), 1500, QPointF(x, y));
        gradient.setColorAt(0, from);
        gradient.setColorAt(1, to);
        return gradient;
    };
    const QColor light(224, 224, 224);
    const QColor dark(28, 28, 28);

    // Two rings lit from opposite corners make the bevel.
    painter.setBrush(gradientAt(-500, -500, light, dark));
    painter.drawEllipse(QRectF(-500, -500, 1000, 1000));
    painter.setBrush(gradientAt(500, 500, light, dark));
    painter.drawEllipse(QRectF(-450, -450, 900, 900));

    QRadialGradient lamp;
    switch (m_state) {
    case StateIdle:
        lamp = gradientAt(500, 500, offColor3, offColor4);
        break;
    case StateGreen:
        lamp = gradientAt(-500, -500, onColor1, onColor2);
        break;
    case StateRed:
        lamp = gradientAt(500, 500, onColor3, onColor4);
        break;
    case StateOff:
    default:
        lamp = gradientAt(500, 500, offColor1, offColor2);
        break;
    }
    painter.setBrush(lamp);
    painter.drawEllipse(QRectF(-400, -400, 800, 800));
}
