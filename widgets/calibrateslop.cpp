#include "calibrateslop.h"
#include "ui_calibrateslop.h"

CalibrateSlop::CalibrateSlop(double zero, double slop, QWidget* parent)
    : QWizardPage(parent)
    , ui(new Ui::CalibrateSlop)
{
    ui->setupUi(this);
    ui->doubleSpinBox_zero->setValue(zero);
    ui->doubleSpinBox_slop->setValue(slop);
    // The wizard knows no default property for QDoubleSpinBox: name it.
    registerField("ZERO", ui->doubleSpinBox_zero, "value", SIGNAL(valueChanged(double)));
    registerField("SLOP", ui->doubleSpinBox_slop, "value", SIGNAL(valueChanged(double)));
}

CalibrateSlop::~CalibrateSlop()
{
    delete ui;
}

double CalibrateSlop::getZero() const
{
    return ui->doubleSpinBox_zero->value();
}

double CalibrateSlop::getSlop() const
{
    return ui->doubleSpinBox_slop->value();
}
