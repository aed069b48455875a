#include "chartview.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "globals.h"
#include "qchartviewer.h"
#include "qchartviewerlabel.h"
#include "zqchart.h"

namespace {

const char* const kFont = "Arial Unicode.ttf";
constexpr double kFontSize = 8.0;
constexpr int kLineColor = 0x151515;

// Chart layout inside the host label: the chart is 10 pixels narrower than the label;
// the plot area leaves 45 pixels on the left for the value labels, 15 above, 5 to the
// chart's right edge and 30 below for the time labels.
constexpr int kChartWidthLess = 10;
constexpr int kPlotLeft = 45;
constexpr int kPlotTop = 15;
constexpr int kPlotWidthLess = 60;
constexpr int kPlotHeightLess = 45;

} // namespace

ChartView::ChartView(QWidget* host, int channel, QObject* owner)
    : QObject(owner)
    , m_channel(channel)
    , m_host(qobject_cast<QChartViewerLabel*>(host))
{
    std::fill(std::begin(m_timeStamps), std::end(m_timeStamps), NoValue);
    std::fill(std::begin(m_values), std::end(m_values), NoValue);
    if (m_host)
        connect(m_host, SIGNAL(refreshChart()), this, SLOT(drawChart()), Qt::DirectConnection);
    else
        qWarning() << "ChartView: the chart host is not a QChartViewerLabel; resizes will not redraw it";
    m_viewer = new QChartViewer(host);
    connect(m_viewer, SIGNAL(viewPortChanged()), this, SLOT(drawChart()), Qt::DirectConnection);
    connect(m_viewer, SIGNAL(mouseMovePlotArea(QMouseEvent*)), this, SLOT(onMouseMovePlotArea(QMouseEvent*)),
            Qt::DirectConnection);
}

ChartView::~ChartView()
{
    // A viewer without a host widget has no one else to delete it.
    if (m_viewer && !m_viewer->parent())
        delete m_viewer;
    delete m_chart;
}

QChartViewer* ChartView::viewer() const
{
    return m_viewer;
}

void ChartView::setData(double x, double y)
{
    const int last = SampleCount - 1;
    if (x == m_timeStamps[last]) {
        m_values[last] = y;
    } else {
        std::memmove(m_timeStamps, m_timeStamps + 1, last * sizeof(double));
        std::memmove(m_values, m_values + 1, last * sizeof(double));
        m_timeStamps[last] = x;
        m_values[last] = y;
    }
    if (m_viewer)
        m_viewer->updateViewPort(true, false);
}

void ChartView::clear()
{
    std::fill(std::begin(m_timeStamps), std::end(m_timeStamps), NoValue);
    std::fill(std::begin(m_values), std::end(m_values), NoValue);
    if (m_viewer)
        m_viewer->updateViewPort(true, false);
}

void ChartView::updateChart()
{
    if (m_viewer)
        m_viewer->updateViewPort(true, false);
}

void ChartView::resizeEvent(QResizeEvent*)
{
    updateChart();
}

void ChartView::onMouseMovePlotArea(QMouseEvent*)
{
    if (!m_viewer)
        return;
    auto* chart = dynamic_cast<XYChart*>(m_viewer->getChart());
    if (!chart)
        return;
    trackLineLegend(chart, m_viewer->getPlotAreaMouseX());
    m_viewer->updateDisplay();
}

void ChartView::drawChart()
{
    if (!m_viewer)
        return;
    const QWidget* host = m_viewer->parentWidget();
    const int w = host ? host->width() : m_viewer->width();
    const int h = host ? host->height() : m_viewer->height();

    XYChart* chart = CXYChart_create(w - kChartWidthLess, h, 0xf4f4f4, 0x000000, 1);
    CBaseChart_setFontTable(XYChart2BaseChart(chart), 0, kFont);
    CXYChart_setPlotArea(chart, kPlotLeft, kPlotTop, w - kPlotWidthLess, h - kPlotHeightLess,
                         0xffffff, -1, -1, 0xcccccc, 0xcccccc);
    CXYChart_setClipping(chart, 0);
    Axis* xAxis = CXYChart_xAxis(chart);
    CAxis_setTickDensity(xAxis, 75, 15);
    CAxis_setWidth(xAxis, 2);
    CAxis_setWidth(CXYChart_yAxis(chart), 2);

    const double last = m_timeStamps[SampleCount - 1];
    if (last != NoValue) {
        const double span = DataInterval * SampleCount / 1000;
        CAxis_setDateScale(xAxis, last - span, last, 0, 0);
        CAxis_setLabelFormat(xAxis, "{value|hh:nn:ss}");
        Layer* layer = LineLayer2Layer(CXYChart_addLineLayer2(chart, 0, 0));
        CLayer_setXData(layer, m_timeStamps, SampleCount);
        const QByteArray name = QStringLiteral("CH%1").arg(m_channel).toLatin1();
        CLayer_addDataSet(layer, m_values, SampleCount, kLineColor, name.constData());
    }

    const int trackX = m_viewer->isMouseOnPlotArea() ? m_viewer->getPlotAreaMouseX()
                                                     : CPlotArea_getRightX(CXYChart_getPlotArea(chart));
    trackLineLegend(chart, trackX);

    delete m_chart;
    m_chart = chart;
    m_viewer->setChart(XYChart2BaseChart(chart));
}

void ChartView::trackLineLegend(XYChart* chart, int mouseX)
{
    BaseChart* base = XYChart2BaseChart(chart);
    DrawArea* d = CBaseChart_initDynamicLayer(base);
    PlotArea* pa = CXYChart_getPlotArea(chart);
    const int top = CPlotArea_getTopY(pa);
    const int bottom = CPlotArea_getBottomY(pa);

    // The cursor snaps to the nearest sample.
    const double xValue = CXYChart_getNearestXValue(chart, mouseX);
    const int xCoor = CXYChart_getXCoor(chart, xValue);
    CDrawArea_vline(d, top, bottom, xCoor, CDrawArea_dashLineColor(d, kLineColor, 0x0101));

    // Time label under the plot area, kept inside the chart.
    const QString time = QString::fromUtf8(CAxis_getFormattedLabel(CXYChart_xAxis(chart), xValue, "hh:nn:ss"));
    const QByteArray label = (QStringLiteral("<*font,bgColor=373737,color=e6e6e6*> ") + time
                              + QStringLiteral(" <*/font*>")).toUtf8();
    TTFText* t = CDrawArea_text3(d, label.constData(), kFont, kFontSize);
    const int tw = CTTFText_getWidth(t);
    int left = xCoor - tw / 2;
    left = std::min(left, CBaseChart_getWidth(base) - tw);
    left = std::max(left, 0);
    CTTFText_draw(t, left, bottom + 6, kLineColor, zqchart::TopLeft);
    CTTFText_destroy(t);

    // A dot and a value bubble where the cursor meets each named data set.
    const int middle = (CPlotArea_getLeftX(pa) + CPlotArea_getRightX(pa)) / 2;
    for (int i = 0; i < CXYChart_getLayerCount(chart); ++i) {
        Layer* layer = CXYChart_getLayerByZ(chart, i);
        const int idx = CLayer_getXIndexOf(layer, xValue, 0);
        for (int j = 0; j < CLayer_getDataSetCount(layer); ++j) {
            DataSet* ds = CLayer_getDataSetByZ(layer, j);
            const char* name = CDataSet_getDataName(ds);
            const int color = CDataSet_getDataColor(ds);
            if (!name || !*name || color == zqchart::Transparent)
                continue;
            const int yCoor = CXYChart_getYCoor(chart, CDataSet_getPosition(ds, idx), CDataSet_getUseYAxis(ds));
            if (yCoor < top || yCoor > bottom)
                continue;
            CDrawArea_circle(d, xCoor, yCoor, 4, 4, color, color);
            const double value = CDataSet_getValue(ds, idx);
            const QString valueText = (value == NoValue || !std::isfinite(value))
                ? QStringLiteral("N/A")
                : QString::fromUtf8(CBaseChart_formatValue(base, value, "{value|2.}"));
            const QByteArray bubble = (QStringLiteral("<*font,bgColor=") + QString::number(color)
                                       + QStringLiteral("*> ") + valueText + QStringLiteral(" <*font*>")).toUtf8();
            TTFText* bt = CDrawArea_text3(d, bubble.constData(), kFont, kFontSize);
            if (xCoor > middle)
                CTTFText_draw(bt, xCoor - 5, yCoor, 0xffffff, zqchart::Right);
            else
                CTTFText_draw(bt, xCoor + 5, yCoor, 0xffffff, zqchart::Left);
            CTTFText_destroy(bt);
        }
    }
}

QString getStringInterval(int milliseconds)
{
    switch (milliseconds) {
    case 500: return QStringLiteral("500msec");
    case 1000: return QStringLiteral("1sec");
    case 2000: return QStringLiteral("2sec");
    case 10000: return QStringLiteral("10 sec");
    default: return QString();
    }
}
