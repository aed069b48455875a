#ifndef KWCALIBRATOR_H
#define KWCALIBRATOR_H

#include <memory>

#include "fourchannelpanel.h"

namespace Ui { class KwCalibrator; }
class ChannelSequence;
class ModbusBlock;
class RangeWizardFlow;

// Panel of the HV700K3-KW four-channel thermocouple transmitter: per channel the
// thermocouple type, sensing range, error correction and offset with the range
// wizard, the temperature unit (every REFRESH ends by switching to Celsius), the
// RS485/MODBUS block, factory reset and the last-calibration time.
class KwCalibrator : public FourChannelPanel
{
    Q_OBJECT
public:
    KwCalibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~KwCalibrator() override;

    void controlEnable(bool on) override;

    Ui::KwCalibrator* form() const { return ui; }
    RangeWizardFlow* rangeWizard() const { return m_flow; }
    ModbusBlock* modbus() const { return m_modbus; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void setModbusMode() override;
    void onSequenceEnd(unsigned mode, bool success) override;
    void onSendFailure(unsigned mode) override;

private slots:
    void slotRangeCh1();
    void slotRangeCh2();
    void slotRangeCh3();
    void slotRangeCh4();

private:
    Ui::KwCalibrator* ui;
    RangeWizardFlow* m_flow = nullptr;
    ModbusBlock* m_modbus = nullptr;
    std::unique_ptr<ChannelSequence> m_sequence;
};

#endif
