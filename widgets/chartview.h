#ifndef CHARTVIEW_H
#define CHARTVIEW_H

#include <QObject>
#include <QPointer>
#include <QString>

class BaseChart;
class QChartViewer;
class QChartViewerLabel;
class QMouseEvent;
class QResizeEvent;
class QWidget;
class XYChart;

// The rolling live chart of one channel: the last 240 samples drawn as a line chart
// inside a host label of the panel's form, with a track cursor (dashed line, time
// label, dot and value bubble) that follows the mouse over the plot area and otherwise
// stands at the newest sample.
class ChartView : public QObject
{
    Q_OBJECT
public:
    static constexpr int SampleCount = 240;

    // The host must be a QChartViewerLabel: its resizes redraw the chart.
    ChartView(QWidget* host, int channel, QObject* owner);
    ~ChartView() override;

    // Appends a sample (x in chart time, y or NoValue for a missing reading); a sample
    // with the newest x replaces the newest value instead.
    void setData(double x, double y);
    // Empties the window.
    void clear();
    // Draws the track cursor for the plot-area x coordinate on the chart's dynamic layer.
    void trackLineLegend(XYChart* chart, int mouseX);
    void resizeEvent(QResizeEvent* event);

    // Read access for tests and diagnostics.
    QChartViewer* viewer() const;
    const double* timeStamps() const { return m_timeStamps; }
    const double* values() const { return m_values; }

private slots:
    void onMouseMovePlotArea(QMouseEvent* event);
    void updateChart();
    void drawChart();

private:
    int m_channel;
    QChartViewerLabel* m_host;
    QPointer<QChartViewer> m_viewer;
    BaseChart* m_chart = nullptr;   // the chart last handed to the viewer; owned
    double m_timeStamps[SampleCount];
    double m_values[SampleCount];
};

// "500msec", "1sec", "2sec", "10 sec" for those intervals, else an empty text.
QString getStringInterval(int milliseconds);

#endif
