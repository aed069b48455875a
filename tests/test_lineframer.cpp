// Cutting the instrument's byte stream into reply lines.
#include <QtTest>

#include "lineframer.h"

class TestLineFramer : public QObject
{
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void heldTailIsBoundedAndCleared();
};

void TestLineFramer::framing_data()
{
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("held"); // what a flush delivers afterwards

    auto nul = [](QByteArray text) { return text.replace('~', '\0'); };
    QTest::newRow("two lines, empty and blank lines skipped")
        << QByteArrayList{"ATCD 1.00, 2.00\r\n\r\n \r\nATCOFF1 -0.50\n"} << QStringList{"ATCD1.00,2.00", "ATCOFF1-0.50"} << "";
    QTest::newRow("line split across chunks") << QByteArrayList{"ATCD 1.", "5", "0,2.00\r\n"}
                                              << QStringList{"ATCD1.50,2.00"} << "";
    QTest::newRow("split between CR and LF") << QByteArrayList{"ATCD1\r", "\nATCD2\r\n"}
                                             << QStringList{"ATCD1", "ATCD2"} << "";
    QTest::newRow("CR without LF ends nothing") << QByteArrayList{"ATCA\rATCB\r\n"} << QStringList{"ATCAATCB"} << "";
    QTest::newRow("NUL dropped, the rest kept") << QByteArrayList{nul("AT~CD1~\r\n~ATCX\n")}
                                                << QStringList{"ATCD1", "ATCX"} << "";
    QTest::newRow("only NUL bytes") << QByteArrayList{nul("~~~"), nul("~\n")} << QStringList{} << "";
    QTest::newRow("missing final line feed") << QByteArrayList{"ATCD1\r\nAT", "CD 2"} << QStringList{"ATCD1"} << "ATCD2";
    QTest::newRow("blank tail gives nothing") << QByteArrayList{"ATCD1\n \r"} << QStringList{"ATCD1"} << "";
    QTest::newRow("UTF-8 character split across chunks")
        << QByteArrayList{"ATCNAME caf\xc3", "\xa9\n"} << QStringList{QString::fromUtf8("ATCNAMEcaf\xc3\xa9")} << "";
}

void TestLineFramer::framing()
{
    QFETCH(QByteArrayList, chunks);
    QFETCH(QStringList, lines);
    QFETCH(QString, held);
    LineFramer framer;
    QStringList got;
    for (QByteArray const& chunk : chunks)
        got << framer.feed(chunk);
    QCOMPARE(got, lines);
    QCOMPARE(framer.flush(), held.isEmpty() ? QStringList() : QStringList{held});
    QVERIFY(!framer.hasPending());
}

void TestLineFramer::heldTailIsBoundedAndCleared()
{
    LineFramer framer;
    // A line that never ends is handed on once it outgrows any reply; nothing is lost.
    QStringList got;
    for (int i = 0; i < 20; ++i)
        got << framer.feed(QByteArray(4096, 'A'));
    got << framer.feed("\n");
    int total = 0;
    for (QString const& line : got) {
        QVERIFY(line.size() <= 64 * 1024 + 4096);
        total += line.size();
    }
    QCOMPARE(total, 20 * 4096);

    // clear() forgets a held tail (the port was closed).
    framer.feed("ATCD1");
    framer.clear();
    QCOMPARE(framer.feed("ATCD2\n"), QStringList{"ATCD2"});
}

QTEST_APPLESS_MAIN(TestLineFramer)
#include "test_lineframer.moc"
