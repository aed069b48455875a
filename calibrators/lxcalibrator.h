#ifndef LXCALIBRATOR_H
#define LXCALIBRATOR_H

#include <memory>

#include "fourchannelpanel.h"

namespace Ui { class LxCalibrator; }
class ChannelSequence;
class ModbusBlock;
class QAbstractButton;
class RangeScaleWizards;

// Panel of the HV700K3-LX transmitter: four current inputs (4~20 mA or 0~20 mA), each
// scaled to an engineering value with a multiplier and an offset, the RS485/MODBUS
// block, and per channel the range (zero/span) and scale wizards.
class LxCalibrator : public FourChannelPanel
{
    Q_OBJECT
public:
    LxCalibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~LxCalibrator() override;

    void controlEnable(bool enable) override;

    Ui::LxCalibrator* form() const { return ui; }
    RangeScaleWizards* wizards() const { return m_wizards; }
    ModbusBlock* modbus() const { return m_modbus; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void setModbusMode() override;

private slots:
    void slotRangeCh1();
    void slotRangeCh2();
    void slotRangeCh3();
    void slotRangeCh4();
    void slotScaleCh1();
    void slotScaleCh2();
    void slotScaleCh3();
    void slotScaleCh4();

private:
    Ui::LxCalibrator* ui;
    ModbusBlock* m_modbus = nullptr;
    RangeScaleWizards* m_wizards = nullptr;
    std::unique_ptr<ChannelSequence> m_refresh;
    std::unique_ptr<ChannelSequence> m_apply;
    QDoubleSpinBox* m_spinScaledMin[Channels] = {};
    QDoubleSpinBox* m_spinScaledMax[Channels] = {};
    QDoubleSpinBox* m_spinMultiply[Channels] = {};
    QAbstractButton* m_rangeButton[Channels] = {};
    QAbstractButton* m_scaleButton[Channels] = {};
};

#endif
