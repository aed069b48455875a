// The air-quality panels (ZQ80, ZQ81, ZQ82, ZQ89) end to end: the real main window on
// mocked USB instruments (tests/support/sim_zq80.cpp, sim_zq81.cpp, sim_zq82.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <QtTest>

#include "airsim.h"
#include "calibratorpanel.h"
#include "chartview.h"
#include "co2panel.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "statuslog.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
constexpr qint64 kSlackMs = 400; // room for a loaded machine under the sanitizers

CalibratorPanel* panelOf(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<CalibratorPanel*>(rig.window()->calibrator()) : nullptr;
}

bool idle(E2eRig& rig)
{
    CalibratorPanel* panel = panelOf(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return idle(rig); }, kReadyWaitMs);
}

template <class T = QWidget>
T* child(E2eRig& rig, QString const& name)
{
    CalibratorPanel* panel = panelOf(rig);
    return panel ? panel->findChild<T*>(name) : nullptr;
}

// A model plugged in with some settings preset ("KEY=value"), read out and idle, its log
// cleared.
struct Ready
{
    Ready(int model, unsigned version, QByteArrayList const& presets = {})
    {
        sim = rig.bench.plugInstrument("AQ0001", model, version);
        sim->setReadings({"412", "23.5"});
        for (QByteArray const& preset : presets)
            sim->setSetting(preset.left(preset.indexOf('=')), preset.mid(preset.indexOf('=') + 1));
        rig.start();
        panel = waitIdle(rig) ? panelOf(rig) : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    CalibratorPanel* panel = nullptr;
};

const QStringList kCo2Groups = {"groupBox_unit_ch1", "groupBox_filter", "groupBox_barometer", "groupBox_versioninfo",
                                "groupBox_last_calib_timestamp", "groupBox_usedtime", "groupBox_build_time",
                                "groupBox_sensitivity_ch1"};
const QStringList kZq80Groups = {"groupBox_usercal", "groupBox_factorycal", "groupBox_sensitivity",
                                 "groupBox_last_calib_timestamp", "groupBox_usedtime", "groupBox_build_time",
                                 "groupBox_unit_ch1", "groupBox_unit_ch2"};
const QStringList kZq82Groups = {"groupBox_versioninfo", "groupBox_build_time", "groupBox_last_calib_timestamp",
                                 "groupBox_usedtime", "radioButton_type5", "groupBox_sensitivity_ch1",
                                 "groupBox_tempoutput"};

} // namespace

class E2eAir : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 0;
        CommandDelay = 50;
    }

    void refreshAtEveryGate_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArrayList>("queries"); // after ATCVER, up to the unit command
        QTest::addColumn<QStringList>("shown");      // of the model's gated groups

        const QByteArrayList base = {"ATCOFF1", "ATCOFF2", "ATCCAL"};
        const QByteArrayList mid = base + QByteArrayList{"ATCCU", "ATCDGFIL", "ATCSPAN", "ATCSINFO", "ATCEXTM"};
        const QByteArrayList late = mid + QByteArrayList{"ATCUSED", "ATCBLDTM"};
        const QStringList mid81 = QStringList(kCo2Groups.mid(0, 5));
        QTest::newRow("ZQ81 9") << 81 << 9u << base + QByteArrayList{"ATCCU"} << QStringList();
        QTest::newRow("ZQ81 10") << 81 << 10u << mid << mid81;
        QTest::newRow("ZQ81 14") << 81 << 14u << mid << mid81;
        QTest::newRow("ZQ81 15") << 81 << 15u << late << QStringList(kCo2Groups.mid(0, 7));
        QTest::newRow("ZQ81 23") << 81 << 23u << late << QStringList(kCo2Groups.mid(0, 7));
        QTest::newRow("ZQ81 24") << 81 << 24u << late + QByteArrayList{"ATCCH1WIN"} << kCo2Groups;
        QTest::newRow("ZQ89 2") << 89 << 2u << late << QStringList(kCo2Groups.mid(0, 7));
        QTest::newRow("ZQ89 3") << 89 << 3u << late + QByteArrayList{"ATCCH1WIN"} << kCo2Groups;

        const QByteArrayList early80 = {"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCVOCU", "ATCWIN", "ATCEXTM"};
        const QStringList units80 = {"groupBox_sensitivity", "groupBox_last_calib_timestamp", "groupBox_unit_ch1"};
        QTest::newRow("ZQ80 11") << 80 << 11u << early80 << QStringList{"groupBox_usercal", "groupBox_factorycal"};
        QTest::newRow("ZQ80 12") << 80 << 12u << early80 << units80;
        QTest::newRow("ZQ80 31") << 80 << 31u << early80 << units80;
        QTest::newRow("ZQ80 32") << 80 << 32u
                                 << QByteArrayList{"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCVOCU", "ATCCU", "ATCWIN",
                                                   "ATCEXTM", "ATCUSED", "ATCBLDTM"}
                                 << units80 + QStringList{"groupBox_usedtime", "groupBox_build_time"};

        const QByteArrayList info82 = {"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCSINFO", "ATCEXTM", "ATCUSED", "ATCBLDTM"};
        const QStringList shown82 = QStringList(kZq82Groups.mid(0, 4)) + QStringList{"groupBox_tempoutput"};
        QTest::newRow("ZQ82 9") << 82 << 9u << info82.mid(0, 3) << QStringList{"groupBox_tempoutput"};
        QTest::newRow("ZQ82 10") << 82 << 10u << info82 << shown82;
        QTest::newRow("ZQ82 12") << 82 << 12u << info82 << shown82;
        QTest::newRow("ZQ82 13") << 82 << 13u << info82 << shown82 + QStringList{"radioButton_type5"};
        QTest::newRow("ZQ82 17") << 82 << 17u << info82 + QByteArrayList{"ATCWIN"} << kZq82Groups;
    }

    // The exact lines from ATCVER on, each query CommandDelay after the reply before it,
    // the unit command at once (none on the ZQ80), then the poll; the groups of the
    // firmware shown and the others hidden.
    void refreshAtEveryGate()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArrayList, queries);
        QFETCH(QStringList, shown);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("AQ0001", model, version);
        StatusLog status(rig.start());
        QVERIFY(waitIdle(rig));
        QVERIFY(sim->waitForCommand("ATCD", 3000));

        QByteArrayList expected = QByteArrayList{"ATCVER"} + queries;
        if (model != 80)
            expected << "ATCC";
        expected << "ATCD";
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, expected.size()), expected);
        for (int i = 1; i < expected.size() - 1; ++i) {
            const qint64 gap = sim->timesOf(expected.at(i)).first() - sim->timesOf(expected.at(i - 1)).first();
            const bool atOnce = expected.at(i) == "ATCC";
            QVERIFY2(atOnce ? gap < kSlackMs : gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs,
                     qPrintable(expected.at(i) + " " + QString::number(gap)));
        }
        QVERIFY(status.contains("success! refresh calibration settings."));

        const QStringList gated = model == 80 ? kZq80Groups : model == 82 ? kZq82Groups : kCo2Groups;
        for (QString const& name : gated) {
            QWidget* w = child(rig, name);
            QVERIFY2(w, qPrintable(name));
            QVERIFY2(w->isHidden() != shown.contains(name), qPrintable(name));
        }
    }

    void refreshShowsTheValues()
    {
        Ready z(81, 24, {"ATCSPAN=2000", "ATCCU=0", "ATCOFF1=12.5", "ATCDGFIL=abc"});
        QVERIFY(z.panel);
        QCOMPARE(child<QSpinBox>(z.rig, "spinBox_barometer")->value(), 1050); // shown clamped
        QCOMPARE(child<QSpinBox>(z.rig, "spinBox_filter")->value(), 0);       // no number reads 0
        QCOMPARE(child<QSpinBox>(z.rig, "spinBox_usedtime")->value(), 1234);
        QCOMPARE(child<QDoubleSpinBox>(z.rig, "doubleSpinBox_offset_ch1")->value(), 12.5);
        QCOMPARE(child<QDoubleSpinBox>(z.rig, "doubleSpinBox_offset_ch1")->suffix(), QString(" %"));
        QCOMPARE(child<QLabel>(z.rig, "label_unit_ch1")->text(), QString("%"));
        QCOMPARE(child<QDateTimeEdit>(z.rig, "dateTimeEdit_exec_datetime")->dateTime().toSecsSinceEpoch(),
                 QByteArray(airsim::kCalibrated).toLongLong());
        // Then polled: both readings on LCDs and charts.
        QVERIFY(z.sim->waitForCommand("ATCD", 3000));
        auto* lcd = child<QLCDNumber>(z.rig, "lcdNumber_ch1");
        QTRY_COMPARE(lcd->value(), 412.0);
        QCOMPARE(child<QLCDNumber>(z.rig, "lcdNumber_ch2")->value(), 23.5);

        // A late filter echo in DEFAULT is no poll reply: the readings stay.
        ChartView* chart = static_cast<AirPanel*>(z.panel)->chart(0);
        const double last = chart->values()[ChartView::SampleCount - 1];
        const double stamp = chart->timeStamps()[ChartView::SampleCount - 1];
        z.sim->sendLine("ATCDGFIL 32");
        QTest::qWait(200);
        QCOMPARE(lcd->value(), 412.0);
        QCOMPARE(child<QLCDNumber>(z.rig, "lcdNumber_ch2")->value(), 23.5);
        if (chart->timeStamps()[ChartView::SampleCount - 1] == stamp)
            QCOMPARE(chart->values()[ChartView::SampleCount - 1], last);
    }

    void applyRoundTrip_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("preset"); // "KEY=value", or empty
        QTest::addColumn<QString>("control");   // a spin box set to value and applied, or a radio clicked
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("shows");     // the object that shows the echo (empty: the spin box)
        QTest::addColumn<QString>("shown");
        QTest::newRow("ZQ81 CO2 offset") << 81 << 24u << QByteArray() << "doubleSpinBox_offset_ch1" << 1.5
                                         << QByteArray("ATCOFF1 1.50") << QString() << "1.5";
        QTest::newRow("ZQ81 filter") << 81 << 24u << QByteArray() << "spinBox_filter" << 16.0 << QByteArray("ATCDGFIL 16")
                                     << QString() << "16";
        QTest::newRow("ZQ81 barometer") << 81 << 24u << QByteArray() << "spinBox_barometer" << 900.0
                                        << QByteArray("ATCSPAN 900") << QString() << "900";
        QTest::newRow("ZQ81 sensitivity") << 81 << 24u << QByteArray() << "spinBox_sensitivity_ch1" << 7.0
                                          << QByteArray("ATCCH1WIN 7") << QString() << "7";
        QTest::newRow("ZQ81 unit %") << 81 << 10u << QByteArray() << "radioButton_percent_ch1" << 0.0
                                     << QByteArray("ATCCU 0") << "label_unit_ch1" << "%";
        QTest::newRow("ZQ80 VOC unit ppb") << 80 << 32u << QByteArray() << "radioButton_ppb_ch1" << 0.0
                                           << QByteArray("ATCVOCU 1") << "label_unit_ch1" << "ppb";
        QTest::newRow("ZQ80 CO2 unit %") << 80 << 32u << QByteArray("ATCMODE=2") << "radioButton_percent_ch2" << 0.0
                                         << QByteArray("ATCCU 0") << "label_unit_ch2" << "%";
        QTest::newRow("ZQ80 mode CO2") << 80 << 12u << QByteArray() << "radioButton_voc_co2" << 0.0
                                       << QByteArray("ATCMODE 2") << "groupBox_ch2" << "CO2";
        QTest::newRow("ZQ80 sensitivity") << 80 << 12u << QByteArray() << "spinBox_sensitivity" << 9.0
                                          << QByteArray("ATCWIN 9") << QString() << "9";
        QTest::newRow("ZQ82 mode 3") << 82 << 17u << QByteArray() << "radioButton_type3" << 0.0
                                     << QByteArray("ATCMODE 3") << "label_unit_ch2" << "mmh2o";
    }

    // One write CommandDelay after the press, its echo shown, APPLY END, and nothing else
    // sent but the poll.
    void applyRoundTrip()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArray, preset);
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(QByteArray, command);
        QFETCH(QString, shows);
        QFETCH(QString, shown);
        Ready z(model, version, preset.isEmpty() ? QByteArrayList() : QByteArrayList{preset});
        QVERIFY(z.panel);
        StatusLog status(z.rig.window());
        const bool radio = control.startsWith("radio");
        QAbstractButton* target = child<QAbstractButton>(z.rig, control);
        if (!radio) {
            QVERIFY(child(z.rig, control)->setProperty("value", value));
            // spinBox_X[_chN] is applied by toolButton_X_apply[_chN].
            const QString name = control.section("pinBox_", 1);
            const int ch = name.indexOf("_ch");
            target = child<QAbstractButton>(z.rig, "toolButton_" + (ch < 0 ? name + "_apply" : name.left(ch) + "_apply" + name.mid(ch)));
            QTest::mousePress(target, Qt::LeftButton);
        } else {
            target->click();
        }
        QVERIFY(target);
        QVERIFY(z.sim->waitForCommand(command));
        if (!radio)
            QTest::mouseRelease(target, Qt::LeftButton);
        QVERIFY(waitIdle(z.rig));
        QVERIFY(status.contains("success! apply calibration settings."));
        const QByteArray token = command.left(command.indexOf(' '));
        QCOMPARE(z.sim->setting(token), command.mid(command.indexOf(' ') + 1));
        QObject* display = child<QObject>(z.rig, shows.isEmpty() ? control : shows);
        const char* property = display->property("title").isValid() ? "title"
                               : display->property("value").isValid() ? "value" : "text";
        QCOMPARE(display->property(property).toString(), shown);
        QTest::qWait(300);
        for (QByteArray const& line : z.sim->commandLines())
            QVERIFY2(line == command || line == "ATCD", line.constData());
    }

    void zq80Calibration_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer"); // to the question box, if one comes
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("boxes"); // "title: text"
        QTest::addColumn<QString>("status");
        const QString ask = "Factory Calibration: Do you want to calibrate for 12 hours?";
        QTest::newRow("user refused") << "pushButton_usercal" << 0 << QByteArray("ATCUCAL NG")
                                      << QStringList{"FAIL: Please retry..."} << "error! apply calibration settings.";
        QTest::newRow("factory No") << "pushButton_factorycal" << int(QMessageBox::No) << QByteArray() << QStringList{ask}
                                    << QString();
        QTest::newRow("factory refused") << "pushButton_factorycal" << int(QMessageBox::Yes) << QByteArray("ATCFCAL ERR")
                                         << QStringList{ask, "FAIL: Please retry..."} << "error! apply calibration settings.";
    }

    // A refused calibration ends as an APPLY error after its own box, with no second box.
    void zq80Calibration()
    {
        QFETCH(QString, button);
        QFETCH(int, answer);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, boxes);
        QFETCH(QString, status);
        Ready z(80, 11);
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        const QByteArray command = button.contains("user") ? "ATCUCAL" : "ATCFCAL";
        if (!reply.isEmpty())
            z.sim->setReply(command, {reply});
        ModalCloser closer(30);
        closer.setAnswer(QMessageBox::StandardButton(answer));
        child<QAbstractButton>(z.rig, button)->click();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), boxes.size(), 3000);
        QVERIFY(waitIdle(z.rig));
        QTest::qWait(300);
        QStringList seen;
        for (int i = 0; i < closer.count(); ++i)
            seen << closer.titles().at(i) + ": " + closer.texts().at(i);
        QCOMPARE(seen, boxes);
        QCOMPARE(z.sim->count(command), reply.isEmpty() ? 0 : 1);
        if (!status.isEmpty()) {
            QVERIFY(z.rig.status().startsWith(status));
            QVERIFY(!shown.contains(status.startsWith("error") ? "success! apply calibration settings."
                                                              : "error! apply calibration settings."));
        }
        QVERIFY(child(z.rig, "groupBox_ch1")->isEnabled());
    }

    // Unplugged while the calibration's box is open: the panel goes under the box, and
    // closing it ends nothing more (no second box, no poll).
    void zq80CalibrationBoxOutlivesThePanel()
    {
        Ready z(80, 11);
        QVERIFY(z.panel);
        z.sim->setReply("ATCUCAL", {"ATCUCAL OK"});
        int boxes = 0;
        bool removedUnderTheBox = false;
        std::function<void(QWidget*)> onBox = [&](QWidget* modal) {
            ++boxes;
            z.rig.bench.unplug(z.sim);
            removedUnderTheBox = z.rig.waitClosed(kScanWaitMs) && z.rig.window()->calibrator() == nullptr;
            static_cast<QMessageBox*>(modal)->buttons().first()->click();
        };
        z.rig.whenModalOpens(onBox);
        child<QAbstractButton>(z.rig, "pushButton_usercal")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes, 1, 3000);
        QVERIFY(removedUnderTheBox);
        QTRY_COMPARE(z.rig.log().count("~Zq80Calibrator()"), 1);
        ModalCloser closer;
        QTest::qWait(500);
        QCOMPARE(closer.count(), 0);
        QVERIFY(!z.rig.window()->pollTimer()->isActive());
    }

    void refusedRadioShowsTheHeldState_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("reply"); // empty: the instrument's own refusal
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("held");
        QTest::newRow("ZQ81 unit, other keyword") << 81 << 24u << QByteArray("ATCCU") << QByteArray("ATCSPAN 1013")
                                                  << "radioButton_percent_ch1" << "radioButton_ppm_ch1";
        QTest::newRow("ZQ80 mode out of range") << 80 << 32u << QByteArray("ATCMODE") << QByteArray("ATCMODE 3")
                                                << "radioButton_voc_humi" << "radioButton_voc_co2";
        QTest::newRow("ZQ80 CO2 unit, other keyword") << 80 << 32u << QByteArray("ATCCU") << QByteArray("ATCOFF2 0.00")
                                                      << "radioButton_percent_ch2" << "radioButton_ppm_ch2";
        QTest::newRow("ZQ82 mode 5 below 13") << 82 << 12u << QByteArray("ATCMODE") << QByteArray()
                                              << "radioButton_type5" << "radioButton_type1";
    }

    // A radio change the instrument refuses: the APPLY error box, and the radios show
    // what the panel holds.
    void refusedRadioShowsTheHeldState()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, reply);
        QFETCH(QString, clicked);
        QFETCH(QString, held);
        // The ZQ80 in its CO2 mode, where both of its unit groups show.
        Ready z(model, version, model == 80 ? QByteArrayList{"ATCMODE=2"} : QByteArrayList());
        QVERIFY(z.panel);
        // Each query answered as before, each write with the refusal.
        if (!reply.isEmpty()) {
            const QByteArray stored = z.sim->setting(token);
            z.sim->onCommand(token, [token, stored, reply](InstrumentSimulator::Request const& r) {
                return r.isQuery() ? QByteArrayList{token + " " + stored} : QByteArrayList{reply};
            });
        }
        const QString title = child<QGroupBox>(z.rig, "groupBox_ch2")->title();
        ModalCloser closer(30);
        child<QAbstractButton>(z.rig, clicked)->click();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
        QCOMPARE(closer.texts(), QStringList{"error! apply calibration settings..."});
        QVERIFY(waitIdle(z.rig));
        QVERIFY(child<QAbstractButton>(z.rig, held)->isChecked());
        QVERIFY(!child<QAbstractButton>(z.rig, clicked)->isChecked());
        QCOMPARE(child<QGroupBox>(z.rig, "groupBox_ch2")->title(), title);
    }

    // No answer: the panel waits locked; unplugged, it goes without a box or a poll.
    void unplugMidSequence()
    {
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("AQ0001", 81, 24);
        sim->removeCommand("ATCSINFO");
        ModalCloser closer;
        MainWindow* w = rig.start();
        QVERIFY(sim->waitForCommand("ATCSINFO", kReadyWaitMs));
        QTest::qWait(300);
        QCOMPARE(panelOf(rig)->mode(), unsigned(REFRESH));
        QVERIFY(panelOf(rig)->isLocked());
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count("~Zq81Calibrator()"), 1);
        QTest::qWait(500);
        QCOMPARE(closer.count(), 0);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
    }
};

QTEST_MAIN(E2eAir)
#include "e2e_air.moc"
