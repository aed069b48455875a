// The HV700K3-KW panel end to end: the real main window on a mocked USB instrument that
// plays a KW (tests/support/sim_kw.cpp, MODBUS settings from sim_modbus.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include "calibrateapply.h"
#include "calibwizard.h"
#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "kwcalibrator.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modbusblock.h"
#include "modalcloser.h"
#include "rangewizardflow.h"
#include "statuslog.h"
#include "ui_kwcalibrator.h"
#include "wizardchain.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 15000;
constexpr int kScanWaitMs = 3000;
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;
const int kWayOutMs = WizardChain::WayOutMs;

KwCalibrator* kw(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<KwCalibrator*>(rig.window()->calibrator()) : nullptr;
}

bool idle(E2eRig& rig)
{
    KwCalibrator* panel = kw(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig, int timeoutMs = kReadyWaitMs)
{
    return QTest::qWaitFor([&] { return idle(rig); }, timeoutMs);
}

// The queries of a REFRESH at a firmware version, in order, without the closing "ATCC".
QByteArrayList refreshQueries(unsigned version)
{
    QByteArrayList q;
    for (QByteArray const& row : {QByteArray("ATCCTS%"), QByteArray("ATCOFF%"), QByteArray("ATCCH%LO"),
                                  QByteArray("ATCCH%HI"), QByteArray("ATCCH%CLO"), QByteArray("ATCCH%CHI")})
        for (int n = 1; n <= 4; ++n)
            q << QByteArray(row).replace('%', QByteArray::number(n));
    q << "ATCMODBR" << "ATCMODTO" << "ATCMODSW" << "ATCMODID" << "ATCEXTM";
    if (version >= 20)
        q << "ATCBLDTM";
    if (version >= 33)
        q << "ATCISMST" << "ATCMODCH" << "ATCMSTID" << "ATCRLYNO" << "ATCPPMMAX" << "ATCRLYDLY";
    if (version >= 38)
        q << "ATCSON";
    return q;
}

QByteArrayList withoutPolls(QByteArrayList lines)
{
    lines.removeAll("ATCQ");
    return lines;
}

InstrumentSimulator* plugKw(E2eRig& rig, unsigned version = 38)
{
    return rig.bench.plugInstrument("KW0001", 701, version);
}

// A KW plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyKw
{
    explicit ReadyKw(unsigned version = 38, std::function<void(InstrumentSimulator*)> prepare = {})
    {
        sim = plugKw(rig, version);
        if (prepare)
            prepare(sim);
        rig.start();
        panel = waitIdle(rig) ? kw(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    // Waits until the panel is idle again with the instrument holding what it echoed.
    bool settle() { return waitIdle(rig); }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    KwCalibrator* panel = nullptr;
    Ui::KwCalibrator* ui = nullptr;
};

// One write as the user makes it, the command it must send and what the form shows after
// the echo.
struct ApplyCase
{
    const char* name;
    std::function<void(Ui::KwCalibrator*)> act;
    QByteArray command;
    std::function<bool(KwCalibrator*, Ui::KwCalibrator*)> shown;
};

bool all(QList<QWidget*> const& groups, bool on)
{
    return std::all_of(groups.begin(), groups.end(), [on](QWidget* g) { return g->isEnabled() == on; });
}

QList<QWidget*> modbusGroups(Ui::KwCalibrator* ui)
{
    return {ui->groupBox_modbus_mode, ui->groupBox_modbus_channel, ui->groupBox_modbus_max,
            ui->groupBox_modbus_hold_min, ui->groupBox_modbus_relay_addr, ui->groupBox_modbus_relay_no,
            ui->groupBox_modbus_baudrate, ui->groupBox_modbus_timeout, ui->groupBox_modbus_byteswap,
            ui->groupBox_modbus_addr};
}

QList<QWidget*> masterGroups(Ui::KwCalibrator* ui)
{
    return {ui->groupBox_modbus_max, ui->groupBox_modbus_channel, ui->groupBox_modbus_hold_min,
            ui->groupBox_modbus_relay_no, ui->groupBox_modbus_relay_addr};
}

QDoubleSpinBox* pageBox(QWizardPage* page, const char* name)
{
    return page ? page->findChild<QDoubleSpinBox*>(name) : nullptr;
}

// Closes message boxes (Ok) as they appear, leaving other modal windows (the wizard)
// alone; inspector sees each box first.
struct MessageBoxes
{
    MessageBoxes()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            texts << box->text();
            if (inspector)
                inspector();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        });
        timer.start(20);
    }
    QTimer timer;
    QStringList texts;
    std::function<void()> inspector;
};

// A mouse click on a widget of the main window through the window system, where a modal
// window blocks it as it blocks the user's.
bool clickThroughWindow(MainWindow* main, QWidget* target)
{
    const QPoint at = target->mapTo(main, target->rect().center());
    if (main->childAt(at) != target)
        return false;
    QTest::mouseClick(main->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

// The setting token answers line once, then as a stored setting again.
void answerOnceWith(InstrumentSimulator* sim, QByteArray const& token, QByteArray const& line)
{
    auto pending = std::make_shared<bool>(true);
    sim->onCommand(token, [sim, line, pending](InstrumentSimulator::Request const& r) {
        if (*pending) {
            *pending = false;
            return QByteArrayList{line};
        }
        if (r.token == "ATCC" || r.token == "ATCF")
            return QByteArrayList{r.token + " OK"};
        if (!r.isQuery())
            sim->setSetting(r.token, r.argument);
        return QByteArrayList{r.token + " " + sim->setting(r.token)};
    });
}

// Opens the range wizard of a channel, answering Yes; closer then leaves it alone.
CalibWizard* openWizard(ReadyKw& k, int channel, ModalCloser& closer)
{
    closer.setAnswer(QMessageBox::Yes);
    closer.setEnabled(true);
    closer.setInspector([&closer](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        if (message && message->text().startsWith("Do you want to calibrate"))
            closer.setEnabled(false);
    });
    QPushButton* buttons[] = {k.ui->pushButton_wizard_ch1, k.ui->pushButton_wizard_ch2,
                              k.ui->pushButton_wizard_ch3, k.ui->pushButton_wizard_ch4};
    buttons[channel - 1]->click();
    if (!QTest::qWaitFor([&] { return k.panel->rangeWizard()->wizard() != nullptr; }, 3000))
        return nullptr;
    closer.setInspector(nullptr);
    return k.panel->rangeWizard()->wizard();
}

// Opens the range wizard of channel 1 with the reply to silent never coming: the unit
// change it opens with ("ATCC", the panel put in Fahrenheit first) or the high point of
// its raw chain ("ATCCH1HI"). Returns once that command went out, the log cleared before.
CalibWizard* openWaitingWizard(ReadyKw& k, QByteArray const& silent, ModalCloser& closer)
{
    const bool unit = silent == "ATCC";
    if (unit) {
        k.ui->radioButton_fahrenheit->click();
        if (!k.sim->waitForCommand("ATCF") || !k.settle())
            return nullptr;
    }
    k.sim->removeCommand(silent);
    k.sim->clearLog();
    QPointer<CalibWizard> w = openWizard(k, 1, closer);
    if (!w)
        return nullptr;
    if (!unit)
        w->next();
    return k.sim->waitForCommand(unit ? "ATCC" : "ATCCH1HI 1200.00") ? w.data() : nullptr;
}

} // namespace

class E2eKw : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 0;
        CommandDelay = 50;
        WizardChain::WayOutMs = kWayOutMs;
    }

    void refreshAtEachFirmware_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<int>("queries");
        QTest::newRow("19") << 19u << 29;
        QTest::newRow("20") << 20u << 30;
        QTest::newRow("33") << 33u << 36;
        QTest::newRow("38") << 38u << 37;
    }

    void refreshAtEachFirmware()
    {
        QFETCH(unsigned, version);
        QFETCH(int, queries);
        E2eRig rig;
        InstrumentSimulator* sim = plugKw(rig, version);
        sim->setSetting("ATCCTS2", "5");
        sim->setSetting("ATCCTS3", "9");
        sim->setSetting("ATCOFF4", "-1.25");
        sim->setSetting("ATCCH1LO", "-200.00");
        sim->setSetting("ATCCH1CLO", "0.5");
        sim->setSetting("ATCEXTM", "1000");
        sim->setSetting("ATCISMST", "1");
        sim->setSetting("ATCSON", "0");
        MainWindow* w = rig.start();
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        KwCalibrator* panel = kw(rig);
        Ui::KwCalibrator* ui = panel->form();

        const QByteArrayList lines = withoutPolls(sim->commandLines());
        const QByteArrayList expected = refreshQueries(version);
        QCOMPARE(expected.size(), queries);
        QCOMPARE(lines, QByteArrayList{"ATCVER"} + expected + QByteArrayList{"ATCC"});
        // Each query CommandDelay after the reply before it; the unit command at once.
        // (The first one follows the panel's construction, not a reply.)
        for (int i = 1; i < expected.size(); ++i) {
            const qint64 gap = sim->timesOf(expected[i]).first() - sim->timesOf(expected[i - 1]).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs,
                     qPrintable(expected[i] + " " + QString::number(gap)));
        }
        QVERIFY(sim->timesOf("ATCC").first() - sim->timesOf(expected.last()).first() < kSlackMs);
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QVERIFY(rig.status().startsWith("success! apply the device's temperature mode to the celsius mode."));

        // The form shows what the instrument holds.
        QCOMPARE(ui->comboBox_sensortype_ch2->currentText(), QString("E TYPE"));
        QCOMPARE(panel->sensorType(2), 5);
        QCOMPARE(panel->sensorType(3), -1);
        QCOMPARE(ui->comboBox_sensortype_ch3->styleSheet(), QString(CalibratorPanel::MatchStyle));
        QCOMPARE(ui->doubleSpinBox_offset_ch4->value(), -1.25);
        QCOMPARE(ui->doubleSpinBox_range_min_ch1->value(), -200.0);
        QCOMPARE(ui->doubleSpinBox_correction_min_ch1->value(), -200.5);
        QCOMPARE(ui->dateTimeEdit_exec_datetime->dateTime(), QDateTime::fromSecsSinceEpoch(1000));
        QCOMPARE(ui->dateTimeEdit_build_time->dateTime(),
                 QDateTime::fromSecsSinceEpoch(version >= 20 ? 1600000000 : 0));
        QCOMPARE(ui->label_model->text(), QString("HV700K3-KW" + QString::number(version / 10) + "v"
                                                  + QString::number(version % 10)));
        // The MODBUS groups follow the firmware and the master and RS485 switches read.
        QCOMPARE(ui->groupBox_modbus_mode->isVisibleTo(panel), version >= 33);
        for (QWidget* g : masterGroups(ui))
            QVERIFY2(g->isVisibleTo(panel) == (version >= 33), qPrintable(g->objectName()));
        QCOMPARE(ui->groupBox_modbus_addr->isVisibleTo(panel), version < 33);
        QCOMPARE(ui->groupBox_485onoff->isVisibleTo(panel), version >= 38);
        QVERIFY(all(modbusGroups(ui), version < 38));
        QVERIFY(all({ui->groupBox_485onoff, ui->groupBox_tempoutput, ui->groupBox_ch1}, true));
    }

    void pollFeedsFourLcdsAndCharts()
    {
        ReadyKw k;
        QVERIFY(k.panel);
        k.sim->setReadings({"12.5", "13.0", "----", "14.2"});
        QVERIFY(k.sim->waitForCommand("ATCQ", 3000, 2));
        QTRY_COMPARE(k.panel->chart(3)->values()[kLast], 14.2);
        QCOMPARE(k.ui->lcdNumber_ch1->value(), 12.5);
        QCOMPARE(k.panel->chart(1)->values()[kLast], 13.0);
        QCOMPARE(k.panel->chart(2)->values()[kLast], NoValue);
        QCOMPARE(k.panel->getCurrentValue(4), 14.2);
        // READ takes nothing from a channel without a reading, nor outside the four.
        QVERIFY(qIsNaN(k.panel->getCurrentValue(3)));
        QCOMPARE(k.panel->getCurrentValue(0), -99999.999);
        QCOMPARE(k.panel->getCurrentValue(5), -99999.999);
        const qint64 step = k.sim->timesOf("ATCQ")[1] - k.sim->timesOf("ATCQ")[0];
        QVERIFY2(qAbs(step - DataInterval) < kSlackMs, qPrintable(QString::number(step)));

        // The wizard's READ takes nothing from a channel without a reading.
        ModalCloser closer(20);
        QPointer<CalibWizard> w = openWizard(k, 3, closer);
        QVERIFY(w);
        auto* low = static_cast<CalibrateApply*>(w->page(2));
        low->setDelta(12.0);
        low->findChild<QPushButton*>("pushButton_read")->click();
        QCOMPARE(low->getDelta(), 12.0);
        k.sim->setReadings({"12.5", "13.0", "30.50", "14.2"});
        QTRY_COMPARE_WITH_TIMEOUT(k.panel->getCurrentValue(3), 30.5, 3000);
        low->findChild<QPushButton*>("pushButton_read")->click();
        QCOMPARE(low->getDelta(), 30.5);
        static_cast<QWidget*>(w)->close();
        QTRY_VERIFY(w.isNull());
    }

    void applyRoundTrips()
    {
        using Ui = Ui::KwCalibrator;
        const QString orange = CalibratorPanel::ChangedStyle;
        const QVector<ApplyCase> cases = {
            {"type NONE", [&](Ui* ui) { ui->comboBox_sensortype_ch2->setCurrentIndex(8); ui->toolButton_sensortype_apply_ch2->click(); },
             "ATCCTS2 -1", [](KwCalibrator* p, Ui* ui) { return p->sensorType(2) == -1 && ui->comboBox_sensortype_ch2->styleSheet() == CalibratorPanel::MatchStyle; }},
            {"type E", [&](Ui* ui) { ui->comboBox_sensortype_ch1->setCurrentIndex(5); ui->toolButton_sensortype_apply_ch1->click(); },
             "ATCCTS1 5", [](KwCalibrator* p, Ui* ui) { return p->sensorType(1) == 5 && ui->comboBox_sensortype_ch1->currentText() == "E TYPE"; }},
            {"offset", [](Ui* ui) { ui->doubleSpinBox_offset_ch3->setValue(-0.5); ui->toolButton_offset_apply_ch3->click(); },
             "ATCOFF3 -0.50", [](KwCalibrator*, Ui* ui) { return ui->doubleSpinBox_offset_ch3->value() == -0.5; }},
            {"baud rate", [](Ui* ui) { ui->comboBox_modbus_baudrate->setCurrentIndex(3); ui->toolButton_modbus_baudrate_apply->click(); },
             "ATCMODBR 3", [](KwCalibrator* p, Ui* ui) { return p->modbus()->baudrate() == 3 && ui->comboBox_modbus_baudrate->styleSheet() == CalibratorPanel::MatchStyle; }},
            {"master", [](Ui* ui) { ui->radioButton_Master->click(); },
             "ATCISMST 1", [](KwCalibrator* p, Ui* ui) { return p->modbus()->isMaster() && ui->groupBox_modbus_max->isVisibleTo(p) && !ui->groupBox_modbus_addr->isVisibleTo(p); }},
            {"relay number", [](Ui* ui) { ui->comboBox_modbus_relay_no->setCurrentIndex(7); ui->toolButton_modbus_relay_no_apply->click(); },
             "ATCRLYNO 8", [](KwCalibrator* p, Ui*) { return p->modbus()->relayNo() == 7; }},
            {"threshold in exponent form", [](Ui* ui) { ui->doubleSpinBox_modbus_max->setValue(1000000); ui->toolButton_modbus_max_apply->click(); },
             "ATCPPMMAX 1e+06", [](KwCalibrator*, Ui* ui) { return ui->doubleSpinBox_modbus_max->value() == 1000000.0; }},
            {"RS485 off", [](Ui* ui) { ui->radioButton_485_off->click(); },
             "ATCSON 0", [](KwCalibrator*, Ui* ui) { return all(modbusGroups(ui), false) && ui->groupBox_485onoff->isEnabled(); }},
            {"RS485 on", [](Ui* ui) { ui->radioButton_485_on->click(); },
             "ATCSON 1", [](KwCalibrator*, Ui* ui) { return all(modbusGroups(ui), true); }},
        };
        ReadyKw k;
        QVERIFY(k.panel);
        StatusLog shown(k.rig.window());
        // A selection not yet written shows orange.
        k.ui->comboBox_sensortype_ch4->setCurrentIndex(3);
        QCOMPARE(k.ui->comboBox_sensortype_ch4->styleSheet(), orange);
        k.ui->comboBox_sensortype_ch4->setCurrentIndex(0);
        QCOMPARE(k.ui->comboBox_sensortype_ch4->styleSheet(), QString(CalibratorPanel::MatchStyle));
        for (ApplyCase const& c : cases) {
            k.sim->clearLog();
            c.act(k.ui);
            QVERIFY2(k.sim->waitForCommand(c.command), c.name);
            QVERIFY2(k.settle(), c.name);
            const QByteArray token = c.command.left(c.command.indexOf(' '));
            QCOMPARE(k.sim->setting(token), c.command.mid(c.command.indexOf(' ') + 1));
            QVERIFY2(c.shown(k.panel, k.ui), c.name);
            QVERIFY(k.rig.status().startsWith("success! apply calibration settings."));
            // The echo ends the write: nothing else is asked.
            QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList{c.command});
        }
    }

    // A write's echo that names another channel fails the write and stores nothing.
    void echoOfAnotherChannelFailsTheWrite_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("echo");
        QTest::newRow("offset") << QByteArray("ATCOFF3") << QByteArray("ATCOFF2 7.00");
        QTest::newRow("type") << QByteArray("ATCCTS1") << QByteArray("ATCCTS4 6");
    }

    void echoOfAnotherChannelFailsTheWrite()
    {
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, echo);
        ReadyKw k;
        QVERIFY(k.panel);
        answerOnceWith(k.sim, token, echo);
        ModalCloser closer(20);
        if (token == "ATCOFF3")
            k.ui->toolButton_offset_apply_ch3->click();
        else
            k.ui->toolButton_sensortype_apply_ch1->click();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
        QCOMPARE(closer.texts(), QStringList{"error! apply calibration settings..."});
        QVERIFY(k.settle());
        QCOMPARE(k.ui->doubleSpinBox_offset_ch2->value(), 0.0);
        QCOMPARE(k.panel->sensorType(4), 0);
        QCOMPARE(k.ui->comboBox_sensortype_ch4->currentText(), QString("K TYPE"));
    }

    // Refused: its box only, then an error ending without a second box or a refresh.
    void factoryResetRefused()
    {
        ReadyKw k;
        QVERIFY(k.panel);
        k.sim->setSetting("SIM_FTRST", "FAIL");
        k.sim->setSetting("ATCOFF2", "3.00");
        k.ui->doubleSpinBox_offset_ch2->setValue(3.0);
        StatusLog shown(k.rig.window());
        ModalCloser closer(50);
        closer.setAnswer(QMessageBox::Yes);
        k.ui->pushButton_factoryreset->click();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 2, 5000);
        QCOMPARE(k.sim->count("ATCFTRST"), 1);
        QVERIFY(k.settle());
        QTest::qWait(300);
        QCOMPARE(closer.titles().last(), QString("ERROR"));
        QCOMPARE(closer.texts().last(), QString("factory reset failed...!"));
        QCOMPARE(closer.count(), 2);
        QVERIFY(k.rig.status().startsWith("error! apply calibration settings."));
        QVERIFY(!shown.contains("success! apply calibration settings."));
        QCOMPARE(k.sim->count("ATCCTS1"), 0);
        QCOMPARE(k.ui->doubleSpinBox_offset_ch2->value(), 3.0);
        QVERIFY(k.ui->groupBox_ch1->isEnabled());
    }

    void fahrenheitAndItsRefusal()
    {
        ReadyKw k;
        QVERIFY(k.panel);
        k.ui->radioButton_fahrenheit->click();
        QVERIFY(k.sim->waitForCommand("ATCF"));
        QVERIFY(k.settle());
        QVERIFY(!k.panel->isCelsius());
        QVERIFY(k.ui->radioButton_fahrenheit->isChecked());
        QCOMPARE(k.ui->label_unit_ch3->text(), QString::fromUtf8("\u00B0F"));
        // Settings stay in Celsius, the threshold included.
        QCOMPARE(k.ui->doubleSpinBox_modbus_max->suffix(), QString::fromUtf8(" \u00B0C"));

        k.sim->setSetting("SIM_UNIT", "FAIL");
        ModalCloser closer(50);
        k.ui->radioButton_celsius->click();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
        QCOMPARE(closer.texts(), QStringList{"error! apply the device's temperature mode to the fahrenheit mode..."});
        QVERIFY(k.settle());
        QVERIFY(k.ui->radioButton_fahrenheit->isChecked());
        // The next refresh ends in Celsius again.
        k.sim->setSetting("SIM_UNIT", "");
        k.ui->pushButton_refresh->click();
        QVERIFY(k.sim->waitForCommand("ATCC"));
        QVERIFY(k.settle());
        QVERIFY(k.panel->isCelsius());
        QVERIFY(k.ui->radioButton_celsius->isChecked());
    }

    void wizardRawChainThenCorrections()
    {
        ReadyKw k(38, [](InstrumentSimulator* sim) {
            sim->setSetting("ATCCH1LO", "-100.00");
            sim->setSetting("ATCCH1HI", "500.00");
            sim->setSetting("ATCCH1CHI", "499.00");
            sim->setSetting("ATCOFF1", "2.00");
            sim->setSetting("ATCCTS3", "9");
        });
        QVERIFY(k.panel);
        ModalCloser closer(20);
        // A channel without a sensor type opens no wizard.
        closer.setAnswer(QMessageBox::Yes);
        k.ui->pushButton_wizard_ch3->click();
        QTRY_COMPARE(closer.texts(), QStringList{"Please specify the sensor type."});
        QTest::qWait(200);
        QCOMPARE(closer.count(), 1);
        QVERIFY(!k.panel->rangeWizard()->wizard());

        QPointer<CalibWizard> w = openWizard(k, 1, closer);
        QVERIFY(w);
        QCOMPARE(pageBox(w->page(3), "doubleSpinBox_applied")->value(), 1.0);
        pageBox(w->page(1), "doubleSpinBox_min")->setValue(0);
        pageBox(w->page(1), "doubleSpinBox_max")->setValue(1200);

        // Next writes the raw range, one link per echo, then offset 0.
        w->next();
        QVERIFY(k.sim->waitForCommand("ATCOFF1 0"));
        QVERIFY(k.settle());
        QCOMPARE(withoutPolls(k.sim->commandLines()),
                 QByteArrayList({"ATCCH1LO 0.00", "ATCCH1HI 1200.00", "ATCCH1CLO 0.00", "ATCCH1CHI 1200.00", "ATCOFF1 0"}));
        QCOMPARE(pageBox(w->page(3), "doubleSpinBox_range")->value(), 1200.0);
        QCOMPARE(pageBox(w->page(3), "doubleSpinBox_applied")->value(), 0.0);
        QCOMPARE(k.ui->doubleSpinBox_range_max_ch1->value(), 1200.0);
        QVERIFY(w->isEnabled());

        // Apply on page 3 writes both readings as the correction points.
        w->next();
        static_cast<CalibrateApply*>(w->page(2))->setDelta(-0.5);
        static_cast<CalibrateApply*>(w->page(3))->setDelta(1199);
        k.sim->clearLog();
        w->page(3)->findChild<QPushButton*>("pushButton_apply")->click();
        QVERIFY(k.sim->waitForCommand("ATCCH1CHI 1199.00"));
        QVERIFY(k.settle());
        QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList({"ATCCH1CLO -0.50", "ATCCH1CHI 1199.00"}));
        QCOMPARE(k.ui->doubleSpinBox_correction_min_ch1->value(), 0.5);
        QCOMPARE(k.ui->doubleSpinBox_correction_max_ch1->value(), 1.0);
        QCOMPARE(pageBox(w->page(3), "doubleSpinBox_applied")->value(), 1.0);

        // Finish on the last page closes the wizard without a write.
        k.sim->clearLog();
        w->button(QWizard::FinishButton)->click();
        QTRY_VERIFY(w.isNull());
        QTest::qWait(300);
        QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList());
        QVERIFY(idle(k.rig));
        QCOMPARE(k.panel->rangeWizard()->channel(), 0);
    }

    // While a write of the wizard waits (or the unit change before it), nothing it does
    // reaches the instrument, and it neither closes (its window stays on screen) nor
    // starts another chain. A refused unit change takes it down without a write.
    void wizardIgnoresTriggersWhileBusy_data()
    {
        QTest::addColumn<QByteArray>("silent");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("link waits") << QByteArray("ATCCH1HI") << QByteArray("ATCCH1HI 1200.00");
        QTest::newRow("unit reply waits") << QByteArray("ATCC") << QByteArray("ATCC OK");
        QTest::newRow("unit refused") << QByteArray("ATCC") << QByteArray("ATCC FAIL");
    }

    void wizardIgnoresTriggersWhileBusy()
    {
        QFETCH(QByteArray, silent);
        QFETCH(QByteArray, answer);
        const bool unit = silent == "ATCC";
        ReadyKw k;
        QVERIFY(k.panel);
        ModalCloser closer(20);
        QPointer<CalibWizard> w = openWaitingWizard(k, silent, closer);
        QVERIFY(w);
        QTest::qWait(100);
        QVERIFY(!w->isEnabled());
        const QByteArrayList before = withoutPolls(k.sim->commandLines());

        auto* high = static_cast<CalibrateApply*>(w->page(3));
        if (unit)
            w->next();
        else {
            w->back();
            w->next();
        }
        emit high->signalDelta();
        QMetaObject::invokeMethod(w, "accept");
        QTest::keyClick(w, Qt::Key_Escape);
        static_cast<QWidget*>(w)->close();
        QTest::qWait(300);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(withoutPolls(k.sim->commandLines()), before);

        if (answer.endsWith("FAIL")) {
            MessageBoxes boxes;
            k.sim->sendLine(answer);
            QTRY_VERIFY(w.isNull());
            QTRY_COMPARE(boxes.texts, QStringList{"error! apply the device's temperature mode to the fahrenheit mode..."});
            QVERIFY(k.settle());
            QVERIFY(!k.panel->isCelsius());
            QTest::qWait(200);
            QCOMPARE(withoutPolls(k.sim->commandLines()), before);
            return;
        }
        // The answer arrives: the wizard is usable again and holds what it was given.
        k.sim->sendLine(answer);
        if (!unit)
            QVERIFY(k.sim->waitForCommand("ATCOFF1 0"));
        QVERIFY(k.settle());
        QTRY_VERIFY(w->isEnabled());
        QVERIFY(k.panel->isCelsius());
        QVERIFY(k.ui->radioButton_celsius->isChecked());

        // Still on screen and modal after the close while busy: a write clicked on the panel
        // reaches nothing. Closed now, it is gone for good: a plain write's error later is
        // no wizard's and refreshes nothing.
        answerOnceWith(k.sim, "ATCOFF3", "ATCOFF2 7.00");
        k.sim->clearLog();
        MessageBoxes boxes;
        QVERIFY(clickThroughWindow(k.rig.window(), k.ui->toolButton_offset_apply_ch3));
        QTest::qWait(300);
        QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList());
        static_cast<QWidget*>(w)->close();
        QTRY_VERIFY(w.isNull());
        QVERIFY(clickThroughWindow(k.rig.window(), k.ui->toolButton_offset_apply_ch3));
        QTRY_COMPARE(boxes.texts, QStringList{"error! apply calibration settings..."});
        QVERIFY(k.settle());
        QTest::qWait(300);
        QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList{"ATCOFF3 0.00"});
    }

    // A reply that never comes (there is no reply time-out): one title-bar close leaves the
    // wizard on screen, a second one during the same wait, past the click of the first and
    // the way-out time (shortened here), closes it without another write, and REFRESH,
    // clicked as the user clicks it, gets the panel going again.
    void wizardClosedTwiceWhileAReplyIsLost_data()
    {
        QTest::addColumn<QByteArray>("silent");
        QTest::newRow("link reply lost") << QByteArray("ATCCH1HI");
        QTest::newRow("unit reply lost") << QByteArray("ATCC");
    }

    void wizardClosedTwiceWhileAReplyIsLost()
    {
        QFETCH(QByteArray, silent);
        const bool unit = silent == "ATCC";
        ReadyKw k;
        QVERIFY(k.panel);
        WizardChain::WayOutMs = 500;
        ModalCloser closer(20);
        QPointer<CalibWizard> w = openWaitingWizard(k, silent, closer);
        QVERIFY(w);
        k.sim->clearLog();

        w->windowHandle()->close();
        QTest::qWait(200);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QTest::qWait(qMax(WizardChain::WayOutMs, WizardChain::sameClickMs()));
        w->windowHandle()->close();
        QTRY_VERIFY(w.isNull());
        QTest::qWait(300);
        QCOMPARE(withoutPolls(k.sim->commandLines()), QByteArrayList());
        QCOMPARE(k.panel->mode(), unsigned(unit ? TEMPMODE : APPLY));

        if (unit)
            k.sim->addUnitCommands();
        else
            k.sim->addSetting(silent, k.sim->setting(silent));
        QVERIFY(clickThroughWindow(k.rig.window(), k.ui->pushButton_refresh));
        QVERIFY(k.sim->waitForCommand("ATCCTS1"));
        QCOMPARE(withoutPolls(k.sim->commandLines()).first(), QByteArray("ATCCTS1"));
        QVERIFY(k.settle());
        QVERIFY(k.panel->isCelsius());
        QVERIFY(!k.panel->rangeWizard()->wizard());
    }

    // A link echo that names another channel fails the step: nothing is stored or written
    // to that channel, the wizard closes, and a refresh shows what the instrument holds.
    void wizardLinkOfAnotherChannelFails()
    {
        ReadyKw k;
        QVERIFY(k.panel);
        answerOnceWith(k.sim, "ATCCH1HI", "ATCCH2HI 999.00");
        ModalCloser closer(20);
        QPointer<CalibWizard> w = openWizard(k, 1, closer);
        QVERIFY(w);
        // Message boxes only: the wizard itself is modal too.
        bool unlockedWithRefreshAtBox = false;
        MessageBoxes boxes;
        boxes.inspector = [&] {
            unlockedWithRefreshAtBox = k.panel->mode() != APPLY
                                       && (k.panel->refreshScheduled() || k.panel->mode() == REFRESH);
        };
        w->next();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.texts, QStringList{"error! apply calibration settings..."}, 5000);
        QVERIFY(unlockedWithRefreshAtBox);
        QTRY_VERIFY(w.isNull());
        QVERIFY(k.sim->waitForCommand("ATCCTS1", 3000));
        QVERIFY(k.settle());
        const QByteArrayList lines = withoutPolls(k.sim->commandLines());
        QCOMPARE(lines.mid(0, 3), QByteArrayList({"ATCCH1LO 0.00", "ATCCH1HI 1200.00", "ATCCTS1"}));
        QCOMPARE(k.ui->doubleSpinBox_range_max_ch2->value(), 1200.0);
        QCOMPARE(k.sim->setting("ATCCH2HI"), QByteArray("1200.00"));
    }

    void unplug_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("refresh waits") << "refresh";
        QTest::newRow("wizard link waits") << "wizard";
    }

    void unplug()
    {
        QFETCH(QString, when);
        E2eRig rig;
        InstrumentSimulator* sim = plugKw(rig);
        MainWindow* w = rig.start();
        if (when == "refresh") {
            sim->removeCommand("ATCCH2LO");
            QVERIFY(sim->waitForCommand("ATCCH2LO", kReadyWaitMs));
            QTest::qWait(200);
            KwCalibrator* panel = kw(rig);
            QCOMPARE(panel->mode(), unsigned(REFRESH));
            // Locked, REFRESH excepted.
            QVERIFY(all({panel->form()->groupBox_ch1, panel->form()->groupBox_485onoff,
                         panel->form()->groupBox_modbus_baudrate, panel->form()->groupBox_tempoutput}, false));
            QVERIFY(panel->form()->pushButton_refresh->isEnabled());
            rig.bench.unplug(sim);
        } else {
            QVERIFY(waitIdle(rig));
            KwCalibrator* panel = kw(rig);
            sim->removeCommand("ATCCH1HI");
            ModalCloser closer(20);
            closer.setAnswer(QMessageBox::Yes);
            closer.setInspector([&closer](QWidget*) { closer.setEnabled(false); });
            panel->form()->pushButton_wizard_ch1->click();
            QTRY_VERIFY(panel->rangeWizard()->wizard());
            panel->rangeWizard()->wizard()->next();
            QVERIFY(sim->waitForCommand("ATCCH1HI 1200.00"));
            rig.bench.unplug(sim);
        }
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count("~KwCalibrator()"), 1);
        QTest::qWait(500);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
    }

    // Garbled and random replies in every mode: REFRESH steps, writes, the unit reply and
    // wizard links. The panel survives each, ends idle or waits consistently (locked, in
    // its mode, nothing queued), and a REFRESH brings it back.
    void seededSweepOfGarbledReplies()
    {
        const quint32 seed = 20261208;
        QRandomGenerator random(seed);
        ReadyKw k;
        QVERIFY(k.panel);
        MessageBoxes boxes;
        const QByteArrayList queries = refreshQueries(38) + QByteArrayList{"ATCC"};
        const QByteArrayList links = {"ATCCH1LO", "ATCCH1HI", "ATCCH1CLO", "ATCCH1CHI", "ATCOFF1"};
        const QByteArrayList keywords = {"ATCOFF", "ATCCTS", "ATCCH", "ATCMODBR", "ATCSON", "ATCEXTM", "ATCQ", "OK"};
        auto garble = [&](QByteArray const& token) -> QByteArray {
            switch (random.bounded(7)) {
            case 0: return keywords[random.bounded(keywords.size())] + QByteArray::number(random.bounded(10)) + " 1.5";
            case 1: { // the channel digit 0, 5, 9 or none
                QByteArray line;
                for (char c : token)
                    line += std::isdigit(uchar(c)) ? QByteArray("059").mid(random.bounded(4), 1) : QByteArray(1, c);
                return line + " 2";
            }
            case 2: return token;
            case 3: return token + " abc";
            case 4: return token + " " + QByteArray(3000 + random.bounded(3000), '7');
            case 5: {
                QByteArray line(1 + random.bounded(60), ' ');
                for (char& c : line)
                    c = char(33 + random.bounded(94));
                return line;
            }
            default: return token + " " + QByteArray::number(random.bounded(-100000, 100000));
            }
        };
        for (int round = 0; round < 6; ++round) {
            const int kind = round % 3;
            QByteArray token;
            if (kind == 0) {
                token = queries[random.bounded(queries.size())];
                answerOnceWith(k.sim, token, garble(token));
                k.ui->pushButton_refresh->click();
            } else if (kind == 1) {
                const bool modbus = random.bounded(2);
                token = modbus ? "ATCMODBR" : "ATCOFF3";
                answerOnceWith(k.sim, token, garble(token));
                (modbus ? k.ui->toolButton_modbus_baudrate_apply : k.ui->toolButton_offset_apply_ch3)->click();
            } else {
                token = links[random.bounded(links.size())];
                answerOnceWith(k.sim, token, garble(token));
                ModalCloser closer(20);
                boxes.timer.stop();
                CalibWizard* w = openWizard(k, 1, closer);
                boxes.timer.start();
                QVERIFY2(w, qPrintable(QString::number(round)));
                w->next();
            }
            // Idle, or waiting consistently: locked in its mode, nothing queued, no traffic.
            int lines = -1;
            qint64 quietSince = InstrumentSimulator::now();
            auto settled = [&] {
                const int n = withoutPolls(k.sim->commandLines()).size();
                if (n != lines) {
                    lines = n;
                    quietSince = InstrumentSimulator::now();
                }
                const bool waiting = k.panel->mode() != DEFAULT && k.panel->isLocked()
                                     && k.panel->pendingCommand().isEmpty();
                return (idle(k.rig) || waiting) && InstrumentSimulator::now() - quietSince > 600;
            };
            const QString where = QString("round %1 %2").arg(round).arg(QString(token));
            QVERIFY2(QTest::qWaitFor(settled, 15000), qPrintable(where));
            if (CalibWizard* w = k.panel->rangeWizard()->wizard())
                static_cast<QWidget*>(w)->close();
            if (token == "ATCC")
                k.sim->onCommand(token, [](InstrumentSimulator::Request const& r) { return QByteArrayList{r.token + " OK"}; });
            else
                k.sim->addSetting(token, k.sim->setting(token));
            // A REFRESH brings it back, whichever way it ended.
            k.ui->pushButton_refresh->click();
            QTest::qWait(100);
            QVERIFY2(k.settle(), qPrintable(where));
            QCOMPARE(k.panel->sensorType(1), 0);
        }
        QVERIFY(k.settle());
        QVERIFY(k.ui->groupBox_ch1->isEnabled());
    }
};

QTEST_MAIN(E2eKw)
#include "e2e_kw.moc"
