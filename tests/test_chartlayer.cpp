// The charting layer on its own: formats, chart time, scales, look-ups, mark-up texts,
// chart references, the view-port manager and image maps.

#include <QDateTime>
#include <QFontDatabase>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "chartimpl.h"
#include "zqchart.h"

using namespace zqchart;

namespace {

// A 400 x 200 chart with a plot area of 300 x 150 at (50, 20).
std::unique_ptr<XYChart> makeChart(std::vector<double> const& xs, std::vector<double> const& ys)
{
    std::unique_ptr<XYChart> c(CXYChart_create(400, 200, 0xf4f4f4, 0, 1));
    CXYChart_setPlotArea(c.get(), 50, 20, 300, 150, 0xffffff, -1, -1, 0xcccccc, 0xcccccc);
    CXYChart_setClipping(c.get(), 0);
    if (!xs.empty()) {
        Layer* layer = LineLayer2Layer(CXYChart_addLineLayer2(c.get(), 0, 0));
        CLayer_setXData(layer, xs.data(), int(xs.size()));
        CLayer_addDataSet(layer, ys.data(), int(ys.size()), 0x151515, "CH1");
    }
    return c;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<double>)

class TestChartLayer : public QObject
{
    Q_OBJECT
private slots:
    void valueFormats_data();
    void valueFormats();
    void chartTimeShowsLocalClock();
    void dateFormats_data();
    void dateFormats();
    void yScaleHoldsTheData_data();
    void yScaleHoldsTheData();
    void yScaleWithoutValues();
    void dateAxisTicks_data();
    void dateAxisTicks();
    void nearestXValue();
    void xIndexOf();
    void gapsBreakTheLine();
    void markup_data();
    void markup();
    void dashPattern();
    void missingFontsMapToSystemFonts();
    void referenceOutlivesChart();
    void tinyAndEmptyCharts();
    void renderedImageHasChartSize();
    void viewPortZoomAndDrag();
    void imageMap();
};

void TestChartLayer::valueFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("two decimals") << "{value|2.}" << 12.345 << "12.35";
    QTest::newRow("minus one half") << "{value|2.}" << -0.5 << "-0.50";
    QTest::newRow("no minus zero") << "{value|2.}" << -0.001 << "0.00";
    QTest::newRow("rounds up") << "{value|2.}" << 9.999 << "10.00";
    QTest::newRow("no decimals") << "{value|0}" << 2.6 << "3";
    QTest::newRow("comma point") << "{value|1,}" << 3.26 << "3,3";
    QTest::newRow("thousands") << "{value|2,.}" << -1234567.891 << "-1,234,567.89";
    QTest::newRow("text around") << "T={value|1.} C" << 21.04 << "T=21.0 C";
    QTest::newRow("missing value") << "{value|2.}" << NoValue << "";
    QTest::newRow("not a number") << "{value|2.}" << std::numeric_limits<double>::quiet_NaN() << "";
    QTest::newRow("plain value") << "{value}" << 0.125 << "0.125";
}

void TestChartLayer::valueFormats()
{
    QFETCH(QString, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    auto c = makeChart({}, {});
    QCOMPARE(QString::fromUtf8(CBaseChart_formatValue(c.get(), value, format.toUtf8().constData())), text);
}

void TestChartLayer::chartTimeShowsLocalClock()
{
    const qint64 t = QDateTime(QDate(2024, 7, 15), QTime(13, 4, 5)).toSecsSinceEpoch();
    QCOMPARE(chartTime2(t + 1) - chartTime2(t), 1.0);
    QCOMPARE(CChart_chartTime2(t), chartTime2(t));
    auto c = makeChart({chartTime2(t)}, {1.0});
    Axis* x = CXYChart_xAxis(c.get());
    CAxis_setDateScale(x, chartTime2(t) - 240, chartTime2(t), 0, 0);
    QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(x, chartTime2(t) + 0.999, "hh:nn:ss")),
             QStringLiteral("13:04:05"));
    QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(x, chartTime2(t), "yyyy-mm-dd")),
             QStringLiteral("2024-07-15"));
}

void TestChartLayer::dateFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("time of day") << "hh:nn:ss" << "09:05:03";
    QTest::newRow("date") << "dd.mm.yyyy" << "02.01.2023";
    QTest::newRow("month name") << "mmm d" << "Jan 2";
    QTest::newRow("twelve hours") << "h:nn a" << "9:05 am";
    QTest::newRow("milliseconds") << "ss.fff" << "03.250";
    QTest::newRow("template") << "at {value|hh:nn}" << "at 09:05";
}

void TestChartLayer::dateFormats()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    const double t = double(QDateTime(QDate(2023, 1, 2), QTime(9, 5, 3), Qt::UTC).toSecsSinceEpoch()) + 0.25;
    if (format.contains(QLatin1Char('{')))
        QCOMPARE(zqchart::formatTemplate(format, t), text);
    else
        QCOMPARE(zqchart::formatOne(t, format), text);
}

void TestChartLayer::yScaleHoldsTheData_data()
{
    QTest::addColumn<std::vector<double>>("ys");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("rising") << std::vector<double>{20.1, 20.7, 21.3, 22.05};
    QTest::newRow("negative") << std::vector<double>{-5, -3.5, -4.25};
    QTest::newRow("across zero") << std::vector<double>{-0.3, 0.4};
    QTest::newRow("constant") << std::vector<double>{23.4, 23.4, 23.4};
    QTest::newRow("constant zero") << std::vector<double>{0, 0};
    QTest::newRow("one sample") << std::vector<double>{NoValue, 1e-7};
    QTest::newRow("huge") << std::vector<double>{-1e299, 1e299};
    QTest::newRow("with gaps") << std::vector<double>{NoValue, 3, NoValue, 7, nan, inf, -inf};
}

void TestChartLayer::yScaleHoldsTheData()
{
    QFETCH(std::vector<double>, ys);
    std::vector<double> xs;
    for (size_t i = 0; i < ys.size(); ++i)
        xs.push_back(double(i));
    auto c = makeChart(xs, ys);
    c->impl()->layout();
    zqchart::Scale const& s = c->impl()->yAxis.scale;
    QVERIFY(s.hasScale);
    QVERIFY(s.upper > s.lower);
    QVERIFY(!s.major.empty());
    QCOMPARE(s.labels.size(), s.major.size());
    Axis* y = CXYChart_yAxis(c.get());
    for (double v : ys) {
        if (!zqchart::isPlottable(v))
            continue;
        QVERIFY2(v >= s.lower && v <= s.upper, qPrintable(QString::number(v)));
        const int py = CXYChart_getYCoor(c.get(), v, y);
        QVERIFY(py >= 20 && py <= 170);
    }
    for (double t : s.major)
        QVERIFY(t >= s.lower - 1e-9 * std::fabs(s.lower) && t <= s.upper + 1e-9 * std::fabs(s.upper));
}

void TestChartLayer::yScaleWithoutValues()
{
    // All samples missing: grid lines but no labels; a missing value sits at the bottom.
    auto c = makeChart({1, 2, 3}, {NoValue, NoValue, NoValue});
    c->impl()->layout();
    zqchart::Scale const& s = c->impl()->yAxis.scale;
    QVERIFY(!s.hasScale);
    QVERIFY(s.labels.empty());
    QVERIFY(s.major.size() >= 2);
    QCOMPARE(CXYChart_getYCoor(c.get(), NoValue, nullptr), 170);
    QVERIFY(CBaseChart_makeChart3(c.get()));
}

void TestChartLayer::dateAxisTicks_data()
{
    QTest::addColumn<int>("plotWidth");
    QTest::newRow("340 pixels") << 340;
    QTest::newRow("540 pixels") << 540;
    QTest::newRow("1500 pixels") << 1500;
}

void TestChartLayer::dateAxisTicks()
{
    QFETCH(int, plotWidth);
    const double last = chartTime2(QDateTime::currentSecsSinceEpoch()) + 0.4;
    std::unique_ptr<XYChart> c(CXYChart_create(plotWidth + 60, 300, 0xf4f4f4, 0, 1));
    CXYChart_setPlotArea(c.get(), 45, 15, plotWidth, 255, 0xffffff, -1, -1, 0xcccccc, 0xcccccc);
    Axis* x = CXYChart_xAxis(c.get());
    CAxis_setTickDensity(x, 75, 15);
    CAxis_setDateScale(x, last - 240, last, 0, 0);
    CAxis_setLabelFormat(x, "{value|hh:nn:ss}");
    c->impl()->layout();
    zqchart::Scale const& s = x->scale;
    QCOMPARE(s.lower, last - 240);
    QCOMPARE(s.upper, last);
    QVERIFY(s.major.size() >= 2);
    const double spacing = CXYChart_getXCoor(c.get(), s.major[1]) - CXYChart_getXCoor(c.get(), s.major[0]);
    QVERIFY2(spacing >= 0.75 * 75 - 1 && spacing <= 3 * 75, qPrintable(QString::number(spacing)));
    const double step = s.major[1] - s.major[0];
    const QRegularExpression hms(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
    for (size_t k = 0; k < s.major.size(); ++k) {
        QVERIFY(s.major[k] >= s.lower && s.major[k] <= s.upper);
        QCOMPARE(std::fmod(s.major[k], step), 0.0);   // ticks on whole multiples of the step
        QVERIFY(hms.match(s.labels[k]).hasMatch());
    }
    QVERIFY(!s.minor.empty());
    QVERIFY(s.minor.size() > s.major.size());
}

void TestChartLayer::nearestXValue()
{
    auto empty = makeChart({}, {});
    for (int px : {50, 123, 350}) {
        const double v = CXYChart_getNearestXValue(empty.get(), px);
        QCOMPARE(CXYChart_getXCoor(empty.get(), v), px);
    }
    // Empty axes label nothing.
    QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(CXYChart_xAxis(empty.get()), 0.5, "hh:nn:ss")), QString());

    auto c = makeChart({NoValue, 100, 110, 130, 160}, {NoValue, 1, NoValue, 3, 4});
    Axis* x = CXYChart_xAxis(c.get());
    CAxis_setDateScale(x, 100, 160, 0, 0);   // 300 pixels for 60 s: 5 pixels a second
    QCOMPARE(CXYChart_getXCoor(c.get(), 100), 50);
    QCOMPARE(CXYChart_getXCoor(c.get(), 160), 350);
    QCOMPARE(CXYChart_getNearestXValue(c.get(), 50), 100.0);
    QCOMPARE(CXYChart_getNearestXValue(c.get(), 50 + 5 * 9), 110.0);   // a sample with a missing value counts
    QCOMPARE(CXYChart_getNearestXValue(c.get(), 50 + 5 * 21), 130.0);
    QCOMPARE(CXYChart_getNearestXValue(c.get(), 0), 100.0);            // left of the plot area
    QCOMPARE(CXYChart_getNearestXValue(c.get(), 1000), 160.0);
}

void TestChartLayer::xIndexOf()
{
    auto c = makeChart({10, 20, 20.5, 20, 30}, {1, 2, 3, 4, 5});
    Layer* layer = CXYChart_getLayerByZ(c.get(), 0);
    QCOMPARE(CLayer_getXIndexOf(layer, 10, 0), 0);
    QCOMPARE(CLayer_getXIndexOf(layer, 20, 0), 3);      // the newest of equal x values
    QCOMPARE(CLayer_getXIndexOf(layer, 20.4, 0), -1);
    QCOMPARE(CLayer_getXIndexOf(layer, 20.4, 0.2), 2);
    QCOMPARE(CLayer_getXIndexOf(layer, NoValue, 0), -1);
    DataSet* ds = CLayer_getDataSetByZ(layer, 0);
    QCOMPARE(CDataSet_getValue(ds, -1), NoValue);
    QCOMPARE(CDataSet_getValue(ds, 5), NoValue);
    QCOMPARE(CDataSet_getValue(ds, 4), 5.0);
    QCOMPARE(QString::fromLatin1(CDataSet_getDataName(ds)), QStringLiteral("CH1"));
    QCOMPARE(CXYChart_getLayerByZ(c.get(), 1), nullptr);
    QCOMPARE(CLayer_getDataSetByZ(layer, 1), nullptr);
}

void TestChartLayer::gapsBreakTheLine()
{
    auto c = makeChart({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, NoValue, 4, 5, NoValue, 7, NoValue});
    CAxis_setDateScale(CXYChart_xAxis(c.get()), 1, 8, 0, 0);
    zqchart::ChartImpl* d = c->impl();
    d->layout();
    QVector<QLineF> lines;
    QVector<QPointF> dots;
    Layer* layer = d->layers[0].get();
    zqchart::lineGeometry(*d, *layer, *layer->dataSets[0], zqchart::layerClip(*d), lines, dots);
    // 1-2 and 4-5 are joined; 7 stands alone between two gaps.
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].x1(), d->xAxis.coor(1));
    QCOMPARE(lines[0].x2(), d->xAxis.coor(2));
    QCOMPARE(lines[1].x1(), d->xAxis.coor(4));
    QCOMPARE(lines[1].x2(), d->xAxis.coor(5));
    QCOMPARE(dots.size(), 1);
    QCOMPARE(dots[0].x(), d->xAxis.coor(7));

    // A sample far outside the x range is clipped at the plot area's edge.
    auto far = makeChart({-1e9, 5, 6}, {1, 2, 3});
    CAxis_setDateScale(CXYChart_xAxis(far.get()), 0, 10, 0, 0);
    zqchart::ChartImpl* f = far->impl();
    f->layout();
    zqchart::lineGeometry(*f, *f->layers[0], *f->layers[0]->dataSets[0], zqchart::layerClip(*f), lines, dots);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].x1() >= 50 && lines[0].x1() <= 351);
}

void TestChartLayer::markup_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("bgColor");
    QTest::addColumn<int>("color");
    QTest::addColumn<bool>("blank");
    QTest::newRow("time label") << "<*font,bgColor=373737,color=e6e6e6*> 12:00:00 <*/font*>" << 1 << 0x373737 << 0xe6e6e6 << false;
    QTest::newRow("decimal colour") << "<*font,bgColor=1381653*> 1.00 <*font*>" << 1 << 0x151515 << -1 << false;
    QTest::newRow("hash colour") << "a<*font,color=#ff0000*>b<*/font*>c" << 3 << Transparent << 0xff0000 << false;
    QTest::newRow("only blanks") << "<*font,bgColor=373737*>  <*/font*>" << 1 << 0x373737 << -1 << true;
    QTest::newRow("unclosed tag") << "x <*font" << 1 << Transparent << -1 << false;
}

void TestChartLayer::markup()
{
    QFETCH(QString, text);
    QFETCH(int, runs);
    QFETCH(int, bgColor);
    QFETCH(int, color);
    QFETCH(bool, blank);
    auto t = zqchart::layoutText(text, zqchart::chartFont(QStringLiteral("Arial Unicode.ttf"), 8));
    QCOMPARE(int(t->runs.size()), runs);
    QCOMPARE(t->blank, blank);
    // The run with the most attributes is the one the test is about.
    zqchart::TextRun const& run = t->runs[runs == 3 ? 1 : 0];
    QCOMPARE(run.bgColor, bgColor);
    QCOMPARE(run.hasColor ? run.color : -1, color);
    int width = 0;
    for (auto const& r : t->runs) {
        QCOMPARE(r.x, width);
        width += r.width;
    }
    QCOMPARE(t->width, width);
    QVERIFY(t->height > 0);
    QVERIFY(blank || t->width > 0);
}

void TestChartLayer::dashPattern()
{
    auto c = makeChart({}, {});
    DrawArea* d = CBaseChart_initDynamicLayer(c.get());
    const int dash = CDrawArea_dashLineColor(d, 0x151515, 0x0101);
    QVERIFY(zqchart::isPatternColor(dash));
    QCOMPARE(d->patterns.at(0).dashes, QVector<int>({1, 1}));
    QCOMPARE(d->patterns.at(0).color, 0x151515);
    QCOMPARE(CDrawArea_dashLineColor(d, 0x123456, 0), 0x123456);   // no pattern: the plain colour
    CDrawArea_vline(d, 20, 170, 100, dash);
    QCOMPARE(int(d->ops.size()), 1);
    // A new dynamic layer starts empty.
    QCOMPARE(CBaseChart_initDynamicLayer(c.get()), d);
    QVERIFY(d->ops.empty());
    QVERIFY(d->patterns.empty());
}

void TestChartLayer::missingFontsMapToSystemFonts()
{
    const QFontDatabase db;
    const QFont arial = zqchart::chartFont(QStringLiteral("Arial Unicode.ttf"), 8);
    QVERIFY(db.hasFamily(arial.family()));
    QCOMPARE(arial.pixelSize(), 11);          // 8 points at 96 dpi
    QVERIFY(!arial.bold());
    const QString family = db.families().value(0);
    QVERIFY(!family.isEmpty());
    const QFont bold = zqchart::chartFont(family + QStringLiteral(" Bold.ttf"), 12);
    QCOMPARE(bold.family(), family);
    QVERIFY(bold.bold());
    QCOMPARE(bold.pixelSize(), 16);
    QCOMPARE(zqchart::chartFont(QString(), 0).pixelSize(), 1);
}

void TestChartLayer::referenceOutlivesChart()
{
    XYChart* c = CXYChart_create(120, 80, 0xffffff, -1, 0);
    auto ref = std::make_unique<ChartReference>(c);
    QVERIFY(ref->sharesContentWith(c));
    DrawArea* d = CBaseChart_initDynamicLayer(c);
    CDrawArea_circle(d, 10, 10, 4, 4, 0, 0);
    delete c;
    QVERIFY(!ref->sharesContentWith(c));
    const char* data = nullptr;
    int len = 0;
    QVERIFY(CBaseChart_makeChart2(ref.get(), BMP, &data, &len));
    const QImage img = QImage::fromData(reinterpret_cast<const uchar*>(data), len);
    QCOMPARE(img.size(), QSize(120, 80));
}

void TestChartLayer::tinyAndEmptyCharts()
{
    for (QSize size : {QSize(0, 0), QSize(-10, 5), QSize(1, 1), QSize(30, 20)}) {
        std::unique_ptr<XYChart> c(CXYChart_create(size.width(), size.height(), 0xf4f4f4, 0, 1));
        PlotArea* pa = CXYChart_setPlotArea(c.get(), 45, 15, size.width() - 60, size.height() - 45,
                                            0xffffff, -1, -1, 0xcccccc, 0xcccccc);
        QVERIFY(CPlotArea_getRightX(pa) >= CPlotArea_getLeftX(pa));
        QVERIFY(CPlotArea_getBottomY(pa) >= CPlotArea_getTopY(pa));
        const double xs[] = {1, 2, 3};
        const double ys[] = {4, NoValue, 6};
        Layer* layer = LineLayer2Layer(CXYChart_addLineLayer2(c.get(), 0, 0));
        CLayer_setXData(layer, xs, 3);
        CLayer_addDataSet(layer, ys, 3, 0x151515, "CH1");
        CXYChart_getNearestXValue(c.get(), 50);
        CXYChart_getYCoor(c.get(), 4, nullptr);
        const char* data = nullptr;
        int len = 0;
        QVERIFY(CBaseChart_makeChart2(c.get(), BMP, &data, &len));
        QVERIFY(CBaseChart_getWidth(c.get()) >= 1 && CBaseChart_getHeight(c.get()) >= 1);
    }
}

void TestChartLayer::renderedImageHasChartSize()
{
    auto c = makeChart({1, 2, 3}, {1, 3, 2});
    CDrawArea_circle(CBaseChart_initDynamicLayer(c.get()), 300, 8, 4, 4, 0xff0000, 0xff0000);
    for (int format : {int(BMP), int(PNG)}) {
        const char* data = nullptr;
        int len = 0;
        QVERIFY(CBaseChart_makeChart2(c.get(), format, &data, &len));
        const QImage img = QImage::fromData(reinterpret_cast<const uchar*>(data), len);
        QCOMPARE(img.size(), QSize(400, 200));
        QCOMPARE(img.pixel(5, 100) & 0xffffff, 0xf4f4f4u);    // chart background
        QCOMPARE(img.pixel(0, 0) & 0xffffff, 0x000000u);      // edge colour
        QCOMPARE(img.pixel(300, 8) & 0xffffff, 0xff0000u);    // the dynamic layer, right way up
        QCOMPARE(img.pixel(300, 191) & 0xffffff, 0xf4f4f4u);
    }
    const char* data = nullptr;
    int len = -1;
    QVERIFY(!CBaseChart_makeChart2(c.get(), 99, &data, &len));
    QCOMPARE(len, 0);
    QCOMPARE(QString::fromLatin1(CBaseChart_getChartMetrics(c.get())), QStringLiteral("50 20 300 150"));
}

void TestChartLayer::viewPortZoomAndDrag()
{
    ViewPortManager vpm;
    ViewPortManagerInternal* vp = vpm.getInternalPtr();
    QVERIFY(!CViewPortManager_inPlotArea(vp, 100, 100));   // no chart shown yet
    QVERIFY(!CViewPortManager_zoomAt(vp, 0, 100, 100, 2));
    CViewPortManager_setChartMetrics(vp, "50 20 300 150");
    QVERIFY(CViewPortManager_inPlotArea(vp, 50, 20));
    QVERIFY(CViewPortManager_inPlotArea(vp, 350, 170));
    QVERIFY(!CViewPortManager_inPlotArea(vp, 352, 100));
    QVERIFY(CViewPortManager_inExtendedPlotArea(vp, 352, 100));
    QCOMPARE(CViewPortManager_getPlotAreaWidth(vp), 300);

    QVERIFY(!CViewPortManager_canZoomOut(vp, 0));
    QVERIFY(CViewPortManager_canZoomIn(vp, 0));
    QVERIFY(CViewPortManager_zoomAt(vp, 0, 50, 100, 2.0));   // zoom in at the left edge
    QCOMPARE(vpm.getViewPortWidth(), 0.5);
    QCOMPARE(vpm.getViewPortLeft(), 0.0);
    QCOMPARE(vpm.getViewPortHeight(), 1.0);
    QVERIFY(CViewPortManager_canZoomOut(vp, 0));

    CViewPortManager_startDrag(vp);
    QVERIFY(CViewPortManager_dragTo(vp, 0, -150, 0));   // drag left by half the plot: view moves right
    QCOMPARE(vpm.getViewPortLeft(), 0.25);
    QVERIFY(CViewPortManager_dragTo(vp, 0, -3000, 0));  // limited to the data
    QCOMPARE(vpm.getViewPortLeft(), 0.5);
    QVERIFY(!CViewPortManager_dragTo(vp, 0, -4000, 0));

    QVERIFY(CViewPortManager_zoomTo(vp, 2, 50, 20, 200, 95));
    QCOMPARE(vpm.getViewPortWidth(), 0.25);
    QCOMPARE(vpm.getViewPortHeight(), 0.5);
    QVERIFY(CViewPortManager_zoomAt(vp, 2, 200, 95, 0.1));   // zoom out past the full range
    QCOMPARE(vpm.getViewPortWidth(), 1.0);
    QCOMPARE(vpm.getViewPortLeft(), 0.0);

    CViewPortManager_setChartMetrics(vp, nullptr);
    QVERIFY(!CViewPortManager_inExtendedPlotArea(vp, 100, 100));
}

void TestChartLayer::imageMap()
{
    ImageMapHandlerInternal* h = CImageMapHandler_create(
        "<area shape=\"rect\" coords=\"10,10,50,30\" title='first' path=\"a/b\">"
        "<AREA shape='circle' coords='100,100,10' title=\"second\">");
    QCOMPARE(CImageMapHandler_getHotSpot(h, 20, 20), 1);
    QCOMPARE(QString::fromUtf8(CImageMapHandler_getValue(h, "title")), QStringLiteral("first"));
    QCOMPARE(QString::fromUtf8(CImageMapHandler_getValue(h, "path")), QStringLiteral("a/b"));
    QCOMPARE(CImageMapHandler_getHotSpot(h, 105, 95), 2);
    QCOMPARE(QString::fromUtf8(CImageMapHandler_getValue(h, "path")), QString());
    QCOMPARE(CImageMapHandler_getHotSpot(h, 200, 200), 0);
    QCOMPARE(QString::fromUtf8(CImageMapHandler_getValue(h, "title")), QString());
    CImageMapHandler_destroy(h);
    h = CImageMapHandler_create(nullptr);
    QCOMPARE(CImageMapHandler_getHotSpot(h, 0, 0), 0);
    CImageMapHandler_destroy(h);
}

QTEST_MAIN(TestChartLayer)
#include "test_chartlayer.moc"
