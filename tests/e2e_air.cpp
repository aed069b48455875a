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
#include "passworddlg.h"
#include "statuslog.h"
#include "zq80calibrator.h"
#include "zq82calibrator.h"

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
        QTest::newRow("ZQ81 2") << 81 << 2u << base << QStringList();
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
        QCOMPARE(child<QSpinBox>(z.rig, "spinBox_sensitivity_ch1")->value(), 5);
        QCOMPARE(child<QSpinBox>(z.rig, "spinBox_usedtime")->value(), 1234);
        QCOMPARE(child<QDoubleSpinBox>(z.rig, "doubleSpinBox_offset_ch1")->value(), 12.5);
        QCOMPARE(child<QDoubleSpinBox>(z.rig, "doubleSpinBox_offset_ch1")->suffix(), QString(" %"));
        QCOMPARE(child<QDoubleSpinBox>(z.rig, "doubleSpinBox_co2cal")->value(), 400.0);
        QCOMPARE(child<QLabel>(z.rig, "label_versioninfo")->text(), QString("K30-V1.2"));
        QCOMPARE(child<QLabel>(z.rig, "label_unit_ch1")->text(), QString("%"));
        QCOMPARE(child<QDateTimeEdit>(z.rig, "dateTimeEdit_exec_datetime")->dateTime().toSecsSinceEpoch(),
                 QByteArray(airsim::kCalibrated).toLongLong());
        QCOMPARE(child<QDateTimeEdit>(z.rig, "dateTimeEdit_build_time")->dateTime().toSecsSinceEpoch(),
                 QByteArray(airsim::kBuilt).toLongLong());
        // Then polled: both readings on LCDs and charts.
        QVERIFY(z.sim->waitForCommand("ATCD", 3000));
        QTRY_COMPARE(child<QLCDNumber>(z.rig, "lcdNumber_ch1")->value(), 412.0);
        QCOMPARE(child<QLCDNumber>(z.rig, "lcdNumber_ch2")->value(), 23.5);
    }

    void applyRoundTrip_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArrayList>("presets");
        QTest::addColumn<QString>("input");    // spin box to set, or empty
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("button");   // pressed (tool buttons) or clicked (radios)
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("shows");    // an object whose text, title or value shows the echo
        QTest::addColumn<QVariant>("shown");

        QTest::newRow("ZQ81 CO2 offset") << 81 << 24u << QByteArrayList() << "doubleSpinBox_offset_ch1" << 1.5
                                         << "toolButton_offset_apply_ch1" << QByteArray("ATCOFF1 1.50")
                                         << "doubleSpinBox_offset_ch1" << QVariant(1.5);
        QTest::newRow("ZQ81 filter") << 81 << 24u << QByteArrayList() << "spinBox_filter" << 16.0
                                     << "toolButton_filter_apply" << QByteArray("ATCDGFIL 16")
                                     << "spinBox_filter" << QVariant(16);
        QTest::newRow("ZQ81 barometer") << 81 << 24u << QByteArrayList() << "spinBox_barometer" << 900.0
                                        << "toolButton_barometer_apply" << QByteArray("ATCSPAN 900")
                                        << "spinBox_barometer" << QVariant(900);
        QTest::newRow("ZQ81 sensitivity") << 81 << 24u << QByteArrayList() << "spinBox_sensitivity_ch1" << 7.0
                                          << "toolButton_sensitivity_apply_ch1" << QByteArray("ATCCH1WIN 7")
                                          << "spinBox_sensitivity_ch1" << QVariant(7);
        QTest::newRow("ZQ81 unit %") << 81 << 10u << QByteArrayList() << QString() << 0.0 << "radioButton_percent_ch1"
                                     << QByteArray("ATCCU 0") << "label_unit_ch1" << QVariant("%");
        QTest::newRow("ZQ89 unit ppm") << 89 << 3u << QByteArrayList{"ATCCU=0"} << QString() << 0.0
                                       << "radioButton_ppm_ch1" << QByteArray("ATCCU 1") << "label_unit_ch1"
                                       << QVariant("ppm");
        QTest::newRow("ZQ80 VOC unit ppb") << 80 << 32u << QByteArrayList() << QString() << 0.0 << "radioButton_ppb_ch1"
                                           << QByteArray("ATCVOCU 1") << "label_unit_ch1" << QVariant("ppb");
        QTest::newRow("ZQ80 CO2 unit %") << 80 << 32u << QByteArrayList{"ATCMODE=2"} << QString() << 0.0
                                         << "radioButton_percent_ch2" << QByteArray("ATCCU 0") << "label_unit_ch2"
                                         << QVariant("%");
        QTest::newRow("ZQ80 mode CO2") << 80 << 12u << QByteArrayList() << QString() << 0.0 << "radioButton_voc_co2"
                                       << QByteArray("ATCMODE 2") << "groupBox_ch2" << QVariant("CO2");
        QTest::newRow("ZQ80 sensitivity") << 80 << 12u << QByteArrayList() << "spinBox_sensitivity" << 9.0
                                          << "toolButton_sensitivity_apply" << QByteArray("ATCWIN 9")
                                          << "spinBox_sensitivity" << QVariant(9);
        QTest::newRow("ZQ82 mode 3") << 82 << 17u << QByteArrayList() << QString() << 0.0 << "radioButton_type3"
                                     << QByteArray("ATCMODE 3") << "label_unit_ch2" << QVariant("mmh2o");
        QTest::newRow("ZQ82 sensitivity") << 82 << 17u << QByteArrayList() << "spinBox_sensitivity_ch1" << 4.0
                                          << "toolButton_sensitivity_apply_ch1" << QByteArray("ATCWIN 4")
                                          << "spinBox_sensitivity_ch1" << QVariant(4);
        QTest::newRow("ZQ82 offset") << 82 << 9u << QByteArrayList() << "doubleSpinBox_offset_ch1" << 20.9
                                     << "toolButton_offset_apply_ch1" << QByteArray("ATCOFF1 20.90")
                                     << "doubleSpinBox_offset_ch1" << QVariant(20.9);
    }

    // One write CommandDelay after the press, its echo shown, APPLY END, and nothing else
    // sent but the poll.
    void applyRoundTrip()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArrayList, presets);
        QFETCH(QString, input);
        QFETCH(double, value);
        QFETCH(QString, button);
        QFETCH(QByteArray, command);
        QFETCH(QString, shows);
        QFETCH(QVariant, shown);
        Ready z(model, version, presets);
        QVERIFY(z.panel);
        StatusLog status(z.rig.window());
        if (!input.isEmpty())
            QVERIFY(child(z.rig, input)->setProperty("value", value));
        auto* target = child<QAbstractButton>(z.rig, button);
        QVERIFY(target);
        if (button.startsWith("radio"))
            target->click();
        else
            QTest::mousePress(target, Qt::LeftButton);
        QVERIFY(z.sim->waitForCommand(command));
        if (!button.startsWith("radio"))
            QTest::mouseRelease(target, Qt::LeftButton);
        QVERIFY(waitIdle(z.rig));
        QVERIFY(status.contains("success! apply calibration settings."));
        const QByteArray token = command.left(command.indexOf(' '));
        QCOMPARE(z.sim->setting(token), command.mid(command.indexOf(' ') + 1));
        QObject* display = child<QObject>(z.rig, shows);
        const char* property = display->property("title").isValid() ? "title"
                               : display->property("value").isValid() ? "value" : "text";
        QCOMPARE(display->property(property), shown);
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
        QTest::newRow("user OK") << "pushButton_usercal" << 0 << QByteArray("ATCUCAL OK")
                                 << QStringList{"SUCCESS: Success..."} << "success! apply calibration settings.";
        QTest::newRow("user refused") << "pushButton_usercal" << 0 << QByteArray("ATCUCAL NG")
                                      << QStringList{"FAIL: Please retry..."} << "error! apply calibration settings.";
        QTest::newRow("factory No") << "pushButton_factorycal" << int(QMessageBox::No) << QByteArray()
                                    << QStringList{"Factory Calibration: Do you want to calibrate for 12 hours?"}
                                    << QString();
        QTest::newRow("factory Yes") << "pushButton_factorycal" << int(QMessageBox::Yes) << QByteArray("ATCFCAL OK")
                                     << QStringList{"Factory Calibration: Do you want to calibrate for 12 hours?",
                                                    "SUCCESS: Unplug the sensor and plug it in again.\nNormal operation after 12 hours."}
                                     << "success! apply calibration settings.";
        QTest::newRow("factory refused") << "pushButton_factorycal" << int(QMessageBox::Yes) << QByteArray("ATCFCAL ERR")
                                         << QStringList{"Factory Calibration: Do you want to calibrate for 12 hours?",
                                                        "FAIL: Please retry..."}
                                         << "error! apply calibration settings.";
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

    void zq80CalibrationBoxOutlivesThePanel_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("success box") << QByteArray("ATCUCAL OK");
        QTest::newRow("fail box") << QByteArray("ATCUCAL NG");
    }

    // Unplugged while the calibration's box is open: the panel goes under the box, and
    // closing it ends nothing more (no second box, no poll).
    void zq80CalibrationBoxOutlivesThePanel()
    {
        QFETCH(QByteArray, reply);
        Ready z(80, 11);
        QVERIFY(z.panel);
        z.sim->setReply("ATCUCAL", {reply});
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

    void lastCalibrationTime_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("firstQuery");
        QTest::newRow("ZQ81") << 81 << 10u << QByteArray("ATCOFF1");
        QTest::newRow("ZQ80") << 80 << 12u << QByteArray("ATCMODE");
        QTest::newRow("ZQ82") << 82 << 10u << QByteArray("ATCMODE");
    }

    // After the password: "ATCEXTM <now>", and 50 ms after its echo a REFRESH reads it back.
    void lastCalibrationTime()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArray, firstQuery);
        Ready z(model, version);
        QVERIFY(z.panel);
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(QMetaObject::invokeMethod(z.panel->passwordDialog(), "pwdOk"));
        QVERIFY(QTest::qWaitFor([&] { return z.sim->commandLines().size() >= 2; }, 3000));
        const QByteArray write = z.sim->commandLines().first();
        QVERIFY2(write.startsWith("ATCEXTM "), write.constData());
        QVERIFY(qAbs(write.mid(8).toLongLong() - before) <= 2);
        QCOMPARE(z.sim->commandLines().at(1), firstQuery);
        const qint64 gap = z.sim->timesOf(firstQuery).first() - z.sim->timesOf(write).first();
        QVERIFY2(gap >= 50 + CommandDelay - 1 && gap < 50 + CommandDelay + kSlackMs, qPrintable(QString::number(gap)));
        QVERIFY(waitIdle(z.rig));
        QCOMPARE(child<QDateTimeEdit>(z.rig, "dateTimeEdit_exec_datetime")->dateTime().toSecsSinceEpoch(),
                 write.mid(8).toLongLong());
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
        QTest::newRow("ZQ89 unit, other keyword") << 89 << 3u << QByteArray("ATCCU") << QByteArray("ATCOFF1 0.00")
                                                  << "radioButton_percent_ch1" << "radioButton_ppm_ch1";
        QTest::newRow("ZQ80 mode out of range") << 80 << 32u << QByteArray("ATCMODE") << QByteArray("ATCMODE 3")
                                                << "radioButton_voc_humi" << "radioButton_voc_co2";
        QTest::newRow("ZQ80 VOC unit, other keyword") << 80 << 32u << QByteArray("ATCVOCU") << QByteArray("ATCWIN 5")
                                                      << "radioButton_ppb_ch1" << "radioButton_ppm_ch1";
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

    // A late filter echo in DEFAULT is no poll reply: the readings stay.
    void filterEchoIsNoReading()
    {
        Ready z(81, 24);
        QVERIFY(z.panel);
        QVERIFY(z.sim->waitForCommand("ATCD", 3000));
        auto* lcd = child<QLCDNumber>(z.rig, "lcdNumber_ch1");
        QTRY_COMPARE(lcd->value(), 412.0);
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

    void unplugMidSequence_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("ZQ81") << 81 << 24u << QByteArray("ATCSINFO");
        QTest::newRow("ZQ89") << 89 << 3u << QByteArray("ATCCH1WIN");
        QTest::newRow("ZQ80") << 80 << 32u << QByteArray("ATCCU");
        QTest::newRow("ZQ82") << 82 << 17u << QByteArray("ATCEXTM");
    }

    // No answer: the panel waits locked; unplugged, it goes without a box or a poll.
    void unplugMidSequence()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArray, query);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("AQ0001", model, version);
        sim->removeCommand(query);
        ModalCloser closer;
        MainWindow* w = rig.start();
        QVERIFY(sim->waitForCommand(query, kReadyWaitMs));
        QTest::qWait(300);
        QCOMPARE(panelOf(rig)->mode(), unsigned(REFRESH));
        QVERIFY(panelOf(rig)->isLocked());
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count(QString("~Zq%1Calibrator()").arg(model)), 1);
        QTest::qWait(500);
        QCOMPARE(closer.count(), 0);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
    }
};

QTEST_MAIN(E2eAir)
#include "e2e_air.moc"
