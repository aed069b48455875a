#ifndef FOURCHANNELPANEL_H
#define FOURCHANNELPANEL_H

#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

#include "calibratorpanel.h"
#include "channelsequence.h"

class QBoxLayout;
class QComboBox;
class QDateTimeEdit;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLCDNumber;
class QPushButton;
class QToolButton;
class RangeWizardFlow;
class ResizeLabel;

// The widgets the four-channel forms share, by their common object names.
struct FourChannelWidgets
{
    static constexpr int Channels = 4;

    QLabel* model = nullptr;
    QLabel* serial = nullptr;
    QFrame* frame = nullptr;
    QBoxLayout* ledLayout = nullptr;
    QPushButton* refresh = nullptr;
    QPushButton* factoryReset = nullptr;
    QToolButton* execDateTime = nullptr;
    QDateTimeEdit* buildTime = nullptr;
    QDateTimeEdit* execTime = nullptr;
    // Groups the panel locks besides the MODBUS block: build time, last calibration,
    // factory reset (in that order).
    QGroupBox* buildTimeGroup = nullptr;
    QGroupBox* lastCalibGroup = nullptr;
    QGroupBox* factoryResetGroup = nullptr;

    // Per channel, index = channel - 1.
    QGroupBox* channelGroup[Channels] = {};
    QComboBox* sensorType[Channels] = {};
    QToolButton* sensorTypeApply[Channels] = {};
    QPushButton* wizard[Channels] = {};
    QLCDNumber* lcd[Channels] = {};
    ResizeLabel* unit[Channels] = {};
    QLabel* chartHost[Channels] = {};
    QDoubleSpinBox* offset[Channels] = {};
    QToolButton* offsetApply[Channels] = {};
    QDoubleSpinBox* rangeMin[Channels] = {};
    QDoubleSpinBox* rangeMax[Channels] = {};
    QDoubleSpinBox* correctionMin[Channels] = {};
    QDoubleSpinBox* correctionMax[Channels] = {};

    template <class Ui>
    static FourChannelWidgets from(Ui* ui)
    {
        FourChannelWidgets w;
        w.model = ui->label_model;
        w.serial = ui->label_serial;
        w.frame = ui->frame;
        w.ledLayout = ui->horizontalLayout_led;
        w.refresh = ui->pushButton_refresh;
        w.factoryReset = ui->pushButton_factoryreset;
        w.execDateTime = ui->toolButton_exec_datetime;
        w.buildTime = ui->dateTimeEdit_build_time;
        w.execTime = ui->dateTimeEdit_exec_datetime;
        w.buildTimeGroup = ui->groupBox_build_time;
        w.lastCalibGroup = ui->groupBox_last_calib_timestamp;
        w.factoryResetGroup = ui->groupBox_factoryreset;
#define ZQ_FOUR_CHANNEL(i, n)                                           \
        w.channelGroup[i] = ui->groupBox_ch##n;                         \
        w.sensorType[i] = ui->comboBox_sensortype_ch##n;                \
        w.sensorTypeApply[i] = ui->toolButton_sensortype_apply_ch##n;   \
        w.wizard[i] = ui->pushButton_wizard_ch##n;                      \
        w.lcd[i] = ui->lcdNumber_ch##n;                                 \
        w.unit[i] = ui->label_unit_ch##n;                               \
        w.chartHost[i] = ui->label_chart_ch##n;                         \
        w.offset[i] = ui->doubleSpinBox_offset_ch##n;                   \
        w.offsetApply[i] = ui->toolButton_offset_apply_ch##n;           \
        w.rangeMin[i] = ui->doubleSpinBox_range_min_ch##n;              \
        w.rangeMax[i] = ui->doubleSpinBox_range_max_ch##n;              \
        w.correctionMin[i] = ui->doubleSpinBox_correction_min_ch##n;    \
        w.correctionMax[i] = ui->doubleSpinBox_correction_max_ch##n;
        ZQ_FOUR_CHANNEL(0, 1)
        ZQ_FOUR_CHANNEL(1, 2)
        ZQ_FOUR_CHANNEL(2, 3)
        ZQ_FOUR_CHANNEL(3, 4)
#undef ZQ_FOUR_CHANNEL
        return w;
    }
};

// What differs between the four-channel panels in their shared part: the sensor-type
// command and items, and the steps of the per-channel rows.
struct FourChannelProfile
{
    QString typeKeyword;                   // "ATCCTS" (KW), "ATSINM" (LX)
    QVector<QPair<QString, int>> typeItems; // text and item data; "NONE" has data -1
    unsigned typeStep, offsetStep, loStep, hiStep, cloStep, chiStep;
};

// What the HV700 four-channel panels (thermocouple KW, current input LX) share: the
// per-channel widget arrays, four live charts fed by the "ATCQ" poll, the READ value,
// the per-channel REFRESH rows (type, offset, LO, HI, CLO, CHI), the sensor-type and
// offset writes with their green/orange marking, and the shared parts of clearAll and
// controlEnable. A panel class builds its form, calls bindForm() with its widgets, adds
// its own rows, groups and slots, and ends its constructor with writeRefresh().
class FourChannelPanel : public CalibratorPanel
{
    Q_OBJECT
public:
    static constexpr int Channels = FourChannelWidgets::Channels;

    double getCurrentValue(int channel) override;
    void controlEnable(bool on) override;

    FourChannelWidgets const& widgets() const { return m_w; }
    ChartView* chart(int index) const { return m_chart[index]; }
    // The type of a channel as the instrument reported it (item data; -1 NONE).
    int sensorType(int channel) const;

protected:
    FourChannelPanel(PanelDescription const& desc, FourChannelProfile profile, unsigned version,
                     QString const& serial, QWidget* parent);
    ~FourChannelPanel() override;

    // Lamps and spinner, charts, sensor-type items (each combo then green), the labels
    // emptied and the charts cleared; connects the per-channel change and apply slots.
    void bindForm(FourChannelWidgets const& widgets);
    // After clearAll: shows model and serial; connects the per-channel slots, factory
    // reset, date and REFRESH.
    void showIdentity(QString const& model);
    // The destructor's part: labels emptied, charts cleared and deleted.
    void releaseForm();

    // The per-channel REFRESH rows, in order: type, offset, LO, HI, CLO, CHI. An open
    // range wizard (setRangeFlow) sees the range echoes.
    QVector<SequenceRow> channelRows() const;
    void setRangeFlow(RangeWizardFlow* flow) { m_rangeFlow = flow; }
    // Groups of the panel's own that controlEnable switches too (before the channels).
    void addLockGroups(QList<QWidget*> const& groups) { m_lockGroups << groups; }

    // The shared part of clearAll: both dates to time 0, per channel type NONE (empty
    // style), LCD and unit label empty, the five value boxes 0 without suffix or style.
    void clearChannels();
    // Suffix of the five value boxes of every channel.
    void setValueSuffix(QString const& suffix);

    // The APPLY echoes of the factory reset (step 4) and of the last-calibration time
    // (the description's date step); false for any other step.
    bool parsingResetOrDate(QString const& line);

    // DEFAULT: the poll reply "ATCQ" with four fields.
    void parsingDefault(QString line) override;
    void setDeviceValue(QString ch1, QString ch2, QString ch3, QString ch4);

    void applySensorType(int channel);
    void applyOffset(int channel);
    void sensorTypeChanged(int channel, int index);

    // The channels the per-channel loops run over: 1..min(ChannelCount, 4).
    static int channelLimit();

    FourChannelWidgets m_w;
    FourChannelProfile m_profile;
    ChartView* m_chart[Channels] = {};
    int m_sensorType[Channels] = {-1, -1, -1, -1};

private slots:
    void slotSensorTypeChangedCh1(int index);
    void slotSensorTypeChangedCh2(int index);
    void slotSensorTypeChangedCh3(int index);
    void slotSensorTypeChangedCh4(int index);
    void slotSensorTypeApplyCh1();
    void slotSensorTypeApplyCh2();
    void slotSensorTypeApplyCh3();
    void slotSensorTypeApplyCh4();
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotDoubleSpinBox_offsetChanged_ch3(double value);
    void slotDoubleSpinBox_offsetChanged_ch4(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();
    void slotOffsetApply_ch3();
    void slotOffsetApply_ch4();

private:
    bool storeType(int channel, QString const& value);
    int noneIndex(int channel) const;

    RangeWizardFlow* m_rangeFlow = nullptr;
    QList<QWidget*> m_lockGroups;
};

#endif
