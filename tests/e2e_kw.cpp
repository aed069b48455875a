// The HV700K3-KW panel end to end: the real main window on a mocked USB instrument that
// plays a KW (tests/support/sim_kw.cpp, MODBUS settings from sim_modbus.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include "calibrateapply.h"
#include "calibratetemprange.h"
#include "calibwizard.h"
#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "kwcalibrator.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "passworddlg.h"
#include "rangewizardflow.h"
#include "statuslog.h"
#include "ui_kwcalibrator.h"
#include "ui_passworddlg.h"
#include "wizardchain.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 15000;
constexpr int kScanWaitMs = 3000;
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;

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

} // namespace

class E2eKw : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; CommandDelay = 50; }

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
        QByteArrayList sent = QByteArrayList{"ATCVER"} + expected;
        for (int i = 1; i < sent.size(); ++i) {
            const qint64 gap = sim->timesOf(sent[i]).first() - sim->timesOf(sent[i - 1]).first();
            QVERIFY2(gap >= CommandDelay - 1 && gap < CommandDelay + kSlackMs,
                     qPrintable(sent[i] + " " + QString::number(gap)));
        }
        QVERIFY(sim->timesOf("ATCC").first() - sim->timesOf(expected.last()).first() < kSlackMs);
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QVERIFY(rig.status().startsWith("success! apply the device's temperature mode to the celsius mode."));

        // The form shows what the instrument holds.
        QCOMPARE(ui->comboBox_sensortype_ch1->currentText(), QString("K TYPE"));
        QCOMPARE(ui->comboBox_sensortype_ch2->currentText(), QString("E TYPE"));
        QCOMPARE(ui->comboBox_sensortype_ch3->currentText(), QString("NONE"));
        QCOMPARE(panel->sensorType(2), 5);
        QCOMPARE(panel->sensorType(3), -1);
        QCOMPARE(ui->comboBox_sensortype_ch3->styleSheet(), QString(MatchStyle));
        QCOMPARE(ui->doubleSpinBox_offset_ch4->value(), -1.25);
        QCOMPARE(ui->doubleSpinBox_range_min_ch1->value(), -200.0);
        QCOMPARE(ui->doubleSpinBox_correction_min_ch1->value(), -200.5);
        QCOMPARE(ui->doubleSpinBox_correction_max_ch2->value(), 0.0);
        QCOMPARE(ui->doubleSpinBox_range_max_ch4->suffix(), QString::fromUtf8(" \u00B0C"));
        QCOMPARE(ui->label_unit_ch1->text(), QString::fromUtf8("\u00B0C"));
        QCOMPARE(ui->dateTimeEdit_exec_datetime->dateTime(), QDateTime::fromSecsSinceEpoch(1000));
        QCOMPARE(ui->dateTimeEdit_build_time->dateTime(),
                 QDateTime::fromSecsSinceEpoch(version >= 20 ? 1600000000 : 0));
        QCOMPARE(ui->label_model->text(), QString("HV700K3-KW" + QString::number(version / 10) + "v"
                                                  + QString::number(version % 10)));
        QCOMPARE(ui->label_serial->text(), QString("KW0001"));
        QVERIFY(ui->groupBox_ch1->isEnabled());
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
    }
};

QTEST_MAIN(E2eKw)
#include "e2e_kw.moc"
