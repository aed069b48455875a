#include "zq70acalibrator.h"
#include "ui_zq70acalibrator.h"

#include <QButtonGroup>
#include <QDebug>
#include <QTimer>

#include "calibwizard.h"
#include "channelsequence.h"
#include "chartview.h"
#include "globals.h"
#include "rangescalewizards.h"
#include "wizardchain.h"

namespace {

// Steps of REFRESH and APPLY: the command outstanding.
enum : unsigned {
    INPUT_SEQ = 4,    // "ATSINM"
    OFFSET_SEQ = 5,   // "ATCOFFn"
    LO_SEQ = 6,       // "ATCCHnLO"
    HI_SEQ = 7,       // "ATCCHnHI"
    CLO_SEQ = 8,      // "ATCCHnCLO"
    CHI_SEQ = 9,      // "ATCCHnCHI"
    M_SEQ = 10,       // "ATCCHnM"
    EMO_SEQ = 11,     // "ATCnEMO"
    ELO_SEQ = 12,     // "ATCnELO"
    EHI_SEQ = 13,     // "ATCnEHI"
    EDI_SEQ = 14,     // "ATCnEDI"
    TRIGGER_SEQ = 15, // "ATETGMO"
    END_SEQ = 19,
    ERROR_SEQ = 20,
};

// From this firmware on: input type, event settings, trigger condition.
constexpr unsigned kEventFirmware = 16;
constexpr int kZq70B = 72;
constexpr int kZq70C = 73;
constexpr int kEventShowMs = 500;
constexpr int kInputTypeId = 600;
constexpr int kTriggerId = 500;
constexpr int kEventModeId[] = {300, 400};

const PanelDescription kZq70 = {
    END_SEQ, ERROR_SEQ,
    "ATCOFF1\r\n", OFFSET_SEQ,
    {"ATCOFF", "ATCCH", "ATSINM", "ATC", "ATETGMO"},
    {"ATCOFF", "ATCCH", "ATSINM", "ATC", "ATETGMO"},
    {"ATEC", "ATCD"},
    {},
    false, "", PanelDescription::Unlock,
    0, nullptr,
    nullptr, nullptr,
    1,
};

// No reply of this panel carries it: a poll reply that arrives late.
const char* const kPollReply = "ATCD";

} // namespace

Zq70ACalibrator::Zq70ACalibrator(int model, QString reply, unsigned version, QString serial, QWidget* parent)
    : CalibratorPanel(kZq70, version, serial, parent)
    , ui(new Ui::Zq70ACalibrator)
    , m_deviceCode(model)
{
    ui->setupUi(this);
    attachForm(ui->frame, ui->horizontalLayout_led);
    m_chart[0] = new ChartView(ui->label_chart_ch1, 1, this);
    m_chart[1] = new ChartView(ui->label_chart_ch2, 2, this);

    m_lcd[0] = ui->lcdNumber_ch1;
    m_lcd[1] = ui->lcdNumber_ch2;
    m_unitLabel[0] = ui->label_unit_ch1;
    m_unitLabel[1] = ui->label_unit_ch2;
    m_offset[0] = ui->doubleSpinBox_offset_ch1;
    m_offset[1] = ui->doubleSpinBox_offset_ch2;
    m_rangeMin[0] = ui->doubleSpinBox_range_min_ch1;
    m_rangeMin[1] = ui->doubleSpinBox_range_min_ch2;
    m_rangeMax[0] = ui->doubleSpinBox_range_max_ch1;
    m_rangeMax[1] = ui->doubleSpinBox_range_max_ch2;
    m_correctionMin[0] = ui->doubleSpinBox_correction_min_ch1;
    m_correctionMin[1] = ui->doubleSpinBox_correction_min_ch2;
    m_correctionMax[0] = ui->doubleSpinBox_correction_max_ch1;
    m_correctionMax[1] = ui->doubleSpinBox_correction_max_ch2;
    m_scaledMin[0] = ui->doubleSpinBox_scaled_min_ch1;
    m_scaledMin[1] = ui->doubleSpinBox_scaled_min_ch2;
    m_scaledMax[0] = ui->doubleSpinBox_scaled_max_ch1;
    m_scaledMax[1] = ui->doubleSpinBox_scaled_max_ch2;
    m_multiply[0] = ui->doubleSpinBox_multi_ch1;
    m_multiply[1] = ui->doubleSpinBox_multi_ch2;
    m_eventNone[0] = ui->radioButton_event_normal_ch1;
    m_eventNone[1] = ui->radioButton_event_normal_ch2;
    m_eventEdgeOut[0] = ui->radioButton_event_edge_out_ch1;
    m_eventEdgeOut[1] = ui->radioButton_event_edge_out_ch2;
    m_eventChange[0] = ui->radioButton_event_diff_ch1;
    m_eventChange[1] = ui->radioButton_event_diff_ch2;
    m_eventEdgeIn[0] = ui->radioButton_event_edge_in_ch1;
    m_eventEdgeIn[1] = ui->radioButton_event_edge_in_ch2;
    m_eventLo[0] = ui->doubleSpinBox_event_min_ch1;
    m_eventLo[1] = ui->doubleSpinBox_event_min_ch2;
    m_eventHi[0] = ui->doubleSpinBox_event_max_ch1;
    m_eventHi[1] = ui->doubleSpinBox_event_max_ch2;
    m_eventDiff[0] = ui->doubleSpinBox_event_diff_ch1;
    m_eventDiff[1] = ui->doubleSpinBox_event_diff_ch2;
    m_rangeButton[0] = ui->pushButton_wizard_ch1;
    m_rangeButton[1] = ui->pushButton_wizard_ch2;
    m_scaleButton[0] = ui->pushButton_scale_ch1;
    m_scaleButton[1] = ui->pushButton_scale_ch2;

    m_modelName = model == kZq70B ? "ZQ70B" : model == kZq70C ? "ZQ70C" : "ZQ70A";
    m_wizards = new RangeScaleWizards(this, m_modelName, qBound(1, ChannelCount, kChannels),
                                      {OFFSET_SEQ, LO_SEQ, HI_SEQ, CLO_SEQ, CHI_SEQ, M_SEQ},
                                      {m_rangeMin, m_rangeMax, m_correctionMin, m_correctionMax, m_scaledMin,
                                       m_scaledMax, m_multiply, m_lcd, m_rangeButton, m_scaleButton});
    buildSequences();

    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    ui->label_model->setText(reply);
    ui->label_serial->setText(serial);
    m_lastWrite = QDateTime::currentDateTime();

    if (model == kZq70C) {
        ui->radioButton_1000mv->setChecked(true);
        m_inputTypeHeld = ui->radioButton_1000mv;
        ui->radioButton_420ma->hide();
        ui->radioButton_020ma->hide();
    } else {
        ui->radioButton_420ma->setChecked(true);
        ui->radioButton_1000mv->hide();
    }

    m_inputTypeGroup = new QButtonGroup(this);
    m_inputTypeGroup->addButton(ui->radioButton_420ma, kInputTypeId);
    m_inputTypeGroup->addButton(ui->radioButton_020ma, kInputTypeId + 1);
    m_inputTypeGroup->addButton(ui->radioButton_1000mv, kInputTypeId + 2);
    connect(m_inputTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotSensorTypeApply(int)));

    ui->radioButton_trigg_or->setChecked(true);
    m_triggerGroup = new QButtonGroup(this);
    m_triggerGroup->addButton(ui->radioButton_trigg_or, kTriggerId);
    m_triggerGroup->addButton(ui->radioButton_trigg_and, kTriggerId + 1);
    connect(m_triggerGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotSensorTriggerOrAnd(int)));

    connect(ui->pushButton_wizard_ch1, SIGNAL(clicked()), this, SLOT(slotRangeCh1()));
    connect(ui->pushButton_wizard_ch2, SIGNAL(clicked()), this, SLOT(slotRangeCh2()));
    connect(ui->pushButton_scale_ch1, SIGNAL(clicked()), this, SLOT(slotScaleCh1()));
    connect(ui->pushButton_scale_ch2, SIGNAL(clicked()), this, SLOT(slotScaleCh2()));

    connect(ui->doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(ui->doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(ui->toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(ui->toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));

    const char* const modeSlots[] = {SLOT(slotEventModeChanged_ch1(int)), SLOT(slotEventModeChanged_ch2(int))};
    for (int i = 0; i < kChannels; ++i) {
        m_eventModeGroup[i] = new QButtonGroup(this);
        m_eventModeGroup[i]->addButton(m_eventNone[i], kEventModeId[i] + 1);
        m_eventModeGroup[i]->addButton(m_eventEdgeOut[i], kEventModeId[i] + 2);
        m_eventModeGroup[i]->addButton(m_eventChange[i], kEventModeId[i] + 3);
        m_eventModeGroup[i]->addButton(m_eventEdgeIn[i], kEventModeId[i] + 4);
        connect(m_eventModeGroup[i], SIGNAL(buttonClicked(int)), this, modeSlots[i]);
    }

    connect(ui->toolButton_event_lo_apply_ch1, SIGNAL(pressed()), this, SLOT(slotEventLoApply_ch1()));
    connect(ui->toolButton_event_lo_apply_ch2, SIGNAL(pressed()), this, SLOT(slotEventLoApply_ch2()));
    connect(ui->toolButton_event_hi_apply_ch1, SIGNAL(pressed()), this, SLOT(slotEventHiApply_ch1()));
    connect(ui->toolButton_event_hi_apply_ch2, SIGNAL(pressed()), this, SLOT(slotEventHiApply_ch2()));
    connect(ui->toolButton_event_diff_apply_ch1, SIGNAL(pressed()), this, SLOT(slotEventDiffApply_ch1()));
    connect(ui->toolButton_event_diff_apply_ch2, SIGNAL(pressed()), this, SLOT(slotEventDiffApply_ch2()));
    connect(ui->doubleSpinBox_event_min_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotEventLoChanged_ch1(double)));
    connect(ui->doubleSpinBox_event_min_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotEventLoChanged_ch2(double)));
    connect(ui->doubleSpinBox_event_max_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotEventHiChanged_ch1(double)));
    connect(ui->doubleSpinBox_event_max_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotEventHiChanged_ch2(double)));
    connect(ui->doubleSpinBox_event_diff_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotEventDiffChanged_ch1(double)));
    connect(ui->doubleSpinBox_event_diff_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotEventDiffChanged_ch2(double)));

    connect(ui->pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

Zq70ACalibrator::~Zq70ACalibrator()
{
    ui->label_model->setText(QString());
    ui->label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    delete m_wizards->chain()->wizard();
    clearAll();
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
    delete ui;
    ui = nullptr;
    qDebug() << "~Zq70ACalibrator()";
}

// ---- sequences --------------------------------------------------------------

void Zq70ACalibrator::buildSequences()
{
    auto inputType = [this](int, QString const& value) {
        const int type = value.toInt();
        QRadioButton* radio = type == 0 ? ui->radioButton_420ma
                              : type == 1 ? ui->radioButton_020ma
                                          : ui->radioButton_1000mv;
        radio->setChecked(true);
        m_inputTypeHeld = radio;
        setSensorMode();
        return true;
    };
    auto trigger = [this](int, QString const& value) {
        m_triggerHeld = value.toInt() == 1 ? ui->radioButton_trigg_and : ui->radioButton_trigg_or;
        m_triggerHeld->setChecked(true);
        return true;
    };
    // A mode outside 1..4: REFRESH reads on; an APPLY echo of it fails (the radio the
    // user clicked then goes back to the mode the instrument holds).
    auto eventMode = [this](bool strict) {
        return [this, strict](int channel, QString const& value) {
            const int mode = value.toInt();
            if (mode < 1 || mode > 4)
                return !strict;
            takeEventMode(channel, mode);
            return true;
        };
    };
    auto eventRow = [](unsigned step, const char* key, RowStore store, unsigned gate) {
        return suffixRow(step, "ATC", key, std::move(store), gate);
    };
    const SequenceRow lo = m_wizards->row(RangeScaleWizards::Lo);
    const SequenceRow hi = m_wizards->row(RangeScaleWizards::Hi);
    const SequenceRow clo = m_wizards->row(RangeScaleWizards::Clo);
    const SequenceRow chi = m_wizards->row(RangeScaleWizards::Chi);
    const SequenceRow multiply = m_wizards->row(RangeScaleWizards::Multiply);

    // Below the event firmware the input type is not asked and the sequence ends after
    // the multipliers.
    SequenceRow firstEvent = eventRow(EMO_SEQ, "EMO", eventMode(false), kEventFirmware);
    firstEvent.endBelowGate = true;
    QVector<SequenceRow> refresh = {
        offsetRow(OFFSET_SEQ, m_offset),
        plainRow(INPUT_SEQ, "ATSINM", inputType, kEventFirmware),
        lo, hi, clo, chi, multiply,
        firstEvent,
        eventRow(ELO_SEQ, "ELO", storeDoubles(m_eventLo), kEventFirmware),
        eventRow(EHI_SEQ, "EHI", storeDoubles(m_eventHi), kEventFirmware),
        eventRow(EDI_SEQ, "EDI", storeDoubles(m_eventDiff), kEventFirmware),
    };
    if (m_deviceCode != kZq70B)
        refresh << plainRow(TRIGGER_SEQ, "ATETGMO", trigger, kEventFirmware);
    m_refresh.reset(new ChannelSequence(this, kChannels, refresh));

    // The input type's echo: the panel reads everything again (it stays locked).
    SequenceRow input = plainRow(INPUT_SEQ, "ATSINM", [this](int, QString const&) {
        scheduleRefresh();
        return true;
    });
    input.endsApply = false;
    m_apply.reset(new ChannelSequence(
        this, kChannels,
        {input, offsetRow(OFFSET_SEQ, m_offset), lo, hi, clo, chi, multiply,
         eventRow(EMO_SEQ, "EMO", eventMode(true), 0), eventRow(ELO_SEQ, "ELO", storeDoubles(m_eventLo), 0),
         eventRow(EHI_SEQ, "EHI", storeDoubles(m_eventHi), 0), eventRow(EDI_SEQ, "EDI", storeDoubles(m_eventDiff), 0),
         plainRow(TRIGGER_SEQ, "ATETGMO", trigger)}));
    m_apply->setChain(m_wizards->chain());
}

void Zq70ACalibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    // A poll reply to a poll sent just before the sequence began: not the answer.
    if (line.contains(kPollReply))
        return;
    m_refresh->refresh(line);
}

void Zq70ACalibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (line.contains(kPollReply))
        return;
    m_apply->apply(line);
}

void Zq70ACalibrator::takeEventMode(int channel, int mode)
{
    const int i = channel - 1;
    m_eventMode[i] = mode;
    m_eventActive[i] = mode != 1;
    showEventMode(channel);
}

void Zq70ACalibrator::showEventMode(int channel)
{
    const int i = channel - 1;
    QRadioButton* const radios[] = {m_eventNone[i], m_eventEdgeOut[i], m_eventChange[i], m_eventEdgeIn[i]};
    radios[qBound(1, m_eventMode[i], 4) - 1]->setChecked(true);
}

void Zq70ACalibrator::onSequenceEnd(unsigned mode, bool success)
{
    // Whether the wizard is about to close, for the poll rule of the unlock that follows.
    const RangeScaleWizards::Chain chain = m_wizards->running();
    m_wizardEnding = mode != APPLY || !success || chain == RangeScaleWizards::RestoreChain
                     || chain == RangeScaleWizards::ScaleChain;
}

void Zq70ACalibrator::onSendFailure(unsigned mode)
{
    Q_UNUSED(mode)
    m_wizardEnding = true;
    m_wizards->chain()->close();
}

void Zq70ACalibrator::showHeldSettings()
{
    m_inputTypeHeld->setChecked(true);
    m_triggerHeld->setChecked(true);
    for (int channel = 1; channel <= kChannels; ++channel)
        showEventMode(channel);
}

bool Zq70ACalibrator::mayResumePolling() const
{
    if (!m_eventActive[0] && !m_eventActive[1])
        return true;
    // The range wizard's READ needs live readings whatever the event modes.
    return m_wizards->isRangeWizard() && m_wizards->chain()->isOpen() && !m_wizardEnding;
}

// ---- form state -------------------------------------------------------------

void Zq70ACalibrator::clearAll()
{
    m_wizards->clear();
    m_mode = DEFAULT;
    m_seq = 0;
    ui->radioButton_420ma->setChecked(true);
    ui->radioButton_trigg_or->setChecked(true);
    m_inputTypeHeld = ui->radioButton_420ma;
    m_triggerHeld = ui->radioButton_trigg_or;
    for (int i = 0; i < kChannels; ++i) {
        m_lcd[i]->display(QString());
        m_unitLabel[i]->setText(QString());
        m_eventNone[i]->setChecked(true);
        for (QDoubleSpinBox* box : {m_offset[i], m_rangeMin[i], m_rangeMax[i], m_correctionMin[i], m_correctionMax[i]}) {
            box->setValue(0);
            box->setSuffix(QString());
            box->setStyleSheet(QString());
        }
        for (QDoubleSpinBox* box : {m_scaledMin[i], m_scaledMax[i], m_multiply[i], m_eventLo[i], m_eventHi[i], m_eventDiff[i]}) {
            box->setValue(0);
            box->setStyleSheet(QString());
        }
    }
}

void Zq70ACalibrator::setSensorMode()
{
    QString suffix = " mA";
    double min = ui->radioButton_420ma->isChecked() && !ui->radioButton_020ma->isChecked() ? 4 : 0;
    double max = 20;
    if (m_deviceCode == kZq70C) {
        suffix = " mV";
        min = 0;
        max = 1000;
    }
    if (m_deviceCode == kZq70B)
        ui->groupBox_ch2->hide();
    for (int i = 0; i < qMin(ChannelCount, kChannels); ++i) {
        m_offset[i]->setSuffix(suffix);
        for (QDoubleSpinBox* box : {m_rangeMin[i], m_correctionMin[i]}) {
            box->setValue(min);
            box->setSuffix(suffix);
        }
        for (QDoubleSpinBox* box : {m_rangeMax[i], m_correctionMax[i]}) {
            box->setValue(max);
            box->setSuffix(suffix);
        }
    }
    if (m_version < kEventFirmware) {
        for (QWidget* group : {static_cast<QWidget*>(ui->groupBox_sensingrange), static_cast<QWidget*>(ui->groupBox_trigger_condition),
                               static_cast<QWidget*>(ui->groupBox_eventmode_ch1), static_cast<QWidget*>(ui->groupBox_event_lo_ch1),
                               static_cast<QWidget*>(ui->groupBox_event_hi_ch1), static_cast<QWidget*>(ui->groupBox_event_diff_ch1),
                               static_cast<QWidget*>(ui->groupBox_eventmode_ch2), static_cast<QWidget*>(ui->groupBox_event_lo_ch2),
                               static_cast<QWidget*>(ui->groupBox_event_hi_ch2), static_cast<QWidget*>(ui->groupBox_event_diff_ch2)})
            group->hide();
    }
}

void Zq70ACalibrator::controlEnable(bool on)
{
    ui->groupBox_sensingrange->setEnabled(on);
    ui->groupBox_trigger_condition->setEnabled(on);
    ui->groupBox_ch1->setEnabled(on);
    ui->groupBox_ch2->setEnabled(on);
}

double Zq70ACalibrator::getCurrentValue(int channel)
{
    return lcdValue(m_lcd, kChannels, channel);
}

// ---- live readings ----------------------------------------------------------

void Zq70ACalibrator::parsingDefault(QString line)
{
    // An event line may carry "ATCD" too: it is still an event.
    const bool event = line.contains("ATEC");
    const QStringList fields = liveFields(line, event ? "ATEC" : "ATCD", kChannels);
    setDeviceValue(fields.at(0), fields.at(1), event);
}

void Zq70ACalibrator::setDeviceValue(QString value1, QString value2, bool event)
{
    double time = -1;
    if (event) {
        setLcdStyle(ChangedStyle);
        QTimer::singleShot(kEventShowMs, this, &Zq70ACalibrator::slotDelayDisplay);
        // Unasked: charted when it came, not at the last poll.
        time = chartTimeAt(QDateTime::currentDateTime());
    } else {
        setLcdStyle(MatchStyle);
    }
    showLive({value1, value2}, m_lcd, m_chart, kChannels, time);
}

void Zq70ACalibrator::setLcdStyle(const char* style)
{
    for (QLCDNumber* lcd : m_lcd)
        lcd->setStyleSheet(QString::fromLatin1(style));
}

void Zq70ACalibrator::slotDelayDisplay()
{
    setLcdStyle(MatchStyle);
}

// ---- apply slots ------------------------------------------------------------

void Zq70ACalibrator::slotSensorTypeApply(int id)
{
    writeDelay(APPLY, INPUT_SEQ, "ATSINM " + QString::number(id - kInputTypeId) + "\r\n");
}

void Zq70ACalibrator::slotSensorTriggerOrAnd(int id)
{
    writeDelay(APPLY, TRIGGER_SEQ, "ATETGMO " + QString::number(id - kTriggerId) + "\r\n");
}

void Zq70ACalibrator::applyEventMode(int channel, int id)
{
    const QString n = QString::number(channel);
    writeDelay(APPLY, EMO_SEQ, "ATC" + n + "EMO " + QString::number(id - kEventModeId[channel - 1]) + "\r\n", channel);
}

void Zq70ACalibrator::applyEvent(int channel, const char* key, unsigned step, QDoubleSpinBox* const* boxes)
{
    const QString n = QString::number(channel);
    writeDelay(APPLY, step, "ATC" + n + key + " " + g6(boxes[channel - 1]->value()) + "\r\n", channel);
}

void Zq70ACalibrator::applyOffset(int channel)
{
    const QString n = QString::number(channel);
    writeDelay(APPLY, OFFSET_SEQ, "ATCOFF" + n + " " + f2(m_offset[channel - 1]->value()) + "\r\n", channel);
}

void Zq70ACalibrator::slotEventModeChanged_ch1(int id) { applyEventMode(1, id); }
void Zq70ACalibrator::slotEventModeChanged_ch2(int id) { applyEventMode(2, id); }
void Zq70ACalibrator::slotEventLoApply_ch1() { applyEvent(1, "ELO", ELO_SEQ, m_eventLo); }
void Zq70ACalibrator::slotEventLoApply_ch2() { applyEvent(2, "ELO", ELO_SEQ, m_eventLo); }
void Zq70ACalibrator::slotEventHiApply_ch1() { applyEvent(1, "EHI", EHI_SEQ, m_eventHi); }
void Zq70ACalibrator::slotEventHiApply_ch2() { applyEvent(2, "EHI", EHI_SEQ, m_eventHi); }
void Zq70ACalibrator::slotEventDiffApply_ch1() { applyEvent(1, "EDI", EDI_SEQ, m_eventDiff); }
void Zq70ACalibrator::slotEventDiffApply_ch2() { applyEvent(2, "EDI", EDI_SEQ, m_eventDiff); }
void Zq70ACalibrator::slotOffsetApply_ch1() { applyOffset(1); }
void Zq70ACalibrator::slotOffsetApply_ch2() { applyOffset(2); }

void Zq70ACalibrator::slotRangeCh1() { m_wizards->startRange(1); }
void Zq70ACalibrator::slotRangeCh2() { m_wizards->startRange(2); }
void Zq70ACalibrator::slotScaleCh1() { m_wizards->startScale(1); }
void Zq70ACalibrator::slotScaleCh2() { m_wizards->startScale(2); }

void Zq70ACalibrator::slotEventLoChanged_ch1(double) {}
void Zq70ACalibrator::slotEventLoChanged_ch2(double) {}
void Zq70ACalibrator::slotEventHiChanged_ch1(double) {}
void Zq70ACalibrator::slotEventHiChanged_ch2(double) {}
void Zq70ACalibrator::slotEventDiffChanged_ch1(double) {}
void Zq70ACalibrator::slotEventDiffChanged_ch2(double) {}
void Zq70ACalibrator::slotDoubleSpinBox_offsetChanged_ch1(double) {}
void Zq70ACalibrator::slotDoubleSpinBox_offsetChanged_ch2(double) {}
