// The built program itself, started as users start it, finds a mocked instrument,
// opens it and asks for its identification.
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QProcess>
#include <QtTest>

#include "instrumentsim.h"
#include "usbbench.h"

class E2eProgram : public QObject
{
    Q_OBJECT
private slots:
    void programOpensTheInstrumentAndAsksWhatItIs();
};

void E2eProgram::programOpensTheInstrumentAndAsksWhatItIs()
{
    UsbBench bench;
    InstrumentSimulator* sim = bench.plug("A1B2C3"); // answers nothing: no box in the way
    InstrumentSimulator* other = bench.plug("FT01", "0403", "6001"); // not ours

    // The child inherits the mocked /sys and /dev (LD_PRELOAD and UMOCKDEV_DIR).
    QProcess program;
    program.setProgram(ZQ_PROGRAM);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start();
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));

    QVERIFY(sim->waitForCommand("ATCVER", 15000));
    QTest::qWait(1500);
    QCOMPARE(sim->receivedBytes(), QByteArray("ATCVER\r\n"));
    QVERIFY(other->receivedBytes().isEmpty());
    QCOMPARE(program.state(), QProcess::Running);

    // The program's port must be closed while the testbed still exists.
    program.kill();
    QVERIFY(program.waitForFinished(10000));
}

QTEST_MAIN(E2eProgram)
#include "e2e_program.moc"
