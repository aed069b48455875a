// The range wizard flow on a small panel of its own, with the steps and switches of the
// panels that use it. Commands are only queued (CommandDelay is long) and taken off the
// queue as if sent; the echoes are handed to the panel as received lines.
#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QMessageBox>
#include <QPointer>
#include <QtTest>

#include "calibrateapply.h"
#include "calibratorpanel.h"
#include "calibwizard.h"
#include "channelsequence.h"
#include "globals.h"
#include "modalcloser.h"
#include "rangewizardflow.h"
#include "wizardchain.h"

namespace {

constexpr int kChannels = 2;

struct Steps
{
    unsigned lo, hi, clo, chi, offset, end, error;
};

// A two-channel panel whose APPLY rows are the flow's range rows and an offset row.
class RangePanel : public CalibratorPanel
{
    Q_OBJECT
public:
    RangePanel(PanelDescription const& desc, Steps s, bool guard, bool errorCloses)
        : CalibratorPanel(desc, 10, "SN", nullptr)
    {
        auto* top = new QVBoxLayout(this);
        auto* frame = new QFrame(this);
        auto* leds = new QHBoxLayout;
        top->addWidget(frame);
        top->addLayout(leds);
        for (auto* boxes : {rangeMin, rangeMax, correctionMin, correctionMax, offset})
            for (int i = 0; i < kChannels; ++i) {
                boxes[i] = new QDoubleSpinBox(this);
                boxes[i]->setRange(-1e6, 1e6);
            }
        attachForm(frame, leds);
        RangeWizardFlow::Setup setup{"ZQ63", {s.lo, s.hi, s.clo, s.chi, s.offset},
                                     {rangeMin, rangeMax, correctionMin, correctionMax}, kChannels,
                                     nullptr, errorCloses};
        if (guard)
            setup.sensorGuard = [this](int channel) { return typed[channel - 1]; };
        flow = new RangeWizardFlow(this, setup);
        QVector<SequenceRow> rows = flow->rows();
        rows << offsetRow(s.offset, offset);
        apply.reset(new ChannelSequence(this, kChannels, rows));
        apply->setChain(flow->chain());
    }
    void controlEnable(bool) override {}
    // The queued command as if it had gone out; its echo then arrives.
    void echo(QString const& line)
    {
        cancelQueued();
        readData(line);
    }

    QDoubleSpinBox* rangeMin[kChannels];
    QDoubleSpinBox* rangeMax[kChannels];
    QDoubleSpinBox* correctionMin[kChannels];
    QDoubleSpinBox* correctionMax[kChannels];
    QDoubleSpinBox* offset[kChannels];
    bool typed[kChannels] = {false, true};
    RangeWizardFlow* flow;
    std::unique_ptr<ChannelSequence> apply;

protected:
    void parsingSequence(QString) override {}
    void parsingApply(QString line) override { apply->apply(line); }
    void parsingDefault(QString) override {}
    void clearAll() override {}
};

PanelDescription describe(Steps s)
{
    return {s.end, s.error, "ATCX\r\n", 1, {"ATCX"}, {"ATCCH", "ATCOFF"}, {}, {},
            true, "", PanelDescription::Unlock, 0, nullptr, nullptr, nullptr};
}

const Steps kZq63{5, 6, 7, 8, 4, 12, 13};
const Steps kKw{8, 9, 10, 11, 7, 24, 25};

} // namespace

class TestRangeWizardFlow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = kChannels;
        CommandDelay = 1000000;
    }

    // Next writes the raw range link by link at the panel's steps; each echo feeds the
    // boxes and pages; the offset echo ends the write. An ERROR closes the wizard or
    // leaves it open as the panel says. Only channels 1..2 open, KW's only with a type.
    void chainAtThePanelsSteps_data()
    {
        QTest::addColumn<bool>("kw");
        QTest::newRow("ZQ63, an ERROR leaves it open") << false;
        QTest::newRow("KW, an ERROR closes it") << true;
    }

    void chainAtThePanelsSteps()
    {
        QFETCH(bool, kw);
        const Steps s = kw ? kKw : kZq63;
        const PanelDescription desc = describe(s);
        RangePanel p(desc, s, kw, kw);
        p.rangeMin[1]->setValue(-50);
        p.rangeMax[1]->setValue(150);
        ModalCloser closer(10);
        closer.setAnswer(QMessageBox::Yes);
        p.flow->start(3);
        p.flow->start(0);
        if (kw) {
            p.flow->start(1);
            QTRY_COMPARE(closer.texts(), QStringList{"Please specify the sensor type."});
        }
        QTest::qWait(50);
        QCOMPARE(closer.count(), kw ? 1 : 0);
        QVERIFY(!p.flow->wizard());
        closer.setInspector([&closer](QWidget*) { closer.setEnabled(false); });
        p.flow->start(2);
        QPointer<CalibWizard> w = p.flow->wizard();
        QVERIFY(w);

        w->next();
        const QList<QPair<QString, QString>> links = {
            {"ATCCH2LO -50.00\r\n", "ATCCH2LO-50.00"}, {"ATCCH2HI 150.00\r\n", "ATCCH2HI150.00"},
            {"ATCCH2CLO -50.00\r\n", "ATCCH2CLO-49.50"}, {"ATCCH2CHI 150.00\r\n", "ATCCH2CHI151.00"},
            {"ATCOFF2 0\r\n", "ATCOFF20"}};
        const unsigned steps[] = {s.lo, s.hi, s.clo, s.chi, s.offset};
        for (int i = 0; i < links.size(); ++i) {
            QCOMPARE(p.pendingCommand(), links[i].first);
            QCOMPARE(p.seq(), steps[i]);
            QVERIFY(!w->isEnabled());
            p.echo(links[i].second);
        }
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QVERIFY(w->isEnabled());
        QCOMPARE(p.correctionMin[1]->value(), -0.5);
        QCOMPARE(p.correctionMax[1]->value(), -1.0);
        QCOMPARE(w->page(2)->findChild<QDoubleSpinBox*>("doubleSpinBox_applied")->value(), -0.5);
        QCOMPARE(w->page(3)->findChild<QDoubleSpinBox*>("doubleSpinBox_range")->value(), 150.0);

        // The corrections: page 2's reading, then page 3's; a wrong echo fails the write.
        static_cast<CalibrateApply*>(w->page(2))->setDelta(-49.8);
        static_cast<CalibrateApply*>(w->page(3))->setDelta(149.6);
        emit static_cast<CalibrateApply*>(w->page(3))->signalDelta();
        QCOMPARE(p.pendingCommand(), QString("ATCCH2CLO -49.80\r\n"));
        QCOMPARE(p.seq(), s.clo);
        closer.setInspector(nullptr);
        closer.setEnabled(true);
        p.echo("ATCCH2HI150.00");
        closer.setEnabled(false);
        QCOMPARE(closer.texts().last(), QString("error! apply calibration settings..."));
        // The write has ended; the REFRESH that follows a wizard's error may already
        // have started while the box was open.
        QVERIFY(p.mode() != unsigned(APPLY));
        QTRY_COMPARE(p.mode(), unsigned(REFRESH));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(w.isNull(), kw);
        QCOMPARE(p.flow->chain()->isRunning(), false);
        QCOMPARE(p.correctionMin[1]->value(), -0.5);
        delete w.data();
    }
};

QTEST_MAIN(TestRangeWizardFlow)
#include "test_rangewizardflow.moc"
