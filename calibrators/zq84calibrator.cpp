#include "zq84calibrator.h"
#include "ui_zq84calibrator.h"

#include "calibratespan.h"
#include "calibwizard.h"
#include "channelsequence.h"

namespace {

const PanelDescription kZq84 = echemDescription("Zq84Calibrator::parsingTemp() TEMPMODE : ");

// Firmware from which the record carries the temperature (and the poll no longer feeds it),
// and up to which "ATCCAL" starts with the span-gas ppm.
constexpr unsigned kRecordTemperatureFrom = 11;
constexpr unsigned kPpmFirstUpTo = 4;

} // namespace

Zq84Calibrator::Zq84Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : EchemPanel(kZq84, "Zq84Calibrator", version, serial, parent)
    , ui(new Ui::Zq84Calibrator)
{
    ui->setupUi(this);
    EchemForm form = echemForm(ui);
    form.doubleSpinBox_spancal = ui->doubleSpinBox_spancal;
    form.doubleSpinBox_spancal_ppm = ui->doubleSpinBox_spancal_ppm;
    init(form, model);
}

Zq84Calibrator::~Zq84Calibrator()
{
    delete ui;
    ui = nullptr;
}

bool Zq84Calibrator::takeRecord(QStringList const& fields, bool apply)
{
    const bool withTemperature = m_version >= kRecordTemperatureFrom;
    if (fields.size() < (withTemperature ? 5 : 4))
        return false;
    if (apply) {
        // The echo is only counted; the REFRESH reads the record back.
        scheduleRefresh();
        return true;
    }
    ui->doubleSpinBox_spancal_ppm->setValue(fields.at(0).toDouble());
    ui->doubleSpinBox_slope->setValue(fields.at(1).toDouble());
    ui->doubleSpinBox_zerocal->setValue(fields.at(2).toDouble());
    ui->doubleSpinBox_spancal->setValue(fields.at(3).toDouble());
    if (withTemperature)
        ui->doubleSpinBox_temperature->setValue(fields.at(4).toDouble());
    return true;
}

QString Zq84Calibrator::spanCommand() const
{
    return "ATCCSP " + f2(ui->doubleSpinBox_spancal_ppm->value()) + "\r\n";
}

void Zq84Calibrator::zeroEcho(QString const& value)
{
    ui->doubleSpinBox_zerocal->setValue(value.toDouble());
    writeRefresh();
}

QWizardPage* Zq84Calibrator::makeWizardPage(CalibWizard* wizard)
{
    return new CalibrateSpan(ui->doubleSpinBox_zerocal->value(), ui->doubleSpinBox_spancal->value(),
                             ui->doubleSpinBox_spancal_ppm->value(), wizard);
}

QString Zq84Calibrator::calibrationCommand(QWizardPage* page) const
{
    auto* span = qobject_cast<CalibrateSpan*>(page);
    if (!span)
        return QString();
    const QString zero = g6(span->getZero());
    const QString level = g6(span->getSpan());
    const QString ppm = g6(span->getSpanPpm());
    const QStringList values = m_version <= kPpmFirstUpTo ? QStringList{ppm, zero, level} : QStringList{zero, level, ppm};
    return "ATCCAL " + values.join(',') + "\r\n";
}

void Zq84Calibrator::liveExtras(QStringList const& fields)
{
    double value = 0;
    if (liveNumber(fields.at(4), &value))
        ui->doubleSpinBox_slope->setValue(value);
    if (m_version < kRecordTemperatureFrom && liveNumber(fields.at(2), &value))
        ui->doubleSpinBox_temperature->setValue(value);
}

void Zq84Calibrator::onSequenceEnd(unsigned mode, bool success)
{
    EchemPanel::onSequenceEnd(mode, success);
    if (mode == REFRESH || mode == APPLY)
        setSensorMode();
}

void Zq84Calibrator::onSendFailure(unsigned mode)
{
    if (mode == REFRESH || mode == APPLY) {
        setSensorMode();
        wizardClose();
    }
}
