#ifndef NBCALIBRATOR_H
#define NBCALIBRATOR_H

#include <memory>

#include "calibratorpanel.h"

namespace Ui { class NbCalibrator; }
class ChannelSequence;
class ModbusBlock;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QTimer;
class ResizeLabel;
class WizardChain;

// Panel of the two-channel gas transmitter (HV700K3-NB): per channel the sensor type,
// name, gas and temperature offsets, sensitivity window, digital filter, temperature
// compensation and unit, zero/span calibration and the manual calibration parameters;
// for the device the RS485/MODBUS block, the factory reset and the build date.
class NbCalibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    static constexpr int kChannels = 2;

    NbCalibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~NbCalibrator() override;

    void controlEnable(bool on) override;

    Ui::NbCalibrator* form() const { return ui; }
    ChartView* gasChart(int channel) const { return m_chartGas[channel - 1]; }
    ChartView* tempChart(int channel) const { return m_chartTemp[channel - 1]; }
    ModbusBlock* modbus() const { return m_modbus; }
    WizardChain* wizards() const { return m_wizards; }
    int sensorType(int channel) const { return m_sensorType[channel - 1]; }
    bool microVolt(int channel) const { return m_microVolt[channel - 1]; }
    bool digitalFilter(int channel) const { return m_digitalFilter[channel - 1]; }
    bool tempCompensate(int channel) const { return m_tempCompensate[channel - 1]; }
    // The post-refresh step that returns both channels to Celsius is running.
    bool celsiusAll() const { return m_celsiusAll; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void parsingTemp(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void setModbusMode() override;
    void onSequenceEnd(unsigned mode, bool success) override;
    void onSendFailure(unsigned mode) override;
    void afterRefreshSuccess() override;

private slots:
    void slotSensorTypeChangedCh1(int index) { sensorTypeChanged(1, index); }
    void slotSensorTypeChangedCh2(int index) { sensorTypeChanged(2, index); }
    void slotSensorTypeApplyCh1() { applySensorType(1); }
    void slotSensorTypeApplyCh2() { applySensorType(2); }
    void slotSensorNameApplyCh1() { applySensorName(1); }
    void slotSensorNameApplyCh2() { applySensorName(2); }
    void slotOffsetApply_ch1() { applyOffset(1, false); }
    void slotOffsetApply_ch2() { applyOffset(2, false); }
    void slotOffsetApply_ch1_temp() { applyOffset(1, true); }
    void slotOffsetApply_ch2_temp() { applyOffset(2, true); }
    void slotSensitivityApply_ch1() { applySensitivity(1); }
    void slotSensitivityApply_ch2() { applySensitivity(2); }
    void slotZeroCalApply_ch1() { applyZeroCal(1); }
    void slotZeroCalApply_ch2() { applyZeroCal(2); }
    void slotSpanCalApply_ch1() { applySpanCal(1); }
    void slotSpanCalApply_ch2() { applySpanCal(2); }
    void slotMannualSetting_ch1() { mannualSetting(1); }
    void slotMannualSetting_ch2() { mannualSetting(2); }
    void slotMicroVoltageShow_ch1(int id) { microVoltageShow(1, id != 200); }
    void slotMicroVoltageShow_ch2(int id) { microVoltageShow(2, id != 202); }
    void slotDigitalFilterOn_ch1(int id) { delayWriteDigitFilter(1, id - 300); }
    void slotDigitalFilterOn_ch2(int id) { delayWriteDigitFilter(2, id - 302); }
    void slotTempCompensateOn_ch1(int id) { delayWriteTempCompensate(1, id - 400); }
    void slotTempCompensateOn_ch2(int id) { delayWriteTempCompensate(2, id - 402); }
    void slotChangeTempMode_ch1(int id) { changeTempMode(1, id == 100); }
    void slotChangeTempMode_ch2(int id) { changeTempMode(2, id == 102); }
    void delayWriteCelsius_ch1() { delayWriteUnit(1, true); }
    void delayWriteCelsius_ch2() { delayWriteUnit(2, true); }
    void delayWriteFahrenheit_ch1() { delayWriteUnit(1, false); }
    void delayWriteFahrenheit_ch2() { delayWriteUnit(2, false); }
    void slotExecDateTime_ch1() { execDateTime(1); }
    void slotExecDateTime_ch2() { execDateTime(2); }
    void slotUnitShot();

private:
    // The form's widgets of one channel.
    struct Channel
    {
        QComboBox* sensorType;
        QLCDNumber* lcd[2]; // gas, temperature
        ResizeLabel* unit;
        ResizeLabel* unitTemp;
        QDoubleSpinBox* offset;
        QDoubleSpinBox* offsetTemp;
        QSpinBox* sensitivity;
        QDoubleSpinBox* zero;
        QDoubleSpinBox* span;
        QDoubleSpinBox* spanPpm;
        QDoubleSpinBox* slope;
        QDoubleSpinBox* temperature;
        QDoubleSpinBox* drift;
        QLineEdit* name;
        QDateTimeEdit* calibrated;
        QSpinBox* used;
        QAbstractButton* ppm;
        QAbstractButton* microVolt;
        QAbstractButton* raw;
        QAbstractButton* filter;
        QAbstractButton* compensateOff;
        QAbstractButton* compensateOn;
    };

    void connectChannels();
    void buildSequences();
    Channel& ch(int channel) { return m_ch[channel - 1]; }

    // Per-channel actions.
    void sensorTypeChanged(int channel, int index);
    void applySensorType(int channel);
    void applySensorName(int channel);
    void applyOffset(int channel, bool temperature);
    void applySensitivity(int channel);
    void applyZeroCal(int channel);
    void applySpanCal(int channel);
    void mannualSetting(int channel);
    void writeMannualParameters();
    void microVoltageShow(int channel, bool on);
    void delayWriteDigitFilter(int channel, int mode);
    void delayWriteTempCompensate(int channel, int mode);
    void writeFlag(int channel, unsigned step, const char* keyword, int value, const char* text);
    void changeTempMode(int channel, bool celsius);
    void delayWriteUnit(int channel, bool celsius);
    // The unit command of a channel CommandDelay ms from now; chain: a step of the
    // post-refresh Celsius chain, sent only while that chain runs.
    void scheduleUnit(int channel, bool celsius, bool chain);

    void setDeviceValue(int channel, QStringList const& fields);
    // The calibration record of "ATCCSPn": enough fields for the firmware.
    bool recordComplete(QStringList const& fields) const;

    Ui::NbCalibrator* ui;
    Channel m_ch[kChannels];
    ChartView* m_chartGas[kChannels] = {};
    ChartView* m_chartTemp[kChannels] = {};
    ModbusBlock* m_modbus = nullptr;
    WizardChain* m_wizards = nullptr;
    std::unique_ptr<ChannelSequence> m_refresh;
    std::unique_ptr<ChannelSequence> m_apply;

    int m_sensorType[kChannels] = {};
    bool m_microVolt[kChannels] = {};
    bool m_digitalFilter[kChannels] = {};
    bool m_tempCompensate[kChannels] = {};
    bool m_celsiusAll = false;
    // The unit asked by the command in flight (a reply that names no channel asked for
    // is a failure of this one).
    bool m_unitAsked = true;
    // The post-refresh chain's channel 1 failed: its text ends the chain.
    const char* m_chainFailure = nullptr;
    QTimer* m_unitTimer = nullptr;
    int m_unitChannel = 0;
    bool m_unitCelsius = true;
    bool m_unitChain = false;
    // The reset in flight was sent unasked by a REFRESH; one such reset took, and the
    // REFRESH after it must not send another (until the user starts something).
    bool m_resetUnasked = false;
    bool m_noUnaskedReset = false;
};

#endif
