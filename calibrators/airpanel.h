#ifndef AIRPANEL_H
#define AIRPANEL_H

#include <memory>

#include "calibratorpanel.h"
#include "channelsequence.h"

class QButtonGroup;
class QLabel;
class ResizeLabel;

// The form objects every air-quality panel has under the same names: the header labels,
// the spinner frame and lamp row, and per channel the LCD, the unit label and the chart
// host. airForm() fills it from any of their designer forms.
struct AirForm
{
    QLabel* model = nullptr;
    QLabel* serial = nullptr;
    QFrame* frame = nullptr;
    QBoxLayout* ledLayout = nullptr;
    QLCDNumber* lcd[2] = {};
    ResizeLabel* unit[2] = {};
    QLabel* chartHost[2] = {};
};

template <class Ui>
AirForm airForm(Ui* ui)
{
    AirForm f;
    f.model = ui->label_model;
    f.serial = ui->label_serial;
    f.frame = ui->frame;
    f.ledLayout = ui->horizontalLayout_led;
    f.lcd[0] = ui->lcdNumber_ch1;
    f.lcd[1] = ui->lcdNumber_ch2;
    f.unit[0] = ui->label_unit_ch1;
    f.unit[1] = ui->label_unit_ch2;
    f.chartHost[0] = ui->label_chart_ch1;
    f.chartHost[1] = ui->label_chart_ch2;
    return f;
}

// What the ZQ80, ZQ81, ZQ82 and ZQ89 panels share beyond the engine: two channels polled
// with "ATCD" (two fields) and shown on two LCDs and two charts, the header filled from
// the constructor's arguments, and the teardown of the destructor.
class AirPanel : public CalibratorPanel
{
    Q_OBJECT
public:
    ChartView* chart(int index) const { return m_chart[index]; }

protected:
    static constexpr int kChannels = 2;

    using CalibratorPanel::CalibratorPanel;

    // After the form is built: spinner, lamps, charts, header texts and clearAll().
    void attachAirForm(AirForm const& form, QString const& model, QString const& serial);
    // For the destructor of the concrete class, before its form goes.
    void detachAirForm();

    // REFRESH and APPLY run on the panel's two step tables (setSequences()); an APPLY
    // step of no row is the last-calibration echo or one of parsingOtherApply().
    void setSequences(QVector<SequenceRow> const& refresh, QVector<SequenceRow> const& apply);
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    virtual void parsingOtherApply(QString const& line);
    void parsingDefault(QString line) override;
    void setDeviceValue(QString ch1, QString ch2);
    // A failed REFRESH send, and an APPLY the instrument refused (a radio change among
    // them), leave the form showing the state the panel holds.
    void onSendFailure(unsigned mode) override;
    void showHeldSettings() override;

    // A unit label's text, refitted.
    void setUnit(int channel, QString const& text);
    // A radio's choice n written at step in DEFAULT only (nothing while a sequence runs):
    // status "change the sensor type to the Mode n..." (mode) or "change the sensor unit
    // to n..." (unit), then "KEY n" queued. The held state changes only with the echo.
    enum Choice { ModeChoice, UnitChoice };
    void applyChoice(Choice choice, unsigned step, QString const& keyword, int n);
    // Leaves none of the radios checked (an exclusive group, or the radios' own
    // exclusivity, keeps one checked otherwise).
    static void clearRadios(QList<QAbstractButton*> const& radios);
    // A button group of the given radios with ids from firstId on, its clicks to slot.
    QButtonGroup* radioGroup(QList<QAbstractButton*> const& radios, int firstId, const char* slot);

    AirForm m_form;
    ChartView* m_chart[kChannels] = {};

private:
    std::unique_ptr<ChannelSequence> m_refresh;
    std::unique_ptr<ChannelSequence> m_apply;
};

#endif
