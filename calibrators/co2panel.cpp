#include "co2panel.h"

#include <QButtonGroup>
#include <QDebug>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "resizelabel.h"

namespace {

const char* const kLastCalibration = QT_TRANSLATE_NOOP("CalibratorPanel", "Last Calibration Time");
constexpr int kPercentId = 400;

const QString kDegree = QString(QChar(0x00B0));

// A row below whose gate the REFRESH ends instead of skipping it.
SequenceRow ending(SequenceRow row)
{
    row.endBelowGate = true;
    return row;
}

} // namespace

PanelDescription Co2Panel::co2Description(const char* parsingTempDebug)
{
    return {END_SEQ, ERROR_SEQ,
            "ATCOFF1\r\n", OFFSET1_SEQ,
            {"ATCOFF", "ATCCAL", "ATCCU", "ATCDGFIL", "ATCSPAN", "ATCSINFO", "ATCCH1WIN", "ATCEXTM", "ATCUSED", "ATCBLDTM"},
            {"ATCOFF", "ATCCAL", "ATCCU", "ATCDGFIL", "ATCSPAN", "ATCSINFO", "ATCCH1WIN", "ATCEXTM"},
            {"ATCD"},
            {},
            true, parsingTempDebug, PanelDescription::Celsius,
            EXTM_SEQ, kLastCalibration,
            nullptr, nullptr};
}

Co2Panel::Co2Panel(PanelDescription const& desc, Co2Policy const& policy, unsigned version,
                   QString const& serial, QWidget* parent)
    : AirPanel(desc, version, serial, parent)
    , m_policy(policy)
{
}

Co2Panel::~Co2Panel() = default;

void Co2Panel::attachCo2Form(Co2Form const& form, QString const& model, QString const& serial)
{
    m_co2 = form;
    form.groupBox_sensitivity_ch1->hide();
    buildSequences();
    attachAirForm(form.air, model, serial);

    attachTempRadios(form.radioButton_celsius, form.radioButton_fahrenheit);
    m_unitGroup = radioGroup({form.radioButton_percent_ch1, form.radioButton_ppm_ch1}, kPercentId,
                             SLOT(slotCo2UnitApply(int)));
    connect(form.doubleSpinBox_offset_ch1, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)));
    connect(form.doubleSpinBox_offset_ch2, SIGNAL(valueChanged(double)), this, SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)));
    connect(form.toolButton_offset_apply_ch1, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch1()));
    connect(form.toolButton_offset_apply_ch2, SIGNAL(pressed()), this, SLOT(slotOffsetApply_ch2()));
    connect(form.toolButton_co2cal_apply, SIGNAL(pressed()), this, SLOT(slotCo2CalApply()));
    connect(form.spinBox_filter, SIGNAL(valueChanged(int)), this, SLOT(slotSpinBox_filterChanged(int)));
    connect(form.toolButton_filter_apply, SIGNAL(pressed()), this, SLOT(slotFilterApply()));
    connect(form.spinBox_barometer, SIGNAL(valueChanged(int)), this, SLOT(slotSpinBox_barometerChanged(int)));
    connect(form.toolButton_barometer_apply, SIGNAL(pressed()), this, SLOT(slotBarometerApply()));
    connect(form.spinBox_sensitivity_ch1, SIGNAL(valueChanged(int)), this, SLOT(slotSpinBox_sensitivityChanged_ch1(int)));
    connect(form.toolButton_sensitivity_apply_ch1, SIGNAL(pressed()), this, SLOT(slotSensitivityApply_ch1()));
    connect(form.toolButton_exec_datetime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    connect(form.pushButton_refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));

    setSensorMode();
    writeRefresh();
}

void Co2Panel::buildSequences()
{
    Co2Form const& f = m_co2;
    const RowStore unit = [this](int, QString const& value) { return takeUnit(value); };
    const QVector<SequenceRow> common = {
        offsetRow(OFFSET1_SEQ, 1, f.doubleSpinBox_offset_ch1),
        offsetRow(OFFSET2_SEQ, 2, f.doubleSpinBox_offset_ch2),
        doubleRow(CO2CAL_SEQ, "ATCCAL", f.doubleSpinBox_co2cal),
        ending(plainRow(UNIT_SEQ, "ATCCU", unit, m_policy.unitFrom)),
        ending(intRow(FILTER_SEQ, "ATCDGFIL", f.spinBox_filter, m_policy.settingsFrom)),
        intRow(BAROMETER_SEQ, "ATCSPAN", f.spinBox_barometer, m_policy.settingsFrom),
    };
    // Read in this order; the sensitivity (step 11) comes last.
    QVector<SequenceRow> refresh = common;
    refresh << textRow(SINFO_SEQ, "ATCSINFO", f.label_versioninfo, m_policy.settingsFrom)
            << timeRow(EXTM_SEQ, "ATCEXTM", f.dateTimeEdit_exec_datetime, m_policy.settingsFrom)
            << ending(usedRow(USED_SEQ, f.spinBox_usedtime, m_policy.usedFrom))
            << timeRow(BUILD_SEQ, "ATCBLDTM", f.dateTimeEdit_build_time, m_policy.usedFrom)
            << ending(intRow(SENSITIVITY_SEQ, "ATCCH1WIN", f.spinBox_sensitivity_ch1, m_policy.sensitivityFrom));
    QVector<SequenceRow> apply = common;
    apply << intRow(SENSITIVITY_SEQ, "ATCCH1WIN", f.spinBox_sensitivity_ch1);
    setSequences(refresh, apply);
}

bool Co2Panel::takeUnit(QString const& code)
{
    const int n = code.toInt();
    m_co2ppm = m_version >= m_policy.zeroPercentFrom ? n != 0 : n == 2;
    setSensorMode();
    return true;
}

void Co2Panel::controlEnable(bool on)
{
    m_co2.groupBox_last_calib_timestamp->setEnabled(on);
    m_co2.groupBox_build_time->setEnabled(on);
    m_co2.groupBox_usedtime->setEnabled(on);
    m_co2.groupBox_ch1->setEnabled(on);
    m_co2.groupBox_ch2->setEnabled(on);
}

void Co2Panel::clearAll()
{
    Co2Form const& f = m_co2;
    m_mode = DEFAULT;
    m_seq = 0;
    f.dateTimeEdit_build_time->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    f.dateTimeEdit_exec_datetime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    f.spinBox_usedtime->setValue(0);
    m_celsius = true;
    f.radioButton_celsius->setChecked(true);
    m_co2ppm = false;
    f.radioButton_percent_ch1->setChecked(true);
    for (int i = 0; i < kChannels; ++i) {
        f.air.lcd[i]->display(QString());
        f.air.unit[i]->setText(QString());
    }
    f.doubleSpinBox_co2cal->setValue(0);
    f.spinBox_barometer->setValue(1013);
    f.spinBox_filter->setValue(0);
    f.label_versioninfo->setText(QString());
    for (QDoubleSpinBox* box : {f.doubleSpinBox_offset_ch1, f.doubleSpinBox_offset_ch2}) {
        box->setValue(0);
        box->setSuffix(QString());
    }
    f.spinBox_sensitivity_ch1->setValue(1);
    for (QWidget* box : std::initializer_list<QWidget*>{f.doubleSpinBox_co2cal, f.spinBox_barometer, f.spinBox_filter,
                                                        f.doubleSpinBox_offset_ch1, f.doubleSpinBox_offset_ch2,
                                                        f.spinBox_sensitivity_ch1})
        box->setStyleSheet(QString());
}

void Co2Panel::setSensorMode()
{
    Co2Form const& f = m_co2;
    if (m_co2ppm) {
        setUnit(1, "ppm");
        f.doubleSpinBox_offset_ch1->setSuffix(" ppm");
        f.radioButton_ppm_ch1->setChecked(true);
    } else {
        setUnit(1, "%");
        f.doubleSpinBox_offset_ch1->setSuffix(m_version >= m_policy.percentSuffixFrom ? " %" : " ppm");
        f.radioButton_percent_ch1->setChecked(true);
    }
    if (m_policy.selectsTempRadio)
        showTempUnit();
    setUnit(2, kDegree + (m_celsius ? "C" : "F"));
    // The offset is entered in degrees Celsius whatever the output unit.
    f.doubleSpinBox_offset_ch2->setSuffix(" " + kDegree + "C");

    const bool settings = m_version >= m_policy.settingsFrom;
    const bool used = m_version >= m_policy.usedFrom;
    f.groupBox_tempoutput->show();
    f.groupBox_co2cal->show();
    for (QGroupBox* box : {f.groupBox_unit_ch1, f.groupBox_filter, f.groupBox_barometer, f.groupBox_versioninfo,
                           f.groupBox_last_calib_timestamp})
        box->setVisible(settings);
    f.groupBox_usedtime->setVisible(settings && used);
    f.groupBox_build_time->setVisible(settings && used);
    f.groupBox_sensitivity_ch1->setVisible(settings && used && m_version >= m_policy.sensitivityFrom);
}

void Co2Panel::parsingDefault(QString line)
{
    // A late filter echo carries "ATCD" too; it is no poll reply.
    if (line.contains("ATCDGFIL"))
        return;
    AirPanel::parsingDefault(line);
}

void Co2Panel::slotCo2UnitApply(int id)
{
    applyChoice(UnitChoice, UNIT_SEQ, "ATCCU", id - kPercentId);
}

void Co2Panel::slotDoubleSpinBox_offsetChanged_ch1(double value)
{
    Q_UNUSED(value)
}

void Co2Panel::slotDoubleSpinBox_offsetChanged_ch2(double value)
{
    Q_UNUSED(value)
}

void Co2Panel::slotOffsetApply_ch1()
{
    writeDelay(APPLY, OFFSET1_SEQ, "ATCOFF1 " + f2(m_co2.doubleSpinBox_offset_ch1->value()) + "\r\n");
}

void Co2Panel::slotOffsetApply_ch2()
{
    writeDelay(APPLY, OFFSET2_SEQ, "ATCOFF2 " + f2(m_co2.doubleSpinBox_offset_ch2->value()) + "\r\n");
}

void Co2Panel::slotSpinBox_filterChanged(int value)
{
    Q_UNUSED(value)
}

void Co2Panel::slotFilterApply()
{
    writeDelay(APPLY, FILTER_SEQ, "ATCDGFIL " + QString::number(m_co2.spinBox_filter->value()) + "\r\n");
}

void Co2Panel::slotSpinBox_barometerChanged(int value)
{
    Q_UNUSED(value)
}

void Co2Panel::slotBarometerApply()
{
    writeDelay(APPLY, BAROMETER_SEQ, "ATCSPAN " + QString::number(m_co2.spinBox_barometer->value()) + "\r\n");
}

void Co2Panel::slotCo2CalApply()
{
    writeDelay(APPLY, CO2CAL_SEQ, "ATCCAL " + f2(m_co2.doubleSpinBox_co2cal->value()) + "\r\n");
}

void Co2Panel::slotSpinBox_sensitivityChanged_ch1(int value)
{
    Q_UNUSED(value)
}

void Co2Panel::slotSensitivityApply_ch1()
{
    writeDelay(APPLY, SENSITIVITY_SEQ, "ATCCH1WIN " + QString::number(m_co2.spinBox_sensitivity_ch1->value()) + "\r\n");
}
