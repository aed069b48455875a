// Chart objects, layout and coordinates of the charting layer.

#include "chartimpl.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

using namespace zqchart;

namespace {

// Pixel coordinates handed out as ints stay within this range.
constexpr double kCoorLimit = 1e6;

// Default spacing of the major ticks, pixels.
constexpr int kDefaultXDensity = 50;
constexpr int kDefaultYDensity = 30;

// Date labels need at least this much room besides their text width.
constexpr int kLabelGap = 8;

int toPixel(double v)
{
    return int(std::lround(std::clamp(v, -kCoorLimit, kCoorLimit)));
}

const char* keep(std::string& buffer, QString const& text)
{
    buffer = text.toStdString();
    return buffer.c_str();
}

// Even ticks without labels for an axis that has neither data nor a scale.
void emptyScale(Scale& s, double pixels, int density)
{
    s = Scale();
    const int n = std::max(1, int(std::lround(pixels / (density > 0 ? density : kDefaultYDensity))));
    for (int k = 0; k <= n; ++k)
        s.major.push_back(double(k) / n);
}

} // namespace

// ---- chart objects ----------------------------------------------------------

BaseChart::BaseChart(std::shared_ptr<ChartImpl> impl)
    : m_impl(std::move(impl))
{
    m_impl->objects.push_back(this);
}

BaseChart::~BaseChart()
{
    auto& objects = m_impl->objects;
    objects.erase(std::remove(objects.begin(), objects.end(), this), objects.end());
}

bool BaseChart::sharesContentWith(BaseChart const* object) const
{
    auto const& objects = m_impl->objects;
    return object && std::find(objects.begin(), objects.end(), object) != objects.end();
}

double Axis::coor(double value) const
{
    const PlotArea& pa = chart->plotArea;
    const double range = scale.upper - scale.lower;
    double f = 0;
    if (isPlottable(value) && range > 0)
        f = (value - scale.lower) / range;
    return vertical ? pa.y + pa.height - f * pa.height : pa.x + f * pa.width;
}

double Axis::valueAt(double pixel) const
{
    const PlotArea& pa = chart->plotArea;
    const int length = vertical ? pa.height : pa.width;
    if (length <= 0)
        return scale.lower;
    const double f = vertical ? (pa.y + pa.height - pixel) / length : (pixel - pa.x) / length;
    return scale.lower + f * (scale.upper - scale.lower);
}

int Layer::pointCount() const
{
    int n = int(xData.size());
    for (auto const& ds : dataSets)
        n = std::max(n, int(ds->values.size()));
    return n;
}

QFont ChartImpl::labelFont() const
{
    return chartFont(fonts[0], 8);
}

void ChartImpl::layout()
{
    if (laidOut)
        return;
    laidOut = true;

    // x axis: the explicit date scale, else the range of the x data.
    Scale& xs = xAxis.scale;
    if (xAxis.fixedScale) {
        xs = Scale();
        xs.hasScale = true;
        xs.lower = xAxis.lower;
        xs.upper = xAxis.upper > xAxis.lower ? xAxis.upper : xAxis.lower + 1;
        const QFontMetrics fm(labelFont());
        const int labelWidth = fm.horizontalAdvance(QStringLiteral("00:00:00")) + kLabelGap;
        dateTicks(xs, plotArea.width, xAxis.majorDensity, xAxis.minorDensity,
                  xAxis.majorStep, xAxis.minorStep, labelWidth);
        const double step = xs.major.size() > 1 ? xs.major[1] - xs.major[0] : 1;
        const QString fallback = step >= 86400 ? QStringLiteral("{value|yyyy-mm-dd}")
                                 : step >= 1   ? QStringLiteral("{value|hh:nn:ss}")
                                               : QStringLiteral("{value|hh:nn:ss.fff}");
        const QString& format = xAxis.labelFormat.isEmpty() ? fallback : xAxis.labelFormat;
        for (double t : xs.major)
            xs.labels.push_back(formatTemplate(format, t));
    } else {
        double lo = 0, hi = 0;
        bool any = false;
        for (auto const& layer : layers) {
            const int n = layer->pointCount();
            for (int i = 0; i < n; ++i) {
                const double x = layer->xAt(i);
                if (!isPlottable(x))
                    continue;
                lo = any ? std::min(lo, x) : x;
                hi = any ? std::max(hi, x) : x;
                any = true;
            }
        }
        if (!any) {
            emptyScale(xs, plotArea.width, xAxis.majorDensity > 0 ? xAxis.majorDensity : kDefaultXDensity);
        } else {
            if (hi - lo <= std::max(std::fabs(lo), std::fabs(hi)) * 1e-12) {
                lo -= 0.5;
                hi += 0.5;
            }
            xs = Scale();
            xs.hasScale = true;
            numberScale(xs, lo, hi, plotArea.width, xAxis.majorDensity > 0 ? xAxis.majorDensity : kDefaultXDensity);
            if (!xAxis.labelFormat.isEmpty()) {
                for (size_t k = 0; k < xs.major.size(); ++k)
                    xs.labels[k] = formatTemplate(xAxis.labelFormat, xs.major[k]);
            }
        }
    }

    // y axis: the values of the points inside the x range, missing samples left out.
    double lo = 0, hi = 0;
    bool any = false;
    const double xMargin = (xs.upper - xs.lower) * 1e-9;
    for (auto const& layer : layers) {
        for (auto const& ds : layer->dataSets) {
            if (ds->yAxis != &yAxis)
                continue;
            for (int i = 0; i < int(ds->values.size()); ++i) {
                const double x = layer->xAt(i);
                const double y = ds->values[i];
                if (!isPlottable(x) || !isPlottable(y))
                    continue;
                if (xs.hasScale && (x < xs.lower - xMargin || x > xs.upper + xMargin))
                    continue;
                lo = any ? std::min(lo, y) : y;
                hi = any ? std::max(hi, y) : y;
                any = true;
            }
        }
    }
    Scale& ys = yAxis.scale;
    const int yDensity = yAxis.majorDensity > 0 ? yAxis.majorDensity : kDefaultYDensity;
    if (!any) {
        emptyScale(ys, plotArea.height, yDensity);
        return;
    }
    if (hi - lo <= std::max(std::fabs(lo), std::fabs(hi)) * 1e-9) {
        // A constant series: a band around the value.
        const double pad = lo != 0 ? std::fabs(lo) * 0.1 : 1;
        lo -= pad;
        hi += pad;
    } else {
        const double pad = (hi - lo) * 0.05;
        const double lo2 = lo - pad;
        const double hi2 = hi + pad;
        lo = (lo >= 0 && lo2 < 0) ? 0 : lo2;
        hi = (hi <= 0 && hi2 > 0) ? 0 : hi2;
    }
    ys = Scale();
    ys.hasScale = true;
    numberScale(ys, lo, hi, plotArea.height, yDensity);
    if (!yAxis.labelFormat.isEmpty()) {
        for (size_t k = 0; k < ys.major.size(); ++k)
            ys.labels[k] = formatTemplate(yAxis.labelFormat, ys.major[k]);
    }
}

// ---- charts ------------------------------------------------------------------

XYChart* CXYChart_create(int width, int height, int bgColor, int edgeColor, int raisedEffect)
{
    auto impl = std::make_shared<ChartImpl>();
    impl->width = std::max(1, width);
    impl->height = std::max(1, height);
    impl->bgColor = bgColor;
    impl->edgeColor = edgeColor;
    impl->raisedEffect = std::max(0, raisedEffect);
    impl->plotArea.chart = impl.get();
    impl->plotArea.width = impl->width;
    impl->plotArea.height = impl->height;
    impl->xAxis.chart = impl.get();
    impl->yAxis.chart = impl.get();
    impl->yAxis.vertical = true;
    return new XYChart(impl);
}

void CBaseChart_setFontTable(BaseChart* c, int index, const char* font)
{
    ChartImpl* d = c->impl();
    if (index < 0 || index >= int(std::size(d->fonts)))
        return;
    d->fonts[index] = QString::fromUtf8(font ? font : "");
    d->invalidate();
}

int CBaseChart_getWidth(BaseChart* c)
{
    return c->impl()->width;
}

int CBaseChart_getHeight(BaseChart* c)
{
    return c->impl()->height;
}

const char* CBaseChart_formatValue(BaseChart* c, double value, const char* format)
{
    return keep(c->impl()->textBuffer, formatTemplate(QString::fromUtf8(format ? format : ""), value));
}

DrawArea* CBaseChart_makeChart3(BaseChart* c)
{
    ChartImpl* d = c->impl();
    d->layout();
    d->renderBase();
    return &d->baseArea;
}

const char* CBaseChart_getChartMetrics(BaseChart* c)
{
    ChartImpl* d = c->impl();
    d->layout();
    const PlotArea& pa = d->plotArea;
    d->metrics = std::to_string(pa.x) + ' ' + std::to_string(pa.y) + ' '
                 + std::to_string(pa.width) + ' ' + std::to_string(pa.height);
    return d->metrics.c_str();
}

DrawArea* CBaseChart_initDynamicLayer(BaseChart* c)
{
    ChartImpl* d = c->impl();
    if (!d->dynamicLayer)
        d->dynamicLayer = std::make_unique<DrawArea>();
    d->dynamicLayer->clear();
    return d->dynamicLayer.get();
}

void CBaseChart_removeDynamicLayer(BaseChart* c)
{
    c->impl()->dynamicLayer.reset();
}

PlotArea* CXYChart_setPlotArea(XYChart* c, int x, int y, int width, int height,
                               int bgColor, int altBgColor, int edgeColor,
                               int hGridColor, int vGridColor)
{
    ChartImpl* d = c->impl();
    PlotArea& pa = d->plotArea;
    pa.x = x;
    pa.y = y;
    // A host smaller than the margins leaves an empty plot area, never a negative one.
    pa.width = std::max(0, width);
    pa.height = std::max(0, height);
    pa.bgColor = bgColor;
    pa.altBgColor = altBgColor;
    pa.edgeColor = edgeColor;
    pa.hGridColor = hGridColor;
    pa.vGridColor = vGridColor;
    d->invalidate();
    return &pa;
}

PlotArea* CXYChart_getPlotArea(XYChart* c)
{
    return &c->impl()->plotArea;
}

void CXYChart_setClipping(XYChart* c, int margin)
{
    c->impl()->clipMargin = std::max(0, margin);
    c->impl()->invalidate();
}

Axis* CXYChart_xAxis(XYChart* c)
{
    return &c->impl()->xAxis;
}

Axis* CXYChart_yAxis(XYChart* c)
{
    return &c->impl()->yAxis;
}

LineLayer* CXYChart_addLineLayer2(XYChart* c, int /*dataCombineMethod*/, int /*depth*/)
{
    ChartImpl* d = c->impl();
    auto layer = std::make_unique<LineLayer>();
    layer->chart = d;
    LineLayer* raw = layer.get();
    d->layers.push_back(std::move(layer));
    d->invalidate();
    return raw;
}

int CXYChart_getLayerCount(XYChart* c)
{
    return int(c->impl()->layers.size());
}

Layer* CXYChart_getLayerByZ(XYChart* c, int i)
{
    auto const& layers = c->impl()->layers;
    return i >= 0 && i < int(layers.size()) ? layers[i].get() : nullptr;
}

double CXYChart_getNearestXValue(XYChart* c, double xPixel)
{
    ChartImpl* d = c->impl();
    d->layout();
    const double v = d->xAxis.valueAt(xPixel);
    double best = v;
    double bestDist = -1;
    for (auto const& layer : d->layers) {
        const int n = layer->pointCount();
        for (int i = 0; i < n; ++i) {
            const double x = layer->xAt(i);
            if (!isPlottable(x))
                continue;
            const double dist = std::fabs(x - v);
            if (bestDist < 0 || dist < bestDist) {
                best = x;
                bestDist = dist;
            }
        }
    }
    return best;
}

int CXYChart_getXCoor(XYChart* c, double xValue)
{
    ChartImpl* d = c->impl();
    d->layout();
    return toPixel(d->xAxis.coor(xValue));
}

int CXYChart_getYCoor(XYChart* c, double value, Axis* yAxis)
{
    ChartImpl* d = c->impl();
    d->layout();
    return toPixel((yAxis ? yAxis : &d->yAxis)->coor(value));
}

// ---- plot area ---------------------------------------------------------------

int CPlotArea_getLeftX(PlotArea* p)
{
    return p->x;
}

int CPlotArea_getRightX(PlotArea* p)
{
    return p->x + p->width;
}

int CPlotArea_getTopY(PlotArea* p)
{
    return p->y;
}

int CPlotArea_getBottomY(PlotArea* p)
{
    return p->y + p->height;
}

// ---- axes --------------------------------------------------------------------

void CAxis_setTickDensity(Axis* a, int majorSpacing, int minorSpacing)
{
    a->majorDensity = std::max(0, majorSpacing);
    a->minorDensity = std::max(0, minorSpacing);
    invalidate(a->chart);
}

void CAxis_setWidth(Axis* a, int width)
{
    a->width = std::max(0, width);
    invalidate(a->chart);
}

void CAxis_setDateScale(Axis* a, double lower, double upper, double majorStep, double minorStep)
{
    if (!isPlottable(lower) || !isPlottable(upper))
        return;
    a->dateScale = true;
    a->fixedScale = true;
    a->lower = lower;
    a->upper = upper;
    a->majorStep = isPlottable(majorStep) ? majorStep : 0;
    a->minorStep = isPlottable(minorStep) ? minorStep : 0;
    invalidate(a->chart);
}

void CAxis_setLabelFormat(Axis* a, const char* format)
{
    a->labelFormat = QString::fromUtf8(format ? format : "");
    invalidate(a->chart);
}

const char* CAxis_getFormattedLabel(Axis* a, double value, const char* format)
{
    // An axis without a scale (no data, no date scale) labels nothing.
    a->chart->layout();
    const QString text = a->scale.hasScale ? formatOne(value, QString::fromUtf8(format ? format : ""))
                                           : QString();
    return keep(a->textBuffer, text);
}

// ---- layers and data sets ----------------------------------------------------

Layer* LineLayer2Layer(LineLayer* l)
{
    return l;
}

void CLayer_setXData(Layer* l, const double* data, int len)
{
    if (data && len > 0)
        l->xData.assign(data, data + len);
    else
        l->xData.clear();
    invalidate(l->chart);
}

DataSet* CLayer_addDataSet(Layer* l, const double* data, int len, int color, const char* name)
{
    auto ds = std::make_unique<DataSet>();
    ds->layer = l;
    if (data && len > 0)
        ds->values.assign(data, data + len);
    ds->color = color;
    ds->hasName = name != nullptr;
    ds->name = name ? name : "";
    ds->yAxis = &l->chart->yAxis;
    DataSet* raw = ds.get();
    l->dataSets.push_back(std::move(ds));
    invalidate(l->chart);
    return raw;
}

int CLayer_getDataSetCount(Layer* l)
{
    return int(l->dataSets.size());
}

DataSet* CLayer_getDataSetByZ(Layer* l, int i)
{
    return i >= 0 && i < int(l->dataSets.size()) ? l->dataSets[i].get() : nullptr;
}

int CLayer_getXIndexOf(Layer* l, double xValue, double tolerance)
{
    if (!isPlottable(xValue))
        return -1;
    // The newest point wins when several share the x value.
    for (int i = l->pointCount() - 1; i >= 0; --i) {
        const double x = l->xAt(i);
        if (isPlottable(x) && std::fabs(x - xValue) <= tolerance)
            return i;
    }
    return -1;
}

const char* CDataSet_getDataName(DataSet* d)
{
    return d->hasName ? d->name.c_str() : nullptr;
}

int CDataSet_getDataColor(DataSet* d)
{
    return d->color;
}

double CDataSet_getValue(DataSet* d, int i)
{
    return i >= 0 && i < int(d->values.size()) ? d->values[i] : NoValue;
}

double CDataSet_getPosition(DataSet* d, int i)
{
    return CDataSet_getValue(d, i);
}

Axis* CDataSet_getUseYAxis(DataSet* d)
{
    return d->yAxis;
}
