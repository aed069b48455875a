#include "fourchannelpanel.h"

#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "chartview.h"
#include "globals.h"
#include "rangewizardflow.h"
#include "resizelabel.h"

FourChannelPanel::FourChannelPanel(PanelDescription const& desc, FourChannelProfile profile,
                                   unsigned version, QString const& serial, QWidget* parent)
    : CalibratorPanel(desc, version, serial, parent)
    , m_profile(std::move(profile))
{
}

FourChannelPanel::~FourChannelPanel() = default;

int FourChannelPanel::channelLimit()
{
    return qBound(0, ChannelCount, int(Channels));
}

void FourChannelPanel::bindForm(FourChannelWidgets const& widgets)
{
    m_w = widgets;
    attachForm(m_w.frame, m_w.ledLayout);
    for (int i = 0; i < Channels; ++i)
        m_chart[i] = new ChartView(m_w.chartHost[i], i + 1, this);
    for (QComboBox* combo : m_w.sensorType) {
        for (auto const& item : m_profile.typeItems)
            combo->addItem(item.first, item.second);
        combo->setStyleSheet(MatchStyle);
    }
    m_w.model->setText(QString());
    m_w.serial->setText(QString());
    for (ChartView* chart : m_chart)
        chart->clear();
}

void FourChannelPanel::showIdentity(QString const& model)
{
    m_w.model->setText(model);
    m_w.serial->setText(m_serial);
    m_lastWrite = QDateTime::currentDateTime();

    static const char* const typeChanged[Channels] = {
        SLOT(slotSensorTypeChangedCh1(int)), SLOT(slotSensorTypeChangedCh2(int)),
        SLOT(slotSensorTypeChangedCh3(int)), SLOT(slotSensorTypeChangedCh4(int))};
    static const char* const typeApply[Channels] = {
        SLOT(slotSensorTypeApplyCh1()), SLOT(slotSensorTypeApplyCh2()),
        SLOT(slotSensorTypeApplyCh3()), SLOT(slotSensorTypeApplyCh4())};
    static const char* const offsetChanged[Channels] = {
        SLOT(slotDoubleSpinBox_offsetChanged_ch1(double)), SLOT(slotDoubleSpinBox_offsetChanged_ch2(double)),
        SLOT(slotDoubleSpinBox_offsetChanged_ch3(double)), SLOT(slotDoubleSpinBox_offsetChanged_ch4(double))};
    static const char* const offsetApply[Channels] = {
        SLOT(slotOffsetApply_ch1()), SLOT(slotOffsetApply_ch2()),
        SLOT(slotOffsetApply_ch3()), SLOT(slotOffsetApply_ch4())};
    if (m_pwdDlg)
        connect(m_w.execDateTime, SIGNAL(pressed()), this, SLOT(slotExecDateTime()));
    for (int i = 0; i < Channels; ++i) {
        connect(m_w.sensorType[i], SIGNAL(currentIndexChanged(int)), this, typeChanged[i]);
        connect(m_w.sensorTypeApply[i], SIGNAL(pressed()), this, typeApply[i]);
        connect(m_w.offset[i], SIGNAL(valueChanged(double)), this, offsetChanged[i]);
        connect(m_w.offsetApply[i], SIGNAL(pressed()), this, offsetApply[i]);
    }
    connect(m_w.factoryReset, SIGNAL(clicked()), this, SLOT(slotFactoryReset()));
    connect(m_w.refresh, SIGNAL(clicked()), this, SLOT(writeRefresh()));
}

void FourChannelPanel::releaseForm()
{
    m_w.model->setText(QString());
    m_w.serial->setText(QString());
    for (ChartView* chart : m_chart)
        if (chart)
            chart->clear();
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
}

// ---- state onto the form --------------------------------------------------

int FourChannelPanel::sensorType(int channel) const
{
    return channel >= 1 && channel <= Channels ? m_sensorType[channel - 1] : -1;
}

int FourChannelPanel::noneIndex(int channel) const
{
    return qMax(0, m_w.sensorType[channel - 1]->findData(-1));
}

void FourChannelPanel::clearChannels()
{
    m_w.buildTime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    m_w.execTime->setDateTime(QDateTime::fromSecsSinceEpoch(0));
    for (int ch = 1; ch <= channelLimit(); ++ch) {
        const int i = ch - 1;
        m_w.sensorType[i]->setCurrentIndex(noneIndex(ch));
        m_w.sensorType[i]->setStyleSheet(QString());
        m_sensorType[i] = -1;
        m_w.lcd[i]->display(QString());
        m_w.unit[i]->setText(QString());
        for (QDoubleSpinBox* box : {m_w.offset[i], m_w.rangeMin[i], m_w.rangeMax[i],
                                    m_w.correctionMin[i], m_w.correctionMax[i]}) {
            box->setValue(0.0);
            box->setSuffix(QString());
            box->setStyleSheet(QString());
        }
    }
}

void FourChannelPanel::setValueSuffix(QString const& suffix)
{
    for (int i = 0; i < channelLimit(); ++i)
        for (QDoubleSpinBox* box : {m_w.offset[i], m_w.rangeMin[i], m_w.rangeMax[i],
                                    m_w.correctionMin[i], m_w.correctionMax[i]})
            box->setSuffix(suffix);
}

void FourChannelPanel::controlEnable(bool on)
{
    m_w.buildTimeGroup->setEnabled(on);
    m_w.lastCalibGroup->setEnabled(on);
    for (QWidget* group : m_lockGroups)
        group->setEnabled(on);
    m_w.factoryResetGroup->setEnabled(on);
    for (QGroupBox* group : m_w.channelGroup)
        group->setEnabled(on);
}

// ---- live readings ----------------------------------------------------------

void FourChannelPanel::parsingDefault(QString line)
{
    const QStringList fields = liveFields(line, "ATCQ", Channels);
    setDeviceValue(fields.at(0), fields.at(1), fields.at(2), fields.at(3));
}

void FourChannelPanel::setDeviceValue(QString ch1, QString ch2, QString ch3, QString ch4)
{
    showLive({ch1, ch2, ch3, ch4}, m_w.lcd, m_chart, Channels);
}

double FourChannelPanel::getCurrentValue(int channel)
{
    return lcdValue(m_w.lcd, Channels, channel);
}

// ---- per-channel rows ---------------------------------------------------------

bool FourChannelPanel::storeType(int channel, QString const& value)
{
    const int i = channel - 1;
    QComboBox* combo = m_w.sensorType[i];
    // A type the combo does not list (or -1) selects "NONE".
    const int t = value.toInt();
    int index = t < 0 ? -1 : combo->findData(t);
    if (index < 0)
        index = noneIndex(channel);
    combo->setCurrentIndex(index);
    m_sensorType[i] = combo->itemData(index).toInt();
    combo->setStyleSheet(MatchStyle);
    return true;
}

QVector<SequenceRow> FourChannelPanel::channelRows() const
{
    auto* self = const_cast<FourChannelPanel*>(this);
    QVector<SequenceRow> rows;
    rows << channelRow(m_profile.typeStep, m_profile.typeKeyword,
                       [self](int channel, QString const& value) { return self->storeType(channel, value); });
    rows << offsetRow(m_profile.offsetStep, m_w.offset);
    const RangeSteps steps{m_profile.loStep, m_profile.hiStep, m_profile.cloStep, m_profile.chiStep,
                           m_profile.offsetStep};
    const RangeBoxes boxes{m_w.rangeMin, m_w.rangeMax, m_w.correctionMin, m_w.correctionMax};
    rows << RangeWizardFlow::rangeRows(steps, boxes, [self](unsigned step, int channel, double value) {
        if (self->m_rangeFlow)
            self->m_rangeFlow->echoed(step, channel, value);
    });
    return rows;
}

// ---- echoes ---------------------------------------------------------------------

bool FourChannelPanel::parsingResetOrDate(QString const& line)
{
    if (m_seq == 4) {
        if (line.contains("ATCFTRST"))
            parsingFactoryReset(valueAfter(line, "ATCFTRST"));
        else
            m_seq = m_desc.errorSeq;
        return true;
    }
    if (m_seq == m_desc.dateTimeStep) {
        parsingDateTime(line);
        return true;
    }
    return false;
}

// ---- writes -------------------------------------------------------------------

void FourChannelPanel::applySensorType(int channel)
{
    const int t = m_w.sensorType[channel - 1]->currentData().toInt();
    writeDelay(APPLY, m_profile.typeStep,
               m_profile.typeKeyword + QString::number(channel) + " " + QString::number(t) + "\r\n", channel);
}

void FourChannelPanel::applyOffset(int channel)
{
    writeDelay(APPLY, m_profile.offsetStep,
               "ATCOFF" + QString::number(channel) + " " + f2(m_w.offset[channel - 1]->value()) + "\r\n",
               channel);
}

void FourChannelPanel::sensorTypeChanged(int channel, int index)
{
    QComboBox* combo = m_w.sensorType[channel - 1];
    const bool match = combo->itemData(index).toInt() == m_sensorType[channel - 1];
    combo->setStyleSheet(match ? MatchStyle : ChangedStyle);
}

void FourChannelPanel::slotSensorTypeChangedCh1(int index) { sensorTypeChanged(1, index); }
void FourChannelPanel::slotSensorTypeChangedCh2(int index) { sensorTypeChanged(2, index); }
void FourChannelPanel::slotSensorTypeChangedCh3(int index) { sensorTypeChanged(3, index); }
void FourChannelPanel::slotSensorTypeChangedCh4(int index) { sensorTypeChanged(4, index); }
void FourChannelPanel::slotSensorTypeApplyCh1() { applySensorType(1); }
void FourChannelPanel::slotSensorTypeApplyCh2() { applySensorType(2); }
void FourChannelPanel::slotSensorTypeApplyCh3() { applySensorType(3); }
void FourChannelPanel::slotSensorTypeApplyCh4() { applySensorType(4); }
void FourChannelPanel::slotDoubleSpinBox_offsetChanged_ch1(double) {}
void FourChannelPanel::slotDoubleSpinBox_offsetChanged_ch2(double) {}
void FourChannelPanel::slotDoubleSpinBox_offsetChanged_ch3(double) {}
void FourChannelPanel::slotDoubleSpinBox_offsetChanged_ch4(double) {}
void FourChannelPanel::slotOffsetApply_ch1() { applyOffset(1); }
void FourChannelPanel::slotOffsetApply_ch2() { applyOffset(2); }
void FourChannelPanel::slotOffsetApply_ch3() { applyOffset(3); }
void FourChannelPanel::slotOffsetApply_ch4() { applyOffset(4); }
