#include "temperaturechannels.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QSpinBox>

#include "calibratorpanel.h"
#include "chartview.h"
#include "globals.h"
#include "qchartviewerlabel.h"
#include "resizelabel.h"
#include "wizardchain.h"

namespace {

const QString kDegree = QString(QChar(0x00B0));

} // namespace

TemperatureChannels::TemperatureChannels(CalibratorPanel* panel, QVector<Widgets> const& widgets,
                                         Steps steps, QString const& modelName)
    : m_panel(panel)
    , m_w(widgets)
    , m_steps(steps)
{
    for (int i = 0; i < kChannels; ++i) {
        m_chart[i] = new ChartView(m_w[i].chartHost, i + 1, panel);
        m_lcd[i] = m_w[i].lcd;
        m_offsetBox[i] = m_w[i].offset;
        m_rangeMinBox[i] = m_w[i].rangeMin;
        m_rangeMaxBox[i] = m_w[i].rangeMax;
        m_corrMinBox[i] = m_w[i].corrMin;
        m_corrMaxBox[i] = m_w[i].corrMax;
    }
    RangeWizardFlow::Setup setup{
        modelName,
        {steps.rangeMin, steps.rangeMax, steps.corrMin, steps.corrMax, steps.offset},
        {m_rangeMinBox, m_rangeMaxBox, m_corrMinBox, m_corrMaxBox},
        kChannels,
        {},    // no sensor-type guard
        false, // an ERROR leaves the wizard open for Back and Next
    };
    m_wizard = new RangeWizardFlow(panel, setup);
    // Escape and the close button close it even while a write is outstanding (Finish
    // cannot be pressed then: the wizard is disabled).
    m_wizard->chain()->setCloseWhileBusy(true);
}

int TemperatureChannels::limit()
{
    return qBound(0, ChannelCount, kChannels);
}

void TemperatureChannels::connectChannel(int channel, QAbstractButton* wizard,
                                         QAbstractButton* offsetApply,
                                         QAbstractButton* sensitivityApply)
{
    QObject::connect(wizard, &QAbstractButton::clicked, m_wizard, [this, channel] { m_wizard->start(channel); });
    QObject::connect(offsetApply, &QAbstractButton::pressed, m_panel, [this, channel] { applyOffset(channel); });
    QObject::connect(sensitivityApply, &QAbstractButton::pressed, m_panel,
                     [this, channel] { applySensitivity(channel); });
}

void TemperatureChannels::clearCharts()
{
    for (ChartView* chart : m_chart)
        if (chart)
            chart->clear();
}

void TemperatureChannels::deleteCharts()
{
    for (ChartView*& chart : m_chart) {
        delete chart;
        chart = nullptr;
    }
}

void TemperatureChannels::clear()
{
    for (int i = 0; i < limit(); ++i) {
        Widgets const& w = m_w[i];
        w.lcd->display(QString());
        w.unit->setText(QString());
        for (QDoubleSpinBox* box : {w.offset, w.rangeMin, w.rangeMax, w.corrMin, w.corrMax}) {
            box->setValue(0);
            box->setSuffix(QString());
            box->setStyleSheet(QString());
        }
        w.sensitivity->setValue(1);
        w.sensitivity->setStyleSheet(QString());
    }
}

void TemperatureChannels::showUnit(bool celsius)
{
    const QString suffix = " " + kDegree + "C";
    for (int i = 0; i < limit(); ++i) {
        Widgets const& w = m_w[i];
        w.unit->setText(kDegree + (celsius ? "C" : "F"));
        w.unit->resizeFont();
        for (QDoubleSpinBox* box : {w.offset, w.rangeMin, w.rangeMax, w.corrMin, w.corrMax})
            box->setSuffix(suffix);
    }
}

void TemperatureChannels::applyOffset(int channel)
{
    const QString cmd = "ATCOFF" + QString::number(channel) + " " + f2(m_w[channel - 1].offset->value()) + "\r\n";
    m_panel->writeDelay(APPLY, m_steps.offset, cmd, channel);
}

void TemperatureChannels::applySensitivity(int channel)
{
    const QString cmd = "ATCCH" + QString::number(channel) + "WIN "
                        + QString::number(m_w[channel - 1].sensitivity->value()) + "\r\n";
    m_panel->writeDelay(APPLY, m_steps.sensitivity, cmd, channel);
}

void TemperatureChannels::showReadings(QString const& line)
{
    m_panel->showLive(CalibratorPanel::liveFields(line, "ATCD", kChannels), m_lcd, m_chart, kChannels);
}

double TemperatureChannels::currentValue(int channel) const
{
    return m_panel->lcdValue(m_lcd, kChannels, channel);
}

QVector<SequenceRow> TemperatureChannels::rows(unsigned sensitivityGate) const
{
    // An echo of a sensitivity the box cannot hold is none the panel wrote.
    RowStore sensitivity = [this](int channel, QString const& value) {
        QSpinBox* box = m_w[channel - 1].sensitivity;
        const int v = value.toInt();
        if (m_panel->mode() == APPLY && (v < box->minimum() || v > box->maximum()))
            return false;
        box->setValue(v);
        return true;
    };

    SequenceRow win = suffixRow(m_steps.sensitivity, "ATCCH", "WIN", sensitivity, sensitivityGate);
    win.endBelowGate = true;
    return QVector<SequenceRow>{offsetRow(m_steps.offset, m_offsetBox)} + m_wizard->rows()
           + QVector<SequenceRow>{win};
}
