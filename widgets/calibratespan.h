#ifndef CALIBRATESPAN_H
#define CALIBRATESPAN_H

#include <QWizardPage>

namespace Ui { class CalibrateSpan; }

// Wizard page for known zero and span values (uV) and the calibration gas
// concentration (ppm). Fields "ZERO", "SPAN" and "PPM".
class CalibrateSpan : public QWizardPage
{
    Q_OBJECT
public:
    CalibrateSpan(double zero, double span, double ppm, QWidget* parent = nullptr);
    ~CalibrateSpan() override;

    double getZero() const;
    double getSpan() const;
    double getSpanPpm() const;

private:
    Ui::CalibrateSpan* ui;
};

#endif
