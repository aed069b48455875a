// ChartView and its host label: the 240-sample window, gaps, the
// track cursor (line, time label, dot and bubble) and awkward host sizes.

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>

#include "chartimpl.h"
#include "chartview.h"
#include "globals.h"
#include "qchartviewer.h"
#include "qchartviewerlabel.h"
#include "zqchart.h"

using namespace zqchart;

namespace {

// A shown window with one host label of the given size and its chart.
struct Bench
{
    QWidget window;
    QChartViewerLabel* host;
    std::unique_ptr<ChartView> chart;

    explicit Bench(QSize size, int channel = 1)
    {
        window.resize(size.width() + 20, size.height() + 20);
        host = new QChartViewerLabel(&window);
        host->setGeometry(QRect(QPoint(10, 10), size));
        chart = std::make_unique<ChartView>(host, channel, nullptr);
        chart->viewer()->setUpdateInterval(0);
        window.show();
        QApplication::processEvents();
    }
    QChartViewer* viewer() const { return chart->viewer(); }
    XYChart* xy() const { return dynamic_cast<XYChart*>(viewer()->getChart()); }
    zqchart::ChartImpl* impl() const { return xy()->impl(); }
    // Samples t0, t0 + step ... (n of them) with values 10 + i / 10, drawn once.
    void fill(double t0, int n, double step = 1)
    {
        viewer()->blockSignals(true);
        for (int i = 0; i < n; ++i)
            chart->setData(t0 + i * step, 10 + i / 10.0);
        viewer()->blockSignals(false);
        viewer()->updateViewPort(true, false);
    }
    std::vector<DrawArea::Op> ops(DrawArea::Op::Kind kind) const
    {
        std::vector<DrawArea::Op> out;
        for (auto const& op : impl()->dynamicLayer->ops)
            if (op.kind == kind)
                out.push_back(op);
        return out;
    }
    DrawArea::Op trackLine() const { return ops(DrawArea::Op::Line).at(0); }
    DrawArea::Op timeLabel() const { return ops(DrawArea::Op::Text).at(0); }
    DrawArea::Op bubble() const { return ops(DrawArea::Op::Text).at(1); }
};

QString textOf(DrawArea::Op const& op)
{
    QString s;
    for (auto const& run : op.text->runs)
        s += run.text;
    return s.trimmed();
}

} // namespace

class TestChartView : public QObject
{
    Q_OBJECT
private slots:
    void emptyChart()
    {
        Bench b(QSize(400, 200));
        b.chart->clear();
        QCOMPARE(CXYChart_getLayerCount(b.xy()), 0);
        QCOMPARE(b.trackLine().x1, 385);          // the cursor stands at the right edge
        QVERIFY(b.timeLabel().text->blank);       // no time to show
        QCOMPARE(b.ops(DrawArea::Op::Text).size(), size_t(1));   // no bubble
    }

    void windowOf240Samples()
    {
        Bench b(QSize(400, 200));
        const double* ts = b.chart->timeStamps();
        const double* vs = b.chart->values();
        b.fill(1000, 240);
        b.chart->setData(1239, 99);               // the same x replaces the newest value
        QCOMPARE(ts[0], 1000.0);
        QCOMPARE(ts[239], 1239.0);
        QCOMPARE(vs[239], 99.0);
        QCOMPARE(vs[238], 10 + 238 / 10.0);

        b.chart->setData(1240, 5);                // the 241st distinct sample drops the first
        QCOMPARE(ts[0], 1001.0);
        QCOMPARE(ts[239], 1240.0);

        b.chart->setData(10, 6);                  // an older x is appended all the same
        QCOMPARE(ts[239], 10.0);
        QCOMPARE(ts[238], 1240.0);

        b.chart->clear();
        for (int i = 0; i < ChartView::SampleCount; ++i)
            QVERIFY(ts[i] == NoValue && vs[i] == NoValue);
    }

    void axisSpansTheLastPollPeriods()
    {
        Bench b(QSize(600, 300));
        const double t0 = chartTime2(1700000000) + 0.5;
        for (int n : {1, 10, 300}) {
            b.chart->clear();
            b.fill(t0, n);
            const double last = t0 + n - 1;
            b.impl()->layout();
            QCOMPARE(b.impl()->xAxis.scale.lower, last - 240);
            QCOMPARE(b.impl()->xAxis.scale.upper, last);
        }
        // The span follows the poll period: 240 periods of 500 ms.
        const int saved = DataInterval;
        DataInterval = 500;
        b.chart->setData(t0 + 1000, 1);
        b.impl()->layout();
        QCOMPARE(b.impl()->xAxis.scale.lower, t0 + 1000 - 120);
        DataInterval = saved;
    }

    void missingSamples_data()
    {
        QTest::addColumn<double>("missing");
        QTest::newRow("no value") << NoValue;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
    }

    void missingSamples()
    {
        QFETCH(double, missing);
        Bench b(QSize(400, 200), 3);
        b.fill(1000, 100);
        b.chart->setData(1100, missing);
        // The cursor at the newest sample finds no value: a dot at the bottom and "N/A";
        // the line itself breaks there (see the chart layer's gap test).
        QCOMPARE(textOf(b.bubble()), QStringLiteral("N/A"));
        QCOMPARE(b.ops(DrawArea::Op::Ellipse).size(), size_t(1));

        // A value with two decimals once there is one again, in a box of the line's colour.
        b.chart->setData(1101, 20);
        QCOMPARE(textOf(b.bubble()), QStringLiteral("20.00"));
        QCOMPARE(b.bubble().text->runs.at(0).bgColor, 0x151515);
        DataSet* ds = CLayer_getDataSetByZ(CXYChart_getLayerByZ(b.xy(), 0), 0);
        QCOMPARE(QString::fromLatin1(CDataSet_getDataName(ds)), QStringLiteral("CH3"));
    }

    void bubbleAlignment()
    {
        Bench b(QSize(400, 200));
        b.fill(1000, 240);
        XYChart* c = b.xy();
        const int middle = (45 + 385) / 2;
        // Right half: right-aligned 5 pixels left of the line; left half and the middle itself:
        // left-aligned 5 pixels right of it.
        bool sawMiddle = false;
        for (int mouseX : {45, middle - 3, middle - 2, middle - 1, middle, middle + 1, middle + 2, 385}) {
            b.chart->trackLineLegend(c, mouseX);
            const int xCoor = b.trackLine().x1;
            const DrawArea::Op bubble = b.bubble();
            if (xCoor > middle) {
                QCOMPARE(bubble.alignment, int(Right));
                QCOMPARE(bubble.x1, xCoor - 5);
            } else {
                QCOMPARE(bubble.alignment, int(Left));
                QCOMPARE(bubble.x1, xCoor + 5);
            }
            sawMiddle = sawMiddle || xCoor == middle;
            const auto dot = b.ops(DrawArea::Op::Ellipse).at(0);
            QCOMPARE(dot.x1, xCoor);
            QCOMPARE(bubble.y1, dot.y1);
        }
        QVERIFY(sawMiddle);
    }

    void timeLabelStaysInsideTheChart()
    {
        Bench b(QSize(400, 200));
        // Samples two seconds apart: the older half lies left of the plot area.
        const double t0 = chartTime2(1700000000);
        b.fill(t0, 240, 2);
        XYChart* c = b.xy();

        b.chart->trackLineLegend(c, 0);
        QVERIFY(b.trackLine().x1 < 20);
        DrawArea::Op label = b.timeLabel();
        QCOMPARE(label.x1, 0);
        QCOMPARE(label.y1, 170 + 6);              // under the plot area

        b.chart->trackLineLegend(c, 385);
        label = b.timeLabel();
        QCOMPARE(label.x1 + label.text->width, 390);
        QCOMPARE(textOf(label), QString::fromUtf8(CAxis_getFormattedLabel(CXYChart_xAxis(c), t0 + 478, "hh:nn:ss")));

        b.chart->trackLineLegend(c, 215);         // centred under the line in between
        label = b.timeLabel();
        QVERIFY(qAbs(label.x1 + label.text->width / 2 - b.trackLine().x1) <= 1);
    }

    void cursorFollowsTheMouse()
    {
        Bench b(QSize(400, 200));
        b.fill(1000, 240);
        QChartViewer* v = b.viewer();
        const QPoint pos(100, 80);
        QMouseEvent move(QEvent::MouseMove, pos, v->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(v, &move);
        QTRY_COMPARE(v->getChartMouseX(), 100);
        QVERIFY(qAbs(b.trackLine().x1 - 100) <= 1);

        // A new sample redraws the chart with the cursor still under the mouse.
        b.chart->setData(1240, 1);
        QVERIFY(qAbs(b.trackLine().x1 - 100) <= 1);

        // Once the mouse has left the chart the cursor returns to the newest sample.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(v, &leave);
        b.chart->setData(1241, 2);
        QCOMPARE(b.trackLine().x1, 385);
    }

    void tinyHosts_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("zero") << QSize(0, 0);
        QTest::newRow("one pixel") << QSize(1, 1);
        QTest::newRow("narrower than the margins") << QSize(8, 200);
        QTest::newRow("lower than the margins") << QSize(400, 30);
        QTest::newRow("both") << QSize(50, 40);
    }

    void tinyHosts()
    {
        QFETCH(QSize, size);
        Bench b(size);
        b.fill(1000, 5);
        b.chart->setData(1005, NoValue);
        QVERIFY(b.xy());
        QVERIFY(b.viewer()->width() >= 1 && b.viewer()->height() >= 1);
        for (int x : {-10, 0, 45, 1000})
            b.chart->trackLineLegend(b.xy(), x);
        b.viewer()->updateDisplay();
        b.host->resize(0, 0);
        b.host->resize(300, 150);
        QCOMPARE(b.viewer()->size(), QSize(290, 150));
    }

    void hostGoneBeforeChartView()
    {
        auto window = std::make_unique<QWidget>();
        auto* host = new QChartViewerLabel(window.get());
        host->resize(300, 150);
        ChartView chart(host, 1, nullptr);
        chart.setData(1, 2);
        window.reset();                           // the form goes first, with host and viewer
        QCOMPARE(chart.viewer(), nullptr);
        chart.setData(2, 3);                      // still safe
        chart.clear();
    }

    // Samples within the viewer's update interval are drawn together, once.
    void updateIntervalMergesSamples()
    {
        Bench b(QSize(300, 150));
        b.viewer()->setUpdateInterval(20);        // the viewer's own interval, as the panels have it
        const int before = b.viewer()->renderCount();
        b.chart->setData(1, 1);                   // drawn at once
        b.chart->setData(2, 2);                   // these two wait for the interval ...
        b.chart->setData(3, 3);
        QCOMPARE(b.viewer()->renderCount(), before + 1);
        QTRY_COMPARE(b.viewer()->renderCount(), before + 2);   // ... and are drawn together
        QTest::qWait(60);
        QCOMPARE(b.viewer()->renderCount(), before + 2);       // nothing more was asked for
        QCOMPARE(b.impl()->xAxis.upper, 3.0);
    }
};

QTEST_MAIN(TestChartView)
#include "test_chartview.moc"
