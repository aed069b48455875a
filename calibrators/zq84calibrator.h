#ifndef ZQ84CALIBRATOR_H
#define ZQ84CALIBRATOR_H

#include "echempanel.h"

namespace Ui { class Zq84Calibrator; }

// Panel of the ZQ84 electrochemical gas unit with span-gas calibration: the record
// "ppm,slope,zero,span" (",temp" from firmware 11), the wizard enters zero, span and
// span-gas ppm, the compensation, ppm window and build time come with firmware 5.
class Zq84Calibrator : public EchemPanel
{
    Q_OBJECT
public:
    Zq84Calibrator(QString model, unsigned version, QString serial, QWidget* parent);
    ~Zq84Calibrator() override;

    Ui::Zq84Calibrator* form() const { return ui; }

protected:
    bool takeRecord(QStringList const& fields, bool apply) override;
    bool spanEchoEnds() const override { return false; }
    QString spanCommand() const override;
    void zeroEcho(QString const& value) override;
    QWizardPage* makeWizardPage(CalibWizard* wizard) override;
    QString calibrationCommand(QWizardPage* page) const override;
    int calibrationEchoFields() const override { return 3; }
    unsigned laterStepsFrom() const override { return 5; }
    void liveExtras(QStringList const& fields) override;
    void onSequenceEnd(unsigned mode, bool success) override;
    void onSendFailure(unsigned mode) override;

private:
    Ui::Zq84Calibrator* ui;
};

#endif
