// View-port manager and image-map handler of the charting layer.

#include "zqchart.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// The visible part of the data as fractions of the full range, and the plot area of
// the chart on show (from its metrics).
class ViewPortManagerInternal
{
public:
    double left = 0, top = 0, width = 1, height = 1;
    double dragLeft = 0, dragTop = 0;
    double zoomInWidthLimit = 0.01, zoomInHeightLimit = 0.01;
    bool hasPlotArea = false;
    int paLeft = 0, paTop = 0, paWidth = 0, paHeight = 0;

    void validate()
    {
        width = std::clamp(width, std::min(zoomInWidthLimit, 1.0), 1.0);
        height = std::clamp(height, std::min(zoomInHeightLimit, 1.0), 1.0);
        left = std::clamp(left, 0.0, 1.0 - width);
        top = std::clamp(top, 0.0, 1.0 - height);
    }
};

namespace {

// The extended plot area reaches this far beyond the plot area's edges.
constexpr int kExtendedMargin = 5;

bool horizontal(int direction)
{
    return direction != 1;
}

bool vertical(int direction)
{
    return direction != 0;
}

bool setIfChanged(double& member, double value)
{
    if (std::fabs(member - value) < 1e-12)
        return false;
    member = value;
    return true;
}

} // namespace

ViewPortManagerInternal* CViewPortManager_create()
{
    return new ViewPortManagerInternal;
}

void CViewPortManager_destroy(ViewPortManagerInternal* vp)
{
    delete vp;
}

void CViewPortManager_setChartMetrics(ViewPortManagerInternal* vp, const char* metrics)
{
    vp->hasPlotArea = false;
    if (!metrics)
        return;
    std::istringstream in(metrics);
    int l, t, w, h;
    if (in >> l >> t >> w >> h) {
        vp->paLeft = l;
        vp->paTop = t;
        vp->paWidth = std::max(0, w);
        vp->paHeight = std::max(0, h);
        vp->hasPlotArea = true;
    }
}

void CViewPortManager_commitPendingSyncAxis(ViewPortManagerInternal*, BaseChart*)
{
    // The charts of this layer keep no axes bound to the view port: nothing is pending.
}

void CViewPortManager_validateViewPort(ViewPortManagerInternal* vp)
{
    vp->validate();
}

bool CViewPortManager_inPlotArea(ViewPortManagerInternal* vp, int x, int y)
{
    return vp->hasPlotArea && x >= vp->paLeft && x <= vp->paLeft + vp->paWidth
           && y >= vp->paTop && y <= vp->paTop + vp->paHeight;
}

bool CViewPortManager_inExtendedPlotArea(ViewPortManagerInternal* vp, int x, int y)
{
    const int m = kExtendedMargin;
    return vp->hasPlotArea && x >= vp->paLeft - m && x <= vp->paLeft + vp->paWidth + m
           && y >= vp->paTop - m && y <= vp->paTop + vp->paHeight + m;
}

int CViewPortManager_getPlotAreaLeft(ViewPortManagerInternal* vp)
{
    return vp->paLeft;
}

int CViewPortManager_getPlotAreaTop(ViewPortManagerInternal* vp)
{
    return vp->paTop;
}

int CViewPortManager_getPlotAreaWidth(ViewPortManagerInternal* vp)
{
    return vp->paWidth;
}

int CViewPortManager_getPlotAreaHeight(ViewPortManagerInternal* vp)
{
    return vp->paHeight;
}

void CViewPortManager_startDrag(ViewPortManagerInternal* vp)
{
    vp->dragLeft = vp->left;
    vp->dragTop = vp->top;
}

bool CViewPortManager_dragTo(ViewPortManagerInternal* vp, int direction, int dx, int dy)
{
    const double oldLeft = vp->left, oldTop = vp->top;
    if (horizontal(direction) && vp->paWidth > 0)
        vp->left = vp->dragLeft - double(dx) / vp->paWidth * vp->width;
    if (vertical(direction) && vp->paHeight > 0)
        vp->top = vp->dragTop - double(dy) / vp->paHeight * vp->height;
    vp->validate();
    return vp->left != oldLeft || vp->top != oldTop;
}

bool CViewPortManager_canZoomIn(ViewPortManagerInternal* vp, int direction)
{
    return (horizontal(direction) && vp->width > vp->zoomInWidthLimit + 1e-12)
           || (vertical(direction) && vp->height > vp->zoomInHeightLimit + 1e-12);
}

bool CViewPortManager_canZoomOut(ViewPortManagerInternal* vp, int direction)
{
    return (horizontal(direction) && vp->width < 1 - 1e-12)
           || (vertical(direction) && vp->height < 1 - 1e-12);
}

namespace {

// One dimension of the view port (left and width, or top and height) shown on a
// plot-area extent starting at pixel paStart with paSize pixels.
struct Span
{
    double& start;
    double& size;
    double limit;
    int paStart;
    int paSize;

    // Shows the part between two pixels.
    bool zoomTo(int p1, int p2)
    {
        const double f1 = std::clamp(double(std::min(p1, p2) - paStart) / paSize, 0.0, 1.0);
        const double f2 = std::clamp(double(std::max(p1, p2) - paStart) / paSize, 0.0, 1.0);
        const double newStart = start + f1 * size;
        bool changed = setIfChanged(size, std::max((f2 - f1) * size, limit));
        changed |= setIfChanged(start, newStart);
        return changed;
    }
    // Scales the visible part by 1 / ratio, keeping the value under the pixel in place.
    void zoomAt(int p, double ratio)
    {
        const double f = std::clamp(double(p - paStart) / paSize, 0.0, 1.0);
        const double at = start + f * size;
        size = std::clamp(size / ratio, std::min(limit, 1.0), 1.0);
        start = at - f * size;
    }
};

Span horizontalSpan(ViewPortManagerInternal* vp)
{
    return {vp->left, vp->width, vp->zoomInWidthLimit, vp->paLeft, vp->paWidth};
}

Span verticalSpan(ViewPortManagerInternal* vp)
{
    return {vp->top, vp->height, vp->zoomInHeightLimit, vp->paTop, vp->paHeight};
}

} // namespace

bool CViewPortManager_zoomTo(ViewPortManagerInternal* vp, int direction, int x1, int y1, int x2, int y2)
{
    if (!vp->hasPlotArea)
        return false;
    bool changed = false;
    if (horizontal(direction) && vp->paWidth > 0 && x1 != x2)
        changed |= horizontalSpan(vp).zoomTo(x1, x2);
    if (vertical(direction) && vp->paHeight > 0 && y1 != y2)
        changed |= verticalSpan(vp).zoomTo(y1, y2);
    vp->validate();
    return changed;
}

bool CViewPortManager_zoomAt(ViewPortManagerInternal* vp, int direction, int x, int y, double ratio)
{
    if (!vp->hasPlotArea || !(ratio > 0))
        return false;
    const double oldLeft = vp->left, oldTop = vp->top, oldWidth = vp->width, oldHeight = vp->height;
    if (horizontal(direction) && vp->paWidth > 0)
        horizontalSpan(vp).zoomAt(x, ratio);
    if (vertical(direction) && vp->paHeight > 0)
        verticalSpan(vp).zoomAt(y, ratio);
    vp->validate();
    return vp->left != oldLeft || vp->top != oldTop || vp->width != oldWidth || vp->height != oldHeight;
}

double ViewPortManager::getViewPortLeft() const { return m_vp->left; }
double ViewPortManager::getViewPortTop() const { return m_vp->top; }
double ViewPortManager::getViewPortWidth() const { return m_vp->width; }
double ViewPortManager::getViewPortHeight() const { return m_vp->height; }
void ViewPortManager::setViewPortLeft(double left) { m_vp->left = left; }
void ViewPortManager::setViewPortTop(double top) { m_vp->top = top; }
void ViewPortManager::setViewPortWidth(double width) { m_vp->width = width; }
void ViewPortManager::setViewPortHeight(double height) { m_vp->height = height; }
void ViewPortManager::setZoomInWidthLimit(double limit) { m_vp->zoomInWidthLimit = std::clamp(limit, 0.0, 1.0); }
void ViewPortManager::setZoomInHeightLimit(double limit) { m_vp->zoomInHeightLimit = std::clamp(limit, 0.0, 1.0); }

// ---- image maps ----------------------------------------------------------------

class ImageMapHandlerInternal
{
public:
    struct Area
    {
        bool circle = false;
        std::vector<int> coords;
        std::map<std::string, std::string> values;

        bool contains(int x, int y) const
        {
            if (circle) {
                if (coords.size() < 3)
                    return false;
                const double dx = x - coords[0], dy = y - coords[1];
                return dx * dx + dy * dy <= double(coords[2]) * coords[2];
            }
            if (coords.size() < 4)
                return false;
            return x >= std::min(coords[0], coords[2]) && x <= std::max(coords[0], coords[2])
                   && y >= std::min(coords[1], coords[3]) && y <= std::max(coords[1], coords[3]);
        }
    };
    std::vector<Area> areas;
    int current = 0;
    std::string empty;
};

ImageMapHandlerInternal* CImageMapHandler_create(const char* imageMap)
{
    auto* h = new ImageMapHandlerInternal;
    if (!imageMap)
        return h;
    static const QRegularExpression areaRe(QStringLiteral("<area\\b([^>]*)>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attrRe(QStringLiteral("([A-Za-z_][\\w-]*)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
    auto areas = areaRe.globalMatch(QString::fromUtf8(imageMap));
    while (areas.hasNext()) {
        ImageMapHandlerInternal::Area area;
        auto attrs = attrRe.globalMatch(areas.next().captured(1));
        while (attrs.hasNext()) {
            const auto m = attrs.next();
            const QString key = m.captured(1).toLower();
            const QString value = m.captured(2) + m.captured(3) + m.captured(4);
            area.values[key.toStdString()] = value.toStdString();
            if (key == QLatin1String("shape"))
                area.circle = value.trimmed().toLower().startsWith(QLatin1String("circ"));
            else if (key == QLatin1String("coords")) {
                for (QString const& c : value.split(QLatin1Char(',')))
                    area.coords.push_back(c.trimmed().toInt());
            }
        }
        h->areas.push_back(std::move(area));
    }
    return h;
}

void CImageMapHandler_destroy(ImageMapHandlerInternal* h)
{
    delete h;
}

int CImageMapHandler_getHotSpot(ImageMapHandlerInternal* h, int x, int y)
{
    h->current = 0;
    for (size_t i = 0; i < h->areas.size(); ++i) {
        if (h->areas[i].contains(x, y)) {
            h->current = int(i) + 1;
            break;
        }
    }
    return h->current;
}

const char* CImageMapHandler_getValue(ImageMapHandlerInternal* h, const char* key)
{
    if (h->current <= 0 || !key)
        return h->empty.c_str();
    auto const& values = h->areas[h->current - 1].values;
    auto it = values.find(QString::fromUtf8(key).toLower().toStdString());
    return it == values.end() ? h->empty.c_str() : it->second.c_str();
}
