#ifndef ZQ81CALIBRATOR_H
#define ZQ81CALIBRATOR_H

#include "co2panel.h"

namespace Ui { class Zq81Calibrator; }

// Panel of the ZQ81 CO2 (channel 1) and temperature (channel 2) unit on the CO2 panel.
class Zq81Calibrator : public Co2Panel
{
    Q_OBJECT
public:
    Zq81Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq81Calibrator() override;

    Ui::Zq81Calibrator* form() const { return ui; }

private:
    Ui::Zq81Calibrator* ui;
};

#endif
