#ifndef ABSTRACTCALIBRATOR_H
#define ABSTRACTCALIBRATOR_H

#include <QByteArray>
#include <QString>

// What the main window and the wizard's READ button need of a calibrator panel.
// Panels derive from QWidget first and from this interface second, so the main
// window can reach the widget with a dynamic_cast.
class AbstractCalibrator
{
public:
    virtual ~AbstractCalibrator() = default;
    // Enables or disables the panel's own controls.
    virtual void controlEnable(bool enable) = 0;
    // Sends one poll command; flashes the TX lamp and notes the time of the next sample.
    virtual bool writeData(QByteArray const& data) = 0;
    // One received line, without blanks, CR or LF.
    virtual void readData(QString line) = 0;
    // The present reading of a channel (1-based); panels without one return 0.0.
    virtual double getCurrentValue(int channel) = 0;
};

#endif
