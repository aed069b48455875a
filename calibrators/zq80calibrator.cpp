#include "zq80calibrator.h"
#include "ui_zq80calibrator.h"

#include <QButtonGroup>
#include <QLCDNumber>
#include <QDebug>

#include "resizelabel.h"

namespace {

const char* const kChannel1 = QT_TRANSLATE_NOOP("Zq80Calibrator", "Channel 1");
const char* const kChannel2 = QT_TRANSLATE_NOOP("Zq80Calibrator", "Channel 2");
const char* const kFactoryQuestion = QT_TRANSLATE_NOOP("Zq80Calibrator", "Do you want to calibrate for 12 hours?");
const char* const kUserCalOk = QT_TRANSLATE_NOOP("Zq80Calibrator", "Success...");
const char* const kFactoryCalOk = QT_TRANSLATE_NOOP("Zq80Calibrator", "Unplug the sensor and plug it in again.\nNormal operation after 12 hours.");
const char* const kCalFail = QT_TRANSLATE_NOOP("Zq80Calibrator", "Please retry...");

constexpr int kHumiId = 200;
constexpr int kVocPpmId = 300;
constexpr int kPercentId = 400;
constexpr unsigned kUnitsFrom = 12;   // VOC unit, sensitivity, last calibration
constexpr unsigned kCo2UnitFrom = 32; // CO2 unit, used hours, build time

const PanelDescription kZq80 = {
    Zq80Calibrator::END_SEQ, Zq80Calibrator::ERROR_SEQ,
    "ATCMODE\r\n", Zq80Calibrator::MODE_SEQ,
    {"ATCMODE", "ATCOFF", "ATCVOCU", "ATCCU", "ATCUCAL", "ATCFCAL", "ATCWIN", "ATCEXTM", "ATCUSED", "ATCBLDTM"},
    {"ATCMODE", "ATCOFF", "ATCVOCU", "ATCCU", "ATCUCAL", "ATCFCAL", "ATCWIN", "ATCEXTM"},
    {"ATCD"},
    {},
    false, nullptr, PanelDescription::Unlock,
    Zq80Calibrator::EXTM_SEQ, QT_TRANSLATE_NOOP("CalibratorPanel", "Last Calibration Time"),
    nullptr, nullptr,
};

} // namespace

Zq80Calibrator::Zq80Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : AirPanel(kZq80, version, serial, parent)
    , ui(new Ui::Zq80Calibrator)
{
    ui->setupUi(this);
    buildSequences();
    attachAirForm(airForm(ui), model, serial);

    m_sensorModeGroup = radioGroup({ui->radioButton_voc_humi, ui->radioButton_voc_co2}, kHumiId,
                                   SLOT(slotSensorTypeApply(int)));
    m_vocUnitGroup = radioGroup({ui->radioButton_ppm_ch1, ui->radioButton_ppb_ch1}, kVocPpmId,
                                SLOT(slotVocUnitApply(int)));
    m_co2UnitGroup = radioGroup({ui->radioButton_percent_ch2, ui->radioButton_ppm_ch2}, kPercentId,
                                SLOT(slotCo2UnitApply(int)));
    connect(ui->pushButton_usercal, SIGNAL(clicked()), this, SLOT(slotUserCalApply()));
    connect(ui->pushButton_factorycal, SIGNAL(clicked()), this, SLOT(slotFactoryCalApply()));
    connect(ui->doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(ui->doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(ui->spinBox_sensitivity, SIGNAL(valueChanged(int)), this, SLOT(slotSpinBox_sensitivityChanged(int)));
    connect(ui->toolButton_sensitivity_apply, SIGNAL(pressed()), this, SLOT(slotSensitivityApply()));
    connect(ui->toolButton_exec_datetime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq80Calibrator::~Zq80Calibrator()
{
    detachAirForm();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq80Calibrator()";
}

void Zq80Calibrator::buildSequences()
{
    const RowStore mode = [this](int, QString const& value) {
        const int n = value.toInt();
        if (n != 1 && n != 2)
            return false;
        m_sensorMode = n;
        setSensorMode();
        return true;
    };
    const RowStore vocUnit = [this](int, QString const& value) {
        m_vocppm = value.toInt() == 0;
        setSensorMode();
        return true;
    };
    const RowStore co2Unit = [this](int, QString const& value) {
        m_co2ppm = value.toInt() != 0;
        setSensorMode();
        return true;
    };
    const QVector<SequenceRow> common = {
        plainRow(MODE_SEQ, "ATCMODE", mode),
        offsetRow(OFFSET1_SEQ, 1, ui->doubleSpinBox_offset_ch1),
        offsetRow(OFFSET2_SEQ, 2, ui->doubleSpinBox_offset_ch2),
        plainRow(VOCUNIT_SEQ, "ATCVOCU", vocUnit),
        plainRow(CO2UNIT_SEQ, "ATCCU", co2Unit, kCo2UnitFrom),
        intRow(WIN_SEQ, "ATCWIN", ui->spinBox_sensitivity),
    };
    QVector<SequenceRow> refresh = common;
    SequenceRow used = usedRow(USED_SEQ, ui->spinBox_usedtime, kCo2UnitFrom);
    used.endBelowGate = true;
    refresh << timeRow(EXTM_SEQ, "ATCEXTM", ui->dateTimeEdit_exec_datetime) << used
            << timeRow(BUILD_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time, kCo2UnitFrom);
    setSequences(refresh, common);
}

void Zq80Calibrator::controlEnable(bool on)
{
    for (QWidget* box : std::initializer_list<QWidget*>{
             ui->groupBox_sensortype, ui->groupBox_last_calib_timestamp, ui->groupBox_build_time,
             ui->groupBox_usedtime, ui->groupBox_usercal, ui->groupBox_factorycal, ui->groupBox_ch1,
             ui->groupBox_ch2})
        box->setEnabled(on);
}

void Zq80Calibrator::clearAll()
{
    m_mode = DEFAULT;
    m_seq = 0;
    ui->dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->spinBox_usedtime->setValue(0);
    m_sensorMode = 0;
    m_vocppm = true;
    m_co2ppm = true;
    ui->radioButton_ppm_ch1->setChecked(true);
    ui->radioButton_ppm_ch2->setChecked(true);
    ui->groupBox_ch2->setTitle(trPanel(kChannel2));
    ui->lcdNumber_ch1->display(QString());
    ui->lcdNumber_ch2->display(QString());
    ui->label_unit_ch1->setText(QString());
    ui->label_unit_ch2->setText(QString());
    for (QDoubleSpinBox* box : {ui->doubleSpinBox_offset_ch1, ui->doubleSpinBox_offset_ch2}) {
        box->setValue(0);
        box->setSuffix(QString());
        box->setStyleSheet(QString());
    }
    ui->spinBox_sensitivity->setValue(1);
    ui->spinBox_sensitivity->setStyleSheet(QString());
    clearRadios({ui->radioButton_voc_humi, ui->radioButton_voc_co2});
}

void Zq80Calibrator::setSensorMode()
{
    ui->doubleSpinBox_offset_ch1->setSuffix(" ppm");
    ui->doubleSpinBox_offset_ch2->setSuffix(" ppm");
    const bool units = m_version >= kUnitsFrom;
    const bool late = m_version >= kCo2UnitFrom;
    ui->groupBox_usercal->setVisible(!units);
    ui->groupBox_factorycal->setVisible(!units);
    ui->groupBox_last_calib_timestamp->setVisible(units);
    ui->groupBox_usedtime->setVisible(late);
    ui->groupBox_build_time->setVisible(late);
    ui->groupBox_sensitivity->setVisible(units);
    ui->groupBox_offset_ch1->show();
    ui->groupBox_offset_ch2->show();
    ui->groupBox_unit_ch1->hide();
    ui->groupBox_unit_ch2->hide();

    if (m_sensorMode != 1 && m_sensorMode != 2) {
        clearRadios({ui->radioButton_voc_humi, ui->radioButton_voc_co2});
        ui->groupBox_ch1->setTitle(trPanel(kChannel1));
        ui->groupBox_ch2->setTitle(trPanel(kChannel2));
        setUnit(1, QString());
        setUnit(2, QString());
        ui->doubleSpinBox_offset_ch1->setSuffix(QString());
        ui->doubleSpinBox_offset_ch2->setSuffix(QString());
        return;
    }
    const bool co2 = m_sensorMode == 2;
    (co2 ? ui->radioButton_voc_co2 : ui->radioButton_voc_humi)->setChecked(true);
    ui->groupBox_ch1->setTitle("TVOC");
    ui->groupBox_ch2->setTitle(co2 ? "CO2" : "Absolute Humidity");
    ui->groupBox_unit_ch1->setVisible(units);
    ui->groupBox_unit_ch2->setVisible(co2 && late);
    if (units) {
        (m_vocppm ? ui->radioButton_ppm_ch1 : ui->radioButton_ppb_ch1)->setChecked(true);
        setUnit(1, m_vocppm ? "ppm" : "ppb");
    }
    if (!co2) {
        setUnit(2, "g/m3");
        ui->doubleSpinBox_offset_ch2->setSuffix(" g/m3");
        return;
    }
    if (late)
        (m_co2ppm ? ui->radioButton_ppm_ch2 : ui->radioButton_percent_ch2)->setChecked(true);
    setUnit(2, !late || m_co2ppm ? "ppm" : "%");
}

void Zq80Calibrator::parsingOtherApply(QString const& line)
{
    if (m_seq == USERCAL_SEQ)
        parsingCalibration(line, "ATCUCAL", kUserCalOk);
    else if (m_seq == FACTORYCAL_SEQ)
        parsingCalibration(line, "ATCFCAL", kFactoryCalOk);
}

void Zq80Calibrator::parsingCalibration(QString const& line, QString const& keyword, const char* successText)
{
    if (!line.contains(keyword)) {
        m_seq = ERROR_SEQ;
        return;
    }
    if (!valueAfter(line, keyword).contains("OK")) {
        refuseApply("FAIL", trPanel(kCalFail));
        return;
    }
    // Done before the box: a line that arrives while it is open finds no step.
    m_seq = 0;
    if (!informationBox("SUCCESS", trPanel(successText)))
        return;
    if (m_mode == APPLY && m_seq == 0)
        m_seq = END_SEQ; // the engine ends the APPLY when this parser returns
}

void Zq80Calibrator::slotSensorTypeApply(int id)
{
    applyChoice(ModeChoice, MODE_SEQ, "ATCMODE", id - kHumiId + 1);
}

void Zq80Calibrator::slotVocUnitApply(int id)
{
    applyChoice(UnitChoice, VOCUNIT_SEQ, "ATCVOCU", id - kVocPpmId);
}

void Zq80Calibrator::slotCo2UnitApply(int id)
{
    applyChoice(UnitChoice, CO2UNIT_SEQ, "ATCCU", id - kPercentId);
}

void Zq80Calibrator::slotUserCalApply()
{
    writeDelay(APPLY, USERCAL_SEQ, "ATCUCAL\r\n");
}

void Zq80Calibrator::slotFactoryCalApply()
{
    if (m_mode != DEFAULT)
        return;
    bool yes = false;
    if (!questionBox("Factory Calibration", trPanel(kFactoryQuestion), &yes))
        return;
    if (yes && m_mode == DEFAULT)
        writeDelay(APPLY, FACTORYCAL_SEQ, "ATCFCAL\r\n");
}

void Zq80Calibrator::slotDoubleSpinBox_offsetChanged_ch1(double value)
{
    Q_UNUSED(value)
}

void Zq80Calibrator::slotDoubleSpinBox_offsetChanged_ch2(double value)
{
    Q_UNUSED(value)
}

void Zq80Calibrator::slotOffsetApply_ch1()
{
    writeDelay(APPLY, OFFSET1_SEQ, "ATCOFF1 " + f2(ui->doubleSpinBox_offset_ch1->value()) + "\r\n");
}

void Zq80Calibrator::slotOffsetApply_ch2()
{
    writeDelay(APPLY, OFFSET2_SEQ, "ATCOFF2 " + f2(ui->doubleSpinBox_offset_ch2->value()) + "\r\n");
}

void Zq80Calibrator::slotSpinBox_sensitivityChanged(int value)
{
    Q_UNUSED(value)
}

void Zq80Calibrator::slotSensitivityApply()
{
    writeDelay(APPLY, WIN_SEQ, "ATCWIN " + QString::number(ui->spinBox_sensitivity->value()) + "\r\n");
}
