// QChartViewer: batched rendering, the update interval, chart lifetime and the mouse.

#include <QApplication>
#include <QBitmap>
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

void sendButton(QWidget* w, QEvent::Type type, QPoint pos)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestChartViewer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void initialState();
    void rendersOnceInsideViewPortChanged();
    void updateIntervalSpacesUpdates();
    void noIntervalUpdatesAtOnce();
    void nestedUpdateViewPortIsIgnored();
    void deletedChartKeepsItsPicture();
    void deletedWhileDisplayIsDeferred();
    void noChartShowsNothing();
    void plotAreaMouse();
    void clickWithoutMouseUsage();
    void shortDragZoomsIn();
    void cursors();
    void removeDynamicLayerNow();
};

void TestChartViewer::initTestCase()
{
    qRegisterMetaType<QMouseEvent*>();
    qRegisterMetaType<QEvent*>();
}

void TestChartViewer::initialState()
{
    QChartViewer v;
    QVERIFY(v.hasMouseTracking());
    QCOMPARE(v.getChart(), nullptr);
    QCOMPARE(v.getMouseUsage(), 0);
    QCOMPARE(v.getUpdateInterval(), 20);
    QCOMPARE(v.getMinimumDrag(), 5);
    QCOMPARE(v.getZoomInRatio(), 2.0);
    QCOMPARE(v.getZoomOutRatio(), 0.5);
    QCOMPARE(v.getSelectionBorderWidth(), 2);
    QCOMPARE(v.getSelectionBorderColor(), QColor(Qt::black));
    QCOMPARE(v.getImageMapHandler(), nullptr);
    QVERIFY(!v.isMouseOnPlotArea());
}

void TestChartViewer::rendersOnceInsideViewPortChanged()
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
    QCOMPARE(v.getChart(), b.get());
    QCOMPARE(v.size(), QSize(300, 150));
    QCOMPARE(v.pixmap(Qt::ReturnByValue).size(), QSize(300, 150));
    // Outside such a span every updateDisplay renders.
    v.updateDisplay();
    QCOMPARE(v.renderCount(), 2);
}

void TestChartViewer::updateIntervalSpacesUpdates()
{
    QChartViewer v;
    QSignalSpy spy(&v, &QChartViewer::viewPortChanged);
    v.updateViewPort(true, false);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!v.needUpdateChart());
    v.updateViewPort(true, false);
    v.updateViewPort(false, false);
    QCOMPARE(spy.count(), 1);           // waits for the interval
    QVERIFY(v.needUpdateChart());       // and remembers the request
    QTRY_COMPARE(spy.count(), 2);       // served once when the interval ends
    QVERIFY(!v.needUpdateChart());
    QTest::qWait(60);
    QCOMPARE(spy.count(), 2);           // nothing more was asked for
}

void TestChartViewer::noIntervalUpdatesAtOnce()
{
    QChartViewer v;
    v.setUpdateInterval(0);
    QSignalSpy spy(&v, &QChartViewer::viewPortChanged);
    for (int i = 1; i <= 3; ++i) {
        v.updateViewPort(true, false);
        QCOMPARE(spy.count(), i);
    }
}

void TestChartViewer::nestedUpdateViewPortIsIgnored()
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
    QVERIFY(!v.needUpdateImageMap());
}

void TestChartViewer::deletedChartKeepsItsPicture()
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
    v.removeDynamicLayer("now");
}

void TestChartViewer::deletedWhileDisplayIsDeferred()
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

void TestChartViewer::noChartShowsNothing()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));
    v.setChart(c.get());
    v.setChart(nullptr);
    QVERIFY(v.pixmap(Qt::ReturnByValue).isNull());
    sendMove(&v, QPoint(50, 50));
    QVERIFY(!v.isMouseOnPlotArea());
}

void TestChartViewer::plotAreaMouse()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));   // plot area (20, 20) to (180, 80)
    v.setChart(c.get());
    QSignalSpy onPlot(&v, &QChartViewer::mouseMovePlotArea);
    QSignalSpy leftPlot(&v, &QChartViewer::mouseLeavePlotArea);
    QSignalSpy left(&v, &QChartViewer::mouseLeaveChart);

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

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&v, &leave);
    QCOMPARE(left.count(), 1);
}

void TestChartViewer::clickWithoutMouseUsage()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));
    v.setChart(c.get());
    QSignalSpy clicked(&v, &QChartViewer::clicked);
    QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
    sendButton(&v, QEvent::MouseButtonPress, QPoint(100, 50));
    sendMove(&v, QPoint(140, 50), Qt::LeftButton);
    sendButton(&v, QEvent::MouseButtonRelease, QPoint(140, 50));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(v.getViewPortWidth(), 1.0);
}

void TestChartViewer::shortDragZoomsIn()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));
    v.setChart(c.get());
    v.setMouseUsage(3);
    QSignalSpy clicked(&v, &QChartViewer::clicked);
    QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
    // 4 pixels is less than the minimum drag: a click that zooms in at the release point.
    sendButton(&v, QEvent::MouseButtonPress, QPoint(100, 50));
    sendButton(&v, QEvent::MouseButtonRelease, QPoint(104, 50));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(v.getViewPortWidth(), 0.5);
    QCOMPARE(v.getViewPortHeight(), 1.0);
}

void TestChartViewer::cursors()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));
    v.setChart(c.get());
    sendMove(&v, QPoint(100, 50));
    QTRY_COMPARE(v.getChartMouseX(), 100);
    v.onSetCursor();
    QCOMPARE(v.cursor().shape(), Qt::ArrowCursor);   // no mouse usage: no special cursor

    v.setMouseUsage(3);
    v.onSetCursor();
    QCOMPARE(v.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(v.cursor().hotSpot(), QPoint(15, 15));
    QCOMPARE(v.cursor().bitmap(Qt::ReturnByValue).size(), QSize(32, 32));
    const QImage zoomIn = v.cursor().bitmap(Qt::ReturnByValue).toImage();

    v.setMouseUsage(4);                              // nothing to zoom out of: the empty lens
    v.onSetCursor();
    QVERIFY(v.cursor().bitmap(Qt::ReturnByValue).toImage() != zoomIn);

    // Dragging in scroll mode shows the scroll cursor and moves the view port.
    v.setMouseUsage(1);
    v.setViewPortWidth(0.5);
    QSignalSpy changed(&v, &QChartViewer::viewPortChanged);
    sendButton(&v, QEvent::MouseButtonPress, QPoint(100, 50));
    QTest::qWait(20);
    sendMove(&v, QPoint(60, 50), Qt::LeftButton);
    QTRY_COMPARE(v.getChartMouseX(), 60);
    v.onSetCursor();
    QCOMPARE(v.cursor().shape(), Qt::BitmapCursor);
    QVERIFY(v.getViewPortLeft() > 0);
    QCOMPARE(changed.count(), 1);
    sendButton(&v, QEvent::MouseButtonRelease, QPoint(60, 50));
    QCOMPARE(v.cursor().shape(), Qt::ArrowCursor);
}

void TestChartViewer::removeDynamicLayerNow()
{
    QChartViewer v;
    std::unique_ptr<XYChart> c(makeChart(200, 100));
    CDrawArea_circle(CBaseChart_initDynamicLayer(c.get()), 50, 50, 4, 4, 0, 0);
    v.setChart(c.get());
    const int before = v.renderCount();
    v.removeDynamicLayer("NOW");
    QVERIFY(!c->impl()->dynamicLayer);
    QCOMPARE(v.renderCount(), before + 1);
    // An event name only arms the removal.
    CBaseChart_initDynamicLayer(c.get());
    v.removeDynamicLayer("MouseLeaveChart");
    QVERIFY(c->impl()->dynamicLayer);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&v, &leave);
    QVERIFY(!c->impl()->dynamicLayer);
}

QTEST_MAIN(TestChartViewer)
#include "test_chartviewer.moc"
