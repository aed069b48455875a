// The electrochemical gas panels (ZQ83, ZQ84) end to end: the real main window on a mocked
// USB instrument (tests/support/sim_zq83.cpp, sim_zq84.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QWizard>
#include <QtTest>

#include "calibwizard.h"
#include "chartview.h"
#include "e2erig.h"
#include "echempanel.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "passworddlg.h"
#include "statuslog.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;
constexpr int kRefreshAfterMs = 50;

EchemPanel* echem(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<EchemPanel*>(rig.window()->calibrator()) : nullptr;
}

// The panel exists, no sequence runs and the poll runs.
bool idle(E2eRig& rig)
{
    EchemPanel* panel = echem(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return idle(rig); }, kReadyWaitMs);
}

QByteArrayList refreshQueries(int model, unsigned version)
{
    QByteArrayList q{"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCCSP", "ATCEXTM", "ATCUSED"};
    if (model == 83 || version >= 5)
        q << "ATCTCMP" << "ATCWIN" << "ATCBLDTM";
    return q;
}

// An instrument plugged in and read out, its panel idle and the instrument's log cleared.
struct Ready
{
    Ready(int model, unsigned version)
    {
        sim = rig.bench.plugInstrument("E83C84", model, version);
        rig.start();
        panel = waitIdle(rig) ? echem(rig) : nullptr;
        f = panel ? &panel->widgets() : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    EchemPanel* panel = nullptr;
    EchemForm const* f = nullptr;
};

// Presses a button the way the panel listens to it (pressed, not clicked).
void press(QAbstractButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

// Opens the calibration wizard, answering Yes to the question.
CalibWizard* openWizard(Ready& z)
{
    z.rig.whenModalOpens([](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Yes)->click();
    });
    emit z.f->pushButton_mannual->pressed();
    if (!QTest::qWaitFor([&] { return z.panel->wizardWindow() && z.panel->wizardWindow()->isVisible(); }, 3000))
        return nullptr;
    return z.panel->wizardWindow();
}

} // namespace

class E2eEchem : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    // ---- REFRESH ----------------------------------------------------------------

    void refreshOrderThenPolls_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::newRow("ZQ83 fw 1") << 83 << 1u;
        QTest::newRow("ZQ83 fw 12") << 83 << 12u; // no firmware gate on a ZQ83
        QTest::newRow("ZQ84 fw 4") << 84 << 4u;
        QTest::newRow("ZQ84 fw 5") << 84 << 5u;
        QTest::newRow("ZQ84 fw 11") << 84 << 11u;
    }

    void refreshOrderThenPolls()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("E83C84", model, version);
        const QDateTime calibrated(QDate(2021, 3, 4), QTime(5, 6, 7));
        const QDateTime built(QDate(2019, 1, 2), QTime(3, 4, 5));
        sim->setSetting("ATCMODE", "1");
        sim->setSetting("ATCOFF1", "-1.50");
        sim->setSetting("ATCOFF2", "0.25");
        sim->setSetting("ATCTCMP", "1");
        sim->setSetting("ATCWIN", "7");
        sim->setSetting("ATCUSED", "4321");
        sim->setSetting("ATCEXTM", QByteArray::number(calibrated.toSecsSinceEpoch()));
        sim->setSetting("ATCBLDTM", QByteArray::number(built.toSecsSinceEpoch()));
        MainWindow* w = rig.start();
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        EchemPanel* panel = echem(rig);
        EchemForm const& f = panel->widgets();

        // Exactly these, in this order, before the first poll.
        const QByteArrayList queries = refreshQueries(model, version);
        const QByteArrayList expected = QByteArrayList{"ATCVER"} + queries + QByteArrayList{"ATCC"};
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, expected.size()), expected);
        QCOMPARE(lines.count("ATCH"), lines.size() - expected.size());
        // Each query CommandDelay after the reply before it; the unit command at once.
        auto at = [sim](QByteArray const& line) { return sim->timesOf(line).first(); };
        for (int i = 1; i <= queries.size(); ++i) {
            const qint64 gap = at(expected[i]) - at(expected[i - 1]);
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs, expected[i] + " " + QByteArray::number(gap));
        }
        QVERIFY(at("ATCC") - at(queries.last()) < kSlackMs);
        QVERIFY(shown.contains("success! refresh calibration settings."));

        // Values to the widgets; the groups of firmware below 5 stay hidden on a ZQ84.
        const bool later = model == 83 || version >= 5;
        QCOMPARE(f.groupBox_build_time->isHidden(), !later);
        QCOMPARE(f.groupBox_tempcompensate->isHidden(), !later);
        QCOMPARE(f.groupBox_sensitivity->isHidden(), !later);
        QVERIFY(f.radioButton_filtergas->isChecked());
        QCOMPARE(panel->sensorType(), 1);
        QCOMPARE(f.doubleSpinBox_offset_ch1->value(), -1.5);
        QCOMPARE(f.doubleSpinBox_offset_ch2->value(), 0.25);
        QCOMPARE(f.doubleSpinBox_zerocal->value(), 120.5);
        QCOMPARE(f.spinBox_usedtime->value(), 4321);
        QCOMPARE(f.dateTimeEdit_exec_datetime->dateTime(), calibrated);
        QCOMPARE(panel->tempCompensate(), later ? 1 : 0);
        QCOMPARE(f.spinBox_sensitivity->value(), later ? 7 : 1);
        QCOMPARE(f.dateTimeEdit_build_time->dateTime(), later ? built : QDateTime::fromSecsSinceEpoch(0));
        if (model == 83) { // the record "zero,slope,temp"
            QCOMPARE(f.doubleSpinBox_slope->value(), 35.2);
            QCOMPARE(f.doubleSpinBox_temperature->value(), 24.8);
        }
        if (model == 84) {
            QCOMPARE(f.doubleSpinBox_spancal_ppm->value(), 500.0);
            QCOMPARE(f.doubleSpinBox_spancal->value(), 3000.0);
        }

        // Then polled every DataInterval, the readings on the LCDs and charts.
        QVERIFY(f.groupBox_ch1->isEnabled());
        QVERIFY(sim->waitForCommand("ATCH", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 23.1);
        const QList<qint64> polls = sim->timesOf("ATCH");
        const qint64 period = polls.at(1) - polls.at(0);
        QVERIFY2(period > DataInterval - kSlackMs && period < DataInterval + kSlackMs, QByteArray::number(period));
        QCOMPARE(f.lcdNumber_ch1->value(), 5.0);
        QCOMPARE(panel->chart(0)->values()[kLast], 5.0);
    }

    // A reply out of range, naming another channel or with a record too short for the
    // model and firmware fails the REFRESH; a value that is no number reads as 0.
    void refreshReplyJudged_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("fails");
        QTest::newRow("filter -1") << 84 << 11u << QByteArray("ATCMODE") << QByteArray("ATCMODE -1") << true;
        QTest::newRow("filter no number") << 83 << 1u << QByteArray("ATCMODE") << QByteArray("ATCMODE x") << false;
        QTest::newRow("compensation 2") << 83 << 1u << QByteArray("ATCTCMP") << QByteArray("ATCTCMP 2") << true;
        QTest::newRow("other offset") << 84 << 5u << QByteArray("ATCOFF1") << QByteArray("ATCOFF2 5") << true;
        QTest::newRow("ZQ83 record of 2") << 83 << 1u << QByteArray("ATCCSP") << QByteArray("ATCCSP 1,2") << true;
        QTest::newRow("ZQ84 fw 10 record of 4") << 84 << 10u << QByteArray("ATCCSP") << QByteArray("ATCCSP 1,2,3,4") << false;
        QTest::newRow("ZQ84 fw 11 record of 4") << 84 << 11u << QByteArray("ATCCSP") << QByteArray("ATCCSP 1,2,3,4") << true;
    }

    void refreshReplyJudged()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        QFETCH(bool, fails);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("E83C84", model, version);
        sim->setReply(query, {reply});
        ModalCloser closer(50);
        rig.start();
        if (fails) {
            QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, kReadyWaitMs);
            QCOMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
            QVERIFY(waitIdle(rig));
            QVERIFY(rig.status().startsWith("error! refresh calibration settings."));
            QCOMPARE(sim->count("ATCC"), 0);
            QCOMPARE(echem(rig)->sensorType(), 0);
        } else {
            QVERIFY(sim->waitForCommand("ATCC", kReadyWaitMs));
            QVERIFY(waitIdle(rig));
            QCOMPARE(closer.count(), 0);
            QCOMPARE(sim->commandLines().mid(1, refreshQueries(model, version).size()), refreshQueries(model, version));
        }
    }

    // ---- APPLY ------------------------------------------------------------------

    // One write each: the exact line sent, how its echo ends the APPLY (END, REFRESH,
    // ERROR, or IGNORED for a line of no keyword of the mode) and what the form keeps.
    void applyRoundTrip_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArrayList>("echo"); // empty: the instrument's own
        QTest::addColumn<QString>("ending");
        const QByteArrayList own;
        QTest::newRow("offset") << 83 << 1u << "offset" << QByteArray("ATCOFF1 -1.50") << own << "END";
        QTest::newRow("ZQ84 offset 2") << 84 << 5u << "offset 2" << QByteArray("ATCOFF2 0.25") << own << "END";
        QTest::newRow("ZQ83 ppm window") << 83 << 1u << "window" << QByteArray("ATCWIN 7") << own << "END";
        QTest::newRow("ZQ84 ppm window") << 84 << 11u << "window" << QByteArray("ATCWIN 7") << own << "END";
        QTest::newRow("ZQ83 compensation") << 83 << 1u << "compensation" << QByteArray("ATCTCMP 1") << own << "END";
        QTest::newRow("ZQ83 compensation 2") << 83 << 1u << "compensation" << QByteArray("ATCTCMP 1")
                                             << QByteArrayList{"ATCTCMP 2"} << "ERROR";
        QTest::newRow("ZQ84 compensation 2") << 84 << 5u << "compensation" << QByteArray("ATCTCMP 1")
                                             << QByteArrayList{"ATCTCMP 2"} << "ERROR";
        // A line of no keyword right behind the zero echo shows whether the REFRESH began.
        const QByteArrayList zero{"ATCCZR 123.4", "NOISE"};
        QTest::newRow("ZQ83 zero") << 83 << 1u << "zero" << QByteArray("ATCCZR") << zero << "REFRESH";
        QTest::newRow("ZQ84 zero") << 84 << 5u << "zero" << QByteArray("ATCCZR") << zero << "REFRESH";
        QTest::newRow("ZQ83 sensitivity") << 83 << 1u << "span" << QByteArray("ATCCSP 35.20") << own << "END";
        QTest::newRow("ZQ84 span fw 10") << 84 << 10u << "span" << QByteArray("ATCCSP 500.00") << own << "REFRESH";
        QTest::newRow("ZQ84 span fw 11 four fields") << 84 << 11u << "span" << QByteArray("ATCCSP 500.00")
                                                     << QByteArrayList{"ATCCSP 1,2,3,4"} << "ERROR";
        QTest::newRow("last calibration time") << 83 << 1u << "time" << QByteArray("ATCEXTM") << own << "REFRESH";
        QTest::newRow("filter") << 84 << 11u << "filter" << QByteArray("ATCMODE 1") << own << "END";
        QTest::newRow("filter 2") << 83 << 1u << "filter" << QByteArray("ATCMODE 1") << QByteArrayList{"ATCMODE 2"}
                                  << "ERROR";
        QTest::newRow("ZQ84 filter 2") << 84 << 11u << "filter" << QByteArray("ATCMODE 1")
                                       << QByteArrayList{"ATCMODE 2"} << "ERROR";
        QTest::newRow("filter, offset echo") << 84 << 5u << "filter" << QByteArray("ATCMODE 1")
                                             << QByteArrayList{"ATCOFF1 1"} << "IGNORED";
    }

    void applyRoundTrip()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QString, action);
        QFETCH(QByteArray, line);
        QFETCH(QByteArrayList, echo);
        QFETCH(QString, ending);
        Ready z(model, version);
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        ModalCloser closer(50);
        closer.setAnswer(QMessageBox::Yes);
        if (!echo.isEmpty())
            z.sim->setReply(line.split(' ').first(), echo);

        if (action == "offset") {
            z.f->doubleSpinBox_offset_ch1->setValue(-1.5);
            press(z.f->toolButton_offset_apply_ch1);
        } else if (action == "offset 2") {
            z.f->doubleSpinBox_offset_ch2->setValue(0.25);
            press(z.f->toolButton_offset_apply_ch2);
        } else if (action == "window") {
            z.f->spinBox_sensitivity->setValue(7);
            press(z.f->toolButton_sensitivity_apply);
        } else if (action == "compensation") {
            z.f->radioButton_tempcompensate_on->click();
        } else if (action == "zero") {
            press(z.f->toolButton_zerocal_apply);
        } else if (action == "span") {
            if (model == 83)
                z.f->doubleSpinBox_slope->setValue(35.2);
            else
                z.f->doubleSpinBox_spancal_ppm->setValue(500);
            press(z.f->toolButton_spancal_apply);
        } else if (action == "time") {
            // Yes to the question; the password dialog is left to the test.
            closer.setInspector([&closer](QWidget*) { closer.setEnabled(false); });
            press(z.f->toolButton_exec_datetime);
            QTRY_VERIFY(z.panel->passwordDialog()->isVisible());
            z.panel->passwordDialog()->hide();
            closer.setEnabled(true);
            closer.setInspector({});
            emit z.panel->passwordDialog()->pwdOk();
        } else {
            z.f->radioButton_filtergas->click();
        }
        QVERIFY(!z.f->groupBox_ch1->isEnabled());
        auto writes = [&z] {
            QByteArrayList lines = z.sim->commandLines();
            lines.removeAll("ATCH");
            return lines;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!writes().isEmpty(), 3000);
        const QByteArray sent = writes().first();
        QVERIFY2(sent == line || (action == "time" && sent.startsWith(line + " ")), sent.constData());
        const qint64 sentAt = z.sim->timesOf(sent).first();

        if (ending == "IGNORED") { // dropped: the panel keeps waiting
            QTest::qWait(300);
            QCOMPARE(z.panel->mode(), unsigned(SENSORTYPE));
            QVERIFY(z.panel->isLocked());
            press(z.f->pushButton_refresh);
            QVERIFY(waitIdle(z.rig));
            return;
        }
        const QString what = action == "filter" ? "apply sensor output mode settings" : "apply calibration settings";
        if (ending == "REFRESH") {
            QVERIFY(z.sim->waitForCommand("ATCMODE", 3000));
            const qint64 gap = z.sim->timesOf("ATCMODE").first() - sentAt;
            // ZQ84's zero echo starts it at once, the others 50 ms after the echo.
            const qint64 least = (model == 84 && action == "zero") ? CommandDelay : CommandDelay + kRefreshAfterMs;
            QVERIFY2(gap >= least - 1 && gap < least + kSlackMs, QByteArray::number(gap));
            if (action == "zero") { // the mode a line right behind the echo meets
                const QStringList log = z.rig.log().messages();
                const int at = log.indexOf(QRegularExpression("^parsingApply\\(\\) :.*ATCCZR123\\.4.*"));
                QVERIFY(at >= 0);
                QCOMPARE(log.mid(at + 1).filter("MODE---").value(0),
                         QString("-------------%1 MODE-------------").arg(model == 84 ? "REFRESH" : "APPLY"));
            }
        } else if (ending == "ERROR") {
            QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
            QCOMPARE(closer.texts(), QStringList{"error! " + what + "..."});
        }
        QVERIFY(waitIdle(z.rig));
        QTest::qWait(300);
        QCOMPARE(z.sim->count("ATCMODE"), ending == "REFRESH" ? 1 : 0);
        QCOMPARE(shown.contains("success! " + what + "."), ending == "END");
        if (ending == "ERROR")
            QVERIFY(z.rig.status().startsWith("error! " + what + "."));
        else
            QCOMPARE(closer.count(), action == "time" ? 1 : 0); // the question

        // What each ending leaves on the form.
        if (action == "span" && model == 83) {
            QCOMPARE(z.f->doubleSpinBox_zerocal->value(), 120.5);
            QCOMPARE(z.f->doubleSpinBox_slope->value(), 35.2);
            QCOMPARE(z.f->doubleSpinBox_temperature->value(), 24.8);
        }
        if (action == "span" && ending == "REFRESH")
            QCOMPARE(z.f->doubleSpinBox_spancal_ppm->value(), 500.0);
        // The text shown before the radio's write.
        if (action == "compensation")
            QVERIFY(shown.contains("change the sensor to temperature compensation mode 1..."));
        if (action == "filter")
            QVERIFY(shown.contains("change the sensor type to the Mode 1..."));
        if (action == "offset 2")
            QCOMPARE(z.f->doubleSpinBox_offset_ch2->value(), 0.25);
        if (action == "window")
            QCOMPARE(z.f->spinBox_sensitivity->value(), 7);
        // A refused radio write puts the radios back on the setting held (0), on both models.
        if (action == "compensation") {
            const bool failed = ending == "ERROR";
            QCOMPARE(z.panel->tempCompensate(), failed ? 0 : 1);
            QCOMPARE(z.f->radioButton_tempcompensate_on->isChecked(), !failed);
            QCOMPARE(z.f->radioButton_tempcompensate_off->isChecked(), failed);
        }
        if (action == "filter") {
            const bool failed = ending == "ERROR";
            QCOMPARE(z.panel->sensorType(), ending == "END" ? 1 : 0);
            QCOMPARE(z.f->radioButton_filtergas->isChecked(), !failed);
            QCOMPARE(z.f->radioButton_rawgas->isChecked(), failed);
        }
    }

    // ---- the calibration wizard ---------------------------------------------------

    // Only Finish writes, and once even when Finish comes again while its write is
    // outstanding; the echo's REFRESH closes the wizard. A short echo fails the write:
    // the wizard closes, the error box shows and a REFRESH follows 50 ms after the echo,
    // so that the form shows what the instrument holds.
    void wizard_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QString>("how");     // finish, escape
        QTest::addColumn<QByteArray>("line"); // what Finish writes
        QTest::addColumn<QByteArray>("echo"); // empty: the instrument's own
        QTest::addColumn<QString>("ending");  // REFRESH, ERROR then REFRESH, or NONE (no write)
        QTest::newRow("ZQ83") << 83 << 1u << "finish" << QByteArray("ATCCAL 120.5,35.2") << QByteArray() << "REFRESH";
        QTest::newRow("ZQ84 fw 4") << 84 << 4u << "finish" << QByteArray("ATCCAL 500,120.5,3000") << QByteArray()
                                   << "REFRESH";
        QTest::newRow("ZQ84 fw 5") << 84 << 5u << "finish" << QByteArray("ATCCAL 120.5,3000,500") << QByteArray()
                                   << "REFRESH";
        QTest::newRow("ZQ83 one-field echo") << 83 << 11u << "finish" << QByteArray("ATCCAL 120.5,35.2")
                                             << QByteArray("ATCCAL 120.5") << "ERROR then REFRESH";
        QTest::newRow("ZQ84 two-field echo") << 84 << 11u << "finish" << QByteArray("ATCCAL 120.5,3000,500")
                                             << QByteArray("ATCCAL 1,2") << "ERROR then REFRESH";
        QTest::newRow("Escape") << 84 << 11u << "escape" << QByteArray() << QByteArray() << "NONE";
    }

    void wizard()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QString, how);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, echo);
        QFETCH(QString, ending);
        Ready z(model, version);
        QVERIFY(z.panel);
        if (!echo.isEmpty())
            z.sim->setReply("ATCCAL", {echo});
        const QString status = z.rig.status();
        CalibWizard* wizard = openWizard(z);
        QVERIFY(wizard);
        QPointer<CalibWizard> watched(wizard);
        ModalCloser closer(50);
        closer.setMessageBoxesOnly(true);
        if (how == "escape") {
            QTest::keyClick(wizard, Qt::Key_Escape);
        } else {
            wizard->button(QWizard::FinishButton)->click();
            emit wizard->writeDone(1);
            QVERIFY(z.sim->waitForCommand(line, 3000));
            emit wizard->writeDone(1);
        }
        QTRY_VERIFY(watched.isNull());
        QVERIFY(z.panel->wizardWindow() == nullptr);
        QVERIFY(waitIdle(z.rig));
        QTest::qWait(300);
        const bool wrote = how == "finish";
        const bool fails = ending.startsWith("ERROR");
        const QByteArrayList lines = z.sim->commandLines();
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](QByteArray const& l) { return l.startsWith("ATCCAL"); }),
                 wrote ? 1 : 0);
        QCOMPARE(z.sim->count("ATCMODE"), ending.endsWith("REFRESH") ? 1 : 0);
        if (ending.endsWith("REFRESH")) { // 50 ms after the echo, failed or not
            const qint64 gap = z.sim->timesOf("ATCMODE").first() - z.sim->timesOf(line).first();
            QVERIFY2(gap >= CommandDelay + kRefreshAfterMs - 1 && gap < CommandDelay + kRefreshAfterMs + kSlackMs,
                     QByteArray::number(gap));
        }
        QCOMPARE(closer.texts(), fails ? QStringList{"error! apply calibration settings..."} : QStringList());
        if (!wrote)
            QCOMPARE(z.rig.status(), status);
        else if (!fails)
            QCOMPARE(z.rig.log().count("wizardClose()"), 1);
    }

    // Unplugged while the wizard's write waits for its echo: the panel, its wizard and
    // the poll go.
    void unplugWhileWizardWrites()
    {
        Ready z(84, 11);
        QVERIFY(z.panel);
        z.sim->removeCommand("ATCCAL");
        CalibWizard* wizard = openWizard(z);
        QVERIFY(wizard);
        wizard->button(QWizard::FinishButton)->click();
        QVERIFY(z.sim->waitForCommand("ATCCAL 120.5,3000,500", 3000));
        MainWindow* w = z.rig.window();
        z.rig.bench.unplug(z.sim);
        QVERIFY(z.rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(z.rig.log().count("~Zq84Calibrator()"), 1);
        QTest::qWait(300);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // ---- live samples -------------------------------------------------------------

    void liveSample_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("microVolt");
        QTest::addColumn<QByteArrayList>("fields");
        QTest::addColumn<QString>("lcd1");
        QTest::addColumn<double>("drift");  // NaN: as before
        QTest::addColumn<double>("slope");  // NaN: as before
        QTest::addColumn<double>("temperature");
        const double same = qQNaN();
        QTest::newRow("ZQ83 uV") << 83 << 1u << true << QByteArrayList{"100", "5.0", "23.1", "2500", "30", "500"}
                                 << "100" << 2.0 << same << 24.8;
        QTest::newRow("ZQ83 ppm, negative drift") << 83 << 1u << false << QByteArrayList{"1", "2", "3", "400", "5", "900"}
                                                  << "2" << -0.5 << same << 24.8;
        QTest::newRow("ZQ84 fw 10") << 84 << 10u << false << QByteArrayList{"10", "20", "25", "3000", "0.5", "1000"}
                                    << "20" << 2.0 << 0.5 << 25.0;
        QTest::newRow("ZQ84 fw 11") << 84 << 11u << false << QByteArrayList{"10", "20", "25", "3000", "0.5", "1000"}
                                    << "20" << 2.0 << 0.5 << 24.8;
        QTest::newRow("ZQ84 dashes, empty and words") << 84 << 10u << false
                                                      << QByteArrayList{"x", "----", "", "----", "inf", "y"}
                                                      << "----" << same << same << same;
        QTest::newRow("ZQ83 five fields") << 83 << 1u << false << QByteArrayList{"1", "2", "3", "4", "5"}
                                          << "5" << same << same << 24.8;
    }

    void liveSample()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(bool, microVolt);
        QFETCH(QByteArrayList, fields);
        QFETCH(QString, lcd1);
        QFETCH(double, drift);
        QFETCH(double, slope);
        QFETCH(double, temperature);
        Ready z(model, version);
        QVERIFY(z.panel);
        // A first sample gives every box a value: drift 2 mV, slope 0.5 (ZQ84).
        z.sim->setReadings({"100", "5", "23.1", "2500", "0.5", "500"});
        QVERIFY(z.sim->waitForCommand("ATCH", 3000, 2));
        QTRY_COMPARE(z.f->doubleSpinBox_drift->value(), 2.0);
        const double slopeBefore = z.f->doubleSpinBox_slope->value();
        const double temperatureBefore = z.f->doubleSpinBox_temperature->value();
        if (microVolt) {
            z.f->radioButton_microvolt->click();
            QVERIFY(z.panel->microVolt());
            // Never µV and ppm on one chart: both cleared.
            QCOMPARE(z.panel->chart(0)->values()[kLast], NoValue);
            QCOMPARE(z.panel->chart(1)->values()[kLast], NoValue);
        }
        z.sim->setReadings(fields);
        const int polls = z.sim->count("ATCH");
        QVERIFY(z.sim->waitForCommand("ATCH", 3000, polls + 2));
        QTest::qWait(100);
        if (lcd1 == "----")
            QCOMPARE(z.panel->chart(0)->values()[kLast], NoValue);
        else
            QCOMPARE(z.f->lcdNumber_ch1->value(), lcd1.toDouble());
        const double driftShown = qIsNaN(drift) ? 2.0 : drift;
        QCOMPARE(z.f->doubleSpinBox_drift->value(), driftShown);
        QCOMPARE(z.f->doubleSpinBox_drift->prefix(), QString(driftShown > 0 ? "+" : ""));
        QCOMPARE(z.f->doubleSpinBox_slope->value(), qIsNaN(slope) ? slopeBefore : slope);
        QCOMPARE(z.f->doubleSpinBox_temperature->value(), qIsNaN(temperature) ? temperatureBefore : temperature);
    }

    // ---- garbled traffic ------------------------------------------------------------

    // Random and garbled replies in every mode and step: no crash, the panel ends idle or
    // waiting at a step of its own, and the cached switches stay 0 or 1.
    void seededSweep_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::newRow("ZQ83") << 83 << 1u;
        QTest::newRow("ZQ84 fw 4") << 84 << 4u;
    }

    void seededSweep()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        Ready z(model, version);
        QVERIFY(z.panel);
        ModalCloser closer(20);
        closer.setAnswer(QMessageBox::Yes);
        QRandomGenerator random(0xEC83 + model * 100 + version);
        const QByteArrayList keywords{"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCCAL", "ATCCZR", "ATCCSP", "ATCTCMP",
                                      "ATCWIN", "ATCEXTM", "ATCUSED", "ATCBLDTM", "ATCDRFT", "ATCH", "ATCC", "ATCF",
                                      "OK", "FAIL", "XYZ"};
        const QByteArrayList values{"", "0", "1", "2", "-1", "abc", "1e999", "nan", "----", "4294967296",
                                    "-2147483649", "1.5", ",", ",,,,,,", "1,2", "1,2,3", "1,2,3,4", "1,2,3,4,5",
                                    "1,2,3,4,5,6", "1,2,3,4,5,6,7", QByteArray(3000, '9')};
        auto garbled = [&] {
            QByteArray line = keywords.at(random.bounded(keywords.size()));
            if (random.bounded(4) == 0)
                line += keywords.at(random.bounded(keywords.size()));
            return line + " " + values.at(random.bounded(values.size()));
        };
        // What the rounds break: a query or write answered with garbage, or the poll.
        const QByteArrayList targets{"ATCMODE", "ATCOFF1", "ATCOFF2", "ATCCSP", "ATCEXTM", "ATCUSED", "ATCTCMP",
                                     "ATCWIN", "ATCBLDTM", "ATCC", "ATCF", "ATCCZR", "ATCCAL", "ATCH"};
        for (int round = 0; round < 25; ++round) {
            const QByteArray target = targets.at(random.bounded(targets.size()));
            QByteArrayList reply;
            for (int n = random.bounded(3); n >= 0; --n)
                reply << garbled();
            z.sim->setReply(target, reply);
            switch (random.bounded(11)) {
            case 0: press(z.f->pushButton_refresh); break;
            case 1: z.f->radioButton_filtergas->click(); break;
            case 2: z.f->radioButton_tempcompensate_on->click(); break;
            case 3: z.f->radioButton_fahrenheit->click(); break;
            case 4: press(z.f->toolButton_zerocal_apply); break;
            case 5: press(z.f->toolButton_spancal_apply); break;
            case 6: press(z.f->toolButton_offset_apply_ch2); break;
            case 7: press(z.f->toolButton_sensitivity_apply); break;
            case 8: press(z.f->toolButton_offset_apply_ch1); break;
            case 9: // the last-calibration time: Yes, then the password taken
                press(z.f->toolButton_exec_datetime);
                if (z.panel->passwordDialog()->isVisible())
                    emit z.panel->passwordDialog()->pwdOk();
                break;
            default: z.sim->sendLine(garbled()); break; // unasked, in whatever mode
            }
            QTest::qWait(CommandDelay + 150);
            z.sim->sendLine(garbled());
            QTest::qWait(30);
            QVERIFY(z.rig.window()->calibrator() == z.panel);
            QVERIFY2(z.panel->sensorType() == 0 || z.panel->sensorType() == 1, qPrintable(QString::number(round)));
            QVERIFY(z.panel->tempCompensate() == 0 || z.panel->tempCompensate() == 1);
            const unsigned mode = z.panel->mode();
            const unsigned seq = z.panel->seq();
            const bool waiting = (mode == TEMPMODE && seq == 0) || (mode != DEFAULT && seq >= ECHEM_MODE && seq <= ECHEM_BLDTM);
            QVERIFY2((mode == DEFAULT && seq == 0) || waiting,
                     qPrintable(QString("round %1: mode %2 step %3").arg(round).arg(mode).arg(seq)));
            // Back to a sound instrument and an idle panel.
            z.sim->setModel(model, version);
            if (!idle(z.rig))
                press(z.f->pushButton_refresh);
            QVERIFY2(waitIdle(z.rig), qPrintable(QString::number(round)));
        }
    }
};

QTEST_MAIN(E2eEchem)
#include "e2e_echem.moc"
