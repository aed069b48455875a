// The link where it used to break: a second identification while a panel is open, and
// the device closed, reset or pulled out while a modal box is open.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "e2erig.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

namespace {
constexpr int kScanWaitMs = 3000;

// What happens to the device while a box is open.
enum class Event { Unplug, Close, Reset, CloseWindow };

// Makes event happen to sim's instrument and waits until the window has acted on it.
void cause(Event event, E2eRig& rig, InstrumentSimulator* sim)
{
    MainWindow* w = rig.window();
    switch (event) {
    case Event::Unplug:
        rig.bench.unplug(sim);
        QVERIFY(rig.waitClosed(kScanWaitMs));
        break;
    case Event::Close:
        QVERIFY(QMetaObject::invokeMethod(w, "slotCloseQuorvelDevice"));
        break;
    case Event::Reset:
        QVERIFY(QMetaObject::invokeMethod(w, "slotResetQuorvelDevice"));
        QVERIFY(sim->waitForCommand("ATCRST", 3000));
        break;
    case Event::CloseWindow:
        w->close();
        break;
    }
}

// Runs cause() from inside the first box that opens, then closes the box (also when a
// check failed); check runs after cause() while the box is still open.
void causeUnderTheBox(Event event, E2eRig& rig, InstrumentSimulator* sim, bool& handled,
                      std::function<void()> check = {})
{
    rig.whenModalOpens([&rig, &handled, event, sim, check](QWidget* modal) {
        [&] {
            cause(event, rig, sim);
            if (check)
                check();
        }();
        handled = true;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->buttons().first()->click();
        else
            modal->close();
    });
}
} // namespace

Q_DECLARE_METATYPE(Event)

static void eventRows()
{
    QTest::addColumn<Event>("event");
    QTest::newRow("unplugged") << Event::Unplug;
    QTest::newRow("closed") << Event::Close;
    QTest::newRow("reset") << Event::Reset;
    QTest::newRow("main window closed") << Event::CloseWindow;
}

class E2eFaults : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestPanel::created = TestPanel::destroyed = 0; }
    void secondIdentificationIsIgnored();
    void deviceEventWhileTheNotSupportedBoxIsOpen_data() { eventRows(); }
    void deviceEventWhileTheNotSupportedBoxIsOpen();
    void deviceEventWhileAPanelsBoxIsOpen_data() { eventRows(); }
    void deviceEventWhileAPanelsBoxIsOpen();
    void resetIsNotSentToTheNextDevice();
};

void E2eFaults::secondIdentificationIsIgnored()
{
    E2eRig rig;
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    ModalCloser closer(0);
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);

    sim->sendLine("ATCVER ZQ63 3v0");  // another model
    sim->sendLine("ATCVER ZQ99 1v0");  // one that is not supported
    sim->sendLine("ATCVER ZQ62 1v5");  // itself again
    sim->sendLine("ATCD 1.00,2.00");
    QTRY_COMPARE(panel->lines, QStringList{"ATCD1.00,2.00"});
    QCOMPARE(rig.panel(), panel);
    QCOMPARE(rig.window()->currentModelCode(), 62);
    QCOMPARE(TestPanel::created, 1);
    QCOMPARE(closer.count(), 0);
}

void E2eFaults::deviceEventWhileTheNotSupportedBoxIsOpen()
{
    QFETCH(Event, event);
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* sim = rig.bench.plug("A1B2C3");
    // Where the port is closed under the box, a supported identification queued behind the
    // rejected one in the same read must go with the port: it would make a panel for a
    // device that is no longer open.
    sim->setIdentification(event == Event::Reset ? "ZQ99 1v0" : "ZQ99 1v0\r\nATCVER ZQ62 1v5");
    bool handled = false;
    causeUnderTheBox(event, rig, sim, handled);
    MainWindow* w = rig.start();
    QTRY_VERIFY_WITH_TIMEOUT(handled, 20000);
    QTest::qWait(100);
    QCOMPARE(rig.log().count("get Version Error"), 1);
    QVERIFY(w->calibrator() == nullptr);
    QCOMPARE(TestPanel::created, 0);
    if (event == Event::Reset) {
        // Same device, still open: the box's own clearing follows.
        QVERIFY(rig.portOpen());
        QCOMPARE(rig.status(), QString("error! This device is not supported. - [%1]").arg(rig.bench.portName(sim)));
        QVERIFY(w->selectDevice()->isVisible());
    } else {
        QVERIFY(w->port() == nullptr);
        QVERIFY(!rig.status().startsWith("error!"));
    }
}

void E2eFaults::deviceEventWhileAPanelsBoxIsOpen()
{
    QFETCH(Event, event);
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);
    MainWindow* w = rig.window();
    // The panel answers a reply with a box, as a panel reports a failed sequence, and
    // goes on with its own members once the box is closed.
    panel->onLine = [](TestPanel* self, QString const& line) {
        if (line != "ATCDFAIL")
            return;
        QMessageBox::critical(self, "ERROR", "error! refresh calibration settings...", QMessageBox::Ok);
        self->writes << "after the box";
    };

    bool handled = false;
    causeUnderTheBox(event, rig, sim, handled, [&] {
        // The panel is gone from the window but still alive inside its box.
        QTRY_VERIFY(w->calibrator() == nullptr);
        QCOMPARE(TestPanel::destroyed, 0);
        QVERIFY(!panel->isVisible());
        if (event != Event::CloseWindow)
            QVERIFY(w->selectDevice()->isVisible());
    });
    sim->send("ATCD FAIL\r\nATCD 1.00,2.00\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(handled, kScanWaitMs + 5000);
    QTRY_COMPARE(TestPanel::destroyed, 1);
    QCOMPARE(TestPanel::created, 1);
}

void E2eFaults::resetIsNotSentToTheNextDevice()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* a = rig.bench.plugInstrument("A1B2C3", 62, 15);
    InstrumentSimulator* b = rig.bench.plugInstrument("D4E5F6", 62, 15);
    QVERIFY(rig.startWithPanel(a));
    MainWindow* w = rig.window();
    w->controlEnable(true);

    // Reset, then at once Close and open the other instrument: the reset was meant
    // for the first one, which is closed by the time it is due.
    w->form()->actionReset_ZQ_Device->trigger();
    w->form()->actionClose_ZQ_Device->trigger();
    QVERIFY(rig.activate(b));
    QVERIFY(rig.waitOpened(b, 1000));
    QTRY_VERIFY(rig.panel() && rig.panel()->serial == "D4E5F6");
    QTest::qWait(1200);
    QCOMPARE(a->count("ATCRST") + b->count("ATCRST"), 0);
    QVERIFY(rig.panel() && rig.panel()->serial == "D4E5F6");
    QVERIFY(rig.portOpen());
}

QTEST_MAIN(E2eFaults)
#include "e2e_faults.moc"
