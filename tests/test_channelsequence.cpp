// ChannelSequence on a test panel: the REFRESH walk over rows, channels and firmware
// gates, how a reply is cut and checked, and how an APPLY echo ends.
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QtTest>

#include <memory>

#include "channelsequence.h"
#include "globals.h"
#include "modalcloser.h"
#include "sequencepanel.h"

namespace {

// Steps of the table.
constexpr unsigned TYPE = 6, OFFSET = 7, LOW = 8, EXTM = 9, BLDTM = 10, BAUD = 11, CHECKED = 12, SETUP = 13,
                   USED = 14;

// A panel with one table of every kind of row: per channel ("ATCCTSn"), the offsets into
// boxes, a suffix row ("ATCCHnLO"), a row skipped below firmware 20, a plain row, one
// that ends the REFRESH below 30, a store that refuses "bad", an APPLY row that does not end.
class TablePanel : public SequencePanel
{
public:
    TablePanel(unsigned version, int channels)
        : SequencePanel(version)
    {
        for (auto*& box : offset) {
            box = new QDoubleSpinBox(this);
            box->setRange(-1000, 1000);
        }
        SequenceRow bldtm = plainRow(BLDTM, "ATCBLDTM", log("BLDTM"), 30);
        bldtm.endBelowGate = true;
        SequenceRow setup = plainRow(SETUP, "ATCSET", log("SET"));
        setup.endsApply = false;
        setRows(channels, {channelRow(TYPE, "ATCCTS", log("CTS")),
                           offsetRow(OFFSET, offset),
                           suffixRow(LOW, "ATCCH", "LO", log("LO")),
                           plainRow(EXTM, "ATCEXTM", log("EXTM"), 20),
                           plainRow(BAUD, "ATCMODBR", log("BR")),
                           bldtm,
                           plainRow(CHECKED, "ATCREF", log("REF")),
                           setup});
    }

    RowStore log(QString const& name)
    {
        return [this, name](int channel, QString const& value) {
            stored << QString("%1 %2:%3").arg(name).arg(channel).arg(value);
            return value != "bad";
        };
    }

    QDoubleSpinBox* offset[4];
    QStringList stored;
};

// A panel whose table is one "ATCUSED" row into a box of 0..999999999.
class UsedPanel : public SequencePanel
{
public:
    UsedPanel()
        : SequencePanel(40)
    {
        used = new QSpinBox(this);
        used->setRange(0, 999999999);
        setRows(0, {usedRow(USED, used)});
    }

    QSpinBox* used;
};

} // namespace

class TestChannelSequence : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        CommandDelay = 60000;
        m_closer.reset(new ModalCloser(10));
    }
    void cleanup() { m_closer.reset(); }

    // Each row asks channel 1..min(ChannelCount, channels), then the next row the
    // firmware passes; a row below its gate is skipped, or ends the REFRESH.
    void refreshWalk_data()
    {
        QTest::addColumn<int>("channelCount");
        QTest::addColumn<int>("channels");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QString>("queries");
        QTest::newRow("ChannelCount bounds") << 2 << 4 << 30u << "CTS1 CTS2 OFF1 OFF2 CH1LO CH2LO EXTM MODBR BLDTM REF SET";
        QTest::newRow("panel bounds") << 4 << 3 << 30u << "CTS1 CTS2 CTS3 OFF1 OFF2 OFF3 CH1LO CH2LO CH3LO EXTM MODBR BLDTM REF SET";
        QTest::newRow("ends below 30") << 1 << 4 << 29u << "CTS1 OFF1 CH1LO EXTM MODBR";
        QTest::newRow("skips below 20") << 1 << 4 << 19u << "CTS1 OFF1 CH1LO MODBR";
        QTest::newRow("no channel") << 0 << 4 << 30u << "EXTM MODBR BLDTM REF SET";
    }

    void refreshWalk()
    {
        QFETCH(int, channelCount);
        QFETCH(int, channels);
        QFETCH(unsigned, version);
        QFETCH(QString, queries);
        ChannelCount = channelCount;
        TablePanel p(version, channels);
        QVERIFY(p.startRefresh());
        QStringList sent;
        while (!p.pendingCommand().isEmpty() && sent.size() < 30) {
            const QString query = p.sent();
            QVERIFY(query.endsWith("\r\n"));
            sent << query.trimmed().mid(3);
            p.reply(query.trimmed() + "-1.25");
        }
        QCOMPARE(sent.join(' '), queries);
        QCOMPARE(p.endings, QStringList{"1 ok"});
        QVERIFY(!p.isLocked());
        const int limit = qMin(channelCount, channels);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(p.offset[i]->value(), i < limit ? -1.25 : 0.0);
    }

    // One reply in REFRESH: what is stored, and what follows (the next query, END or
    // ERROR).
    void refreshReply_data()
    {
        QTest::addColumn<unsigned>("step");
        QTest::addColumn<int>("asked"); // the channel of the command in flight
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("next");
        QTest::newRow("suffix row") << LOW << 1 << "ATCCH1LO-50.00" << "LO 1:-50.00" << "ATCCH2LO";
        QTest::newRow("channel row") << OFFSET << 3 << "ATCOFF3-0.50" << "" << "ATCOFF4";
        QTest::newRow("last channel") << OFFSET << 4 << "ATCOFF4-0.50" << "" << "ATCCH1LO";
        QTest::newRow("plain row") << BAUD << 0 << "ATCMODBR3" << "BR 0:3" << "ATCBLDTM";
        QTest::newRow("noise before the keyword") << BAUD << 0 << "xyATCMODBR3" << "BR 0:3" << "ATCBLDTM";
        QTest::newRow("keyword removed everywhere") << BAUD << 0 << "ATCMODBR3ATCMODBR" << "BR 0:3" << "ATCBLDTM";
        QTest::newRow("empty value") << TYPE << 2 << "ATCCTS2" << "CTS 2:" << "ATCCTS3";
        QTest::newRow("last row ends") << SETUP << 0 << "ATCSET1" << "SET 0:1" << "END";
        QTest::newRow("keyword missing") << BAUD << 0 << "ATCMODTO3" << "" << "ERROR";
        QTest::newRow("other channel") << OFFSET << 2 << "ATCOFF3-0.50" << "" << "ERROR";
        QTest::newRow("digit 0") << OFFSET << 1 << "ATCOFF0-0.50" << "" << "ERROR";
        QTest::newRow("digit 5") << OFFSET << 0 << "ATCOFF5-0.50" << "" << "ERROR";
        QTest::newRow("digit 4 of none asked") << OFFSET << 0 << "ATCOFF4-0.50" << "" << "ATCCH1LO";
        QTest::newRow("no digit") << OFFSET << 1 << "ATCOFF-0.50" << "" << "ERROR";
        QTest::newRow("suffix without digit") << LOW << 1 << "ATCCHLO-50" << "" << "ERROR";
        QTest::newRow("suffix after two digits") << LOW << 1 << "ATCCH12LO-50" << "" << "ERROR";
        QTest::newRow("suffix of another row") << LOW << 1 << "ATCCH1HI-50" << "" << "ERROR";
        QTest::newRow("store refuses") << CHECKED << 0 << "ATCREFbad" << "REF 0:bad" << "ERROR";
        QTest::newRow("store accepts") << CHECKED << 0 << "ATCREFgood" << "REF 0:good" << "ATCSET";
    }

    void refreshReply()
    {
        QFETCH(unsigned, step);
        QFETCH(int, asked);
        QFETCH(QString, line);
        QFETCH(QString, stored);
        QFETCH(QString, next);
        ChannelCount = 4;
        TablePanel p(40, 4);
        for (auto* box : p.offset)
            box->setValue(9);
        p.queue(REFRESH, step, "asked\r\n", asked);
        p.reply(line);
        QCOMPARE(p.stored.join(','), stored);
        if (next == "END" || next == "ERROR") {
            QCOMPARE(p.endings, QStringList{next == "END" ? "1 ok" : "1 error"});
            QCOMPARE(p.mode(), unsigned(DEFAULT));
            QVERIFY(!p.isLocked());
            QVERIFY(p.pendingCommand().isEmpty());
        } else {
            QVERIFY(p.endings.isEmpty());
            QCOMPARE(p.pendingCommand(), next + "\r\n");
            QCOMPARE(p.mode(), unsigned(REFRESH));
        }
        // Only a taken offset reply moves a box.
        for (int i = 0; i < 4; ++i) {
            const bool taken = step == OFFSET && next != "ERROR" && line.mid(6, 1).toInt() == i + 1;
            QCOMPARE(p.offset[i]->value(), taken ? -0.5 : 9.0);
        }
    }

    // An APPLY echo: END, ERROR, or (endsApply false) the step waits for the store's
    // follow-up; a step without a row is left to the panel.
    void applyEcho_data()
    {
        QTest::addColumn<unsigned>("step");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("offset") << OFFSET << 3 << "ATCOFF3-0.50" << "END";
        QTest::newRow("offset of another channel") << OFFSET << 3 << "ATCOFF2-0.50" << "ERROR";
        QTest::newRow("plain") << BAUD << 0 << "ATCMODBR3" << "END";
        QTest::newRow("wrong keyword") << BAUD << 0 << "ATCOFF3" << "ERROR";
        QTest::newRow("refused") << CHECKED << 0 << "ATCREFbad" << "ERROR";
        QTest::newRow("does not end") << SETUP << 0 << "ATCSET1" << "WAIT";
        QTest::newRow("no row") << 99u << 0 << "ATCMODBR3" << "WAIT";
    }

    void applyEcho()
    {
        QFETCH(unsigned, step);
        QFETCH(int, asked);
        QFETCH(QString, line);
        QFETCH(QString, outcome);
        ChannelCount = 4;
        TablePanel p(40, 4);
        p.queue(APPLY, step, "set\r\n", asked);
        p.reply(line);
        if (outcome == "WAIT") {
            QVERIFY(p.endings.isEmpty());
            QCOMPARE(p.mode(), unsigned(APPLY));
            QCOMPARE(p.seq(), step);
            QVERIFY(p.isLocked());
            QCOMPARE(p.sequence()->row(step) != nullptr, step != 99u);
        } else {
            QCOMPARE(p.endings, QStringList{outcome == "END" ? "4 ok" : "4 error"});
            QVERIFY(!p.isLocked());
            QCOMPARE(m_closer->count(), outcome == "END" ? 0 : 1);
        }
        QCOMPARE(p.offset[2]->value(), line == "ATCOFF3-0.50" ? -0.5 : 0.0);
        QCOMPARE(p.offset[1]->value(), 0.0);
    }

    // Used hours are unsigned; a count beyond the box shows its maximum.
    void usedHours_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("count") << "12345" << 12345;
        QTest::newRow("box maximum") << "999999999" << 999999999;
        QTest::newRow("above the box") << "1000000000" << 999999999;
        QTest::newRow("above 2^31-1") << "2147483648" << 999999999;
        QTest::newRow("2^32-1") << "4294967295" << 999999999;
        QTest::newRow("no number") << "x" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("negative") << "-1" << 0;
    }

    void usedHours()
    {
        QFETCH(QString, value);
        QFETCH(int, shown);
        UsedPanel p;
        p.used->setValue(7);
        p.queue(REFRESH, USED, "ATCUSED\r\n");
        p.reply("ATCUSED" + value);
        QCOMPARE(p.used->value(), shown);
        QCOMPARE(p.endings, QStringList{"1 ok"});
    }

private:
    std::unique_ptr<ModalCloser> m_closer;
};

QTEST_MAIN(TestChannelSequence)
#include "test_channelsequence.moc"
