// The instrument simulator the e2e tests play instruments with, on a plain pty.
#include <QtTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "instrumentsim.h"

namespace {
// A command set registered the way a model's file in tests/support registers it.
const SimModelRegistration testModel({62}, [](InstrumentSimulator& sim, unsigned version) {
    sim.addSetting("ATCOFF1", "0.00");
    sim.onCommand("ATCCH", [version](InstrumentSimulator::Request const& r) {
        return QByteArrayList{"ATCCH" + r.suffix + " " + QByteArray::number(version) + "," + r.argument};
    });
});
} // namespace

class TestInstrumentSim : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void answersFromItsCommandTable();
    void deliveryOptions();
    void identificationTexts();

private:
    // Writes on the program's side of the pty and collects what comes back.
    QByteArray ask(QByteArray const& bytes, int waitMs = 100);

    int m_master = -1;
    int m_slave = -1;
    InstrumentSimulator* m_sim = nullptr;
};

void TestInstrumentSim::init()
{
    QVERIFY(::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) == 0);
    termios raw;
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    ::fcntl(m_slave, F_SETFL, ::fcntl(m_slave, F_GETFL) | O_NONBLOCK);
    m_sim = new InstrumentSimulator;
    m_sim->attach(m_master);
}

void TestInstrumentSim::cleanup()
{
    delete m_sim;
    ::close(m_slave);
    ::close(m_master);
}

QByteArray TestInstrumentSim::ask(QByteArray const& bytes, int waitMs)
{
    if (!bytes.isEmpty() && ::write(m_slave, bytes.constData(), size_t(bytes.size())) != bytes.size())
        return "write failed";
    QByteArray got;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < waitMs) {
        QTest::qWait(5);
        char buffer[512];
        const ssize_t n = ::read(m_slave, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, int(n));
    }
    return got;
}

void TestInstrumentSim::answersFromItsCommandTable()
{
    QCOMPARE(ask("ATCVER\r\n"), QByteArray()); // no identity yet
    m_sim->setModel(62, 15);
    QCOMPARE(ask("ATCVER\r\n"), QByteArray("ATCVER ZQ62 1v5\r\n"));
    QCOMPARE(ask("ATCD\r\n"), QByteArray("ATCD 0.00,0.00\r\n"));
    m_sim->setReadings({"23.45", "----"});
    QCOMPARE(ask("ATCD\r\n"), QByteArray("ATCD 23.45,----\r\n"));

    // The registered command set: a stored setting and a keyword with a channel digit.
    QCOMPARE(ask("ATCOFF1\r\n"), QByteArray("ATCOFF1 0.00\r\n"));
    QCOMPARE(ask("ATCOFF1 -1.50\r\n"), QByteArray("ATCOFF1 -1.50\r\n"));
    QCOMPARE(m_sim->setting("ATCOFF1"), QByteArray("-1.50"));
    QCOMPARE(ask("ATCOFF1\r\n"), QByteArray("ATCOFF1 -1.50\r\n"));
    QCOMPARE(ask("ATCCH2 7\r\n"), QByteArray("ATCCH2 15,7\r\n"));

    // Unknown commands go unanswered; a command split across writes is one command.
    QCOMPARE(ask("ATCNOPE\r\n"), QByteArray());
    QCOMPARE(ask("ATCO", 20), QByteArray());
    QCOMPARE(ask("FF1\r\n"), QByteArray("ATCOFF1 -1.50\r\n"));
    QCOMPARE(m_sim->commandLines(), QByteArrayList({"ATCVER", "ATCVER", "ATCD", "ATCD", "ATCOFF1", "ATCOFF1 -1.50",
                                                    "ATCOFF1", "ATCCH2 7", "ATCNOPE", "ATCOFF1"}));
    QCOMPARE(m_sim->count("ATCD"), 2);
    QVERIFY(m_sim->receivedBytes().startsWith("ATCVER\r\nATCVER\r\nATCD\r\n"));
}

void TestInstrumentSim::deliveryOptions()
{
    m_sim->setModel(704, 40);
    m_sim->setReply("ATCH1", {"ATCH1 1,2,3,4,5,6", "OK"});
    QCOMPARE(ask("ATCH1\r\n"), QByteArray("ATCH1 1,2,3,4,5,6\r\nOK\r\n"));

    m_sim->setSilent(true);
    QCOMPARE(ask("ATCH2\r\n"), QByteArray());
    m_sim->setSilent(false);

    m_sim->setReplyDelay(30);
    QCOMPARE(ask("ATCH2\r\n", 300), QByteArray("ATCH2 0.00,0.00\r\n"));
    m_sim->setReplyDelay(0);

    // Cut into 4-byte writes 30 ms apart, the reply still arrives whole and in order.
    m_sim->setChunking(4, 30);
    QCOMPARE(ask("ATCH2\r\n", 400), QByteArray("ATCH2 0.00,0.00\r\n"));
    m_sim->setChunking(0, 0);

    m_sim->setLineEnd("\n");
    m_sim->sendLine("ATCX");
    m_sim->sendPieces({"A", "B\n"}, 20);
    QCOMPARE(ask(QByteArray()), QByteArray("ATCX\nAB\n"));
    QCOMPARE(InstrumentSimulator::noise(500, 3).size(), 500);
    QVERIFY(!InstrumentSimulator::noise(500, 3).contains('\n'));

    // Detached (unplugged) it hears and says nothing.
    m_sim->detach();
    QCOMPARE(ask("ATCH1\r\n"), QByteArray());
    QCOMPARE(m_sim->count("ATCH1"), 1);
}

void TestInstrumentSim::identificationTexts()
{
    QCOMPARE(InstrumentSimulator::identificationText(72, 12), QByteArray("ZQ70B 1v2"));
    QCOMPARE(InstrumentSimulator::identificationText(701, 37), QByteArray("HV700K3-KW 3v7"));
    QCOMPARE(InstrumentSimulator::identificationText(705, 40), QByteArray("HV700K3-NB 4v0(P)"));
    QCOMPARE(InstrumentSimulator::identificationText(99, 10), QByteArray());
}

QTEST_MAIN(TestInstrumentSim)
#include "test_instrumentsim.moc"
