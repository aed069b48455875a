#ifndef ZQ83CALIBRATOR_H
#define ZQ83CALIBRATOR_H

#include "echempanel.h"

namespace Ui { class Zq83Calibrator; }

// Panel of the ZQ83 electrochemical gas unit: the record "zero,slope,temp", the span step
// writes the sensitivity, the wizard enters zero and sensitivity. No feature depends on
// the firmware version.
class Zq83Calibrator : public EchemPanel
{
    Q_OBJECT
public:
    Zq83Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq83Calibrator() override;

    Ui::Zq83Calibrator* form() const { return ui; }

protected:
    bool takeRecord(QStringList const& fields, bool apply) override;
    bool spanEchoEnds() const override { return true; }
    QString spanCommand() const override;
    void zeroEcho(QString const& value) override;
    QWizardPage* makeWizardPage(CalibWizard* wizard) override;
    QString calibrationCommand(QWizardPage* page) const override;
    int calibrationEchoFields() const override { return 2; }
    void onSendFailure(unsigned mode) override;

private:
    Ui::Zq83Calibrator* ui;
};

#endif
