// The calibrator engine on a small panel of its own, inside a real main window without
// a port: every send fails there, so a send shows up as a failure box and its debug line.
#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QLCDNumber>
#include <QPointer>
#include <QRadioButton>
#include <QStatusBar>
#include <QTranslator>
#include <QtTest>

#include "calibratorpanel.h"
#include "chartview.h"
#include "globals.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "modeltable.h"
#include "passworddlg.h"
#include "qchartviewerlabel.h"
#include "qledindicator.h"
#include "qprogressindicator.h"
#include "statuslog.h"
#include "ui_mainwindow.h"
#include "zqchart.h"

namespace {

enum : unsigned { FIRST_SEQ = 4, NEXT_SEQ = 5, END_SEQ = 8, ERROR_SEQ = 9 };

PanelDescription makeDescription(bool tempMode, PanelDescription::AfterRefresh after)
{
    return {END_SEQ, ERROR_SEQ, "ATCXA\r\n", FIRST_SEQ,
            {"ATCX"}, {"ATCX", "ATCFTRST", "ATCEXTM"}, {"ATCD"}, {"ATCMODE"},
            tempMode, "EnginePanel::parsingTemp() TEMPMODE : ", after,
            7, "Last Calibration Time",
            "Factory Reset", "the Factory Reset is failed!"};
}

const PanelDescription kPlain = makeDescription(false, PanelDescription::Unlock);
const PanelDescription kWithUnit = makeDescription(true, PanelDescription::Celsius);

// A panel of two channels whose parsers follow orders written in the reply lines:
// "END" ends the sequence, "ERR" fails it, "FTRST" and "EXTM" are the factory-reset
// and calibration-time echoes.
class EnginePanel : public CalibratorPanel
{
    Q_OBJECT
public:
    EnginePanel(PanelDescription const& desc, QWidget* parent)
        : CalibratorPanel(desc, 3, "SN1", parent)
    {
        auto* top = new QVBoxLayout(this);
        auto* frame = new QFrame(this);
        auto* leds = new QHBoxLayout;
        group = new QWidget(this);
        celsius = new QRadioButton(group);
        fahrenheit = new QRadioButton(group);
        top->addWidget(frame);
        top->addLayout(leds);
        top->addWidget(group);
        for (int i = 0; i < 2; ++i) {
            lcd[i] = new QLCDNumber(10, this);
            chart[i] = new ChartView(new QChartViewerLabel(this), i + 1, this);
        }
        attachForm(frame, leds);
        if (desc.tempMode)
            attachTempRadios(celsius, fahrenheit);
    }

    // Puts the engine into a mode as if a command of it had been sent.
    void enter(unsigned mode, unsigned seq)
    {
        m_mode = mode;
        m_seq = seq;
    }
    void queue(unsigned mode, unsigned seq, QString const& cmd) { writeDelay(mode, seq, cmd); }
    void setHeldUnit(bool celsius) { m_celsius = celsius; }
    double time() const { return chartTime(); }
    QString translated(const char* text) const { return trPanel(text); }

    using CalibratorPanel::channelDigit;
    using CalibratorPanel::liveFields;
    using CalibratorPanel::slotChangeTempMode;
    using CalibratorPanel::slotExecDateTime;
    using CalibratorPanel::slotFactoryReset;
    using CalibratorPanel::writeRefresh;

    void controlEnable(bool on) override { group->setEnabled(on); }
    double getCurrentValue(int channel) override { return lcdValue(lcd, 2, channel); }

    QStringList parsed; // "<parser>:<line>"
    QStringList hooks;  // hook calls in order
    QWidget* group;
    QRadioButton* celsius;
    QRadioButton* fahrenheit;
    QLCDNumber* lcd[2];
    ChartView* chart[2];

protected:
    void follow(QString const& parser, QString const& line)
    {
        parsed << parser + ":" + line;
        if (line.contains("END"))
            m_seq = END_SEQ;
        else if (line.contains("ERR"))
            m_seq = ERROR_SEQ;
        else if (line.contains("ATCFTRST"))
            parsingFactoryReset(line);
        else if (line.contains("ATCEXTM"))
            parsingDateTime(line);
    }
    void parsingSequence(QString line) override { follow("sequence", line); }
    void parsingApply(QString line) override { follow("apply", line); }
    void parsingSensorType(QString line) override { follow("sensortype", line); }
    void parsingDefault(QString line) override
    {
        parsed << "default:" + line;
        showLive(liveFields(line, "ATCD", 2), lcd, chart, 2);
    }
    void clearAll() override
    {
        m_mode = DEFAULT;
        m_seq = 0;
        hooks << "clearAll";
    }
    void setSensorMode() override { hooks << "setSensorMode"; }
    void setModbusMode() override { hooks << "setModbusMode"; }
    void onSequenceEnd(unsigned mode, bool success) override
    {
        hooks << QString("end %1 %2").arg(mode).arg(success ? "ok" : "error");
    }
    void onSendFailure(unsigned mode) override { hooks << QString("sendFailure %1").arg(mode); }
};

constexpr int kLastIndex = ChartView::SampleCount - 1;

} // namespace

class TestCalibratorPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void channelDigitStaysInRange_data();
    void channelDigitStaysInRange();
    void liveFieldsAndValues_data();
    void liveFieldsAndValues();
    void liveReadingsOnLcdsAndCharts();

    void commandGoesOutAfterCommandDelay_data();
    void commandGoesOutAfterCommandDelay();
    void newestQueuedCommandGoesOutOnce();
    void refreshStartsFromAnyState();
    void keywordFilter_data();
    void keywordFilter();
    void endingsUnlockAndShowTheirBoxLast_data();
    void endingsUnlockAndShowTheirBoxLast();
    void endingCancelsWaitingCommand_data();
    void endingCancelsWaitingCommand();
    void sendFailure_data();
    void sendFailure();
    void sendFailureInApplyUnlocksFirstAndRefreshes();
    void unitReply_data();
    void unitReply();
    void unitChangeOnlyFromDefault();
    void calibrationTimeBehindPassword();
    void factoryReset();
    void panelRemovedWhileItsBoxIsOpen();
    void textsInThePanelContext();

private:
    EnginePanel* makePanel(PanelDescription const& desc);
    // Mode, UI lock, poll and spinner in one word: "<mode> <enabled> <polling> <busy>".
    QString state(EnginePanel* panel) const;
    MainWindow* m_window = nullptr;
    ModalCloser* m_closer = nullptr;
};

void TestCalibratorPanel::init()
{
    ChannelCount = 2;
    m_window = new MainWindow;
    CommandDelay = 50;
    m_closer = new ModalCloser(20);
}

void TestCalibratorPanel::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_closer;
    m_closer = nullptr;
    setCalibratorFactory(62, nullptr);
}

// The panel as the main window holds it, so that its controlEnable is reached.
EnginePanel* TestCalibratorPanel::makePanel(PanelDescription const& desc)
{
    setCalibratorFactory(62, [&desc](int, QString const&, unsigned, QString const&, QWidget* parent) {
        return new EnginePanel(desc, parent);
    });
    m_window->setVersion("ZQ62v3");
    return dynamic_cast<EnginePanel*>(m_window->calibrator());
}

QString TestCalibratorPanel::state(EnginePanel* panel) const
{
    return QString("%1 %2 %3 %4").arg(panel->mode()).arg(panel->group->isEnabled())
        .arg(m_window->pollTimer()->isActive()).arg(panel->progress()->isAnimated());
}

void TestCalibratorPanel::channelDigitStaysInRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channelCount");
    QTest::addColumn<int>("expected");
    QTest::newRow("first") << "1-0.25" << 2 << 1;
    QTest::newRow("last") << "21.5" << 2 << 2;
    QTest::newRow("above the panel") << "31.5" << 4 << 0;
    QTest::newRow("above ChannelCount") << "21.5" << 1 << 0;
    QTest::newRow("zero") << "01.5" << 2 << 0;
    QTest::newRow("missing") << "" << 2 << 0;
    QTest::newRow("not a digit") << "-1.5" << 2 << 0;
    QTest::newRow("other digit system") << QString(QChar(0x0661)) + "1.5" << 2 << 0;
}

void TestCalibratorPanel::channelDigitStaysInRange()
{
    QFETCH(QString, text);
    QFETCH(int, channelCount);
    QFETCH(int, expected);
    ChannelCount = channelCount;
    QCOMPARE(EnginePanel::channelDigit(text, 2), expected);
}

void TestCalibratorPanel::liveFieldsAndValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QList<double>>("values");
    const double none = NoValue;
    QTest::newRow("two fields") << "ATCD23.45,56.70" << QStringList{"23.45", "56.70"} << QList<double>{23.45, 56.70};
    QTest::newRow("more fields ignored") << "ATCD1,2,3" << QStringList{"1", "2"} << QList<double>{1, 2};
    QTest::newRow("no value") << "ATCD----,5" << QStringList{"----", "5"} << QList<double>{none, 5};
    QTest::newRow("one field") << "ATCD12.5" << QStringList{"12.5", ""} << QList<double>{12.5, none};
    QTest::newRow("not a number") << "ATCDabc,1x" << QStringList{"abc", "1x"} << QList<double>{none, none};
    QTest::newRow("not finite") << "ATCDinf,nan" << QStringList{"inf", "nan"} << QList<double>{none, none};
}

void TestCalibratorPanel::liveFieldsAndValues()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(QList<double>, values);
    const QStringList got = EnginePanel::liveFields(line, "ATCD", 2);
    QCOMPARE(got, fields);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(CalibratorPanel::liveValue(got.at(i)), values.at(i));
}

void TestCalibratorPanel::liveReadingsOnLcdsAndCharts()
{
    EnginePanel* panel = makePanel(kPlain);
    // Without a port the poll write fails, but the lamp and the time are still taken.
    QVERIFY(!panel->writeData("ATCD\r\n"));
    QCOMPARE(panel->ledTx()->state(), 2);
    const QDateTime stamp = panel->lastWrite();
    const double x = chartTime2(stamp.toSecsSinceEpoch()) + stamp.time().msec() / 1000.0;
    QCOMPARE(panel->time(), x);
    panel->readData("ATCD23.45,56.70");
    QCOMPARE(panel->ledRx()->state(), 3);
    QCOMPARE(panel->lcd[1]->value(), 56.7);
    QCOMPARE(panel->getCurrentValue(1), 23.45);
    QCOMPARE(panel->getCurrentValue(0), -99999.999);
    QCOMPARE(panel->getCurrentValue(3), -99999.999);
    QCOMPARE(panel->chart[0]->timeStamps()[kLastIndex], x);
    QCOMPARE(panel->chart[0]->values()[kLastIndex], 23.45);
    QCOMPARE(panel->chart[1]->values()[kLastIndex], 56.7);
    // A field without a number is no value, never 0.
    panel->readData("ATCD----,");
    QCOMPARE(panel->chart[0]->values()[kLastIndex], NoValue);
    QCOMPARE(panel->chart[1]->values()[kLastIndex], NoValue);
    QTRY_COMPARE_WITH_TIMEOUT(panel->ledTx()->state(), 1, 1000);
    QTRY_COMPARE_WITH_TIMEOUT(panel->ledRx()->state(), 1, 1000);

    // Commands of a sequence do not move the chart time.
    QTest::qWait(20);
    panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
    QTRY_COMPARE(m_closer->count(), 1);
    QCOMPARE(panel->lastWrite(), stamp);
    // A panel without a main window neither flashes nor stamps.
    EnginePanel lone(kPlain, nullptr);
    const QDateTime loneStamp = lone.lastWrite();
    QTest::qWait(5);
    QVERIFY(!lone.writeData("ATCD\r\n"));
    QCOMPARE(lone.ledTx()->state(), 1);
    QCOMPARE(lone.lastWrite(), loneStamp);
}

void TestCalibratorPanel::commandGoesOutAfterCommandDelay_data()
{
    QTest::addColumn<int>("delay");
    for (int d : {50, 100, 300, 500})
        QTest::newRow(qPrintable(QString::number(d) + "ms")) << d;
}

void TestCalibratorPanel::commandGoesOutAfterCommandDelay()
{
    QFETCH(int, delay);
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = delay;
    MessageCapture log;
    StatusLog shown(m_window);
    panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
    const qint64 queued = shown.now();
    QCOMPARE(state(panel), QString("1 0 0 1"));
    // The send fails at once (no port), and says so.
    const QString failed = "error! refresh calibration settings.";
    QTRY_VERIFY_WITH_TIMEOUT(shown.when(failed) >= 0, delay + 2000);
    const qint64 sent = shown.when(failed) - queued;
    QVERIFY2(sent >= delay - 1 && sent < delay + 400, qPrintable(QString::number(sent)));
    QCOMPARE(log.messages().filter("writeCommand("), QStringList{"writeCommand( \"ATCXA[CR][LF]\" ), mode= 1"});
    QTRY_COMPARE(m_closer->count(), 1);
}

void TestCalibratorPanel::newestQueuedCommandGoesOutOnce()
{
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = 100;
    MessageCapture log;
    // A double click on REFRESH: the newest query goes out once, and a timer that
    // finds nothing waiting neither sends nor reports anything.
    panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
    QTest::qWait(30);
    panel->queue(REFRESH, NEXT_SEQ, "ATCXB\r\n");
    QTRY_COMPARE(m_closer->count(), 1);
    QTest::qWait(300);
    QCOMPARE(log.messages().filter("writeCommand("), QStringList{"writeCommand( \"ATCXB[CR][LF]\" ), mode= 1"});
    QCOMPARE(log.messages().filter("!! FAIL - ( \"ATCXB[CR][LF]\" ), mode= 1").size(), 1);
    QCOMPARE(m_closer->count(), 1);
}

void TestCalibratorPanel::refreshStartsFromAnyState()
{
    EnginePanel* panel = makePanel(kPlain);
    panel->enter(APPLY, 6);
    panel->hooks.clear();
    panel->writeRefresh();
    QCOMPARE(panel->hooks, QStringList({"clearAll", "setSensorMode", "setModbusMode"}));
    QCOMPARE(panel->mode(), unsigned(REFRESH));
    QCOMPARE(panel->seq(), unsigned(FIRST_SEQ));
    QCOMPARE(panel->pendingCommand(), QString("ATCXA\r\n"));
}

void TestCalibratorPanel::keywordFilter_data()
{
    QTest::addColumn<bool>("tempMode");
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("refresh keyword") << false << unsigned(REFRESH) << "ATCXA1" << "sequence:ATCXA1";
    QTest::newRow("refresh foreign line") << false << unsigned(REFRESH) << "ATCD1,2" << "";
    QTest::newRow("apply-only keyword in refresh") << false << unsigned(REFRESH) << "ATCEXTM1" << "";
    QTest::newRow("apply keyword") << false << unsigned(APPLY) << "ATCXQ" << "apply:ATCXQ";
    QTest::newRow("apply foreign line") << false << unsigned(APPLY) << "OK" << "";
    QTest::newRow("sensor type") << false << unsigned(SENSORTYPE) << "ATCMODE1" << "sensortype:ATCMODE1";
    QTest::newRow("default poll reply") << false << unsigned(DEFAULT) << "ATCD1,2" << "default:ATCD1,2";
    QTest::newRow("default echo dropped") << false << unsigned(DEFAULT) << "ATCXA1" << "";
    QTest::newRow("no unit: mode 2 is default") << false << unsigned(TEMPMODE) << "ATCD1,2" << "default:ATCD1,2";
    QTest::newRow("unit: poll reply dropped") << true << unsigned(TEMPMODE) << "ATCD1,2" << "";
}

void TestCalibratorPanel::keywordFilter()
{
    QFETCH(bool, tempMode);
    QFETCH(unsigned, mode);
    QFETCH(QString, line);
    QFETCH(QString, parsed);
    EnginePanel* panel = makePanel(tempMode ? kWithUnit : kPlain);
    panel->enter(mode, FIRST_SEQ);
    panel->readData(line);
    QCOMPARE(panel->parsed, parsed.isEmpty() ? QStringList() : QStringList{parsed});
    // A line no parser takes changes nothing.
    QCOMPARE(panel->mode(), mode);
    QCOMPARE(panel->seq(), unsigned(FIRST_SEQ));
}

void TestCalibratorPanel::endingsUnlockAndShowTheirBoxLast_data()
{
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("box");
    QTest::newRow("refresh end") << unsigned(REFRESH) << "ATCXEND" << "success! refresh calibration settings." << "";
    QTest::newRow("refresh error") << unsigned(REFRESH) << "ATCXERR" << "error! refresh calibration settings." << "error! refresh calibration settings...";
    QTest::newRow("apply end") << unsigned(APPLY) << "ATCXEND" << "success! apply calibration settings." << "";
    QTest::newRow("apply error") << unsigned(APPLY) << "ATCXERR" << "error! apply calibration settings." << "error! apply calibration settings...";
    QTest::newRow("sensor type end") << unsigned(SENSORTYPE) << "ATCMODEEND" << "success! apply sensor output mode settings." << "";
    QTest::newRow("sensor type error") << unsigned(SENSORTYPE) << "ATCMODEERR" << "error! apply sensor output mode settings." << "error! apply sensor output mode settings...";
}

void TestCalibratorPanel::endingsUnlockAndShowTheirBoxLast()
{
    QFETCH(unsigned, mode);
    QFETCH(QString, line);
    QFETCH(QString, status);
    QFETCH(QString, box);
    EnginePanel* panel = makePanel(kPlain);
    panel->queue(mode, FIRST_SEQ, "ATCXA\r\n");
    panel->hooks.clear();
    QString atBox;
    m_closer->setInspector([&](QWidget*) { atBox = m_window->statusBar()->currentMessage() + " " + state(panel); });
    MessageCapture log;
    panel->readData(line);
    QTRY_COMPARE(m_closer->texts(), box.isEmpty() ? QStringList() : QStringList{box});
    if (!box.isEmpty()) {
        QCOMPARE(m_closer->titles(), QStringList{"ERROR"});
        QCOMPARE(atBox, status + " 0 1 1 0");
    }
    QVERIFY(log.messages().contains(box.isEmpty() ? "END_SEQ" : "ERROR SEQ"));
    QVERIFY(panel->hooks.contains(QString("end %1 %2").arg(mode).arg(box.isEmpty() ? "ok" : "error")));
    QCOMPARE(state(panel), QString("0 1 1 0"));
    QCOMPARE(panel->seq(), 0u);
    QVERIFY(m_window->form()->actionClose_ZQ_Device->isEnabled());
    QCOMPARE(m_window->statusBar()->currentMessage(), status);
}

void TestCalibratorPanel::endingCancelsWaitingCommand_data()
{
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("boxes");
    QTest::newRow("end") << unsigned(REFRESH) << "ATCXEND" << 0;
    QTest::newRow("error") << unsigned(APPLY) << "ATCXERR" << 1;
    QTest::newRow("unit reply") << unsigned(TEMPMODE) << "ATCCOK" << 0;
}

void TestCalibratorPanel::endingCancelsWaitingCommand()
{
    QFETCH(unsigned, mode);
    QFETCH(QString, line);
    QFETCH(int, boxes);
    EnginePanel* panel = makePanel(mode == TEMPMODE ? kWithUnit : kPlain);
    CommandDelay = 100;
    MessageCapture log;
    // A reply ends the sequence while a command still waits (a late reply, or REFRESH
    // pressed while a unit change was on its way): nothing may go out afterwards in
    // DEFAULT, where its reply is dropped and the panel would stay locked for good.
    panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
    panel->enter(mode, FIRST_SEQ);
    panel->readData(line);
    QCOMPARE(panel->pendingCommand(), QString());
    QTRY_COMPARE(m_closer->count(), boxes);
    QTest::qWait(300);
    QVERIFY(log.messages().filter("writeCommand(").isEmpty());
    QCOMPARE(m_closer->count(), boxes);
    QCOMPARE(state(panel), QString("0 1 1 0"));
}

void TestCalibratorPanel::sendFailure_data()
{
    QTest::addColumn<bool>("unit");
    QTest::addColumn<bool>("heldCelsius");
    QTest::addColumn<QStringList>("atBoxes");
    QTest::addColumn<bool>("celsiusChecked");
    // Status, mode, lock, poll and spinner while each box is open.
    QTest::newRow("refresh") << false << true
        << QStringList{"error! refresh calibration settings...|error! refresh calibration settings. 1 0 0 0"} << true;
    // A unit change reports writeCommand's box, then the unit's by the unit held,
    // whichever was asked for.
    QTest::newRow("unit, celsius held") << true << true
        << QStringList{"error! write command...|error! write command. 2 0 0 0",
                       "error! apply the device's temperature mode to the celsius mode...|"
                       "error! apply the device's temperature mode to the celsius mode. 0 1 1 0"} << true;
    QTest::newRow("unit, fahrenheit held") << true << false
        << QStringList{"error! write command...|error! write command. 2 0 0 0",
                       "error! apply the device's temperature mode to the fahrenheit mode...|"
                       "error! apply the device's temperature mode to the fahrenheit mode. 0 1 1 0"} << false;
}

void TestCalibratorPanel::sendFailure()
{
    QFETCH(bool, unit);
    QFETCH(bool, heldCelsius);
    QFETCH(QStringList, atBoxes);
    QFETCH(bool, celsiusChecked);
    EnginePanel* panel = makePanel(kWithUnit);
    panel->setHeldUnit(heldCelsius);
    panel->hooks.clear();
    QStringList seen;
    m_closer->setInspector([&](QWidget* box) {
        seen << qobject_cast<QMessageBox*>(box)->text() + "|" + m_window->statusBar()->currentMessage()
                    + " " + state(panel);
    });
    MessageCapture log;
    if (unit)
        (heldCelsius ? panel->fahrenheit : panel->celsius)->click();
    else
        panel->writeRefresh();
    QTRY_COMPARE(m_closer->count(), atBoxes.size());
    QCOMPARE(seen, atBoxes);
    QCOMPARE(m_closer->titles().last(), QString("ERROR"));
    QCOMPARE(panel->celsius->isChecked(), celsiusChecked);
    QCOMPARE(panel->hooks.contains("sendFailure 1"), !unit);
    QCOMPARE(log.messages().filter("!! FAIL - (").size(), 1);
    QCOMPARE(state(panel), QString("0 1 1 0"));
    QCOMPARE(panel->seq(), 0u);
    // No retry.
    QTest::qWait(200);
    QCOMPARE(log.messages().filter("writeCommand(").size(), 1);
}

void TestCalibratorPanel::sendFailureInApplyUnlocksFirstAndRefreshes()
{
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = 300;
    delete m_closer;
    m_closer = new ModalCloser(200);
    // What the box sees when it opens, and just before it closes.
    QStringList stateAtBox;
    auto look = [&] { return m_window->statusBar()->currentMessage() + " " + state(panel) + " " + panel->pendingCommand().trimmed(); };
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() && stateAtBox.isEmpty())
            stateAtBox << look();
    });
    watch.start(2);
    m_closer->setInspector([&](QWidget*) { stateAtBox << look(); });
    panel->queue(APPLY, FIRST_SEQ, "ATCXA 1\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(m_closer->count(), 1, 3000);
    QVERIFY(panel->hooks.contains("sendFailure 4"));
    // Unlocked before the box, with the refresh 50 ms away, which starts while the box
    // is open; closing the box does not undo it.
    QCOMPARE(stateAtBox.value(0), QString("error! apply calibration settings. 0 1 1 0 "));
    QCOMPARE(stateAtBox.value(1), QString("Timer Stop. 1 0 0 1 ATCXA"));
    QCOMPARE(state(panel), QString("1 0 0 1"));
    QCOMPARE(panel->pendingCommand(), QString("ATCXA\r\n"));
    // ... and its own send fails in turn (no port).
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(m_closer->texts(), QStringList({"error! apply calibration settings...",
                                            "error! refresh calibration settings..."}));
}

void TestCalibratorPanel::unitReply_data()
{
    QTest::addColumn<bool>("heldCelsius");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("celsius");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("box");
    QTest::newRow("fahrenheit ok") << true << "ATCFOK" << false << "success! apply the device's temperature mode to the fahrenheit mode." << false;
    QTest::newRow("celsius ok") << false << "ATCCOK" << true << "success! apply the device's temperature mode to the celsius mode." << false;
    QTest::newRow("fail keeps celsius") << true << "ATCFFAIL" << true << "error! apply the device's temperature mode to the celsius mode." << true;
    QTest::newRow("fail keeps fahrenheit") << false << "ATCCFAIL" << false << "error! apply the device's temperature mode to the fahrenheit mode." << true;
    QTest::newRow("echo without OK") << true << "ATCF" << true << "error! apply the device's temperature mode to the celsius mode." << true;
}

void TestCalibratorPanel::unitReply()
{
    QFETCH(bool, heldCelsius);
    QFETCH(QString, line);
    QFETCH(bool, celsius);
    QFETCH(QString, status);
    QFETCH(bool, box);
    EnginePanel* panel = makePanel(kWithUnit);
    panel->setHeldUnit(heldCelsius);
    panel->queue(TEMPMODE, 0, QString());
    panel->enter(TEMPMODE, 0);
    panel->hooks.clear();
    QString atBox;
    m_closer->setInspector([&](QWidget*) { atBox = state(panel); });
    MessageCapture log;
    panel->readData(line);
    QTRY_COMPARE(m_closer->texts(), box ? QStringList{status + ".."} : QStringList());
    if (box)
        QCOMPARE(atBox, QString("0 1 1 0"));
    QCOMPARE(panel->isCelsius(), celsius);
    QCOMPARE(panel->celsius->isChecked(), celsius);
    QCOMPARE(panel->fahrenheit->isChecked(), !celsius);
    QCOMPARE(m_window->statusBar()->currentMessage(), status);
    QCOMPARE(panel->hooks, QStringList{"setSensorMode"});
    QCOMPARE(state(panel), QString("0 1 1 0"));
    QVERIFY(log.messages().contains(QString("EnginePanel::parsingTemp() TEMPMODE :  ") + (celsius ? "true" : "false")));
}

void TestCalibratorPanel::unitChangeOnlyFromDefault()
{
    EnginePanel* panel = makePanel(kWithUnit);
    CommandDelay = 100;
    MessageCapture log;
    panel->enter(APPLY, FIRST_SEQ);
    panel->slotChangeTempMode(101);
    QTest::qWait(250);
    QVERIFY(log.messages().filter("writeCommand(").isEmpty());

    panel->enter(DEFAULT, 0);
    StatusLog shown(m_window);
    const qint64 clicked = shown.now();
    panel->slotChangeTempMode(101);
    QCOMPARE(state(panel), QString("0 0 0 1"));
    const QString sending = "change the device's temperature mode to the fahrenheit mode...";
    QTRY_VERIFY(shown.when(sending) >= 0);
    QVERIFY(shown.when(sending) - clicked >= 99);
    QCOMPARE(log.messages().filter("writeCommand(").first(), QString("writeCommand( \"ATCF[CR][LF]\" ), mode= 2"));
    QTRY_COMPARE(m_closer->count(), 2);
}

void TestCalibratorPanel::calibrationTimeBehindPassword()
{
    EnginePanel* panel = makePanel(kPlain);
    m_closer->setAnswer(QMessageBox::Yes);
    // Yes in DEFAULT: the password dialog opens (the closer then closes it too).
    panel->slotExecDateTime();
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(m_closer->texts().first(), QString("Do you want to change the update time?"));
    QCOMPARE(m_closer->titles().last(), panel->passwordDialog()->windowTitle());

    // Yes while a sequence runs: nothing.
    panel->enter(REFRESH, FIRST_SEQ);
    panel->slotExecDateTime();
    QTest::qWait(100);
    QCOMPARE(m_closer->count(), 3);
    QVERIFY(!panel->passwordDialog()->isVisible());

    // A wrong password only says so.
    emit panel->passwordDialog()->pwdFail();
    QTRY_COMPARE(m_closer->count(), 4);
    QCOMPARE(m_closer->texts().last(), QString("The password is wrong."));
    QCOMPARE(panel->pendingCommand(), QString());

    // The right one queues the time, whatever the mode.
    CommandDelay = 500;
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    emit panel->passwordDialog()->pwdOk();
    const QString cmd = panel->pendingCommand();
    QVERIFY2(QRegularExpression("^ATCEXTM \\d+\r\n$").match(cmd).hasMatch(), qPrintable(cmd));
    const qint64 secs = cmd.mid(8).trimmed().toLongLong();
    QVERIFY(secs >= before && secs <= QDateTime::currentSecsSinceEpoch());
    QCOMPARE(panel->mode(), unsigned(APPLY));
    QCOMPARE(panel->seq(), 7u);

    // Its echo refreshes 50 ms later without ending the apply.
    panel->readData("ATCEXTM" + QString::number(secs));
    QCOMPARE(state(panel), QString("4 0 0 1"));
    QTRY_COMPARE(panel->mode(), unsigned(REFRESH));
}

void TestCalibratorPanel::factoryReset()
{
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = 1000;
    delete m_closer;
    m_closer = new ModalCloser(150);
    m_closer->setAnswer(QMessageBox::Yes);
    // Yes while a sequence runs: nothing.
    panel->enter(REFRESH, FIRST_SEQ);
    panel->slotFactoryReset();
    QTRY_COMPARE(m_closer->count(), 1);
    QCOMPARE(m_closer->texts().first(), QString("Your work will be erased. Would you like to continue?"));
    QCOMPARE(panel->pendingCommand(), QString());

    panel->enter(DEFAULT, 0);
    panel->slotFactoryReset();
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(panel->pendingCommand(), QString("ATCFTRST\r\n"));
    QCOMPARE(panel->mode(), unsigned(APPLY));
    QCOMPARE(panel->seq(), 4u);

    // Refused: its box, then the apply END tail.
    panel->enter(APPLY, 4);
    panel->readData("ATCFTRSTFAIL");
    QTRY_COMPARE(m_closer->count(), 3);
    QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is failed!"));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("success! apply calibration settings."));
    QCOMPARE(state(panel), QString("0 1 1 0"));

    // Done: the refresh starts 50 ms later, while the box is still open.
    QString modeAtBox;
    m_closer->setInspector([&](QWidget*) { modeAtBox = QString::number(panel->mode()); });
    panel->enter(APPLY, 4);
    panel->readData("ATCFTRSTOK");
    QTRY_COMPARE(m_closer->count(), 4);
    QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is completed."));
    QCOMPARE(modeAtBox, QString::number(REFRESH));
    QCOMPARE(panel->mode(), unsigned(REFRESH));
}

void TestCalibratorPanel::panelRemovedWhileItsBoxIsOpen()
{
    // The instrument goes away while a box of the panel is open: a sequence error, a
    // send failure, and the first of the unit failure's two boxes.
    m_closer->setInspector([&](QWidget* box) {
        QVERIFY(box->parentWidget() == m_window);
        if (m_window->calibrator())
            m_window->closeQuorvelDevice();
    });
    for (int round = 0; round < 3; ++round) {
        EnginePanel* panel = makePanel(kWithUnit);
        QPointer<EnginePanel> watch(panel);
        if (round == 0) {
            panel->enter(REFRESH, FIRST_SEQ);
            panel->readData("ATCXERR");
        } else if (round == 1) {
            panel->writeRefresh();
        } else {
            panel->fahrenheit->click();
        }
        QTRY_VERIFY(watch.isNull());
        QTest::qWait(100);
        QCOMPARE(m_closer->count(), round + 1);
        QVERIFY(m_window->calibrator() == nullptr);
    }
}

namespace {
// Answers one text in the panel's context and one in the engine's.
class ContextTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) == "EnginePanel" && QByteArray(source) == "error! write command.")
            return "panel wording";
        if (QByteArray(context) == "CalibratorPanel")
            return "engine wording";
        return QString();
    }
    bool isEmpty() const override { return false; }
};
} // namespace

void TestCalibratorPanel::textsInThePanelContext()
{
    EnginePanel* panel = makePanel(kPlain);
    ContextTranslator contexts;
    QCoreApplication::installTranslator(&contexts);
    // The panel's own context first, the engine's when the panel has no wording of its own.
    QCOMPARE(panel->translated("error! write command."), QString("panel wording"));
    QCOMPARE(panel->translated("error! write command..."), QString("engine wording"));
    QCoreApplication::removeTranslator(&contexts);
}

QTEST_MAIN(TestCalibratorPanel)
#include "test_calibratorpanel.moc"
