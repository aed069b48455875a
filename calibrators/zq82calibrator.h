#ifndef ZQ82CALIBRATOR_H
#define ZQ82CALIBRATOR_H

#include "airpanel.h"

namespace Ui { class Zq82Calibrator; }

// Panel of the ZQ82 oxygen unit: channel 1 O2, channel 2 temperature, atmospheric
// pressure or nothing by one of five sensor modes; offsets, sensitivity, sensor version,
// last-calibration time, used hours, build time and the temperature unit.
class Zq82Calibrator : public AirPanel
{
    Q_OBJECT
public:
    Zq82Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq82Calibrator() override;

    void controlEnable(bool on) override;

    Ui::Zq82Calibrator* form() const { return ui; }
    int sensorMode() const { return m_sensorMode; }

    enum Step : unsigned {
        MODE_SEQ = 4, OFFSET1_SEQ, OFFSET2_SEQ, SINFO_SEQ, WIN_SEQ, EXTM_SEQ, USED_SEQ, BUILD_SEQ,
        END_SEQ, ERROR_SEQ
    };

protected:
    void clearAll() override;
    void setSensorMode() override;

private slots:
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();
    void slotSensorTypeApply(int id);
    void slotSpinBox_sensitivityChanged_ch1(int value);
    void slotSensitivityApply_ch1();

private:
    void buildSequences();
    QAbstractButton* modeRadio(int mode) const;

    Ui::Zq82Calibrator* ui;
    int m_sensorMode = 1;
    QButtonGroup* m_sensorModeGroup = nullptr;
};

#endif
