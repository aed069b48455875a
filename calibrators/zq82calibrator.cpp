#include "zq82calibrator.h"
#include "ui_zq82calibrator.h"

#include <QButtonGroup>
#include <QLCDNumber>
#include <QDebug>

#include "resizelabel.h"

namespace {


constexpr int kType1Id = 200;
constexpr int kModes = 5;
constexpr unsigned kInfoFrom = 10;        // version, times, used hours
constexpr unsigned kType5From = 13;
constexpr unsigned kSensitivityFrom = 17;

const PanelDescription kZq82 = {
    Zq82Calibrator::END_SEQ, Zq82Calibrator::ERROR_SEQ,
    "ATCMODE\r\n", Zq82Calibrator::MODE_SEQ,
    {"ATCMODE", "ATCOFF", "ATCSINFO", "ATCWIN", "ATCEXTM", "ATCUSED", "ATCBLDTM"},
    {"ATCMODE", "ATCOFF", "ATCWIN", "ATCEXTM"},
    {"ATCD"},
    {},
    true, "Zq82Calibrator::parsingTemp() TEMPMODE : ", PanelDescription::Celsius,
    Zq82Calibrator::EXTM_SEQ, QT_TRANSLATE_NOOP("CalibratorPanel", "Last Calibration Time"),
    nullptr, nullptr,
};

const QString kDegree = QString(QChar(0x00B0));

// What a sensor mode shows (index mode - 1); the first mode's temperature unit and radio
// text follow the unit the panel holds.
struct ModeLabels
{
    const char* radio;
    const char* channel2;
    const char* unit1;
    const char* unit2;
};
const ModeLabels kModeLabels[kModes] = {
    {nullptr, "Temperature", "%", nullptr},
    {"mbar,mbar", "Atmospheric pressure", "mbar", "mbar"},
    {"ppm,mmh2o", "Atmospheric pressure", "ppm", "mmh2o"},
    {"%,mbar", "Atmospheric pressure", "%", "mbar"},
    {"%,NULL", "NULL", "%", ""},
};

} // namespace

Zq82Calibrator::Zq82Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : AirPanel(kZq82, version, serial, parent)
    , ui(new Ui::Zq82Calibrator)
{
    ui->setupUi(this);
    buildSequences();
    attachAirForm(airForm(ui), model, serial);

    m_sensorModeGroup = radioGroup({ui->radioButton_type1, ui->radioButton_type2, ui->radioButton_type3,
                                    ui->radioButton_type4, ui->radioButton_type5},
                                   kType1Id, SLOT(slotSensorTypeApply(int)));
    attachTempRadios(ui->radioButton_celsius, ui->radioButton_fahrenheit);
    connect(ui->doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(ui->doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(ui->spinBox_sensitivity_ch1, SIGNAL(valueChanged(int)), this, SLOT(slotSpinBox_sensitivityChanged_ch1(int)));
    connect(ui->toolButton_sensitivity_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSensitivityApply_ch1()));
    connect(ui->toolButton_exec_datetime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq82Calibrator::~Zq82Calibrator()
{
    detachAirForm();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq82Calibrator()";
}

void Zq82Calibrator::buildSequences()
{
    const RowStore mode = [this](int, QString const& value) {
        const int n = value.toInt();
        if (n < 1 || n > kModes)
            return false;
        m_sensorMode = n;
        setSensorMode();
        return true;
    };
    SequenceRow info = textRow(SINFO_SEQ, "ATCSINFO", ui->label_versioninfo, kInfoFrom);
    info.endBelowGate = true;
    SequenceRow win = intRow(WIN_SEQ, "ATCWIN", ui->spinBox_sensitivity_ch1, kSensitivityFrom);
    win.endBelowGate = true;
    const QVector<SequenceRow> common = {
        plainRow(MODE_SEQ, "ATCMODE", mode),
        offsetRow(OFFSET1_SEQ, 1, ui->doubleSpinBox_offset_ch1),
        offsetRow(OFFSET2_SEQ, 2, ui->doubleSpinBox_offset_ch2),
    };
    // Read in this order; the sensitivity (step 8) comes last.
    QVector<SequenceRow> refresh = common;
    refresh << info << timeRow(EXTM_SEQ, "ATCEXTM", ui->dateTimeEdit_exec_datetime)
            << usedRow(USED_SEQ, ui->spinBox_usedtime)
            << timeRow(BUILD_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time) << win;
    QVector<SequenceRow> apply = common;
    apply << intRow(WIN_SEQ, "ATCWIN", ui->spinBox_sensitivity_ch1);
    setSequences(refresh, apply);
}

QAbstractButton* Zq82Calibrator::modeRadio(int mode) const
{
    QAbstractButton* const radios[kModes] = {ui->radioButton_type1, ui->radioButton_type2, ui->radioButton_type3,
                                             ui->radioButton_type4, ui->radioButton_type5};
    return radios[qBound(1, mode, kModes) - 1];
}

void Zq82Calibrator::controlEnable(bool on)
{
    for (QWidget* box : std::initializer_list<QWidget*>{
             ui->groupBox_last_calib_timestamp, ui->groupBox_build_time, ui->groupBox_usedtime,
             ui->groupBox_sensortype, ui->groupBox_ch1, ui->groupBox_ch2})
        box->setEnabled(on);
}

void Zq82Calibrator::clearAll()
{
    m_mode = DEFAULT;
    m_seq = 0;
    ui->dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->spinBox_usedtime->setValue(0);
    m_celsius = true;
    ui->radioButton_celsius->setChecked(true);
    m_sensorMode = 1;
    ui->radioButton_type1->setChecked(true);
    ui->lcdNumber_ch1->display(QString());
    ui->lcdNumber_ch2->display(QString());
    ui->label_unit_ch1->setText(QString());
    ui->label_unit_ch2->setText(QString());
    ui->label_versioninfo->setText(QString());
    for (QDoubleSpinBox* box : {ui->doubleSpinBox_offset_ch1, ui->doubleSpinBox_offset_ch2}) {
        box->setValue(0);
        box->setSuffix(QString());
        box->setStyleSheet(QString());
    }
    ui->spinBox_sensitivity_ch1->setValue(1);
    ui->spinBox_sensitivity_ch1->setStyleSheet(QString());
}

void Zq82Calibrator::setSensorMode()
{
    const QString temperature = kDegree + (m_celsius ? "C" : "F");
    for (QWidget* box : std::initializer_list<QWidget*>{ui->groupBox_versioninfo, ui->groupBox_build_time,
                                                        ui->groupBox_last_calib_timestamp, ui->groupBox_usedtime,
                                                        ui->groupBox_sensitivity_ch1})
        box->hide();
    showTempUnit();
    for (int mode = 1; mode <= kModes; ++mode) {
        const char* text = kModeLabels[mode - 1].radio;
        modeRadio(mode)->setText(text ? QString(text) : "%," + temperature);
    }
    ui->radioButton_type5->hide();
    ui->groupBox_tempoutput->hide();
    if (m_version >= kInfoFrom) {
        for (QWidget* box : std::initializer_list<QWidget*>{ui->groupBox_versioninfo, ui->groupBox_build_time,
                                                            ui->groupBox_last_calib_timestamp, ui->groupBox_usedtime})
            box->show();
        ui->radioButton_type5->setVisible(m_version >= kType5From);
        ui->groupBox_sensitivity_ch1->setVisible(m_version >= kSensitivityFrom);
    }

    const ModeLabels& labels = kModeLabels[qBound(1, m_sensorMode, kModes) - 1];
    const bool tempMode = m_sensorMode == 1;
    modeRadio(m_sensorMode)->setChecked(true);
    ui->groupBox_ch1->setTitle("O2");
    ui->groupBox_ch2->setTitle(labels.channel2);
    ui->groupBox_tempoutput->setVisible(tempMode);
    const QString unit2 = labels.unit2 ? QString(labels.unit2) : temperature;
    setUnit(1, labels.unit1);
    setUnit(2, unit2);
    ui->doubleSpinBox_offset_ch1->setSuffix(QString(" ") + labels.unit1);
    // The temperature offset is entered in degrees Celsius whatever the output unit.
    const QString suffix2 = tempMode ? kDegree + "C" : unit2;
    ui->doubleSpinBox_offset_ch2->setSuffix(suffix2.isEmpty() ? QString() : " " + suffix2);
}

void Zq82Calibrator::slotDoubleSpinBox_offsetChanged_ch1(double value)
{
    Q_UNUSED(value)
}

void Zq82Calibrator::slotDoubleSpinBox_offsetChanged_ch2(double value)
{
    Q_UNUSED(value)
}

void Zq82Calibrator::slotOffsetApply_ch1()
{
    writeDelay(APPLY, OFFSET1_SEQ, "ATCOFF1 " + f2(ui->doubleSpinBox_offset_ch1->value()) + "\r\n");
}

void Zq82Calibrator::slotOffsetApply_ch2()
{
    writeDelay(APPLY, OFFSET2_SEQ, "ATCOFF2 " + f2(ui->doubleSpinBox_offset_ch2->value()) + "\r\n");
}

void Zq82Calibrator::slotSensorTypeApply(int id)
{
    applyChoice(ModeChoice, MODE_SEQ, "ATCMODE", id - kType1Id + 1);
}

void Zq82Calibrator::slotSpinBox_sensitivityChanged_ch1(int value)
{
    Q_UNUSED(value)
}

void Zq82Calibrator::slotSensitivityApply_ch1()
{
    writeDelay(APPLY, WIN_SEQ, "ATCWIN " + QString::number(ui->spinBox_sensitivity_ch1->value()) + "\r\n");
}
