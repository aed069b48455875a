#include "vdcalibrator.h"
#include "ui_vdcalibrator.h"

#include <QButtonGroup>
#include <QDebug>

#include "channelsequence.h"
#include "chartview.h"
#include "modbusblock.h"

namespace {

// Steps of both sequences; the same number names the same instrument item in each.
enum : unsigned {
    FTRST_SEQ = 4,   // factory reset (APPLY only)
    MODE_SEQ = 6,    // output mode
    NORML_SEQ = 7,   // counter mode
    OFFSET_SEQ = 7,  // + n: offset n (1..5) at steps 8..12
    EXTM_SEQ = 23,   // last calibration time
    USED_SEQ = 24,   // used hours (REFRESH only)
    BLDTM_SEQ = 25,  // build time (REFRESH only)
    END_SEQ = 26,
    ERROR_SEQ = 27,
};

const QStringList kModbusKeywords = {"ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX",
                                     "ATCRLYDLY", "ATCMODID", "ATCMODBR", "ATCMODTO", "ATCMODSW"};

const PanelDescription kVd = {
    END_SEQ, ERROR_SEQ,
    "ATCMODE\r\n", MODE_SEQ,
    QStringList{"ATCMODE", "ATCNORML", "ATCOFF", "ATCFTRST", "ATCEXTM", "ATCUSED", "ATCBLDTM"} + kModbusKeywords,
    QStringList{"ATCMODE", "ATCNORML", "ATCOFF", "ATCFTRST", "ATCEXTM"} + kModbusKeywords,
    {"ATCH"},
    {},
    false, nullptr, PanelDescription::Unlock,
    EXTM_SEQ, QT_TRANSLATE_NOOP("VdCalibrator", "Last Calibration Time"),
    "Factory Reset", QT_TRANSLATE_NOOP("VdCalibrator", "the Factory Reset is failed!"),
};

// Units of the output modes; the pair (pm0.5, particle size) shows a count and a size.
const char* const kUnits[] = {"ug/m3", "#/cm3", "#/m3", "#/ft3"};
constexpr int kOutputTypes = 4;

// Titles of the two channel boxes for each pair (not translated).
const char* const kPairTitles[3][2] = {{"pm2.5", "pm10.0"}, {"pm1.0", "pm4.0"}, {"pm0.5", "partical size"}};

// Offsets 1..5: offsets 2p+1 and 2p+2 belong to pair p (pair 2 has only offset 5).
int pairOfOffset(int offset) { return (offset - 1) / 2; }
int boxOfOffset(int offset) { return (offset - 1) % 2; }

} // namespace

VdCalibrator::VdCalibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : CalibratorPanel(kVd, version, serial, parent)
    , ui(new Ui::VdCalibrator)
{
    ui->setupUi(this);
    attachForm(ui->frame, ui->horizontalLayout_led);
    m_chart[0] = new ChartView(ui->label_chart_ch1, 1, this);
    m_chart[1] = new ChartView(ui->label_chart_ch2, 2, this);
    m_lcd[0] = ui->lcdNumber_ch1;
    m_lcd[1] = ui->lcdNumber_ch2;
    QLCDNumber* const previews[] = {ui->lcdNumber_preview_ch1, ui->lcdNumber_preview_ch2, ui->lcdNumber_preview_ch3,
                                    ui->lcdNumber_preview_ch4, ui->lcdNumber_preview_ch5, ui->lcdNumber_preview_ch6};
    std::copy(std::begin(previews), std::end(previews), m_preview);
    m_offsetBox[0] = ui->doubleSpinBox_offset_ch1;
    m_offsetBox[1] = ui->doubleSpinBox_offset_ch2;

    // The MODBUS block: its combo items, radio groups (Slave 100 / Master 101, RS485
    // OFF 400 / ON 401) and apply buttons.
    ui->radioButton_Slave->setChecked(true);
    ui->radioButton_485_off->setChecked(true);
    m_modbus.reset(new ModbusBlock(this, ModbusProfile::vd(), ModbusWidgets::from(ui)));
    m_refresh.reset(new ChannelSequence(this, 1, refreshRows()));
    m_apply.reset(new ChannelSequence(this, 1, applyRows()));

    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    ui->label_model->setText(model);
    ui->label_serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();

    connect(ui->toolButton_exec_datetime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    m_outputTypeGroup = new QButtonGroup(this);
    m_outputTypeGroup->addButton(ui->radioButton_mass, OutputIdBase);
    m_outputTypeGroup->addButton(ui->radioButton_number_cm3, OutputIdBase + 1);
    m_outputTypeGroup->addButton(ui->radioButton_number_m3, OutputIdBase + 2);
    m_outputTypeGroup->addButton(ui->radioButton_number_ft3, OutputIdBase + 3);
    connect(m_outputTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotOutputTypeChanged(int)));
    m_counterTypeGroup = new QButtonGroup(this);
    m_counterTypeGroup->addButton(ui->radioButton_cumulative, CounterIdBase);
    m_counterTypeGroup->addButton(ui->radioButton_differential, CounterIdBase + 1);
    connect(m_counterTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotCounterTypeChanged(int)));

    // Checked before its connection: no refresh for the first pair.
    m_selectedPair = 0;
    ui->groupBox_ch1_2->setChecked(true);
    connect(ui->groupBox_ch1_2, SIGNAL(toggled(bool)), this, SLOT(slotSelectedChannel_ch12(bool)));
    connect(ui->groupBox_ch3_4, SIGNAL(toggled(bool)), this, SLOT(slotSelectedChannel_ch34(bool)));
    connect(ui->groupBox_ch5_6, SIGNAL(toggled(bool)), this, SLOT(slotSelectedChannel_ch56(bool)));
    connect(ui->doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(ui->doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(ui->pushButton_factoryreset, SIGNAL(clicked()), this, SLOT(slotFactoryReset()));
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setModbusMode();
    writeRefresh();
}

VdCalibrator::~VdCalibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    m_apply.reset();
    m_refresh.reset();
    m_modbus.reset();
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
    delete ui;
    ui = nullptr;
    qDebug() << "~VdCalibrator()";
}

// ---- the two tables -----------------------------------------------------------

SequenceRow VdCalibrator::outputRow(bool apply)
{
    return plainRow(MODE_SEQ, "ATCMODE", [this, apply](int, QString const& text) {
        const int value = text.toInt();
        if (apply)
            debugLine("VdCalibrator::parsingApply() outputType : " + QString::number(value));
        if (value < 0 || value >= kOutputTypes)
            return false;
        m_outputType = value;
        setOutputMode();
        setSelectedChannel();
        if (apply)
            for (ChartView* chart : m_chart)
                chart->clear();
        return true;
    });
}

SequenceRow VdCalibrator::counterRow(bool apply)
{
    return plainRow(NORML_SEQ, "ATCNORML", [this, apply](int, QString const& text) {
        const int value = text.toInt();
        if (apply)
            debugLine("VdCalibrator::parsingApply() counterType : " + QString::number(value));
        if (value != 0 && value != 1)
            return false;
        m_counterType = value;
        showCounterType();
        return true;
    });
}

SequenceRow VdCalibrator::pairOffsetRow(int offset)
{
    // Read whatever the pair; shown only while its pair is the selected one.
    return plainRow(OFFSET_SEQ + unsigned(offset), "ATCOFF" + QString::number(offset),
                    [this, offset](int, QString const& text) {
                        if (m_selectedPair == pairOfOffset(offset))
                            m_offsetBox[boxOfOffset(offset)]->setValue(text.toDouble());
                        return true;
                    });
}

QVector<SequenceRow> VdCalibrator::refreshRows()
{
    using S = ModbusBlock;
    QVector<SequenceRow> rows{outputRow(false), counterRow(false)};
    for (int offset = 1; offset <= 5; ++offset)
        rows << pairOffsetRow(offset);
    rows << m_modbus->rows({S::Modid, S::Modbr, S::Modsw, S::Modto});
    rows << timeRow(EXTM_SEQ, "ATCEXTM", ui->dateTimeEdit_exec_datetime);
    rows << usedRow(USED_SEQ, ui->spinBox_usedtime);
    rows << timeRow(BLDTM_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time);
    // Firmware gates of the block: master settings from 23, the RS485 switch from 25.
    rows << m_modbus->rows({S::Ismst, S::Modch, S::Mstid, S::Rlyno, S::Ppmmax, S::Rlydly, S::Son});
    return rows;
}

QVector<SequenceRow> VdCalibrator::applyRows()
{
    using S = ModbusBlock;
    QVector<SequenceRow> rows{outputRow(true), counterRow(true)};
    for (int offset = 1; offset <= 5; ++offset)
        rows << pairOffsetRow(offset);
    rows << m_modbus->rows({S::Son, S::Ismst, S::Modch, S::Mstid, S::Rlyno, S::Ppmmax, S::Rlydly, S::Modid,
                            S::Modbr, S::Modto, S::Modsw});
    return rows;
}

void VdCalibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_refresh->refresh(line); // steps without a row (0 to 4) take nothing
}

void VdCalibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_seq == FTRST_SEQ) {
        if (line.contains("ATCFTRST"))
            parsingFactoryReset(line);
        else
            m_seq = ERROR_SEQ;
        return;
    }
    if (m_seq == EXTM_SEQ) {
        parsingDateTime(line);
        return;
    }
    m_apply->apply(line);
}

// ---- form state -----------------------------------------------------------------

void VdCalibrator::controlEnable(bool on)
{
    for (QWidget* group : {static_cast<QWidget*>(ui->groupBox_sensortype), static_cast<QWidget*>(ui->groupBox_countermode),
                           static_cast<QWidget*>(ui->groupBox_last_calib_timestamp), static_cast<QWidget*>(ui->groupBox_usedtime),
                           static_cast<QWidget*>(ui->groupBox_build_time)})
        group->setEnabled(on);
    if (m_modbus)
        for (QWidget* group : m_modbus->groups())
            group->setEnabled(on);
    for (QWidget* group : {ui->groupBox_factoryreset, ui->groupBox_ch1_2, ui->groupBox_ch3_4, ui->groupBox_ch5_6,
                           ui->groupBox_ch1, ui->groupBox_ch2})
        group->setEnabled(on);
    if (m_modbus)
        m_modbus->applyEnableRule(on);
}

void VdCalibrator::clearAll()
{
    m_mode = DEFAULT;
    m_seq = 0;
    ui->dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    ui->dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    if (m_modbus)
        m_modbus->clear();
    m_outputType = 0;
    m_counterType = 0;
    ui->radioButton_mass->setChecked(true);
    ui->radioButton_cumulative->setChecked(true);
    ui->groupBox_ch1->setTitle(tr("Channel 1"));
    ui->groupBox_ch2->setTitle(tr("Channel 2"));
    for (QLCDNumber* lcd : m_lcd)
        lcd->display(QString());
    for (QLCDNumber* lcd : m_preview)
        lcd->display(QString());
    ui->label_unit_ch1->setText(QString());
    ui->label_unit_ch2->setText(QString());
    for (QDoubleSpinBox* box : m_offsetBox) {
        box->setValue(0);
        box->setSuffix(QString());
        box->setStyleSheet(QString());
    }
}

void VdCalibrator::setModbusMode()
{
    if (m_modbus)
        m_modbus->setMode();
}

void VdCalibrator::showHeldSettings()
{
    CalibratorPanel::showHeldSettings();
    setOutputMode();
    showCounterType();
}

void VdCalibrator::showCounterType()
{
    (m_counterType == 0 ? ui->radioButton_cumulative : ui->radioButton_differential)->setChecked(true);
}

void VdCalibrator::setOutputMode()
{
    QAbstractButton* const radios[] = {ui->radioButton_mass, ui->radioButton_number_cm3, ui->radioButton_number_m3,
                                       ui->radioButton_number_ft3};
    QString unit1, unit2;
    if (m_outputType >= 0 && m_outputType < kOutputTypes) {
        radios[m_outputType]->setChecked(true);
        unit1 = unit2 = kUnits[m_outputType];
        if (m_selectedPair == 2) {
            // pm0.5 is never a mass, the particle size always a length.
            if (m_outputType == 0)
                unit1 = kUnits[1];
            unit2 = "um";
        }
    }
    ui->label_unit_ch1->setText(unit1);
    ui->label_unit_ch1->resizeFont();
    ui->label_unit_ch2->setText(unit2);
    ui->label_unit_ch2->resizeFont();
}

void VdCalibrator::setSelectedChannel()
{
    debugLine("## setSelectedChannel : " + QString::number(m_selectedPair));
    debugLine("## ZQ_Model : " + QString::number(m_deviceCode));
    const int pair = qBound(0, m_selectedPair, kPairs - 1);
    ui->groupBox_ch1->setTitle(kPairTitles[pair][0]);
    ui->groupBox_ch2->setTitle(kPairTitles[pair][1]);
    ui->groupBox_offset_ch2->setVisible(pair != 2);
}

// ---- pairs ------------------------------------------------------------------------

void VdCalibrator::selectPair(int pair, bool on)
{
    if (!on)
        return; // all three may be left unchecked; the pair stays
    QGroupBox* const boxes[kPairs] = {ui->groupBox_ch1_2, ui->groupBox_ch3_4, ui->groupBox_ch5_6};
    for (int other = 0; other < kPairs; ++other)
        if (other != pair)
            boxes[other]->setChecked(false);
    if (m_selectedPair == pair)
        return;
    m_selectedPair = pair;
    // The offsets shown are the new pair's: read everything again.
    writeRefresh();
}

void VdCalibrator::slotSelectedChannel_ch12(bool on)
{
    selectPair(0, on);
}

void VdCalibrator::slotSelectedChannel_ch34(bool on)
{
    selectPair(1, on);
}

void VdCalibrator::slotSelectedChannel_ch56(bool on)
{
    selectPair(2, on);
}

// ---- live readings ----------------------------------------------------------------

void VdCalibrator::parsingDefault(QString line)
{
    setDeviceValue(liveFields(line, "ATCH", 2 * kPairs));
}

void VdCalibrator::setDeviceValue(QStringList const& fields)
{
    showLive(fields, m_preview, nullptr, 2 * kPairs);
    const int first = 2 * qBound(0, m_selectedPair, kPairs - 1);
    showLive(fields.mid(first, 2), m_lcd, m_chart, 2);
}

// ---- settings -----------------------------------------------------------------------

void VdCalibrator::slotOutputTypeChanged(int id)
{
    if (m_mode != DEFAULT)
        return;
    status(tr("change the sensor output mode to '")
           + (id == OutputIdBase ? "Mass Concentration'." : "Number Concentration'."));
    writeDelay(APPLY, MODE_SEQ, "ATCMODE " + QString::number(id - OutputIdBase) + "\r\n");
}

void VdCalibrator::slotCounterTypeChanged(int id)
{
    if (m_mode != DEFAULT)
        return;
    status(tr("change the counter mode to '") + (id == CounterIdBase ? "Cumulative mode'." : "Differential mode'."));
    writeDelay(APPLY, NORML_SEQ, "ATCNORML " + QString::number(id - CounterIdBase) + "\r\n");
}

void VdCalibrator::applyOffset(int box)
{
    const int pair = qBound(0, m_selectedPair, kPairs - 1);
    const int offset = 2 * pair + box + 1;
    if (offset > 5) {
        // The particle size has no offset: nothing to send.
        if (m_mode == DEFAULT)
            unlockUi();
        return;
    }
    writeDelay(APPLY, OFFSET_SEQ + unsigned(offset),
               "ATCOFF" + QString::number(offset) + " " + f2(m_offsetBox[box]->value()) + "\r\n");
}

void VdCalibrator::slotOffsetApply_ch1()
{
    applyOffset(0);
}

void VdCalibrator::slotOffsetApply_ch2()
{
    applyOffset(1);
}

void VdCalibrator::slotDoubleSpinBox_offsetChanged_ch1(double value)
{
    Q_UNUSED(value)
}

void VdCalibrator::slotDoubleSpinBox_offsetChanged_ch2(double value)
{
    Q_UNUSED(value)
}
