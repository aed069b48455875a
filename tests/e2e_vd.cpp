// The VD panel end to end: the real main window on a mocked USB instrument that plays
// an HV700_VD particle counter (tests/support/sim_vd.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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
#include "passworddlg.h"
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
    explicit ReadyVd(unsigned version = 25, QHash<QByteArray, QByteArray> const& settings = {})
    {
        sim = rig.bench.plugInstrument("VD0042", 703, version);
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
        QTest::newRow("firmware 23") << 23u << kBase + kMaster;
        QTest::newRow("firmware 24") << 24u << kBase + kMaster;
        QTest::newRow("firmware 25") << 25u << kBase + kMaster + QByteArrayList{"ATCSON"};
    }

    void plugInRefreshesThenPolls()
    {
        QFETCH(unsigned, version);
        QFETCH(QByteArrayList, queries);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("VD0042", 703, version);
        sim->setSetting("ATCOFF1", "1.50");
        sim->setSetting("ATCOFF2", "-0.25");
        sim->setSetting("ATCUSED", "12345");
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
        QCOMPARE(ui->doubleSpinBox_offset_ch1->value(), 1.5);
        QCOMPARE(ui->doubleSpinBox_offset_ch2->value(), -0.25);
        QCOMPARE(ui->spinBox_usedtime->value(), 12345);

        // Polled every second: previews, large LCDs and charts fed.
        QVERIFY(ui->groupBox_ch1_2->isEnabled());
        QVERIFY(sim->waitForCommand("ATCH", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 20.1);
        QCOMPARE(panel->chart(0)->values()[kLast], 12.5);
        QCOMPARE(ui->lcdNumber_ch1->value(), 12.5);
        QCOMPARE(ui->lcdNumber_ch2->value(), 20.1);
        QCOMPARE(ui->lcdNumber_preview_ch5->value(), 5.0);
        QCOMPARE(ui->lcdNumber_preview_ch6->value(), 0.3);
        const QDateTime sent = panel->lastWrite();
        QCOMPARE(panel->chart(0)->timeStamps()[kLast], chartTime2(sent.toSecsSinceEpoch()) + sent.time().msec() / 1000.0);
    }

    // One setting written: the line on the wire, the instrument's echo, the form after it.
    void applyRoundTrip_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("output mode") << "output" << QByteArray("ATCMODE 2");
        QTest::newRow("counter mode") << "counter" << QByteArray("ATCNORML 1");
        QTest::newRow("offset of pair 1") << "offset" << QByteArray("ATCOFF3 2.50");
        QTest::newRow("slave ID") << "slave id" << QByteArray("ATCMODID 12");
        QTest::newRow("relay ID in decimal") << "relay id" << QByteArray("ATCMSTID 10");
        QTest::newRow("holding time") << "holding" << QByteArray("ATCRLYDLY 30");
        QTest::newRow("threshold") << "threshold" << QByteArray("ATCPPMMAX 1e+06");
        QTest::newRow("baud rate") << "baud" << QByteArray("ATCMODBR 3");
        QTest::newRow("time-out") << "timeout" << QByteArray("ATCMODTO 4");
        QTest::newRow("byte swap") << "byteswap" << QByteArray("ATCMODSW 1");
        QTest::newRow("MODBUS master") << "master" << QByteArray("ATCISMST 1");
        QTest::newRow("RS485 off") << "rs485 off" << QByteArray("ATCSON 0");
        QTest::newRow("threshold channel 3 read") << "channel" << QByteArray("ATCMODCH 0");
    }

    void applyRoundTrip()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, wire);
        const bool master = kind == "relay id" || kind == "holding" || kind == "threshold" || kind == "channel";
        QHash<QByteArray, QByteArray> settings{{"ATCISMST", master ? "1" : "0"}};
        if (kind == "channel")
            settings.insert("ATCMODCH", "3"); // a value the combo has no item for
        ReadyVd v(25, settings);
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
        } else if (kind == "slave id") {
            ui->spinBox_modbus_addr->setValue(12);
            QCOMPARE(ui->spinBox_modbus_addr->text(), QString("12"));
            press(ui->toolButton_modbus_addr_apply);
            after = [&] { return ui->spinBox_modbus_addr->value() == 12; };
        } else if (kind == "relay id") {
            ui->spinBox_modbus_relay_addr->setValue(10);
            press(ui->toolButton_modbus_relay_addr_apply);
            after = [&] { return ui->spinBox_modbus_relay_addr->text() == "0x0A"; };
        } else if (kind == "holding") {
            ui->spinBox_modbus_hold_min->setValue(30);
            press(ui->toolButton_modbus_hold_min_apply);
            after = [&] { return ui->spinBox_modbus_hold_min->text() == "030 min"; };
        } else if (kind == "threshold") {
            ui->doubleSpinBox_modbus_max->setValue(1000000);
            press(ui->toolButton_modbus_max_apply);
            after = [&] { return ui->doubleSpinBox_modbus_max->value() == 1000000 && ui->doubleSpinBox_modbus_max->suffix().isEmpty(); };
        } else if (kind == "baud") {
            ui->comboBox_modbus_baudrate->setCurrentIndex(3);
            QCOMPARE(ui->comboBox_modbus_baudrate->styleSheet(), QString(CalibratorPanel::ChangedStyle));
            press(ui->toolButton_modbus_baudrate_apply);
            after = [&] { return v.panel->modbus()->baudrate() == 3
                                 && ui->comboBox_modbus_baudrate->styleSheet() == CalibratorPanel::MatchStyle; };
        } else if (kind == "timeout") {
            ui->comboBox_modbus_timeout->setCurrentIndex(4);
            press(ui->toolButton_modbus_timeout_apply);
            after = [&] { return v.panel->modbus()->timeout() == 4 && ui->comboBox_modbus_timeout->currentIndex() == 4; };
        } else if (kind == "byteswap") {
            ui->checkBox_modbus_byteswap->setChecked(true);
            press(ui->toolButton_modbus_byteswap_apply);
            after = [&] { return ui->checkBox_modbus_byteswap->isChecked(); };
        } else if (kind == "master") {
            ui->radioButton_Master->click();
            after = [&] { return v.panel->modbus()->isMaster() && !ui->groupBox_modbus_relay_no->isHidden()
                                 && ui->groupBox_modbus_addr->isHidden(); };
        } else if (kind == "rs485 off") {
            ui->radioButton_485_off->click();
            after = [&] { return !v.panel->modbus()->rs485On() && !ui->groupBox_modbus_baudrate->isEnabled()
                                 && !ui->groupBox_modbus_mode->isEnabled() && ui->groupBox_485onoff->isEnabled(); };
        } else if (kind == "channel") {
            QCOMPARE(ui->comboBox_modbus_channel->currentIndex(), 0);
            QCOMPARE(ui->comboBox_modbus_channel->currentText(), QString("pm2.5"));
            press(ui->toolButton_modbus_channel_apply);
            after = [&] { return v.panel->modbus()->channel() == 0; };
        }
        QVERIFY(v.sim->waitForCommand(wire));
        QVERIFY(waitIdle(v.rig));
        QVERIFY(after());
        QVERIFY(shown.contains("success! apply calibration settings."));
        QCOMPARE(commands(v.sim), QByteArrayList{wire});
        const QByteArray key = wire.left(wire.indexOf(' '));
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

    void lastCalibrationTimeBehindThePassword()
    {
        ReadyVd v;
        QVERIFY(v.panel);
        ModalCloser closer(20);
        closer.setAnswer(QMessageBox::Yes);
        // Only the question: the password window is typed into.
        closer.setInspector([&](QWidget*) { closer.setEnabled(false); });
        QTest::mouseClick(v.ui->toolButton_exec_datetime, Qt::LeftButton);
        QTRY_COMPARE(closer.count(), 1);
        QCOMPARE(closer.titles().first(), QString("Last Calibration Time"));
        PasswordDlg* dlg = v.panel->passwordDialog();
        QTRY_VERIFY(dlg->isVisible());
        dlg->findChild<QLineEdit*>("lineEdit_password")->setText(UnlockPassword);
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QTest::keyClick(dlg->findChild<QLineEdit*>("lineEdit_password"), Qt::Key_Return);
        QVERIFY(v.sim->waitForCommand("ATCMODE", 3000));
        const QByteArray line = commands(v.sim).first();
        QVERIFY2(line.startsWith("ATCEXTM "), line.constData());
        const qint64 written = line.mid(8).toLongLong();
        QVERIFY(written >= before && written <= before + 2);
        // The echo schedules a full REFRESH 50 ms later (then CommandDelay to the send).
        const qint64 gap = v.sim->timesOf("ATCMODE").first() - v.sim->timesOf(line).first();
        QVERIFY2(gap >= 50 + CommandDelay - 1 && gap < 50 + CommandDelay + kSlackMs, qPrintable(QString::number(gap)));
        QVERIFY(waitIdle(v.rig));
        QCOMPARE(v.ui->dateTimeEdit_exec_datetime->dateTime().toSecsSinceEpoch(), written);
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
        ReadyVd v(25, {{"ATCOFF1", "7.00"}});
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

    void unplug_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply"); // empty: no answer at all
        QTest::newRow("in the middle of a refresh") << QByteArray("ATCMODBR") << QByteArray();
        QTest::newRow("factory reset box open") << QByteArray("ATCFTRST") << QByteArray("ATCFTRST OK");
    }

    void unplug()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        E2eRig rig;
        InstrumentSimulator* sim = rig.bench.plugInstrument("VD0042", 703, 25);
        if (reply.isEmpty())
            sim->removeCommand(query);
        QString text;
        bool removedUnderTheBox = false;
        MainWindow* w = rig.start();
        if (reply.isEmpty()) {
            QVERIFY(sim->waitForCommand(query, kReadyWaitMs));
            VdCalibrator* panel = vd(rig);
            // No answer, no time-out: the panel waits, locked, and REFRESH starts over.
            QTest::qWait(300);
            QCOMPARE(panel->mode(), unsigned(REFRESH));
            QVERIFY(!panel->form()->groupBox_ch1->isEnabled());
            panel->form()->pushButton_refresh->click();
            QVERIFY(sim->waitForCommand("ATCMODE", 3000, 2));
            rig.bench.unplug(sim);
            QVERIFY(rig.waitClosed(kScanWaitMs));
        } else {
            QVERIFY(waitIdle(rig));
            rig.whenModalOpens([&](QWidget* modal) {
                // The question: Yes.
                auto* question = qobject_cast<QMessageBox*>(modal);
                question->button(QMessageBox::Yes)->click();
                rig.whenModalOpens([&](QWidget* box) {
                    auto* message = qobject_cast<QMessageBox*>(box);
                    text = message ? message->text() : QString("?");
                    rig.bench.unplug(sim);
                    removedUnderTheBox = rig.waitClosed(kScanWaitMs) && rig.window()->calibrator() == nullptr;
                    if (message)
                        message->buttons().first()->click();
                    else
                        box->close();
                });
            });
            vd(rig)->form()->pushButton_factoryreset->click();
            QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), kReadyWaitMs);
            QCOMPARE(text, QString("the Factory Reset is completed."));
            QVERIFY(removedUnderTheBox);
        }
        QTRY_COMPARE(rig.log().count("~VdCalibrator()"), 1);
        // Nothing of the removed panel goes on: no refresh, no poll, no menus.
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
