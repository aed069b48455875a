#ifndef CALIBRATESCALER_H
#define CALIBRATESCALER_H

#include <QString>
#include <QWizardPage>

namespace Ui { class CalibrateScaler; }

// Wizard page for a 4-20 mA scale: the values meant by the two ends of the input
// and an output multiplier, each next to a read-only copy of the value stored in
// the instrument. Fields "4MA", "20MA" and "MULTIPLY".
class CalibrateScaler : public QWizardPage
{
    Q_OBJECT
public:
    CalibrateScaler(QString minLabel, QString maxLabel, double v4ma, double v20ma, double multiply,
                    QWidget* parent = nullptr);
    ~CalibrateScaler() override;

    double get4ma() const;
    double get20ma() const;
    double getMultiply() const;

    // Only the read-only copies change; the user's entries stay as they are.
    void setApplied4ma(double v);
    void setApplied20ma(double v);
    void setAppliedMulitply(double v);

private:
    Ui::CalibrateScaler* ui;
};

#endif
