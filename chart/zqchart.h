#ifndef ZQCHART_H
#define ZQCHART_H

// The program's charting layer: XY line charts drawn with QPainter, a dynamic
// drawing layer over the cached chart picture, small mark-up text boxes, value and
// date formats, and the view-port manager behind the chart viewer widget.
//
// The interface is a set of free functions on handles. Charts (BaseChart, XYChart)
// are objects the caller creates with CXYChart_create and deletes with `delete`;
// every other handle (axis, layer, data set, plot area, drawing area) belongs to its
// chart and lives as long as the chart's content. That content is shared: a
// ChartReference made from a chart keeps it alive after the chart object is deleted.
//
// Colours are ints 0xAARRGGBB where AA is the transparency (00 opaque, ff fully
// transparent), so -1 and zqchart::Transparent draw nothing. CDrawArea_dashLineColor hands
// out pattern colours from zqchart::PatternColorBase to PatternColorBase + 0xffff.
//
// Chart time is seconds since 1970-01-01 00:00 of the local clock (CChart_chartTime2):
// it grows by one per second, and date labels of a chart time show the local time of day.

#include <memory>

// The marker of a missing sample: data points with this x or y are not drawn.
constexpr double NoValue = 1.7e308;

namespace zqchart {

struct ChartImpl;

constexpr int Transparent = static_cast<int>(0xff000000u);
constexpr int PatternColorBase = static_cast<int>(0x80000000u);

// Text alignment: the position of the anchor point on the text box (keypad layout).
enum Alignment {
    BottomLeft = 1, BottomCenter = 2, BottomRight = 3,
    Left = 4, Center = 5, Right = 6,
    TopLeft = 7, TopCenter = 8, TopRight = 9
};

// Image format codes of CBaseChart_makeChart2.
enum ImageFormat { PNG = 0, BMP = 4 };

} // namespace zqchart

class Axis;
class Layer;
class LineLayer;
class DataSet;
class PlotArea;
class DrawArea;
class TTFText;
class ViewPortManagerInternal;
class ImageMapHandlerInternal;

class BaseChart
{
public:
    virtual ~BaseChart();
    BaseChart(BaseChart const&) = delete;
    BaseChart& operator=(BaseChart const&) = delete;

    // The content this chart object refers to (shared by its ChartReference objects).
    std::shared_ptr<zqchart::ChartImpl> const& content() const { return m_impl; }
    zqchart::ChartImpl* impl() const { return m_impl.get(); }
    // True while `object` is an undeleted chart object that shares this content.
    bool sharesContentWith(BaseChart const* object) const;

protected:
    explicit BaseChart(std::shared_ptr<zqchart::ChartImpl> impl);

private:
    std::shared_ptr<zqchart::ChartImpl> m_impl;
};

class XYChart : public BaseChart
{
public:
    explicit XYChart(std::shared_ptr<zqchart::ChartImpl> impl) : BaseChart(std::move(impl)) {}
};

// A second chart object for the content of a chart: it keeps the content, and the
// picture drawn from it, alive when the first object is deleted.
class ChartReference final : public BaseChart
{
public:
    explicit ChartReference(BaseChart const* chart) : BaseChart(chart->content()) {}
};

// ---- chart time --------------------------------------------------------------
double CChart_chartTime2(long long secondsSince1970);
inline double chartTime2(long long secondsSince1970) { return CChart_chartTime2(secondsSince1970); }

// ---- charts ------------------------------------------------------------------
XYChart* CXYChart_create(int width, int height, int bgColor, int edgeColor, int raisedEffect);
inline BaseChart* XYChart2BaseChart(XYChart* c) { return c; }

void CBaseChart_setFontTable(BaseChart* c, int index, const char* font);
int CBaseChart_getWidth(BaseChart* c);
int CBaseChart_getHeight(BaseChart* c);
// Formats a value with "{value|...}" parameters (see formatValue in chartformat.h).
// The text stays valid until the next formatting call on the same chart.
const char* CBaseChart_formatValue(BaseChart* c, double value, const char* format);
// Lays the chart out and draws its static picture; returns its drawing area.
DrawArea* CBaseChart_makeChart3(BaseChart* c);
// Renders the chart (static picture + dynamic layer) into an image file in memory,
// owned by the chart. Formats BMP (4) and PNG (0). False when the format is unknown.
bool CBaseChart_makeChart2(BaseChart* c, int format, const char** data, int* len);
// Plot-area geometry for the view-port manager, as text "left top width height".
const char* CBaseChart_getChartMetrics(BaseChart* c);
// The drawing layer over the chart, emptied by this call.
DrawArea* CBaseChart_initDynamicLayer(BaseChart* c);
void CBaseChart_removeDynamicLayer(BaseChart* c);

PlotArea* CXYChart_setPlotArea(XYChart* c, int x, int y, int width, int height,
                               int bgColor, int altBgColor, int edgeColor,
                               int hGridColor, int vGridColor);
PlotArea* CXYChart_getPlotArea(XYChart* c);
void CXYChart_setClipping(XYChart* c, int margin);
Axis* CXYChart_xAxis(XYChart* c);
Axis* CXYChart_yAxis(XYChart* c);
LineLayer* CXYChart_addLineLayer2(XYChart* c, int dataCombineMethod, int depth);
int CXYChart_getLayerCount(XYChart* c);
Layer* CXYChart_getLayerByZ(XYChart* c, int i);
// The x value of the data point nearest to the pixel x (the pixel's own x value
// when the chart has no data points).
double CXYChart_getNearestXValue(XYChart* c, double xPixel);
int CXYChart_getXCoor(XYChart* c, double xValue);
// Pixel y of a value on the y axis (the chart's primary y axis when yAxis is null).
int CXYChart_getYCoor(XYChart* c, double value, Axis* yAxis);

// ---- plot area ---------------------------------------------------------------
int CPlotArea_getLeftX(PlotArea* p);
int CPlotArea_getRightX(PlotArea* p);
int CPlotArea_getTopY(PlotArea* p);
int CPlotArea_getBottomY(PlotArea* p);

// ---- axes --------------------------------------------------------------------
void CAxis_setTickDensity(Axis* a, int majorSpacing, int minorSpacing);
void CAxis_setWidth(Axis* a, int width);
// A date scale from lower to upper (chart time); tick steps 0 choose them from the tick density.
void CAxis_setDateScale(Axis* a, double lower, double upper, double majorStep, double minorStep);
void CAxis_setLabelFormat(Axis* a, const char* format);
// The label text of a value in a date or number format ("hh:nn:ss", "2." ...).
// The text stays valid until the next call on the same axis.
const char* CAxis_getFormattedLabel(Axis* a, double value, const char* format);

// ---- layers and data sets ----------------------------------------------------
Layer* LineLayer2Layer(LineLayer* l);
void CLayer_setXData(Layer* l, const double* data, int len);
DataSet* CLayer_addDataSet(Layer* l, const double* data, int len, int color, const char* name);
int CLayer_getDataSetCount(Layer* l);
DataSet* CLayer_getDataSetByZ(Layer* l, int i);
// Index of the data point whose x equals xValue within the tolerance; -1 when none.
int CLayer_getXIndexOf(Layer* l, double xValue, double tolerance);

const char* CDataSet_getDataName(DataSet* d);
int CDataSet_getDataColor(DataSet* d);
// The y value at an index (NoValue when missing or out of range).
double CDataSet_getValue(DataSet* d, int i);
// The value at an index as it is plotted (the same as getValue for a line layer).
double CDataSet_getPosition(DataSet* d, int i);
Axis* CDataSet_getUseYAxis(DataSet* d);

// ---- drawing areas and texts -------------------------------------------------
int CDrawArea_dashLineColor(DrawArea* d, int color, int pattern);
void CDrawArea_vline(DrawArea* d, int y1, int y2, int x, int color);
void CDrawArea_hline(DrawArea* d, int x1, int x2, int y, int color);
void CDrawArea_circle(DrawArea* d, int cx, int cy, int rx, int ry, int edgeColor, int fillColor);
// A text with mark-up ("<*font,bgColor=373737,color=e6e6e6*> text <*/font*>") to be
// drawn on this area. Release it with CTTFText_destroy.
TTFText* CDrawArea_text3(DrawArea* d, const char* text, const char* font, double fontSize);

int CTTFText_getWidth(TTFText* t);
int CTTFText_getHeight(TTFText* t);
void CTTFText_draw(TTFText* t, int x, int y, int color, int alignment);
void CTTFText_destroy(TTFText* t);

// ---- view-port manager -------------------------------------------------------
ViewPortManagerInternal* CViewPortManager_create();
void CViewPortManager_destroy(ViewPortManagerInternal* vp);
void CViewPortManager_setChartMetrics(ViewPortManagerInternal* vp, const char* metrics);
void CViewPortManager_commitPendingSyncAxis(ViewPortManagerInternal* vp, BaseChart* c);
void CViewPortManager_validateViewPort(ViewPortManagerInternal* vp);
bool CViewPortManager_inPlotArea(ViewPortManagerInternal* vp, int x, int y);
bool CViewPortManager_inExtendedPlotArea(ViewPortManagerInternal* vp, int x, int y);
int CViewPortManager_getPlotAreaLeft(ViewPortManagerInternal* vp);
int CViewPortManager_getPlotAreaTop(ViewPortManagerInternal* vp);
int CViewPortManager_getPlotAreaWidth(ViewPortManagerInternal* vp);
int CViewPortManager_getPlotAreaHeight(ViewPortManagerInternal* vp);
void CViewPortManager_startDrag(ViewPortManagerInternal* vp);
// Drags the view port by the mouse movement since startDrag; true when it moved.
bool CViewPortManager_dragTo(ViewPortManagerInternal* vp, int direction, int dx, int dy);
bool CViewPortManager_canZoomIn(ViewPortManagerInternal* vp, int direction);
bool CViewPortManager_canZoomOut(ViewPortManagerInternal* vp, int direction);
bool CViewPortManager_zoomTo(ViewPortManagerInternal* vp, int direction, int x1, int y1, int x2, int y2);
bool CViewPortManager_zoomAt(ViewPortManagerInternal* vp, int direction, int x, int y, double ratio);

// The view port: the visible part of the full data range, as fractions 0..1.
class ViewPortManager
{
public:
    ViewPortManager() : m_vp(CViewPortManager_create()) {}
    virtual ~ViewPortManager() { CViewPortManager_destroy(m_vp); }
    ViewPortManager(ViewPortManager const&) = delete;
    ViewPortManager& operator=(ViewPortManager const&) = delete;

    ViewPortManagerInternal* getInternalPtr() const { return m_vp; }
    double getViewPortLeft() const;
    double getViewPortTop() const;
    double getViewPortWidth() const;
    double getViewPortHeight() const;
    void setViewPortLeft(double left);
    void setViewPortTop(double top);
    void setViewPortWidth(double width);
    void setViewPortHeight(double height);
    // The smallest view-port width and height that zooming in may reach.
    void setZoomInWidthLimit(double limit);
    void setZoomInHeightLimit(double limit);

private:
    ViewPortManagerInternal* m_vp;
};

// ---- image maps --------------------------------------------------------------
// An image map is a list of areas: <area shape="rect" coords="x1,y1,x2,y2" title='...' ...>
// ("circle" takes "cx,cy,r"). Hot spots are numbered from 1 in map order.
ImageMapHandlerInternal* CImageMapHandler_create(const char* imageMap);
void CImageMapHandler_destroy(ImageMapHandlerInternal* h);
// The hot spot under (x, y), 0 when none; it becomes the current hot spot.
int CImageMapHandler_getHotSpot(ImageMapHandlerInternal* h, int x, int y);
// An attribute of the current hot spot; empty text when it has none.
const char* CImageMapHandler_getValue(ImageMapHandlerInternal* h, const char* key);

#endif
