// QChartViewer: batched rendering, the update interval, chart lifetime and the mouse.

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "chartimpl.h"
#include "qchartviewer.h"
#include "zqchart.h"

using namespace zqchart;

Q_DECLARE_METATYPE(QMouseEvent*)
Q_DECLARE_METATYPE(QEvent*)

namespace {

// A chart of the given size with a plot area 20 pixels in from every side.
XYChart* makeChart(int w, int h)
{
    XYChart* c = CXYChart_create(w, h, 0xf4f4f4, 0, 1);
    CXYChart_setPlotArea(c, 20, 20, w - 40, h - 40, 0xffffff, -1, -1, 0xcccccc, 0xcccccc);
    return c;
}

void sendMove(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestChartViewer : public QObject
{
    Q_OBJECT
private slots:
    // QSignalSpy needs the event pointer types the mouse signals carry.
    void initTestCase()
    {
        qRegisterMetaType<QMouseEvent*>();
        qRegisterMetaType<QEvent*>();
    }

    void rendersOnceInsideViewPortChanged()
    {
        QChartViewer v;
        std::unique_ptr<XYChart> a(makeChart(200, 100));
        std::unique_ptr<XYChart> b(makeChart(300, 150));
        connect(&v, &QChartViewer::viewPortChanged, &v, [&] {
            v.setChart(a.get());
            v.updateDisplay();
            v.setChart(b.get());
            v.updateDisplay();
            v.updateDisplay();
        });
        v.updateViewPort(true, false);
        QCOMPARE(v.renderCount(), 1);
        QCOMPARE(v.pixmap(Qt::ReturnByValue).size(), QSize(300, 150));   // the last chart set
        // Outside such a span every updateDisplay renders.
        v.updateDisplay();
        QCOMPARE(v.renderCount(), 2);
    }

    void nestedUpdateViewPortIsIgnored()
    {
        QChartViewer v;
        v.setUpdateInterval(0);
        int calls = 0;
        bool inside = false;
        connect(&v, &QChartViewer::viewPortChanged, &v, [&] {
            ++calls;
            inside = v.isInViewPortChangedEvent();
            v.updateViewPort(true, true);
        });
        v.updateViewPort(true, false);
        QCOMPARE(calls, 1);
        QVERIFY(inside);
        QVERIFY(!v.isInViewPortChangedEvent());
    }

    void deletedChartKeepsItsPicture()
    {
        QChartViewer v;
        XYChart* c = makeChart(160, 90);
        v.setChart(c);
        QCOMPARE(v.renderCount(), 1);
        delete c;
        QCOMPARE(v.getChart(), nullptr);
        v.updateDisplay();                  // renders the content the viewer still holds
        QCOMPARE(v.renderCount(), 2);
        QCOMPARE(v.pixmap(Qt::ReturnByValue).size(), QSize(160, 90));
    }

    void deletedWhileDisplayIsDeferred()
    {
        QChartViewer v;
        connect(&v, &QChartViewer::viewPortChanged, &v, [&] {
            XYChart* c = makeChart(222, 111);
            v.setChart(c);
            delete c;                       // the deferred display still holds it
        });
        v.updateViewPort(true, false);
        QCOMPARE(v.renderCount(), 1);
        QCOMPARE(v.pixmap(Qt::ReturnByValue).size(), QSize(222, 111));
        QCOMPARE(v.getChart(), nullptr);
    }

    void plotAreaMouse()
    {
        QChartViewer v;
        std::unique_ptr<XYChart> c(makeChart(200, 100));   // plot area (20, 20) to (180, 80)
        v.setChart(c.get());
        QSignalSpy onPlot(&v, &QChartViewer::mouseMovePlotArea);
        QSignalSpy leftPlot(&v, &QChartViewer::mouseLeavePlotArea);

        sendMove(&v, QPoint(100, 50));
        QTRY_COMPARE(v.getChartMouseX(), 100);   // a held move is committed by its timer
        QCOMPARE(onPlot.count(), 1);
        QVERIFY(v.isMouseOnPlotArea());
        QCOMPARE(v.getPlotAreaMouseX(), 100);

        sendMove(&v, QPoint(3, 95));
        QTRY_COMPARE(v.getChartMouseX(), 3);
        QCOMPARE(leftPlot.count(), 1);
        QVERIFY(!v.isMouseOnPlotArea());
        QCOMPARE(v.getPlotAreaMouseX(), 20);     // limited to the plot area
        QCOMPARE(v.getPlotAreaMouseY(), 80);
    }

    void clickWithoutMouseUsage()
    {
        QChartViewer v;
        std::unique_ptr<XYChart> c(makeChart(200, 100));
        v.setChart(c.get());
        QSignalSpy clicked(&v, &QChartViewer::clicked);
        QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
        QTest::mousePress(&v, Qt::LeftButton, {}, QPoint(100, 50));
        sendMove(&v, QPoint(140, 50), Qt::LeftButton);
        QTest::mouseRelease(&v, Qt::LeftButton, {}, QPoint(140, 50));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(v.getViewPortWidth(), 1.0);
    }
};

QTEST_MAIN(TestChartViewer)
#include "test_chartviewer.moc"
