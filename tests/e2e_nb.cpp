// The two-channel gas panel end to end: the real main window on a mocked USB instrument
// that plays the HV700K3-NB (tests/support/sim_nb.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QMessageBox>
#include <QRandomGenerator>
#include <QtTest>

#include "calibratespan.h"
#include "calibwizard.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "modbusblock.h"
#include "nbcalibrator.h"
#include "passworddlg.h"
#include "selectdevice.h"
#include "statuslog.h"
#include "ui_mainwindow.h"
#include "ui_nbcalibrator.h"
#include "wizardchain.h"

namespace {

constexpr int kReadyWaitMs = 10000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;

const QString kRefreshErrorBox = "error! refresh calibration settings...";
const QString kApplyErrorBox = "error! apply calibration settings...";

NbCalibrator* nb(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<NbCalibrator*>(rig.window()->calibrator()) : nullptr;
}

// The panel exists, no sequence runs, it is unlocked and the poll runs.
bool idle(E2eRig& rig)
{
    NbCalibrator* panel = nb(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig, int timeoutMs = kReadyWaitMs)
{
    return QTest::qWaitFor([&] { return idle(rig); }, timeoutMs);
}

// Answers every message box as it opens (Yes where it has one, else Ok), leaving other
// modal windows (the wizard, the password dialog) alone.
struct Boxes : ModalCloser
{
    Boxes()
    {
        setMessageBoxesOnly(true);
        setAnswer(QMessageBox::Yes);
    }
};

// The queries of a REFRESH at a firmware version, then the two unit commands.
QByteArrayList refreshOrder(unsigned version)
{
    QByteArrayList lines;
    for (const char* n : {"1", "2"})
        for (const char* key : {"ATCSINM", "ATCMODE", "ATCOFFG", "ATCOFFT", "ATCCSP", "ATCEXTM", "ATCUSED", "ATCTCMP",
                                "ATCSNAME", "ATCWIN"})
            lines << QByteArray(key) + n;
    lines << "ATCMODBR" << "ATCMODTO" << "ATCMODSW" << "ATCMODID" << "ATCBLDTM";
    if (version >= 30)
        lines << "ATCISMST" << "ATCMODCH" << "ATCMSTID" << "ATCRLYNO" << "ATCPPMMAX" << "ATCRLYDLY";
    if (version >= 42)
        lines << "ATCSON";
    return lines << "ATCC1" << "ATCC2";
}

// Commands other than the poll since the log was cleared.
QByteArrayList sent(InstrumentSimulator* sim)
{
    QByteArrayList lines;
    for (QByteArray const& line : sim->commandLines())
        if (line != "ATCH1" && line != "ATCH2")
            lines << line;
    return lines;
}

// A gas instrument plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyNb
{
    explicit ReadyNb(unsigned version = 42)
    {
        sim = rig.bench.plugInstrument("NB0001", 704, version);
        rig.start();
        panel = waitIdle(rig) ? nb(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    NbCalibrator* panel = nullptr;
    Ui::NbCalibrator* ui = nullptr;
};

} // namespace

class E2eNb : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    void refreshOrderByFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<int>("delay");
        QTest::newRow("25") << 25u << 50;
        QTest::newRow("41") << 41u << 50;
        QTest::newRow("42, 300 ms") << 42u << 300;
    }

    void refreshOrderByFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(int, delay);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("NB0001", 704, version);
        sim->setSetting("ATCSNAME2", "CO2X");
        MainWindow* w = rig.start();
        CommandDelay = delay;
        StatusLog shown(w);
        QVERIFY(waitIdle(rig, 30000));
        NbCalibrator* panel = nb(rig);
        Ui::NbCalibrator* ui = panel->form();

        const QByteArrayList expected = QByteArrayList{"ATCVER"} + refreshOrder(version);
        QCOMPARE(sent(sim), expected);
        // Each CommandDelay after the reply before it.
        for (int i = 1; i < expected.size(); ++i) {
            const qint64 gap = sim->timesOf(expected.at(i)).first() - sim->timesOf(expected.at(i - 1)).first();
            QVERIFY2(gap >= delay - 1 && gap < delay + kSlackMs, expected.at(i) + " " + QByteArray::number(gap));
        }
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QVERIFY(rig.status().startsWith("success! apply the device's temperature mode to the celsius mode."));
        QCOMPARE(ui->lineEdit_sensor_name_ch2->text(), QString("CO2X"));
        QCOMPARE(ui->doubleSpinBox_spancal_ch1->value(), 340.0);
        QCOMPARE(panel->modbus()->rs485On(), version >= 42);

        // Channel 1 every DataInterval, channel 2 50 ms after it.
        sim->clearLog();
        QVERIFY(sim->waitForCommand("ATCH2", 4000, 2));
        const QList<qint64> ch1 = sim->timesOf("ATCH1");
        const QList<qint64> ch2 = sim->timesOf("ATCH2");
        QVERIFY2(qAbs(ch1.at(1) - ch1.at(0) - DataInterval) < kSlackMs, QByteArray::number(ch1.at(1) - ch1.at(0)));
        QVERIFY2(ch2.at(0) - ch1.at(0) >= 49 && ch2.at(0) - ch1.at(0) < 50 + kSlackMs, QByteArray::number(ch2.at(0) - ch1.at(0)));
        QTRY_COMPARE(ui->lcdNumber_ch2->value(), 3.4);
        QCOMPARE(ui->doubleSpinBox_temperature_ch1->value(), version >= 26 ? 25.0 : 25.1);
    }

    void refreshReplyFailsTheRefresh_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("4-field record at 26") << 26u << QByteArray("ATCCSP1") << QByteArray("ATCCSP1 50,0.5,12.5,340");
        QTest::newRow("3-field record at 25") << 25u << QByteArray("ATCCSP2") << QByteArray("ATCCSP2 50,0.5,12.5");
        QTest::newRow("the other channel") << 42u << QByteArray("ATCOFFG1") << QByteArray("ATCOFFG2 1.00");
        QTest::newRow("another keyword") << 42u << QByteArray("ATCMODID") << QByteArray("ATCMODTO 1");
    }

    void refreshReplyFailsTheRefresh()
    {
        QFETCH(unsigned, version);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("NB0001", 704, version);
        sim->setReply(query, {reply});
        Boxes boxes;
        bool unlockedAtBox = false;
        boxes.setInspector([&](QWidget*) { unlockedAtBox = idle(rig); });
        rig.start();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 20000);
        QCOMPARE(boxes.texts(), QStringList{kRefreshErrorBox});
        QVERIFY(unlockedAtBox);
        QVERIFY(rig.status().startsWith("error! refresh calibration settings."));
        QVERIFY(sim->waitForCommand("ATCH1", 3000));
        QCOMPARE(sim->count("ATCC1"), 0);
    }

    // A late channel-2 reply of an interrupted REFRESH does not stand in for channel 1.
    void lateReplyOfAnInterruptedRefresh()
    {
        ReadyNb r;
        QVERIFY(r.panel);
        r.sim->removeCommand("ATCSINM2");
        Boxes boxes;
        StatusLog shown(r.rig.window());
        r.ui->pushButton_refresh->click();
        QVERIFY(r.sim->waitForCommand("ATCSINM2", kReadyWaitMs));
        QTest::qWait(100);
        r.ui->pushButton_refresh->click();
        r.sim->sendLine("ATCSINM2 1");
        QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 3000);
        QCOMPARE(boxes.texts(), QStringList{kRefreshErrorBox});
        QVERIFY(!shown.contains("success! refresh calibration settings."));
        QVERIFY(waitIdle(r.rig));
    }

    void factoryReset_data()
    {
        QTest::addColumn<QString>("start");    // "reset" (asked), "refresh", "wizard" (the manual write's REFRESH)
        QTest::addColumn<int>("presses");      // of REFRESH, each once the one before has ended
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("unknown");      // channel-2 type queries answered with an unknown type
        QTest::newRow("asked, refused") << QString("reset") << 0 << QByteArray("ATCFTRST FAIL") << 0;
        QTest::newRow("bad sensor type, done") << QString("refresh") << 1 << QByteArray("ATCFTRST OK") << 1;
        QTest::newRow("bad sensor type, refused") << QString("refresh") << 1 << QByteArray("ATCFTRST") << 1;
        // The REFRESH after the manual write closes the wizard; the refused reset then ends
        // all the same (one box, no REFRESH).
        QTest::newRow("after the manual write, refused") << QString("wizard") << 0 << QByteArray("ATCFTRST FAIL") << 2;
        // Still unknown after the reset: the REFRESH it starts fails instead of resetting
        // again; a REFRESH pressed then resets once more.
        QTest::newRow("type stays, done") << QString("refresh") << 1 << QByteArray("ATCFTRST OK") << 2;
        QTest::newRow("type stays, REFRESH again") << QString("refresh") << 2 << QByteArray("ATCFTRST OK") << 4;
    }

    void factoryReset()
    {
        QFETCH(QString, start);
        QFETCH(int, presses);
        QFETCH(QByteArray, reply);
        QFETCH(int, unknown);
        const bool asked = start == "reset";
        const bool done = reply.contains("OK");
        ReadyNb r;
        QVERIFY(r.panel);
        r.sim->setReply("ATCFTRST", {reply});
        // Channel 2 reports an unknown type to its first queries (a panel resetting at each
        // REFRESH stops once it is known).
        int types = 0;
        r.sim->onCommand("ATCSINM2", [&types, unknown](InstrumentSimulator::Request const&) {
            return QByteArrayList{++types <= unknown ? "ATCSINM2 3" : "ATCSINM2 1"};
        });
        Boxes boxes;
        int stepAtBox = -1;
        boxes.setInspector([&](QWidget*) { stepAtBox = int(r.panel->seq()); });
        StatusLog shown(r.rig.window());
        if (asked) {
            r.ui->pushButton_factoryreset->click();
        } else if (start == "wizard") {
            r.ui->pushButton_mannual_ch1->click();
            QVERIFY(r.panel->wizards()->wizard());
            emit r.panel->wizards()->wizard()->writeDone(1);
        } else {
            r.ui->pushButton_refresh->click();
        }
        QVERIFY(r.sim->waitForCommand("ATCFTRST", kReadyWaitMs));
        if (!asked) {
            // The REFRESH stopped at the unknown type.
            QCOMPARE(sent(r.sim).mid(sent(r.sim).indexOf("ATCSINM2")), QByteArrayList({"ATCSINM2", "ATCFTRST"}));
            QCOMPARE(r.ui->comboBox_sensortype_ch2->currentText(), QString("NONE"));
        }
        QVERIFY(waitIdle(r.rig));
        QStringList expected;
        if (start != "refresh")
            expected << (asked ? "Your work will be erased. Would you like to continue?" : "Do you want to change the parameters?");
        if (done && unknown > 1) {
            for (int press = 1; press <= presses; ++press) {
                if (press > 1) {
                    r.ui->pushButton_refresh->click();
                    QVERIFY(r.sim->waitForCommand("ATCFTRST", kReadyWaitMs, press));
                    QVERIFY(waitIdle(r.rig));
                }
                expected << "the Factory Reset is completed." << kRefreshErrorBox;
            }
            QCOMPARE(r.sim->count("ATCFTRST"), presses);
            QCOMPARE(boxes.texts(), expected);
            QCOMPARE(boxes.titles().last(), QString("ERROR"));
            QVERIFY(r.rig.status().startsWith("error! refresh calibration settings."));
            // Nothing but the polls until the user acts.
            r.sim->clearLog();
            QVERIFY(r.sim->waitForCommand("ATCH2", 4000, 2));
            QCOMPARE(sent(r.sim), QByteArrayList());
            return;
        }
        if (done) {
            QCOMPARE(boxes.texts(), expected + QStringList{"the Factory Reset is completed."});
            QCOMPARE(r.sim->count("ATCSINM1"), asked ? 1 : 2);
            QVERIFY(shown.contains("success! refresh calibration settings."));
            return;
        }
        QCOMPARE(boxes.texts(), expected + QStringList{"factory reset failed...!"});
        QCOMPARE(boxes.titles().last(), QString("ERROR"));
        // The step is done at the box (a line arriving meanwhile finds none); the APPLY
        // then ends as an error, without a second box and without a refresh.
        QCOMPARE(stepAtBox, 0);
        QVERIFY(r.rig.status().startsWith("error! apply calibration settings."));
        QVERIFY(!shown.contains("success! apply calibration settings."));
        // Then nothing but the polls: no REFRESH, no second reset.
        QVERIFY(r.sim->waitForCommand("ATCH2", 4000, r.sim->count("ATCH2") + 2));
        QCOMPARE(r.sim->count("ATCFTRST"), 1);
        QCOMPARE(boxes.count(), expected.size() + 1);
        QCOMPARE(sent(r.sim).last(), QByteArray("ATCFTRST"));
    }

    void applyRoundTrips()
    {
        ReadyNb r;
        QVERIFY(r.panel);
        Ui::NbCalibrator* ui = r.ui;
        NbCalibrator* panel = r.panel;
        Boxes boxes;
        // line: the write (ending in a blank: its start); refresh: a REFRESH follows (the
        // calibrations and the sensor type), else the APPLY ends on the echo; shows: what the
        // instrument holds now shows.
        struct Case { const char* name; std::function<void()> act; QByteArray line; bool refresh; QString status;
                      std::function<bool()> shows; };
        const Case cases[] = {
            {"sensor type", [&] { ui->comboBox_sensortype_ch2->setCurrentIndex(2); emit ui->toolButton_sensortype_apply_ch2->pressed(); },
             "ATCSINM2 2", true, {}, [&] { return panel->sensorType(2) == 2; }},
            {"name", [&] { ui->lineEdit_sensor_name_ch1->setText("AB CD"); emit ui->toolButton_sensorname_apply_ch1->pressed(); },
             "ATCSNAME1 AB CD", false, {}, [&] { return ui->lineEdit_sensor_name_ch1->text() == "ABCD"; }},
            {"gas offset", [&] { ui->doubleSpinBox_offset_ch1->setValue(-0.25); emit ui->toolButton_offset_apply_ch1->pressed(); },
             "ATCOFFG1 -0.25", false, {}, {}},
            {"filter", [&] { ui->radioButton_filtergas_ch1->click(); }, "ATCMODE1 1", false,
             "change the sensor to the digital filter mode 1...",
             [&] { return panel->digitalFilter(1) && ui->radioButton_filtergas_ch1->isChecked(); }},
            {"zero", [&] { emit ui->toolButton_zerocal_apply_ch1->pressed(); }, "ATCCZR1", true, {}, {}},
            {"span", [&] { ui->doubleSpinBox_spancal_ppm_ch2->setValue(0.5); emit ui->toolButton_spancal_apply_ch2->pressed(); },
             "ATCCSP2 0.5", true, {}, {}},
            {"calibration time", [&] {
                 emit ui->toolButton_exec_datetime_ch2->pressed();
                 QVERIFY(panel->passwordDialog(2)->isVisible());
                 QVERIFY(!panel->passwordDialog(1)->isVisible());
                 emit panel->passwordDialog(2)->pwdOk();
                 panel->passwordDialog(2)->hide();
             }, "ATCEXTM2 ", true, {}, {}},
            {"baud rate", [&] { ui->comboBox_modbus_baudrate->setCurrentIndex(3); emit ui->toolButton_modbus_baudrate_apply->pressed(); },
             "ATCMODBR 3", false, {}, {}},
            {"relay", [&] { ui->comboBox_modbus_relay_no->setCurrentIndex(2); emit ui->toolButton_modbus_relay_no_apply->pressed(); },
             "ATCRLYNO 3", false, {}, [&] { return panel->modbus()->relayNo() == 2; }},
        };
        for (Case const& c : cases) {
            QVERIFY2(waitIdle(r.rig), c.name);
            r.sim->clearLog();
            const int shownBoxes = boxes.count();
            StatusLog shown(r.rig.window());
            c.act();
            QVERIFY(!ui->groupBox_ch1->isEnabled());
            QVERIFY(QTest::qWaitFor([&] { return !sent(r.sim).isEmpty(); }, 3000));
            const QByteArray first = sent(r.sim).first();
            QVERIFY2(c.line.endsWith(' ') ? first.startsWith(c.line) : first == c.line, c.name);
            QVERIFY(waitIdle(r.rig));
            QTest::qWait(200);
            QCOMPARE(r.sim->count("ATCSINM1"), c.refresh ? 1 : 0);
            QVERIFY(shown.contains(c.refresh ? "success! refresh calibration settings." : "success! apply calibration settings."));
            QVERIFY(c.status.isEmpty() || shown.contains(c.status));
            QCOMPARE(boxes.count() - shownBoxes, c.line.startsWith("ATCEXTM") ? 1 : 0); // the question
            QVERIFY2(!c.shows || c.shows(), c.name);
        }
    }

    void spanEchoFieldsByFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("error");
        QTest::newRow("25") << 25u << false;
        QTest::newRow("26") << 26u << true;
    }

    // A span calibration echo of four fields: enough before firmware 26, too few from it.
    void spanEchoFieldsByFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(bool, error);
        ReadyNb r(version);
        QVERIFY(r.panel);
        InstrumentSimulator* sim = r.sim;
        sim->onCommand("ATCCSP1", [sim](InstrumentSimulator::Request const& request) {
            return QByteArrayList{"ATCCSP1 " + (request.isQuery() ? sim->setting("ATCCSP1") : QByteArray("50,0.5,12.5,340"))};
        });
        Boxes boxes;
        emit r.ui->toolButton_spancal_apply_ch1->pressed();
        QVERIFY(sim->waitForCommand("ATCCSP1 50"));
        QTest::qWait(200);
        QVERIFY(waitIdle(r.rig));
        QCOMPARE(boxes.texts(), error ? QStringList{kApplyErrorBox} : QStringList());
        QCOMPARE(sim->count("ATCSINM1"), error ? 0 : 1);
    }

    void manualParameters()
    {
        ReadyNb r;
        QVERIFY(r.panel);
        r.sim->setSetting("ATCSINM2", "0");
        r.ui->pushButton_refresh->click();
        QVERIFY(waitIdle(r.rig));
        r.sim->clearLog();
        Boxes boxes;

        // Channel 2 has no sensor type.
        r.ui->pushButton_mannual_ch2->click();
        QCOMPARE(boxes.texts(), QStringList{"Please specify the sensor type."});
        QVERIFY(r.panel->wizards()->wizard() == nullptr);

        // Escape and the close button only close the wizard.
        for (int result : {0, -1}) {
            r.ui->pushButton_mannual_ch1->click();
            CalibWizard* wizard = r.panel->wizards()->wizard();
            QVERIFY(wizard && wizard->isModal());
            auto* page = qobject_cast<CalibrateSpan*>(wizard->page(1));
            QVERIFY(page);
            QCOMPARE(page->getZero(), 12.5);
            QCOMPARE(page->getSpan(), 340.0);
            QCOMPARE(page->getSpanPpm(), 50.0);
            if (result == 0)
                emit wizard->writeDone(0);
            else
                emit wizard->close();
            QTRY_VERIFY(r.panel->wizards()->wizard() == nullptr);
        }
        QTest::qWait(200);
        QVERIFY(sent(r.sim).isEmpty());

        // Finish pressed twice writes once; a 2-field echo is an APPLY error.
        r.sim->setReply("ATCCAL1", {"ATCCAL1 1,2"});
        r.ui->pushButton_mannual_ch1->click();
        CalibWizard* wizard = r.panel->wizards()->wizard();
        QVERIFY(wizard);
        emit wizard->writeDone(1);
        emit wizard->writeDone(1);
        QTRY_COMPARE(boxes.texts().last(), kApplyErrorBox);
        QCOMPARE(sent(r.sim), QByteArrayList{"ATCCAL1 12.5,340,50"});
        QVERIFY(r.panel->wizards()->wizard() == nullptr);
        // The form is read again after the failed write.
        QVERIFY(r.sim->waitForCommand("ATCSINM1"));
        QVERIFY(waitIdle(r.rig));
    }

    void unitReplies()
    {
        const QString ok = "success! apply the device's temperature mode to the fahrenheit mode.";
        const QString fail = "FAIL! apply the device's temperature mode to the fahrenheit mode.";
        // The failures first: each leaves channel 2 in Celsius.
        const struct { QByteArray reply; bool fahrenheit; QString status; } cases[] = {
            {"ATCF2 FAIL", false, fail},
            {"ATCF1 OK", false, fail}, // the other channel
            {"OK", false, fail},
            {"ATCF2 OK", true, ok},
        };
        ReadyNb r;
        QVERIFY(r.panel);
        Boxes boxes;
        for (auto const& c : cases) {
            r.sim->clearLog();
            r.sim->setReply("ATCF2", {c.reply});
            r.ui->radioButton_fahrenheit_ch2->click();
            QVERIFY(r.sim->waitForCommand("ATCF2"));
            QVERIFY2(waitIdle(r.rig), c.reply.constData());
            QVERIFY2(r.rig.status().startsWith(c.status), c.reply.constData());
            QCOMPARE(r.panel->isCelsius(2), !c.fahrenheit);
            QVERIFY(r.panel->isCelsius(1));
            QCOMPARE(r.ui->radioButton_fahrenheit_ch2->isChecked(), c.fahrenheit);
            QVERIFY(boxes.texts().isEmpty());
            QCOMPARE(sent(r.sim), QByteArrayList{"ATCF2"});
        }
    }

    void celsiusChainWithChannel1Failing()
    {
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("NB0001", 704, 42);
        sim->setReply("ATCC1", {"ATCC1 FAIL"});
        rig.start();
        QVERIFY(waitIdle(rig));
        QCOMPARE(sent(sim).mid(sent(sim).size() - 2), QByteArrayList({"ATCC1", "ATCC2"}));
        QVERIFY(rig.status().startsWith("FAIL! apply the device's temperature mode to the celsius mode."));
        // The chain is over: a channel-1 change sends channel 1 only.
        sim->clearLog();
        nb(rig)->form()->radioButton_fahrenheit_ch1->click();
        QVERIFY(sim->waitForCommand("ATCF1"));
        QVERIFY(waitIdle(rig));
        QTest::qWait(300);
        QCOMPARE(sent(sim), QByteArrayList{"ATCF1"});
        QVERIFY(!nb(rig)->isCelsius(1));
    }

    void refreshInsideTheCelsiusChain()
    {
        ReadyNb r;
        QVERIFY(r.panel);
        CommandDelay = 300;
        r.ui->pushButton_refresh->click();
        QVERIFY(r.sim->waitForCommand("ATCSON", 30000));
        QTest::qWait(100);
        QVERIFY(r.panel->celsiusAll());
        r.ui->pushButton_refresh->click();
        QVERIFY(!r.panel->celsiusAll());
        QVERIFY(waitIdle(r.rig, 30000));
        const QByteArrayList lines = sent(r.sim);
        QCOMPARE(lines.at(lines.indexOf("ATCSON") + 1), QByteArray("ATCSINM1"));
        QCOMPARE(r.sim->count("ATCC1"), 1);
        QCOMPARE(r.sim->count("ATCC2"), 1);
        QCOMPARE(lines.mid(lines.size() - 2), QByteArrayList({"ATCC1", "ATCC2"}));
    }

    void unplug_data()
    {
        QTest::addColumn<QByteArray>("query"); // left unanswered
        QTest::newRow("in the middle of a refresh") << QByteArray("ATCCSP2");
        QTest::newRow("in the Celsius chain") << QByteArray("ATCC2");
    }

    void unplug()
    {
        QFETCH(QByteArray, query);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("NB0001", 704, 42);
        sim->removeCommand(query);
        MainWindow* w = rig.start();
        QVERIFY(sim->waitForCommand(query, kReadyWaitMs));
        QTest::qWait(200);
        QVERIFY(nb(rig)->isLocked());
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(3000));
        QTRY_COMPARE(rig.log().count("~NbCalibrator()"), 1);
        QTest::qWait(500);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        QVERIFY(w->selectDevice()->isVisible());
    }

    // Garbled lines in every mode: no crash, no access out of range, and the panel ends
    // unlocked in DEFAULT, or waits in its mode and a REFRESH recovers it.
    void garbledLines()
    {
        ReadyNb r;
        QVERIFY(r.panel);
        Boxes boxes;
        QRandomGenerator random(704);
        const QByteArrayList queries = refreshOrder(42);
        const QByteArrayList keywords = {"ATCSINM", "ATCMODE", "ATCOFFG", "ATCCSP", "ATCEXTM", "ATCWIN", "ATCMODBR",
                                         "ATCRLYNO", "ATCSON", "ATCC", "ATCF", "ATCFTRST", "ATCCAL", "ATCH", "ATCXYZ"};
        auto garbage = [&]() -> QByteArray {
            const QByteArray key = keywords.at(random.bounded(keywords.size()));
            const QByteArray digit = QByteArrayList{"", "0", "1", "2", "3", "9"}.at(random.bounded(6));
            switch (random.bounded(7)) {
            case 0: return key + digit;
            case 1: return key + digit + " abc";
            case 2: return key + digit + " " + QByteArray::number(random.bounded(-5, 12));
            case 3: return key + digit + " 1";
            case 4: return key + digit + " 1,2,3,4,5,6,7,8,9";
            case 5: return key + digit + " " + QByteArray(3000, '7');
            default: return QByteArrayList{"OK", "FAIL", ",,,,,", "----"}.at(random.bounded(4));
            }
        };
        // The instrument answers the query once with a garbled line, then as before.
        std::vector<std::shared_ptr<bool>> armed;
        auto garble = [&](QByteArray const& token) {
            auto fired = std::make_shared<bool>(false);
            armed.push_back(fired);
            InstrumentSimulator* sim = r.sim;
            const QByteArray line = garbage();
            const bool unit = token.startsWith("ATCC") && token.size() == 5;
            sim->onCommand(token, [=](InstrumentSimulator::Request const& request) {
                if (!*fired) {
                    *fired = true;
                    return QByteArrayList{line};
                }
                if (unit)
                    return QByteArrayList{request.token + " OK"};
                if (!request.isQuery())
                    sim->setSetting(request.token, request.argument);
                return QByteArrayList{request.token + " " + sim->setting(request.token)};
            });
        };
        for (int round = 0; round < 15; ++round) {
            const int kind = random.bounded(4);
            if (kind == 0) {
                garble(queries.at(random.bounded(queries.size())));
                r.ui->pushButton_refresh->click();
            } else if (kind == 1) {
                garble("ATCOFFG1");
                emit r.ui->toolButton_offset_apply_ch1->pressed();
            } else if (kind == 2) {
                garble("ATCMODBR");
                emit r.ui->toolButton_modbus_baudrate_apply->pressed();
            } else {
                for (int i = 0; i < 5; ++i)
                    r.sim->sendLine(garbage());
            }
            QTest::qWait(1500);
            QVERIFY(nb(r.rig));
            if (!idle(r.rig)) {
                // A garbled answer not given yet would stop the recovery too.
                for (auto const& fired : armed)
                    *fired = true;
                r.ui->pushButton_refresh->click();
                QVERIFY2(waitIdle(r.rig, 20000),
                         qPrintable(QString("round %1 mode %2 seq %3 locked %4: ").arg(round).arg(r.panel->mode())
                                        .arg(r.panel->seq()).arg(r.panel->isLocked())
                                    + QString::fromLatin1(sent(r.sim).mid(qMax(0, sent(r.sim).size() - 4)).join(' '))));
            }
        }
    }
};

QTEST_MAIN(E2eNb)
#include "e2e_nb.moc"
