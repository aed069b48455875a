#include "zq74calibrator.h"
#include "ui_zq74calibrator.h"

#include <QButtonGroup>
#include <QDebug>

#include "globals.h"

namespace {

// Steps, the same in REFRESH and APPLY.
enum : unsigned {
    SENSOR_TYPE_SEQ = 4,
    OFFSET_SEQ = 5,
    RANGE_MIN_SEQ = 6,
    RANGE_MAX_SEQ = 7,
    CORR_MIN_SEQ = 8,
    CORR_MAX_SEQ = 9,
    SENSITIVITY_SEQ = 10,
    END_SEQ = 11,
    ERROR_SEQ = 12,
};

const PanelDescription kZq74 = {
    END_SEQ, ERROR_SEQ,
    "ATCTS\r\n", SENSOR_TYPE_SEQ,
    {"ATCOFF", "ATCTS", "ATCCH"},
    {"ATCOFF", "ATCTS", "ATCCH"},
    {"ATCD"},
    {},
    // The instrument's firmware shares the ZQ63's wording here.
    true, "Zq63Calibrator::parsingTemp() TEMPMODE : ", PanelDescription::Celsius,
    0, nullptr,
    nullptr, nullptr,
};

const TemperatureChannels::Steps kSteps = {OFFSET_SEQ, RANGE_MIN_SEQ, RANGE_MAX_SEQ,
                                          CORR_MIN_SEQ, CORR_MAX_SEQ, SENSITIVITY_SEQ};

constexpr int kPt100Id = 201;
constexpr int kTcKId = 202;

template <class Form>
Form* setUp(Form* ui, QWidget* panel)
{
    ui->setupUi(panel);
    return ui;
}

} // namespace

Zq74Calibrator::Zq74Calibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : CalibratorPanel(kZq74, version, serial, parent)
    , ui(setUp(new Ui::Zq74Calibrator, this))
    , m_channels(this, TemperatureChannels::fromForm(ui), kSteps, "ZQ74")
    , m_sequence(this, TemperatureChannels::kChannels, rows())
{
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
    m_sensorTypeGroup = new QButtonGroup(this);
    m_sensorTypeGroup->addButton(ui->radioButton_pt100, kPt100Id);
    m_sensorTypeGroup->addButton(ui->radioButton_tck, kTcKId);
    showSensorType();
    connect(m_sensorTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotSensorTypeApply(int)));
    m_channels.connectForm(ui);
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq74Calibrator::~Zq74Calibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    m_channels.clearCharts();
    clearAll();
    m_channels.deleteCharts();
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq74Calibrator()";
}

QVector<SequenceRow> Zq74Calibrator::rows()
{
    RowStore sensorType = [this](int, QString const& value) {
        m_sensorType = sensorTypeOf(value);
        showSensorType();
        return true;
    };
    return QVector<SequenceRow>{plainRow(SENSOR_TYPE_SEQ, "ATCTS", sensorType)} + m_channels.rows();
}

int Zq74Calibrator::sensorTypeOf(QString const& value)
{
    const int type = value.trimmed().toInt();
    return type == 1 || type == 2 ? type : 0;
}

void Zq74Calibrator::showSensorType()
{
    // Neither radio checked needs the group's exclusivity off for a moment.
    m_sensorTypeGroup->setExclusive(false);
    ui->radioButton_pt100->setChecked(m_sensorType == 1);
    ui->radioButton_tck->setChecked(m_sensorType == 2);
    m_sensorTypeGroup->setExclusive(true);
}

void Zq74Calibrator::controlEnable(bool on)
{
    // The sensor-type group stays enabled: its slot checks the mode itself.
    ui->groupBox_tempoutput->setEnabled(on);
    ui->groupBox_ch1->setEnabled(on);
    ui->groupBox_ch2->setEnabled(on);
}

double Zq74Calibrator::getCurrentValue(int channel)
{
    return m_channels.currentValue(channel);
}

void Zq74Calibrator::clearAll()
{
    m_channels.wizard()->close();
    m_mode = DEFAULT;
    m_seq = 0;
    m_celsius = true;
    showTempUnit();
    m_sensorType = 0;
    if (m_sensorTypeGroup)
        showSensorType();
    m_channels.clear();
}

void Zq74Calibrator::setSensorMode()
{
    showTempUnit();
    m_channels.showUnit(m_celsius);
}

void Zq74Calibrator::onSendFailure(unsigned mode)
{
    Q_UNUSED(mode)
    setSensorMode();
    m_channels.wizard()->close();
}

void Zq74Calibrator::showHeldSettings()
{
    showSensorType();
}

void Zq74Calibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_sequence.refresh(line);
}

void Zq74Calibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_seq != SENSOR_TYPE_SEQ) {
        m_sequence.apply(line);
        return;
    }
    const ChannelSequence::Reply reply = m_sequence.cut(*m_sequence.row(SENSOR_TYPE_SEQ), line);
    if (!reply.found) {
        m_seq = ERROR_SEQ;
        return;
    }
    // The radios show what the instrument says, also when it is no type the panel wrote.
    m_sensorType = sensorTypeOf(reply.value);
    showSensorType();
    if (m_sensorType == 0)
        m_seq = ERROR_SEQ;
    else
        scheduleRefresh();
}

void Zq74Calibrator::parsingDefault(QString line)
{
    m_channels.showReadings(line);
}

void Zq74Calibrator::slotSensorTypeApply(int id)
{
    // Ignored while anything runs: the radios go back to the type the panel holds.
    if (m_mode != DEFAULT || isLocked()) {
        showSensorType();
        return;
    }
    writeDelay(APPLY, SENSOR_TYPE_SEQ, "ATCTS " + QString::number(id - 200) + "\r\n");
}
