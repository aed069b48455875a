#ifndef CHARTIMPL_H
#define CHARTIMPL_H

// Inner workings of the charting layer (zqchart.h); not for use outside chart/.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <memory>
#include <string>
#include <vector>

#include "zqchart.h"

class QPainter;

namespace zqchart {

struct ChartImpl;

// 0xAARRGGBB with AA the transparency.
QColor toQColor(int color);
inline bool isVisible(int color)
{
    return (static_cast<unsigned>(color) >> 24) != 0xffu;
}
inline bool isPatternColor(int color)
{
    const unsigned c = static_cast<unsigned>(color);
    return c >= 0x80000000u && c <= 0x8000ffffu;
}
// A sample value that can be plotted: not NoValue, not infinite or NaN.
inline bool isPlottable(double v)
{
    return v < 1e300 && v > -1e300;
}

// The font for a font file name of the chart ("Arial Unicode.ttf"); names the system
// does not have map to the application's default family. Size in points at 96 dpi.
QFont chartFont(QString const& fileName, double size);

// One axis scale: value range and tick positions.
struct Scale
{
    double lower = 0;
    double upper = 1;
    std::vector<double> major;
    std::vector<double> minor;
    std::vector<QString> labels;   // one per major tick; empty when the axis has no labels
    bool hasScale = false;         // false: no data and no explicit scale (no labels)
};

// Chooses the ticks of a date scale [lower, upper] for an axis of `pixels` length.
void dateTicks(Scale& s, double pixels, int majorDensity, int minorDensity,
               double majorStep, double minorStep, int minLabelSpacing);
// A number scale that holds [lo, hi] with nice steps about `majorDensity` pixels apart.
void numberScale(Scale& s, double lo, double hi, double pixels, int majorDensity);
// Default label texts: time of day for date scales, decimals from the tick step for numbers.
QString defaultNumberLabel(double v, double step);

// Formats one value: a date format ("hh:nn:ss", "yyyy-mm-dd") when the format has
// date letters, else a number format: decimals, optionally followed by the decimal
// point character, or by a thousands separator and the decimal point ("2", "2.", "2,.").
// An empty format gives the shortest plain number. NoValue and non-finite values give "".
QString formatOne(double value, QString const& format);
// Replaces every "{value}" / "{value|format}" field of a template with the value.
QString formatTemplate(QString const& tmpl, double value);

// A laid-out mark-up text.
struct TextRun
{
    QString text;
    int color = 0;
    bool hasColor = false;
    int bgColor = Transparent;
    int x = 0;
    int width = 0;
};
struct TextLayout
{
    QFont font;
    std::vector<TextRun> runs;
    int width = 0;
    int height = 0;
    int ascent = 0;
    bool blank = true;   // nothing but blanks: draws nothing
};
std::shared_ptr<TextLayout> layoutText(QString const& markup, QFont const& font);
// Draws a laid-out text with its anchor at (x, y).
void drawText(QPainter& p, TextLayout const& t, int x, int y, int color, int alignment);

} // namespace zqchart

class PlotArea
{
public:
    zqchart::ChartImpl* chart = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    int bgColor = 0xffffff;
    int altBgColor = -1;
    int edgeColor = -1;
    int hGridColor = 0xcccccc;
    int vGridColor = 0xcccccc;
};

class Axis
{
public:
    zqchart::ChartImpl* chart = nullptr;
    bool vertical = false;
    int majorDensity = 0;
    int minorDensity = 0;
    int width = 1;
    int color = 0x000000;
    bool dateScale = false;
    bool fixedScale = false;
    double lower = 0, upper = 0, majorStep = 0, minorStep = 0;
    QString labelFormat;
    std::string textBuffer;
    zqchart::Scale scale;   // valid after layout

    // Pixel coordinate of a value (along the axis), as a double.
    double coor(double value) const;
    // Value at a pixel coordinate.
    double valueAt(double pixel) const;
};

class DataSet
{
public:
    Layer* layer = nullptr;
    std::vector<double> values;
    int color = 0;
    std::string name;
    bool hasName = false;
    Axis* yAxis = nullptr;
};

class Layer
{
public:
    virtual ~Layer() = default;
    zqchart::ChartImpl* chart = nullptr;
    std::vector<double> xData;
    std::vector<std::unique_ptr<DataSet>> dataSets;

    int pointCount() const;
    double xAt(int i) const { return xData.empty() ? i : (i < int(xData.size()) ? xData[i] : NoValue); }
};

class LineLayer : public Layer
{
public:
    int lineWidth = 1;
};

// A list of drawing operations, replayed over the chart picture when it is rendered.
class DrawArea
{
public:
    struct Op
    {
        enum Kind { Line, Ellipse, Text };
        Kind kind = Line;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int color = 0, fill = 0, alignment = 0;
        std::shared_ptr<zqchart::TextLayout> text;
    };
    struct Pattern
    {
        int color;
        QVector<int> dashes;   // on, off, on, off ... pixels
    };
    std::vector<Op> ops;
    std::vector<Pattern> patterns;        // the pattern colours handed out, by index
    unsigned version = 0;                 // changes with every drawing operation

    void clear() { ops.clear(); patterns.clear(); ++version; }
    void add(Op op) { ops.push_back(std::move(op)); ++version; }
    void replay(QPainter& p) const;
};

// A laid-out text; drawing it adds it to the drawing area that made it.
class TTFText
{
public:
    DrawArea* area = nullptr;
    std::shared_ptr<zqchart::TextLayout> layout;
};

namespace zqchart {

// Where the layers of a chart may draw: the plot area grown by the clipping margin, or
// the whole chart when clipping is off.
QRectF layerClip(ChartImpl const& d);
// The line of one data set inside the clip rectangle: segments between neighbouring
// samples (a missing sample breaks the line) and dots for samples standing alone.
void lineGeometry(ChartImpl const& d, Layer const& layer, DataSet const& ds, QRectF const& clip,
                  QVector<QLineF>& lines, QVector<QPointF>& dots);

struct ChartImpl
{
    std::vector<BaseChart*> objects;   // the undeleted chart objects of this content
    int width = 1, height = 1;
    int bgColor = 0xffffff, edgeColor = -1, raisedEffect = 0;
    QString fonts[8];
    PlotArea plotArea;
    int clipMargin = -1;          // < 0: layers are not clipped
    Axis xAxis, yAxis;
    std::vector<std::unique_ptr<Layer>> layers;
    DrawArea baseArea;
    std::unique_ptr<DrawArea> dynamicLayer;

    bool laidOut = false;
    QImage base;                  // static picture: chart and base area
    unsigned baseVersion = 0;
    bool baseValid = false;
    QByteArray image;             // last makeChart2 output
    std::string metrics;
    std::string textBuffer;

    void invalidate() { laidOut = false; baseValid = false; }
    void layout();
    void renderBase();
    QImage picture();             // base with the dynamic layer over it
    QFont labelFont() const;
};

inline void invalidate(ChartImpl* c)
{
    if (c)
        c->invalidate();
}

} // namespace zqchart

#endif
