// The gas panel inside a real main window without a port: every send fails there, so
// the panel sits idle after its first REFRESH failed, and lines are handed to it directly.
#include <QLCDNumber>
#include <QRadioButton>
#include <QtTest>

#include "chartview.h"
#include "globals.h"
#include "mainwindow.h"
#include "modalcloser.h"
#include "modbusblock.h"
#include "nbcalibrator.h"
#include "ui_nbcalibrator.h"
#include "zqchart.h"

namespace {

constexpr int kLast = ChartView::SampleCount - 1;

} // namespace

class TestNbCalibrator : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 50;
        m_window = new MainWindow;
        m_closer = new ModalCloser(20);
    }

    void cleanup()
    {
        delete m_window;
        delete m_closer;
    }

    void modbusGroupsByFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("rs485On");
        QTest::addColumn<bool>("modeShown");
        QTest::addColumn<bool>("onOffShown");
        QTest::addColumn<bool>("modbusEnabled");
        QTest::newRow("29") << 29u << true << false << false << true;
        QTest::newRow("30") << 30u << false << true << false << true;
        QTest::newRow("42, RS485 off") << 42u << false << true << true << false;
    }

    void modbusGroupsByFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(bool, rs485On);
        QFETCH(bool, modeShown);
        QFETCH(bool, onOffShown);
        QFETCH(bool, modbusEnabled);
        NbCalibrator* panel = makePanel(version);
        QVERIFY(panel);
        Ui::NbCalibrator* ui = panel->form();
        panel->modbus()->take(ModbusBlock::Son, rs485On ? "1" : "0");
        panel->modbus()->setMode();
        panel->controlEnable(true);
        QCOMPARE(!ui->groupBox_modbus_mode->isHidden(), modeShown);
        QCOMPARE(!ui->groupBox_485onoff->isHidden(), onOffShown);
        QCOMPARE(ui->groupBox_modbus_baudrate->isEnabled(), modbusEnabled);
        QVERIFY(ui->groupBox_485onoff->isEnabled());
    }

    void pollLines_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("microVolt");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("channel"); // 0: dropped
        QTest::addColumn<double>("gas");
        QTest::addColumn<double>("temperatureLcd");
        QTest::addColumn<double>("slope");
        QTest::addColumn<double>("temperatureBox");
        QTest::addColumn<QString>("driftPrefix");
        QTest::addColumn<double>("drift");
        // Boxes start at slope 7, temperature 8, drift 9 with the prefix "x".
        QTest::newRow("ppm") << 42u << false << "ATCH112.5,3.4,25.1,100,0.5,60" << 1 << 3.4 << 25.1 << 0.5 << 8.0 << "+" << 0.04;
        QTest::newRow("micro-volts") << 42u << true << "ATCH112.5,3.4,25.1,100,0.5,60" << 1 << 12.5 << 25.1 << 0.5 << 8.0 << "+" << 0.04;
        QTest::newRow("firmware 25 feeds the temperature") << 25u << false << "ATCH212.5,3.4,25.1,100,0.5,60" << 2 << 3.4 << 25.1 << 0.5 << 25.1 << "+" << 0.04;
        QTest::newRow("firmware 26 does not") << 26u << false << "ATCH212.5,3.4,25.1,100,0.5,60" << 2 << 3.4 << 25.1 << 0.5 << 8.0 << "+" << 0.04;
        QTest::newRow("no drift") << 42u << false << "ATCH11,2,3,60,4,60" << 1 << 2.0 << 3.0 << 4.0 << 8.0 << "" << 0.0;
        QTest::newRow("negative drift") << 42u << false << "ATCH11,2,3,50,4,60" << 1 << 2.0 << 3.0 << 4.0 << 8.0 << "" << -0.01;
        QTest::newRow("no numbers keep the boxes") << 25u << false << "ATCH1----,----,x,,y,----" << 1 << NoValue << NoValue << 7.0 << 8.0 << "x" << 9.0;
        QTest::newRow("five fields") << 42u << false << "ATCH11,2,3,4,5" << 0 << 0.0 << 0.0 << 7.0 << 8.0 << "x" << 9.0;
        QTest::newRow("channel 3") << 42u << false << "ATCH31,2,3,4,5,6" << 0 << 0.0 << 0.0 << 7.0 << 8.0 << "x" << 9.0;
    }

    void pollLines()
    {
        QFETCH(unsigned, version);
        QFETCH(bool, microVolt);
        QFETCH(QString, line);
        QFETCH(int, channel);
        QFETCH(double, gas);
        QFETCH(double, temperatureLcd);
        QFETCH(double, slope);
        QFETCH(double, temperatureBox);
        QFETCH(QString, driftPrefix);
        QFETCH(double, drift);
        NbCalibrator* panel = makePanel(version);
        QVERIFY(panel);
        Ui::NbCalibrator* ui = panel->form();
        panel->controlEnable(true);
        if (microVolt)
            ui->radioButton_microvolt_ch1->click();
        QDoubleSpinBox* slopes[] = {ui->doubleSpinBox_slope_ch1, ui->doubleSpinBox_slope_ch2};
        QDoubleSpinBox* temps[] = {ui->doubleSpinBox_temperature_ch1, ui->doubleSpinBox_temperature_ch2};
        QDoubleSpinBox* drifts[] = {ui->doubleSpinBox_drift_ch1, ui->doubleSpinBox_drift_ch2};
        for (int i = 0; i < 2; ++i) {
            slopes[i]->setValue(7);
            temps[i]->setValue(8);
            drifts[i]->setValue(9);
            drifts[i]->setPrefix("x");
        }
        panel->writeData("ATCH1\r\n");
        panel->readData(line);

        const int i = channel == 2 ? 1 : 0;
        QCOMPARE(slopes[i]->value(), slope);
        QCOMPARE(temps[i]->value(), temperatureBox);
        QCOMPARE(drifts[i]->prefix(), driftPrefix);
        QCOMPARE(drifts[i]->value(), drift);
        QCOMPARE(slopes[1 - i]->value(), 7.0); // the other channel is untouched
        if (channel == 0) {
            QCOMPARE(panel->gasChart(1)->values()[kLast], NoValue);
            QCOMPARE(panel->gasChart(2)->values()[kLast], NoValue);
            return;
        }
        if (gas != NoValue) {
            QCOMPARE((i ? ui->lcdNumber_ch2 : ui->lcdNumber_ch1)->value(), gas);
            QCOMPARE((i ? ui->lcdNumber_ch2_temp : ui->lcdNumber_ch1_temp)->value(), temperatureLcd);
        }
        // Both charts of the channel at the time of the last poll write.
        const QDateTime sent = panel->lastWrite();
        const double x = chartTime2(sent.toSecsSinceEpoch()) + sent.time().msec() / 1000.0;
        QCOMPARE(panel->gasChart(channel)->values()[kLast], gas);
        QCOMPARE(panel->tempChart(channel)->values()[kLast], temperatureLcd);
        QCOMPARE(panel->gasChart(channel)->timeStamps()[kLast], x);
        QCOMPARE(panel->gasChart(3 - channel)->values()[kLast], NoValue);
    }

    void microVoltsClearOnlyTheirChart()
    {
        NbCalibrator* panel = makePanel(42);
        QVERIFY(panel);
        Ui::NbCalibrator* ui = panel->form();
        panel->controlEnable(true);
        panel->readData("ATCH112.5,3.4,25.1,100,0.5,60");
        panel->readData("ATCH212.5,3.4,25.1,100,0.5,60");
        ui->radioButton_microvolt_ch2->click();
        QVERIFY(panel->microVolt(2) && !panel->microVolt(1));
        QCOMPARE(panel->gasChart(2)->values()[kLast], NoValue);
        QCOMPARE(panel->tempChart(2)->values()[kLast], 25.1);
        QCOMPARE(panel->gasChart(1)->values()[kLast], 3.4);
        // Sends nothing: no failure box.
        QCOMPARE(m_closer->count(), 1);
    }

    void unitSendFailureKeepsTheChannelsUnit()
    {
        NbCalibrator* panel = makePanel(42);
        QVERIFY(panel);
        Ui::NbCalibrator* ui = panel->form();
        panel->controlEnable(true);
        ui->radioButton_fahrenheit_ch2->click();
        QTRY_COMPARE(m_closer->count(), 3);
        QCOMPARE(m_closer->texts().mid(1), QStringList({"error! write command...",
                                                        "error! apply the device's temperature mode to the celsius mode..."}));
        QVERIFY(ui->radioButton_celsius_ch2->isChecked());
        QVERIFY(panel->isCelsius(2));
        QCOMPARE(panel->mode(), unsigned(DEFAULT));
        QVERIFY(!panel->celsiusAll());
    }

private:
    NbCalibrator* makePanel(unsigned version)
    {
        m_window->setVersion(QString("HV700K3-NB %1v%2").arg(version / 10).arg(version % 10));
        auto* panel = dynamic_cast<NbCalibrator*>(m_window->calibrator());
        if (!panel || panel->version() != version)
            return nullptr;
        // The first REFRESH fails to send: its box, then idle.
        [&] { QTRY_COMPARE(m_closer->count(), 1); }();
        [&] { QTRY_COMPARE(panel->mode(), unsigned(DEFAULT)); }();
        return panel;
    }

    MainWindow* m_window = nullptr;
    ModalCloser* m_closer = nullptr;
};

QTEST_MAIN(TestNbCalibrator)
#include "test_nbcalibrator.moc"
