#ifndef VDCALIBRATOR_H
#define VDCALIBRATOR_H

#include <memory>

#include "calibratorpanel.h"

namespace Ui { class VdCalibrator; }
class ChannelSequence;
class ModbusBlock;
class QDoubleSpinBox;
struct SequenceRow;

// Panel of the HV700_VD particle counter. It measures six values, shown as three pairs:
// (pm2.5, pm10.0), (pm1.0, pm4.0) and (pm0.5, particle size). All six go to small
// preview LCDs; the selected pair goes to the two large LCDs and the two charts and has
// its full-range offsets editable. The panel also sets the output mode (mass or number
// concentration), the counter mode, the RS485/MODBUS settings, the last-calibration time
// and a factory reset.
class VdCalibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    VdCalibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~VdCalibrator() override;

    void controlEnable(bool on) override;

    Ui::VdCalibrator* form() const { return ui; }
    ChartView* chart(int index) const { return m_chart[index]; }
    ModbusBlock* modbus() const { return m_modbus.get(); }
    int selectedPair() const { return m_selectedPair; }
    int outputType() const { return m_outputType; }
    int counterType() const { return m_counterType; }

    // Output-mode radio ids: mass 200, numbers per cm3, m3, ft3 201..203; counter
    // mode: cumulative 300, differential 301.
    enum { OutputIdBase = 200, CounterIdBase = 300 };

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setModbusMode() override;
    void showHeldSettings() override;

private slots:
    void slotOutputTypeChanged(int id);
    void slotCounterTypeChanged(int id);
    void slotSelectedChannel_ch12(bool on);
    void slotSelectedChannel_ch34(bool on);
    void slotSelectedChannel_ch56(bool on);
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();

private:
    static constexpr int kPairs = 3;

    void setOutputMode();
    void showCounterType();
    void setSelectedChannel();
    void setDeviceValue(QStringList const& fields);
    // A pair box was checked: the other two are unchecked, and a new pair is read anew.
    void selectPair(int pair, bool on);
    // Offset n (1..5) of the selected pair into its box (index 0 or 1).
    void applyOffset(int box);

    // Rows shared by both tables, and the two tables.
    SequenceRow outputRow(bool apply);
    SequenceRow counterRow(bool apply);
    SequenceRow pairOffsetRow(int offset);
    QVector<SequenceRow> refreshRows();
    QVector<SequenceRow> applyRows();

    Ui::VdCalibrator* ui;
    ChartView* m_chart[2] = {};
    QLCDNumber* m_lcd[2] = {};
    QLCDNumber* m_preview[2 * kPairs] = {};
    QDoubleSpinBox* m_offsetBox[2] = {};
    std::unique_ptr<ModbusBlock> m_modbus;
    std::unique_ptr<ChannelSequence> m_refresh;
    std::unique_ptr<ChannelSequence> m_apply;

    int m_deviceCode = 703;
    QString m_modelName = "HV700_VD";
    // 0 mass (ug/m3), 1 number per cm3, 2 per m3, 3 per ft3.
    int m_outputType = 0;
    // 0 cumulative, 1 differential.
    int m_counterType = 0;
    // 0 (pm2.5, pm10.0), 1 (pm1.0, pm4.0), 2 (pm0.5, particle size).
    int m_selectedPair = 0;
    QButtonGroup* m_outputTypeGroup = nullptr;
    QButtonGroup* m_counterTypeGroup = nullptr;
};

#endif
