#ifndef TESTPANEL_H
#define TESTPANEL_H

#include <QByteArrayList>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "abstractcalibrator.h"

class MainWindow;

// A calibrator panel for tests: records what the main window hands it and sends through
// MainWindow::writeData as a real panel does.
class TestPanel : public QWidget, public AbstractCalibrator
{
    Q_OBJECT
public:
    TestPanel(int modelCode, QString const& model, unsigned version, QString const& serial, QWidget* parent);
    ~TestPanel() override { ++destroyed; }

    // What it was made with; ChannelCount as it was at construction.
    const int modelCode;
    const QString model;
    const unsigned version;
    const QString serial;
    const int channelCountAtConstruction;

    void controlEnable(bool enable) override { enables << enable; }
    bool writeData(QByteArray const& data) override;
    void readData(QString line) override;
    double getCurrentValue(int) override { return 0.0; }

    QStringList lines;          // readData calls
    qint64 lastLineAtMs = -1;   // InstrumentSimulator::now() of the last one
    QByteArrayList writes;      // writeData calls
    QList<bool> enables;        // controlEnable calls
    // Runs inside readData after the line is recorded (for instance a modal box).
    std::function<void(TestPanel* panel, QString const& line)> onLine;

    static int created, destroyed; // in all (tests reset them)

private:
    MainWindow* m_mainWindow;
};

// Makes the main window create a TestPanel for the given model codes while it lives.
class TestPanelFactory
{
public:
    explicit TestPanelFactory(QList<int> const& modelCodes);
    ~TestPanelFactory();
    // Every model code of the model table except 705, which makes no panel.
    static QList<int> allPanelModelCodes() { return {62, 63, 65, 67, 71, 72, 73, 74, 80, 81, 82, 83, 84, 89, 701, 702, 703, 704}; }

private:
    QList<int> m_codes;
};

// While it lives, the given model codes make no panel (as a model without a panel class),
// whatever panels the program has.
class NoPanelFactory
{
public:
    explicit NoPanelFactory(QList<int> const& modelCodes);
    ~NoPanelFactory();

private:
    QList<int> m_codes;
};

#endif
