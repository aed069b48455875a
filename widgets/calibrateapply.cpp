#include "calibrateapply.h"

#include <QtMath>
#include "ui_calibrateapply.h"

#include "abstractcalibrator.h"

CalibrateApply::CalibrateApply(double reference, double applied, double current, QString unit, int channel,
                               bool showApply, AbstractCalibrator* calibrator, QWidget* parent)
    : QWizardPage(parent)
    , ui(new Ui::CalibrateApply)
    , m_channel(channel)
    , m_calibrator(calibrator)
{
    ui->setupUi(this);

    ui->doubleSpinBox_range->setValue(reference);
    ui->doubleSpinBox_applied->setValue(applied);
    ui->doubleSpinBox_current->setValue(current);
    updateDifference();

    ui->doubleSpinBox_range->setSuffix(unit);
    ui->doubleSpinBox_applied->setSuffix(unit);
    ui->doubleSpinBox_current->setSuffix(unit);
    ui->doubleSpinBox_diff->setSuffix(unit);

    ui->pushButton_apply->setVisible(showApply);

    // Connected after the initial values, so construction raises nothing.
    connect(ui->doubleSpinBox_current, SIGNAL(valueChanged(double)), this, SLOT(slotChangeDiffValue(double)));
    connect(ui->pushButton_read, SIGNAL(clicked()), this, SLOT(slotReadCurrentValue()));
    connect(ui->pushButton_apply, SIGNAL(clicked()), this, SLOT(slotApply()));
}

CalibrateApply::~CalibrateApply()
{
    delete ui;
}

double CalibrateApply::getDelta() const
{
    return ui->doubleSpinBox_current->value();
}

void CalibrateApply::setDelta(double v)
{
    ui->doubleSpinBox_current->setValue(v);
    updateDifference();
}

void CalibrateApply::setApplied(double v)
{
    ui->doubleSpinBox_applied->setValue(v);
}

void CalibrateApply::setRange(double v)
{
    ui->doubleSpinBox_range->setValue(v);
    updateDifference();
}

void CalibrateApply::slotChangeDiffValue(double value)
{
    ui->doubleSpinBox_diff->setValue(ui->doubleSpinBox_range->value() - value);
}

void CalibrateApply::slotReadCurrentValue()
{
    if (!m_calibrator)
        return;
    // A channel without a reading gives NaN: the box keeps what it held rather than
    // taking a number nobody measured.
    const double value = m_calibrator->getCurrentValue(m_channel);
    if (qIsNaN(value))
        return;
    ui->doubleSpinBox_current->setValue(value);
    updateDifference();
}

void CalibrateApply::slotApply()
{
    emit signalDelta();
}

void CalibrateApply::updateDifference()
{
    // Both operands as the boxes hold them (clamped, two decimals).
    ui->doubleSpinBox_diff->setValue(ui->doubleSpinBox_range->value() - ui->doubleSpinBox_current->value());
}
