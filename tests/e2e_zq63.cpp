// The ZQ63, ZQ65, ZQ67 and ZQ74 panels end to end: the real main window on a mocked USB
// instrument (tests/support/sim_zq63.cpp, sim_zq74.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QSpinBox>
#include <QtTest>

#include "calibrateapply.h"
#include "calibratorpanel.h"
#include "calibwizard.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "passworddlg.h"
#include "rangewizardflow.h"
#include "statuslog.h"
#include "wizardchain.h"
#include "zq63calibrator.h"
#include "zq74calibrator.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;
constexpr double kNoChannel = -99999.999;

const QString kApplyOk = "success! apply calibration settings.";
const QString kApplyErrorBox = "error! apply calibration settings...";

CalibratorPanel* panelOf(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<CalibratorPanel*>(rig.window()->calibrator()) : nullptr;
}

template <class W = QWidget>
W* child(E2eRig& rig, QString const& name)
{
    CalibratorPanel* panel = panelOf(rig);
    return panel ? panel->findChild<W*>(name) : nullptr;
}

// The REFRESH queries of channels 1..channels: the range items, or the sensitivity.
QByteArrayList channelQueries(int channels, bool sensitivity = false)
{
    QByteArrayList lines;
    const QStringList items = sensitivity ? QStringList{"ATCCH%1WIN"}
                                          : QStringList{"ATCOFF%1", "ATCCH%1LO", "ATCCH%1HI", "ATCCH%1CLO", "ATCCH%1CHI"};
    for (QString const& item : items)
        for (int n = 1; n <= channels; ++n)
            lines << item.arg(n).toLatin1();
    return lines;
}

// No sequence runs, the panel is unlocked and polled.
bool idle(E2eRig& rig)
{
    CalibratorPanel* panel = panelOf(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig, int timeoutMs = kReadyWaitMs)
{
    return QTest::qWaitFor([&] { return idle(rig); }, timeoutMs);
}

// Settings both channels hold in most tests: correction min -0.50 and max -1.00 on
// channel 1, 0.00 and 1.00 on channel 2.
void storeSettings(InstrumentSimulator* sim)
{
    const QList<QPair<QByteArray, QByteArray>> settings = {
        {"ATCOFF1", "0.50"}, {"ATCCH1LO", "-50.00"}, {"ATCCH1HI", "200.00"},
        {"ATCCH1CLO", "-49.50"}, {"ATCCH1CHI", "201.00"}, {"ATCCH1WIN", "5"},
        {"ATCOFF2", "-0.25"}, {"ATCCH2LO", "-40.00"}, {"ATCCH2HI", "100.00"},
        {"ATCCH2CLO", "-40.00"}, {"ATCCH2CHI", "99.00"}, {"ATCCH2WIN", "15"}};
    for (auto const& s : settings)
        if (!sim->setting(s.first).isEmpty())
            sim->setSetting(s.first, s.second);
}

// An instrument of the model plugged in and read out, its panel idle, the log cleared.
struct Ready
{
    Ready(int code, unsigned version)
    {
        sim = rig.bench.plugInstrument("A1B2C3", code, version);
        storeSettings(sim);
        sim->setReadings(code == 65 || code == 67 ? QByteArrayList{"21.50"} : QByteArrayList{"21.50", "-3.25"});
        rig.start();
        panel = waitIdle(rig) ? panelOf(rig) : nullptr;
        sim->clearLog();
    }
    template <class W = QWidget>
    W* get(QString const& name) { return child<W>(rig, name); }

    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    CalibratorPanel* panel = nullptr;
};

// Every command line since the log was cleared, polls left out.
QByteArrayList commands(InstrumentSimulator* sim)
{
    QByteArrayList lines = sim->commandLines();
    lines.removeAll("ATCD");
    return lines;
}

bool gapOk(qint64 gap, int delay)
{
    return gap >= delay - 1 && gap < delay + kSlackMs;
}

// Opens the range wizard of a channel, answering the question Yes; the wizard or null.
CalibWizard* openWizard(Ready& z, int channel)
{
    z.rig.whenModalOpens([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Yes)->click();
    });
    z.get<QPushButton>("pushButton_wizard_ch" + QString::number(channel))->click();
    CalibWizard* w = nullptr;
    (void)QTest::qWaitFor([&] { return (w = z.panel->findChild<CalibWizard*>()) != nullptr; }, 3000);
    return w;
}

CalibrateApply* applyPage(CalibWizard* w, int id)
{
    return qobject_cast<CalibrateApply*>(w->page(id));
}

// Waits until the commands since the log was cleared (polls aside) are expected.
bool waitCommands(InstrumentSimulator* sim, QByteArrayList const& expected)
{
    return QTest::qWaitFor([&] { return commands(sim) == expected; }, 5000);
}

// Answers message boxes only (a modal wizard stays open), remembering their texts.
struct BoxAnswerer : ModalCloser
{
    BoxAnswerer() : ModalCloser(20)
    {
        setMessageBoxesOnly(true);
        setAnswer(QMessageBox::Yes);
    }
};

// A reply as a faulty instrument or line might give it instead of the real one.
QByteArrayList garble(QByteArray const& reply, QRandomGenerator& random)
{
    static const QByteArrayList keywords = {"ATCOFF", "ATCCH", "ATCTS", "ATCEXTM", "ATCBLDTM", "ATCD", "ATCC", "OK", "FAIL"};
    const int blank = reply.indexOf(' ');
    const QByteArray key = blank < 0 ? reply : reply.left(blank);
    QByteArray line;
    switch (random.bounded(9)) {
    case 0: return {}; // no answer
    case 1: line = keywords.at(random.bounded(keywords.size())) + QByteArray::number(random.bounded(4)) + "1.00"; break;
    case 2: line = QByteArray(key).replace('1', '0').replace('2', '3') + " 1.00"; break; // channel digits 0 and 3
    case 3: line = QByteArray(key).replace("1", "").replace("2", "") + " 2"; break;       // no channel digit
    case 4: line = key; break;                                                            // no value
    case 5: line = key + " x.y"; break;                                                   // not a number
    case 6: line = key + " " + QByteArray(3000, '9'); break;                               // overlong
    case 7: line = "xx" + reply + ",,,," + QByteArray::number(random.generate()); break;
    default:
        for (int i = random.bounded(1, 40); i > 0; --i)
            line += char(random.bounded(33, 127));
    }
    return {line};
}

} // namespace

class E2eZq63 : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 0;
        CommandDelay = 50;
    }

    void refreshPerModel_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("version");
        QTest::addColumn<QByteArrayList>("queries");
        QTest::addColumn<bool>("channel2");    // channel 2's group shown
        QTest::addColumn<int>("sensitivity");  // sensitivity groups shown
        QTest::addColumn<bool>("times");       // build and last-calibration times read

        const QByteArrayList two = channelQueries(2);
        const QByteArrayList one = channelQueries(1);
        QTest::newRow("ZQ63 fw 22") << 63 << 22 << two << true << 0 << false;
        QTest::newRow("ZQ63 fw 23") << 63 << 23 << two + channelQueries(2, true) << true << 2 << false;
        QTest::newRow("ZQ65 fw 19") << 65 << 19 << one << false << 0 << false;
        QTest::newRow("ZQ65 fw 20") << 65 << 20 << one + channelQueries(1, true) + QByteArrayList{"ATCEXTM", "ATCBLDTM"}
                                    << false << 1 << true;
        QTest::newRow("ZQ67 fw 35") << 67 << 35 << one << false << 0 << false;
        QTest::newRow("ZQ74") << 74 << 12 << QByteArrayList{"ATCTS"} + two + channelQueries(2, true) << true << 2 << false;
    }

    void refreshPerModel()
    {
        QFETCH(int, code);
        QFETCH(int, version);
        QFETCH(QByteArrayList, queries);
        QFETCH(bool, channel2);
        QFETCH(int, sensitivity);
        QFETCH(bool, times);

        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", code, version);
        storeSettings(sim);
        // Text before the keyword is skipped.
        sim->setReply("ATCTS", {"xxATCTS2"});
        MainWindow* w = rig.start();
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));

        // Exactly these, each CommandDelay after the reply before it, closed by the unit
        // command at once; then only polls.
        const QByteArrayList lines = sim->commandLines();
        const QByteArrayList expected = QByteArrayList{"ATCVER"} + queries + QByteArrayList{"ATCC"};
        QCOMPARE(lines.mid(0, expected.size()), expected);
        QCOMPARE(lines.count("ATCD"), lines.size() - expected.size());
        for (int i = 1; i < expected.size() - 1; ++i) {
            const qint64 gap = sim->timesOf(expected[i]).first() - sim->timesOf(expected[i - 1]).first();
            QVERIFY2(gapOk(gap, CommandDelay), expected[i] + " " + QByteArray::number(gap));
        }
        QVERIFY(sim->timesOf("ATCC").first() - sim->timesOf(expected[expected.size() - 2]).first() < kSlackMs);
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QVERIFY(rig.status().startsWith("success! apply the device's temperature mode to the celsius mode."));
        QVERIFY(sim->waitForCommand("ATCD", 3000));

        // Visibility by model and firmware.
        QCOMPARE(!child(rig, "groupBox_ch2")->isHidden(), channel2);
        QCOMPARE(!child(rig, "groupBox_sensitivity_ch1")->isHidden(), sensitivity >= 1);
        QCOMPARE(!child(rig, "groupBox_sensitivity_ch2")->isHidden(), sensitivity == 2);

        // What was read; the corrections are range end minus the stored point.
        struct Expect { double offset, corrMin, corrMax; int sensitivity; };
        const Expect channels[2] = {{0.5, -0.5, -1, 5}, {-0.25, 0, 1, 15}};
        for (int ch = 1; ch <= ChannelCount; ++ch) {
            Expect const& e = channels[ch - 1];
            const QString n = "_ch" + QString::number(ch);
            QCOMPARE(child<QDoubleSpinBox>(rig, "doubleSpinBox_offset" + n)->value(), e.offset);
            QCOMPARE(child<QDoubleSpinBox>(rig, "doubleSpinBox_correction_min" + n)->value(), e.corrMin);
            QCOMPARE(child<QDoubleSpinBox>(rig, "doubleSpinBox_correction_max" + n)->value(), e.corrMax);
            QCOMPARE(child<QSpinBox>(rig, "spinBox_sensitivity" + n)->value(), sensitivity >= ch ? e.sensitivity : 1);
        }
        if (times) {
            QCOMPARE(child<QDateTimeEdit>(rig, "dateTimeEdit_exec_datetime")->dateTime(), QDateTime::fromSecsSinceEpoch(1700000000));
            QCOMPARE(child<QDateTimeEdit>(rig, "dateTimeEdit_build_time")->dateTime(), QDateTime::fromSecsSinceEpoch(1600000000));
        }
        if (code == 74)
            QVERIFY(child<QRadioButton>(rig, "radioButton_tck")->isChecked());
        QCOMPARE(rig.log().count("Zq63Calibrator::parsingTemp() TEMPMODE : true"), 1);
    }

    // REFRESH replies that name a channel the model lacks, or lack the step's keyword,
    // end it with the error box and no unit command; a sensor type other than 1 or 2
    // shows neither and goes on.
    void refreshReplies_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("fails");
        QTest::newRow("ZQ65 channel 2") << 65 << QByteArray("ATCOFF1") << QByteArray("ATCOFF2 1.00") << true;
        QTest::newRow("ZQ74 no channel") << 74 << QByteArray("ATCOFF2") << QByteArray("ATCOFF") << true;
        QTest::newRow("ZQ63 offset at the range step") << 63 << QByteArray("ATCCH1LO") << QByteArray("ATCOFF1 0.00") << true;
        QTest::newRow("ZQ74 sensor type 3") << 74 << QByteArray("ATCTS") << QByteArray("ATCTS3") << false;
    }

    void refreshReplies()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        QFETCH(bool, fails);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", code, 20);
        sim->setReply(query, {reply});
        BoxAnswerer boxes;
        rig.start();
        QVERIFY(waitIdle(rig));
        QVERIFY(sim->waitForCommand("ATCD", 3000));
        QCOMPARE(boxes.texts(), fails ? QStringList{"error! refresh calibration settings..."} : QStringList());
        QCOMPARE(sim->count("ATCC"), fails ? 0 : 1);
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.value(lines.indexOf(query) + 1), fails ? QByteArray("ATCD") : QByteArray("ATCOFF1"));
        if (query == "ATCTS") {
            QVERIFY(!child<QRadioButton>(rig, "radioButton_pt100")->isChecked());
            QVERIFY(!child<QRadioButton>(rig, "radioButton_tck")->isChecked());
        }
    }

    // APPLY writes the exact line on press and the echo ends it (a sensor type's starts a
    // full REFRESH instead). An echo the panel never wrote, or about another channel, fails
    // it: the box shown unlocked, no refresh, the form as the instrument says.
    void applyRoundTrips_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("box");    // set before the button, if any
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("echo"); // empty: the instrument's own
        QTest::addColumn<QString>("success"); // empty: a full REFRESH follows the echo

        const QString offset2 = "doubleSpinBox_offset_ch2", offsetApply2 = "toolButton_offset_apply_ch2";
        const QString sens1 = "spinBox_sensitivity_ch1", sensApply1 = "toolButton_sensitivity_apply_ch1";
        const QByteArray own;
        QTest::newRow("ZQ74 offset") << 74 << 10 << offset2 << -1.5 << offsetApply2 << QByteArray("ATCOFF2 -1.50") << own << kApplyOk;
        QTest::newRow("ZQ67 offset") << 67 << 10 << "doubleSpinBox_offset_ch1" << 2.0 << "toolButton_offset_apply_ch1"
                                     << QByteArray("ATCOFF1 2.00") << own << kApplyOk;
        QTest::newRow("ZQ63 sensitivity 30") << 63 << 23 << sens1 << 30.0 << sensApply1 << QByteArray("ATCCH1WIN 30") << own << kApplyOk;
        QTest::newRow("ZQ74 sensitivity 15") << 74 << 10 << sens1 << 15.0 << sensApply1 << QByteArray("ATCCH1WIN 15") << own << kApplyOk;
        QTest::newRow("ZQ74 sensor type") << 74 << 10 << QString() << 0.0 << "radioButton_tck" << QByteArray("ATCTS 2") << own << QString();
        QTest::newRow("ZQ63 unit") << 63 << 22 << QString() << 0.0 << "radioButton_fahrenheit" << QByteArray("ATCF") << own
                                   << "success! apply the device's temperature mode to the fahrenheit mode.";
        QTest::newRow("sensor type 0") << 74 << 10 << QString() << 0.0 << "radioButton_tck" << QByteArray("ATCTS 2")
                                       << QByteArray("ATCTS 0") << kApplyErrorBox;
        QTest::newRow("sensor type refused") << 74 << 10 << QString() << 0.0 << "radioButton_tck" << QByteArray("ATCTS 2")
                                             << QByteArray("ATCOFF1 0.00") << kApplyErrorBox;
        QTest::newRow("ZQ74 sensitivity 16") << 74 << 10 << sens1 << 15.0 << sensApply1 << QByteArray("ATCCH1WIN 15")
                                             << QByteArray("ATCCH1WIN 16") << kApplyErrorBox;
        QTest::newRow("ZQ63 sensitivity 31") << 63 << 23 << sens1 << 30.0 << sensApply1 << QByteArray("ATCCH1WIN 30")
                                             << QByteArray("ATCCH1WIN 31") << kApplyErrorBox;
        QTest::newRow("sensitivity not a number") << 63 << 23 << sens1 << 30.0 << sensApply1 << QByteArray("ATCCH1WIN 30")
                                                  << QByteArray("ATCCH1WIN x") << kApplyErrorBox;
        QTest::newRow("offset of the other channel") << 63 << 23 << "doubleSpinBox_offset_ch1" << 2.0 << "toolButton_offset_apply_ch1"
                                                     << QByteArray("ATCOFF1 2.00") << QByteArray("ATCOFF2 1.00") << kApplyErrorBox;
    }

    void applyRoundTrips()
    {
        QFETCH(int, code);
        QFETCH(int, version);
        QFETCH(QString, box);
        QFETCH(double, value);
        QFETCH(QString, button);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, echo);
        QFETCH(QString, success);

        Ready z(code, version);
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        const QByteArray token = command.left(command.indexOf(' '));
        if (!echo.isEmpty())
            z.sim->setReply(token, {echo});
        ModalCloser closer(20);
        bool unlockedAtBox = false;
        closer.setInspector([&](QWidget*) { unlockedAtBox = idle(z.rig); });
        const double offset2 = z.get<QDoubleSpinBox>("doubleSpinBox_offset_ch2")->value();
        if (auto* spin = z.get<QSpinBox>(box))
            spin->setValue(int(value));
        if (auto* spin = z.get<QDoubleSpinBox>(box))
            spin->setValue(value);
        // Apply buttons act on press.
        auto* b = z.get<QAbstractButton>(button);
        if (qobject_cast<QRadioButton*>(b)) {
            b->click();
        } else {
            QTest::mousePress(b, Qt::LeftButton);
            QVERIFY(!z.panel->pendingCommand().isEmpty());
            QTest::mouseRelease(b, Qt::LeftButton);
        }
        QVERIFY(z.sim->waitForCommand(command));
        if (!echo.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(closer.texts(), QStringList{kApplyErrorBox}, 3000);
            QVERIFY(unlockedAtBox);
            QVERIFY(z.rig.status().startsWith("error! apply calibration settings."));
            QVERIFY(!shown.contains(kApplyOk));
            QTest::qWait(300);
            QCOMPARE(commands(z.sim), QByteArrayList{command});
            QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_offset_ch2")->value(), offset2);
            // A type the instrument reports is shown, none it does not know; refused, the
            // radios go back to the type held.
            if (token == "ATCTS") {
                QVERIFY(!z.get<QRadioButton>("radioButton_tck")->isChecked());
                QCOMPARE(z.get<QRadioButton>("radioButton_pt100")->isChecked(), !echo.startsWith(token));
            }
            return;
        }
        QVERIFY(waitIdle(z.rig));
        if (command.contains(' '))
            QCOMPARE(z.sim->setting(token), command.mid(command.indexOf(' ') + 1));
        QTest::qWait(300);
        const QByteArrayList lines = commands(z.sim);
        if (success.isEmpty()) {
            // The echo starts a full REFRESH (its own success texts), no apply success.
            QCOMPARE(lines.mid(0, 2), QByteArrayList({command, "ATCTS"}));
            QCOMPARE(lines.last(), QByteArray("ATCC"));
            QVERIFY(!shown.contains(kApplyOk));
            QVERIFY(z.get<QRadioButton>("radioButton_tck")->isChecked());
        } else {
            QCOMPARE(lines, QByteArrayList{command});
            QVERIFY(z.rig.status().startsWith(success));
        }
        QCOMPARE(closer.count(), 0);
        if (command == "ATCF")
            QCOMPARE(z.get<QLabel>("label_unit_ch1")->text(), QString::fromUtf8("\u00B0F"));
    }

    // REFRESH pressed while a unit change waits: one not sent yet is dropped, the reply of
    // one sent carries no REFRESH keyword and is passed over; either way the REFRESH reads everything and
    // ends in Celsius, with at most one unit command sent.
    void unitChangeMeetsRefresh_data()
    {
        QTest::addColumn<bool>("sent");
        QTest::newRow("not sent yet") << false;
        QTest::newRow("reply late") << true;
    }

    void unitChangeMeetsRefresh()
    {
        QFETCH(bool, sent);
        Ready z(63, 23);
        QVERIFY(z.panel);
        if (sent)
            z.sim->removeCommand("ATCF");
        z.get<QRadioButton>("radioButton_fahrenheit")->click();
        if (sent)
            QVERIFY(z.sim->waitForCommand("ATCF"));
        z.get<QPushButton>("pushButton_refresh")->click();
        if (sent)
            z.sim->sendLine("ATCF OK");
        QVERIFY(z.sim->waitForCommand("ATCC", 5000));
        QVERIFY(waitIdle(z.rig));
        const QByteArrayList lines = commands(z.sim);
        QCOMPARE(lines.count("ATCF"), sent ? 1 : 0);
        QCOMPARE(lines.mid(sent ? 1 : 0, 2), QByteArrayList({"ATCOFF1", "ATCOFF2"}));
        QVERIFY(z.rig.status().startsWith("success! apply the device's temperature mode to the celsius mode."));
        QVERIFY(z.get<QRadioButton>("radioButton_celsius")->isChecked());
        QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_offset_ch2")->value(), -0.25);
        QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_range_max_ch1")->value(), 200.0);
    }

    // The calibration time written is now, and the REFRESH its echo starts shows it.
    void lastCalibrationTime()
    {
        Ready z(65, 20);
        QVERIFY(z.panel);
        z.rig.whenModalOpens([](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->button(QMessageBox::Yes)->click();
        });
        QTest::mousePress(z.get<QAbstractButton>("toolButton_exec_datetime"), Qt::LeftButton);
        auto* field = z.panel->passwordDialog()->findChild<QLineEdit*>();
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        field->setText(UnlockPassword);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return !commands(z.sim).isEmpty(); }, 3000));
        const QByteArray sent = commands(z.sim).first();
        QVERIFY2(sent.startsWith("ATCEXTM "), sent);
        const qint64 secs = sent.mid(8).toLongLong();
        QVERIFY(secs >= before && secs <= QDateTime::currentSecsSinceEpoch());
        QVERIFY(z.sim->waitForCommand("ATCOFF1"));
        QVERIFY(waitIdle(z.rig));
        QCOMPARE(z.get<QDateTimeEdit>("dateTimeEdit_exec_datetime")->dateTime(), QDateTime::fromSecsSinceEpoch(secs));
    }

    // A sensor-type click while a sequence runs sends nothing and the radios show the type
    // the panel holds at once (none before the first read); the group stays enabled.
    void sensorTypeClickWhileBusy_data()
    {
        QTest::addColumn<QByteArray>("withheld"); // the query left unanswered
        QTest::addColumn<QString>("held");         // the radio checked after the click
        QTest::newRow("before the type is read") << QByteArray("ATCTS") << QString();
        QTest::newRow("after it is read") << QByteArray("ATCOFF2") << "radioButton_pt100";
    }

    void sensorTypeClickWhileBusy()
    {
        QFETCH(QByteArray, withheld);
        QFETCH(QString, held);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 74, 10);
        sim->removeCommand(withheld);
        rig.start();
        QVERIFY(sim->waitForCommand(withheld, kReadyWaitMs));
        QTest::qWait(200);
        auto* tck = child<QRadioButton>(rig, "radioButton_tck");
        QVERIFY(tck->isEnabled());
        tck->click();
        QVERIFY(!tck->isChecked());
        QCOMPARE(child<QRadioButton>(rig, "radioButton_pt100")->isChecked(), !held.isEmpty());
        QTest::qWait(300);
        QCOMPARE(sim->count("ATCTS 2"), 0);
        QCOMPARE(panelOf(rig)->mode(), unsigned(REFRESH));
    }

    // The reset chain on entering page 2 (Apply and Back write nothing over it), READ,
    // Apply's correction chain, Back reruns the reset; Finish writes nothing.
    void wizardChains_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QByteArray>("unitReply");
        QTest::newRow("ZQ63 channel 2 in Fahrenheit") << 63 << 2 << true << QByteArray("ATCC OK");
        QTest::newRow("ZQ74 channel 2") << 74 << 2 << false << QByteArray();
        QTest::newRow("ZQ63 Celsius refused") << 63 << 1 << true << QByteArray("ATCC FAIL");
    }

    void wizardChains()
    {
        QFETCH(int, code);
        QFETCH(int, channel);
        QFETCH(bool, fahrenheit);
        QFETCH(QByteArray, unitReply);
        Ready z(code, 23);
        QVERIFY(z.panel);
        const QByteArray n = QByteArray::number(channel);
        const double rangeMin = channel == 1 ? -50 : -40;
        const double rangeMax = channel == 1 ? 200 : 100;
        auto line = [&](const char* item, double v) { return "ATCCH" + n + item + " " + QByteArray::number(v, 'f', 2); };
        if (fahrenheit) {
            z.get<QRadioButton>("radioButton_fahrenheit")->click();
            QVERIFY(z.sim->waitForCommand("ATCF"));
            QVERIFY(waitIdle(z.rig));
            z.sim->clearLog();
            z.sim->removeCommand("ATCC"); // the unit reply waits, the wizard with it
        }
        StatusLog shown(z.rig.window());
        CalibWizard* w = openWizard(z, channel);
        QVERIFY(w);
        if (fahrenheit) {
            QVERIFY(z.sim->waitForCommand("ATCC"));
            QVERIFY(!w->isEnabled());
            QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton); // refused until the unit reply
            QTest::qWait(200);
            QCOMPARE(commands(z.sim), QByteArrayList{"ATCC"});
            if (unitReply.endsWith("FAIL")) {
                // Fahrenheit readings must never become Celsius correction points.
                QPointer<CalibWizard> open(w);
                BoxAnswerer boxes;
                z.sim->sendLine(unitReply);
                QTRY_VERIFY(open.isNull());
                QTRY_COMPARE(boxes.texts(), QStringList{"error! apply the device's temperature mode to the fahrenheit mode..."});
                QVERIFY(waitIdle(z.rig));
                QVERIFY(!z.panel->isCelsius());
                QTest::qWait(200);
                QCOMPARE(commands(z.sim), QByteArrayList{"ATCC"});
                return;
            }
            z.sim->sendLine(unitReply);
            QTRY_VERIFY(w->isEnabled());
            QCOMPARE(w->currentId(), 1);
            QVERIFY(z.panel->isCelsius());
            z.sim->clearLog();
        }

        const QByteArrayList reset = {line("LO", rangeMin), line("HI", rangeMax), line("CLO", rangeMin),
                                      line("CHI", rangeMax), "ATCOFF" + n + " 0"};
        QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
        QCOMPARE(w->currentId(), 2);
        QVERIFY(!w->isEnabled());
        emit applyPage(w, 3)->signalDelta();
        QTest::mouseClick(w->button(QWizard::BackButton), Qt::LeftButton);
        QVERIFY2(waitCommands(z.sim, reset), commands(z.sim).join(' '));
        QVERIFY(waitIdle(z.rig));
        for (int i = 1; i < reset.size(); ++i) {
            const qint64 gap = z.sim->timesOf(reset[i]).first() - z.sim->timesOf(reset[i - 1]).first();
            QVERIFY2(gapOk(gap, CommandDelay), reset[i] + " " + QByteArray::number(gap));
        }
        QVERIFY(z.rig.status().startsWith(kApplyOk));
        QVERIFY(w->isEnabled());
        for (const char* box : {"doubleSpinBox_correction_min_ch", "doubleSpinBox_correction_max_ch", "doubleSpinBox_offset_ch"})
            QCOMPARE(z.get<QDoubleSpinBox>(box + QString::number(channel))->value(), 0.0);
        // READ takes the reading of the wizard's channel, once there is one.
        QTRY_VERIFY(!qIsNaN(z.panel->getCurrentValue(channel)));
        applyPage(w, 2)->findChild<QPushButton*>("pushButton_read")->click();
        QCOMPARE(applyPage(w, 2)->getDelta(), channel == 1 ? 21.5 : -3.25);

        // Apply on page 3 writes both readings as the correction points.
        z.sim->clearLog();
        w->next();
        applyPage(w, 2)->setDelta(rangeMin + 0.2);
        applyPage(w, 3)->setDelta(rangeMax - 0.4);
        QTest::mouseClick(applyPage(w, 3)->findChild<QPushButton*>("pushButton_apply"), Qt::LeftButton);
        QVERIFY(waitCommands(z.sim, {line("CLO", rangeMin + 0.2), line("CHI", rangeMax - 0.4)}));
        QVERIFY(waitIdle(z.rig));
        QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_correction_min_ch" + n)->value(), -0.2);
        QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_correction_max_ch" + n)->value(), 0.4);

        // Back reruns the reset chain; Finish then closes and writes nothing.
        z.sim->clearLog();
        w->back();
        QVERIFY(waitCommands(z.sim, reset));
        QVERIFY(waitIdle(z.rig));
        z.sim->clearLog();
        QPointer<CalibWizard> open(w);
        w->next();
        w->accept();
        QTRY_VERIFY(open.isNull());
        QTest::qWait(200);
        QVERIFY(commands(z.sim).isEmpty());
        QVERIFY(!shown.contains(kApplyErrorBox));
    }

    // Escape or the close button in the middle of a chain close the wizard at once; the
    // write queued or sent completes and its echo ends the APPLY, nothing follows it.
    void wizardClosing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("sent"); // the LO sent, its echo withheld; else only queued
        QTest::newRow("close with the LO queued") << "close" << false;
        QTest::newRow("escape with the LO sent") << "escape" << true;
    }

    void wizardClosing()
    {
        QFETCH(QString, action);
        QFETCH(bool, sent);
        Ready z(74, 10);
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        CommandDelay = 300;
        if (sent)
            z.sim->removeCommand("ATCCH1LO");
        CalibWizard* w = openWizard(z, 1);
        QVERIFY(w);
        QPointer<CalibWizard> open(w);
        QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
        if (sent)
            QVERIFY(z.sim->waitForCommand("ATCCH1LO -50.00"));
        if (action == "escape")
            w->reject();
        else
            static_cast<QWidget*>(w)->close();
        QTRY_VERIFY(open.isNull());
        QCOMPARE(z.rig.log().count("wizardClose()"), 1);
        if (sent)
            z.sim->sendLine("ATCCH1LO -50.00");
        QVERIFY(waitIdle(z.rig));
        QTest::qWait(CommandDelay + 300);
        QCOMPARE(commands(z.sim), QByteArrayList{"ATCCH1LO -50.00"});
        QVERIFY(shown.contains(kApplyOk));
    }

    // A chain echo that names another channel or lacks its pattern fails the step: the
    // box, no further chain write, and a REFRESH (which closes the wizard) 50 ms later.
    void wizardChainErrors_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("echo");
        QTest::newRow("ZQ63 HI of channel 2") << 63 << QByteArray("ATCCH1HI") << QByteArray("ATCCH2HI 150.00");
        QTest::newRow("ZQ74 CLO answered by an offset") << 74 << QByteArray("ATCCH1CLO") << QByteArray("ATCOFF1 0.00");
    }

    void wizardChainErrors()
    {
        QFETCH(int, code);
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, echo);
        Ready z(code, 23);
        QVERIFY(z.panel);
        const double max2 = z.get<QDoubleSpinBox>("doubleSpinBox_range_max_ch2")->value();
        z.sim->setReply(token, {echo});
        CalibWizard* w = openWizard(z, 1);
        QVERIFY(w);
        QPointer<CalibWizard> open(w);
        BoxAnswerer boxes;
        QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boxes.texts(), QStringList{kApplyErrorBox}, 5000);
        z.sim->addSetting(token, z.sim->setting(token)); // answers the REFRESH again
        const QByteArray first = code == 74 ? "ATCTS" : "ATCOFF1";
        QVERIFY(z.sim->waitForCommand(first));
        QVERIFY(waitIdle(z.rig));
        QTRY_VERIFY(open.isNull());
        const QByteArrayList lines = commands(z.sim);
        int failed = 0;
        while (failed < lines.size() && !lines.at(failed).startsWith(token + " "))
            ++failed;
        QVERIFY(failed + 1 < lines.size());
        QCOMPARE(lines.at(failed + 1), first);
        const qint64 gap = z.sim->timesOf(first).first() - z.sim->timesOf(lines.at(failed)).first();
        QVERIFY2(gapOk(gap, 50 + CommandDelay), QByteArray::number(gap));
        QCOMPARE(z.get<QDoubleSpinBox>("doubleSpinBox_range_max_ch2")->value(), max2);
        QCOMPARE(boxes.texts().size(), 1);
    }

    // A chain write that cannot be sent closes the wizard and refreshes.
    void wizardSendFailure()
    {
        Ready z(63, 23);
        QVERIFY(z.panel);
        CommandDelay = 300;
        CalibWizard* w = openWizard(z, 2);
        QVERIFY(w);
        QPointer<CalibWizard> open(w);
        BoxAnswerer boxes;
        QTest::mouseClick(w->button(QWizard::NextButton), Qt::LeftButton);
        QVERIFY(z.sim->waitForCommand("ATCCH2LO -40.00"));
        // The LO echo queues the HI write; the port goes before it is sent.
        QTRY_VERIFY(z.panel->pendingCommand().startsWith("ATCCH2HI"));
        z.rig.window()->port()->close();
        QTRY_VERIFY(open.isNull());
        QTRY_COMPARE_WITH_TIMEOUT(boxes.texts().size(), 2, 3000);
        QCOMPARE(boxes.texts(), QStringList({kApplyErrorBox, "error! refresh calibration settings..."}));
        QCOMPARE(z.rig.log().count("wizardClose()"), 1);
        QTRY_VERIFY(z.panel->mode() == DEFAULT && !z.panel->isLocked());
        QCOMPARE(commands(z.sim), QByteArrayList{"ATCCH2LO -40.00"});
    }

    // Garbled and random replies at every step of every mode: no crash, no access out of
    // range, and whenever the panel settles it is idle and unlocked or locked and waiting,
    // with the wizard's chain gone when the wizard is.
    void seededSweep_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("version");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("ZQ65 seed 2") << 65 << 20 << 2u;
        QTest::newRow("ZQ74 seed 1") << 74 << 10 << 1u;
    }

    void seededSweep()
    {
        QFETCH(int, code);
        QFETCH(int, version);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", code, version);
        sim->setReplyFilter([&random](InstrumentSimulator::Request const& request, QByteArrayList replies) {
            if (request.token == "ATCVER" || replies.isEmpty() || random.bounded(4) != 0)
                return replies;
            return garble(replies.first(), random);
        });
        BoxAnswerer boxes;
        rig.start();
        QVERIFY(QTest::qWaitFor([&] { return panelOf(rig) != nullptr; }, kReadyWaitMs));
        CalibratorPanel* panel = panelOf(rig);
        RangeWizardFlow* flow = code == 74 ? static_cast<Zq74Calibrator*>(panel)->channels().wizard()
                                           : static_cast<Zq63Calibrator*>(panel)->channels().wizard();
        const QStringList actions = {"pushButton_refresh", "toolButton_offset_apply_ch1", "toolButton_sensitivity_apply_ch1",
                                     "radioButton_fahrenheit", "radioButton_celsius", "radioButton_tck",
                                     "radioButton_pt100", "pushButton_wizard_ch1", "next", "apply", "back", "close"};
        for (int round = 0; round < 20; ++round) {
            // Settled: nothing arrives for a while.
            QTest::qWait(CommandDelay + 250);
            const bool idleNow = panel->mode() == DEFAULT && !panel->isLocked();
            const bool waiting = panel->mode() != DEFAULT && panel->isLocked();
            QVERIFY2(idleNow || waiting || !panel->pendingCommand().isEmpty() || panel->refreshScheduled(),
                     qPrintable(QString("mode %1 locked %2").arg(panel->mode()).arg(panel->isLocked())));
            if (!flow->wizard()) {
                QCOMPARE(flow->channel(), 0);
                QVERIFY(!flow->chain()->isRunning());
            }
            const QString action = actions.at(random.bounded(actions.size()));
            CalibWizard* w = flow->wizard();
            if (action == "next" || action == "back") {
                if (w && w->isEnabled() && w->button(action == "next" ? QWizard::NextButton : QWizard::BackButton)->isEnabled())
                    QTest::mouseClick(w->button(action == "next" ? QWizard::NextButton : QWizard::BackButton), Qt::LeftButton);
            } else if (action == "apply") {
                if (w && w->isEnabled() && w->currentId() == 3)
                    QTest::mouseClick(applyPage(w, 3)->findChild<QPushButton*>("pushButton_apply"), Qt::LeftButton);
            } else if (action == "close") {
                if (w)
                    static_cast<QWidget*>(w)->close();
            } else if (auto* b = panel->findChild<QAbstractButton*>(action)) {
                // A modal wizard takes the panel's input; the REFRESH button is the way
                // out of a wait.
                if (!w && b->isEnabled() && b->isVisible())
                    b->click();
                else if (action == "pushButton_refresh" && waiting && !w)
                    b->click();
            }
        }
        sim->setReplyFilter({});
        if (QWidget* w = flow->wizard())
            w->close();
        panel->findChild<QPushButton*>("pushButton_refresh")->click();
        QVERIFY(waitIdle(rig));
        QVERIFY(!flow->wizard());
    }

    // Pulled out while a wizard chain waits for its echo, or while the box of a Celsius
    // command that could not be sent (the wizard opening in Fahrenheit) is open: the panel
    // and the wizard go, polling stops.
    void unplugDuringAWizardChain_data()
    {
        QTest::addColumn<bool>("unitBox");
        QTest::newRow("chain echo waits") << false;
        QTest::newRow("unit box open") << true;
    }

    void unplugDuringAWizardChain()
    {
        QFETCH(bool, unitBox);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 63, 20);
        MainWindow* w = rig.start();
        QVERIFY(waitIdle(rig));
        QPointer<CalibWizard> wizard;
        if (unitBox) {
            child<QAbstractButton>(rig, "radioButton_fahrenheit")->click();
            QVERIFY(sim->waitForCommand("ATCF"));
            QVERIFY(waitIdle(rig));
            w->port()->close();
            rig.whenModalOpens([&](QWidget* question) {
                static_cast<QMessageBox*>(question)->button(QMessageBox::Yes)->click();
                rig.whenModalOpens([&](QWidget* box) {
                    rig.bench.unplug(sim);
                    (void)QTest::qWaitFor([&] { return w->calibrator() == nullptr; }, 2 * kScanWaitMs);
                    box->close();
                });
            });
            child<QAbstractButton>(rig, "pushButton_wizard_ch1")->click();
            QTRY_VERIFY_WITH_TIMEOUT(w->calibrator() == nullptr, 3 * kScanWaitMs);
        } else {
            sim->removeCommand("ATCCH1HI");
            rig.whenModalOpens([](QWidget* modal) { static_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
            child<QAbstractButton>(rig, "pushButton_wizard_ch1")->click();
            QTRY_VERIFY((wizard = panelOf(rig)->findChild<CalibWizard*>()) != nullptr);
            QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
            QVERIFY(sim->waitForCommand("ATCCH1HI 150.00"));
            rig.bench.unplug(sim);
        }
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_VERIFY(wizard.isNull());
        QTRY_COMPARE(rig.log().countContaining("Calibrator()"), 1);
        QTest::qWait(500);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
    }

    // READ takes the channel's LCD value; nothing when the channel has no reading.
    void currentValue_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArrayList>("readings");
        QTest::addColumn<double>("ch1");
        QTest::addColumn<double>("ch2");
        const double nan = qQNaN();
        QTest::newRow("ZQ63 no value") << 63 << QByteArrayList{"----", "x"} << nan << nan;
        QTest::newRow("ZQ74 one field") << 74 << QByteArrayList{"21.37"} << 21.37 << nan;
        QTest::newRow("ZQ65") << 65 << QByteArrayList{"21.37"} << 21.37 << kNoChannel;
    }

    void currentValue()
    {
        QFETCH(int, code);
        QFETCH(QByteArrayList, readings);
        QFETCH(double, ch1);
        QFETCH(double, ch2);
        Ready z(code, 23);
        QVERIFY(z.panel);
        // A REFRESH forgets the readings until the next poll.
        z.sim->removeCommand("ATCD");
        z.get<QPushButton>("pushButton_refresh")->click();
        QVERIFY(waitIdle(z.rig));
        QVERIFY(qIsNaN(z.panel->getCurrentValue(1)));
        z.sim->clearLog();
        z.sim->setReadings(readings);
        z.sim->setReply("ATCD", {"ATCD " + readings.join(',')});
        QVERIFY(z.sim->waitForCommand("ATCD", 3000, 2));
        QTest::qWait(100);
        for (auto const& c : {qMakePair(1, ch1), qMakePair(2, ch2)}) {
            const double v = z.panel->getCurrentValue(c.first);
            QVERIFY2(qIsNaN(c.second) ? qIsNaN(v) : qFuzzyCompare(v, c.second), qPrintable(QString::number(v)));
        }
        QCOMPARE(z.panel->getCurrentValue(0), kNoChannel);
        QCOMPARE(z.panel->getCurrentValue(3), kNoChannel);
    }
};

QTEST_MAIN(E2eZq63)
#include "e2e_zq63.moc"
