// The serial link end to end: reply framing, identification, panel creation, the poll
// and the not-supported path, with the real main window on a mocked USB instrument.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QtTest>

#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

namespace {
constexpr int kOpenWaitMs = 4000;
} // namespace

class E2eLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void repliesAreFramedIntoLines();
    void identificationCreatesThePanel();
    void pollSendsTheModelsCommand_data();
    void pollSendsTheModelsCommand();
    void unsupportedIdentificationShowsTheBox_data();
    void unsupportedIdentificationShowsTheBox();
    void variantModelCreatesNothingAndPollsNothing();
};

void E2eLink::init()
{
    TestPanel::resetCounts();
}

void E2eLink::repliesAreFramedIntoLines()
{
    E2eRig rig;
    TestPanelFactory factory({62});
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);

    auto expect = [&](QStringList const& lines) {
        return QTest::qWaitFor([&] { return panel->lineTexts() == lines; }, 3000);
    };

    // Two lines in one write, with blanks and an empty line between them.
    sim->send("ATCD 1.00, 2.00\r\n\r\n ATCOFF1 -0.50\r\n");
    QVERIFY(expect({"ATCD1.00,2.00", "ATCOFF1-0.50"}));

    // A reply cut across writes 20 ms apart reaches the panel whole.
    panel->lines.clear();
    sim->sendPieces({"ATCD 5.", "00,6.", "00\r\n"}, 20);
    QVERIFY(expect({"ATCD5.00,6.00"}));

    // The same for every reply of the instrument, cut into 3-byte writes.
    panel->lines.clear();
    sim->setChunking(3, 5);
    rig.window()->writeData("ATCD\r\n");
    QVERIFY(expect({"ATCD0.00,0.00"}));
    sim->setChunking(0, 0);

    // NUL bytes vanish by themselves; what follows them is kept.
    panel->lines.clear();
    sim->send(QByteArray("AT~CD 7.00,~8.00\r\n~ATCX\r\n").replace('~', '\0'));
    QVERIFY(expect({"ATCD7.00,8.00", "ATCX"}));

    // A carriage return alone does not end a line.
    panel->lines.clear();
    sim->send("ATCA\rATCB\r\n");
    QVERIFY(expect({"ATCAATCB"}));

    // A last line without a line feed is delivered on its own once nothing more comes.
    panel->lines.clear();
    const qint64 sent = InstrumentSimulator::now();
    sim->send("ATCD 9.00,10.00");
    QVERIFY(expect({"ATCD9.00,10.00"}));
    QVERIFY(panel->lines.first().atMs - sent >= 90);

    // Noise costs nothing but garbage lines; the next reply arrives intact.
    panel->lines.clear();
    sim->send(InstrumentSimulator::noise(3000, 7) + "\r\nATCD 1.50,2.50\r\n");
    QVERIFY(QTest::qWaitFor([&] { return panel->lineTexts().contains("ATCD1.50,2.50"); }, 3000));
    QCOMPARE(panel->lineTexts().last(), QString("ATCD1.50,2.50"));

    // A line far longer than any reply, and lines nobody asked for.
    panel->lines.clear();
    sim->send(QByteArray(200000, 'A') + "\r\nATCD 3.00,4.00\r\n");
    QVERIFY(QTest::qWaitFor([&] { return panel->lineTexts().contains("ATCD3.00,4.00"); }, 10000));
    int total = 0;
    for (QString const& line : panel->lineTexts())
        total += line.count('A') - line.count("ATCD");
    QCOMPARE(total, 200000);
    QCOMPARE(rig.panel(), panel);
}

void E2eLink::identificationCreatesThePanel()
{
    E2eRig rig;
    TestPanelFactory factory({72});
    ChannelCount = 0;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 72, 12); // "ZQ70B 1v2"
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);
    MainWindow* w = rig.window();
    QCOMPARE(panel->modelCode, 72);
    QCOMPARE(panel->model, QString("ZQ70B1v2"));
    QCOMPARE(panel->version, 12u);
    QCOMPARE(panel->serial, QString("A1B2C3"));
    QCOMPARE(panel->channelCountAtConstruction, 1);
    QCOMPARE(panel->parentWidget(), w->centralWidget());
    QTRY_VERIFY(panel->isVisible());
    QVERIFY(!w->selectDevice()->isVisible());
    QVERIFY(!w->form()->actionReset_ZQ_Device->isEnabled());
    QCOMPARE(w->currentModelCode(), 72);
    QCOMPARE(rig.log().count("setZQVersion :  \"ZQ70B1v2\""), 1);
    QCOMPARE(rig.log().count("######## ZQ model :  72 , ZQ version :  12"), 1);
    QCOMPARE(TestPanel::created, 1);
    // Nothing is polled until the panel starts the poll.
    QTest::qWait(1500);
    QCOMPARE(sim->commandLines(), QByteArrayList{"ATCVER"});
}

void E2eLink::pollSendsTheModelsCommand_data()
{
    QTest::addColumn<int>("modelCode");
    QTest::addColumn<QByteArrayList>("commands");
    QTest::newRow("ZQ62") << 62 << QByteArrayList{"ATCD"};
    QTest::newRow("ZQ83") << 83 << QByteArrayList{"ATCH"};
    QTest::newRow("HV700K3-KW") << 701 << QByteArrayList{"ATCQ"};
    QTest::newRow("HV700K3-NB") << 704 << QByteArrayList{"ATCH1", "ATCH2"};
}

void E2eLink::pollSendsTheModelsCommand()
{
    QFETCH(int, modelCode);
    QFETCH(QByteArrayList, commands);
    E2eRig rig;
    TestPanelFactory factory({modelCode});
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", modelCode, 45);
    TestPanel* panel = rig.startWithPanel(sim);
    QVERIFY(panel);

    rig.window()->toggleStart(true); // as the panel does when its sequence ends
    QVERIFY(sim->waitForCommand(commands.last(), 5000, 3));
    rig.window()->toggleStart(false);
    const int sentBefore = sim->count(commands.first());
    QTest::qWait(1300);
    QCOMPARE(sim->count(commands.first()), sentBefore);

    // Every command went out as it is and through the panel.
    const QList<qint64> first = sim->timesOf(commands.first());
    for (int i = 1; i < first.size(); ++i) {
        const qint64 period = first.at(i) - first.at(i - 1);
        QVERIFY2(period >= 800 && period <= 1600, qPrintable(QString::number(period)));
    }
    QByteArray expected;
    QByteArrayList writes;
    for (int i = 0; i < first.size(); ++i) {
        for (QByteArray const& c : commands) {
            expected += c + "\r\n";
            writes << c + "\r\n";
        }
    }
    QCOMPARE(sim->receivedBytes(), "ATCVER\r\n" + expected);
    QCOMPARE(panel->writes, writes);
    if (commands.size() == 2) {
        const QList<qint64> second = sim->timesOf(commands.at(1));
        QCOMPARE(second.size(), first.size());
        for (int i = 0; i < first.size(); ++i) {
            const qint64 gap = second.at(i) - first.at(i);
            QVERIFY2(gap >= 40 && gap <= 400, qPrintable(QString::number(gap)));
        }
    }
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
    InstrumentSimulator* sim = rig.bench.plug("A1B2C3");
    sim->setIdentification(identification);
    ModalCloser closer(100);
    MainWindow* w = rig.start();
    QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, kOpenWaitMs + 2000);
    QCOMPARE(closer.titles(), QStringList{"ERROR"});
    QCOMPARE(closer.texts(), QStringList{"error! This device is not supported..."});
    QTRY_VERIFY(w->selectDevice()->isVisible());
    QCOMPARE(rig.status(), QString("error! This device is not supported. - [%1]").arg(rig.bench.portName(sim)));
    QCOMPARE(rig.log().count("get Version Error"), 1);
    QVERIFY(w->calibrator() == nullptr);
    QCOMPARE(TestPanel::alive().size(), 0);
    QVERIFY(!w->form()->actionReset_ZQ_Device->isEnabled());

    // The port stays open and the device is not opened again by auto start.
    QTest::qWait(2200);
    QVERIFY(rig.portOpen());
    QCOMPARE(sim->count("ATCVER"), 1);
    QCOMPARE(closer.count(), 1);
}

void E2eLink::variantModelCreatesNothingAndPollsNothing()
{
    E2eRig rig;
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    ChannelCount = 3;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 705, 40); // "HV700K3-NB 4v0(P)"
    ModalCloser closer(0);
    MainWindow* w = rig.start();
    QVERIFY(rig.waitOpened(sim, kOpenWaitMs));
    QTRY_COMPARE(w->currentModelCode(), 705);
    QCOMPARE(ChannelCount, 3);
    QVERIFY(w->calibrator() == nullptr);
    QVERIFY(!w->selectDevice()->isVisible());
    QVERIFY(!w->form()->actionReset_ZQ_Device->isEnabled());
    QVERIFY(!w->form()->actionClose_ZQ_Device->isEnabled());

    // Lines nobody asked for are dropped, and a poll without a panel sends nothing.
    sim->sendLine("ATCH1 1,2,3,4,5,6");
    w->toggleStart(true);
    QTest::qWait(2300);
    QCOMPARE(sim->commandLines(), QByteArrayList{"ATCVER"});
    QCOMPARE(closer.count(), 0);
    QCOMPARE(TestPanel::created, 0);
    w->toggleStart(false);
}

QTEST_MAIN(E2eLink)
#include "e2e_link.moc"
