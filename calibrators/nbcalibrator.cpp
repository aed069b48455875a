#include "nbcalibrator.h"
#include "ui_nbcalibrator.h"

#include <QButtonGroup>
#include <QDebug>
#include <QPointer>
#include <QTimer>
#include <QtMath>

#include "calibratespan.h"
#include "calibwizard.h"
#include "channelsequence.h"
#include "chartview.h"
#include "globals.h"
#include "modbusblock.h"
#include "wizardchain.h"

namespace {

// Steps (REFRESH and APPLY share the numbers).
enum : unsigned {
    FTRST_SEQ = 4,
    SINM_SEQ = 6,
    SNAME_SEQ = 7,
    OFFG_SEQ = 8,
    OFFT_SEQ = 9,
    CAL_SEQ = 10,
    CZR_SEQ = 11,
    CSP_SEQ = 12,
    MODE_SEQ = 13,
    TCMP_SEQ = 14,
    WIN_SEQ = 17,
    EXTM_SEQ = 28,
    USED_SEQ = 29,
    BLDTM_SEQ = 30,
    END_SEQ = 31,
    ERROR_SEQ = 32,
};

constexpr int kManualChain = 1;
constexpr int kManualPage = 1;

const PanelDescription kNb = {
    END_SEQ, ERROR_SEQ,
    "ATCSINM1\r\n", SINM_SEQ,
    {"ATCMODE", "ATCSINM", "ATCSNAME", "ATCOFF", "ATCCZR", "ATCCSP", "ATCTCMP", "ATCWIN", "ATCEXTM", "ATCUSED",
     "ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX", "ATCRLYDLY", "ATCMODBR", "ATCMODTO",
     "ATCMODSW", "ATCMODID", "ATCBLDTM"},
    {"ATCMODE", "ATCFTRST", "ATCSINM", "ATCSNAME", "ATCOFF", "ATCCAL", "ATCTCMP", "ATCWIN", "ATCCZR", "ATCCSP",
     "ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX", "ATCRLYDLY", "ATCMODBR", "ATCMODTO",
     "ATCMODSW", "ATCMODID", "ATCEXTM"},
    {"ATCH"},
    {},
    true, "", PanelDescription::Celsius,
    EXTM_SEQ, nullptr,
    "ERROR", QT_TRANSLATE_NOOP("NbCalibrator", "factory reset failed...!"),
    1,
    {QT_TRANSLATE_NOOP("NbCalibrator", "[Channel 1]Last Calibration Time"),
     QT_TRANSLATE_NOOP("NbCalibrator", "[Channel 2]Last Calibration Time")},
};

const char* const kCelsiusOk = QT_TRANSLATE_NOOP("NbCalibrator", "success! apply the device's temperature mode to the celsius mode.");
const char* const kFahrenheitOk = QT_TRANSLATE_NOOP("NbCalibrator", "success! apply the device's temperature mode to the fahrenheit mode.");
const char* const kCelsiusFail = QT_TRANSLATE_NOOP("NbCalibrator", "FAIL! apply the device's temperature mode to the celsius mode.");
const char* const kFahrenheitFail = QT_TRANSLATE_NOOP("NbCalibrator", "FAIL! apply the device's temperature mode to the fahrenheit mode.");
const char* const kFilterMode = QT_TRANSLATE_NOOP("NbCalibrator", "change the sensor to the digital filter mode ");
const char* const kCompensateMode = QT_TRANSLATE_NOOP("NbCalibrator", "change the sensor to temperature compensation mode ");
const char* const kNoSensorType = QT_TRANSLATE_NOOP("NbCalibrator", "Please specify the sensor type.");
const char* const kChangeParameters = QT_TRANSLATE_NOOP("NbCalibrator", "Do you want to change the parameters?");

const QString kDegree = QString(QChar(0x00B0));

// A reading that is a number, or none.
bool number(QString const& text, double* value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && qIsFinite(*value);
}

QString digit(int channel)
{
    return QString::number(channel);
}

// A widget of the form by its channel-1 name, with "ch1" replaced by "chn".
template <class T>
T* formWidget(QWidget* form, const char* name, int channel)
{
    T* found = form->findChild<T*>(QString::fromLatin1(name).replace("ch1", "ch" + digit(channel)));
    Q_ASSERT(found);
    return found;
}

} // namespace

NbCalibrator::NbCalibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : CalibratorPanel(kNb, version, serial, parent)
    , ui(new Ui::NbCalibrator)
{
    ui->setupUi(this);
    attachForm(ui->frame, ui->horizontalLayout_led);
    m_chartGas[0] = new ChartView(ui->label_chart_ch1, 1, this);
    m_chartGas[1] = new ChartView(ui->label_chart_ch2, 2, this);
    m_chartTemp[0] = new ChartView(ui->label_chart_ch1_temp, 1, this);
    m_chartTemp[1] = new ChartView(ui->label_chart_ch2_temp, 2, this);
    for (int n = 1; n <= kChannels; ++n) {
        m_ch[n - 1] = {formWidget<QComboBox>(this, "comboBox_sensortype_ch1", n),
                       {formWidget<QLCDNumber>(this, "lcdNumber_ch1", n), formWidget<QLCDNumber>(this, "lcdNumber_ch1_temp", n)},
                       formWidget<ResizeLabel>(this, "label_unit_ch1", n), formWidget<ResizeLabel>(this, "label_unit_ch1_temp", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_offset_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_offset_ch1_temp", n),
                       formWidget<QSpinBox>(this, "spinBox_sensitivity_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_zerocal_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_spancal_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_spancal_ppm_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_slope_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_temperature_ch1", n),
                       formWidget<QDoubleSpinBox>(this, "doubleSpinBox_drift_ch1", n),
                       formWidget<QLineEdit>(this, "lineEdit_sensor_name_ch1", n),
                       formWidget<QDateTimeEdit>(this, "dateTimeEdit_exec_datetime_ch1", n),
                       formWidget<QSpinBox>(this, "spinBox_usedtime_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_ppm_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_microvolt_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_rawgas_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_filtergas_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_tempcompensate_off_ch1", n),
                       formWidget<QAbstractButton>(this, "radioButton_tempcompensate_on_ch1", n)};
    }
    for (Channel& c : m_ch) {
        c.sensorType->addItem("NONE", 0);
        c.sensorType->addItem("NH3-100", 1);
        c.sensorType->addItem("H2S-50", 2);
        c.sensorType->setStyleSheet(MatchStyle);
    }

    m_unitTimer = new QTimer(this);
    m_unitTimer->setSingleShot(true);
    m_unitTimer->setTimerType(Qt::PreciseTimer);
    connect(m_unitTimer, &QTimer::timeout, this, &NbCalibrator::slotUnitShot);
    m_modbus = new ModbusBlock(this, ModbusProfile::nb(), ModbusWidgets::from(ui));
    m_wizards = new WizardChain(this);
    m_wizards->setFinish([this] { writeMannualParameters(); });
    // What the user starts (a REFRESH, a write, a unit change) may reset unasked again.
    connect(this, &CalibratorPanel::lockChanged, this, [this](bool locked) {
        if (locked) {
            m_resetUnasked = false;
            m_noUnaskedReset = false;
        }
    });

    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (int i = 0; i < kChannels; ++i) {
        m_chartGas[i]->clear();
        m_chartTemp[i]->clear();
    }
    clearAll();
    ui->label_model->setText(model);
    ui->label_serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();

    connect(ui->pushButton_factoryreset, SIGNAL(clicked()), this, SLOT(slotFactoryReset()));
    connectChannels();
    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));
    buildSequences();

    setSensorMode();
    setModbusMode();
    writeRefresh();
}

NbCalibrator::~NbCalibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (int i = 0; i < kChannels; ++i) {
        m_chartGas[i]->clear();
        m_chartTemp[i]->clear();
    }
    clearAll();
    for (int i = 0; i < kChannels; ++i) {
        delete m_chartGas[i];
        delete m_chartTemp[i];
        m_chartGas[i] = m_chartTemp[i] = nullptr;
    }
    delete ui;
    ui = nullptr;
    qDebug() << "~NbCalibrator()";
}

void NbCalibrator::connectChannels()
{
    // Each row for channel 1, then for channel 2.
    connect(ui->comboBox_sensortype_ch1, SIGNAL(currentIndexChanged(int)), this, SLOT(slotSensorTypeChangedCh1(int)));
    connect(ui->comboBox_sensortype_ch2, SIGNAL(currentIndexChanged(int)), this, SLOT(slotSensorTypeChangedCh2(int)));
    connect(ui->toolButton_sensortype_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSensorTypeApplyCh1()));
    connect(ui->toolButton_sensortype_apply_ch2, SIGNAL(pressed()), this, SLOT(slotSensorTypeApplyCh2()));
    connect(ui->toolButton_sensorname_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSensorNameApplyCh1()));
    connect(ui->toolButton_sensorname_apply_ch2, SIGNAL(pressed()), this, SLOT(slotSensorNameApplyCh2()));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(ui->toolButton_offset_apply_ch1_temp, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1_temp()));
    connect(ui->toolButton_offset_apply_ch2_temp, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2_temp()));
    connect(ui->toolButton_sensitivity_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSensitivityApply_ch1()));
    connect(ui->toolButton_sensitivity_apply_ch2, SIGNAL(pressed()), this, SLOT(slotSensitivityApply_ch2()));
    connect(ui->toolButton_zerocal_apply_ch1, SIGNAL(pressed()), this, SLOT(slotZeroCalApply_ch1()));
    connect(ui->toolButton_zerocal_apply_ch2, SIGNAL(pressed()), this, SLOT(slotZeroCalApply_ch2()));
    connect(ui->toolButton_spancal_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSpanCalApply_ch1()));
    connect(ui->toolButton_spancal_apply_ch2, SIGNAL(pressed()), this, SLOT(slotSpanCalApply_ch2()));

    connect(attachTempRadios(ui->radioButton_celsius_ch1, ui->radioButton_fahrenheit_ch1, 1),
            SIGNAL(buttonClicked(int)), this, SLOT(slotChangeTempMode_ch1(int)));
    connect(attachTempRadios(ui->radioButton_celsius_ch2, ui->radioButton_fahrenheit_ch2, 2),
            SIGNAL(buttonClicked(int)), this, SLOT(slotChangeTempMode_ch2(int)));

    // The reading, filter and compensation groups: ids 200/201, 300/301, 400/401 for
    // channel 1, two more for channel 2.
    const char* const groupSlots[3][kChannels] = {
        {SLOT(slotMicroVoltageShow_ch1(int)), SLOT(slotMicroVoltageShow_ch2(int))},
        {SLOT(slotDigitalFilterOn_ch1(int)), SLOT(slotDigitalFilterOn_ch2(int))},
        {SLOT(slotTempCompensateOn_ch1(int)), SLOT(slotTempCompensateOn_ch2(int))},
    };
    for (int kind = 0; kind < 3; ++kind) {
        for (int i = 0; i < kChannels; ++i) {
            Channel& c = m_ch[i];
            QAbstractButton* const pair[3][2] = {{c.ppm, c.microVolt}, {c.raw, c.filter}, {c.compensateOff, c.compensateOn}};
            auto* group = new QButtonGroup(this);
            const int id = 200 + 100 * kind + 2 * i;
            group->addButton(pair[kind][0], id);
            group->addButton(pair[kind][1], id + 1);
            connect(group, SIGNAL(buttonClicked(int)), this, groupSlots[kind][i]);
        }
    }

    connect(ui->toolButton_exec_datetime_ch1, SIGNAL(pressed()), this, SLOT(slotExecDateTime_ch1()));
    connect(ui->toolButton_exec_datetime_ch2, SIGNAL(pressed()), this, SLOT(slotExecDateTime_ch2()));
    connect(ui->pushButton_mannual_ch1, SIGNAL(clicked()), this, SLOT(slotMannualSetting_ch1()));
    connect(ui->pushButton_mannual_ch2, SIGNAL(clicked()), this, SLOT(slotMannualSetting_ch2()));
}

bool NbCalibrator::recordComplete(QStringList const& fields) const
{
    return fields.size() >= (m_version >= 26 ? 5 : 4);
}

void NbCalibrator::buildSequences()
{
    auto boxes = [this](QDoubleSpinBox* Channel::*box) {
        return [this, box](int channel, QString const& value) {
            (ch(channel).*box)->setValue(value.toDouble());
            return true;
        };
    };
    auto flag = [](bool* flags) {
        return [flags](int channel, QString const& value) {
            flags[channel - 1] = value.toInt() != 0;
            return true;
        };
    };
    auto sensitivity = [this](int channel, QString const& value) {
        ch(channel).sensitivity->setValue(value.toInt());
        return true;
    };
    auto name = [this](int channel, QString const& value) {
        ch(channel).name->setText(value);
        return true;
    };
    // Replies that start a REFRESH instead of ending the APPLY.
    auto refreshRow = [this](SequenceRow row) {
        RowStore check = row.store;
        row.store = [this, check](int channel, QString const& value) {
            if (check && !check(channel, value))
                return false;
            scheduleRefresh();
            return true;
        };
        row.endsApply = false;
        return row;
    };

    auto sensorType = [this](int channel, QString const& value) {
        const int t = value.toInt();
        const bool valid = t >= 0 && t <= 2;
        QComboBox* combo = ch(channel).sensorType;
        combo->setCurrentIndex(valid ? t : 0);
        combo->setStyleSheet(MatchStyle);
        m_sensorType[channel - 1] = combo->currentData().toInt();
        // A type the panel does not know: the instrument is reset at once, unasked; its
        // reply (APPLY) goes on as a reset the user asked for. The REFRESH that such a
        // reset's success starts resets no more: still unknown, the type fails it.
        if (!valid) {
            if (m_noUnaskedReset)
                return false;
            m_resetUnasked = true;
            writeDelay(APPLY, FTRST_SEQ, "ATCFTRST\r\n");
        }
        return true;
    };
    auto record = [this](int channel, QString const& value) {
        const QStringList fields = value.split(',');
        if (!recordComplete(fields))
            return false;
        Channel& c = ch(channel);
        QDoubleSpinBox* const shown[] = {c.spanPpm, c.slope, c.zero, c.span, c.temperature};
        for (int i = 0; i < (m_version >= 26 ? 5 : 4); ++i)
            shown[i]->setValue(fields.at(i).toDouble());
        return true;
    };
    auto time = [this](int channel, QString const& value) {
        ch(channel).calibrated->setDateTime(QDateTime::fromSecsSinceEpoch(qint64(value.toUInt())));
        return true;
    };
    auto used = [this](int channel, QString const& value) {
        showUsed(ch(channel).used, value);
        return true;
    };

    using M = ModbusBlock;
    QVector<SequenceRow> refresh = {
        channelRow(SINM_SEQ, "ATCSINM", sensorType),
        channelRow(MODE_SEQ, "ATCMODE", flag(m_digitalFilter)),
        channelRow(OFFG_SEQ, "ATCOFFG", boxes(&Channel::offset)),
        channelRow(OFFT_SEQ, "ATCOFFT", boxes(&Channel::offsetTemp)),
        channelRow(CSP_SEQ, "ATCCSP", record),
        channelRow(EXTM_SEQ, "ATCEXTM", time),
        channelRow(USED_SEQ, "ATCUSED", used),
        channelRow(TCMP_SEQ, "ATCTCMP", flag(m_tempCompensate)),
        channelRow(SNAME_SEQ, "ATCSNAME", name),
        channelRow(WIN_SEQ, "ATCWIN", sensitivity),
    };
    refresh += m_modbus->rows({M::Modbr, M::Modto, M::Modsw, M::Modid});
    refresh << timeRow(BLDTM_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time);
    refresh += m_modbus->rows({M::Ismst, M::Modch, M::Mstid, M::Rlyno, M::Ppmmax, M::Rlydly, M::Son});
    m_refresh.reset(new ChannelSequence(this, kChannels, refresh));
    m_refresh->setChannelBlock(SINM_SEQ, WIN_SEQ);

    auto parameters = [](int, QString const& value) { return value.split(',').size() >= 3; };
    auto complete = [this](int, QString const& value) { return recordComplete(value.split(',')); };
    QVector<SequenceRow> apply = {
        refreshRow(plainRow(SINM_SEQ, "ATCSINM", nullptr)),
        channelRow(SNAME_SEQ, "ATCSNAME", name),
        channelRow(OFFG_SEQ, "ATCOFFG", boxes(&Channel::offset)),
        channelRow(OFFT_SEQ, "ATCOFFT", boxes(&Channel::offsetTemp)),
        refreshRow(channelRow(CAL_SEQ, "ATCCAL", parameters)),
        refreshRow(plainRow(CZR_SEQ, "ATCCZR", nullptr)),
        refreshRow(channelRow(CSP_SEQ, "ATCCSP", complete)),
        channelRow(MODE_SEQ, "ATCMODE", flag(m_digitalFilter)),
        channelRow(TCMP_SEQ, "ATCTCMP", flag(m_tempCompensate)),
        channelRow(WIN_SEQ, "ATCWIN", sensitivity),
        refreshRow(plainRow(EXTM_SEQ, "ATCEXTM", nullptr)),
    };
    apply += m_modbus->rows({M::Son, M::Ismst, M::Modch, M::Mstid, M::Rlyno, M::Ppmmax, M::Rlydly, M::Modid,
                             M::Modbr, M::Modsw, M::Modto});
    m_apply.reset(new ChannelSequence(this, kChannels, apply));
    m_apply->setChain(m_wizards);
}

// ---- form state ---------------------------------------------------------------

void NbCalibrator::controlEnable(bool on)
{
    for (QWidget* group : m_modbus->groups())
        group->setEnabled(on);
    for (QWidget* group : {ui->groupBox_build_time, ui->groupBox_factoryreset, ui->groupBox_ch1, ui->groupBox_ch2})
        group->setEnabled(on);
    m_modbus->applyEnableRule(on);
}

void NbCalibrator::clearAll()
{
    m_wizards->close();
    m_mode = DEFAULT;
    m_seq = 0;
    m_celsiusAll = false;
    m_unitTimer->stop();
    const QDateTime epoch = QDateTime::fromSecsSinceEpoch(0);
    ui->dateTimeEdit_build_time->setDateTime(epoch);
    m_modbus->clear();
    for (int channel = 1; channel <= kChannels; ++channel) {
        Channel& c = ch(channel);
        setCelsius(channel, true);
        m_microVolt[channel - 1] = false;
        m_digitalFilter[channel - 1] = false;
        m_tempCompensate[channel - 1] = false;
        m_sensorType[channel - 1] = 0;
        showTempUnit(channel);
        c.ppm->setChecked(true);
        c.raw->setChecked(true);
        c.compensateOff->setChecked(true);
        c.sensorType->setCurrentIndex(0);
        c.sensorType->setStyleSheet(QString());
        for (QLCDNumber* lcd : c.lcd)
            lcd->display(QString());
        c.unit->setText(QString());
        c.unitTemp->setText(QString());
        for (QDoubleSpinBox* box : {c.offset, c.offsetTemp, c.zero, c.span, c.spanPpm, c.slope, c.drift, c.temperature}) {
            box->setValue(0);
            box->setStyleSheet(QString());
        }
        c.offsetTemp->setSuffix(kDegree + "C");
        c.sensitivity->setValue(0);
        c.sensitivity->setStyleSheet(QString());
        c.name->clear();
        c.used->setValue(0);
        c.calibrated->setDateTime(epoch);
    }
}

void NbCalibrator::setSensorMode()
{
    for (int channel = 1; channel <= kChannels; ++channel) {
        Channel& c = ch(channel);
        const int i = channel - 1;
        (m_microVolt[i] ? c.microVolt : c.ppm)->setChecked(true);
        c.unit->setText(m_microVolt[i] ? "uV" : "ppm");
        c.unit->resizeFont();
        (m_digitalFilter[i] ? c.filter : c.raw)->setChecked(true);
        (m_tempCompensate[i] ? c.compensateOn : c.compensateOff)->setChecked(true);
        showTempUnit(channel);
        const QString unit = kDegree + (isCelsius(channel) ? "C" : "F");
        c.unitTemp->setText(unit);
        c.unitTemp->resizeFont();
        c.offsetTemp->setSuffix(" " + unit);
    }
}

void NbCalibrator::setModbusMode()
{
    m_modbus->setMode();
}

void NbCalibrator::onSequenceEnd(unsigned mode, bool success)
{
    Q_UNUSED(mode)
    Q_UNUSED(success)
    setSensorMode();
    m_wizards->close();
}

void NbCalibrator::onSendFailure(unsigned mode)
{
    onSequenceEnd(mode, false);
}

// ---- sequences ----------------------------------------------------------------

void NbCalibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_refresh->refresh(line);
}

void NbCalibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (m_seq != FTRST_SEQ) {
        m_apply->apply(line);
        return;
    }
    const bool unasked = m_resetUnasked;
    m_resetUnasked = false;
    if (!line.contains("ATCFTRST")) {
        m_seq = ERROR_SEQ;
        return;
    }
    const QString value = valueAfter(line, "ATCFTRST");
    if (unasked && value.contains("OK"))
        m_noUnaskedReset = true;
    parsingFactoryReset(value);
}

void NbCalibrator::parsingDefault(QString line)
{
    line.remove("ATCH");
    // A reading of a channel this panel does not have is dropped.
    const int channel = channelDigit(line, kChannels);
    if (channel)
        setDeviceValue(channel, line.mid(1).split(','));
}

void NbCalibrator::setDeviceValue(int channel, QStringList const& fields)
{
    if (fields.size() < 6)
        return;
    const int i = channel - 1;
    Channel& c = ch(channel);
    ChartView* const charts[] = {m_chartGas[i], m_chartTemp[i]};
    showLive({m_microVolt[i] ? fields.at(0) : fields.at(1), fields.at(2)}, c.lcd, charts, 2);
    // A box whose field is no number keeps its value.
    double value = 0;
    if (number(fields.at(4), &value))
        c.slope->setValue(value);
    if (m_version <= 25 && number(fields.at(2), &value))
        c.temperature->setValue(value);
    double high = 0;
    double low = 0;
    if (number(fields.at(3), &high) && number(fields.at(5), &low)) {
        const double drift = (high - low) / 1000.0;
        c.drift->setPrefix(drift > 0 ? "+" : "");
        c.drift->setValue(drift);
    }
}

void NbCalibrator::afterRefreshSuccess()
{
    // Both channels back to Celsius, channel 1 first; the channel 2 reply unlocks.
    m_celsiusAll = true;
    m_chainFailure = nullptr;
    lockUi();
    busyOn();
    scheduleUnit(1, true, true);
}

// ---- temperature unit ---------------------------------------------------------

void NbCalibrator::changeTempMode(int channel, bool celsius)
{
    if (m_mode != DEFAULT)
        return;
    lockUi();
    busyOn();
    scheduleUnit(channel, celsius, false);
}

void NbCalibrator::scheduleUnit(int channel, bool celsius, bool chain)
{
    m_unitChannel = channel;
    m_unitCelsius = celsius;
    m_unitChain = chain;
    m_unitTimer->start(CommandDelay);
}

void NbCalibrator::slotUnitShot()
{
    // A REFRESH started meanwhile has ended the chain.
    if (m_unitChain && !m_celsiusAll)
        return;
    delayWriteUnit(m_unitChannel, m_unitCelsius);
}

void NbCalibrator::delayWriteUnit(int channel, bool celsius)
{
    m_unitAsked = celsius;
    QPointer<NbCalibrator> self(this);
    if (!writeUnit(celsius, channel) && self)
        m_celsiusAll = false;
}

void NbCalibrator::parsingTemp(QString line)
{
    const bool ok = line.contains("OK");
    const bool fahrenheit = line.contains("ATCF");
    line.remove("OK");
    line.remove("FAIL");
    int channel = replyChannel(valueAfter(line, fahrenheit ? "ATCF" : "ATCC"), kChannels);
    bool celsius = !fahrenheit;
    const bool success = ok && channel != 0;
    if (channel == 0) {
        // No channel, or not the one asked: a failure of what was asked.
        channel = commandChannel();
        celsius = m_unitAsked;
    }
    if (success)
        setCelsius(channel, celsius);
    const char* text = success ? (celsius ? kCelsiusOk : kFahrenheitOk) : (celsius ? kCelsiusFail : kFahrenheitFail);
    cancelQueued();

    if (channel == 1 && m_celsiusAll) {
        if (!success)
            m_chainFailure = text;
        status(text);
        scheduleUnit(2, true, true);
        return;
    }
    if (m_celsiusAll && m_chainFailure)
        text = m_chainFailure;
    const bool ended = success && !(m_celsiusAll && m_chainFailure);
    m_celsiusAll = false;
    m_chainFailure = nullptr;
    m_unitTimer->stop();
    status(text);
    setSensorMode();
    m_mode = DEFAULT;
    m_seq = 0;
    unlockUi();
    emit sequenceEnded(TEMPMODE, ended);
}

// ---- settings -----------------------------------------------------------------

void NbCalibrator::sensorTypeChanged(int channel, int index)
{
    QComboBox* combo = ch(channel).sensorType;
    const bool same = combo->itemData(index).toInt() == m_sensorType[channel - 1];
    combo->setStyleSheet(same ? MatchStyle : ChangedStyle);
}

void NbCalibrator::applySensorType(int channel)
{
    int t = ch(channel).sensorType->currentData().toInt();
    if (t < 0 || t > 2)
        t = 0;
    writeDelay(APPLY, SINM_SEQ, "ATCSINM" + digit(channel) + " " + QString::number(t) + "\r\n", channel);
}

void NbCalibrator::applySensorName(int channel)
{
    writeDelay(APPLY, SNAME_SEQ, "ATCSNAME" + digit(channel) + " " + ch(channel).name->text() + "\r\n", channel);
}

void NbCalibrator::applyOffset(int channel, bool temperature)
{
    QDoubleSpinBox* box = temperature ? ch(channel).offsetTemp : ch(channel).offset;
    writeDelay(APPLY, temperature ? OFFT_SEQ : OFFG_SEQ,
               (temperature ? "ATCOFFT" : "ATCOFFG") + digit(channel) + " " + f2(box->value()) + "\r\n", channel);
}

void NbCalibrator::applySensitivity(int channel)
{
    writeDelay(APPLY, WIN_SEQ,
               "ATCWIN" + digit(channel) + " " + QString::number(ch(channel).sensitivity->value()) + "\r\n", channel);
}

void NbCalibrator::applyZeroCal(int channel)
{
    writeDelay(APPLY, CZR_SEQ, "ATCCZR" + digit(channel) + "\r\n", channel);
}

void NbCalibrator::applySpanCal(int channel)
{
    writeDelay(APPLY, CSP_SEQ, "ATCCSP" + digit(channel) + " " + g6(ch(channel).spanPpm->value()) + "\r\n", channel);
}

void NbCalibrator::microVoltageShow(int channel, bool on)
{
    m_microVolt[channel - 1] = on;
    setSensorMode();
    m_chartGas[channel - 1]->clear();
}

void NbCalibrator::delayWriteDigitFilter(int channel, int mode)
{
    writeFlag(channel, MODE_SEQ, "ATCMODE", mode, kFilterMode);
}

void NbCalibrator::delayWriteTempCompensate(int channel, int mode)
{
    writeFlag(channel, TCMP_SEQ, "ATCTCMP", mode, kCompensateMode);
}

void NbCalibrator::writeFlag(int channel, unsigned step, const char* keyword, int value, const char* text)
{
    if (m_mode != DEFAULT)
        return;
    writeDelay(APPLY, step, keyword + digit(channel) + " " + QString::number(value) + "\r\n", channel);
    status(trPanel(text) + QString::number(value) + "...");
}

// ---- calibration --------------------------------------------------------------

void NbCalibrator::mannualSetting(int channel)
{
    const int type = m_sensorType[channel - 1];
    if (type != 1 && type != 2) {
        criticalBox("ERROR", trPanel(kNoSensorType));
        return;
    }
    bool yes = false;
    const QString title = "[Channel " + digit(channel) + "]Calibration";
    if (!questionBox(title, trPanel(kChangeParameters), &yes) || !yes)
        return;
    Channel& c = ch(channel);
    auto* wizard = new CalibWizard(this);
    wizard->setWizardStyle(QWizard::MacStyle);
    wizard->setModal(true);
    auto* page = new CalibrateSpan(c.zero->value(), c.span->value(), c.spanPpm->value(), wizard);
    page->setTitle("[Channel " + digit(channel) + "] Calibration parameters");
    wizard->setPage(kManualPage, page);
    m_wizards->open(wizard, channel);
    wizard->show();
}

void NbCalibrator::writeMannualParameters()
{
    CalibWizard* wizard = m_wizards->wizard();
    auto* page = wizard ? qobject_cast<CalibrateSpan*>(wizard->page(kManualPage)) : nullptr;
    if (!page)
        return;
    const QString command = "ATCCAL" + digit(m_wizards->channel()) + " " + g6(page->getZero()) + ","
                            + g6(page->getSpan()) + "," + g6(page->getSpanPpm()) + "\r\n";
    m_wizards->run(kManualChain, {{CAL_SEQ, [command] { return command; }}});
}
