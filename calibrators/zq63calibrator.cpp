#include "zq63calibrator.h"
#include "ui_zq63calibrator.h"

#include <QDebug>

#include "globals.h"

namespace {

// Steps, the same in REFRESH and APPLY.
enum : unsigned {
    OFFSET_SEQ = 4,
    RANGE_MIN_SEQ = 5,
    RANGE_MAX_SEQ = 6,
    CORR_MIN_SEQ = 7,
    CORR_MAX_SEQ = 8,
    SENSITIVITY_SEQ = 9,
    EXTM_SEQ = 10,   // last-calibration time
    BLDTM_SEQ = 11,  // build time (REFRESH only)
    END_SEQ = 12,
    ERROR_SEQ = 13,
};

const PanelDescription kZq63 = {
    END_SEQ, ERROR_SEQ,
    "ATCOFF1\r\n", OFFSET_SEQ,
    {"ATCOFF", "ATCCH", "ATCEXTM", "ATCBLDTM"},
    {"ATCOFF", "ATCCH", "ATCEXTM"},
    {"ATCD"},
    {},
    true, "Zq63Calibrator::parsingTemp() TEMPMODE : ", PanelDescription::Celsius,
    EXTM_SEQ, "Last Calibration Time",
    nullptr, nullptr,
    1,
};

const TemperatureChannels::Steps kSteps = {OFFSET_SEQ, RANGE_MIN_SEQ, RANGE_MAX_SEQ,
                                          CORR_MIN_SEQ, CORR_MAX_SEQ, SENSITIVITY_SEQ};

// A firmware gate no version passes.
constexpr unsigned kNever = ~0u;

QString modelNameOf(int code)
{
    switch (code) {
    case 65: return "ZQ65";
    case 67: return "ZQ67";
    default: return "ZQ63";
    }
}

template <class Form>
Form* setUp(Form* ui, QWidget* panel)
{
    ui->setupUi(panel);
    return ui;
}

} // namespace

Zq63Calibrator::Zq63Calibrator(int modelCode, QString model, unsigned version, QString serial,
                               QWidget* parent)
    : CalibratorPanel(kZq63, version, serial, parent)
    , ui(setUp(new Ui::Zq63Calibrator, this))
    , m_deviceCode(modelCode)
    , m_modelName(modelNameOf(modelCode))
    , m_channels(this, TemperatureChannels::fromForm(ui), kSteps, m_modelName)
    , m_sequence(this, TemperatureChannels::kChannels, rows())
{
    ui->groupBox_build_time->hide();
    ui->groupBox_last_calib_timestamp->hide();
    attachForm(ui->frame, ui->horizontalLayout_led);
    m_sequence.setChain(m_channels.wizard()->chain());

    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    m_channels.clearCharts();
    clearAll();
    ui->label_model->setText(model);
    ui->label_serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();

    attachTempRadios(ui->radioButton_celsius, ui->radioButton_fahrenheit);
    m_channels.connectForm(ui);
    connect(ui->toolButton_exec_datetime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq63Calibrator::~Zq63Calibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    m_channels.clearCharts();
    clearAll();
    m_channels.deleteCharts();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq63Calibrator()";
}

QVector<SequenceRow> Zq63Calibrator::rows()
{
    // Sensitivity: ZQ63 from firmware 23, ZQ65 from 20. Times: ZQ65 from 20.
    const unsigned sensitivityGate = m_deviceCode == 63 ? 23 : m_deviceCode == 65 ? 20 : kNever;
    const unsigned timeGate = m_deviceCode == 65 ? 20 : kNever;
    QVector<SequenceRow> table = m_channels.rows(sensitivityGate);
    table << timeRow(EXTM_SEQ, "ATCEXTM", ui->dateTimeEdit_exec_datetime, timeGate)
          << timeRow(BLDTM_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time, timeGate);
    table[table.size() - 2].endBelowGate = true;
    return table;
}

void Zq63Calibrator::controlEnable(bool on)
{
    ui->groupBox_tempoutput->setEnabled(on);
    ui->groupBox_ch1->setEnabled(on);
    ui->groupBox_ch2->setEnabled(on);
    ui->groupBox_last_calib_timestamp->setEnabled(on);
    ui->groupBox_build_time->setEnabled(on);
}

double Zq63Calibrator::getCurrentValue(int channel)
{
    return m_channels.currentValue(channel);
}

void Zq63Calibrator::clearAll()
{
    m_channels.wizard()->close();
    m_celsius = true;
    m_mode = DEFAULT;
    m_seq = 0;
    showTempUnit();
    ui->dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    m_channels.clear();
}

void Zq63Calibrator::setSensorMode()
{
    showTempUnit();
    m_channels.showUnit(m_celsius);
    ui->groupBox_build_time->hide();
    ui->groupBox_last_calib_timestamp->hide();
    if (m_deviceCode == 65 || m_deviceCode == 67)
        ui->groupBox_ch2->hide();
    const bool sensitivity = m_deviceCode == 63 && m_version >= 23;
    ui->groupBox_sensitivity_ch1->setVisible(sensitivity);
    ui->groupBox_sensitivity_ch2->setVisible(sensitivity);
    if (m_deviceCode == 65 && m_version >= 20) {
        ui->groupBox_sensitivity_ch1->show();
        ui->groupBox_build_time->show();
        ui->groupBox_last_calib_timestamp->show();
    }
}

void Zq63Calibrator::onSendFailure(unsigned mode)
{
    Q_UNUSED(mode)
    setSensorMode();
    m_channels.wizard()->close();
}

void Zq63Calibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_sequence.refresh(line);
}

void Zq63Calibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_seq == EXTM_SEQ)
        parsingDateTime(line);
    else if (m_seq != BLDTM_SEQ)
        m_sequence.apply(line);
}

void Zq63Calibrator::parsingDefault(QString line)
{
    m_channels.showReadings(line);
}
