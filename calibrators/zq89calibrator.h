#ifndef ZQ89CALIBRATOR_H
#define ZQ89CALIBRATOR_H

#include "co2panel.h"

namespace Ui { class Zq89Calibrator; }

// Panel of the ZQ89 CO2 (channel 1) and temperature (channel 2) unit on the CO2 panel.
class Zq89Calibrator : public Co2Panel
{
    Q_OBJECT
public:
    Zq89Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq89Calibrator() override;

    Ui::Zq89Calibrator* form() const { return ui; }

private:
    Ui::Zq89Calibrator* ui;
};

#endif
