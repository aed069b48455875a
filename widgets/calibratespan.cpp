#include "calibratespan.h"
#include "ui_calibratespan.h"

CalibrateSpan::CalibrateSpan(double zero, double span, double ppm, QWidget* parent)
    : QWizardPage(parent)
    , ui(new Ui::CalibrateSpan)
{
    ui->setupUi(this);
    ui->doubleSpinBox_zero->setValue(zero);
    ui->doubleSpinBox_span->setValue(span);
    ui->doubleSpinBox_ppm->setValue(ppm);
    // The wizard knows no default property for QDoubleSpinBox: name it.
    registerField("ZERO", ui->doubleSpinBox_zero, "value", SIGNAL(valueChanged(double)));
    registerField("SPAN", ui->doubleSpinBox_span, "value", SIGNAL(valueChanged(double)));
    registerField("PPM", ui->doubleSpinBox_ppm, "value", SIGNAL(valueChanged(double)));
}

CalibrateSpan::~CalibrateSpan()
{
    delete ui;
}

double CalibrateSpan::getZero() const
{
    return ui->doubleSpinBox_zero->value();
}

double CalibrateSpan::getSpan() const
{
    return ui->doubleSpinBox_span->value();
}

double CalibrateSpan::getSpanPpm() const
{
    return ui->doubleSpinBox_ppm->value();
}
