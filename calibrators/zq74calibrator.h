#ifndef ZQ74CALIBRATOR_H
#define ZQ74CALIBRATOR_H

#include "calibratorpanel.h"
#include "channelsequence.h"
#include "temperaturechannels.h"

namespace Ui { class Zq74Calibrator; }
class QButtonGroup;

// Panel of the two-channel ZQ74 temperature unit: the ZQ63 panel's channels (range,
// correction, offset, sensitivity 1..15, range wizard) and the sensor type (PT100 or
// TC-K) of the instrument.
class Zq74Calibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    Zq74Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq74Calibrator() override;

    void controlEnable(bool on) override;
    // The LCD value of the channel (NaN without a reading), -99999.999 outside 1..2.
    double getCurrentValue(int channel) override;

    Ui::Zq74Calibrator* form() const { return ui; }
    TemperatureChannels const& channels() const { return m_channels; }
    // The sensor type the instrument last reported: 1 PT100, 2 TC-K, 0 neither.
    int sensorType() const { return m_sensorType; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void onSendFailure(unsigned mode) override;
    void showHeldSettings() override;

private slots:
    void slotSensorTypeApply(int id);

private:
    QVector<SequenceRow> rows();
    // The sensor type of a reply; 0 for anything but 1 or 2.
    static int sensorTypeOf(QString const& value);
    void showSensorType();

    Ui::Zq74Calibrator* ui;
    TemperatureChannels m_channels;
    ChannelSequence m_sequence;
    QButtonGroup* m_sensorTypeGroup = nullptr;
    int m_sensorType = 0;
};

#endif
