// Drawing of the charting layer: the static chart picture, the drawing areas with
// their recorded operations, and the mark-up texts.

#include "chartimpl.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace zqchart;

namespace {

constexpr int kMajorTickLength = 4;
constexpr int kMinorTickLength = 2;
constexpr int kLabelGap = 2;

QColor lighter(int color)
{
    return toQColor(color).lighter(125);
}

QColor darker(int color)
{
    return toQColor(color).darker(150);
}

// Liang-Barsky: clips the segment to the rectangle; false when nothing is left.
bool clipSegment(QPointF& a, QPointF& b, QRectF const& r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF a0 = a;
    a = QPointF(a0.x() + t0 * dx, a0.y() + t0 * dy);
    b = QPointF(a0.x() + t1 * dx, a0.y() + t1 * dy);
    return true;
}

int parseColor(QString s)
{
    s = s.trimmed();
    bool ok = false;
    unsigned value = 0;
    if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = s.mid(2).toUInt(&ok, 16);
    else if (s.startsWith(QLatin1Char('#')))
        value = s.mid(1).toUInt(&ok, 16);
    else if (s.size() == 6 || s.size() == 8)
        value = s.toUInt(&ok, 16);   // RRGGBB or AARRGGBB
    if (!ok)
        value = s.toUInt(&ok, 10);   // a colour number written in decimal
    if (!ok)
        value = s.toUInt(&ok, 16);
    return ok ? static_cast<int>(value) : 0;
}

void drawLines(QPainter& p, ChartImpl const& d)
{
    const QRectF clip = layerClip(d);
    if (clip.isEmpty())
        return;
    p.save();
    p.setClipRect(clip);
    p.setRenderHint(QPainter::Antialiasing, true);
    QVector<QLineF> lines;
    QVector<QPointF> dots;
    for (auto const& layer : d.layers) {
        const int lineWidth = std::max(1, static_cast<LineLayer*>(layer.get())->lineWidth);
        for (auto const& ds : layer->dataSets) {
            if (!isVisible(ds->color) || isPatternColor(ds->color))
                continue;
            lineGeometry(d, *layer, *ds, clip, lines, dots);
            const QColor color = toQColor(ds->color);
            p.setPen(QPen(color, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLines(lines);
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            for (QPointF const& dot : dots)
                p.drawEllipse(dot, lineWidth, lineWidth);
            p.setBrush(Qt::NoBrush);
        }
    }
    p.restore();
}

void drawPlotArea(QPainter& p, ChartImpl const& d)
{
    const PlotArea& pa = d.plotArea;
    if (pa.width <= 0 || pa.height <= 0)
        return;
    if (isVisible(pa.bgColor))
        p.fillRect(pa.x, pa.y, pa.width, pa.height, toQColor(pa.bgColor));
    Scale const& ys = d.yAxis.scale;
    Scale const& xs = d.xAxis.scale;
    if (isVisible(pa.altBgColor)) {
        for (size_t k = 1; k < ys.major.size(); k += 2) {
            const int y0 = int(std::lround(d.yAxis.coor(ys.major[k])));
            const int y1 = int(std::lround(d.yAxis.coor(ys.major[k - 1])));
            p.fillRect(pa.x, std::min(y0, y1), pa.width, std::abs(y1 - y0), toQColor(pa.altBgColor));
        }
    }
    if (isVisible(pa.hGridColor)) {
        p.setPen(toQColor(pa.hGridColor));
        for (double t : ys.major) {
            const int y = int(std::lround(d.yAxis.coor(t)));
            p.drawLine(pa.x, y, pa.x + pa.width, y);
        }
    }
    if (isVisible(pa.vGridColor)) {
        p.setPen(toQColor(pa.vGridColor));
        for (double t : xs.major) {
            const int x = int(std::lround(d.xAxis.coor(t)));
            p.drawLine(x, pa.y, x, pa.y + pa.height);
        }
    }
    if (isVisible(pa.edgeColor)) {
        p.setPen(toQColor(pa.edgeColor));
        p.setBrush(Qt::NoBrush);
        p.drawRect(pa.x, pa.y, pa.width, pa.height);
    }
}

void drawAxes(QPainter& p, ChartImpl const& d)
{
    const PlotArea& pa = d.plotArea;
    const int bottom = pa.y + pa.height;
    const QFont font = d.labelFont();
    const QFontMetrics fm(font);
    p.setFont(font);

    // x axis along the bottom edge, labels centred under the ticks.
    Axis const& xa = d.xAxis;
    const QColor xColor = toQColor(xa.color);
    if (xa.width > 0)
        p.fillRect(pa.x - d.yAxis.width + 1, bottom, pa.width + d.yAxis.width, xa.width, xColor);
    if (xa.scale.hasScale) {
        const int tickTop = bottom + xa.width;
        for (double t : xa.scale.minor)
            p.fillRect(int(std::lround(xa.coor(t))), tickTop, 1, kMinorTickLength, xColor);
        p.setPen(xColor);
        for (size_t k = 0; k < xa.scale.major.size(); ++k) {
            const int x = int(std::lround(xa.coor(xa.scale.major[k])));
            p.fillRect(x, tickTop, 1, kMajorTickLength, xColor);
            if (k < xa.scale.labels.size()) {
                QString const& label = xa.scale.labels[k];
                p.drawText(x - fm.horizontalAdvance(label) / 2,
                           tickTop + kMajorTickLength + kLabelGap + fm.ascent(), label);
            }
        }
    }

    // y axis along the left edge, labels right-aligned beside the ticks.
    Axis const& ya = d.yAxis;
    const QColor yColor = toQColor(ya.color);
    if (ya.width > 0)
        p.fillRect(pa.x - ya.width + 1, pa.y, ya.width, pa.height + 1, yColor);
    if (ya.scale.hasScale) {
        const int tickRight = pa.x - ya.width + 1;
        p.setPen(yColor);
        for (size_t k = 0; k < ya.scale.major.size(); ++k) {
            const int y = int(std::lround(ya.coor(ya.scale.major[k])));
            p.fillRect(tickRight - kMajorTickLength, y, kMajorTickLength, 1, yColor);
            if (k < ya.scale.labels.size()) {
                QString const& label = ya.scale.labels[k];
                p.drawText(tickRight - kMajorTickLength - kLabelGap - fm.horizontalAdvance(label),
                           y + (fm.ascent() - fm.descent()) / 2, label);
            }
        }
    }
}

void drawFrame(QPainter& p, ChartImpl const& d)
{
    int inset = 0;
    if (isVisible(d.edgeColor)) {
        p.setPen(toQColor(d.edgeColor));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, d.width - 1, d.height - 1);
        inset = 1;
    }
    for (int i = 0; i < d.raisedEffect; ++i) {
        const int a = inset + i;
        const int r = d.width - 1 - a;
        const int b = d.height - 1 - a;
        if (r <= a || b <= a)
            break;
        p.setPen(lighter(d.bgColor));
        p.drawLine(a, a, r, a);
        p.drawLine(a, a, a, b);
        p.setPen(darker(d.bgColor));
        p.drawLine(a, b, r, b);
        p.drawLine(r, a, r, b);
    }
}

} // namespace

QRectF zqchart::layerClip(ChartImpl const& d)
{
    if (d.clipMargin < 0)
        return QRectF(0, 0, d.width, d.height);
    const PlotArea& pa = d.plotArea;
    const double m = d.clipMargin;
    return QRectF(pa.x - m, pa.y - m, pa.width + 2 * m + 1, pa.height + 2 * m + 1);
}

void zqchart::lineGeometry(ChartImpl const& d, Layer const& layer, DataSet const& ds, QRectF const& clip,
                           QVector<QLineF>& lines, QVector<QPointF>& dots)
{
    lines.clear();
    dots.clear();
    QPointF prev;
    int run = 0;
    const int n = int(ds.values.size());
    for (int i = 0; i <= n; ++i) {
        const double x = i < n ? layer.xAt(i) : NoValue;
        const double y = i < n ? ds.values[i] : NoValue;
        if (!isPlottable(x) || !isPlottable(y)) {
            // A gap: a sample standing alone still shows as a dot.
            if (run == 1 && clip.contains(prev))
                dots.push_back(prev);
            run = 0;
            continue;
        }
        const QPointF pt(d.xAxis.coor(x), ds.yAxis->coor(y));
        if (run > 0) {
            QPointF a = prev, b = pt;
            if (clipSegment(a, b, clip))
                lines.push_back(QLineF(a, b));
        }
        prev = pt;
        ++run;
    }
}

void ChartImpl::renderBase()
{
    layout();
    if (baseValid && baseVersion == baseArea.version)
        return;
    if (base.width() != width || base.height() != height)
        base = QImage(width, height, QImage::Format_RGB32);
    base.fill(isVisible(bgColor) ? toQColor(bgColor) : QColor(Qt::white));
    QPainter p(&base);
    drawFrame(p, *this);
    drawPlotArea(p, *this);
    drawLines(p, *this);
    drawAxes(p, *this);
    baseArea.replay(p);
    p.end();
    baseValid = true;
    baseVersion = baseArea.version;
}

QImage ChartImpl::picture()
{
    renderBase();
    if (!dynamicLayer || dynamicLayer->ops.empty())
        return base;
    QImage img = base.copy();
    QPainter p(&img);
    dynamicLayer->replay(p);
    return img;
}

namespace {

void putLE(char*& p, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *p++ = char((v >> (8 * i)) & 0xff);
}

// A 32-bit uncompressed BMP file of the picture: rows copied as they are, bottom row first.
void encodeBmp(QImage const& img, QByteArray& out)
{
    const int w = img.width(), h = img.height();
    const quint32 headerSize = 14 + 40;
    const quint32 rowBytes = quint32(w) * 4;
    out.resize(int(headerSize + rowBytes * quint32(h)));
    char* p = out.data();
    *p++ = 'B';
    *p++ = 'M';
    putLE(p, quint32(out.size()), 4);
    putLE(p, 0, 4);
    putLE(p, headerSize, 4);
    putLE(p, 40, 4);            // BITMAPINFOHEADER
    putLE(p, quint32(w), 4);
    putLE(p, quint32(h), 4);
    putLE(p, 1, 2);             // planes
    putLE(p, 32, 2);            // bits per pixel
    putLE(p, 0, 4);             // BI_RGB
    putLE(p, rowBytes * quint32(h), 4);
    putLE(p, 2835, 4);          // 72 dpi
    putLE(p, 2835, 4);
    putLE(p, 0, 4);
    putLE(p, 0, 4);
    for (int y = h - 1; y >= 0; --y, p += rowBytes)
        std::memcpy(p, img.constScanLine(y), rowBytes);
}

} // namespace

bool CBaseChart_makeChart2(BaseChart* c, int format, const char** data, int* len)
{
    ChartImpl* d = c->impl();
    d->image.clear();
    bool ok = false;
    if (format == BMP && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        // The rows of an RGB32 image are already BMP pixels (blue, green, red, unused).
        encodeBmp(d->picture().convertToFormat(QImage::Format_RGB32), d->image);
        ok = true;
    } else if (format == BMP || format == PNG) {
        QBuffer buffer(&d->image);
        buffer.open(QIODevice::WriteOnly);
        ok = d->picture().save(&buffer, format == BMP ? "BMP" : "PNG");
    }
    if (data)
        *data = d->image.constData();
    if (len)
        *len = d->image.size();
    return ok;
}

// ---- drawing areas -------------------------------------------------------------

void DrawArea::replay(QPainter& p) const
{
    for (Op const& op : ops) {
        switch (op.kind) {
        case Op::Line: {
            if (isPatternColor(op.color)) {
                const int index = static_cast<int>(static_cast<unsigned>(op.color) - 0x80000000u);
                if (index >= int(patterns.size()))
                    break;
                Pattern const& pat = patterns[index];
                const QColor color = toQColor(pat.color);
                const bool vertical = op.x1 == op.x2;
                const int from = vertical ? std::min(op.y1, op.y2) : std::min(op.x1, op.x2);
                const int to = vertical ? std::max(op.y1, op.y2) : std::max(op.x1, op.x2);
                int k = 0;
                for (int pos = from; pos <= to; ++k) {
                    const int length = pat.dashes[k % pat.dashes.size()];
                    if (k % 2 == 0) {
                        const int n = std::min(length, to - pos + 1);
                        if (vertical)
                            p.fillRect(op.x1, pos, 1, n, color);
                        else
                            p.fillRect(pos, op.y1, n, 1, color);
                    }
                    pos += length;
                }
            } else if (isVisible(op.color)) {
                p.setPen(toQColor(op.color));
                p.drawLine(op.x1, op.y1, op.x2, op.y2);
            }
            break;
        }
        case Op::Ellipse:
            p.save();
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(isVisible(op.color) ? QPen(toQColor(op.color)) : QPen(Qt::NoPen));
            p.setBrush(isVisible(op.fill) ? QBrush(toQColor(op.fill)) : QBrush(Qt::NoBrush));
            p.drawEllipse(QPointF(op.x1, op.y1), op.x2, op.y2);
            p.restore();
            break;
        case Op::Text:
            drawText(p, *op.text, op.x1, op.y1, op.color, op.alignment);
            break;
        }
    }
}

int CDrawArea_dashLineColor(DrawArea* d, int color, int pattern)
{
    QVector<int> dashes;
    for (int k = 0; k < 4; ++k) {
        const int length = (static_cast<unsigned>(pattern) >> (8 * k)) & 0xff;
        if (length == 0)
            break;
        dashes.push_back(length);
    }
    if (dashes.isEmpty() || d->patterns.size() > 0xffff)
        return color;
    if (dashes.size() % 2)
        dashes.push_back(dashes.back());
    d->patterns.push_back({color, dashes});
    return static_cast<int>(0x80000000u + unsigned(d->patterns.size() - 1));
}

void CDrawArea_vline(DrawArea* d, int y1, int y2, int x, int color)
{
    DrawArea::Op op;
    op.kind = DrawArea::Op::Line;
    op.x1 = op.x2 = x;
    op.y1 = y1;
    op.y2 = y2;
    op.color = color;
    d->add(std::move(op));
}

void CDrawArea_hline(DrawArea* d, int x1, int x2, int y, int color)
{
    DrawArea::Op op;
    op.kind = DrawArea::Op::Line;
    op.x1 = x1;
    op.x2 = x2;
    op.y1 = op.y2 = y;
    op.color = color;
    d->add(std::move(op));
}

void CDrawArea_circle(DrawArea* d, int cx, int cy, int rx, int ry, int edgeColor, int fillColor)
{
    DrawArea::Op op;
    op.kind = DrawArea::Op::Ellipse;
    op.x1 = cx;
    op.y1 = cy;
    op.x2 = rx;
    op.y2 = ry;
    op.color = edgeColor;
    op.fill = fillColor;
    d->add(std::move(op));
}

// ---- texts ---------------------------------------------------------------------

std::shared_ptr<TextLayout> zqchart::layoutText(QString const& markup, QFont const& font)
{
    struct Style
    {
        int color = 0;
        bool hasColor = false;
        int bgColor = Transparent;
    };
    auto t = std::make_shared<TextLayout>();
    t->font = font;
    std::vector<Style> stack;
    Style cur;
    auto addRun = [&](QString const& text) {
        if (text.isEmpty())
            return;
        TextRun run;
        run.text = text;
        run.color = cur.color;
        run.hasColor = cur.hasColor;
        run.bgColor = cur.bgColor;
        t->runs.push_back(run);
    };
    int i = 0;
    while (i < markup.size()) {
        const int open = markup.indexOf(QLatin1String("<*"), i);
        const int close = open < 0 ? -1 : markup.indexOf(QLatin1String("*>"), open + 2);
        if (open < 0 || close < 0) {
            addRun(markup.mid(i));
            break;
        }
        addRun(markup.mid(i, open - i));
        const QStringList parts = markup.mid(open + 2, close - open - 2).split(QLatin1Char(','));
        const QString name = parts.value(0).trimmed().toLower();
        if (name == QLatin1String("/font")) {
            cur = stack.empty() ? Style() : stack.back();
            if (!stack.empty())
                stack.pop_back();
        } else if (name.startsWith(QLatin1String("font"))) {
            stack.push_back(cur);
            for (int k = 1; k < parts.size(); ++k) {
                const QString key = parts[k].section(QLatin1Char('='), 0, 0).trimmed().toLower();
                const QString value = parts[k].section(QLatin1Char('='), 1);
                if (key == QLatin1String("color")) {
                    cur.color = parseColor(value);
                    cur.hasColor = true;
                } else if (key == QLatin1String("bgcolor")) {
                    cur.bgColor = parseColor(value);
                }
            }
        }
        i = close + 2;
    }

    const QFontMetrics fm(font);
    int x = 0;
    for (TextRun& run : t->runs) {
        run.x = x;
        run.width = fm.horizontalAdvance(run.text);
        x += run.width;
        if (!run.text.trimmed().isEmpty())
            t->blank = false;
    }
    t->width = x;
    t->height = fm.height();
    t->ascent = fm.ascent();
    return t;
}

void zqchart::drawText(QPainter& p, TextLayout const& t, int x, int y, int color, int alignment)
{
    if (t.blank)
        return;
    if (alignment < 1 || alignment > 9)
        alignment = TopLeft;
    const int column = (alignment - 1) % 3;   // 0 left, 1 centre, 2 right
    const int row = (alignment - 1) / 3;      // 0 bottom, 1 middle, 2 top
    const int left = column == 0 ? x : column == 1 ? x - t.width / 2 : x - t.width;
    const int top = row == 2 ? y : row == 1 ? y - t.height / 2 : y - t.height;
    for (TextRun const& run : t.runs) {
        if (isVisible(run.bgColor))
            p.fillRect(left + run.x, top, run.width, t.height, toQColor(run.bgColor));
    }
    p.setFont(t.font);
    for (TextRun const& run : t.runs) {
        const int c = run.hasColor ? run.color : color;
        if (!isVisible(c))
            continue;
        p.setPen(toQColor(c));
        p.drawText(left + run.x, top + t.ascent, run.text);
    }
}

TTFText* CDrawArea_text3(DrawArea* d, const char* text, const char* font, double fontSize)
{
    auto* t = new TTFText;
    t->area = d;
    t->layout = layoutText(QString::fromUtf8(text ? text : ""),
                           chartFont(QString::fromUtf8(font ? font : ""), fontSize));
    return t;
}

int CTTFText_getWidth(TTFText* t)
{
    return t->layout->width;
}

int CTTFText_getHeight(TTFText* t)
{
    return t->layout->height;
}

void CTTFText_draw(TTFText* t, int x, int y, int color, int alignment)
{
    DrawArea::Op op;
    op.kind = DrawArea::Op::Text;
    op.x1 = x;
    op.y1 = y;
    op.color = color;
    op.alignment = alignment;
    op.text = t->layout;
    t->area->add(std::move(op));
}

void CTTFText_destroy(TTFText* t)
{
    delete t;
}
