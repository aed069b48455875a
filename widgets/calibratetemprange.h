#ifndef CALIBRATETEMPRANGE_H
#define CALIBRATETEMPRANGE_H

#include <QWizardPage>

namespace Ui { class CalibrateTempRange; }

// Wizard page for the sensing range (minimum and maximum) of one channel.
// Fields "MIN" and "MAX".
class CalibrateTempRange : public QWizardPage
{
    Q_OBJECT
public:
    CalibrateTempRange(double min, double max, QWidget* parent = nullptr);
    ~CalibrateTempRange() override;

    double getMin() const;
    double getMax() const;

signals:
    void valueChangedMin(double value);
    void valueChangedMax(double value);

private slots:
    void slotChangedMin(double value);
    void slotChangedMax(double value);

private:
    Ui::CalibrateTempRange* ui;
};

#endif
