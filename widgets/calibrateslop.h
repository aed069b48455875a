#ifndef CALIBRATESLOP_H
#define CALIBRATESLOP_H

#include <QWizardPage>

namespace Ui { class CalibrateSlop; }

// Wizard page for a known zero (uV) and sensitivity (nA/ppm). Fields "ZERO" and "SLOP".
class CalibrateSlop : public QWizardPage
{
    Q_OBJECT
public:
    CalibrateSlop(double zero, double slop, QWidget* parent = nullptr);
    ~CalibrateSlop() override;

    double getZero() const;
    double getSlop() const;

private:
    Ui::CalibrateSlop* ui;
};

#endif
