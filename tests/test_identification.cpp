// Reading the identification reply, creating the model's panel, and the poll commands.
#include <QAction>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtTest>

#include "globals.h"
#include "mainwindow.h"
#include "modeltable.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

class TestIdentification : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestPanel::created = TestPanel::destroyed = 0; }
    void identification_data();
    void identification();
    void panelMissingOrGoneBeforeTheSecondPoll();
    void portServicesWithoutAPort();
};

void TestIdentification::identification_data()
{
    QTest::addColumn<QString>("reply");   // as it reaches setVersion: no blanks, no "ATCVER"
    QTest::addColumn<int>("code");        // 0: rejected
    QTest::addColumn<unsigned>("version");
    QTest::addColumn<int>("channels");    // ChannelCount afterwards (-1: left alone)
    QTest::addColumn<bool>("reset");      // Reset enabled right away
    QTest::addColumn<QByteArrayList>("poll"); // empty: no panel

    // Written down here independently of the program's table: name, code, channels,
    // first version that can reset (-1: none), poll commands.
    struct Model { const char* name; int code; int channels; int resetFrom; QByteArrayList poll; };
    const QByteArrayList atcd{"ATCD\r\n"}, atch{"ATCH\r\n"}, atcq{"ATCQ\r\n"};
    const QList<Model> models = {
        {"ZQ62", 62, 2, 4, atcd}, {"ZQ63", 63, 2, 30, atcd}, {"ZQ65", 65, 1, -1, atcd},
        {"ZQ67", 67, 1, -1, atcd}, {"ZQ70A", 71, 2, -1, atcd}, {"ZQ70B", 72, 1, -1, atcd},
        {"ZQ70C", 73, 2, -1, atcd}, {"ZQ74", 74, 2, -1, atcd}, {"ZQ80", 80, 2, 38, atcd},
        {"ZQ81", 81, 2, 22, atcd}, {"ZQ82", 82, 2, 14, atcd}, {"ZQ83", 83, 2, 2, atch},
        {"ZQ84", 84, 2, 14, atch}, {"ZQ89", 89, 2, 2, atcd}, {"HV700K3-KW", 701, 4, 37, atcq},
        {"HV700K3-LX", 702, 4, 42, atcq}, {"HV700-VD", 703, 6, 24, atch},
        {"HV700K3-NB", 704, 2, 40, {"ATCH1\r\n", "ATCH2\r\n"}},
    };
    for (Model const& m : models) {
        // Just below the first version that can reset, and at it (99 for those that never can).
        for (unsigned v : m.resetFrom < 0 ? QList<unsigned>{99} : QList<unsigned>{unsigned(m.resetFrom) - 1, unsigned(m.resetFrom)}) {
            const QString reply = QString("%1%2v%3").arg(m.name).arg(v / 10).arg(v % 10);
            QTest::newRow(qPrintable(reply)) << reply << m.code << v << m.channels
                                             << (m.resetFrom >= 0 && v >= unsigned(m.resetFrom)) << m.poll;
        }
    }
    QTest::newRow("ZQ70 letter at the end") << "ZQ702v0B" << 72 << 20u << 1 << false << atcd;
    QTest::newRow("v right after the digits") << "ZQ62v5" << 62 << 25u << 2 << true << atcd;
    QTest::newRow("one digit each side of v") << "ZQ622v15" << 62 << 21u << 2 << true << atcd;
    QTest::newRow("VD with an underscore") << "HV700_VD2v4" << 703 << 24u << 6 << true << atch;
    QTest::newRow("variant: no panel") << "HV700K3-NB4v0(P)" << 705 << 40u << -1 << false << QByteArrayList();

    const QStringList rejected = {"ZQ701v2", "ZQ991v0", "ZQ", "HV700K3-XY1v0", "HV700__VD2v4", "HV700_V2v4", "ZQAB1v0", "ZQv5",
                                  "ZQ62Xv5", QString::fromUtf8("ZQ62\xd9\xa1v5"), "1v5", "", "zq621v5"};
    for (QString const& reply : rejected)
        QTest::addRow("rejected %s", qPrintable(reply)) << reply << 0 << 0u << -1 << false << QByteArrayList();
}

void TestIdentification::identification()
{
    QFETCH(QString, reply);
    QFETCH(int, code);
    QFETCH(unsigned, version);
    QFETCH(int, channels);
    QFETCH(bool, reset);
    QFETCH(QByteArrayList, poll);
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    MainWindow w;
    ChannelCount = -1;
    QCOMPARE(w.setVersion(reply), code != 0);
    QCOMPARE(ChannelCount, channels);
    QCOMPARE(w.form()->actionReset_ZQ_Device->isEnabled(), reset);
    auto* panel = dynamic_cast<TestPanel*>(w.calibrator());
    if (poll.isEmpty()) {
        QVERIFY(!panel);
        QCOMPARE(TestPanel::created, 0);
        if (code)
            QCOMPARE(w.currentModelCode(), code);
        w.writeATCDCommand(); // nobody to send through
        QTest::qWait(80);
        return;
    }
    QVERIFY(panel);
    QCOMPARE(w.currentModelCode(), code);
    QCOMPARE(panel->modelCode, code);
    QCOMPARE(panel->model, reply);
    QCOMPARE(panel->version, version);
    QCOMPARE(panel->channelCountAtConstruction, channels);
    QVERIFY(w.form()->verticalLayout->indexOf(panel) >= 0);

    // The poll: the model's command, a second one 50 ms later (within 150 ms however loaded
    // the machine), and nothing more.
    w.writeATCDCommand();
    QCOMPARE(panel->writes, QByteArrayList{poll.first()});
    QTRY_COMPARE_WITH_TIMEOUT(panel->writes, poll, 150);
    QTest::qWait(100);
    QCOMPARE(panel->writes, poll);

    // The first finished sequence enables Reset whatever the version; removing the
    // panel disables it again.
    w.controlEnable(true);
    QVERIFY(w.form()->actionReset_ZQ_Device->isEnabled());
    QCOMPARE(panel->enables, QList<bool>{true});
    w.clearAll();
    QVERIFY(!w.form()->actionReset_ZQ_Device->isEnabled());
    QCOMPARE(TestPanel::destroyed, 1);
    QVERIFY(w.calibrator() == nullptr);
}

void TestIdentification::panelMissingOrGoneBeforeTheSecondPoll()
{
    TestPanelFactory factory({704});
    {
        // A model without a panel built for it is not supported.
        NoPanelFactory none({84});
        MainWindow w;
        QVERIFY(!w.setVersion("ZQ841v5"));
        QVERIFY(w.calibrator() == nullptr);
    }
    MainWindow w;
    QVERIFY(w.setVersion("HV700K3-NB4v0"));
    w.writeATCDCommand();
    w.clearAll(); // the panel goes within the 50 ms
    QCOMPARE(TestPanel::destroyed, 1);
    QTest::qWait(150);
    QVERIFY(w.calibrator() == nullptr);
}

void TestIdentification::portServicesWithoutAPort()
{
    MainWindow w;
    QVERIFY(!w.writeData("ATCD\r\n"));
    QVERIFY(!w.openQuorvelDevice(Dev_info("", "A1B2C3")));
    QCOMPARE(w.statusBar()->currentMessage(), QString("Open device Error!"));
    QVERIFY(!w.openQuorvelDevice(Dev_info("/dev/ttyZQNONE9", "A1B2C3")));
    QVERIFY(w.port() == nullptr);
    QCOMPARE(w.statusBar()->currentMessage(), QString("Can't opened the serial port:[ttyZQNONE9],serial no:[A1B2C3]"));
}

QTEST_MAIN(TestIdentification)
#include "test_identification.moc"
