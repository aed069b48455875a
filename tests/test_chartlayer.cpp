// The charting layer on its own: formats, chart time, scales, gaps, look-ups and tiny charts.

#include <QDateTime>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
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
    void valueFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("two decimals") << "{value|2.}" << 12.345 << "12.35";
        QTest::newRow("no minus zero") << "{value|2.}" << -0.001 << "0.00";
        QTest::newRow("rounds up") << "{value|2.}" << 9.999 << "10.00";
        QTest::newRow("missing value") << "{value|2.}" << NoValue << "";
        QTest::newRow("not a number") << "{value|2.}" << std::numeric_limits<double>::quiet_NaN() << "";
    }

    void valueFormats()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, text);
        auto c = makeChart({}, {});
        QCOMPARE(QString::fromUtf8(CBaseChart_formatValue(c.get(), value, format.toUtf8().constData())), text);
    }

    void yScaleHoldsTheData_data()
    {
        QTest::addColumn<std::vector<double>>("ys");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("rising") << std::vector<double>{20.1, 20.7, 21.3, 22.05};
        QTest::newRow("across zero") << std::vector<double>{-0.3, 0.4};
        QTest::newRow("constant") << std::vector<double>{23.4, 23.4, 23.4};
        QTest::newRow("one sample") << std::vector<double>{NoValue, 1e-7};
        QTest::newRow("huge") << std::vector<double>{-1e299, 1e299};
        QTest::newRow("with gaps") << std::vector<double>{NoValue, 3, NoValue, 7, nan, inf, -inf};
        // Nothing to scale: grid lines without labels, and still drawn.
        QTest::newRow("all missing") << std::vector<double>{NoValue, nan, NoValue};
    }

    void yScaleHoldsTheData()
    {
        QFETCH(std::vector<double>, ys);
        std::vector<double> xs;
        for (size_t i = 0; i < ys.size(); ++i)
            xs.push_back(double(i));
        auto c = makeChart(xs, ys);
        c->impl()->layout();
        zqchart::Scale const& s = c->impl()->yAxis.scale;
        QVERIFY(s.upper > s.lower);
        QVERIFY(CBaseChart_makeChart3(c.get()));
        if (std::none_of(ys.begin(), ys.end(), zqchart::isPlottable)) {
            QVERIFY(!s.hasScale && s.labels.empty() && s.major.size() >= 2);
            return;
        }
        QVERIFY(s.hasScale);
        QCOMPARE(s.labels.size(), s.major.size());
        Axis* y = CXYChart_yAxis(c.get());
        for (double v : ys) {
            if (!zqchart::isPlottable(v))
                continue;
            QVERIFY2(v >= s.lower && v <= s.upper, qPrintable(QString::number(v)));
            const int py = CXYChart_getYCoor(c.get(), v, y);
            QVERIFY(py >= 20 && py <= 170);
        }
    }

    // The time axis as the live chart has it: local clock time, ticks on whole steps.
    void dateAxisTicks()
    {
        const qint64 t = QDateTime(QDate(2024, 7, 15), QTime(13, 4, 5)).toSecsSinceEpoch();
        const double last = chartTime2(t) + 0.4;
        std::unique_ptr<XYChart> c(CXYChart_create(400, 300, 0xf4f4f4, 0, 1));
        CXYChart_setPlotArea(c.get(), 45, 15, 340, 255, 0xffffff, -1, -1, 0xcccccc, 0xcccccc);
        Axis* x = CXYChart_xAxis(c.get());
        CAxis_setTickDensity(x, 75, 15);
        CAxis_setDateScale(x, last - 240, last, 0, 0);
        CAxis_setLabelFormat(x, "{value|hh:nn:ss}");
        c->impl()->layout();
        zqchart::Scale const& s = x->scale;
        QCOMPARE(s.lower, last - 240);
        QCOMPARE(s.upper, last);
        QVERIFY(s.major.size() >= 2);
        const double step = s.major[1] - s.major[0];
        const QRegularExpression hms(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
        for (size_t k = 0; k < s.major.size(); ++k) {
            QVERIFY(s.major[k] >= s.lower && s.major[k] <= s.upper);
            QCOMPARE(std::fmod(s.major[k], step), 0.0);   // ticks on whole multiples of the step
            QVERIFY(hms.match(s.labels[k]).hasMatch());
        }
        QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(x, chartTime2(t) + 0.999, "hh:nn:ss")),
                 QStringLiteral("13:04:05"));
        QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(x, chartTime2(t), "yyyy-mm-dd")),
                 QStringLiteral("2024-07-15"));
    }

    void nearestXValue()
    {
        // An empty chart: the cursor stays where asked and its axis labels nothing.
        auto empty = makeChart({}, {});
        QCOMPARE(CXYChart_getXCoor(empty.get(), CXYChart_getNearestXValue(empty.get(), 123)), 123);
        QCOMPARE(QString::fromUtf8(CAxis_getFormattedLabel(CXYChart_xAxis(empty.get()), 0.5, "hh:nn:ss")), QString());

        auto c = makeChart({NoValue, 100, 110, 130, 160}, {NoValue, 1, NoValue, 3, 4});
        Axis* x = CXYChart_xAxis(c.get());
        CAxis_setDateScale(x, 100, 160, 0, 0);   // 300 pixels for 60 s: 5 pixels a second
        QCOMPARE(CXYChart_getNearestXValue(c.get(), 50), 100.0);
        QCOMPARE(CXYChart_getNearestXValue(c.get(), 50 + 5 * 9), 110.0);   // a sample with a missing value counts
        QCOMPARE(CXYChart_getNearestXValue(c.get(), 50 + 5 * 21), 130.0);
        QCOMPARE(CXYChart_getNearestXValue(c.get(), 0), 100.0);            // left of the plot area
        QCOMPARE(CXYChart_getNearestXValue(c.get(), 1000), 160.0);
    }

    void xIndexOf()
    {
        auto c = makeChart({10, 20, 20.5, 20, 30}, {1, 2, 3, 4, 5});
        Layer* layer = CXYChart_getLayerByZ(c.get(), 0);
        QCOMPARE(CLayer_getXIndexOf(layer, 10, 0), 0);
        QCOMPARE(CLayer_getXIndexOf(layer, 20, 0), 3);      // the newest of equal x values
        QCOMPARE(CLayer_getXIndexOf(layer, 20.4, 0), -1);
        QCOMPARE(CLayer_getXIndexOf(layer, NoValue, 0), -1);
        DataSet* ds = CLayer_getDataSetByZ(layer, 0);
        QCOMPARE(CDataSet_getValue(ds, -1), NoValue);
        QCOMPARE(CDataSet_getValue(ds, 5), NoValue);
    }

    void gapsBreakTheLine()
    {
        // Missing, NaN and infinite values all leave a gap.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        auto c = makeChart({1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, nan, 4, 5, NoValue, 7, -inf});
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

    void tinyAndEmptyCharts()
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

    void renderedImageHasChartSize()
    {
        auto c = makeChart({1, 2, 3}, {1, 3, 2});
        CDrawArea_circle(CBaseChart_initDynamicLayer(c.get()), 300, 8, 4, 4, 0xff0000, 0xff0000);
        for (int format : {int(BMP), int(PNG)}) {
            const char* data = nullptr;
            int len = 0;
            QVERIFY(CBaseChart_makeChart2(c.get(), format, &data, &len));
            const QImage img = QImage::fromData(reinterpret_cast<const uchar*>(data), len);
            QCOMPARE(img.size(), QSize(400, 200));
            QCOMPARE(img.pixel(300, 8) & 0xffffff, 0xff0000u);    // the dynamic layer, right way up
            QCOMPARE(img.pixel(300, 191) & 0xffffff, 0xf4f4f4u);
        }
    }
};

QTEST_MAIN(TestChartLayer)
#include "test_chartlayer.moc"
