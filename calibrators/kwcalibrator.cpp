#include "kwcalibrator.h"
#include "ui_kwcalibrator.h"

#include <QDebug>
#include <QPointer>

#include "calibwizard.h"

#include "channelsequence.h"
#include "globals.h"
#include "modbusblock.h"
#include "rangewizardflow.h"
#include "wizardchain.h"

namespace {

// Steps (REFRESH and APPLY use the same number for the same keyword).
enum : unsigned {
    FTRST_SEQ = 4, SON_SEQ = 5, CTS_SEQ = 6, OFF_SEQ = 7,
    LO_SEQ = 8, HI_SEQ = 9, CLO_SEQ = 10, CHI_SEQ = 11,
    ISMST_SEQ = 12, MODCH_SEQ = 13, MSTID_SEQ = 14, RLYNO_SEQ = 15, PPMMAX_SEQ = 16,
    RLYDLY_SEQ = 17, MODBR_SEQ = 18, MODTO_SEQ = 19, MODSW_SEQ = 20, MODID_SEQ = 21,
    EXTM_SEQ = 22, BLDTM_SEQ = 23, END_SEQ = 24, ERROR_SEQ = 25,
};

// Firmware that first has the build time.
constexpr unsigned kBuildTimeGate = 20;

const QStringList kModbusKeywords = {"ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO",
                                     "ATCPPMMAX", "ATCRLYDLY", "ATCMODBR", "ATCMODTO", "ATCMODSW",
                                     "ATCMODID"};

const PanelDescription kKw = {
    END_SEQ, ERROR_SEQ,
    "ATCCTS1\r\n", CTS_SEQ,
    QStringList{"ATCOFF", "ATCCH", "ATCCTS"} + kModbusKeywords + QStringList{"ATCEXTM", "ATCBLDTM"},
    QStringList{"ATCOFF", "ATCCH", "ATCCTS"} + kModbusKeywords + QStringList{"ATCFTRST", "ATCEXTM"},
    {"ATCQ"},
    {},
    true, "Zq63Calibrator::parsingTemp() TEMPMODE : ", PanelDescription::Celsius,
    EXTM_SEQ, QT_TRANSLATE_NOOP("KwCalibrator", "Last Calibration Time"),
    "ERROR", QT_TRANSLATE_NOOP("KwCalibrator", "factory reset failed...!"),
    1,
};

const QString kDegree = QString(QChar(0x00B0));

FourChannelProfile kwProfile()
{
    return {"ATCCTS",
            {{"K TYPE", 0}, {"J TYPE", 1}, {"T TYPE", 2}, {"N TYPE", 3}, {"S TYPE", 4},
             {"E TYPE", 5}, {"B TYPE", 6}, {"R TYPE", 7}, {"NONE", -1}},
            CTS_SEQ, OFF_SEQ, LO_SEQ, HI_SEQ, CLO_SEQ, CHI_SEQ};
}

} // namespace

KwCalibrator::KwCalibrator(QString model, unsigned version, QString serial, QWidget* parent)
    : FourChannelPanel(kKw, kwProfile(), version, serial, parent)
    , ui(new Ui::KwCalibrator)
{
    ui->setupUi(this);
    bindForm(FourChannelWidgets::from(ui));

    RangeWizardFlow::Setup setup{
        "HV700K3-KW",
        {LO_SEQ, HI_SEQ, CLO_SEQ, CHI_SEQ, OFF_SEQ},
        {m_w.rangeMin, m_w.rangeMax, m_w.correctionMin, m_w.correctionMax},
        Channels,
        // Only a channel with a thermocouple type can be calibrated.
        [this](int channel) { return sensorType(channel) >= 0; },
        true,
    };
    m_flow = new RangeWizardFlow(this, setup);
    setRangeFlow(m_flow);

    m_modbus = new ModbusBlock(this, ModbusProfile::kw(), ModbusWidgets::from(ui));

    // REFRESH order; the APPLY echoes use the same rows.
    using M = ModbusBlock;
    QVector<SequenceRow> rows = channelRows();
    rows << m_modbus->rows({M::Modbr, M::Modto, M::Modsw, M::Modid});
    rows << timeRow(EXTM_SEQ, "ATCEXTM", ui->dateTimeEdit_exec_datetime);
    SequenceRow build = timeRow(BLDTM_SEQ, "ATCBLDTM", ui->dateTimeEdit_build_time, kBuildTimeGate);
    build.endBelowGate = true;
    rows << build;
    rows << m_modbus->rows({M::Ismst, M::Modch, M::Mstid, M::Rlyno, M::Ppmmax, M::Rlydly, M::Son});
    m_sequence.reset(new ChannelSequence(this, Channels, rows));
    m_sequence->setChain(m_flow->chain());

    clearAll();
    showIdentity(model);
    attachTempRadios(ui->radioButton_celsius, ui->radioButton_fahrenheit);
    addLockGroups({ui->groupBox_tempoutput});
    addLockGroups(m_modbus->groups());

    connect(ui->pushButton_wizard_ch1, SIGNAL(clicked()), this, SLOT(slotRangeCh1()));
    connect(ui->pushButton_wizard_ch2, SIGNAL(clicked()), this, SLOT(slotRangeCh2()));
    connect(ui->pushButton_wizard_ch3, SIGNAL(clicked()), this, SLOT(slotRangeCh3()));
    connect(ui->pushButton_wizard_ch4, SIGNAL(clicked()), this, SLOT(slotRangeCh4()));

    setModbusMode();
    setSensorMode();
    writeRefresh();
}

KwCalibrator::~KwCalibrator()
{
    QPointer<CalibWizard> wizard = m_flow->wizard();
    releaseForm();
    clearAll();
    delete wizard;
    delete ui;
    ui = nullptr;
    qDebug() << "~KwCalibrator()";
}

void KwCalibrator::controlEnable(bool on)
{
    FourChannelPanel::controlEnable(on);
    if (m_modbus)
        m_modbus->applyEnableRule(on);
}

void KwCalibrator::clearAll()
{
    m_flow->close();
    m_mode = DEFAULT;
    m_seq = 0;
    m_celsius = true;
    m_modbus->clear();
    clearChannels();
}

void KwCalibrator::setSensorMode()
{
    showTempUnit();
    const QString unit = kDegree + (m_celsius ? "C" : "F");
    for (int i = 0; i < channelLimit(); ++i) {
        m_w.unit[i]->setText(unit);
        m_w.unit[i]->resizeFont();
    }
    // The settings are always entered in degrees Celsius, whatever the output unit.
    setValueSuffix(" " + kDegree + "C");
}

void KwCalibrator::setModbusMode()
{
    m_modbus->setMode();
}

void KwCalibrator::onSequenceEnd(unsigned mode, bool success)
{
    setSensorMode();
    if (mode == REFRESH && !success)
        m_flow->close();
}

void KwCalibrator::onSendFailure(unsigned mode)
{
    Q_UNUSED(mode)
    setSensorMode();
    m_flow->close();
}

void KwCalibrator::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_sequence->refresh(line);
}

void KwCalibrator::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    if (!parsingResetOrDate(line))
        m_sequence->apply(line);
}

void KwCalibrator::slotRangeCh1() { m_flow->start(1); }
void KwCalibrator::slotRangeCh2() { m_flow->start(2); }
void KwCalibrator::slotRangeCh3() { m_flow->start(3); }
void KwCalibrator::slotRangeCh4() { m_flow->start(4); }
