#ifndef TEMPERATURECHANNELS_H
#define TEMPERATURECHANNELS_H

#include <QString>
#include <QVector>

#include "channelsequence.h"
#include "rangewizardflow.h"

class CalibratorPanel;
class ChartView;
class QChartViewerLabel;
class QDoubleSpinBox;
class QLCDNumber;
class QAbstractButton;
class QSpinBox;
class ResizeLabel;

// The per-channel block of the temperature panels (ZQ63/ZQ65/ZQ67 and ZQ74): live reading
// and chart, sensing range and error correction (read-only), input offset, sensitivity
// and the range calibration wizard. The widgets are the panel's only store of these
// settings.
//
// The correction shown is the range end minus the point the instrument stores (CLO, CHI),
// taken from the range box as it stands when the reply arrives.
class TemperatureChannels
{
public:
    static constexpr int kChannels = 2;

    // The widgets of one channel on the form.
    struct Widgets
    {
        QLCDNumber* lcd;
        ResizeLabel* unit;
        QDoubleSpinBox* offset;
        QDoubleSpinBox* rangeMin;
        QDoubleSpinBox* rangeMax;
        QDoubleSpinBox* corrMin;
        QDoubleSpinBox* corrMax;
        QSpinBox* sensitivity;
        QChartViewerLabel* chartHost;
    };

    // Both forms name the widgets alike ("doubleSpinBox_range_min_ch1", ...).
    template <class Form>
    static QVector<Widgets> fromForm(Form* ui)
    {
        return {{ui->lcdNumber_ch1, ui->label_unit_ch1, ui->doubleSpinBox_offset_ch1,
                 ui->doubleSpinBox_range_min_ch1, ui->doubleSpinBox_range_max_ch1,
                 ui->doubleSpinBox_correction_min_ch1, ui->doubleSpinBox_correction_max_ch1,
                 ui->spinBox_sensitivity_ch1, ui->label_chart_ch1},
                {ui->lcdNumber_ch2, ui->label_unit_ch2, ui->doubleSpinBox_offset_ch2,
                 ui->doubleSpinBox_range_min_ch2, ui->doubleSpinBox_range_max_ch2,
                 ui->doubleSpinBox_correction_min_ch2, ui->doubleSpinBox_correction_max_ch2,
                 ui->spinBox_sensitivity_ch2, ui->label_chart_ch2}};
    }

    // Connects the form's buttons: "Calibration" opens the channel's wizard, the offset
    // and sensitivity apply buttons write on pressed().
    template <class Form>
    void connectForm(Form* ui)
    {
        connectChannel(1, ui->pushButton_wizard_ch1, ui->toolButton_offset_apply_ch1,
                       ui->toolButton_sensitivity_apply_ch1);
        connectChannel(2, ui->pushButton_wizard_ch2, ui->toolButton_offset_apply_ch2,
                       ui->toolButton_sensitivity_apply_ch2);
    }

    // The steps of the items, the same in REFRESH and APPLY.
    struct Steps
    {
        unsigned offset, rangeMin, rangeMax, corrMin, corrMax, sensitivity;
    };

    // Creates the two charts (owned by the panel, deleted by deleteCharts()) and the range
    // wizard, whose pages are titled with the model name.
    TemperatureChannels(CalibratorPanel* panel, QVector<Widgets> const& widgets, Steps steps,
                        QString const& modelName);

    RangeWizardFlow* wizard() const { return m_wizard; }
    void clearCharts();
    void deleteCharts();

    // Channels 1..min(ChannelCount, 2): LCD and unit label emptied; offset, range and
    // correction at 0 without suffix, sensitivity at 1, no style sheets.
    void clear();
    // Unit labels by the unit; the offset, range and correction boxes always in degrees
    // Celsius (the instrument takes them so).
    void showUnit(bool celsius);

    // The offset and sensitivity writes of a channel (APPLY).
    void applyOffset(int channel);
    void applySensitivity(int channel);

    // A poll reply "ATCD<t1>,<t2>" on both LCDs and charts (channel 2 also when the
    // model has one channel).
    void showReadings(QString const& line);
    // The LCD value of the channel: NaN without a reading, -99999.999 outside the model.
    double currentValue(int channel) const;

    // The rows of offset, range min and max, correction min and max (the wizard's, which
    // also update its pages) and sensitivity; the sensitivity row is asked from firmware
    // sensitivityGate on (a REFRESH below it ends there).
    QVector<SequenceRow> rows(unsigned sensitivityGate = 0) const;

private:
    static int limit();
    void connectChannel(int channel, QAbstractButton* wizard, QAbstractButton* offsetApply,
                        QAbstractButton* sensitivityApply);

    CalibratorPanel* m_panel;
    QVector<Widgets> m_w;
    Steps m_steps;
    QLCDNumber* m_lcd[kChannels] = {};
    ChartView* m_chart[kChannels] = {};
    QDoubleSpinBox* m_offsetBox[kChannels] = {};
    QDoubleSpinBox* m_rangeMinBox[kChannels] = {};
    QDoubleSpinBox* m_rangeMaxBox[kChannels] = {};
    QDoubleSpinBox* m_corrMinBox[kChannels] = {};
    QDoubleSpinBox* m_corrMaxBox[kChannels] = {};
    RangeWizardFlow* m_wizard = nullptr;
};

#endif
