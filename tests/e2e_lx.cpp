// The HV700K3-LX panel end to end: the real main window on a mocked USB instrument that
// plays the LX (tests/support/sim_lx.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "calibrateapply.h"
#include "calibratescaler.h"
#include "calibwizard.h"
#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "lxcalibrator.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "passworddlg.h"
#include "rangescalewizards.h"
#include "statuslog.h"
#include "ui_lxcalibrator.h"
#include "wizardchain.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 15000;
constexpr int kScanWaitMs = 3000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;

LxCalibrator* lx(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<LxCalibrator*>(rig.window()->calibrator()) : nullptr;
}

CalibWizard* wizardOf(LxCalibrator* panel)
{
    return panel ? panel->wizards()->chain()->wizard() : nullptr;
}

// No sequence runs or waits to start, no box is open, and the poll runs.
bool idle(E2eRig& rig)
{
    LxCalibrator* panel = lx(rig);
    QWidget* modal = QApplication::activeModalWidget();
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && panel->pendingCommand().isEmpty()
           && !panel->refreshScheduled() && (!modal || qobject_cast<CalibWizard*>(modal))
           && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return idle(rig); }, kReadyWaitMs);
}

// The REFRESH queries of a firmware, in order.
QByteArrayList refreshQueries(unsigned version)
{
    QByteArrayList q;
    for (const char* key : {"ATSINM", "ATCOFF"})
        for (int n = 1; n <= 4; ++n)
            q << key + QByteArray::number(n);
    for (const char* suffix : {"LO", "HI", "CLO", "CHI", "M"})
        for (int n = 1; n <= 4; ++n)
            q << "ATCCH" + QByteArray::number(n) + suffix;
    q << "ATCMODBR" << "ATCMODTO" << "ATCMODSW" << "ATCMODID" << "ATCEXTM";
    if (version >= 20)
        q << "ATCBLDTM";
    if (version >= 41)
        q << "ATCISMST" << "ATCMODCH" << "ATCMSTID" << "ATCRLYNO" << "ATCPPMMAX" << "ATCRLYDLY";
    if (version >= 47)
        q << "ATCSON";
    return q;
}

// The next answer to token is reply; the instrument still takes a written value.
void garbleOnce(InstrumentSimulator* sim, QByteArray const& token, QByteArray const& reply)
{
    auto used = std::make_shared<bool>(false);
    sim->onCommand(token, [sim, reply, used](InstrumentSimulator::Request const& r) {
        if (!r.isQuery())
            sim->setSetting(r.token, r.argument);
        if (!*used) {
            *used = true;
            return QByteArrayList{reply};
        }
        return QByteArrayList{r.token + " " + sim->setting(r.token)};
    });
}

// What the program wrote (commands with a value), in order.
QByteArrayList writes(InstrumentSimulator* sim)
{
    QByteArrayList out;
    for (QByteArray const& line : sim->commandLines())
        if (line.contains(' '))
            out << line;
    return out;
}

// An LX plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyLx
{
    explicit ReadyLx(unsigned version = 47, std::function<void(InstrumentSimulator*)> setup = {})
    {
        closer.setMessageBoxesOnly(true);
        sim = rig.bench.plugInstrument("LX0001", 702, version);
        if (setup)
            setup(sim);
        rig.start();
        CommandDelay = 50;
        panel = waitIdle(rig) ? lx(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    ModalCloser closer{20};
    InstrumentSimulator* sim = nullptr;
    LxCalibrator* panel = nullptr;
    Ui::LxCalibrator* ui = nullptr;
};

} // namespace

class E2eLx : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    void refreshOrderByFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<int>("queries");
        QTest::newRow("19") << 19u << 33;
        QTest::newRow("20") << 20u << 34;
        QTest::newRow("40") << 40u << 34;
        QTest::newRow("41") << 41u << 40;
        QTest::newRow("46") << 46u << 40;
        QTest::newRow("47") << 47u << 41;
    }

    void refreshOrderByFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(int, queries);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("LX0001", 702, version);
        MainWindow* w = rig.start();
        CommandDelay = 50;
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        LxCalibrator* panel = lx(rig);

        const QByteArrayList expected = refreshQueries(version);
        QCOMPARE(expected.size(), queries);
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, queries + 1), QByteArrayList{"ATCVER"} + expected);
        // Then only the poll: no unit command.
        QCOMPARE(lines.count("ATCQ"), lines.size() - queries - 1);
        for (int i = 1; i < expected.size(); ++i) {
            const qint64 gap = sim->timesOf(expected[i]).first() - sim->timesOf(expected[i - 1]).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs, expected[i].constData());
        }
        QVERIFY(shown.contains("success! refresh calibration settings."));

        // Polled every second, the four readings shown and charted ("----" as no value).
        QVERIFY(sim->waitForCommand("ATCQ", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 12.5);
        QCOMPARE(panel->form()->lcdNumber_ch1->value(), 4.0);
        QCOMPARE(panel->form()->lcdNumber_ch3->value(), 20.0);
        QCOMPARE(panel->chart(3)->values()[kLast], NoValue);
        QCOMPARE(panel->getCurrentValue(2), 12.5);
        QVERIFY(qIsNaN(panel->getCurrentValue(4)));
    }

    void refreshFillsTheChannels()
    {
        ReadyLx x(47, [](InstrumentSimulator* sim) {
            sim->setSetting("ATSINM1", "1");
            sim->setSetting("ATSINM3", "5");
            sim->setSetting("ATCCH1LO", "-50.00");
            sim->setSetting("ATCCH2CLO", "0.1");
            sim->setSetting("ATCCH2CHI", "20.25");
            sim->setSetting("ATCCH4M", "2.50");
            sim->setSetting("ATCOFF4", "-1.50");
        });
        QVERIFY(x.panel);
        Ui::LxCalibrator* ui = x.ui;
        // Type 1: 0~20 mA; type 5 is no type of this instrument: NONE, shown as 4~20.
        QCOMPARE(ui->comboBox_sensortype_ch1->currentText(), QString("0~20mA"));
        QCOMPARE(ui->doubleSpinBox_range_min_ch1->value(), 0.0);
        QCOMPARE(ui->doubleSpinBox_range_max_ch1->text(), QString("20.00 mA"));
        QCOMPARE(ui->comboBox_sensortype_ch3->currentText(), QString("NONE"));
        QCOMPARE(x.panel->sensorType(3), -1);
        QCOMPARE(ui->doubleSpinBox_range_min_ch3->value(), 4.0);
        // LO fills the scaled minimum, not the range; corrections against the range.
        QCOMPARE(ui->doubleSpinBox_scaled_min_ch1->value(), -50.0);
        QCOMPARE(ui->doubleSpinBox_scaled_max_ch1->value(), 100.0);
        QCOMPARE(ui->doubleSpinBox_correction_min_ch2->value(), 3.9);
        QCOMPARE(ui->doubleSpinBox_correction_max_ch2->value(), -0.25);
        QCOMPARE(ui->doubleSpinBox_correction_min_ch1->value(), -4.0);
        QCOMPARE(ui->doubleSpinBox_multi_ch4->value(), 2.5);
        QCOMPARE(ui->doubleSpinBox_offset_ch4->text(), QString("-1.50 mA"));
        QCOMPARE(ui->dateTimeEdit_build_time->dateTime(), QDateTime::fromSecsSinceEpoch(1500000000));
        QCOMPARE(ui->dateTimeEdit_exec_datetime->dateTime(), QDateTime::fromSecsSinceEpoch(1600000000));
    }

    void applyRoundTrips_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QByteArray>("write");
        QTest::addColumn<bool>("refreshes");
        QTest::newRow("input type NONE") << "type" << QByteArray("ATSINM3 -1") << true;
        QTest::newRow("offset") << "offset" << QByteArray("ATCOFF1 1.25") << false;
        QTest::newRow("MODBUS baud rate") << "baudrate" << QByteArray("ATCMODBR 3") << false;
    }

    void applyRoundTrips()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, write);
        QFETCH(bool, refreshes);
        ReadyLx x;
        QVERIFY(x.panel);
        StatusLog shown(x.rig.window());
        QToolButton* button = nullptr;
        if (what == "type") {
            x.ui->comboBox_sensortype_ch3->setCurrentIndex(2);
            button = x.ui->toolButton_sensortype_apply_ch3;
        } else if (what == "offset") {
            x.ui->doubleSpinBox_offset_ch1->setValue(1.25);
            button = x.ui->toolButton_offset_apply_ch1;
        } else {
            x.ui->comboBox_modbus_baudrate->setCurrentIndex(3);
            button = x.ui->toolButton_modbus_baudrate_apply;
        }
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(x.sim->waitForCommand(write));
        QTest::mouseRelease(button, Qt::LeftButton);
        const QByteArray key = write.left(write.indexOf(' '));
        QCOMPARE(x.sim->setting(key), write.mid(write.indexOf(' ') + 1));
        QVERIFY(waitIdle(x.rig));
        QTest::qWait(300);
        QVERIFY(idle(x.rig));
        // The type echo is shown by a full refresh; the others end on their echo.
        QCOMPARE(x.sim->count("ATSINM1"), refreshes ? 1 : 0);
        if (refreshes) {
            QCOMPARE(x.sim->commandLines().mid(1, 41), refreshQueries(47));
            QCOMPARE(x.panel->sensorType(3), -1);
        } else {
            QVERIFY(shown.contains("success! apply calibration settings."));
        }
        QCOMPARE(x.ui->doubleSpinBox_offset_ch1->value(), what == "offset" ? 1.25 : 0.0);
        QCOMPARE(x.ui->comboBox_modbus_baudrate->currentIndex(), what == "baudrate" ? 3 : 1);
    }

    void calibrationDateBehindThePassword()
    {
        ReadyLx x;
        QVERIFY(x.panel);
        x.closer.setAnswer(QMessageBox::Yes);
        x.ui->toolButton_exec_datetime->click();
        QTRY_VERIFY(x.panel->passwordDialog()->isVisible());
        QCOMPARE(x.closer.texts(), QStringList{"Do you want to change the update time?"});
        QCOMPARE(x.closer.titles(), QStringList{"Last Calibration Time"});
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        emit x.panel->passwordDialog()->pwdOk();
        x.panel->passwordDialog()->hide();
        QTRY_COMPARE(writes(x.sim).size(), 1);
        const QByteArray write = writes(x.sim).first();
        QVERIFY(write.startsWith("ATCEXTM "));
        const qint64 sent = write.mid(8).toLongLong();
        QVERIFY(sent >= before && sent <= before + 2);
        // The refresh shows the new time.
        QVERIFY(x.sim->waitForCommand("ATCSON", kReadyWaitMs));
        QVERIFY(waitIdle(x.rig));
        QCOMPARE(x.ui->dateTimeEdit_exec_datetime->dateTime(), QDateTime::fromSecsSinceEpoch(sent));
    }

    void factoryReset_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("status");
        QTest::newRow("done") << QByteArray("OK") << QStringList{"the Factory Reset is completed."}
                              << "success! refresh calibration settings.";
        QTest::newRow("refused") << QByteArray("FAIL") << QStringList{"factory reset failed...!"}
                                 << "error! apply calibration settings.";
    }

    void factoryReset()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, boxes);
        QFETCH(QString, status);
        ReadyLx x(47, [](InstrumentSimulator* sim) { sim->setSetting("ATCOFF2", "2.00"); });
        QVERIFY(x.panel);
        x.sim->setSetting("ATCFTRSTREPLY", reply);
        x.closer.setAnswer(QMessageBox::Yes);
        x.ui->pushButton_factoryreset->click();
        QVERIFY(x.sim->waitForCommand("ATCFTRST"));
        QTRY_COMPARE(x.closer.count(), 2);
        QVERIFY(waitIdle(x.rig));
        QTest::qWait(300);
        QCOMPARE(x.closer.texts().mid(1), boxes);
        QVERIFY(x.rig.status().startsWith(status));
        const bool done = reply == "OK";
        // A refused reset ends the apply after its one box, unlocked, without a refresh.
        QCOMPARE(x.sim->count("ATCOFF2"), done ? 1 : 0);
        QCOMPARE(x.ui->doubleSpinBox_offset_ch2->value(), done ? 0.0 : 2.0);
        QVERIFY(x.ui->groupBox_ch2->isEnabled());
    }

    void modbusGroupsByFirmwareAndRs485_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("rs485");
        QTest::addColumn<bool>("onOffShown");
        QTest::addColumn<bool>("modeShown");
        QTest::addColumn<bool>("modbusEnabled");
        QTest::newRow("32") << 32u << QByteArray("1") << false << false << true;
        QTest::newRow("33") << 33u << QByteArray("1") << false << true << true;
        QTest::newRow("47 off") << 47u << QByteArray("0") << true << true << false;
        QTest::newRow("47 on") << 47u << QByteArray("1") << true << true << true;
    }

    void modbusGroupsByFirmwareAndRs485()
    {
        QFETCH(unsigned, version);
        QFETCH(QByteArray, rs485);
        QFETCH(bool, onOffShown);
        QFETCH(bool, modeShown);
        QFETCH(bool, modbusEnabled);
        ReadyLx x(version, [rs485](InstrumentSimulator* sim) { sim->setSetting("ATCSON", rs485); });
        QVERIFY(x.panel);
        Ui::LxCalibrator* ui = x.ui;
        QCOMPARE(ui->groupBox_485onoff->isVisibleTo(x.panel), onOffShown);
        QCOMPARE(ui->groupBox_modbus_mode->isVisibleTo(x.panel), modeShown);
        QVERIFY(ui->groupBox_modbus_baudrate->isVisibleTo(x.panel));
        QCOMPARE(ui->groupBox_modbus_baudrate->isEnabled(), modbusEnabled);
        QCOMPARE(ui->groupBox_modbus_mode->isEnabled(), modbusEnabled);
        QVERIFY(ui->groupBox_485onoff->isEnabled());
        QCOMPARE(ui->doubleSpinBox_modbus_max->suffix(), QString(version >= 33 ? " mA" : ""));
    }
};

QTEST_MAIN(E2eLx)
#include "e2e_lx.moc"
