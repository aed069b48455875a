// WizardChain on a test panel: the chain's order, what the wizard's Finish, Escape and
// close do when idle and when busy, and how errors and closes end a chain.
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include "calibwizard.h"
#include "channelsequence.h"
#include "globals.h"
#include "modalcloser.h"
#include "sequencepanel.h"
#include "wizardchain.h"

namespace {

constexpr unsigned OFFSET = 7, LOW = 8, HIGH = 9;

// A panel whose APPLY table has the offset and the low and high correction rows, and a
// wizard chain over it; clearAll ends the chain.
class ChainPanel : public SequencePanel
{
public:
    ChainPanel()
        : SequencePanel(40)
    {
        setRows(4, {channelRow(OFFSET, "ATCOFF", log()), suffixRow(LOW, "ATCCH", "LO", log()),
                    suffixRow(HIGH, "ATCCH", "HI", log())});
        chain = new WizardChain(this);
        sequence()->setChain(chain);
        onClear = [this] {
            ++clears;
            chain->stop();
        };
    }

    RowStore log()
    {
        return [this](int channel, QString const& value) {
            stored << QString("%1:%2").arg(channel).arg(value);
            return true;
        };
    }

    // Links offset, low, high on the wizard's channel; each command is built from the
    // value the echo before it stored, and notes when it was built.
    QVector<WizardChain::Link> links()
    {
        QVector<WizardChain::Link> result;
        const QStringList keys = {"ATCOFF%1 0", "ATCCH%1LO %2", "ATCCH%1HI %2"};
        for (int i = 0; i < 3; ++i) {
            result.append({OFFSET + unsigned(i), [this, i, keys] {
                               built << i;
                               const QString last = stored.isEmpty() ? QString() : stored.last().section(':', 1);
                               return keys[i].arg(chain->channel()).arg(last) + "\r\n";
                           }});
        }
        return result;
    }

    CalibWizard* openWizard(int channel)
    {
        auto* wizard = new CalibWizard;
        chain->open(wizard, channel);
        return wizard;
    }

    WizardChain* chain;
    QStringList stored;
    QList<int> built;
    int clears = 0;
};

void closeByTitleBar(CalibWizard* wizard)
{
    static_cast<QWidget*>(wizard)->close();
}

} // namespace

class TestWizardChain : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 4;
        CommandDelay = 60000;
        // Far beyond any close of a test that is not meant as the way out: every close
        // after another of the same wait is part of the same click.
        WizardChain::WayOutMs = 60000;
        WizardChain::SameClickMs = 60000;
        m_closer.reset(new ModalCloser(10));
    }
    void cleanup()
    {
        m_closer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A wizard opened while the panel is busy starts disabled and follows the lock. Each
    // link is built only once the echo before it arrived, on the wizard's channel; the
    // last echo ends the APPLY and the chain.
    void linksRunInOrder()
    {
        ChainPanel p;
        p.queue(APPLY, OFFSET, "ATCOFF1 1\r\n", 1);
        std::unique_ptr<CalibWizard> wizard(p.openWizard(2));
        QSignalSpy ended(p.chain, &WizardChain::chainEnded);
        QVERIFY(!wizard->isEnabled());
        QVERIFY(!p.chain->run(5, p.links()));
        p.reply("ATCOFF11");
        QVERIFY(wizard->isEnabled());
        p.stored.clear();
        p.endings.clear();
        QVERIFY(p.chain->run(5, p.links()));
        QCOMPARE(p.built, QList<int>{0});
        QCOMPARE(p.pendingCommand(), QString("ATCOFF2 0\r\n"));
        QCOMPARE(p.commandChannel(), 2);
        QVERIFY(!wizard->isEnabled());
        // A second chain does not start over a running one.
        QVERIFY(!p.chain->run(6, p.links()));
        p.reply("ATCOFF20");
        QCOMPARE(p.built, (QList<int>{0, 1}));
        QCOMPARE(p.pendingCommand(), QString("ATCCH2LO 0\r\n"));
        p.reply("ATCCH2LO-1.5");
        QCOMPARE(p.pendingCommand(), QString("ATCCH2HI -1.5\r\n"));
        QVERIFY(p.endings.isEmpty());
        p.reply("ATCCH2HI-1.5");
        QCOMPARE(p.endings, QStringList{"4 ok"});
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first(), (QVariantList{5, true}));
        QVERIFY(!p.chain->isRunning());
        QVERIFY(wizard->isEnabled());
        QVERIFY(!p.refreshScheduled());
        QCOMPARE(p.stored, (QStringList{"2:0", "2:-1.5", "2:-1.5"}));
    }

    // An echo that fails a link (another channel, no keyword, a send failure) ends the
    // chain as failed; the APPLY's ERROR is followed by exactly one REFRESH.
    void errorEndsChainAndRefreshes_data()
    {
        QTest::addColumn<QString>("echo"); // empty: the send fails
        QTest::addColumn<int>("links");    // echoes that come right before it
        QTest::newRow("second link, other channel") << "ATCCH3LO0" << 1;
        QTest::newRow("last link, wrong suffix") << "ATCCH2LO0" << 2;
        QTest::newRow("send failure") << "" << 1;
    }

    void errorEndsChainAndRefreshes()
    {
        QFETCH(QString, echo);
        QFETCH(int, links);
        ChainPanel p;
        std::unique_ptr<CalibWizard> wizard(p.openWizard(2));
        QSignalSpy ended(p.chain, &WizardChain::chainEnded);
        QVERIFY(p.chain->run(1, p.links()));
        const QStringList good = {"ATCOFF20", "ATCCH2LO0", "ATCCH2HI0"};
        for (int i = 0; i < links; ++i)
            p.reply(good[i]);
        const int clears = p.clears;
        if (echo.isEmpty()) {
            CommandDelay = 1; // no port: the next write fails, the REFRESH's ones not
            connect(p.chain, &WizardChain::chainEnded, this, [] { CommandDelay = 60000; });
            p.queue(APPLY, p.seq(), p.sent(), 2);
            QTRY_COMPARE(p.endings.size(), 1);
        } else {
            p.reply(echo);
        }
        QCOMPARE(p.endings, QStringList{"4 error"});
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first(), (QVariantList{1, false}));
        QVERIFY(!p.chain->isRunning());
        // The wizard stays; the REFRESH comes once, 50 ms later (perhaps under the box).
        QVERIFY(p.chain->isOpen());
        QTRY_COMPARE(p.clears, clears + 1);
        QTest::qWait(100);
        QCOMPARE(p.clears, clears + 1);
        QCOMPARE(p.mode(), unsigned(REFRESH));
        QVERIFY(!wizard->isEnabled());
    }

    // An APPLY ERROR with no wizard open and no chain is the panel's business alone.
    void plainErrorDoesNotRefresh()
    {
        ChainPanel p;
        p.queue(APPLY, OFFSET, "ATCOFF1 1\r\n", 1);
        p.reply("ATCOFF21");
        QCOMPARE(p.endings, QStringList{"4 error"});
        QTest::qWait(100);
        QCOMPARE(p.clears, 0);
    }

    // Idle: Finish, Escape and close run their action, or close the wizard without a
    // write when none is set. Busy (a chain's write outstanding): all are ignored, and an
    // ignored title-bar close leaves the window on screen.
    void triggers_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("actionSet");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("closeWhileBusy");
        for (const char* t : {"finish", "escape", "close"}) {
            QTest::newRow(qPrintable(QString(t) + " action")) << t << true << false << false;
            QTest::newRow(qPrintable(QString(t) + " busy")) << t << true << true << false;
            // Only Finish stays ignored; the write in flight goes on.
            QTest::newRow(qPrintable(QString(t) + " busy, closing allowed")) << t << true << true << true;
        }
        QTest::newRow("finish default") << "finish" << false << false << false;
        QTest::newRow("close default") << "close" << false << false << false;
    }

    void triggers()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, actionSet);
        QFETCH(bool, busy);
        QFETCH(bool, closeWhileBusy);
        ChainPanel p;
        QPointer<CalibWizard> wizard(p.openWizard(1));
        p.chain->setCloseWhileBusy(closeWhileBusy);
        QStringList ran;
        if (actionSet) {
            p.chain->setFinish([&] { ran << "finish"; });
            p.chain->setEscape([&] { ran << "escape"; });
            p.chain->setCloseRequest([&] { ran << "close"; });
        }
        if (busy)
            QVERIFY(p.chain->run(1, p.links()));
        wizard->show();
        const QString pending = p.pendingCommand();
        if (trigger == "finish")
            wizard->accept();
        else if (trigger == "escape")
            wizard->reject();
        else
            closeByTitleBar(wizard);
        QCOMPARE(p.pendingCommand(), pending);
        if (busy) {
            // Closing allowed: Escape and close end the wizard and the chain; Finish never.
            const bool stays = !closeWhileBusy || trigger == "finish";
            QVERIFY(ran.isEmpty());
            QCOMPARE(p.chain->isOpen(), stays);
            QCOMPARE(p.chain->isRunning(), stays);
            if (trigger == "close")
                QCOMPARE(wizard->isVisible(), stays);
        } else if (actionSet) {
            QCOMPARE(ran, QStringList{trigger});
            QVERIFY(p.chain->isOpen());
        } else {
            QVERIFY(!p.chain->isOpen());
            QCOMPARE(p.chain->channel(), 0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(wizard.isNull());
        }
        delete wizard.data();
    }

    // A title-bar close held while a chain runs (the window stays on screen) is run when it
    // ends well, dropped on ERROR. Closing again is the way out only outside the click of
    // the close before it, once the link waited on has been written WayOutMs before: the
    // wizard closes at once, the chain ends, and the APPLY refreshes however it ends.
    // Sooner, or while the link is queued, it is one more held close; within the click
    // (a double-click) it changes nothing. An echo or the end of a sequence starts the
    // count anew.
    void deferredClose_data()
    {
        // After the first close: "close" (within the click of the close before it), "late
        // close" (past the click, WayOutMs after the last write), "send" (the queued link
        // goes out), "run" (the chain again), "wayout MS" and "click MS" (WayOutMs and the
        // click's length from now on), "wait MS", or an echo.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("closes");        // held closes run
        QTest::addColumn<bool>("open");         // the wizard at the end
        QTest::addColumn<QStringList>("endings");
        QTest::addColumn<int>("built");         // links built
        QTest::addColumn<int>("refreshes");
        const QStringList ok{"4 ok"};
        QTest::newRow("chain ends well") << QStringList{"ATCOFF30", "ATCCH3LO0"} << 1 << true << ok << 2 << 0;
        QTest::newRow("chain fails") << QStringList{"ATCOFF20"} << 0 << true << QStringList{"4 error"} << 1 << 1;
        QTest::newRow("closed again, echo lost") << QStringList{"send", "late close"} << 0 << false << QStringList()
                                                 << 1 << 0;
        QTest::newRow("closed again, echo late")
            << QStringList{"send", "late close", "ATCOFF30"} << 0 << false << ok << 1 << 1;
        QTest::newRow("closed again after an echo")
            << QStringList{"send", "close", "ATCOFF30", "send", "late close", "ATCCH3LO0"} << 1 << true << ok << 2 << 0;
        QTest::newRow("double-click while the echo is on its way")
            << QStringList{"send", "close", "close", "ATCOFF30", "ATCCH3LO0"} << 1 << true << ok << 2 << 0;
        QTest::newRow("double-click while a link is queued")
            << QStringList{"send", "ATCOFF30", "late close", "late close", "send", "ATCCH3LO0"} << 1 << true << ok << 2
            << 0;
        QTest::newRow("count starts anew after a sequence ends")
            << QStringList{"ATCOFF30", "send", "close", "close", "ATCCH3LO0", "run", "send", "late close",
                           "ATCOFF30", "ATCCH3LO0"}
            << 2 << true << QStringList{"4 ok", "4 ok"} << 4 << 0;
        QTest::newRow("double-click after the second")
            << QStringList{"send", "ATCOFF30", "send", "wayout 20", "wait 30", "close", "close", "ATCCH3LO0"} << 1
            << true << ok << 2 << 0;
        QTest::newRow("the second counts from the awaited write")
            << QStringList{"send", "wayout 1000", "wait 1100", "ATCOFF30", "send", "close", "click 20", "wait 30",
                           "close", "ATCCH3LO0"}
            << 1 << true << ok << 2 << 0;
    }

    void deferredClose()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, closes);
        QFETCH(bool, open);
        QFETCH(QStringList, endings);
        QFETCH(int, built);
        QFETCH(int, refreshes);
        ChainPanel p;
        QPointer<CalibWizard> wizard(p.openWizard(3));
        int held = 0;
        p.chain->setCloseRequest([&] { ++held; });
        p.chain->setDeferClose(true);
        QVERIFY(p.chain->run(1, p.links().mid(0, 2)));
        wizard->show();
        closeByTitleBar(wizard);
        QVERIFY(wizard->isVisible());
        QVERIFY(p.chain->closeDeferred());
        QCOMPARE(held, 0);
        for (QString const& step : steps) {
            if (step == "send") {
                QVERIFY(!p.sent().isEmpty());
            } else if (step == "run") {
                QVERIFY(p.chain->run(1, p.links().mid(0, 2)));
            } else if (step.startsWith("wayout ")) {
                WizardChain::WayOutMs = step.section(' ', 1).toInt();
            } else if (step.startsWith("click ")) {
                WizardChain::SameClickMs = step.section(' ', 1).toInt();
            } else if (step.startsWith("wait ")) {
                QTest::qWait(step.section(' ', 1).toInt());
            } else if (step.endsWith("close")) {
                const bool late = step == "late close";
                if (late) {
                    WizardChain::WayOutMs = WizardChain::SameClickMs = 20;
                    QTest::qWait(30);
                }
                QVERIFY(wizard);
                const QString pending = p.pendingCommand();
                const bool wasOpen = p.chain->isOpen();
                closeByTitleBar(wizard);
                if (late)
                    WizardChain::WayOutMs = WizardChain::SameClickMs = 60000;
                QCOMPARE(p.pendingCommand(), pending);
                // Closed by the way out: nothing is left to be written after it.
                if (wasOpen && !p.chain->isOpen())
                    QCOMPARE(pending, QString());
                QCOMPARE(wizard->isVisible(), p.chain->isOpen());
            } else {
                p.reply(step);
            }
        }
        QCOMPARE(held, closes);
        QCOMPARE(p.chain->isOpen(), open);
        QVERIFY(!p.chain->closeDeferred());
        QVERIFY(!p.chain->isRunning());
        QCOMPARE(p.endings, endings);
        // Closed in the chain: its next link is never built.
        QCOMPARE(p.built.size(), built);
        if (refreshes)
            QTRY_COMPARE(p.clears, refreshes);
        QTest::qWait(100);
        QCOMPARE(p.clears, refreshes);
        delete wizard.data();
    }

    // Opening a new wizard closes the old one; the old one's late signals and its
    // destruction never touch the new one.
    void oldWizardNeverTouchesNewOne()
    {
        ChainPanel p;
        int finishes = 0;
        p.chain->setFinish([&] { ++finishes; });
        QPointer<CalibWizard> old(p.openWizard(1));
        QPointer<CalibWizard> current(p.openWizard(2));
        QVERIFY(old); // deleted later
        old->accept();
        closeByTitleBar(old);
        QCOMPARE(finishes, 0);
        QCOMPARE(p.chain->wizard(), current.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        QCOMPARE(p.chain->wizard(), current.data());
        QCOMPARE(p.chain->channel(), 2);
        // Handed over again, it still acts once per trigger.
        p.chain->open(current, 2);
        current->accept();
        QCOMPARE(finishes, 1);
        delete current.data();
    }

    // close() while a link's echo is outstanding: the chain ends without its next link;
    // the echo still ends that APPLY, and a failing one brings the REFRESH.
    void closeWhileChainWaits_data()
    {
        QTest::addColumn<QString>("echo");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("refreshes");
        QTest::addColumn<int>("closes");
        QTest::newRow("good echo") << "ATCOFF20" << "4 ok" << 0 << 1;
        QTest::newRow("bad echo, closed twice") << "ATCOFF30" << "4 error" << 1 << 2;
    }

    void closeWhileChainWaits()
    {
        QFETCH(QString, echo);
        QFETCH(QString, ending);
        QFETCH(int, refreshes);
        QFETCH(int, closes);
        ChainPanel p;
        p.openWizard(2);
        QVERIFY(p.chain->run(1, p.links()));
        for (int i = 0; i < closes; ++i)
            p.chain->close();
        QVERIFY(!p.chain->isOpen());
        QVERIFY(!p.chain->isRunning());
        p.reply(echo);
        QCOMPARE(p.endings, QStringList{ending});
        QCOMPARE(p.built, QList<int>{0});
        // No next link (the REFRESH may already be queued while the box was open).
        QVERIFY(p.pendingCommand().isEmpty() || p.mode() == REFRESH);
        QTest::qWait(150);
        QTRY_COMPARE(p.clears, refreshes);
    }

private:
    std::unique_ptr<ModalCloser> m_closer;
};

QTEST_MAIN(TestWizardChain)
#include "test_wizardchain.moc"
