#ifndef TESTPANEL_H
#define TESTPANEL_H

#include <QByteArrayList>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "abstractcalibrator.h"

class MainWindow;

// A calibrator panel for tests: records what the main window hands it and forwards the
// poll commands to MainWindow::writeData as a real panel does.
class TestPanel : public QWidget, public AbstractCalibrator
{
    Q_OBJECT
public:
    struct Line
    {
        qint64 atMs; // InstrumentSimulator::now()
        QString text;
    };

    TestPanel(int modelCode, QString const& model, unsigned version, QString const& serial, QWidget* parent);
    ~TestPanel() override;

    // What it was made with; ChannelCount as it was at construction.
    int modelCode;
    QString model;
    unsigned version;
    QString serial;
    int channelCountAtConstruction;
    // The main window found by casting the parent it was made with.
    MainWindow* mainWindow() const { return m_mainWindow; }

    void controlEnable(bool enable) override;
    bool writeData(QByteArray const& data) override;
    void readData(QString line) override;
    double getCurrentValue(int channel) override;

    QList<Line> lines;            // readData calls
    QStringList lineTexts() const;
    QByteArrayList writes;        // writeData calls
    QList<bool> enables;          // controlEnable calls
    // Runs inside readData after the line is recorded (for instance a modal box).
    std::function<void(TestPanel* panel, QString const& line)> onLine;

    // The panels alive now, oldest first, and how many were made and deleted in all.
    static QList<TestPanel*> alive();
    static int created;
    static int destroyed;
    static void resetCounts();

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
    static QList<int> allPanelModelCodes();

private:
    QList<int> m_codes;
};

#endif
