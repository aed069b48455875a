// Finding instruments on USB, the chooser, auto start, unplug and re-plug, close and
// reset, with the real main window on mocked USB serial devices.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QListWidget>
#include <QSerialPort>
#include <QtTest>

#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "logwindow.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_logwindow.h"
#include "ui_mainwindow.h"

namespace {
// One scan period plus room for a loaded machine running under the sanitizers.
constexpr int kScanWaitMs = 3000;
}

class E2eDiscovery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void chooserListsOnlyInstruments();
    void autoStartOpensTheFirstInstrumentWithinOneScan();
    void withoutAutoStartNothingOpensUntilActivated();
    void unplugClosesAndReplugOpensAgain();
    void closeKeepsTheDeviceClosedUntilActivated();
    void resetSendsTheCommandHalfASecondLater();
};

void E2eDiscovery::init()
{
    TestPanel::resetCounts();
}

void E2eDiscovery::chooserListsOnlyInstruments()
{
    E2eRig rig;
    InstrumentSimulator* a = rig.bench.plug("A1B2C3");
    InstrumentSimulator* b = rig.bench.plug(UsbDeviceSpec{"1234", "ZQ_SERIES 1234"});
    rig.bench.plug(UsbDeviceSpec{"FT01", "ZQ_SERIES_FT01", "0403", "000a"});   // other vendor
    rig.bench.plug(UsbDeviceSpec{"PR01", "ZQ_SERIES_PR01", "04d8", "000b"});   // other product
    rig.bench.plug(UsbDeviceSpec{"A1B2C3", "", "04d8", "000a", "cu.usbmodemA1"}); // second node of a
    MainWindow* w = rig.start(false);
    const QStringList expected{"[" + rig.bench.location(a) + "] - A1B2C3", "[" + rig.bench.location(b) + "] - 1234"};
    QVERIFY(rig.bench.location(a).startsWith("/dev/ttyACM"));
    QTRY_COMPARE_WITH_TIMEOUT(rig.chooserTexts(), expected, kScanWaitMs);

    QListWidgetItem* first = w->selectDevice()->listwidget()->item(0);
    QCOMPARE(first->statusTip(), rig.bench.location(a));
    QCOMPARE(first->toolTip(), QString("A1B2C3"));

    // Later scans add nothing twice; both instruments leave within one scan.
    QTest::qWait(1200);
    QCOMPARE(rig.chooserTexts(), expected);
    rig.bench.unplug(a);
    rig.bench.unplug(b);
    QTRY_VERIFY_WITH_TIMEOUT(rig.chooserTexts().isEmpty(), kScanWaitMs);
    QVERIFY(!rig.portOpen());
    QVERIFY(a->received().isEmpty());
}

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

    QSerialPort* port = w->port();
    QCOMPARE(port->baudRate(QSerialPort::Input), 115200);
    QCOMPARE(port->baudRate(QSerialPort::Output), 115200);
    QCOMPARE(port->dataBits(), QSerialPort::Data8);
    QCOMPARE(port->parity(), QSerialPort::NoParity);
    QCOMPARE(port->stopBits(), QSerialPort::OneStop);
    QCOMPARE(port->flowControl(), QSerialPort::NoFlowControl);
    QCOMPARE(port->openMode(), QIODevice::ReadWrite);

    QVERIFY(!w->selectDevice()->isVisible());
    QCOMPARE(rig.log().count("\tthe ZQ Series Devices were found."), 1);
    QCOMPARE(rig.log().count(QString("serial port:[ \"%1\" ],serial no:[ \"A1B2C3\" ] opened!").arg(rig.bench.portName(a))), 1);
    QCOMPARE(rig.log().countContaining("writeData(\" \"ATCVER[CR][LF]\" \") success."), 1);

    // Only the first entry is offered: the second instrument hears nothing.
    QTest::qWait(2200);
    QVERIFY(b->received().isEmpty());
    QCOMPARE(a->count("ATCVER"), 1);
    QVERIFY(rig.portOpen());
}

void E2eDiscovery::withoutAutoStartNothingOpensUntilActivated()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    InstrumentSimulator* b = rig.bench.plugInstrument("D4E5F6", 62, 15);
    MainWindow* w = rig.start(false);
    QTRY_COMPARE_WITH_TIMEOUT(rig.chooserTexts().size(), 2, kScanWaitMs);
    QTest::qWait(1200);
    QVERIFY(w->port() == nullptr);
    QVERIFY(a->received().isEmpty() && b->received().isEmpty());

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
    QVERIFY(rig.portOpen());
    QVERIFY(rig.activate(a));
    QVERIFY(rig.waitOpened(a));
    QTRY_COMPARE(TestPanel::destroyed, 1);
    QTRY_VERIFY(rig.panel() && rig.panel()->serial == "A1B2C3");
    QCOMPARE(TestPanel::alive().size(), 1);
    QCOMPARE(b->count("ATCVER"), 1);
}

void E2eDiscovery::unplugClosesAndReplugOpensAgain()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    MainWindow* w = rig.start();
    // Read "all serialport is down." where the user reads it: in the unlocked log window.
    g_logWindow->form()->lineEdit->setText(UnlockPassword);
    emit g_logWindow->form()->pushButton->pressed();
    QVERIFY(g_logWindow->logEnabled());

    QVERIFY(rig.waitOpened(a, kScanWaitMs + 1000));
    QTRY_VERIFY(rig.panel());
    QTRY_VERIFY(rig.panel()->isVisible());

    rig.bench.unplug(a);
    QTRY_VERIFY_WITH_TIMEOUT(w->port() == nullptr, kScanWaitMs);
    QVERIFY(g_logWindow->form()->textEdit->toPlainText().contains("[DEBUG] : all serialport is down."));
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
    QCOMPARE(rig.log().count("all serialport is down."), 1);
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

    QTest::qWait(2200);
    QVERIFY(w->port() == nullptr);
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
    QVERIFY(!w->pollTimer()->isActive());
    QVERIFY(a->waitForCommand("ATCRST"));
    const qint64 after = a->timesOf("ATCRST").first() - asked;
    QVERIFY2(after >= 450 && after <= 1500, qPrintable(QString::number(after)));
    QCOMPARE(a->received().last().bytes, QByteArray("ATCRST\r\n"));
    QTRY_VERIFY(w->calibrator() == nullptr);
    QCOMPARE(TestPanel::destroyed, 1);
    QVERIFY(w->selectDevice()->isVisible());
    QVERIFY(!w->form()->actionReset_ZQ_Device->isEnabled());

    // The port stays open, polling stays off and auto start does not open it again.
    const int polls = a->count("ATCD");
    QTest::qWait(2200);
    QVERIFY(rig.portOpen());
    QCOMPARE(a->count("ATCD"), polls);
    QCOMPARE(a->count("ATCVER"), 1);

    // The instrument restarting (gone from the scan) closes the port; back, it is opened.
    rig.bench.unplug(a);
    QTRY_VERIFY_WITH_TIMEOUT(w->port() == nullptr, kScanWaitMs);
    QCOMPARE(rig.log().count("all serialport is down."), 1);
    rig.bench.replug(a);
    QTRY_COMPARE_WITH_TIMEOUT(a->count("ATCVER"), 2, kScanWaitMs);
}

QTEST_MAIN(E2eDiscovery)
#include "e2e_discovery.moc"
