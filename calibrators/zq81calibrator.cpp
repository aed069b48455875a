#include "zq81calibrator.h"
#include "ui_zq81calibrator.h"

#include <QDebug>

namespace {

const PanelDescription kZq81 = Co2Panel::co2Description("Zq81Calibrator::parsingTemp() TEMPMODE : ");

// ZQ81: the settings come with the firmware versions 3, 10, 15 and 24; the CO2 unit
// is coded 1 (%) / 2 (ppm) below firmware 10, 0 / 1 from it on.
const Co2Policy kPolicy = {3, 10, 15, 24, 10, 24, true};

} // namespace

Zq81Calibrator::Zq81Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : Co2Panel(kZq81, kPolicy, version, serial, parent)
    , ui(new Ui::Zq81Calibrator)
{
    ui->setupUi(this);
    attachCo2Form(co2Form(ui), model, serial);
}

Zq81Calibrator::~Zq81Calibrator()
{
    detachAirForm();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq81Calibrator()";
}
