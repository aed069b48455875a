#ifndef ZQ70ACALIBRATOR_H
#define ZQ70ACALIBRATOR_H

#include "calibratorpanel.h"

#include <memory>

namespace Ui { class Zq70ACalibrator; }
class ChannelSequence;
class QDoubleSpinBox;
class QLabel;
class QRadioButton;
class RangeScaleWizards;

// Panel of the analog-input units ZQ70A (model code 71, two current inputs), ZQ70B (72,
// one current input) and ZQ70C (73, two 0~1000 mV inputs): input type, offsets, scaled
// range, corrections, multiplier, the event settings and trigger condition, the live
// readings and the unasked event lines ("ATEC"), the range and scale wizards.
//
// While either channel's event mode (as the instrument last reported it) is not None,
// polling stays off and the readings change only through event lines; an open range
// wizard needs fresh readings and polls regardless.
class Zq70ACalibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    Zq70ACalibrator(int model, QString reply, unsigned version, QString serial, QWidget* parent);
    ~Zq70ACalibrator() override;

    void controlEnable(bool on) override;
    double getCurrentValue(int channel) override;

    Ui::Zq70ACalibrator* form() const { return ui; }
    ChartView* chart(int index) const { return m_chart[index]; }
    RangeScaleWizards* wizards() const { return m_wizards; }
    bool eventActive(int channel) const { return m_eventActive[channel - 1]; }
    QString modelName() const { return m_modelName; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void onSequenceEnd(unsigned mode, bool success) override;
    void onSendFailure(unsigned mode) override;
    void showHeldSettings() override;
    bool mayResumePolling() const override;

private slots:
    void slotRangeCh1();
    void slotRangeCh2();
    void slotScaleCh1();
    void slotScaleCh2();
    void slotSensorTypeApply(int id);
    void slotSensorTriggerOrAnd(int id);
    void slotEventModeChanged_ch1(int id);
    void slotEventModeChanged_ch2(int id);
    void slotEventLoChanged_ch1(double value);
    void slotEventLoChanged_ch2(double value);
    void slotEventHiChanged_ch1(double value);
    void slotEventHiChanged_ch2(double value);
    void slotEventDiffChanged_ch1(double value);
    void slotEventDiffChanged_ch2(double value);
    void slotEventLoApply_ch1();
    void slotEventLoApply_ch2();
    void slotEventHiApply_ch1();
    void slotEventHiApply_ch2();
    void slotEventDiffApply_ch1();
    void slotEventDiffApply_ch2();
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();
    void slotDelayDisplay();

private:
    static constexpr int kChannels = 2;

    void buildSequences();
    void setDeviceValue(QString value1, QString value2, bool event);
    // "ATCn<key> <value>" for channel n at the APPLY step.
    void applyEvent(int channel, const char* key, unsigned step, QDoubleSpinBox* const* boxes);
    void applyOffset(int channel);
    void applyEventMode(int channel, int id);
    // An event mode the instrument reported (1 None .. 4): radio, active flag.
    void takeEventMode(int channel, int mode);
    void showEventMode(int channel);
    // LCD style: MatchStyle for a live value, ChangedStyle for the 500 ms after an event line.
    void setLcdStyle(const char* style);

    Ui::Zq70ACalibrator* ui;
    int m_deviceCode;
    QString m_modelName;
    ChartView* m_chart[kChannels] = {};
    RangeScaleWizards* m_wizards = nullptr;
    std::unique_ptr<ChannelSequence> m_refresh;
    std::unique_ptr<ChannelSequence> m_apply;
    QButtonGroup* m_eventModeGroup[kChannels] = {};
    QButtonGroup* m_inputTypeGroup = nullptr;
    QButtonGroup* m_triggerGroup = nullptr;
    bool m_eventActive[kChannels] = {false, false};
    // The event mode last read or echoed (1 None when none was).
    int m_eventMode[kChannels] = {1, 1};
    // The radios of the input type and the trigger last read or echoed.
    QAbstractButton* m_inputTypeHeld = nullptr;
    QAbstractButton* m_triggerHeld = nullptr;
    // The sequence ending now closes the open wizard.
    bool m_wizardEnding = false;

    QLCDNumber* m_lcd[kChannels] = {};
    QLabel* m_unitLabel[kChannels] = {};
    QDoubleSpinBox* m_offset[kChannels] = {};
    QDoubleSpinBox* m_rangeMin[kChannels] = {};
    QDoubleSpinBox* m_rangeMax[kChannels] = {};
    QDoubleSpinBox* m_correctionMin[kChannels] = {};
    QDoubleSpinBox* m_correctionMax[kChannels] = {};
    QDoubleSpinBox* m_scaledMin[kChannels] = {};
    QDoubleSpinBox* m_scaledMax[kChannels] = {};
    QDoubleSpinBox* m_multiply[kChannels] = {};
    QRadioButton* m_eventNone[kChannels] = {};
    QRadioButton* m_eventEdgeOut[kChannels] = {};
    QRadioButton* m_eventChange[kChannels] = {};
    QRadioButton* m_eventEdgeIn[kChannels] = {};
    QDoubleSpinBox* m_eventLo[kChannels] = {};
    QDoubleSpinBox* m_eventHi[kChannels] = {};
    QDoubleSpinBox* m_eventDiff[kChannels] = {};
    QAbstractButton* m_rangeButton[kChannels] = {};
    QAbstractButton* m_scaleButton[kChannels] = {};
};

#endif
