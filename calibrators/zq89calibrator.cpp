#include "zq89calibrator.h"
#include "ui_zq89calibrator.h"

#include <QDebug>

namespace {

const PanelDescription kZq89 = Co2Panel::co2Description("Zq89Calibrator::parsingTemp() TEMPMODE : ");

// ZQ89: every setting at every firmware version but the sensitivity (from 3); the CO2
// unit is coded 0 (%) / 1 (ppm).
const Co2Policy kPolicy = {0, 0, 0, 3, 0, 3, false};

} // namespace

Zq89Calibrator::Zq89Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : Co2Panel(kZq89, kPolicy, version, serial, parent)
    , ui(new Ui::Zq89Calibrator)
{
    ui->setupUi(this);
    attachCo2Form(co2Form(ui), model, serial);
}

Zq89Calibrator::~Zq89Calibrator()
{
    detachAirForm();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq89Calibrator()";
}
