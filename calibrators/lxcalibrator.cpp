#include "lxcalibrator.h"
#include "ui_lxcalibrator.h"

#include <QDebug>

#include "calibwizard.h"
#include "channelsequence.h"
#include "modbusblock.h"
#include "rangescalewizards.h"
#include "wizardchain.h"

namespace {

// Steps (REFRESH and APPLY use the same number for the same keyword).
enum : unsigned {
    TYPE_SEQ = 6,
    OFFSET_SEQ = 7,
    LO_SEQ = 8,
    HI_SEQ = 9,
    CLO_SEQ = 10,
    CHI_SEQ = 11,
    M_SEQ = 12,
    EXTM_SEQ = 23,
    BLDTM_SEQ = 24,
    END_SEQ = 25,
    ERROR_SEQ = 26,
};

// Build time from this firmware.
constexpr unsigned kBuildTimeGate = 20;

const char* const kDateTitle = QT_TRANSLATE_NOOP("LxCalibrator", "Last Calibration Time");
const char* const kResetFailed = QT_TRANSLATE_NOOP("LxCalibrator", "factory reset failed...!");

const PanelDescription kLx = {
    END_SEQ, ERROR_SEQ,
    "ATSINM1\r\n", TYPE_SEQ,
    {"ATCOFF", "ATCCH", "ATSINM", "ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX",
     "ATCRLYDLY", "ATCMODBR", "ATCMODTO", "ATCMODSW", "ATCMODID", "ATCEXTM", "ATCBLDTM"},
    {"ATCOFF", "ATCCH", "ATSINM", "ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX",
     "ATCRLYDLY", "ATCMODBR", "ATCMODTO", "ATCMODSW", "ATCMODID", "ATCFTRST", "ATCEXTM"},
    {"ATCQ"},
    {},
    false, "", PanelDescription::Unlock,
    EXTM_SEQ, kDateTitle,
    "ERROR", kResetFailed,
    1,
};

FourChannelProfile lxProfile()
{
    return {"ATSINM", {{"4~20mA", 0}, {"0~20mA", 1}, {"NONE", -1}}, TYPE_SEQ, OFFSET_SEQ, LO_SEQ, HI_SEQ, CLO_SEQ,
            CHI_SEQ};
}

} // namespace

LxCalibrator::LxCalibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : FourChannelPanel(kLx, lxProfile(), version, serial, parent)
    , ui(new Ui::LxCalibrator)
{
    ui->setupUi(this);
    bindForm(FourChannelWidgets::from(ui));
#define ZQ_LX_CHANNEL(i, n)                                  \
    m_spinScaledMin[i] = ui->doubleSpinBox_scaled_min_ch##n; \
    m_spinScaledMax[i] = ui->doubleSpinBox_scaled_max_ch##n; \
    m_spinMultiply[i] = ui->doubleSpinBox_multi_ch##n;       \
    m_rangeButton[i] = ui->pushButton_wizard_ch##n;          \
    m_scaleButton[i] = ui->pushButton_scale_ch##n;
    ZQ_LX_CHANNEL(0, 1)
    ZQ_LX_CHANNEL(1, 2)
    ZQ_LX_CHANNEL(2, 3)
    ZQ_LX_CHANNEL(3, 4)
#undef ZQ_LX_CHANNEL

    m_modbus = new ModbusBlock(this, ModbusProfile::lx(), ModbusWidgets::from(ui));
    addLockGroups(m_modbus->groups());
    m_wizards = new RangeScaleWizards(this, "HV700K3-LX", Channels,
                                      {OFFSET_SEQ, LO_SEQ, HI_SEQ, CLO_SEQ, CHI_SEQ, M_SEQ},
                                      {m_w.rangeMin, m_w.rangeMax, m_w.correctionMin, m_w.correctionMax,
                                       m_spinScaledMin, m_spinScaledMax, m_spinMultiply, m_w.lcd, m_rangeButton,
                                       m_scaleButton});
    // Only channels of input type 0 or 1 open a wizard.
    m_wizards->setTypeCheck([this](int channel) { return unsigned(sensorType(channel)) < 2; });

    using RSW = RangeScaleWizards;
    const QVector<SequenceRow> shared = channelRows();
    SequenceRow typeRow = shared.at(0);
    SequenceRow offset = shared.at(1);
    // The range boxes follow each input type before the correction rows use them.
    const RowStore storeType = typeRow.store;
    typeRow.store = [this, storeType](int channel, QString const& value) {
        const bool ok = storeType(channel, value);
        setSensorMode();
        return ok;
    };
    SequenceRow buildTime = timeRow(BLDTM_SEQ, "ATCBLDTM", m_w.buildTime, kBuildTimeGate);
    buildTime.endBelowGate = true;
    QVector<SequenceRow> refresh{typeRow, offset, m_wizards->row(RSW::Lo), m_wizards->row(RSW::Hi),
                                 m_wizards->row(RSW::Clo), m_wizards->row(RSW::Chi),
                                 m_wizards->row(RSW::Multiply)};
    refresh << m_modbus->rows({ModbusBlock::Modbr, ModbusBlock::Modto, ModbusBlock::Modsw, ModbusBlock::Modid});
    refresh << timeRow(EXTM_SEQ, "ATCEXTM", m_w.execTime) << buildTime;
    refresh << m_modbus->rows({ModbusBlock::Ismst, ModbusBlock::Modch, ModbusBlock::Mstid, ModbusBlock::Rlyno,
                               ModbusBlock::Ppmmax, ModbusBlock::Rlydly, ModbusBlock::Son});
    m_refresh.reset(new ChannelSequence(this, Channels, refresh));

    // The type echo is shown by the refresh it starts.
    SequenceRow typeEcho = channelRow(TYPE_SEQ, "ATSINM", [this](int, QString const&) {
        scheduleRefresh();
        return true;
    });
    typeEcho.endsApply = false;
    QVector<SequenceRow> apply{typeEcho, offset, m_wizards->row(RSW::Lo), m_wizards->row(RSW::Hi),
                               m_wizards->row(RSW::Clo), m_wizards->row(RSW::Chi), m_wizards->row(RSW::Multiply)};
    apply << m_modbus->rows({ModbusBlock::Son, ModbusBlock::Ismst, ModbusBlock::Modch, ModbusBlock::Mstid,
                             ModbusBlock::Rlyno, ModbusBlock::Ppmmax, ModbusBlock::Rlydly, ModbusBlock::Modbr,
                             ModbusBlock::Modto, ModbusBlock::Modsw, ModbusBlock::Modid});
    m_apply.reset(new ChannelSequence(this, Channels, apply));
    m_apply->setChain(m_wizards->chain());

    clearAll();
    showIdentity(model);
    static const char* const range[Channels] = {SLOT(slotRangeCh1()), SLOT(slotRangeCh2()), SLOT(slotRangeCh3()),
                                                SLOT(slotRangeCh4())};
    static const char* const scale[Channels] = {SLOT(slotScaleCh1()), SLOT(slotScaleCh2()), SLOT(slotScaleCh3()),
                                                SLOT(slotScaleCh4())};
    for (int i = 0; i < Channels; ++i) {
        connect(m_rangeButton[i], SIGNAL(clicked()), this, range[i]);
        connect(m_scaleButton[i], SIGNAL(clicked()), this, scale[i]);
    }
    setSensorMode();
    setModbusMode();
    writeRefresh();
}

LxCalibrator::~LxCalibrator()
{
    releaseForm();
    // clearAll only schedules the wizard's deletion; the panel deletes it now.
    CalibWizard* wizard = m_wizards->chain()->wizard();
    clearAll();
    delete wizard;
    delete ui;
    ui = nullptr;
    qDebug() << "~LxCalibrator()";
}

// ---- state onto the form ------------------------------------------------------

void LxCalibrator::clearAll()
{
    m_wizards->clear();
    m_mode = DEFAULT;
    m_seq = 0;
    clearChannels();
    m_modbus->clear();
    for (int i = 0; i < channelLimit(); ++i)
        for (QDoubleSpinBox* box : {m_spinScaledMin[i], m_spinScaledMax[i], m_spinMultiply[i]}) {
            box->setValue(0.0);
            box->setStyleSheet(QString());
        }
}

void LxCalibrator::setSensorMode()
{
    setValueSuffix(" mA");
    for (int i = 0; i < channelLimit(); ++i) {
        m_w.rangeMin[i]->setValue(m_sensorType[i] == 1 ? 0.0 : 4.0);
        m_w.rangeMax[i]->setValue(20.0);
    }
}

void LxCalibrator::setModbusMode()
{
    m_modbus->setMode();
}

void LxCalibrator::controlEnable(bool enable)
{
    FourChannelPanel::controlEnable(enable);
    m_modbus->applyEnableRule(enable);
}

// ---- replies --------------------------------------------------------------------

void LxCalibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    if (!m_refresh->refresh(line))
        m_seq = ERROR_SEQ;
}

void LxCalibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (parsingResetOrDate(line))
        return;
    // Steps without a write (the build time, the ends) take no echo.
    m_apply->apply(line);
}

// ---- wizards --------------------------------------------------------------------

void LxCalibrator::slotRangeCh1() { m_wizards->startRange(1); }
void LxCalibrator::slotRangeCh2() { m_wizards->startRange(2); }
void LxCalibrator::slotRangeCh3() { m_wizards->startRange(3); }
void LxCalibrator::slotRangeCh4() { m_wizards->startRange(4); }
void LxCalibrator::slotScaleCh1() { m_wizards->startScale(1); }
void LxCalibrator::slotScaleCh2() { m_wizards->startScale(2); }
void LxCalibrator::slotScaleCh3() { m_wizards->startScale(3); }
void LxCalibrator::slotScaleCh4() { m_wizards->startScale(4); }
