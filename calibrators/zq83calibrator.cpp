#include "zq83calibrator.h"
#include "ui_zq83calibrator.h"

#include "calibrateslop.h"
#include "calibwizard.h"
#include "channelsequence.h"

namespace {

const PanelDescription kZq83 = echemDescription("Zq83Calibrator::parsingTemp() TEMPMODE : ");

} // namespace

Zq83Calibrator::Zq83Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : EchemPanel(kZq83, "Zq83Calibrator", version, serial, parent)
    , ui(new Ui::Zq83Calibrator)
{
    ui->setupUi(this);
    init(echemForm(ui), model);
}

Zq83Calibrator::~Zq83Calibrator()
{
    delete ui;
    ui = nullptr;
}

bool Zq83Calibrator::takeRecord(QStringList const& fields, bool apply)
{
    Q_UNUSED(apply)
    if (fields.size() < 3)
        return false;
    m_form.doubleSpinBox_zerocal->setValue(fields.at(0).toDouble());
    m_form.doubleSpinBox_slope->setValue(fields.at(1).toDouble());
    m_form.doubleSpinBox_temperature->setValue(fields.at(2).toDouble());
    return true;
}

QString Zq83Calibrator::spanCommand() const
{
    return "ATCCSP " + f2(ui->doubleSpinBox_slope->value()) + "\r\n";
}

void Zq83Calibrator::zeroEcho(QString const& value)
{
    Q_UNUSED(value)
    scheduleRefresh();
}

QWizardPage* Zq83Calibrator::makeWizardPage(CalibWizard* wizard)
{
    return new CalibrateSlop(ui->doubleSpinBox_zerocal->value(), ui->doubleSpinBox_slope->value(),
                             wizard);
}

QString Zq83Calibrator::calibrationCommand(QWizardPage* page) const
{
    auto* slop = qobject_cast<CalibrateSlop*>(page);
    if (!slop)
        return QString();
    return "ATCCAL " + g6(slop->getZero()) + "," + g6(slop->getSlop()) + "\r\n";
}

void Zq83Calibrator::onSendFailure(unsigned mode)
{
    // The wizard is left to the REFRESH that follows.
    if (mode == REFRESH)
        setSensorMode();
}
