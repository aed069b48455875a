#ifndef QCHARTVIEWERLABEL_H
#define QCHARTVIEWERLABEL_H

#include <QLabel>

class QResizeEvent;

// The label of a panel's form that hosts one live chart: every resize asks for a redraw.
class QChartViewerLabel : public QLabel
{
    Q_OBJECT
public:
    explicit QChartViewerLabel(QWidget* parent = nullptr);

signals:
    void refreshChart();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

#endif
