#include "calibratescaler.h"
#include "ui_calibratescaler.h"

CalibrateScaler::CalibrateScaler(QString minLabel, QString maxLabel, double v4ma, double v20ma, double multiply,
                                 QWidget* parent)
    : QWizardPage(parent)
    , ui(new Ui::CalibrateScaler)
{
    ui->setupUi(this);
    ui->label_minUnit->setText(minLabel);
    ui->label_maxUnit->setText(maxLabel);
    ui->doubleSpinBox_4ma->setValue(v4ma);
    ui->doubleSpinBox_20ma->setValue(v20ma);
    ui->doubleSpinBox_multiply->setValue(multiply);
    setApplied4ma(v4ma);
    setApplied20ma(v20ma);
    setAppliedMulitply(multiply);
    // The wizard knows no default property for QDoubleSpinBox: name it.
    registerField("4MA", ui->doubleSpinBox_4ma, "value", SIGNAL(valueChanged(double)));
    registerField("20MA", ui->doubleSpinBox_20ma, "value", SIGNAL(valueChanged(double)));
    registerField("MULTIPLY", ui->doubleSpinBox_multiply, "value", SIGNAL(valueChanged(double)));
}

CalibrateScaler::~CalibrateScaler()
{
    delete ui;
}

double CalibrateScaler::get4ma() const
{
    return ui->doubleSpinBox_4ma->value();
}

double CalibrateScaler::get20ma() const
{
    return ui->doubleSpinBox_20ma->value();
}

double CalibrateScaler::getMultiply() const
{
    return ui->doubleSpinBox_multiply->value();
}

void CalibrateScaler::setApplied4ma(double v)
{
    ui->doubleSpinBox_applied_4ma->setValue(v);
}

void CalibrateScaler::setApplied20ma(double v)
{
    ui->doubleSpinBox_applied_20ma->setValue(v);
}

void CalibrateScaler::setAppliedMulitply(double v)
{
    ui->doubleSpinBox_applied_multiply->setValue(v);
}
