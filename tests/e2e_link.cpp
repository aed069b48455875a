// The serial link end to end: reply framing, identification, panel creation, the poll
// and the not-supported path, with the real main window on a mocked USB instrument.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QtTest>

#include "e2erig.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

class E2eLink : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestPanel::created = TestPanel::destroyed = 0; }
    void identifiedInstrumentGetsItsPanelAndFramedLines();
    void pollSendsBothCommandsOnTheirTimes();
    void unsupportedIdentificationShowsTheBox_data();
    void unsupportedIdentificationShowsTheBox();
};

void E2eLink::identifiedInstrumentGetsItsPanelAndFramedLines()
{
    E2eRig rig;
    TestPanelFactory factory({72});
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 72, 12); // "ZQ70B 1v2"
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);
    QCOMPARE(panel->model, QString("ZQ70B1v2"));
    QCOMPARE(panel->serial, QString("A1B2C3"));
    QTRY_VERIFY(panel->isVisible());
    QVERIFY(!rig.window()->selectDevice()->isVisible());

    auto expect = [&](QStringList const& lines) {
        const bool ok = QTest::qWaitFor([&] { return panel->lines == lines; }, 3000);
        panel->lines.clear();
        return ok;
    };
    // Two lines in one write, with blanks and an empty line between them.
    sim->send("ATCD 1.00, 2.00\r\n\r\n ATCOFF1 -0.50\r\n");
    QVERIFY(expect({"ATCD1.00,2.00", "ATCOFF1-0.50"}));
    // A reply cut across writes 20 ms apart reaches the panel whole.
    sim->sendPieces({"ATCD 5.", "00,6.", "00\r\n"}, 20);
    QVERIFY(expect({"ATCD5.00,6.00"}));
    // NUL bytes vanish by themselves; what follows them is kept.
    sim->send(QByteArray("AT~CD 7.00,~8.00\r\n~ATCX\r\n").replace('~', '\0'));
    QVERIFY(expect({"ATCD7.00,8.00", "ATCX"}));
    // A last line without a line feed is delivered on its own once nothing more comes.
    const qint64 sent = InstrumentSimulator::now();
    sim->send("ATCD 9.00,10.00");
    QVERIFY(expect({"ATCD9.00,10.00"}));
    QVERIFY(panel->lastLineAtMs - sent >= 90);

    // Nothing is polled until the panel starts the poll.
    QTest::qWait(1000);
    QCOMPARE(sim->commandLines(), QByteArrayList{"ATCVER"});
    QCOMPARE(TestPanel::created, 1);
}

void E2eLink::pollSendsBothCommandsOnTheirTimes()
{
    E2eRig rig;
    TestPanelFactory factory({704});
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 704, 45);
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);

    rig.window()->toggleStart(true); // as the panel does when its sequence ends
    QVERIFY(sim->waitForCommand("ATCH2", 5000, 3));
    rig.window()->toggleStart(false);
    const int sentBefore = sim->count("ATCH1");
    QTest::qWait(1300);
    QCOMPARE(sim->count("ATCH1"), sentBefore);

    // Every command went out as it is, through the panel, "ATCH2" shortly after "ATCH1".
    const QList<qint64> first = sim->timesOf("ATCH1");
    const QList<qint64> second = sim->timesOf("ATCH2");
    QCOMPARE(second.size(), first.size());
    QByteArrayList writes;
    for (int i = 0; i < first.size(); ++i) {
        writes << "ATCH1\r\n" << "ATCH2\r\n";
        const qint64 gap = second.at(i) - first.at(i);
        QVERIFY2(gap >= 40 && gap <= 400, qPrintable(QString::number(gap)));
        if (i > 0) {
            const qint64 period = first.at(i) - first.at(i - 1);
            QVERIFY2(period >= 800 && period <= 1600, qPrintable(QString::number(period)));
        }
    }
    QCOMPARE(sim->receivedBytes(), "ATCVER\r\n" + writes.join());
    QCOMPARE(panel->writes, writes);
}

void E2eLink::unsupportedIdentificationShowsTheBox_data()
{
    QTest::addColumn<QByteArray>("identification");
    QTest::addColumn<bool>("withPanel");
    QTest::newRow("unknown model") << QByteArray("ZQ99 1v0") << true;
    QTest::newRow("no panel built for the model") << QByteArray("ZQ84 1v5") << false;
}

void E2eLink::unsupportedIdentificationShowsTheBox()
{
    QFETCH(QByteArray, identification);
    QFETCH(bool, withPanel);
    E2eRig rig;
    TestPanelFactory factory(withPanel ? QList<int>{62} : QList<int>{});
    NoPanelFactory none({84});
    InstrumentSimulator* sim = rig.bench.plug("A1B2C3");
    sim->setIdentification(identification);
    ModalCloser closer(100);
    MainWindow* w = rig.start();
    QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 6000);
    QCOMPARE(closer.titles(), QStringList{"ERROR"});
    QCOMPARE(closer.texts(), QStringList{"error! This device is not supported..."});
    QTRY_VERIFY(w->selectDevice()->isVisible());
    QCOMPARE(rig.status(), QString("error! This device is not supported. - [%1]").arg(rig.bench.portName(sim)));
    QCOMPARE(rig.log().count("get Version Error"), 1);
    QVERIFY(w->calibrator() == nullptr);
    QCOMPARE(TestPanel::created, 0);

    // The port stays open and the device is not opened again by auto start.
    QTest::qWait(2200);
    QVERIFY(rig.portOpen());
    QCOMPARE(sim->count("ATCVER"), 1);
    QCOMPARE(closer.count(), 1);
}

QTEST_MAIN(E2eLink)
#include "e2e_link.moc"
