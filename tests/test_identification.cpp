// Reading the identification reply, creating the model's panel, and the poll commands.
#include <QAction>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtTest>

#include "globals.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modeltable.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

namespace {

// What each model code must give, written down here independently of the program's table.
struct Expected
{
    int code;
    const char* reply; // identification text without blanks and without the version
    int channels;
    int resetFrom;     // -1: never
    QByteArrayList poll;
};

const QList<Expected>& expectedModels()
{
    static const QList<Expected> models = {
        {62, "ZQ62", 2, 4, {"ATCD\r\n"}},
        {63, "ZQ63", 2, 30, {"ATCD\r\n"}},
        {65, "ZQ65", 1, -1, {"ATCD\r\n"}},
        {67, "ZQ67", 1, -1, {"ATCD\r\n"}},
        {71, "ZQ70A", 2, -1, {"ATCD\r\n"}},
        {72, "ZQ70B", 1, -1, {"ATCD\r\n"}},
        {73, "ZQ70C", 2, -1, {"ATCD\r\n"}},
        {74, "ZQ74", 2, -1, {"ATCD\r\n"}},
        {80, "ZQ80", 2, 38, {"ATCD\r\n"}},
        {81, "ZQ81", 2, 22, {"ATCD\r\n"}},
        {82, "ZQ82", 2, 14, {"ATCD\r\n"}},
        {83, "ZQ83", 2, 2, {"ATCH\r\n"}},
        {84, "ZQ84", 2, 14, {"ATCH\r\n"}},
        {89, "ZQ89", 2, 2, {"ATCD\r\n"}},
        {701, "HV700K3-KW", 4, 37, {"ATCQ\r\n"}},
        {702, "HV700K3-LX", 4, 42, {"ATCQ\r\n"}},
        {703, "HV700-VD", 6, 24, {"ATCH\r\n"}},
        {704, "HV700K3-NB", 2, 40, {"ATCH1\r\n", "ATCH2\r\n"}},
    };
    return models;
}

QString firmware(unsigned version)
{
    return QString("%1v%2").arg(version / 10).arg(version % 10);
}

} // namespace

class TestIdentification : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void parse_data();
    void parse();
    void setVersionCreatesTheModelsPanel_data();
    void setVersionCreatesTheModelsPanel();
    void setVersionRejects_data();
    void setVersionRejects();
    void variantModelCreatesNoPanel();
    void pollHandsTheModelsCommandToThePanel_data();
    void pollHandsTheModelsCommandToThePanel();
    void secondPollCommandNeedsThePanel();
    void toggleStart();
    void portServicesWithoutAPort();
};

void TestIdentification::init()
{
    TestPanel::resetCounts();
}

void TestIdentification::parse_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("code");
    QTest::addColumn<unsigned>("version");

    QTest::newRow("ZQ62 1v5") << "ZQ621v5" << true << 62 << 15u;
    QTest::newRow("ZQ70A") << "ZQ70A1v2" << true << 71 << 12u;
    QTest::newRow("ZQ70B") << "ZQ70B1v2" << true << 72 << 12u;
    QTest::newRow("ZQ70C") << "ZQ70C1v2" << true << 73 << 12u;
    QTest::newRow("ZQ70 letter at the end") << "ZQ702v0B" << true << 72 << 20u;
    QTest::newRow("ZQ70 without letter") << "ZQ701v2" << true << 70 << 12u;
    QTest::newRow("one digit each side of v") << "ZQ622v15" << true << 62 << 21u;
    QTest::newRow("v right after the digits") << "ZQ62v5" << true << 62 << 25u;
    QTest::newRow("no v: first character") << "ZQ62" << true << 62 << 6u;
    QTest::newRow("series word only") << "ZQ" << true << 0 << 0u;
    QTest::newRow("KW") << "HV700K3-KW3v7" << true << 701 << 37u;
    QTest::newRow("LX") << "HV700K3-LX4v2" << true << 702 << 42u;
    QTest::newRow("VD") << "HV700-VD2v4" << true << 703 << 24u;
    QTest::newRow("NB") << "HV700K3-NB4v0" << true << 704 << 40u;
    QTest::newRow("NB variant") << "HV700K3-NB4v0(P)" << true << 705 << 40u;
    QTest::newRow("HV700 other letters") << "HV700K3-XY1v0" << false << 0 << 0u;
    QTest::newRow("HV700 underscore") << "HV700_VD2v4" << false << 0 << 0u;
    QTest::newRow("ZQ letters") << "ZQAB1v0" << false << 0 << 0u;
    QTest::newRow("ZQ v in place of a digit") << "ZQv5" << false << 0 << 0u;
    QTest::newRow("letter before v") << "ZQ62Xv5" << false << 0 << 0u;
    QTest::newRow("other script's digit") << QString::fromUtf8("ZQ62\xd9\xa1v5") << false << 0 << 0u;
    QTest::newRow("only a v") << "1v5" << false << 0 << 0u;
    QTest::newRow("empty") << "" << false << 0 << 0u;
    QTest::newRow("case matters") << "zq621v5" << false << 0 << 0u;
}

void TestIdentification::parse()
{
    QFETCH(QString, reply);
    QFETCH(bool, ok);
    QFETCH(int, code);
    QFETCH(unsigned, version);
    const Identification id = parseIdentification(reply);
    QCOMPARE(id.ok, ok);
    if (ok) {
        QCOMPARE(id.modelCode, code);
        QCOMPARE(id.version, version);
    }
}

void TestIdentification::setVersionCreatesTheModelsPanel_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<unsigned>("version");
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("reset");
    for (Expected const& m : expectedModels()) {
        if (m.resetFrom < 0) {
            QTest::addRow("%s never resets", m.reply) << m.code << QString(m.reply) + firmware(99) << 99u << m.channels << false;
            continue;
        }
        const unsigned below = unsigned(m.resetFrom) - 1;
        QTest::addRow("%s %s", m.reply, qPrintable(firmware(below)))
            << m.code << QString(m.reply) + firmware(below) << below << m.channels << false;
        QTest::addRow("%s %s", m.reply, qPrintable(firmware(unsigned(m.resetFrom))))
            << m.code << QString(m.reply) + firmware(unsigned(m.resetFrom)) << unsigned(m.resetFrom) << m.channels << true;
    }
}

void TestIdentification::setVersionCreatesTheModelsPanel()
{
    QFETCH(int, code);
    QFETCH(QString, reply);
    QFETCH(unsigned, version);
    QFETCH(int, channels);
    QFETCH(bool, reset);
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    MainWindow w;
    ChannelCount = 0;
    QVERIFY(w.setVersion(reply));
    QCOMPARE(w.currentModelCode(), code);
    QCOMPARE(ChannelCount, channels);
    QCOMPARE(w.form()->actionReset_ZQ_Device->isEnabled(), reset);

    auto* panel = dynamic_cast<TestPanel*>(w.calibrator());
    QVERIFY(panel);
    QCOMPARE(panel->modelCode, code);
    QCOMPARE(panel->model, reply);
    QCOMPARE(panel->version, version);
    QCOMPARE(panel->channelCountAtConstruction, channels);
    QCOMPARE(panel->mainWindow(), &w);
    QCOMPARE(panel->parent(), w.centralWidget());
    QVERIFY(w.form()->verticalLayout->indexOf(panel) >= 0);
    QCOMPARE(TestPanel::created, 1);

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

void TestIdentification::setVersionRejects_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("factory");
    QTest::newRow("ZQ70 without A, B or C") << "ZQ701v2" << true;
    QTest::newRow("unknown ZQ model") << "ZQ991v0" << true;
    QTest::newRow("series word only") << "ZQ" << true;
    QTest::newRow("unreadable") << "HV700K3-XY1v0" << true;
    QTest::newRow("no panel built for the model") << "ZQ841v5" << false;
}

void TestIdentification::setVersionRejects()
{
    QFETCH(QString, reply);
    QFETCH(bool, factory);
    TestPanelFactory panels(factory ? TestPanelFactory::allPanelModelCodes() : QList<int>{});
    MainWindow w;
    MessageCapture log;
    QVERIFY(!w.setVersion(reply));
    QVERIFY(w.calibrator() == nullptr);
    QCOMPARE(TestPanel::alive().size(), 0);
    QCOMPARE(log.count("setZQVersion :  \"" + reply + "\""), 1);
}

void TestIdentification::variantModelCreatesNoPanel()
{
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    MainWindow w;
    ChannelCount = 3;
    QVERIFY(w.setVersion("HV700K3-NB9v9(P)"));
    QCOMPARE(w.currentModelCode(), 705);
    QCOMPARE(ChannelCount, 3);
    QVERIFY(w.calibrator() == nullptr);
    QVERIFY(!w.form()->actionReset_ZQ_Device->isEnabled());
    QCOMPARE(TestPanel::created, 0);
    // With no panel the poll has nobody to send through.
    w.writeATCDCommand();
    QTest::qWait(100);
    QCOMPARE(TestPanel::created, 0);
}

void TestIdentification::pollHandsTheModelsCommandToThePanel_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QByteArrayList>("commands");
    for (Expected const& m : expectedModels())
        QTest::addRow("%s", m.reply) << QString(m.reply) + "1v0" << m.poll;
}

void TestIdentification::pollHandsTheModelsCommandToThePanel()
{
    QFETCH(QString, reply);
    QFETCH(QByteArrayList, commands);
    TestPanelFactory factory(TestPanelFactory::allPanelModelCodes());
    MainWindow w;
    QVERIFY(w.setVersion(reply));
    auto* panel = dynamic_cast<TestPanel*>(w.calibrator());
    QVERIFY(panel);
    w.writeATCDCommand();
    QCOMPARE(panel->writes, QByteArrayList{commands.first()});
    QTest::qWait(150);
    QCOMPARE(panel->writes, commands);
}

void TestIdentification::secondPollCommandNeedsThePanel()
{
    TestPanelFactory factory({704});
    MainWindow w;
    QVERIFY(w.setVersion("HV700K3-NB4v0"));
    w.writeATCDCommand();
    w.clearAll(); // the panel goes within the 50 ms
    QCOMPARE(TestPanel::destroyed, 1);
    QTest::qWait(150);
    QVERIFY(w.calibrator() == nullptr);
}

void TestIdentification::toggleStart()
{
    MainWindow w;
    MessageCapture log;
    w.toggleStart(true);
    QVERIFY(w.pollTimer()->isActive());
    QCOMPARE(w.pollTimer()->interval(), DataInterval);
    QVERIFY(!w.pollTimer()->isSingleShot());
    QCOMPARE(log.count("Timer Start."), 1);
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
    w.toggleStart(false);
    QVERIFY(!w.pollTimer()->isActive());
    QCOMPARE(w.statusBar()->currentMessage(), QString("Timer Stop."));
    QCOMPARE(log.count("Timer Stop."), 1);
}

void TestIdentification::portServicesWithoutAPort()
{
    MainWindow w;
    MessageCapture log;
    QVERIFY(!w.writeData("ATCD\r\n"));
    QCOMPARE(log.countContaining("writeData"), 0);

    QVERIFY(!w.openQuorvelDevice(Dev_info("", "A1B2C3")));
    QCOMPARE(w.statusBar()->currentMessage(), QString("Open device Error!"));
    QVERIFY(!w.openQuorvelDevice(Dev_info("/dev/ttyACM0", "")));
    QVERIFY(w.port() == nullptr);

    QVERIFY(!w.openQuorvelDevice(Dev_info("/dev/ttyZQNONE9", "A1B2C3")));
    QVERIFY(w.port() == nullptr);
    QCOMPARE(w.statusBar()->currentMessage(), QString("Can't opened the serial port:[ttyZQNONE9],serial no:[A1B2C3]"));
    QCOMPARE(log.count("Can't opened the serial port:[ \"ttyZQNONE9\" ],serial no:[ \"A1B2C3\" ]"), 1);
}

QTEST_MAIN(TestIdentification)
#include "test_identification.moc"
