// The VD panel end to end: the real main window on a mocked USB instrument that plays
// an HV700_VD particle counter (tests/support/sim_vd.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "modbusblock.h"
#include "selectdevice.h"
#include "statuslog.h"
#include "ui_mainwindow.h"
#include "ui_vdcalibrator.h"
#include "vdcalibrator.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;

VdCalibrator* vd(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<VdCalibrator*>(rig.window()->calibrator()) : nullptr;
}

// The panel exists, no sequence runs and the poll runs.
bool idle(E2eRig& rig)
{
    VdCalibrator* panel = vd(rig);
    return panel && panel->mode() == DEFAULT && !panel->isLocked() && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return idle(rig); }, kReadyWaitMs);
}

// Valid points on a chart.
int points(ChartView* chart)
{
    int n = 0;
    for (int i = 0; i < ChartView::SampleCount; ++i)
        n += chart->values()[i] != NoValue;
    return n;
}

// What the instrument got besides the polls.
QByteArrayList commands(InstrumentSimulator* sim)
{
    QByteArrayList lines = sim->commandLines();
    lines.removeAll("ATCH");
    return lines;
}

// A VD plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyVd
{
    explicit ReadyVd(QHash<QByteArray, QByteArray> const& settings = {})
    {
        sim = rig.bench.plugInstrument("VD0042", 703, 25);
        for (auto it = settings.begin(); it != settings.end(); ++it)
            sim->setSetting(it.key(), it.value());
        rig.start();
        panel = waitIdle(rig) ? vd(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    VdCalibrator* panel = nullptr;
    Ui::VdCalibrator* ui = nullptr;
};

const QByteArrayList kBase = {"ATCMODE", "ATCNORML", "ATCOFF1", "ATCOFF2", "ATCOFF3", "ATCOFF4", "ATCOFF5",
                              "ATCMODID", "ATCMODBR", "ATCMODSW", "ATCMODTO", "ATCEXTM", "ATCUSED", "ATCBLDTM"};
const QByteArrayList kMaster = {"ATCISMST", "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX", "ATCRLYDLY"};

} // namespace

class E2eVd : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    void plugInRefreshesThenPolls_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QByteArrayList>("queries");
        QTest::newRow("firmware 22") << 22u << kBase;
        QTest::newRow("firmware 24") << 24u << kBase + kMaster;
        QTest::newRow("firmware 25") << 25u << kBase + kMaster + QByteArrayList{"ATCSON"};
    }

    void plugInRefreshesThenPolls()
    {
        QFETCH(unsigned, version);
        QFETCH(QByteArrayList, queries);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("VD0042", 703, version);
        MainWindow* w = rig.start();
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        VdCalibrator* panel = vd(rig);
        Ui::VdCalibrator* ui = panel->form();

        // Exactly these, in this order, before the first poll; each CommandDelay after the
        // reply to the one before.
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, queries.size() + 1), QByteArrayList{"ATCVER"} + queries);
        QCOMPARE(lines.count("ATCH"), lines.size() - queries.size() - 1);
        QByteArray previous = "ATCVER";
        for (QByteArray const& query : queries) {
            const qint64 gap = sim->timesOf(query).first() - sim->timesOf(previous).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs, qPrintable(query + " " + QByteArray::number(gap)));
            previous = query;
        }
        QVERIFY(shown.contains("success! refresh calibration settings."));

        // Polled every second: LCDs and charts fed.
        QVERIFY(ui->groupBox_ch1_2->isEnabled());
        QVERIFY(sim->waitForCommand("ATCH", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 20.1);
        QCOMPARE(panel->chart(0)->values()[kLast], 12.5);
        QCOMPARE(ui->lcdNumber_ch1->value(), 12.5);
        QCOMPARE(ui->lcdNumber_ch2->value(), 20.1);
        const QDateTime sent = panel->lastWrite();
        QCOMPARE(panel->chart(0)->timeStamps()[kLast], chartTime2(sent.toSecsSinceEpoch()) + sent.time().msec() / 1000.0);
    }

    // One setting written: the line on the wire, the instrument's echo, the form after it.
    // Refused (an echo without its keyword), the radios go back to what the panel holds.
    void applyRoundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("refusal"); // empty: the instrument's own echo
        QTest::newRow("output mode") << "output" << QByteArray("ATCMODE 2") << QByteArray();
        QTest::newRow("counter mode") << "counter" << QByteArray("ATCNORML 1") << QByteArray();
        QTest::newRow("offset of pair 1") << "offset" << QByteArray("ATCOFF3 2.50") << QByteArray();
        QTest::newRow("RS485 off") << "rs485 off" << QByteArray("ATCSON 0") << QByteArray();
        QTest::newRow("output mode refused") << "output" << QByteArray("ATCMODE 2") << QByteArray("ATCNORML 0");
        QTest::newRow("RS485 off refused") << "rs485 off" << QByteArray("ATCSON 0") << QByteArray("ATCMODE 0");
    }

    void applyRoundTrip()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, refusal);
        ReadyVd v;
        QVERIFY(v.panel);
        Ui::VdCalibrator* ui = v.ui;
        StatusLog shown(v.rig.window());
        if (kind == "offset") {
            ui->groupBox_ch3_4->setChecked(true);
            QVERIFY(waitIdle(v.rig));
            QCOMPARE(ui->groupBox_ch1->title(), QString("pm1.0"));
            v.sim->clearLog();
        }
        // The modes: a poll point first, for the charts.
        const bool charted = kind == "output" || kind == "counter";
        if (charted)
            QTRY_VERIFY_WITH_TIMEOUT(points(v.panel->chart(0)) >= 1, 3000);
        const int pointsBefore = points(v.panel->chart(0));

        std::function<bool()> after;
        auto press = [](QAbstractButton* b) {
            QTest::mousePress(b, Qt::LeftButton);
            QTest::mouseRelease(b, Qt::LeftButton);
        };
        if (kind == "output") {
            ui->radioButton_number_m3->click();
            after = [&] { return ui->radioButton_number_m3->isChecked() && ui->label_unit_ch1->text() == "#/m3"
                                 && v.panel->outputType() == 2; };
        } else if (kind == "counter") {
            ui->radioButton_differential->click();
            after = [&] { return ui->radioButton_differential->isChecked() && v.panel->counterType() == 1; };
        } else if (kind == "offset") {
            ui->doubleSpinBox_offset_ch1->setValue(2.5);
            press(ui->toolButton_offset_apply_ch1);
            after = [&] { return v.sim->setting("ATCOFF3") == "2.50" && v.sim->setting("ATCOFF1") == "0.00"; };
        } else if (kind == "rs485 off") {
            ui->radioButton_485_off->click();
            after = [&] { return !v.panel->modbus()->rs485On() && !ui->groupBox_modbus_baudrate->isEnabled()
                                 && !ui->groupBox_modbus_mode->isEnabled() && ui->groupBox_485onoff->isEnabled()
                                 && ui->groupBox_sensortype->isEnabled() && ui->groupBox_ch1->isEnabled(); };
        }
        const QByteArray key = wire.left(wire.indexOf(' '));
        if (!refusal.isEmpty()) {
            ModalCloser closer(20);
            v.sim->setReply(key, {refusal});
            QVERIFY(v.sim->waitForCommand(wire));
            QTRY_COMPARE(closer.texts(), QStringList{"error! apply calibration settings..."});
            QVERIFY(waitIdle(v.rig));
            QVERIFY(kind == "output" ? ui->radioButton_mass->isChecked() : ui->radioButton_485_on->isChecked());
            return;
        }
        QVERIFY(v.sim->waitForCommand(wire));
        QVERIFY(waitIdle(v.rig));
        QVERIFY(after());
        QVERIFY(shown.contains("success! apply calibration settings."));
        QCOMPARE(commands(v.sim), QByteArrayList{wire});
        QCOMPARE(v.sim->setting(key), wire.mid(wire.indexOf(' ') + 1));
        // The echo ends the apply: no refresh follows.
        QTest::qWait(charted ? 300 : 100);
        QCOMPARE(v.sim->count("ATCMODE"), 0);
        // Only the output mode's echo clears the charts.
        if (kind == "output")
            QVERIFY2(points(v.panel->chart(0)) <= 1, qPrintable(QString::number(points(v.panel->chart(0)))));
        else
            QVERIFY(points(v.panel->chart(0)) >= pointsBefore);
    }

    void factoryReset_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("done") << false;
        QTest::newRow("refused") << true;
    }

    void factoryReset()
    {
        QFETCH(bool, refused);
        ReadyVd v({{"ATCOFF1", "7.00"}});
        QVERIFY(v.panel);
        QCOMPARE(v.ui->doubleSpinBox_offset_ch1->value(), 7.0);
        if (refused)
            v.sim->setReply("ATCFTRST", {"ATCFTRST FAIL"});
        StatusLog shown(v.rig.window());
        ModalCloser closer(50);
        closer.setAnswer(QMessageBox::Yes);
        bool unlockedAtBox = true;
        closer.setInspector([&](QWidget*) {
            if (closer.count() == 2)
                unlockedAtBox = !v.panel->isLocked();
        });
        QTest::mouseClick(v.ui->pushButton_factoryreset, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 2, 3000);
        QCOMPARE(closer.titles(), QStringList({"Factory Reset", "Factory Reset"}));
        QCOMPARE(closer.texts().last(), refused ? QString("the Factory Reset is failed!") : QString("the Factory Reset is completed."));
        QVERIFY(waitIdle(v.rig));
        QTest::qWait(300);
        QCOMPARE(closer.count(), 2); // no second box
        QCOMPARE(commands(v.sim).first(), QByteArray("ATCFTRST"));
        if (refused) {
            // The failure ends the apply: error status, no refresh, the form as it was.
            QVERIFY(v.rig.status().startsWith("error! apply calibration settings."));
            QVERIFY(!shown.contains("success! apply calibration settings."));
            QCOMPARE(v.sim->count("ATCMODE"), 0);
            QCOMPARE(v.ui->doubleSpinBox_offset_ch1->value(), 7.0);
            QVERIFY(!unlockedAtBox); // the box shows before the apply ends
        } else {
            // The instrument's defaults, read back by the refresh that follows.
            QCOMPARE(v.sim->count("ATCMODE"), 1);
            QVERIFY(shown.contains("success! refresh calibration settings."));
            QCOMPARE(v.ui->doubleSpinBox_offset_ch1->value(), 0.0);
        }
        QVERIFY(v.ui->groupBox_factoryreset->isEnabled());
    }

    // No answer, no time-out: the panel waits, locked, and REFRESH starts over; unplugged
    // then, nothing of it goes on.
    void unplugMidRefresh()
    {
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("VD0042", 703, 25);
        sim->removeCommand("ATCMODBR");
        MainWindow* w = rig.start();
        QVERIFY(sim->waitForCommand("ATCMODBR", kReadyWaitMs));
        VdCalibrator* panel = vd(rig);
        QTest::qWait(300);
        QCOMPARE(panel->mode(), unsigned(REFRESH));
        QVERIFY(!panel->form()->groupBox_ch1->isEnabled());
        panel->form()->pushButton_refresh->click();
        QVERIFY(sim->waitForCommand("ATCMODE", 3000, 2));
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(kScanWaitMs));
        QTRY_COMPARE(rig.log().count("~VdCalibrator()"), 1);
        // No refresh, no poll, no menus.
        const int sent = sim->commandLines().size();
        QTest::qWait(1000);
        QCOMPARE(sim->commandLines().size(), sent);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        QVERIFY(!w->form()->actionClose_ZQ_Device->isEnabled());
        QVERIFY(w->selectDevice()->isVisible());
    }
};

QTEST_MAIN(E2eVd)
#include "e2e_vd.moc"
