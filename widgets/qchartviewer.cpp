#include "qchartviewer.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QCursor>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A mouse move this soon (processor time) after the last committed one is held back;
// a held move is replaced by newer ones for at most this long.
constexpr long kMinMoveIntervalMs = 10;
constexpr long kMaxHoldMs = 250;

// ---- cursors shared by all viewers --------------------------------------------

enum CursorId { ZoomInCursor, ZoomOutCursor, NoZoomCursor, ScrollHCursor, ScrollVCursor, ScrollHVCursor, CursorCount };

constexpr int kCursorSize = 32;
constexpr int kHotSpot = 15;

using Shape = std::array<std::array<bool, kCursorSize>, kCursorSize>;   // [y][x], true = black

QCursor* g_cursors[CursorCount] = {};

void deleteCursors()
{
    for (QCursor*& c : g_cursors) {
        delete c;
        c = nullptr;
    }
}

void drawMagnifier(Shape& s, int sign)
{
    const double cx = 12, cy = 12;
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const double r = std::hypot(x - cx, y - cy);
            const bool ring = r >= 6.5 && r <= 8.6;
            // Handle from the lens towards the lower right, three pixels thick.
            const double t = std::clamp(((x - 18) + (y - 18)) / 2.0, 0.0, 8.0);
            const bool handle = std::hypot(x - (18 + t), y - (18 + t)) <= 1.6;
            const bool bar = std::abs(y - 12) <= 1 && std::abs(x - 12) <= 4;
            const bool post = std::abs(x - 12) <= 1 && std::abs(y - 12) <= 4;
            s[y][x] = ring || handle || (sign != 0 && bar) || (sign > 0 && post);
        }
    }
}

// Triangles pointing away from the centre along the chosen axes, and a small diamond.
void drawScroll(Shape& s, bool horizontal, bool vertical)
{
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const int dx = x - kHotSpot, dy = y - kHotSpot;
            bool on = std::abs(dx) + std::abs(dy) <= 2;
            // A triangle with its tip 12 pixels out and its base 5 pixels out, 6 pixels wide each way.
            auto triangle = [](int along, int across) {
                return along >= 5 && along <= 12 && std::abs(across) <= (12 - along);
            };
            if (horizontal)
                on = on || triangle(dx, dy) || triangle(-dx, dy);
            if (vertical)
                on = on || triangle(dy, dx) || triangle(-dy, dx);
            s[y][x] = on;
        }
    }
}

// Builds the cursor from two bit planes: A marks what is not black, B the white outline;
// image = NOT (A OR B), mask = (NOT A) OR B.
QCursor* makeCursor(Shape const& black)
{
    QByteArray image(kCursorSize * kCursorSize / 8, '\0');
    QByteArray mask(kCursorSize * kCursorSize / 8, '\0');
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            bool outline = false;
            for (int oy = -1; oy <= 1 && !outline; ++oy) {
                for (int ox = -1; ox <= 1; ++ox) {
                    const int nx = x + ox, ny = y + oy;
                    if (nx >= 0 && ny >= 0 && nx < kCursorSize && ny < kCursorSize && black[ny][nx]) {
                        outline = true;
                        break;
                    }
                }
            }
            const bool a = !black[y][x];
            const bool b = outline && !black[y][x];
            const int byte = y * (kCursorSize / 8) + x / 8;
            const char bit = char(0x80 >> (x % 8));
            if (!(a || b))
                image[byte] = char(image[byte] | bit);
            if (!a || b)
                mask[byte] = char(mask[byte] | bit);
        }
    }
    const QSize size(kCursorSize, kCursorSize);
    const QBitmap bitmap = QBitmap::fromData(size, reinterpret_cast<const uchar*>(image.constData()), QImage::Format_Mono);
    const QBitmap maskBitmap = QBitmap::fromData(size, reinterpret_cast<const uchar*>(mask.constData()), QImage::Format_Mono);
    return new QCursor(bitmap, maskBitmap, kHotSpot, kHotSpot);
}

QCursor const& sharedCursor(CursorId id)
{
    if (!g_cursors[id]) {
        static bool registered = false;
        if (!registered) {
            qAddPostRoutine(deleteCursors);
            registered = true;
        }
        Shape s{};
        switch (id) {
        case ZoomInCursor: drawMagnifier(s, 1); break;
        case ZoomOutCursor: drawMagnifier(s, -1); break;
        case NoZoomCursor: drawMagnifier(s, 0); break;
        case ScrollHCursor: drawScroll(s, true, false); break;
        case ScrollVCursor: drawScroll(s, false, true); break;
        default: drawScroll(s, true, true); break;
        }
        g_cursors[id] = makeCursor(s);
    }
    return *g_cursors[id];
}

long processorMsSince(std::clock_t then)
{
    return long((std::clock() - then) * 1000 / CLOCKS_PER_SEC);
}

} // namespace

QChartViewer::QChartViewer(QWidget* parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

QChartViewer::~QChartViewer()
{
    CImageMapHandler_destroy(m_hotSpotTester);
    delete m_delayedMouseEvent;
}

// ---- chart and display -----------------------------------------------------------

void QChartViewer::setChart(BaseChart* c)
{
    m_currentChart = c;
    m_currentRef.reset(c ? new ChartReference(c) : nullptr);
    setImageMap(nullptr);
    if (c) {
        CViewPortManager_commitPendingSyncAxis(getInternalPtr(), c);
        if (m_delayUpdateChart != 0)
            CBaseChart_makeChart3(c);
    }
    updateDisplay();
}

BaseChart* QChartViewer::getChart()
{
    return m_currentRef && m_currentRef->sharesContentWith(m_currentChart) ? m_currentChart : nullptr;
}

void QChartViewer::updateDisplay()
{
    if (m_delayUpdateChart == 0) {
        commitUpdateChart();
    } else {
        m_delayUpdateChart = 2;
        m_delayedChart.reset(m_currentRef ? new ChartReference(m_currentRef.get()) : nullptr);
    }
}

void QChartViewer::commitUpdateChart()
{
    if (m_delayUpdateChart == 1) {
        m_delayUpdateChart = 0;
        return;
    }
    BaseChart* chart = m_delayUpdateChart == 2 ? m_delayedChart.get() : m_currentRef.get();
    QPixmap pixmap;
    const char* metrics = nullptr;
    if (chart) {
        const char* data = nullptr;
        int len = 0;
        if (CBaseChart_makeChart2(chart, zqchart::BMP, &data, &len))
            pixmap.loadFromData(reinterpret_cast<const uchar*>(data), uint(len));
        setFixedSize(CBaseChart_getWidth(chart), CBaseChart_getHeight(chart));
        metrics = CBaseChart_getChartMetrics(chart);
        ++m_renderCount;
    }
    setPixmap(pixmap);
    CViewPortManager_setChartMetrics(getInternalPtr(), metrics);
    m_delayUpdateChart = 0;
    m_delayedChart.reset();
}

void QChartViewer::updateViewPort(bool needUpdateChart, bool needUpdateImageMap)
{
    if (m_isInViewPortChanged)
        return;
    m_needUpdateChart = m_needUpdateChart || needUpdateChart;
    m_needUpdateImageMap = needUpdateImageMap;
    if (m_holdTimerActive)
        return;

    const bool inMouseMove = m_delayUpdateChart != 0;
    if (!inMouseMove)
        m_delayUpdateChart = 1;
    CViewPortManager_validateViewPort(getInternalPtr());
    m_isInViewPortChanged = true;
    emit viewPortChanged();
    m_isInViewPortChanged = false;
    if (!inMouseMove)
        commitUpdateChart();

    m_needUpdateChart = false;
    m_needUpdateImageMap = false;
    if (m_updateInterval > 0) {
        m_holdTimerId = startTimer(m_updateInterval, Qt::CoarseTimer);
        m_holdTimerActive = true;
    }
}

void QChartViewer::removeDynamicLayer(const char* msg)
{
    m_autoHideMsg = msg ? QString::fromUtf8(msg).toLower() : QString();
    if (m_autoHideMsg == QLatin1String("now"))
        applyAutoHide(QStringLiteral("now"));
}

void QChartViewer::applyAutoHide(QString const& eventName)
{
    if (m_autoHideMsg != eventName)
        return;
    if (m_currentRef)
        CBaseChart_removeDynamicLayer(m_currentRef.get());
    m_autoHideMsg.clear();
    updateDisplay();
}

// ---- image map and plain settings ---------------------------------------------------

void QChartViewer::setImageMap(const char* imageMap)
{
    CImageMapHandler_destroy(m_hotSpotTester);
    m_hotSpotTester = nullptr;
    m_currentHotSpot = -1;
    m_isClickable = false;
    if (imageMap && *imageMap)
        m_hotSpotTester = CImageMapHandler_create(imageMap);
}

ImageMapHandlerInternal* QChartViewer::getImageMapHandler() { return m_hotSpotTester; }
void QChartViewer::setDefaultToolTip(QString text) { m_defaultToolTip = text; }
void QChartViewer::setSelectionBorderWidth(int width) { m_selectBoxLineWidth = width; }
int QChartViewer::getSelectionBorderWidth() { return m_selectBoxLineWidth; }

void QChartViewer::setSelectionBorderColor(QColor c)
{
    m_selectBoxLineColor = c;
    for (QLabel* edge : {m_leftLine, m_rightLine, m_topLine, m_bottomLine}) {
        if (edge) {
            QPalette p(c, c);
            edge->setPalette(p);
        }
    }
}

QColor QChartViewer::getSelectionBorderColor() { return m_selectBoxLineColor; }
void QChartViewer::setMouseUsage(int mouseUsage) { m_mouseUsage = mouseUsage; }
int QChartViewer::getMouseUsage() { return m_mouseUsage; }
void QChartViewer::setZoomDirection(int direction) { m_zoomDirection = direction; }
int QChartViewer::getZoomDirection() { return m_zoomDirection; }
void QChartViewer::setScrollDirection(int direction) { m_scrollDirection = direction; }
int QChartViewer::getScrollDirection() { return m_scrollDirection; }
void QChartViewer::setZoomInRatio(double ratio) { m_zoomInRatio = ratio; }
double QChartViewer::getZoomInRatio() { return m_zoomInRatio; }
void QChartViewer::setZoomOutRatio(double ratio) { m_zoomOutRatio = ratio; }
double QChartViewer::getZoomOutRatio() { return m_zoomOutRatio; }
void QChartViewer::setMinimumDrag(int offset) { m_minDragAmount = offset; }
int QChartViewer::getMinimumDrag() { return m_minDragAmount; }
void QChartViewer::setUpdateInterval(int interval) { m_updateInterval = interval; }
int QChartViewer::getUpdateInterval() { return m_updateInterval; }
bool QChartViewer::needUpdateChart() { return m_needUpdateChart; }
bool QChartViewer::needUpdateImageMap() { return m_needUpdateImageMap; }
bool QChartViewer::isInMouseMoveEvent() { return m_isInMouseMove; }
bool QChartViewer::isInViewPortChangedEvent() { return m_isInViewPortChanged; }
int QChartViewer::getChartMouseX() { return m_chartMouseX; }
int QChartViewer::getChartMouseY() { return m_chartMouseY; }

bool QChartViewer::isMouseOnPlotArea()
{
    return m_isMouseOnChart && CViewPortManager_inExtendedPlotArea(getInternalPtr(), m_chartMouseX, m_chartMouseY);
}

int QChartViewer::getPlotAreaMouseX()
{
    ViewPortManagerInternal* vp = getInternalPtr();
    const int left = CViewPortManager_getPlotAreaLeft(vp);
    return std::min(std::max(m_chartMouseX, left), left + CViewPortManager_getPlotAreaWidth(vp));
}

int QChartViewer::getPlotAreaMouseY()
{
    ViewPortManagerInternal* vp = getInternalPtr();
    const int top = CViewPortManager_getPlotAreaTop(vp);
    return std::min(std::max(m_chartMouseY, top), top + CViewPortManager_getPlotAreaHeight(vp));
}

// ---- timers and mouse -----------------------------------------------------------------

void QChartViewer::timerEvent(QTimerEvent* event)
{
    if (m_delayedMouseEvent && event->timerId() == m_delayedMouseEventTimerId) {
        onDelayedMouseMove();
    } else if (m_holdTimerActive && event->timerId() == m_holdTimerId) {
        killTimer(m_holdTimerId);
        m_holdTimerActive = false;
        if (m_needUpdateChart || m_needUpdateImageMap)
            updateViewPort(m_needUpdateChart, m_needUpdateImageMap);
    }
}

void QChartViewer::onDelayedMouseMove()
{
    if (!m_delayedMouseEvent)
        return;
    std::unique_ptr<QMouseEvent> held(m_delayedMouseEvent);
    m_delayedMouseEvent = nullptr;
    killTimer(m_delayedMouseEventTimerId);
    commitMouseMove(held.get());
}

void QChartViewer::mouseMoveEvent(QMouseEvent* event)
{
    m_isMouseOnChart = true;
    emit mouseMove(event);

    const long elapsed = processorMsSince(m_lastMouseMove);
    if (elapsed >= kMinMoveIntervalMs && !(m_delayedMouseEvent && elapsed < kMaxHoldMs)) {
        commitMouseMove(event);
    } else {
        if (!m_delayedMouseEvent)
            m_delayedMouseEventTimerId = startTimer(1, Qt::CoarseTimer);
        else
            delete m_delayedMouseEvent;
        const QPointF pos(std::round(event->localPos().x()), std::round(event->localPos().y()));
        const QPointF global(std::round(event->screenPos().x()), std::round(event->screenPos().y()));
        m_delayedMouseEvent = new QMouseEvent(event->type(), pos, global, event->button(),
                                              event->buttons(), event->modifiers());
    }
    onSetCursor();
}

void QChartViewer::commitMouseMove(QMouseEvent* event)
{
    ViewPortManagerInternal* vp = getInternalPtr();
    m_chartMouseX = int(std::lround(event->localPos().x()));
    m_chartMouseY = int(std::lround(event->localPos().y()));
    m_delayUpdateChart = 1;
    m_isInMouseMove = true;

    if (m_isPlotAreaMouseDown) {
        m_isInPlotArea = true;
        onPlotAreaMouseDrag(event);
    } else {
        m_isInPlotArea = CViewPortManager_inPlotArea(vp, m_chartMouseX, m_chartMouseY);
    }

    emit mouseMoveChart(event);

    if (CViewPortManager_inExtendedPlotArea(vp, m_chartMouseX, m_chartMouseY)) {
        m_isMouseOnPlotArea = true;
        emit mouseMovePlotArea(event);
    } else if (m_isMouseOnPlotArea) {
        m_isMouseOnPlotArea = false;
        emit mouseLeavePlotArea(event);
        applyAutoHide(QStringLiteral("mouseleaveplotarea"));
    }

    if (event->buttons() != Qt::NoButton) {
        QToolTip::showText(event->globalPos(), QString());
    } else {
        const int hotSpot = m_hotSpotTester ? CImageMapHandler_getHotSpot(m_hotSpotTester, m_chartMouseX, m_chartMouseY) : 0;
        if (hotSpot != m_currentHotSpot) {
            m_currentHotSpot = hotSpot;
            if (hotSpot == 0) {
                m_isClickable = false;
                QToolTip::showText(event->globalPos(), m_defaultToolTip);
            } else {
                m_isClickable = *CImageMapHandler_getValue(m_hotSpotTester, "path") != '\0';
                QToolTip::showText(event->globalPos(),
                                   QString::fromUtf8(CImageMapHandler_getValue(m_hotSpotTester, "title")));
            }
        }
    }

    if (m_delayedMouseEvent) {
        killTimer(m_delayedMouseEventTimerId);
        delete m_delayedMouseEvent;
        m_delayedMouseEvent = nullptr;
    }
    commitUpdateChart();
    m_isInMouseMove = false;
    m_lastMouseMove = std::clock();
}

bool QChartViewer::isDrag(int direction, QMouseEvent* event)
{
    const int dx = int(std::lround(event->localPos().x())) - m_plotAreaMouseDownXPos;
    const int dy = int(std::lround(event->localPos().y())) - m_plotAreaMouseDownYPos;
    if (direction == 1)
        return std::abs(dy) >= m_minDragAmount;
    return std::abs(dx) >= m_minDragAmount || (direction != 0 && std::abs(dy) >= m_minDragAmount);
}

void QChartViewer::onPlotAreaMouseDrag(QMouseEvent* event)
{
    ViewPortManagerInternal* vp = getInternalPtr();
    const int x = m_chartMouseX;
    const int y = m_chartMouseY;
    if (m_mouseUsage == 1) {
        if (!m_isDragScrolling) {
            if (!isDrag(m_scrollDirection, event))
                return;
            m_isDragScrolling = true;
        }
        if (CViewPortManager_dragTo(vp, m_scrollDirection, x - m_plotAreaMouseDownXPos, y - m_plotAreaMouseDownYPos))
            updateViewPort(true, false);
    } else if (m_mouseUsage == 3) {
        if (CViewPortManager_canZoomIn(vp, m_zoomDirection) && isDrag(m_zoomDirection, event)) {
            const int left = CViewPortManager_getPlotAreaLeft(vp);
            const int top = CViewPortManager_getPlotAreaTop(vp);
            if (m_zoomDirection == 1)
                drawSelectionRect(left, y, CViewPortManager_getPlotAreaWidth(vp), m_plotAreaMouseDownYPos - y);
            else if (m_zoomDirection == 0)
                drawSelectionRect(x, top, m_plotAreaMouseDownXPos - x, CViewPortManager_getPlotAreaHeight(vp));
            else
                drawSelectionRect(x, y, m_plotAreaMouseDownXPos - x, m_plotAreaMouseDownYPos - y);
            setSelectionRectVisible(true);
        } else {
            setSelectionRectVisible(false);
        }
    }
}

void QChartViewer::drawSelectionRect(int x, int y, int width, int height)
{
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    if (!m_leftLine) {
        for (QLabel** edge : {&m_leftLine, &m_rightLine, &m_topLine, &m_bottomLine}) {
            *edge = new QLabel(this);
            (*edge)->setAutoFillBackground(true);
        }
        setSelectionBorderColor(m_selectBoxLineColor);
    }
    const int b = m_selectBoxLineWidth;
    m_topLine->setGeometry(x, y, width, b);
    m_leftLine->setGeometry(x, y, b, height);
    m_bottomLine->setGeometry(x, y + height + 1 - b, width, b);
    m_rightLine->setGeometry(x + width + 1 - b, y, b, height);
}

void QChartViewer::setSelectionRectVisible(bool visible)
{
    for (QLabel* edge : {m_leftLine, m_rightLine, m_topLine, m_bottomLine}) {
        if (edge)
            edge->setVisible(visible);
    }
}

void QChartViewer::mousePressEvent(QMouseEvent* event)
{
    onDelayedMouseMove();
    if (event->button() != Qt::LeftButton)
        return;
    const int x = int(std::lround(event->localPos().x()));
    const int y = int(std::lround(event->localPos().y()));
    if (CViewPortManager_inPlotArea(getInternalPtr(), x, y) && m_mouseUsage != 0) {
        m_isPlotAreaMouseDown = true;
        m_plotAreaMouseDownXPos = x;
        m_plotAreaMouseDownYPos = y;
        CViewPortManager_startDrag(getInternalPtr());
    }
}

void QChartViewer::mouseReleaseEvent(QMouseEvent* event)
{
    onDelayedMouseMove();
    ViewPortManagerInternal* vp = getInternalPtr();
    if (event->button() == Qt::LeftButton && m_isPlotAreaMouseDown) {
        m_isPlotAreaMouseDown = false;
        setSelectionRectVisible(false);
        const int x = int(std::lround(event->localPos().x()));
        const int y = int(std::lround(event->localPos().y()));
        bool changed = false;
        if (m_mouseUsage == 3) {
            if (CViewPortManager_canZoomIn(vp, m_zoomDirection)) {
                changed = isDrag(m_zoomDirection, event)
                    ? CViewPortManager_zoomTo(vp, m_zoomDirection, m_plotAreaMouseDownXPos, m_plotAreaMouseDownYPos, x, y)
                    : CViewPortManager_zoomAt(vp, m_zoomDirection, x, y, m_zoomInRatio);
            }
        } else if (m_mouseUsage == 4) {
            if (CViewPortManager_canZoomOut(vp, m_zoomDirection))
                changed = CViewPortManager_zoomAt(vp, m_zoomDirection, x, y, m_zoomOutRatio);
        } else if (!m_isDragScrolling) {
            emit clicked(event);
        } else {
            updateViewPort(false, true);
        }
        m_isDragScrolling = false;
        if (changed)
            updateViewPort(true, true);
    } else {
        emit clicked(event);
    }
    onSetCursor();
}

void QChartViewer::wheelEvent(QWheelEvent* event)
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&QChartViewer::mouseWheel))) {
        event->ignore();
        return;
    }
    onDelayedMouseMove();
    emit mouseWheel(event);
}

void QChartViewer::leaveEvent(QEvent* event)
{
    onDelayedMouseMove();
    m_isMouseOnChart = false;
    if (m_isMouseOnPlotArea) {
        m_isMouseOnPlotArea = false;
        emit mouseLeavePlotArea(event);
        applyAutoHide(QStringLiteral("mouseleaveplotarea"));
    }
    emit mouseLeaveChart(event);
    applyAutoHide(QStringLiteral("mouseleavechart"));
}

void QChartViewer::onSetCursor()
{
    ViewPortManagerInternal* vp = getInternalPtr();
    if (m_isDragScrolling) {
        setCursor(sharedCursor(m_scrollDirection == 1 ? ScrollVCursor
                         : m_scrollDirection == 0 ? ScrollHCursor : ScrollHVCursor));
    } else if (m_isInPlotArea && m_mouseUsage == 4) {
        setCursor(sharedCursor(CViewPortManager_canZoomOut(vp, m_zoomDirection) ? ZoomOutCursor : NoZoomCursor));
    } else if (m_isInPlotArea && m_mouseUsage == 3) {
        setCursor(sharedCursor(CViewPortManager_canZoomIn(vp, m_zoomDirection) ? ZoomInCursor : NoZoomCursor));
    } else if (m_isClickable) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}
