#ifndef ZQ80CALIBRATOR_H
#define ZQ80CALIBRATOR_H

#include "airpanel.h"

namespace Ui { class Zq80Calibrator; }

// Panel of the ZQ80 TVOC unit: channel 1 TVOC, channel 2 absolute humidity or CO2 by
// sensor mode; sensor mode, VOC and CO2 units, offsets, sensitivity, the user and the
// factory VOC calibration, last-calibration time, used hours and build time, by firmware
// version. No temperature unit.
class Zq80Calibrator : public AirPanel
{
    Q_OBJECT
public:
    Zq80Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq80Calibrator() override;

    void controlEnable(bool on) override;

    Ui::Zq80Calibrator* form() const { return ui; }
    int sensorMode() const { return m_sensorMode; }

    enum Step : unsigned {
        MODE_SEQ = 4, OFFSET1_SEQ, OFFSET2_SEQ, VOCUNIT_SEQ, CO2UNIT_SEQ, USERCAL_SEQ, FACTORYCAL_SEQ,
        WIN_SEQ, EXTM_SEQ, USED_SEQ, BUILD_SEQ, END_SEQ, ERROR_SEQ
    };

protected:
    void parsingOtherApply(QString const& line) override;
    void clearAll() override;
    void setSensorMode() override;

private slots:
    void slotSensorTypeApply(int id);
    void slotVocUnitApply(int id);
    void slotCo2UnitApply(int id);
    void slotUserCalApply();
    void slotFactoryCalApply();
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();
    void slotSpinBox_sensitivityChanged(int value);
    void slotSensitivityApply();

private:
    void buildSequences();
    // The answer of a calibration (steps 9 and 10): its box, then the APPLY's end.
    void parsingCalibration(QString const& line, QString const& keyword, const char* successText);

    Ui::Zq80Calibrator* ui;
    int m_sensorMode = 0;
    bool m_vocppm = true;
    bool m_co2ppm = true;
    QButtonGroup* m_sensorModeGroup = nullptr;
    QButtonGroup* m_vocUnitGroup = nullptr;
    QButtonGroup* m_co2UnitGroup = nullptr;
};

#endif
