#ifndef CALIBRATEAPPLY_H
#define CALIBRATEAPPLY_H

#include <QString>
#include <QWizardPage>

class AbstractCalibrator;
namespace Ui { class CalibrateApply; }

// Wizard page for one reference point of a two-point calibration: shows the
// reference to apply, the correction stored in the instrument, the actual reading
// (typed, or fetched by READ from the panel) and reference minus reading.
class CalibrateApply : public QWizardPage
{
    Q_OBJECT
public:
    // `calibrator` is not owned and must outlive the page; `channel` is passed
    // unchanged to its getCurrentValue().
    CalibrateApply(double reference, double applied, double current, QString unit, int channel,
                   bool showApply, AbstractCalibrator* calibrator, QWidget* parent = nullptr);
    ~CalibrateApply() override;

    // The actual-reading box (not the difference): the correction point to write.
    double getDelta() const;
    void setDelta(double v);
    // The correction currently stored in the instrument.
    void setApplied(double v);
    // The reference value to apply.
    void setRange(double v);

signals:
    void signalDelta();

private slots:
    void slotChangeDiffValue(double value);
    void slotReadCurrentValue();
    void slotApply();

private:
    void updateDifference();

    Ui::CalibrateApply* ui;
    int m_channel;
    AbstractCalibrator* m_calibrator;
};

#endif
