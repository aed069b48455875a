#ifndef ECHEMPANEL_H
#define ECHEMPANEL_H

#include <QStringList>

#include "calibratorpanel.h"

class CalibWizard;
class ChannelSequence;
class QAbstractButton;
class QBoxLayout;
class QDateTimeEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;
class QWizardPage;
class ResizeLabel;
class WizardChain;

// The widgets of an electrochemical gas panel's form. Both forms use the same object
// names; the ZQ84-only ones stay null on a ZQ83.
struct EchemForm
{
    QLabel* label_model = nullptr;
    QLabel* label_serial = nullptr;
    QFrame* frame = nullptr;
    QBoxLayout* horizontalLayout_led = nullptr;
    QPushButton* pushButton_refresh = nullptr;
    QPushButton* pushButton_mannual = nullptr;
    QGroupBox* groupBox_sensortype = nullptr;
    QGroupBox* groupBox_tempcompensate = nullptr;
    QGroupBox* groupBox_last_calib_timestamp = nullptr;
    QGroupBox* groupBox_build_time = nullptr;
    QGroupBox* groupBox_usedtime = nullptr;
    QGroupBox* groupBox_driftadj = nullptr;
    QGroupBox* groupBox_sensitivity = nullptr;
    QGroupBox* groupBox_ch1 = nullptr;
    QGroupBox* groupBox_ch2 = nullptr;
    QDateTimeEdit* dateTimeEdit_build_time = nullptr;
    QDateTimeEdit* dateTimeEdit_exec_datetime = nullptr;
    QToolButton* toolButton_exec_datetime = nullptr;
    QSpinBox* spinBox_usedtime = nullptr;
    QSpinBox* spinBox_sensitivity = nullptr;
    QRadioButton* radioButton_rawgas = nullptr;
    QRadioButton* radioButton_filtergas = nullptr;
    QRadioButton* radioButton_tempcompensate_off = nullptr;
    QRadioButton* radioButton_tempcompensate_on = nullptr;
    QRadioButton* radioButton_ppm = nullptr;
    QRadioButton* radioButton_microvolt = nullptr;
    QRadioButton* radioButton_celsius = nullptr;
    QRadioButton* radioButton_fahrenheit = nullptr;
    QDoubleSpinBox* doubleSpinBox_drift = nullptr;
    QDoubleSpinBox* doubleSpinBox_offset_ch1 = nullptr;
    QDoubleSpinBox* doubleSpinBox_offset_ch2 = nullptr;
    QDoubleSpinBox* doubleSpinBox_zerocal = nullptr;
    QDoubleSpinBox* doubleSpinBox_slope = nullptr;
    QDoubleSpinBox* doubleSpinBox_temperature = nullptr;
    QDoubleSpinBox* doubleSpinBox_spancal = nullptr;     // ZQ84
    QDoubleSpinBox* doubleSpinBox_spancal_ppm = nullptr; // ZQ84
    QToolButton* toolButton_offset_apply_ch1 = nullptr;
    QToolButton* toolButton_offset_apply_ch2 = nullptr;
    QToolButton* toolButton_sensitivity_apply = nullptr;
    QToolButton* toolButton_zerocal_apply = nullptr;
    QToolButton* toolButton_spancal_apply = nullptr;
    QLCDNumber* lcdNumber_ch1 = nullptr;
    QLCDNumber* lcdNumber_ch2 = nullptr;
    ResizeLabel* label_unit_ch1 = nullptr;
    ResizeLabel* label_unit_ch2 = nullptr;
    QLabel* label_chart_ch1 = nullptr;
    QLabel* label_chart_ch2 = nullptr;
};

// Fills an EchemForm from either form class (the names they share).
template <class Form>
EchemForm echemForm(Form* ui)
{
    EchemForm f;
    f.label_model = ui->label_model;
    f.label_serial = ui->label_serial;
    f.frame = ui->frame;
    f.horizontalLayout_led = ui->horizontalLayout_led;
    f.pushButton_refresh = ui->pushButton_refresh;
    f.pushButton_mannual = ui->pushButton_mannual;
    f.groupBox_sensortype = ui->groupBox_sensortype;
    f.groupBox_tempcompensate = ui->groupBox_tempcompensate;
    f.groupBox_last_calib_timestamp = ui->groupBox_last_calib_timestamp;
    f.groupBox_build_time = ui->groupBox_build_time;
    f.groupBox_usedtime = ui->groupBox_usedtime;
    f.groupBox_driftadj = ui->groupBox_driftadj;
    f.groupBox_sensitivity = ui->groupBox_sensitivity;
    f.groupBox_ch1 = ui->groupBox_ch1;
    f.groupBox_ch2 = ui->groupBox_ch2;
    f.dateTimeEdit_build_time = ui->dateTimeEdit_build_time;
    f.dateTimeEdit_exec_datetime = ui->dateTimeEdit_exec_datetime;
    f.toolButton_exec_datetime = ui->toolButton_exec_datetime;
    f.spinBox_usedtime = ui->spinBox_usedtime;
    f.spinBox_sensitivity = ui->spinBox_sensitivity;
    f.radioButton_rawgas = ui->radioButton_rawgas;
    f.radioButton_filtergas = ui->radioButton_filtergas;
    f.radioButton_tempcompensate_off = ui->radioButton_tempcompensate_off;
    f.radioButton_tempcompensate_on = ui->radioButton_tempcompensate_on;
    f.radioButton_ppm = ui->radioButton_ppm;
    f.radioButton_microvolt = ui->radioButton_microvolt;
    f.radioButton_celsius = ui->radioButton_celsius;
    f.radioButton_fahrenheit = ui->radioButton_fahrenheit;
    f.doubleSpinBox_drift = ui->doubleSpinBox_drift;
    f.doubleSpinBox_offset_ch1 = ui->doubleSpinBox_offset_ch1;
    f.doubleSpinBox_offset_ch2 = ui->doubleSpinBox_offset_ch2;
    f.doubleSpinBox_zerocal = ui->doubleSpinBox_zerocal;
    f.doubleSpinBox_slope = ui->doubleSpinBox_slope;
    f.doubleSpinBox_temperature = ui->doubleSpinBox_temperature;
    f.toolButton_offset_apply_ch1 = ui->toolButton_offset_apply_ch1;
    f.toolButton_offset_apply_ch2 = ui->toolButton_offset_apply_ch2;
    f.toolButton_sensitivity_apply = ui->toolButton_sensitivity_apply;
    f.toolButton_zerocal_apply = ui->toolButton_zerocal_apply;
    f.toolButton_spancal_apply = ui->toolButton_spancal_apply;
    f.lcdNumber_ch1 = ui->lcdNumber_ch1;
    f.lcdNumber_ch2 = ui->lcdNumber_ch2;
    f.label_unit_ch1 = ui->label_unit_ch1;
    f.label_unit_ch2 = ui->label_unit_ch2;
    f.label_chart_ch1 = ui->label_chart_ch1;
    f.label_chart_ch2 = ui->label_chart_ch2;
    return f;
}

// Steps of the electrochemical gas panels (one number per setting, query and write).
enum EchemStep : unsigned {
    ECHEM_MODE = 4,     // "ATCMODE": REFRESH, and the one step of SENSORTYPE
    ECHEM_OFF1 = 5,     // "ATCOFF1"
    ECHEM_OFF2 = 6,     // "ATCOFF2"
    ECHEM_CAL = 7,      // "ATCCAL" (APPLY)
    ECHEM_CZR = 8,      // "ATCCZR" (APPLY)
    ECHEM_CSP = 9,      // "ATCCSP"
    ECHEM_TCMP = 10,    // "ATCTCMP"
    ECHEM_WIN = 11,     // "ATCWIN"
    ECHEM_EXTM = 12,    // "ATCEXTM"
    ECHEM_USED = 13,    // "ATCUSED" (REFRESH)
    ECHEM_BLDTM = 14,   // "ATCBLDTM" (REFRESH)
    ECHEM_END = 15,
    ECHEM_ERROR = 16,
};

// The description both models share but for the debug prefix of parsingTemp's line.
PanelDescription echemDescription(const char* parsingTempDebug);

// The electrochemical gas panels (ZQ83, ZQ84): six-field live samples with zero drift
// and a µV or ppm display, the digital filter in SENSORTYPE, temperature compensation,
// offsets, the ppm window, zero calibration, the span step, the last-calibration time and
// the calibration parameters entered on a one-page wizard. The two models differ in the
// hooks below.
class EchemPanel : public CalibratorPanel
{
    Q_OBJECT
public:
    ~EchemPanel() override;

    void controlEnable(bool on) override;

    EchemForm const& widgets() const { return m_form; }
    ChartView* chart(int index) const { return m_chart[index]; }
    CalibWizard* wizardWindow() const { return m_wizard; }
    WizardChain* wizardChain() const { return m_chain; }
    int sensorType() const { return m_sensorType; }
    int tempCompensate() const { return m_tempCompensate; }
    bool microVolt() const { return m_microVolt; }

protected:
    EchemPanel(PanelDescription const& desc, const char* name, unsigned version, QString const& serial,
               QWidget* parent);
    // The rest of the construction, once the derived class has built its form.
    void init(EchemForm const& form, QString const& model);

    // ---- what differs between the models -------------------------------------------
    // The "ATCCSP" record (REFRESH and APPLY step 9): false fails the step. An APPLY
    // echo that returns true ends the APPLY only when spanEchoEnds().
    virtual bool takeRecord(QStringList const& fields, bool apply) = 0;
    virtual bool spanEchoEnds() const = 0;
    // The span write ("ATCCSP " + value).
    virtual QString spanCommand() const = 0;
    // The "ATCCZR" echo's value.
    virtual void zeroEcho(QString const& value) = 0;
    // The wizard's page, the "ATCCAL" command made from it and the echo's minimum fields.
    virtual QWizardPage* makeWizardPage(CalibWizard* wizard) = 0;
    virtual QString calibrationCommand(QWizardPage* page) const = 0;
    virtual int calibrationEchoFields() const = 0;
    // Firmware from which ATCTCMP, ATCWIN and ATCBLDTM are asked and their groups shown.
    virtual unsigned laterStepsFrom() const { return 0; }
    // Poll fields beyond the LCDs, charts and drift (valid: the field is a number).
    virtual void liveExtras(QStringList const& fields) { Q_UNUSED(fields) }

    // ---- engine hooks ----------------------------------------------------------------
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingSensorType(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void onSequenceEnd(unsigned mode, bool success) override;
    void showHeldSettings() override;

    void setDeviceValue(QStringList const& fields);
    // Closes an open wizard (deleted later; the pointer clears on its destruction).
    void wizardClose();
    // A live field as a finite number, or false.
    static bool liveNumber(QString const& text, double* value);

    const char* m_name; // class name for debug lines
    EchemForm m_form;
    CalibWizard* m_wizard = nullptr;
    int m_sensorType = 0;
    int m_tempCompensate = 0;
    bool m_microVolt = false;

protected slots:
    void slotSensorTypeChanged(int id);
    void slotMicroVoltageShow(int id);
    void slotTempCompensateOn(int id);
    void slotZeroCalApply();
    void slotSpanCalApply();
    void slotMannualSetting();
    void slotMannualWizardDestroyed();
    void slotSensitivityApply();
    void slotOffsetApply_ch1();
    void slotOffsetApply_ch2();

private:
    // The value 0 or 1 of an "ATCMODE"/"ATCTCMP" reply into target; false otherwise.
    bool takeSwitch(QString const& value, int* target, const char* what, const char* parser);
    void writeCalibration();

    ChartView* m_chart[2] = {};
    QLCDNumber* m_lcd[2] = {};
    QButtonGroup* m_sensorTypeGroup = nullptr;
    QButtonGroup* m_outputGroup = nullptr;
    QButtonGroup* m_tempCompGroup = nullptr;
    ChannelSequence* m_refresh = nullptr;
    ChannelSequence* m_apply = nullptr;
    WizardChain* m_chain = nullptr;
};

#endif
