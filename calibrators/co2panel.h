#ifndef CO2PANEL_H
#define CO2PANEL_H

#include "airpanel.h"

class QDateTimeEdit;
class QDoubleSpinBox;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QToolButton;

// The objects of a CO2 panel form (the ZQ81 and ZQ89 forms name them alike).
struct Co2Form
{
    AirForm air;
    QGroupBox* groupBox_build_time;
    QGroupBox* groupBox_last_calib_timestamp;
    QGroupBox* groupBox_usedtime;
    QGroupBox* groupBox_ch1;
    QGroupBox* groupBox_ch2;
    QGroupBox* groupBox_co2cal;
    QGroupBox* groupBox_barometer;
    QGroupBox* groupBox_unit_ch1;
    QGroupBox* groupBox_filter;
    QGroupBox* groupBox_sensitivity_ch1;
    QGroupBox* groupBox_versioninfo;
    QGroupBox* groupBox_tempoutput;
    QDateTimeEdit* dateTimeEdit_build_time;
    QDateTimeEdit* dateTimeEdit_exec_datetime;
    QSpinBox* spinBox_usedtime;
    QDoubleSpinBox* doubleSpinBox_offset_ch1;
    QDoubleSpinBox* doubleSpinBox_offset_ch2;
    QDoubleSpinBox* doubleSpinBox_co2cal;
    QSpinBox* spinBox_barometer;
    QSpinBox* spinBox_filter;
    QSpinBox* spinBox_sensitivity_ch1;
    QLabel* label_versioninfo;
    QAbstractButton* radioButton_percent_ch1;
    QAbstractButton* radioButton_ppm_ch1;
    QAbstractButton* radioButton_celsius;
    QAbstractButton* radioButton_fahrenheit;
    QToolButton* toolButton_exec_datetime;
    QToolButton* toolButton_offset_apply_ch1;
    QToolButton* toolButton_offset_apply_ch2;
    QToolButton* toolButton_co2cal_apply;
    QToolButton* toolButton_filter_apply;
    QToolButton* toolButton_barometer_apply;
    QToolButton* toolButton_sensitivity_apply_ch1;
    QPushButton* pushButton_refresh;
};

template <class Ui>
Co2Form co2Form(Ui* ui)
{
    return Co2Form{airForm(ui),
                   ui->groupBox_build_time, ui->groupBox_last_calib_timestamp, ui->groupBox_usedtime,
                   ui->groupBox_ch1, ui->groupBox_ch2, ui->groupBox_co2cal, ui->groupBox_barometer,
                   ui->groupBox_unit_ch1, ui->groupBox_filter, ui->groupBox_sensitivity_ch1,
                   ui->groupBox_versioninfo, ui->groupBox_tempoutput,
                   ui->dateTimeEdit_build_time, ui->dateTimeEdit_exec_datetime, ui->spinBox_usedtime,
                   ui->doubleSpinBox_offset_ch1, ui->doubleSpinBox_offset_ch2, ui->doubleSpinBox_co2cal,
                   ui->spinBox_barometer, ui->spinBox_filter, ui->spinBox_sensitivity_ch1, ui->label_versioninfo,
                   ui->radioButton_percent_ch1, ui->radioButton_ppm_ch1, ui->radioButton_celsius,
                   ui->radioButton_fahrenheit, ui->toolButton_exec_datetime, ui->toolButton_offset_apply_ch1,
                   ui->toolButton_offset_apply_ch2, ui->toolButton_co2cal_apply, ui->toolButton_filter_apply,
                   ui->toolButton_barometer_apply, ui->toolButton_sensitivity_apply_ch1, ui->pushButton_refresh};
}

// Where the two CO2 models differ: the firmware versions from which they have a setting,
// how they code the CO2 unit, and whether setSensorMode() selects the temperature radio.
struct Co2Policy
{
    unsigned unitFrom;        // "ATCCU" read from here on (below: the REFRESH ends)
    unsigned settingsFrom;    // filter, barometer, sensor version, last calibration; unit radios
    unsigned usedFrom;        // used hours and build time
    unsigned sensitivityFrom; // "ATCCH1WIN", read last
    unsigned zeroPercentFrom; // unit codes %=0, ppm=anything else; below: ppm only for 2
    unsigned percentSuffixFrom; // the CO2 offset in % has the suffix " %" (below: " ppm")
    bool selectsTempRadio;
};

// The CO2 panel (channel 1 CO2 in % or ppm, channel 2 temperature): offsets, CO2
// calibration reference, CO2 unit, digital filter, barometric pressure, sensitivity,
// sensor version, last-calibration time, used hours and build time, by firmware version.
// Zq81Calibrator and Zq89Calibrator give it their form and policy.
class Co2Panel : public AirPanel
{
    Q_OBJECT
public:
    void controlEnable(bool on) override;
    bool isPpm() const { return m_co2ppm; }

    enum Step : unsigned {
        OFFSET1_SEQ = 4, OFFSET2_SEQ, CO2CAL_SEQ, UNIT_SEQ, FILTER_SEQ, BAROMETER_SEQ, SINFO_SEQ,
        SENSITIVITY_SEQ, EXTM_SEQ, USED_SEQ, BUILD_SEQ, END_SEQ, ERROR_SEQ
    };
    // The description of a CO2 model; parsingTempDebug names its class.
    static PanelDescription co2Description(const char* parsingTempDebug);

protected:
    Co2Panel(PanelDescription const& desc, Co2Policy const& policy, unsigned version,
             QString const& serial, QWidget* parent);
    ~Co2Panel() override;

    // The rest of the constructor once the form is built; ends with the first REFRESH.
    void attachCo2Form(Co2Form const& form, QString const& model, QString const& serial);

    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;

private slots:
    void slotCo2UnitApply(int id);
    void slotDoubleSpinBox_offsetChanged_ch1(double value);
    void slotDoubleSpinBox_offsetChanged_ch2(double value);
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();
    void slotSpinBox_filterChanged(int value);
    void slotFilterApply();
    void slotSpinBox_barometerChanged(int value);
    void slotBarometerApply();
    void slotCo2CalApply();
    void slotSpinBox_sensitivityChanged_ch1(int value);
    void slotSensitivityApply_ch1();

private:
    bool takeUnit(QString const& code);
    void buildSequences();

    Co2Policy const& m_policy;
    Co2Form m_co2 = {};
    bool m_co2ppm = false;
    QButtonGroup* m_unitGroup = nullptr;
};

#endif
