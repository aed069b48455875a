// The ZQ70A/B/C panel end to end: the real main window on a mocked USB instrument that
// plays a ZQ70A, ZQ70B or ZQ70C (tests/support/sim_zq70.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QToolButton>
#include <QtTest>

#include "calibrateapply.h"
#include "calibwizard.h"
#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "rangescalewizards.h"
#include "statuslog.h"
#include "ui_zq70acalibrator.h"
#include "wizardchain.h"
#include "zq70acalibrator.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;

Zq70ACalibrator* zq70(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<Zq70ACalibrator*>(rig.window()->calibrator()) : nullptr;
}

// No sequence runs and the panel is unlocked (polling or not, by the event modes).
bool settled(E2eRig& rig)
{
    Zq70ACalibrator* panel = zq70(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && panel->pendingCommand().isEmpty();
}

bool waitSettled(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return settled(rig); }, kReadyWaitMs);
}

// The REFRESH queries of a model: offsets, [input type], the five scaling items,
// [the four event items], [the trigger condition], each item for every channel.
QByteArrayList refreshQueries(int channels, bool events, bool trigger)
{
    QByteArrayList queries;
    auto item = [&](QByteArray const& key, QByteArray const& suffix) {
        for (int n = 1; n <= channels; ++n)
            queries << key + QByteArray::number(n) + suffix;
    };
    item("ATCOFF", "");
    if (events)
        queries << "ATSINM";
    for (const char* s : {"LO", "HI", "CLO", "CHI", "M"})
        item("ATCCH", s);
    if (events)
        for (const char* s : {"EMO", "ELO", "EHI", "EDI"})
            item("ATC", s);
    if (trigger)
        queries << "ATETGMO";
    return queries;
}

// Answers token with an extra line before its own reply.
void lineBefore(InstrumentSimulator* sim, QByteArray const& token, QByteArray const& extra)
{
    sim->onCommand(token, [sim, extra](InstrumentSimulator::Request const& r) {
        if (!r.isQuery())
            sim->setSetting(r.token, r.argument);
        return QByteArrayList{extra, r.token + " " + sim->setting(r.token)};
    });
}

// A unit plugged in and read out, its panel settled and the instrument's log cleared.
struct Ready
{
    explicit Ready(int model = 71, unsigned version = 16,
                   std::function<void(InstrumentSimulator*)> const& setup = {})
    {
        sim = rig.bench.plugInstrument("Z70SN1", model, version);
        if (setup)
            setup(sim);
        rig.start();
        panel = waitSettled(rig) ? zq70(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    CalibWizard* wizard() const { return panel->wizards()->chain()->wizard(); }
    // Opens a wizard through its button, answering the question Yes.
    CalibWizard* open(QPushButton* button)
    {
        ModalCloser closer(20);
        closer.setAnswer(QMessageBox::Yes);
        closer.setInspector([&closer](QWidget*) { closer.setEnabled(false); });
        button->click();
        return wizard();
    }
    // The write lines after the clearing of the log, without the polls.
    QByteArrayList writes() const
    {
        QByteArrayList lines = sim->commandLines();
        lines.removeAll("ATCD");
        return lines;
    }
    // Waits for count writes and the end of the sequence they belong to.
    bool waitWrites(int count)
    {
        return QTest::qWaitFor([&] { return writes().size() >= count; }, kReadyWaitMs) && waitSettled(rig);
    }

    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    Zq70ACalibrator* panel = nullptr;
    Ui::Zq70ACalibrator* ui = nullptr;
};

template <typename T>
T* child(QObject* parent, QString const& name)
{
    return parent->findChild<T*>(name);
}

} // namespace

class E2eZq70 : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    void refreshOrderByModelAndFirmware_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("version");
        QTest::newRow("ZQ70A 1v5") << 71 << 15;
        QTest::newRow("ZQ70A 1v6") << 71 << 16;
        QTest::newRow("ZQ70B 1v5") << 72 << 15;
        QTest::newRow("ZQ70B 1v6") << 72 << 16;
        QTest::newRow("ZQ70C 1v6") << 73 << 16;
    }

    void refreshOrderByModelAndFirmware()
    {
        QFETCH(int, model);
        QFETCH(int, version);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("Z70SN1", model, unsigned(version));
        MainWindow* w = rig.start();
        StatusLog shown(w);
        QVERIFY(waitSettled(rig));
        Zq70ACalibrator* panel = zq70(rig);
        Ui::Zq70ACalibrator* ui = panel->form();
        const int channels = model == 72 ? 1 : 2;
        const bool events = version >= 16;

        const QByteArrayList expected = refreshQueries(channels, events, events && model != 72);
        const int queries = expected.size();
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, queries + 1), QByteArrayList{"ATCVER"} + expected);
        QCOMPARE(lines.count("ATCD"), lines.size() - queries - 1);
        // Each query CommandDelay after the reply to the one before.
        for (int i = 1; i <= queries; ++i) {
            const qint64 gap = sim->timesOf(lines.at(i)).first() - sim->timesOf(lines.at(i - 1)).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs, lines.at(i).constData());
        }
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QVERIFY(sim->waitForCommand("ATCD", 3000, 2));
        const QList<qint64> polls = sim->timesOf("ATCD");
        QVERIFY(qAbs(polls.at(1) - polls.at(0) - 1000) < kSlackMs);

        // What the form shows of this model and firmware.
        QCOMPARE(ui->groupBox_ch2->isVisibleTo(panel), model != 72);
        QCOMPARE(ui->groupBox_sensingrange->isVisibleTo(panel), events);
        QCOMPARE(ui->groupBox_eventmode_ch1->isVisibleTo(panel), events);
        QCOMPARE(ui->groupBox_event_diff_ch2->isVisibleTo(panel), events && model != 72);
        QCOMPARE(ui->radioButton_1000mv->isVisibleTo(panel), events && model == 73);
        QCOMPARE(ui->radioButton_420ma->isVisibleTo(panel), events && model != 73);
        QCOMPARE(ui->doubleSpinBox_range_max_ch1->value(), model == 73 ? 1000.0 : 20.0);
        // The live reading: one value on a ZQ70B, fed to both charts.
        QTRY_COMPARE(ui->lcdNumber_ch1->value(), 12.5);
        QCOMPARE(ui->lcdNumber_ch1->styleSheet(), QString(CalibratorPanel::MatchStyle));
        QCOMPARE(panel->chart(1)->values()[kLast], model == 72 ? NoValue : 3.75);
        QCOMPARE(panel->getCurrentValue(2), model == 72 ? -99999.999 : 3.75);
    }

    void refreshStoresWhatTheInstrumentHolds_data()
    {
        QTest::addColumn<QByteArray>("inputType");
        QTest::addColumn<double>("rangeMin");
        QTest::addColumn<double>("correctionMin");
        QTest::addColumn<QString>("checked");
        QTest::newRow("0~20 mA") << QByteArray("1") << 0.0 << -3.98 << "radioButton_020ma";
        QTest::newRow("out of range: 0~1000 mV radio") << QByteArray("5") << 0.0 << -3.98 << "radioButton_1000mv";
    }

    void refreshStoresWhatTheInstrumentHolds()
    {
        QFETCH(QByteArray, inputType);
        QFETCH(double, rangeMin);
        QFETCH(double, correctionMin);
        QFETCH(QString, checked);
        Ready z(71, 16, [&](InstrumentSimulator* sim) {
            sim->setSetting("ATSINM", inputType);
            sim->setSetting("ATCCH1CLO", "3.98");
            sim->setSetting("ATCCH1CHI", "20.1");
            sim->setSetting("ATCCH2LO", "-50");
            sim->setSetting("ATCCH2M", "2.5");
            sim->setSetting("ATC2EMO", "3");
            sim->setSetting("ATC1EHI", "1e+06");
            sim->setSetting("ATETGMO", "1");
        });
        QVERIFY(z.panel);
        QVERIFY(child<QRadioButton>(z.panel, checked)->isChecked());
        QCOMPARE(z.ui->doubleSpinBox_range_min_ch1->value(), rangeMin);
        QCOMPARE(z.ui->doubleSpinBox_correction_min_ch1->value(), correctionMin);
        QCOMPARE(z.ui->doubleSpinBox_correction_max_ch1->value(), -0.1);
        QCOMPARE(z.ui->doubleSpinBox_scaled_min_ch2->value(), -50.0);
        QCOMPARE(z.ui->doubleSpinBox_multi_ch2->value(), 2.5);
        QCOMPARE(z.ui->doubleSpinBox_event_max_ch1->value(), 1e6);
        QVERIFY(z.ui->radioButton_event_diff_ch2->isChecked());
        QVERIFY(z.ui->radioButton_trigg_and->isChecked());
        // Channel 2 in an event mode: no polling, the main window's text stays.
        QVERIFY(z.panel->eventActive(2));
        QVERIFY(!z.rig.window()->pollTimer()->isActive());
        QVERIFY(z.rig.status().startsWith("Timer Stop."));
    }

    void applyWritesAndTakesTheEcho_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArrayList>("reply"); // none: the echo of another value
        QTest::addColumn<QString>("held");         // refused: the radio shown after the box
        QTest::newRow("offset") << "doubleSpinBox_offset_ch1" << -0.5 << "toolButton_offset_apply_ch1" << QByteArray("ATCOFF1 -0.50") << QByteArrayList() << QString();
        QTest::newRow("event LO, exponent form") << "doubleSpinBox_event_min_ch2" << 1e6 << "toolButton_event_lo_apply_ch2" << QByteArray("ATC2ELO 1e+06") << QByteArrayList() << QString();
        QTest::newRow("event LO, g6") << "doubleSpinBox_event_min_ch1" << 0.1 << "toolButton_event_lo_apply_ch1" << QByteArray("ATC1ELO 0.1") << QByteArrayList() << QString();
        QTest::newRow("trigger condition") << QString() << 0.0 << "radioButton_trigg_and" << QByteArray("ATETGMO 1") << QByteArrayList() << QString();
        QTest::newRow("offset, poll reply before the echo") << "doubleSpinBox_offset_ch1" << -0.5 << "toolButton_offset_apply_ch1" << QByteArray("ATCOFF1 -0.50")
                                                            << QByteArrayList{"ATCD 1.00,2.00", "ATCOFF1 7"} << QString();
        QTest::newRow("input type refused") << QString() << 0.0 << "radioButton_020ma" << QByteArray("ATSINM 1") << QByteArrayList{"ATC FAIL"} << "radioButton_420ma";
        QTest::newRow("trigger refused") << QString() << 0.0 << "radioButton_trigg_and" << QByteArray("ATETGMO 1") << QByteArrayList{"ATC FAIL"} << "radioButton_trigg_or";
    }

    void applyWritesAndTakesTheEcho()
    {
        QFETCH(QString, box);
        QFETCH(double, value);
        QFETCH(QString, button);
        QFETCH(QByteArray, command);
        QFETCH(QByteArrayList, reply);
        QFETCH(QString, held);
        Ready z;
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        ModalCloser closer(50);
        if (!box.isEmpty())
            child<QDoubleSpinBox>(z.panel, box)->setValue(value);
        // The instrument echoes another value than the one sent (the form shows the echo),
        // or answers the row's reply.
        const QByteArray token = command.left(command.indexOf(' '));
        z.sim->onCommand(token, [&](InstrumentSimulator::Request const& r) {
            if (!reply.isEmpty())
                return reply;
            return QByteArrayList{r.token + (box.isEmpty() ? QByteArray(" 1") : QByteArray(" 7"))};
        });
        auto* b = child<QAbstractButton>(z.panel, button);
        if (auto* tool = qobject_cast<QToolButton*>(b))
            emit tool->pressed();
        else
            b->click();
        QVERIFY(z.panel->isLocked());
        QVERIFY(z.waitWrites(1));
        QCOMPARE(z.writes(), QByteArrayList{command});
        if (!held.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(closer.texts(), QStringList{"error! apply calibration settings..."}, 3000);
            QVERIFY(child<QRadioButton>(z.panel, held)->isChecked());
        } else {
            QCOMPARE(closer.count(), 0);
            QVERIFY(shown.contains("success! apply calibration settings."));
            if (!box.isEmpty())
                QCOMPARE(child<QDoubleSpinBox>(z.panel, box)->value(), 7.0);
            else
                QVERIFY(z.ui->radioButton_trigg_and->isChecked());
        }
        // No refresh follows; polling goes on.
        QTest::qWait(300);
        QCOMPARE(z.writes().size(), 1);
        QVERIFY(z.rig.window()->pollTimer()->isActive());
    }

    void inputTypeRefreshesLockedThroughout()
    {
        Ready z;
        QVERIFY(z.panel);
        QList<bool> locks;
        connect(z.panel, &CalibratorPanel::lockChanged, this, [&](bool locked) { locks << locked; });
        z.ui->radioButton_020ma->click();
        QVERIFY(z.waitWrites(23));
        QCOMPARE(z.writes(), QByteArrayList{"ATSINM 1"} + refreshQueries(2, true, true));
        QCOMPARE(locks, QList<bool>({true, false}));
        QVERIFY(z.ui->radioButton_020ma->isChecked());
        QCOMPARE(z.ui->doubleSpinBox_range_min_ch2->value(), 0.0);
    }

    void eventModeStopsPollingUntilNone()
    {
        Ready z;
        QVERIFY(z.panel);
        z.ui->radioButton_event_edge_out_ch1->click();
        QVERIFY(z.waitWrites(1));
        QCOMPARE(z.writes(), QByteArrayList{"ATC1EMO 2"});
        QVERIFY(z.panel->eventActive(1));
        QVERIFY(!z.rig.window()->pollTimer()->isActive());
        QVERIFY(z.rig.status().startsWith("Timer Stop."));
        {
            // An echo out of range fails a change: the box, still in the mode held.
            z.sim->setReply("ATC1EMO", {"ATC1EMO 7"});
            ModalCloser closer(50);
            z.ui->radioButton_event_diff_ch1->click();
            QTRY_COMPARE_WITH_TIMEOUT(closer.texts(), QStringList{"error! apply calibration settings..."}, 3000);
            QVERIFY(z.rig.status().startsWith("Timer Stop."));
            QVERIFY(z.ui->radioButton_event_edge_out_ch1->isChecked());
            QVERIFY(z.panel->eventActive(1));
            QVERIFY(settled(z.rig));
            z.sim->addSetting("ATC1EMO", "2");
        }
        const int polls = z.sim->count("ATCD");
        QTest::qWait(1500);
        QCOMPARE(z.sim->count("ATCD"), polls);

        // Event lines now: charted when they arrive, each a point of its own.
        const double before = z.panel->chart(0)->timeStamps()[kLast];
        const QDateTime lastPoll = z.panel->lastWrite();
        z.sim->sendLine("ATEC 1.5,2.5");
        QTRY_COMPARE(z.ui->lcdNumber_ch1->value(), 1.5);
        QCOMPARE(z.ui->lcdNumber_ch1->styleSheet(), QString(CalibratorPanel::ChangedStyle));
        const double first = z.panel->chart(0)->timeStamps()[kLast];
        QTest::qWait(250);
        z.sim->sendLine("ATEC 4.5,5.5");
        QTRY_COMPARE(z.ui->lcdNumber_ch2->value(), 5.5);
        const double* t = z.panel->chart(0)->timeStamps();
        QCOMPARE(t[kLast - 2], before);
        QCOMPARE(t[kLast - 1], first);
        QVERIFY(t[kLast] - first > 0.2 && t[kLast] - first < 0.2 + kSlackMs / 1000.0);
        QCOMPARE(z.panel->chart(0)->values()[kLast - 1], 1.5);
        QCOMPARE(z.panel->lastWrite(), lastPoll);
        // 500 ms after the last event line the live style returns.
        QTRY_COMPARE_WITH_TIMEOUT(z.ui->lcdNumber_ch1->styleSheet(), QString(CalibratorPanel::MatchStyle), 1000);
        // A line with both words is an event.
        z.sim->sendLine("ATCDATEC8,9");
        QTRY_COMPARE(z.ui->lcdNumber_ch2->value(), 9.0);
        QCOMPARE(z.ui->lcdNumber_ch1->styleSheet(), QString(CalibratorPanel::ChangedStyle));

        z.sim->clearLog();
        z.ui->radioButton_event_normal_ch1->click();
        QVERIFY(z.waitWrites(1));
        QCOMPARE(z.writes(), QByteArrayList{"ATC1EMO 1"});
        QVERIFY(!z.panel->eventActive(1));
        QVERIFY(z.sim->waitForCommand("ATCD", 3000));
    }

    // A poll reply in flight when a sequence starts is not its answer; a reply that names
    // another channel, none or a foreign keyword fails the step. Neither a line before nor
    // a reply: the port closes before token goes out, and what was read stays on the form.
    void strayAndGarbledReplies_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("before"); // a line before the true reply
        QTest::addColumn<QByteArray>("reply");  // replaces the reply; empty: the true one
        QTest::addColumn<bool>("fails");
        QTest::newRow("late poll reply") << 71 << QByteArray("ATCCH1HI") << QByteArray("ATCD 1.00,2.00") << QByteArray() << false;
        QTest::newRow("channel 0") << 71 << QByteArray("ATC1ELO") << QByteArray() << QByteArray("ATC0ELO 1") << true;
        QTest::newRow("other channel") << 71 << QByteArray("ATCCH1LO") << QByteArray() << QByteArray("ATCCH2LO 0.00") << true;
        QTest::newRow("no channel") << 71 << QByteArray("ATCCH2CHI") << QByteArray() << QByteArray("ATCCHCHI") << true;
        QTest::newRow("channel 2 on a ZQ70B") << 72 << QByteArray("ATCOFF1") << QByteArray() << QByteArray("ATCOFF2 1.00") << true;
        QTest::newRow("wrong keyword") << 73 << QByteArray("ATSINM") << QByteArray() << QByteArray("ATCXYZ") << true;
        QTest::newRow("port closed after the corrections") << 71 << QByteArray("ATCCH1M") << QByteArray() << QByteArray() << true;
    }

    void strayAndGarbledReplies()
    {
        QFETCH(int, model);
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, reply);
        QFETCH(bool, fails);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("Z70SN1", model, 16);
        const bool unsent = before.isEmpty() && reply.isEmpty();
        if (!before.isEmpty())
            lineBefore(sim, token, before);
        else if (!unsent)
            sim->setReply(token, {reply});
        else
            sim->setSetting("ATCCH1CLO", "3.90"); // a correction of 0.10
        ModalCloser closer(50);
        MainWindow* w = rig.start();
        StatusLog shown(w);
        if (unsent) {
            CommandDelay = 300; // time to close the port while token waits
            QVERIFY(QTest::qWaitFor([&] { return zq70(rig) && zq70(rig)->pendingCommand().startsWith(token); }, kReadyWaitMs));
            w->port()->close();
        }
        QVERIFY(waitSettled(rig));
        QTest::qWait(200);
        QCOMPARE(closer.texts(), fails ? QStringList{"error! refresh calibration settings..."} : QStringList());
        QCOMPARE(shown.contains("success! refresh calibration settings."), !fails);
        // Nothing read after the failed step; the wizards wait for a complete refresh.
        QCOMPARE(sim->commandLines().contains(model == 72 ? "ATC1EDI" : "ATETGMO"), !fails);
        QCOMPARE(zq70(rig)->form()->pushButton_scale_ch1->isEnabled(), !fails);
        if (unsent) {
            // The corrections read, not the ends of the range.
            QCOMPARE(zq70(rig)->form()->doubleSpinBox_correction_min_ch1->value(), 0.1);
            QCOMPARE(zq70(rig)->form()->doubleSpinBox_correction_max_ch2->value(), 0.0);
            return;
        }
        QVERIFY(sim->waitForCommand("ATCD", 3000));
    }

    // The raw chain on opening (Finish meanwhile is ignored), Apply's corrections, Back
    // reruns the raw chain, Finish restores the scaling with the new corrections. With an
    // event mode on, the open wizard still polls (READ needs fresh readings); the rule
    // holds again after. A poll reply just before the HI echo is not that echo.
    void rangeWizardRawApplyRestore()
    {
        Ready z(71, 16, [](InstrumentSimulator* sim) {
            sim->setSetting("ATC1EMO", "4");
            lineBefore(sim, "ATCCH1HI", "ATCD 1.00,2.00");
        });
        QVERIFY(z.panel);
        QVERIFY(!z.rig.window()->pollTimer()->isActive());
        QPointer<CalibWizard> wizard = z.open(z.ui->pushButton_wizard_ch1);
        QVERIFY(wizard);
        ModalCloser boxes(50);
        boxes.setMessageBoxesOnly(true);
        QVERIFY(z.sim->waitForCommand("ATCCH1LO 4.00"));
        wizard->accept();
        QVERIFY(z.waitWrites(6));
        QVERIFY(wizard);
        QCOMPARE(z.writes(), QByteArrayList({"ATCCH1LO 4.00", "ATCCH1HI 20.00", "ATCCH1M 1.00", "ATCCH1CLO 4.00",
                                             "ATCCH1CHI 20.00", "ATCOFF1 0.00"}));
        QVERIFY(z.rig.window()->pollTimer()->isActive());

        // The readings at zero and span, then Apply on page 2.
        qobject_cast<CalibrateApply*>(wizard->page(1))->setDelta(4.02);
        wizard->next();
        auto* span = qobject_cast<CalibrateApply*>(wizard->page(2));
        span->setDelta(19.95);
        z.sim->clearLog();
        emit span->signalDelta();
        QVERIFY(z.waitWrites(2));
        QCOMPARE(z.writes(), QByteArrayList({"ATCCH1CLO 4.02", "ATCCH1CHI 19.95"}));
        QCOMPARE(z.ui->doubleSpinBox_correction_min_ch1->value(), -0.02);
        QCOMPARE(z.ui->doubleSpinBox_correction_max_ch1->value(), 0.05);

        // Back reruns the raw chain.
        z.sim->clearLog();
        wizard->back();
        QVERIFY(z.waitWrites(6));
        QCOMPARE(z.writes().first(), QByteArray("ATCCH1LO 4.00"));

        // Finish restores; Finish again while it runs writes nothing over it.
        z.sim->clearLog();
        wizard->accept();
        if (wizard)
            wizard->accept();
        QVERIFY(z.waitWrites(5));
        QTRY_VERIFY(!wizard);
        QCOMPARE(z.writes(), QByteArrayList({"ATCCH1LO 0.00", "ATCCH1HI 100.00", "ATCCH1M 1.00", "ATCCH1CLO 4.02",
                                             "ATCCH1CHI 19.95"}));
        QCOMPARE(z.sim->setting("ATCCH1CLO"), QByteArray("4.02"));
        QCOMPARE(z.sim->setting("ATCCH1HI"), QByteArray("100.00"));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!z.rig.window()->pollTimer()->isActive());
    }

    // Closed while the raw chain runs: nothing written over it, and the wizard ends with
    // the instrument as it was before (offset aside), no error box.
    void rangeWizardClosedDuringTheRawChain()
    {
        Ready z(71, 16, [](InstrumentSimulator* sim) {
            sim->setSetting("ATCCH2HI", "50.00");
            sim->setSetting("ATCCH2CLO", "4.10");
        });
        QVERIFY(z.panel);
        QPointer<CalibWizard> wizard = z.open(z.ui->pushButton_wizard_ch2);
        QVERIFY(wizard);
        ModalCloser boxes(50);
        boxes.setMessageBoxesOnly(true);
        QVERIFY(z.sim->waitForCommand("ATCCH2LO 4.00"));
        wizard->close();
        QVERIFY(z.waitWrites(11));
        QTRY_VERIFY(!wizard);
        QCOMPARE(z.writes().mid(6), QByteArrayList({"ATCCH2LO 0.00", "ATCCH2HI 50.00", "ATCCH2M 1.00",
                                                    "ATCCH2CLO 4.10", "ATCCH2CHI 20.00"}));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(z.sim->setting("ATCOFF2"), QByteArray("0.00"));
    }

    // The scale wizard writes on Finish only.
    void scaleWizard()
    {
        Ready z;
        QVERIFY(z.panel);
        QPointer<CalibWizard> wizard = z.open(z.ui->pushButton_scale_ch1);
        QVERIFY(wizard);
        // Escape does nothing.
        wizard->reject();
        QTest::qWait(300);
        QVERIFY(wizard);
        QVERIFY(z.writes().isEmpty());
        child<QDoubleSpinBox>(wizard, "doubleSpinBox_4ma")->setValue(0);
        child<QDoubleSpinBox>(wizard, "doubleSpinBox_20ma")->setValue(250);
        child<QDoubleSpinBox>(wizard, "doubleSpinBox_multiply")->setValue(1.5);
        wizard->accept();
        QVERIFY(z.waitWrites(3));
        QCOMPARE(z.writes(), QByteArrayList({"ATCCH1LO 0.00", "ATCCH1HI 250.00", "ATCCH1M 1.50"}));
        QTRY_VERIFY(!wizard);
        QCOMPARE(z.ui->doubleSpinBox_scaled_max_ch1->value(), 250.0);
        QCOMPARE(z.ui->doubleSpinBox_multi_ch1->value(), 1.5);

        // The close button closes without a write.
        wizard = z.open(z.ui->pushButton_scale_ch1);
        QVERIFY(wizard);
        wizard->close();
        QTRY_VERIFY(!wizard);
        QTest::qWait(200);
        QCOMPARE(z.writes().size(), 3);
    }

    // A failed chain write: the box, the wizard gone, and a REFRESH reads what the
    // instrument now holds (scheduled before the box).
    void chainErrorRefreshes()
    {
        Ready z;
        QVERIFY(z.panel);
        InstrumentSimulator* sim = z.sim;
        z.sim->onCommand("ATCCH1CLO", [sim](InstrumentSimulator::Request const& r) {
            return QByteArrayList{r.isQuery() ? "ATCCH1CLO " + sim->setting("ATCCH1CLO") : QByteArray("ATCCHXCLO")};
        });
        bool refreshQueued = false;
        ModalCloser closer(50);
        closer.setMessageBoxesOnly(true);
        closer.setInspector([&](QWidget*) { refreshQueued = z.panel->refreshScheduled() || z.panel->mode() == REFRESH; });
        QPointer<CalibWizard> wizard = z.open(z.ui->pushButton_wizard_ch1);
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 5000);
        QCOMPARE(closer.texts(), QStringList{"error! apply calibration settings..."});
        QVERIFY(refreshQueued);
        QTRY_VERIFY(!wizard);
        // The refresh shows the raw setting the instrument kept.
        QVERIFY(z.sim->waitForCommand("ATCCH1M", 5000));
        QVERIFY(waitSettled(z.rig));
        QCOMPARE(z.ui->doubleSpinBox_scaled_max_ch1->value(), 20.0);
    }

    // Pulled out with the wizard open: the panel goes, the wizard with it, polling stops.
    void unplugWithTheWizardOpen()
    {
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("Z70SN1", 72, 16);
        MainWindow* w = rig.start();
        QVERIFY(waitSettled(rig));
        rig.whenModalOpens([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
        zq70(rig)->form()->pushButton_wizard_ch1->click();
        QVERIFY(sim->waitForCommand("ATCOFF1 0.00", kReadyWaitMs));
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count("~Zq70ACalibrator()"), 1);
        QTest::qWait(500);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<CalibWizard*>(top) || !top->isVisible());
    }

    // Garbled lines at random moments of every mode: no crash, no access out of range, and
    // the panel ends unlocked or waiting for its reply, its wizard closed or consistent.
    void seededSweep_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("ZQ70A seed 1") << 71 << 1u;
        QTest::newRow("ZQ70B seed 2") << 72 << 2u;
    }

    void seededSweep()
    {
        QFETCH(int, model);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Ready z(model);
        QVERIFY(z.panel);
        ModalCloser closer(5);
        closer.setAnswer(QMessageBox::Yes);
        const QByteArrayList keys = {"ATCOFF", "ATCCH", "ATSINM", "ATC", "ATETGMO", "ATCD", "ATEC", "ATXX", ""};
        const QByteArrayList items = {"", "LO", "HI", "CLO", "CHI", "M", "EMO", "ELO", "EHI", "EDI"};
        const QByteArrayList digits = {"", "0", "1", "2", "3", "9"};
        const QByteArrayList values = {"", "1.5", "x", "-", "4", "1e+06", "----", ",", "2,3", QByteArray(300, '7')};
        QPointer<Zq70ACalibrator> panel = z.panel;
        for (int i = 0; i < 40 && panel; ++i) {
            switch (random.bounded(8)) {
            case 0: panel->form()->pushButton_refresh->click(); break;
            case 1: if (panel->form()->pushButton_wizard_ch1->isEnabled()) panel->form()->pushButton_wizard_ch1->click(); break;
            case 2: if (panel->form()->pushButton_scale_ch1->isEnabled()) panel->form()->pushButton_scale_ch1->click(); break;
            case 3: if (panel->form()->groupBox_ch1->isEnabled()) panel->form()->radioButton_event_diff_ch1->click(); break;
            case 4: if (panel->form()->groupBox_ch1->isEnabled()) panel->form()->radioButton_event_normal_ch1->click(); break;
            case 5: if (CalibWizard* wz = panel->wizards()->chain()->wizard()) (random.bounded(2) ? wz->accept() : wz->reject()); break;
            default: {
                const QByteArray line = keys.at(random.bounded(keys.size())) + digits.at(random.bounded(digits.size()))
                                        + items.at(random.bounded(items.size())) + " "
                                        + values.at(random.bounded(values.size()));
                z.sim->sendLine(line);
            }
            }
            QTest::qWait(int(random.bounded(120)));
        }
        QVERIFY(panel);
        // Whatever happened, a REFRESH of a sound instrument brings the panel back.
        closer.setAnswer(QMessageBox::No);
        QTest::qWait(300);
        if (CalibWizard* wz = panel->wizards()->chain()->wizard())
            wz->close();
        QTest::qWait(300);
        panel->form()->pushButton_refresh->click();
        QVERIFY(waitSettled(z.rig));
        QVERIFY(!panel->wizards()->chain()->isOpen() || panel->wizards()->chain()->channel() == 1);
    }
};

QTEST_MAIN(E2eZq70)
#include "e2e_zq70.moc"
