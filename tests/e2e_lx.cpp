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
const int kWayOutMs = WizardChain::WayOutMs;

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
    void init()
    {
        ChannelCount = 0;
        WizardChain::WayOutMs = kWayOutMs;
    }

    void refreshOrderByFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("rs485");
        QTest::addColumn<bool>("onOffShown");
        QTest::addColumn<bool>("modeShown");
        QTest::addColumn<bool>("modbusEnabled");
        QTest::newRow("19") << 19u << QByteArray("1") << false << false << true;
        QTest::newRow("32") << 32u << QByteArray("1") << false << false << true;
        QTest::newRow("33") << 33u << QByteArray("1") << false << true << true;
        QTest::newRow("41") << 41u << QByteArray("1") << false << true << true;
        QTest::newRow("47, RS485 off") << 47u << QByteArray("0") << true << true << false;
    }

    // The REFRESH queries in order and paced, the MODBUS groups the firmware has, then the poll.
    void refreshOrderByFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(QByteArray, rs485);
        QFETCH(bool, onOffShown);
        QFETCH(bool, modeShown);
        QFETCH(bool, modbusEnabled);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("LX0001", 702, version);
        sim->setSetting("ATCSON", rs485);
        MainWindow* w = rig.start();
        CommandDelay = 50;
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        LxCalibrator* panel = lx(rig);

        const QByteArrayList expected = refreshQueries(version);
        const int queries = expected.size();
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, queries + 1), QByteArrayList{"ATCVER"} + expected);
        // Then only the poll: no unit command.
        QCOMPARE(lines.count("ATCQ"), lines.size() - queries - 1);
        for (int i = 1; i < expected.size(); ++i) {
            const qint64 gap = sim->timesOf(expected[i]).first() - sim->timesOf(expected[i - 1]).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs, expected[i].constData());
        }
        QVERIFY(shown.contains("success! refresh calibration settings."));
        Ui::LxCalibrator* ui = panel->form();
        QCOMPARE(ui->groupBox_485onoff->isVisibleTo(panel), onOffShown);
        QCOMPARE(ui->groupBox_modbus_mode->isVisibleTo(panel), modeShown);
        QCOMPARE(ui->groupBox_modbus_baudrate->isEnabled(), modbusEnabled);
        QCOMPARE(ui->groupBox_modbus_mode->isEnabled(), modbusEnabled);
        QVERIFY(ui->groupBox_485onoff->isEnabled());

        // Polled every second, the four readings shown and charted ("----" as no value).
        QVERIFY(sim->waitForCommand("ATCQ", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 12.5);
        QCOMPARE(ui->lcdNumber_ch1->value(), 4.0);
        QCOMPARE(ui->lcdNumber_ch3->value(), 20.0);
        QCOMPARE(panel->chart(3)->values()[kLast], NoValue);
        QCOMPARE(panel->getCurrentValue(2), 12.5);
        QVERIFY(qIsNaN(panel->getCurrentValue(4)));
    }

    void refreshFillsTheChannelsAndTheDateIsWritten()
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
        QCOMPARE(ui->doubleSpinBox_offset_ch4->value(), -1.5);

        // The calibration date is written behind the question and the password; the
        // refresh after it shows the new time.
        x.closer.setAnswer(QMessageBox::Yes);
        ui->toolButton_exec_datetime->click();
        QTRY_VERIFY(x.panel->passwordDialog()->isVisible());
        QCOMPARE(x.closer.count(), 1);
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        emit x.panel->passwordDialog()->pwdOk();
        x.panel->passwordDialog()->hide();
        QTRY_COMPARE(writes(x.sim).size(), 1);
        const QByteArray write = writes(x.sim).first();
        QVERIFY(write.startsWith("ATCEXTM "));
        const qint64 sent = write.mid(8).toLongLong();
        QVERIFY(sent >= before && sent <= before + 2);
        QVERIFY(x.sim->waitForCommand("ATCSON", kReadyWaitMs));
        QVERIFY(waitIdle(x.rig));
        QCOMPARE(ui->dateTimeEdit_exec_datetime->dateTime(), QDateTime::fromSecsSinceEpoch(sent));
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

    // Each script step: "range N" / "scale N 4mA
    // 20mA multiply" open a wizard; "next", "back"; "apply Z S" takes the readings and
    // presses Apply on page 2; "finish", "escape", "close" (the title bar); "wait" until
    // idle; "garble KEY REPLY" answers KEY's next write with REPLY; "hold KEY" keeps the
    // echo of KEY's next write until "release"; "until LINE" waits for a command; "sleep
    // MS"; "wayout MS" sets how long a reply must be awaited before a close again (outside
    // the click of the one before) is the way out; "type N T" sets an input type and "set
    // KEY V..." settings, and refreshes; "shown" / "gone": the wizard; "refreshed": one
    // REFRESH ran; "check BOX N V..." compares form values (corr, scaled: min and max;
    // off, multi: one value); "holds N LO HI M CLO CHI" the instrument's.
    void wizards_data()
    {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QByteArrayList>("expected");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("openAtEnd");

        const QByteArrayList raw2{"ATCCH2LO 4.00", "ATCCH2HI 20.00", "ATCCH2M 1.00", "ATCCH2CLO 4.00",
                                  "ATCCH2CHI 20.00", "ATCOFF2 0.00"};
        QByteArrayList raw1 = raw2;
        for (QByteArray& line : raw1)
            line.replace("CH2", "CH1").replace("OFF2", "OFF1");
        const QByteArrayList restore1{"ATCCH1LO 0.00", "ATCCH1HI 100.00", "ATCCH1M 1.00", "ATCCH1CLO 4.00",
                                      "ATCCH1CHI 20.00"};
        const QStringList error{"error! apply calibration settings..."};

        QTest::newRow("raw chain") << QStringList{"range 2", "wait", "check off 2 0"} << raw2 << QStringList{}
                                   << true;
        QTest::newRow("calibrate, then finish")
            << QStringList{"range 1", "wait", "next", "apply 4.02 19.95", "wait", "check corr 1 -0.02 0.05", "finish", "wait",
                           "check off 1 0", "check corr 1 -0.02 0.05"}
            << raw1 + QByteArrayList{"ATCCH1CLO 4.02", "ATCCH1CHI 19.95", "ATCCH1LO 0.00", "ATCCH1HI 100.00",
                                     "ATCCH1M 1.00", "ATCCH1CLO 4.02", "ATCCH1CHI 19.95"}
            << QStringList{} << false;
        QTest::newRow("close is finish") << QStringList{"range 1", "wait", "close", "wait"} << raw1 + restore1
                                         << QStringList{} << false;
        QTest::newRow("escape during the raw chain, then again")
            << QStringList{"range 1", "escape", "wait", "escape", "wait"} << raw1 + restore1 << QStringList{} << false;
        QTest::newRow("more actions during the restore chain")
            << QStringList{"range 1", "wait", "next", "finish", "finish", "escape", "close", "apply 1 2", "back", "wait"}
            << raw1 + restore1 << QStringList{} << false;
        QTest::newRow("scale") << QStringList{"scale 1 -5 250 1.5", "finish", "wait", "check scaled 1 -5 250",
                                              "check multi 1 1.5"}
                               << QByteArrayList{"ATCCH1LO -5.00", "ATCCH1HI 250.00", "ATCCH1M 1.50"} << QStringList{}
                               << false;
        QTest::newRow("scale escape, then close")
            << QStringList{"scale 2 0 50 2", "escape", "wait", "close", "wait", "check scaled 2 0 100"}
            << QByteArrayList{} << QStringList{} << false;
        QTest::newRow("NONE") << QStringList{"type 3 -1", "range 3", "scale 3"} << QByteArrayList{}
                              << QStringList{"Please specify the sensor type.", "Please specify the sensor type."}
                              << false;
        // The instrument keeps what the chain wrote; the refresh after the error shows it.
        QTest::newRow("garbled echo in the raw chain")
            << QStringList{"garble ATCCH2M ATCCH2HI1.00", "range 2", "wait", "check scaled 2 4 20", "check corr 2 0 0"}
            << raw2.mid(0, 3) << error << false;
        QTest::newRow("echo of another channel")
            << QStringList{"garble ATCCH2HI ATCCH3HI20.00", "range 2", "wait"} << raw2.mid(0, 2) << error << false;
        // A double-click on the close while an echo is on its way, even past the way-out
        // time, is one close: the chain goes on and the restore chain puts the channel back.
        const QByteArrayList restoreFactory1{"ATCCH1LO 0.00", "ATCCH1HI 100.00", "ATCCH1M 1.00",
                                             "ATCCH1CLO 4.02", "ATCCH1CHI 19.95"};
        QTest::newRow("double-click while an echo is slow")
            << QStringList{"wayout 300", "set ATCCH1CLO 4.02 ATCCH1CHI 19.95", "hold ATCCH1HI", "range 1",
                           "until ATCCH1HI 20.00", "sleep 400", "close", "sleep 100", "close", "sleep 100", "shown",
                           "release", "wait", "holds 1 0.00 100.00 1.00 4.02 19.95"}
            << raw1 + restoreFactory1 << QStringList{} << false;
        // Two separate closes, both before the way-out time: the restore chain still ends.
        QTest::newRow("two closes on a slow echo")
            << QStringList{"set ATCCH1CLO 4.02 ATCCH1CHI 19.95", "range 1", "wait", "hold ATCCH1HI", "escape",
                           "until ATCCH1HI 100.00", "sleep 1100", "close", "sleep 800", "close", "shown", "release",
                           "wait", "holds 1 0.00 100.00 1.00 4.02 19.95"}
            << raw1 + restoreFactory1 << QStringList{} << false;
        // Closed again, past the click and the way-out time: nothing more is written, and
        // the late echo's APPLY is followed by a REFRESH that shows the raw scaling the
        // instrument kept.
        QTest::newRow("way out, then the echo comes")
            << QStringList{"wayout 500", "hold ATCCH1HI", "range 1", "until ATCCH1HI 20.00", "close", "sleep 700",
                           "close", "gone", "sleep 300", "release", "wait", "refreshed", "check scaled 1 4 20"}
            << raw1.mid(0, 2) << QStringList{} << false;
    }

    void wizards()
    {
        QFETCH(QStringList, script);
        QFETCH(QByteArrayList, expected);
        QFETCH(QStringList, boxes);
        QFETCH(bool, openAtEnd);
        ReadyLx x;
        QVERIFY(x.panel);
        QPointer<CalibWizard> wizard;
        auto held = std::make_shared<QByteArrayList>();
        auto refreshWith = [&](QStringList const& pairs) {
            for (int i = 0; i + 1 < pairs.size(); i += 2)
                x.sim->setSetting(pairs[i].toLatin1(), pairs[i + 1].toLatin1());
            x.ui->pushButton_refresh->click();
            return x.sim->waitForCommand("ATSINM1") && waitIdle(x.rig);
        };
        for (QString const& step : script) {
            const QStringList a = step.split(' ');
            const QString verb = a.first();
            auto number = [&a](int i) { return a.value(i).toDouble(); };
            if (verb == "range" || verb == "scale") {
                x.closer.setAnswer(QMessageBox::Yes);
                const int ch = a.value(1).toInt();
                const QString name = (verb == "scale" ? "pushButton_scale_ch" : "pushButton_wizard_ch") + a.value(1);
                QPushButton* button = x.panel->findChild<QPushButton*>(name);
                QVERIFY(button->isEnabled());
                button->click();
                wizard = wizardOf(x.panel);
                if (verb == "scale" && wizard) {
                    auto* page = wizard->page(1);
                    page->findChild<QDoubleSpinBox*>("doubleSpinBox_4ma")->setValue(number(2));
                    page->findChild<QDoubleSpinBox*>("doubleSpinBox_20ma")->setValue(number(3));
                    page->findChild<QDoubleSpinBox*>("doubleSpinBox_multiply")->setValue(number(4));
                }
                QCOMPARE(bool(wizard), x.panel->sensorType(ch) >= 0);
            } else if (verb == "apply") {
                QVERIFY(wizard);
                qobject_cast<CalibrateApply*>(wizard->page(1))->setDelta(number(1));
                qobject_cast<CalibrateApply*>(wizard->page(2))->setDelta(number(2));
                wizard->page(2)->findChild<QPushButton*>("pushButton_apply")->click();
            } else if (verb == "next" || verb == "back") {
                QVERIFY(wizard);
                wizard->button(verb == "next" ? QWizard::NextButton : QWizard::BackButton)->click();
            } else if (verb == "finish") {
                QVERIFY(wizard);
                wizard->button(QWizard::FinishButton)->click();
            } else if (verb == "escape") {
                QVERIFY(wizard);
                QTest::keyClick(wizard, Qt::Key_Escape);
            } else if (verb == "close") {
                QVERIFY(wizard);
                static_cast<QWidget*>(wizard)->close();
            } else if (verb == "wait") {
                QVERIFY(waitIdle(x.rig));
            } else if (verb == "garble") {
                garbleOnce(x.sim, a.value(1).toLatin1(), a.value(2).toLatin1());
            } else if (verb == "hold") {
                auto armed = std::make_shared<bool>(true);
                const QByteArray key = a.value(1).toLatin1();
                x.sim->setReplyFilter([held, armed, key](InstrumentSimulator::Request const& r, QByteArrayList replies) {
                    if (!*armed || r.token != key || r.isQuery())
                        return replies;
                    *armed = false;
                    *held = replies;
                    return QByteArrayList{};
                });
            } else if (verb == "release") {
                QVERIFY(!held->isEmpty());
                for (QByteArray const& line : *held)
                    x.sim->sendLine(line);
                held->clear();
            } else if (verb == "until") {
                QVERIFY(x.sim->waitForCommand(a.mid(1).join(' ').toLatin1()));
            } else if (verb == "sleep") {
                QTest::qWait(a.value(1).toInt());
            } else if (verb == "wayout") {
                WizardChain::WayOutMs = a.value(1).toInt();
            } else if (verb == "shown") {
                QVERIFY(wizard && wizard->isVisible());
            } else if (verb == "gone") {
                QVERIFY(!wizardOf(x.panel));
            } else if (verb == "refreshed") {
                QCOMPARE(x.sim->count("ATSINM1"), 1);
            } else if (verb == "type" || verb == "set") {
                QVERIFY(refreshWith(verb == "set" ? a.mid(1) : QStringList{"ATSINM" + a.value(1), a.value(2)}));
                x.sim->clearLog();
            } else if (verb == "holds") {
                const QStringList suffixes{"LO", "HI", "M", "CLO", "CHI"};
                for (int i = 0; i < suffixes.size(); ++i)
                    QCOMPARE(x.sim->setting(("ATCCH" + a.value(1) + suffixes[i]).toLatin1()),
                             a.value(2 + i).toLatin1());
            } else if (verb == "check") {
                const QString ch = a.value(2);
                auto value = [&](QString const& name) {
                    return x.panel->findChild<QDoubleSpinBox*>("doubleSpinBox_" + name + "_ch" + ch)->value();
                };
                if (a.value(1) == "off" || a.value(1) == "multi") {
                    QCOMPARE(value(a.value(1) == "off" ? "offset" : "multi"), number(3));
                } else {
                    QCOMPARE(value(a.value(1) == "corr" ? "correction_min" : "scaled_min"), number(3));
                    QCOMPARE(value(a.value(1) == "corr" ? "correction_max" : "scaled_max"), number(4));
                }
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
        QCOMPARE(writes(x.sim), expected);
        QStringList shown;
        for (QString const& text : x.closer.texts())
            if (!text.startsWith("Do you want"))
                shown << text;
        QCOMPARE(shown, boxes);
        QTRY_COMPARE(bool(wizardOf(x.panel)), openAtEnd);
        QTRY_COMPARE(bool(wizard), openAtEnd);
        QVERIFY(idle(x.rig));
        if (boxes == QStringList{"error! apply calibration settings..."})
            QCOMPARE(x.sim->count("ATSINM1"), 1);
    }

    void wizardButtonsWaitForACompleteRefresh()
    {
        E2eRig rig;
        ModalCloser closer(20);
        closer.setMessageBoxesOnly(true);
        InstrumentSimulator* sim = rig.bench.plugInstrument("LX0001", 702, 47);
        garbleOnce(sim, "ATCMODID", "ATCMODBR 1");
        rig.start();
        CommandDelay = 50;
        QVERIFY(sim->waitForCommand("ATCOFF1", kReadyWaitMs));
        LxCalibrator* panel = lx(rig);
        Ui::LxCalibrator* ui = panel->form();
        QVERIFY(!ui->pushButton_wizard_ch1->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, kReadyWaitMs);
        QCOMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
        QVERIFY(waitIdle(rig));
        // The form holds cleared values: no wizard may write them as a calibration.
        QVERIFY(ui->groupBox_ch1->isEnabled());
        for (QPushButton* button : {ui->pushButton_wizard_ch1, ui->pushButton_scale_ch1, ui->pushButton_wizard_ch4,
                                    ui->pushButton_scale_ch4})
            QVERIFY(!button->isEnabled());
        closer.setAnswer(QMessageBox::Yes);
        panel->wizards()->startRange(1);
        panel->wizards()->startScale(1);
        QTest::qWait(100);
        QCOMPARE(closer.count(), 1);
        QVERIFY(!wizardOf(panel));

        ui->pushButton_refresh->click();
        QVERIFY(sim->waitForCommand("ATCSON", kReadyWaitMs));
        QVERIFY(waitIdle(rig));
        QVERIFY(ui->pushButton_wizard_ch1->isEnabled());
        QVERIFY(ui->pushButton_scale_ch4->isEnabled());
    }

    void unplug_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("in the raw chain") << "chain";
        QTest::newRow("refresh error box open") << "box";
    }

    void unplug()
    {
        QFETCH(QString, when);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("LX0001", 702, 47);
        ModalCloser closer(20);
        closer.setMessageBoxesOnly(true);
        closer.setAnswer(QMessageBox::Yes);
        if (when == "box") {
            closer.setEnabled(false);
            garbleOnce(sim, "ATCCH3HI", "ATCCH3LO 1");
        }
        bool removedUnderTheBox = false;
        if (when == "box")
            rig.whenModalOpens([&](QWidget* modal) {
                rig.bench.unplug(sim);
                removedUnderTheBox = rig.waitClosed(kScanWaitMs) && rig.window()->calibrator() == nullptr;
                qobject_cast<QMessageBox*>(modal)->buttons().first()->click();
            });
        MainWindow* w = rig.start();
        CommandDelay = 50;
        if (when == "chain") {
            QVERIFY(waitIdle(rig));
            sim->removeCommand("ATCCH1M");
            lx(rig)->form()->pushButton_wizard_ch1->click();
            QVERIFY(sim->waitForCommand("ATCCH1M 1.00"));
            QVERIFY(wizardOf(lx(rig)));
            rig.bench.unplug(sim);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(removedUnderTheBox, kReadyWaitMs);
        }
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count("~LxCalibrator()"), 1);
        QTest::qWait(500);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        QVERIFY(!w->findChild<CalibWizard*>());
    }

    // Garbled and random lines from the instrument while the panel refreshes, writes and
    // runs its wizards: it never crashes or reads outside its arrays, ends unlocked or
    // locked waiting for a reply, and a REFRESH afterwards reads the instrument cleanly.
    void seededSweep_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }

    void seededSweep()
    {
        QFETCH(quint32, seed);
        ReadyLx x(47, [](InstrumentSimulator* sim) { sim->setSetting("ATCCH2HI", "75.00"); });
        QVERIFY(x.panel);
        x.closer.setAnswer(QMessageBox::Yes);
        QRandomGenerator rng(seed);
        const QStringList keys{"ATSINM", "ATCOFF", "ATCCH", "ATCSON", "ATCISMST", "ATCMODCH", "ATCMSTID",
                               "ATCRLYNO", "ATCPPMMAX", "ATCRLYDLY", "ATCMODBR", "ATCMODTO", "ATCMODSW",
                               "ATCMODID", "ATCFTRST", "ATCEXTM", "ATCBLDTM", "ATCQ", "OK", "XYZ"};
        const QStringList suffixes{"LO", "HI", "CLO", "CHI", "M", ""};
        const QStringList values{"", "abc", "-1", "1.5", "1e309", "nan", "----", "99999999999", "OK", "FAIL",
                                 "4.00,12.50,20.00,----", ",,,", QString(3000, '9')};
        auto pick = [&rng](QStringList const& list) { return list.at(rng.bounded(list.size())); };
        QTimer noise;
        connect(&noise, &QTimer::timeout, [&] {
            const QString key = pick(keys);
            const int digit = rng.bounded(11); // 10: none
            QString line = key + (digit < 10 ? QString::number(digit) : QString());
            if (key == "ATCCH")
                line += pick(suffixes);
            line += " " + pick(values);
            x.sim->sendLine(line.toLatin1());
        });
        noise.start(15);
        Ui::LxCalibrator* ui = x.ui;
        for (int i = 0; i < 30; ++i) {
            const int ch = 1 + rng.bounded(4);
            CalibWizard* wizard = wizardOf(x.panel);
            switch (rng.bounded(8)) {
            case 0: ui->pushButton_refresh->click(); break;
            case 1: x.panel->findChild<QPushButton*>(QString("pushButton_wizard_ch%1").arg(ch))->click(); break;
            case 2: x.panel->findChild<QPushButton*>(QString("pushButton_scale_ch%1").arg(ch))->click(); break;
            case 3: x.panel->findChild<QToolButton*>(QString("toolButton_offset_apply_ch%1").arg(ch))->click(); break;
            case 4: ui->toolButton_modbus_timeout_apply->click(); break;
            case 5: if (wizard) wizard->button(QWizard::FinishButton)->click(); break;
            case 6: if (wizard) static_cast<QWidget*>(wizard)->close(); break;
            default: if (wizard) wizard->button(QWizard::NextButton)->click(); break;
            }
            QTest::qWait(40 + rng.bounded(200));
        }
        noise.stop();
        QTest::qWait(300);
        QTRY_VERIFY(!QApplication::activeModalWidget() || wizardOf(x.panel));
        const unsigned mode = x.panel->mode();
        QVERIFY(mode == DEFAULT || mode == REFRESH || mode == APPLY);
        QVERIFY(x.panel->isLocked() == (mode != DEFAULT) || x.panel->refreshScheduled());

        // REFRESH is never locked: it reads the instrument afresh.
        ui->pushButton_refresh->click();
        QVERIFY(waitIdle(x.rig));
        QVERIFY(x.rig.status().startsWith("success! refresh calibration settings."));
        QVERIFY(!wizardOf(x.panel));
        QCOMPARE(ui->doubleSpinBox_scaled_max_ch2->value(), x.sim->setting("ATCCH2HI").toDouble());
        QVERIFY(ui->pushButton_wizard_ch2->isEnabled());
    }
};

QTEST_MAIN(E2eLx)
#include "e2e_lx.moc"
