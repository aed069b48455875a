#include "qchartviewerlabel.h"

QChartViewerLabel::QChartViewerLabel(QWidget* parent)
    : QLabel(parent)
{
}

void QChartViewerLabel::resizeEvent(QResizeEvent*)
{
    // The chart is drawn to the new size; the label's own text layout is not needed.
    emit refreshChart();
}
