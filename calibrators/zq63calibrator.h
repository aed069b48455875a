#ifndef ZQ63CALIBRATOR_H
#define ZQ63CALIBRATOR_H

#include "calibratorpanel.h"
#include "channelsequence.h"
#include "temperaturechannels.h"

namespace Ui { class Zq63Calibrator; }

// Panel of the ZQ63 (two channels), ZQ65 and ZQ67 (one channel) temperature units: live
// readings, temperature unit, sensing range and error correction (read-only), offset,
// sensitivity (ZQ63 from firmware 23, ZQ65 from 20), the build and last-calibration
// times (ZQ65 from firmware 20) and the range calibration wizard per channel.
class Zq63Calibrator : public CalibratorPanel
{
    Q_OBJECT
public:
    Zq63Calibrator(int modelCode, QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq63Calibrator() override;

    void controlEnable(bool on) override;
    // The LCD value of the channel (NaN without a reading), -99999.999 outside the model.
    double getCurrentValue(int channel) override;

    Ui::Zq63Calibrator* form() const { return ui; }
    TemperatureChannels const& channels() const { return m_channels; }
    int deviceCode() const { return m_deviceCode; }
    QString modelName() const { return m_modelName; }

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;
    void setSensorMode() override;
    void onSendFailure(unsigned mode) override;

private:
    QVector<SequenceRow> rows();

    Ui::Zq63Calibrator* ui;
    const int m_deviceCode;
    const QString m_modelName;
    TemperatureChannels m_channels;
    ChannelSequence m_sequence;
};

#endif
