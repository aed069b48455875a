#ifndef ZQ62CALIBRATOR_H
#define ZQ62CALIBRATOR_H

#include "calibratorpanel.h"

namespace Ui { class Zq62Calibrator; }
class QDoubleSpinBox;

// Panel of the ZQ62 temperature (channel 1) and humidity (channel 2) unit: the offset
// of each channel, the temperature unit, and both live readings on LCDs and charts.
class Zq62Calibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    Zq62Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq62Calibrator() override;

    void controlEnable(bool on) override;

    Ui::Zq62Calibrator* form() const { return ui; }
    ChartView* chart(int index) const { return m_chart[index]; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void onSendFailure(unsigned mode) override;

private slots:
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();

private:
    static constexpr int kChannels = 2;

    void setDeviceValue(QString ch1, QString ch2);
    void applyOffset(int channel);
    // The channel of an "ATCOFF" reply, its value shown in that channel's box; 0 when
    // the reply names no channel of this panel.
    int takeOffset(QString const& line);

    Ui::Zq62Calibrator* ui;
    ChartView* m_chart[kChannels] = {};
    QLCDNumber* m_lcd[kChannels] = {};
    QDoubleSpinBox* m_offsetBox[kChannels] = {};
};

#endif
