#include "echempanel.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDateTimeEdit>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtMath>

#include "calibwizard.h"
#include "channelsequence.h"
#include "chartview.h"
#include "zqchart.h"
#include "resizelabel.h"
#include "wizardchain.h"

namespace {

// Texts of these panels, shown in the panel's context or else the engine's.
const char* const kParamsQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Do you want to change the parameters?");
const char* const kParamsTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "Calibration parameters");
const char* const kSensorTypeChange = QT_TRANSLATE_NOOP("CalibratorPanel", "change the sensor type to the Mode ");
const char* const kTempCompChange = QT_TRANSLATE_NOOP("CalibratorPanel", "change the sensor to temperature compensation mode ");
// The title of the last-calibration-time question (the description's).
const char* const kDateTimeTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "Last Calibration Time");

// Radio ids: 200 + filter, 300 µV / 301 ppm, 400 + compensation.
constexpr int kSensorTypeId = 200;
constexpr int kMicroVoltId = 300;
constexpr int kPpmId = 301;
constexpr int kTempCompId = 400;
constexpr int kChannels = 2;
constexpr int kLiveFields = 6;
constexpr int kWizardChain = 1;

const QString kDegree = QString(QChar(0x00B0));

// Checks the radio of value 0 or 1; any other value leaves both unchecked.
void checkSwitch(QAbstractButton* off, QAbstractButton* on, int value)
{
    if (value == 0 || value == 1) {
        (value ? on : off)->setChecked(true);
        return;
    }
    QButtonGroup* group = off->group();
    if (group)
        group->setExclusive(false);
    off->setChecked(false);
    on->setChecked(false);
    if (group)
        group->setExclusive(true);
}

void clearBox(QDoubleSpinBox* box)
{
    if (!box)
        return;
    box->setValue(0);
    box->setStyleSheet(QString());
}

} // namespace

PanelDescription echemDescription(const char* parsingTempDebug)
{
    return {
        ECHEM_END, ECHEM_ERROR,
        "ATCMODE\r\n", ECHEM_MODE,
        {"ATCMODE", "ATCOFF", "ATCDRFT", "ATCCZR", "ATCCSP", "ATCTCMP", "ATCWIN", "ATCEXTM", "ATCUSED", "ATCBLDTM"},
        {"ATCMODE", "ATCOFF", "ATCCAL", "ATCDRFT", "ATCTCMP", "ATCWIN", "ATCCZR", "ATCCSP", "ATCEXTM"},
        {"ATCH"},
        {"ATCMODE"},
        true, parsingTempDebug, PanelDescription::Celsius,
        ECHEM_EXTM, kDateTimeTitle,
        nullptr, nullptr,
    };
}

EchemPanel::EchemPanel(PanelDescription const& desc, const char* name, unsigned version,
                       QString const& serial, QWidget* parent)
    : CalibratorPanel(desc, version, serial, parent)
    , m_name(name)
{
}

void EchemPanel::init(EchemForm const& form, QString const& model)
{
    m_form = form;
    EchemForm const& f = m_form;
    attachForm(f.frame, f.horizontalLayout_led);
    m_chart[0] = new ChartView(f.label_chart_ch1, 1, this);
    m_chart[1] = new ChartView(f.label_chart_ch2, 2, this);
    m_lcd[0] = f.lcdNumber_ch1;
    m_lcd[1] = f.lcdNumber_ch2;

    f.label_model->setText(QString());
    f.label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    f.label_model->setText(model);
    f.label_serial->setText(m_serial);
    m_lastWrite = QDateTime::currentDateTime();

    attachTempRadios(f.radioButton_celsius, f.radioButton_fahrenheit);
    m_sensorTypeGroup = new QButtonGroup(this);
    m_sensorTypeGroup->addButton(f.radioButton_rawgas, kSensorTypeId);
    m_sensorTypeGroup->addButton(f.radioButton_filtergas, kSensorTypeId + 1);
    connect(m_sensorTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotSensorTypeChanged(int)));
    f.radioButton_ppm->setChecked(true);
    m_outputGroup = new QButtonGroup(this);
    m_outputGroup->addButton(f.radioButton_microvolt, kMicroVoltId);
    m_outputGroup->addButton(f.radioButton_ppm, kPpmId);
    connect(m_outputGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotMicroVoltageShow(int)));
    m_tempCompGroup = new QButtonGroup(this);
    m_tempCompGroup->addButton(f.radioButton_tempcompensate_off, kTempCompId);
    m_tempCompGroup->addButton(f.radioButton_tempcompensate_on, kTempCompId + 1);
    connect(m_tempCompGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotTempCompensateOn(int)));

    connect(f.toolButton_offset_apply_ch1, &QToolButton::pressed, this, &EchemPanel::slotOffsetApply_ch1);
    connect(f.toolButton_offset_apply_ch2, &QToolButton::pressed, this, &EchemPanel::slotOffsetApply_ch2);
    connect(f.toolButton_zerocal_apply, &QToolButton::pressed, this, &EchemPanel::slotZeroCalApply);
    connect(f.toolButton_spancal_apply, &QToolButton::pressed, this, &EchemPanel::slotSpanCalApply);
    connect(f.pushButton_mannual, &QPushButton::pressed, this, &EchemPanel::slotMannualSetting);
    connect(f.toolButton_sensitivity_apply, &QToolButton::pressed, this, &EchemPanel::slotSensitivityApply);
    connect(f.toolButton_exec_datetime, &QToolButton::pressed, this, &EchemPanel::slotExecDateTime);
    connect(f.pushButton_refresh, &QPushButton::clicked, this, &EchemPanel::writeRefresh);

    const unsigned later = laterStepsFrom();
    if (m_version < later) {
        f.groupBox_build_time->hide();
        f.groupBox_tempcompensate->hide();
        f.groupBox_sensitivity->hide();
    }

    auto sensorType = [this](const char* parser) {
        return [this, parser](int, QString const& v) { return takeSwitch(v, &m_sensorType, "sensorType", parser); };
    };
    auto tempComp = [this](const char* parser) {
        return [this, parser](int, QString const& v) {
            return takeSwitch(v, &m_tempCompensate, "tempCompensate", parser);
        };
    };
    auto record = [this](bool apply) {
        return [this, apply](int, QString const& v) { return takeRecord(v.split(','), apply); };
    };

    m_refresh = new ChannelSequence(this, kChannels, {
        plainRow(ECHEM_MODE, "ATCMODE", sensorType("parsingSequence")),
        offsetRow(ECHEM_OFF1, 1, f.doubleSpinBox_offset_ch1),
        offsetRow(ECHEM_OFF2, 2, f.doubleSpinBox_offset_ch2),
        plainRow(ECHEM_CSP, "ATCCSP", record(false)),
        timeRow(ECHEM_EXTM, "ATCEXTM", f.dateTimeEdit_exec_datetime),
        usedRow(ECHEM_USED, f.spinBox_usedtime),
        plainRow(ECHEM_TCMP, "ATCTCMP", tempComp("parsingSequence"), later),
        intRow(ECHEM_WIN, "ATCWIN", f.spinBox_sensitivity, later),
        timeRow(ECHEM_BLDTM, "ATCBLDTM", f.dateTimeEdit_build_time, later),
    });

    // The echoes of "ATCCAL", "ATCCZR", "ATCEXTM" and (by model) "ATCCSP" start a
    // REFRESH instead of ending the APPLY.
    SequenceRow cal = plainRow(ECHEM_CAL, "ATCCAL", [this](int, QString const& v) {
        if (v.split(',').size() < calibrationEchoFields())
            return false;
        scheduleRefresh();
        return true;
    });
    cal.endsApply = false;
    SequenceRow zero = plainRow(ECHEM_CZR, "ATCCZR", [this](int, QString const& v) {
        zeroEcho(v);
        return true;
    });
    zero.endsApply = false;
    SequenceRow span = plainRow(ECHEM_CSP, "ATCCSP", record(true));
    span.endsApply = spanEchoEnds();
    SequenceRow time = plainRow(ECHEM_EXTM, "ATCEXTM", [this](int, QString const&) {
        scheduleRefresh();
        return true;
    });
    time.endsApply = false;
    m_apply = new ChannelSequence(this, kChannels, {
        offsetRow(ECHEM_OFF1, 1, f.doubleSpinBox_offset_ch1),
        offsetRow(ECHEM_OFF2, 2, f.doubleSpinBox_offset_ch2),
        cal,
        zero,
        span,
        plainRow(ECHEM_TCMP, "ATCTCMP", tempComp("parsingApply")),
        intRow(ECHEM_WIN, "ATCWIN", f.spinBox_sensitivity),
        time,
    });

    // One page, one write. Only Finish writes; Escape and the title-bar close take the
    // wizard down without a write, even while its write is outstanding. An APPLY that
    // fails closes the wizard, and a REFRESH shows what the instrument holds.
    m_chain = new WizardChain(this);
    m_chain->setFinish([this] { writeCalibration(); });
    m_chain->setCloseWhileBusy(true);
    m_apply->setChain(m_chain);

    setSensorMode();
    writeRefresh();
}

EchemPanel::~EchemPanel()
{
    m_form.label_model->setText(QString());
    m_form.label_serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
    clearAll();
    // Before the base destructors: its destruction reaches this panel's slot.
    delete m_wizard;
    m_wizard = nullptr;
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
    delete m_refresh;
    delete m_apply;
    qDebug().noquote() << QString("~%1()").arg(m_name);
}

void EchemPanel::controlEnable(bool on)
{
    for (QWidget* w : {static_cast<QWidget*>(m_form.groupBox_sensortype), static_cast<QWidget*>(m_form.groupBox_tempcompensate),
                       static_cast<QWidget*>(m_form.groupBox_last_calib_timestamp),
                       static_cast<QWidget*>(m_form.groupBox_build_time), static_cast<QWidget*>(m_form.groupBox_usedtime),
                       static_cast<QWidget*>(m_form.groupBox_driftadj), static_cast<QWidget*>(m_form.groupBox_ch1),
                       static_cast<QWidget*>(m_form.groupBox_ch2), static_cast<QWidget*>(m_form.pushButton_mannual)})
        w->setEnabled(on);
}

void EchemPanel::clearAll()
{
    wizardClose();
    m_mode = DEFAULT;
    m_seq = 0;
    EchemForm const& f = m_form;
    f.dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    f.dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    f.spinBox_usedtime->setValue(0);
    f.radioButton_ppm->setChecked(true);
    m_celsius = true;
    f.radioButton_celsius->setChecked(true);
    m_microVolt = false;
    m_sensorType = 0;
    f.radioButton_rawgas->setChecked(true);
    m_tempCompensate = 0;
    f.radioButton_tempcompensate_off->setChecked(true);
    for (QLCDNumber* lcd : m_lcd)
        lcd->display(QString());
    f.label_unit_ch1->setText(QString());
    f.label_unit_ch2->setText(QString());
    for (QDoubleSpinBox* box : {f.doubleSpinBox_drift, f.doubleSpinBox_offset_ch1, f.doubleSpinBox_offset_ch2,
                                f.doubleSpinBox_temperature, f.doubleSpinBox_zerocal, f.doubleSpinBox_spancal,
                                f.doubleSpinBox_spancal_ppm, f.doubleSpinBox_slope})
        clearBox(box);
    for (QDoubleSpinBox* box : {f.doubleSpinBox_offset_ch1, f.doubleSpinBox_offset_ch2, f.doubleSpinBox_temperature})
        box->setSuffix(QString());
    f.spinBox_sensitivity->setValue(1);
    f.spinBox_sensitivity->setStyleSheet(QString());
}

void EchemPanel::setSensorMode()
{
    EchemForm const& f = m_form;
    const QString unit = kDegree + (m_celsius ? "C" : "F");
    showTempUnit();
    f.radioButton_celsius->setText(kDegree + "C");
    f.radioButton_fahrenheit->setText(kDegree + "F");
    f.label_unit_ch1->setText(m_microVolt ? "uV" : "ppm");
    f.label_unit_ch1->resizeFont();
    // The offset is entered in ppm whatever the display.
    f.doubleSpinBox_offset_ch1->setSuffix(" ppm");
    f.label_unit_ch2->setText(unit);
    f.label_unit_ch2->resizeFont();
    f.doubleSpinBox_offset_ch2->setSuffix(" " + unit);
    checkSwitch(f.radioButton_rawgas, f.radioButton_filtergas, m_sensorType);
    checkSwitch(f.radioButton_tempcompensate_off, f.radioButton_tempcompensate_on, m_tempCompensate);
}

void EchemPanel::onSequenceEnd(unsigned mode, bool success)
{
    Q_UNUSED(success)
    if (mode == REFRESH || mode == APPLY)
        wizardClose();
}

void EchemPanel::showHeldSettings()
{
    setSensorMode();
}

void EchemPanel::wizardClose()
{
    if (m_chain)
        m_chain->close();
}

bool EchemPanel::takeSwitch(QString const& value, int* target, const char* what, const char* parser)
{
    const int n = value.toInt(nullptr, 10);
    qDebug().noquote() << QString("%1::%2() %3 : %4").arg(m_name, parser, what).arg(n);
    if (unsigned(n) > 1)
        return false;
    *target = n;
    setSensorMode();
    return true;
}

// ---- replies ----------------------------------------------------------------

void EchemPanel::parsingSequence(QString line)
{
    debugParsing("parsingSequence", line);
    m_refresh->refresh(line);
}

void EchemPanel::parsingApply(QString line)
{
    debugParsing("parsingApply", line);
    m_apply->apply(line);
}

void EchemPanel::parsingSensorType(QString line)
{
    if (m_seq != ECHEM_MODE || !line.contains("ATCMODE")) {
        m_seq = ECHEM_ERROR;
        return;
    }
    const int n = valueAfter(line, "ATCMODE").toInt(nullptr, 10);
    qDebug().noquote() << QString("%1::parsingSensorType() sensorType : %2").arg(m_name).arg(n);
    if (unsigned(n) > 1) {
        m_seq = ECHEM_ERROR;
        return;
    }
    m_sensorType = n;
    m_seq = ECHEM_END;
}

void EchemPanel::parsingDefault(QString line)
{
    line.remove("ATCH");
    setDeviceValue(line.split(','));
}

bool EchemPanel::liveNumber(QString const& text, double* value)
{
    *value = liveValue(text);
    return *value != NoValue;
}

void EchemPanel::setDeviceValue(QStringList const& fields)
{
    if (fields.size() < kLiveFields)
        return;
    showLive({fields.at(m_microVolt ? 0 : 1), fields.at(2)}, m_lcd, m_chart, kChannels);
    // A drift input that is no number leaves the box as it was.
    double a = 0;
    double b = 0;
    if (liveNumber(fields.at(3), &a) && liveNumber(fields.at(5), &b)) {
        const double drift = (a - b) / 1000.0;
        if (qIsFinite(drift)) {
            m_form.doubleSpinBox_drift->setPrefix(drift > 0 ? "+" : "");
            m_form.doubleSpinBox_drift->setValue(drift);
        }
    }
    liveExtras(fields);
}

// ---- writes -------------------------------------------------------------------

void EchemPanel::slotSensorTypeChanged(int id)
{
    if (m_mode != DEFAULT)
        return;
    const QString n = QString::number(id - kSensorTypeId);
    status(trPanel(kSensorTypeChange) + n + "...");
    writeDelay(SENSORTYPE, ECHEM_MODE, "ATCMODE " + n + "\r\n");
}

void EchemPanel::slotMicroVoltageShow(int id)
{
    m_microVolt = id == kMicroVoltId;
    setSensorMode();
    // Never µV and ppm on one chart.
    for (ChartView* chart : m_chart)
        chart->clear();
}

void EchemPanel::slotTempCompensateOn(int id)
{
    if (m_mode != DEFAULT)
        return;
    const QString n = QString::number(id - kTempCompId);
    status(trPanel(kTempCompChange) + n + "...");
    writeDelay(APPLY, ECHEM_TCMP, "ATCTCMP " + n + "\r\n");
}

void EchemPanel::slotZeroCalApply()
{
    if (m_mode != DEFAULT)
        return;
    writeDelay(APPLY, ECHEM_CZR, "ATCCZR\r\n");
}

void EchemPanel::slotSpanCalApply()
{
    if (m_mode != DEFAULT)
        return;
    writeDelay(APPLY, ECHEM_CSP, spanCommand());
}

void EchemPanel::slotSensitivityApply()
{
    writeDelay(APPLY, ECHEM_WIN, "ATCWIN " + QString::number(m_form.spinBox_sensitivity->value()) + "\r\n");
}

void EchemPanel::slotOffsetApply_ch1()
{
    writeDelay(APPLY, ECHEM_OFF1, "ATCOFF1 " + f2(m_form.doubleSpinBox_offset_ch1->value()) + "\r\n");
}

void EchemPanel::slotOffsetApply_ch2()
{
    writeDelay(APPLY, ECHEM_OFF2, "ATCOFF2 " + f2(m_form.doubleSpinBox_offset_ch2->value()) + "\r\n");
}

// ---- calibration wizard ---------------------------------------------------------

void EchemPanel::slotMannualSetting()
{
    bool yes = false;
    if (!questionBox("Calibration", trPanel(kParamsQuestion), &yes) || !yes)
        return;
    auto* wizard = new CalibWizard(this);
    wizard->setWizardStyle(QWizard::MacStyle);
    wizard->setModal(true);
    QWizardPage* page = makeWizardPage(wizard);
    page->setTitle(trPanel(kParamsTitle));
    wizard->setPage(1, page);
    m_wizard = wizard;
    connect(wizard, &QObject::destroyed, this, &EchemPanel::slotMannualWizardDestroyed);
    m_chain->open(wizard, 0);
    wizard->show();
}

void EchemPanel::writeCalibration()
{
    CalibWizard* wizard = m_chain->wizard();
    QPointer<QWizardPage> page = wizard ? wizard->page(1) : nullptr;
    if (!page)
        return;
    m_chain->run(kWizardChain, {{ECHEM_CAL, [this, page] { return calibrationCommand(page); }}});
}

void EchemPanel::slotMannualWizardDestroyed()
{
    // A wizard opened after this one was closed stays.
    if (sender() == m_wizard)
        m_wizard = nullptr;
}
