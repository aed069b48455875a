#ifndef QCHARTVIEWER_H
#define QCHARTVIEWER_H

#include <QColor>
#include <QLabel>
#include <QString>

#include <ctime>
#include <memory>

#include "zqchart.h"

class QMouseEvent;
class QWheelEvent;

// Shows a chart of the charting layer as its pixmap and turns mouse activity over it
// into signals. Redraws are batched: one view-port change or one mouse move renders
// the chart at most once, view-port updates are spaced by the update interval, and
// mouse moves that come too fast are held back and merged.
class QChartViewer : public QLabel, public ViewPortManager
{
    Q_OBJECT
public:
    explicit QChartViewer(QWidget* parent = nullptr);
    ~QChartViewer() override;

    // The chart to show; not owned. A chart deleted by its owner while shown keeps its
    // picture; getChart() then returns null.
    virtual void setChart(BaseChart* c);
    virtual BaseChart* getChart();

    virtual void setImageMap(const char* imageMap);
    virtual ImageMapHandlerInternal* getImageMapHandler();
    virtual void setDefaultToolTip(QString text);
    virtual void setSelectionBorderWidth(int width);
    virtual int getSelectionBorderWidth();
    virtual void setSelectionBorderColor(QColor c);
    virtual QColor getSelectionBorderColor();
    // 0 none; 1 dragging scrolls; 3 zoom in; 4 zoom out; other values: clicks only.
    virtual void setMouseUsage(int mouseUsage);
    virtual int getMouseUsage();
    // 0 horizontal, 1 vertical, other values both.
    virtual void setZoomDirection(int direction);
    virtual int getZoomDirection();
    virtual void setScrollDirection(int direction);
    virtual int getScrollDirection();
    virtual void setZoomInRatio(double ratio);
    virtual double getZoomInRatio();
    virtual void setZoomOutRatio(double ratio);
    virtual double getZoomOutRatio();
    virtual void setMinimumDrag(int offset);
    virtual int getMinimumDrag();
    // Milliseconds between view-port updates; 0 or less updates at once every time.
    virtual void setUpdateInterval(int interval);
    virtual int getUpdateInterval();
    virtual bool needUpdateChart();
    virtual bool needUpdateImageMap();
    virtual bool isMouseOnPlotArea();
    virtual bool isInMouseMoveEvent();
    virtual bool isInViewPortChangedEvent();
    virtual void updateViewPort(bool needUpdateChart, bool needUpdateImageMap);
    virtual void updateDisplay();
    // Removes the dynamic layer on the named event ("mouseleaveplotarea",
    // "mouseleavechart"), or at once for "now".
    virtual void removeDynamicLayer(const char* msg);
    virtual int getChartMouseX();
    virtual int getChartMouseY();
    virtual int getPlotAreaMouseX();
    virtual int getPlotAreaMouseY();
    virtual void onDelayedMouseMove();
    virtual void onSetCursor();

    // How many times a chart picture was rendered onto the label (for tests and diagnostics).
    int renderCount() const { return m_renderCount; }

signals:
    void viewPortChanged();
    void clicked(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseWheel(QWheelEvent* event);
    void mouseMoveChart(QMouseEvent* event);
    void mouseLeaveChart(QEvent* event);
    void mouseMovePlotArea(QMouseEvent* event);
    void mouseLeavePlotArea(QEvent* event);

protected:
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void commitUpdateChart();
    void commitMouseMove(QMouseEvent* event);
    bool isDrag(int direction, QMouseEvent* event);
    void onPlotAreaMouseDrag(QMouseEvent* event);
    void applyAutoHide(QString const& eventName);
    void drawSelectionRect(int x, int y, int width, int height);
    void setSelectionRectVisible(bool visible);

    BaseChart* m_currentChart = nullptr;
    std::unique_ptr<BaseChart> m_currentRef;   // keeps the shown chart's content alive
    ImageMapHandlerInternal* m_hotSpotTester = nullptr;
    QString m_defaultToolTip;
    QColor m_selectBoxLineColor = QColor(0, 0, 0, 255);
    int m_selectBoxLineWidth = 2;
    int m_mouseUsage = 0;
    int m_zoomDirection = 0;
    int m_scrollDirection = 0;
    double m_zoomInRatio = 2.0;
    double m_zoomOutRatio = 0.5;
    int m_minDragAmount = 5;
    int m_updateInterval = 20;
    bool m_needUpdateChart = false;
    bool m_needUpdateImageMap = false;
    bool m_holdTimerActive = false;
    int m_holdTimerId = 0;
    bool m_isInViewPortChanged = false;
    int m_delayUpdateChart = 0;
    std::unique_ptr<BaseChart> m_delayedChart;
    int m_currentHotSpot = -1;
    bool m_isClickable = false;
    bool m_isInPlotArea = false;
    bool m_isPlotAreaMouseDown = false;
    bool m_isDragScrolling = false;
    bool m_isMouseOnChart = false;
    bool m_isInMouseMove = false;
    int m_plotAreaMouseDownXPos = 0;
    int m_plotAreaMouseDownYPos = 0;
    QLabel* m_leftLine = nullptr;
    QLabel* m_rightLine = nullptr;
    QLabel* m_topLine = nullptr;
    QLabel* m_bottomLine = nullptr;
    std::clock_t m_lastMouseMove = 0;
    QMouseEvent* m_delayedMouseEvent = nullptr;
    int m_delayedMouseEventTimerId = 0;
    int m_chartMouseX = 0;
    int m_chartMouseY = 0;
    bool m_isMouseOnPlotArea = false;
    QString m_autoHideMsg;
    int m_renderCount = 0;
};

#endif
