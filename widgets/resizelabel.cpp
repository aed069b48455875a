#include "resizelabel.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

ResizeLabel::ResizeLabel(QWidget* parent)
    : QLabel(parent)
{
}

void ResizeLabel::resizeEvent(QResizeEvent* event)
{
    Q_UNUSED(event)
    resizeFont();
}

void ResizeLabel::resizeFont()
{
    const QString label = text();
    if (label.isEmpty())
        return;

    QFont font = this->font();
    const QSize textSize = QFontMetrics(font).size(0, label);
    // A text that measures nothing (a font too small to draw) gives no ratio.
    if (textSize.width() <= 0 || textSize.height() <= 0)
        return;
    const float fw = float(width() - 10) / float(textSize.width());
    const float fh = float(height() - 8) / float(textSize.height());
    const float factor = std::min(std::fabs(fw), std::fabs(fh));

    // A label exactly as wide or as high as its margins gives a zero factor, and a
    // font given in pixels has no point size: keep the font then.
    const double pointSize = font.pointSizeF() * double(factor);
    if (!std::isfinite(pointSize) || pointSize <= 0.0)
        return;
    font.setPointSizeF(pointSize);
    setFont(font);
}
