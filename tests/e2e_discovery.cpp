// Finding instruments on USB, the chooser, auto start, unplug and re-plug, close and
// reset, with the real main window on mocked USB serial devices.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QSerialPort>
#include <QtTest>

#include "e2erig.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

namespace {
// One scan period plus room for a loaded machine running under the sanitizers.
constexpr int kScanWaitMs = 3000;
}

class E2eDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestPanel::created = TestPanel::destroyed = 0; }
    void autoStartOpensTheFirstInstrumentWithinOneScan();
    void withoutAutoStartNothingOpensUntilActivated();
    void unplugClosesAndReplugOpensAgain();
    void closeKeepsTheDeviceClosedUntilActivated();
    void resetSendsTheCommandHalfASecondLater();
};

void E2eDiscovery::autoStartOpensTheFirstInstrumentWithinOneScan()
{
    E2eRig rig;
    // Neither answers "ATCVER": the window stays between opening and identification.
    InstrumentSimulator* a = rig.bench.plug("A1B2C3");
    InstrumentSimulator* b = rig.bench.plug("D4E5F6");
    const qint64 started = InstrumentSimulator::now();
    MainWindow* w = rig.start();
    QVERIFY(rig.waitOpened(a, kScanWaitMs + 1000));
    const qint64 after = a->timesOf("ATCVER").first() - started;
    QVERIFY2(after >= 900 && after <= kScanWaitMs, qPrintable(QString::number(after)));
    QCOMPARE(a->receivedBytes(), QByteArray("ATCVER\r\n"));
    QCOMPARE(w->port()->baudRate(), 115200);
    QVERIFY(!w->selectDevice()->isVisible());

    // Only the first entry is offered: the second instrument hears nothing.
    QTest::qWait(2200);
    QVERIFY(b->receivedBytes().isEmpty());
    QCOMPARE(a->count("ATCVER"), 1);
    QVERIFY(rig.portOpen());
}

void E2eDiscovery::withoutAutoStartNothingOpensUntilActivated()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    InstrumentSimulator* b = rig.bench.plugInstrument("D4E5F6", 62, 15);
    rig.bench.plug("FT01", "0403", "000a"); // another vendor's device
    rig.bench.plug("PR01", "04d8", "000b"); // another product
    MainWindow* w = rig.start(false);
    const QStringList listed{"[/dev/" + rig.bench.portName(a) + "] - A1B2C3",
                             "[/dev/" + rig.bench.portName(b) + "] - D4E5F6"};
    QTRY_COMPARE_WITH_TIMEOUT(rig.chooserTexts(), listed, kScanWaitMs);
    QTest::qWait(1200);
    QCOMPARE(rig.chooserTexts(), listed);
    QVERIFY(w->port() == nullptr);
    QVERIFY(a->receivedBytes().isEmpty() && b->receivedBytes().isEmpty());

    QVERIFY(rig.activate(b));
    QVERIFY(rig.waitOpened(b));
    QCOMPARE(rig.status(), QString("the ZQ Series Devices were found. - [%1]").arg(rig.bench.portName(b)));
    QTRY_VERIFY(rig.panel());
    QCOMPARE(rig.panel()->serial, QString("D4E5F6"));

    // After a reset the chooser is back while the port stays open; activating
    // another item closes that device first.
    w->controlEnable(true);
    w->form()->actionReset_ZQ_Device->trigger();
    QVERIFY(b->waitForCommand("ATCRST"));
    QTRY_VERIFY(w->selectDevice()->isVisible());
    QVERIFY(rig.activate(a));
    QVERIFY(rig.waitOpened(a));
    QTRY_VERIFY(rig.panel() && rig.panel()->serial == "A1B2C3");
    QCOMPARE(TestPanel::created - TestPanel::destroyed, 1);
    QCOMPARE(b->count("ATCVER"), 1);
}

void E2eDiscovery::unplugClosesAndReplugOpensAgain()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    QVERIFY(rig.startWithPanel(a, kScanWaitMs + 2000));
    MainWindow* w = rig.window();
    QTRY_VERIFY(rig.panel()->isVisible());

    rig.bench.unplug(a);
    QVERIFY(rig.waitClosed(kScanWaitMs));
    QCOMPARE(rig.log().count("all serialport is down."), 1);
    QVERIFY(w->calibrator() == nullptr);
    QCOMPARE(TestPanel::destroyed, 1);
    QVERIFY(w->selectDevice()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(rig.chooserTexts().isEmpty(), kScanWaitMs);

    rig.bench.replug(a);
    QTRY_COMPARE_WITH_TIMEOUT(a->count("ATCVER"), 2, kScanWaitMs);
    QTRY_VERIFY(rig.panel());
    QCOMPARE(TestPanel::created, 2);
    QCOMPARE(rig.portName(), rig.bench.portName(a));
    QCOMPARE(rig.chooserTexts(), QStringList{rig.bench.displayText(a)});
}

void E2eDiscovery::closeKeepsTheDeviceClosedUntilActivated()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    QVERIFY(rig.startWithPanel(a));
    MainWindow* w = rig.window();
    w->controlEnable(true); // as a panel does when its first sequence ends

    w->form()->actionClose_ZQ_Device->trigger();
    QVERIFY(w->port() == nullptr);
    QVERIFY(w->calibrator() == nullptr);
    QVERIFY(w->selectDevice()->isVisible());
    QVERIFY(!w->form()->actionClose_ZQ_Device->isEnabled());

    // Not even pulling it out and plugging it in again opens it.
    rig.bench.unplug(a);
    QTRY_VERIFY_WITH_TIMEOUT(rig.chooserTexts().isEmpty(), kScanWaitMs);
    rig.bench.replug(a);
    QTRY_COMPARE_WITH_TIMEOUT(rig.chooserTexts().size(), 1, kScanWaitMs);
    QTest::qWait(2200);
    QVERIFY(w->port() == nullptr);
    QCOMPARE(a->count("ATCVER"), 1);

    QVERIFY(rig.activate(a));
    QTRY_COMPARE(a->count("ATCVER"), 2);
    QTRY_VERIFY(rig.panel());
}

void E2eDiscovery::resetSendsTheCommandHalfASecondLater()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    QVERIFY(rig.startWithPanel(a));
    MainWindow* w = rig.window();
    w->controlEnable(true);
    w->toggleStart(true);
    QVERIFY(a->waitForCommand("ATCD"));

    const qint64 asked = InstrumentSimulator::now();
    w->form()->actionReset_ZQ_Device->trigger();
    QVERIFY(a->waitForCommand("ATCRST"));
    const qint64 after = a->timesOf("ATCRST").first() - asked;
    QVERIFY2(after >= 450 && after <= 1500, qPrintable(QString::number(after)));
    QVERIFY(a->receivedBytes().endsWith("\nATCRST\r\n"));
    QTRY_VERIFY(w->calibrator() == nullptr);
    QVERIFY(w->selectDevice()->isVisible());

    // The port stays open, polling stays off and auto start does not open it again.
    const int polls = a->count("ATCD");
    QTest::qWait(2200);
    QVERIFY(rig.portOpen());
    QCOMPARE(a->count("ATCD"), polls);
    QCOMPARE(a->count("ATCVER"), 1);
}

QTEST_MAIN(E2eDiscovery)
#include "e2e_discovery.moc"
