#include "calibratetemprange.h"
#include "ui_calibratetemprange.h"

CalibrateTempRange::CalibrateTempRange(double min, double max, QWidget* parent)
    : QWizardPage(parent)
    , ui(new Ui::CalibrateTempRange)
{
    ui->setupUi(this);
    ui->doubleSpinBox_min->setValue(min);
    ui->doubleSpinBox_max->setValue(max);
    // The wizard knows no default property for QDoubleSpinBox: name it.
    registerField("MIN", ui->doubleSpinBox_min, "value", SIGNAL(valueChanged(double)));
    registerField("MAX", ui->doubleSpinBox_max, "value", SIGNAL(valueChanged(double)));
    // Connected after the initial values, so construction raises nothing.
    connect(ui->doubleSpinBox_min, SIGNAL(valueChanged(double)), this, SLOT(slotChangedMin(double)));
    connect(ui->doubleSpinBox_max, SIGNAL(valueChanged(double)), this, SLOT(slotChangedMax(double)));
}

CalibrateTempRange::~CalibrateTempRange()
{
    delete ui;
}

double CalibrateTempRange::getMin() const
{
    return ui->doubleSpinBox_min->value();
}

double CalibrateTempRange::getMax() const
{
    return ui->doubleSpinBox_max->value();
}

void CalibrateTempRange::slotChangedMin(double value)
{
    emit valueChangedMin(value);
}

void CalibrateTempRange::slotChangedMax(double value)
{
    emit valueChangedMax(value);
}
