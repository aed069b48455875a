// The calibrator engine on a small panel of its own, inside a real main window without
// a port: every send fails there, so a send shows up as a failure box and its debug line.
#include <QAction>
#include <QBoxLayout>
#include <QElapsedTimer>
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
#include "translation.h"
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
// "END" ends the sequence, "ERR" fails it, "NEXT" queues the next query, "FTRST" and
// "EXTM" are the factory-reset and calibration-time echoes.
class EnginePanel : public CalibratorPanel
{
    Q_OBJECT
public:
    EnginePanel(PanelDescription const& desc, QWidget* parent)
        : CalibratorPanel(desc, 3, "SN1", parent)
    {
        auto* top = new QVBoxLayout(this);
        auto* frame = new QFrame(this);
        frame->resize(95, 40);
        auto* leds = new QHBoxLayout;
        group = new QWidget(this);
        celsius = new QRadioButton(group);
        fahrenheit = new QRadioButton(group);
        top->addWidget(frame);
        top->addLayout(leds);
        top->addWidget(group);
        for (int i = 0; i < 2; ++i) {
            lcd[i] = new QLCDNumber(10, this);
            host[i] = new QChartViewerLabel(this);
            top->addWidget(lcd[i]);
            top->addWidget(host[i]);
            chart[i] = new ChartView(host[i], i + 1, this);
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
    bool send(unsigned mode, unsigned seq, QString const& cmd) { return writeCommand(mode, seq, cmd); }
    void setHeldUnit(bool celsius) { m_celsius = celsius; }
    double time() const { return chartTime(); }
    QString translated(const char* text) const { return trPanel(text); }

    using CalibratorPanel::channelDigit;
    using CalibratorPanel::delayWriteFahrenheit;
    using CalibratorPanel::liveFields;
    using CalibratorPanel::slotChangeTempMode;
    using CalibratorPanel::slotExecDateTime;
    using CalibratorPanel::slotFactoryReset;
    using CalibratorPanel::slotFailExecDateTime;
    using CalibratorPanel::slotOkExecDateTime;
    using CalibratorPanel::valueAfter;
    using CalibratorPanel::writeRefresh;

    void controlEnable(bool on) override
    {
        group->setEnabled(on);
        enables << on;
    }
    double getCurrentValue(int channel) override { return lcdValue(lcd, 2, channel); }

    QStringList parsed;           // "<parser>:<line>"
    QStringList hooks;            // hook calls in order
    QList<bool> enables;
    QWidget* group;
    QRadioButton* celsius;
    QRadioButton* fahrenheit;
    QLCDNumber* lcd[2];
    QChartViewerLabel* host[2];
    ChartView* chart[2];

protected:
    void follow(QString const& line)
    {
        if (line.contains("END"))
            m_seq = END_SEQ;
        else if (line.contains("ERR"))
            m_seq = ERROR_SEQ;
        else if (line.contains("NEXT"))
            writeDelay(m_mode, NEXT_SEQ, "ATCXB\r\n");
        else if (line.contains("ATCFTRST"))
            parsingFactoryReset(line);
        else if (line.contains("ATCEXTM"))
            parsingDateTime(line);
    }
    void parsingSequence(QString line) override
    {
        parsed << "sequence:" + line;
        follow(line);
    }
    void parsingApply(QString line) override
    {
        parsed << "apply:" + line;
        follow(line);
    }
    void parsingSensorType(QString line) override
    {
        parsed << "sensortype:" + line;
        follow(line);
    }
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


int lampState(QLedIndicator* led)
{
    return led->state();
}

} // namespace

class TestCalibratorPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void replyHelpers_data();
    void replyHelpers();
    void channelDigitStaysInRange_data();
    void channelDigitStaysInRange();
    void liveFieldsAndValues_data();
    void liveFieldsAndValues();

    void commandGoesOutAfterCommandDelay_data();
    void commandGoesOutAfterCommandDelay();
    void newestQueuedCommandGoesOutOnce();
    void refreshStartsFromAnyState();
    void keywordFilterAndBanners_data();
    void keywordFilterAndBanners();
    void endingsUnlockAndShowTheirBoxLast_data();
    void endingsUnlockAndShowTheirBoxLast();
    void endingCancelsWaitingCommand();
    void sendFailureInRefreshUnlocksAfterTheBox();
    void sendFailureInApplyUnlocksFirstAndRefreshes();
    void unitSendFailureShowsBothBoxes();
    void unitReply_data();
    void unitReply();
    void unitChangeOnlyFromDefault();
    void lampsFlashIndependently();
    void pollStampsTheChartTime();
    void liveReadingsOnLcdsAndCharts();
    void calibrationTimeBehindPassword();
    void factoryReset();
    void panelRemovedWhileItsBoxIsOpen();
    void texts_inThePanelContext();

private:
    EnginePanel* makePanel(PanelDescription const& desc);
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

void TestCalibratorPanel::replyHelpers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "ATCOFF1-0.25" << "ATCOFF" << "1-0.25";
    QTest::newRow("text before dropped") << "xxATCOFF21.5" << "ATCOFF" << "21.5";
    QTest::newRow("every keyword removed") << "ATCEXTMATCEXTM12" << "ATCEXTM" << "12";
    QTest::newRow("keyword missing") << "ATCD1,2" << "ATCOFF" << "";
}

void TestCalibratorPanel::replyHelpers()
{
    QFETCH(QString, line);
    QFETCH(QString, keyword);
    QFETCH(QString, value);
    QCOMPARE(EnginePanel::valueAfter(line, keyword), value);
}

void TestCalibratorPanel::channelDigitStaysInRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("channelCount");
    QTest::addColumn<int>("expected");
    QTest::newRow("first") << "1-0.25" << 2 << 2 << 1;
    QTest::newRow("last") << "21.5" << 2 << 2 << 2;
    QTest::newRow("above the panel") << "31.5" << 2 << 4 << 0;
    QTest::newRow("above ChannelCount") << "21.5" << 2 << 1 << 0;
    QTest::newRow("zero") << "01.5" << 2 << 2 << 0;
    QTest::newRow("missing") << "" << 2 << 2 << 0;
    QTest::newRow("not a digit") << "-1.5" << 2 << 2 << 0;
    QTest::newRow("other digit system") << QString(QChar(0x0661)) + "1.5" << 2 << 2 << 0;
}

void TestCalibratorPanel::channelDigitStaysInRange()
{
    QFETCH(QString, text);
    QFETCH(int, channels);
    QFETCH(int, channelCount);
    QFETCH(int, expected);
    ChannelCount = channelCount;
    QCOMPARE(EnginePanel::channelDigit(text, channels), expected);
}

void TestCalibratorPanel::liveFieldsAndValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QList<double>>("values");
    const double none = NoValue;
    QTest::newRow("two fields") << "ATCD23.45,56.70" << QStringList{"23.45", "56.70"}
                                << QList<double>{23.45, 56.70};
    QTest::newRow("more fields ignored") << "ATCD1,2,3" << QStringList{"1", "2"} << QList<double>{1, 2};
    QTest::newRow("no value") << "ATCD----,5" << QStringList{"----", "5"} << QList<double>{none, 5};
    QTest::newRow("one field") << "ATCD12.5" << QStringList{"12.5", ""} << QList<double>{12.5, none};
    QTest::newRow("empty field") << "ATCD,7" << QStringList{"", "7"} << QList<double>{none, 7};
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
    // Fewer fields than channels: the whole rest goes to the first, even with commas.
    QCOMPARE(EnginePanel::liveFields("ATCQ1,2,3", "ATCQ", 4), QStringList({"1,2,3", "", "", ""}));
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
    QCOMPARE(panel->mode(), unsigned(REFRESH));
    QVERIFY(panel->progress()->isAnimated());
    QVERIFY(!panel->group->isEnabled());
    QVERIFY(!m_window->pollTimer()->isActive());
    // The send fails at once (no port), and says so.
    QTRY_VERIFY_WITH_TIMEOUT(shown.when("error! refresh calibration settings.") >= 0, delay + 2000);
    const qint64 sent = shown.when("error! refresh calibration settings.");
    QVERIFY2(sent - queued >= delay - 1, qPrintable(QString::number(sent - queued)));
    QVERIFY2(sent - queued < delay + 400, qPrintable(QString::number(sent - queued)));
    QCOMPARE(log.messages().filter("writeCommand(").first(), QString("writeCommand( \"ATCXA[CR][LF]\" ), mode= 1"));
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
    QCOMPARE(log.messages().filter("writeCommand("), QStringList({"writeCommand( \"ATCXB[CR][LF]\" ), mode= 1"}));
    QCOMPARE(log.messages().filter("!! FAIL").size(), 1);
    QCOMPARE(m_closer->count(), 1);
}

void TestCalibratorPanel::refreshStartsFromAnyState()
{
    EnginePanel* panel = makePanel(kPlain);
    panel->enter(APPLY, 6);
    panel->hooks.clear();
    MessageCapture log;
    panel->writeRefresh();
    QCOMPARE(panel->hooks, QStringList({"clearAll", "setSensorMode", "setModbusMode"}));
    QCOMPARE(panel->mode(), unsigned(REFRESH));
    QCOMPARE(panel->seq(), unsigned(FIRST_SEQ));
    QCOMPARE(panel->pendingCommand(), QString("ATCXA\r\n"));
    QCOMPARE(log.messages().first(), QString("=============REFRESH MODE============="));
    // The start text is replaced at once by the poll stop.
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("Timer Stop."));
}

void TestCalibratorPanel::keywordFilterAndBanners_data()
{
    QTest::addColumn<bool>("tempMode");
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("parsed");
    QTest::newRow("refresh keyword") << false << unsigned(REFRESH) << "ATCXA1" << "-------------REFRESH MODE-------------" << "sequence:ATCXA1";
    QTest::newRow("refresh foreign line") << false << unsigned(REFRESH) << "ATCD1,2" << "-------------REFRESH MODE-------------" << "";
    QTest::newRow("apply-only keyword in refresh") << false << unsigned(REFRESH) << "ATCEXTM1" << "-------------REFRESH MODE-------------" << "";
    QTest::newRow("apply keyword") << false << unsigned(APPLY) << "ATCXQ" << "-------------APPLY MODE-------------" << "apply:ATCXQ";
    QTest::newRow("apply foreign line") << false << unsigned(APPLY) << "OK" << "-------------APPLY MODE-------------" << "";
    QTest::newRow("sensor type") << false << unsigned(SENSORTYPE) << "ATCMODE1" << "-------------SENSORTYPE MODE-------------" << "sensortype:ATCMODE1";
    QTest::newRow("default poll reply") << false << unsigned(DEFAULT) << "ATCD1,2" << "-------------DEFAULT MODE-------------" << "default:ATCD1,2";
    QTest::newRow("default echo dropped") << false << unsigned(DEFAULT) << "ATCXA1" << "-------------DEFAULT MODE-------------" << "";
    QTest::newRow("no unit: mode 2 is default") << false << unsigned(TEMPMODE) << "ATCD1,2" << "-------------DEFAULT MODE-------------" << "default:ATCD1,2";
    QTest::newRow("unit: foreign line") << true << unsigned(TEMPMODE) << "ATCD1,2" << "-------------TEMPMODE MODE-------------" << "";
}

void TestCalibratorPanel::keywordFilterAndBanners()
{
    QFETCH(bool, tempMode);
    QFETCH(unsigned, mode);
    QFETCH(QString, line);
    QFETCH(QString, banner);
    QFETCH(QString, parsed);
    EnginePanel* panel = makePanel(tempMode ? kWithUnit : kPlain);
    panel->enter(mode, FIRST_SEQ);
    MessageCapture log;
    panel->readData(line);
    QVERIFY(log.messages().contains(banner));
    QCOMPARE(panel->parsed, parsed.isEmpty() ? QStringList() : QStringList{parsed});
    // A line no parser takes changes nothing but the RX lamp.
    if (parsed.isEmpty()) {
        QCOMPARE(panel->mode(), mode);
        QCOMPARE(panel->seq(), unsigned(FIRST_SEQ));
    }
    QCOMPARE(lampState(panel->ledRx()), 3);
}

void TestCalibratorPanel::endingsUnlockAndShowTheirBoxLast_data()
{
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("hook");
    QTest::newRow("refresh end") << unsigned(REFRESH) << "ATCXEND" << "success! refresh calibration settings." << "" << "end 1 ok";
    QTest::newRow("refresh error") << unsigned(REFRESH) << "ATCXERR" << "error! refresh calibration settings." << "error! refresh calibration settings..." << "end 1 error";
    QTest::newRow("apply end") << unsigned(APPLY) << "ATCXEND" << "success! apply calibration settings." << "" << "end 4 ok";
    QTest::newRow("apply error") << unsigned(APPLY) << "ATCXERR" << "error! apply calibration settings." << "error! apply calibration settings..." << "end 4 error";
    QTest::newRow("sensor type end") << unsigned(SENSORTYPE) << "ATCMODEEND" << "success! apply sensor output mode settings." << "" << "end 3 ok";
    QTest::newRow("sensor type error") << unsigned(SENSORTYPE) << "ATCMODEERR" << "error! apply sensor output mode settings." << "error! apply sensor output mode settings..." << "end 3 error";
}

void TestCalibratorPanel::endingsUnlockAndShowTheirBoxLast()
{
    QFETCH(unsigned, mode);
    QFETCH(QString, line);
    QFETCH(QString, status);
    QFETCH(QString, box);
    QFETCH(QString, hook);
    EnginePanel* panel = makePanel(kPlain);
    panel->queue(mode, FIRST_SEQ, "ATCXA\r\n");
    panel->enter(mode, FIRST_SEQ);
    panel->hooks.clear();

    QString statusAtBox;
    bool unlockedAtBox = false;
    m_closer->setInspector([&](QWidget*) {
        statusAtBox = m_window->statusBar()->currentMessage();
        unlockedAtBox = panel->mode() == DEFAULT && panel->group->isEnabled()
                        && m_window->pollTimer()->isActive() && !panel->progress()->isAnimated();
    });
    MessageCapture log;
    panel->readData(line);
    QTRY_COMPARE(m_closer->count(), box.isEmpty() ? 0 : 1);
    QCOMPARE(m_closer->texts(), box.isEmpty() ? QStringList() : QStringList{box});
    if (!box.isEmpty()) {
        QCOMPARE(m_closer->titles(), QStringList{"ERROR"});
        QVERIFY(unlockedAtBox);
        QCOMPARE(statusAtBox, status);
    }
    QVERIFY(log.messages().contains(box.isEmpty() ? "END_SEQ" : "ERROR SEQ"));
    QVERIFY(panel->hooks.contains(hook));
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QCOMPARE(panel->seq(), 0u);
    QVERIFY(panel->group->isEnabled());
    QVERIFY(m_window->form()->actionClose_ZQ_Device->isEnabled());
    QVERIFY(m_window->pollTimer()->isActive());
    QVERIFY(!panel->progress()->isAnimated());
    QCOMPARE(m_window->statusBar()->currentMessage(), status);
}

void TestCalibratorPanel::endingCancelsWaitingCommand()
{
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = 100;
    MessageCapture log;
    // A late reply ends the sequence while its next command still waits: nothing may
    // go out afterwards in DEFAULT (it would lock the panel for good).
    panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
    panel->readData("ATCXEND");
    QCOMPARE(panel->pendingCommand(), QString());
    QTest::qWait(300);
    QVERIFY(log.messages().filter("writeCommand(").isEmpty());
    QCOMPARE(m_closer->count(), 0);
    QVERIFY(panel->group->isEnabled());
    QVERIFY(m_window->pollTimer()->isActive());

    // The same after an error ending.
    panel->queue(APPLY, FIRST_SEQ, "ATCXA 1\r\n");
    panel->readData("ATCXERR");
    QTRY_COMPARE(m_closer->count(), 1);
    QTest::qWait(300);
    QVERIFY(log.messages().filter("writeCommand(").isEmpty());
    QCOMPARE(m_closer->count(), 1);
}

void TestCalibratorPanel::sendFailureInRefreshUnlocksAfterTheBox()
{
    EnginePanel* panel = makePanel(kPlain);
    panel->hooks.clear();
    QString statusAtBox;
    bool lockedAtBox = false;
    m_closer->setInspector([&](QWidget*) {
        statusAtBox = m_window->statusBar()->currentMessage();
        lockedAtBox = panel->mode() == REFRESH && !panel->group->isEnabled()
                      && !m_window->pollTimer()->isActive() && !panel->progress()->isAnimated();
    });
    MessageCapture log;
    panel->writeRefresh();
    QTRY_COMPARE(m_closer->count(), 1);
    QCOMPARE(m_closer->titles(), QStringList{"ERROR"});
    QCOMPARE(m_closer->texts(), QStringList{"error! refresh calibration settings..."});
    QCOMPARE(statusAtBox, QString("error! refresh calibration settings."));
    QVERIFY(lockedAtBox);
    QVERIFY(log.messages().contains("!! FAIL - ( \"ATCXA[CR][LF]\" ), mode= 1"));
    QVERIFY(panel->hooks.contains("sendFailure 1"));
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QCOMPARE(panel->seq(), 0u);
    QVERIFY(panel->group->isEnabled());
    QVERIFY(m_window->pollTimer()->isActive());
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
    auto state = [&] {
        return QString("%1 %2 %3 %4").arg(panel->mode()).arg(panel->group->isEnabled())
            .arg(m_window->pollTimer()->isActive()).arg(panel->pendingCommand().trimmed());
    };
    QString statusAtOpen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() && statusAtOpen.isEmpty()) {
            statusAtOpen = m_window->statusBar()->currentMessage();
            stateAtBox << state();
        }
    });
    watch.start(2);
    m_closer->setInspector([&](QWidget*) { stateAtBox << state(); });
    MessageCapture log;
    panel->queue(APPLY, FIRST_SEQ, "ATCXA 1\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(m_closer->count(), 1, 3000);
    QVERIFY(panel->hooks.contains("sendFailure 4"));
    // Unlocked before the box, with the refresh 50 ms away ...
    QCOMPARE(statusAtOpen, QString("error! apply calibration settings."));
    QCOMPARE(stateAtBox.value(0), QString("0 1 1 "));
    // ... which starts while the box is open; the box closes while the refresh waits
    // to send, and the refresh goes on.
    QCOMPARE(stateAtBox.value(1), QString("1 0 0 ATCXA"));
    QCOMPARE(panel->mode(), unsigned(REFRESH));
    QVERIFY(!panel->group->isEnabled());
    QCOMPARE(panel->pendingCommand(), QString("ATCXA\r\n"));
    // ... and its own send fails in turn (no port).
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(m_closer->texts(), QStringList({"error! apply calibration settings...",
                                            "error! refresh calibration settings..."}));
    QCOMPARE(log.messages().filter("writeCommand(").size(), 2);
}

void TestCalibratorPanel::unitSendFailureShowsBothBoxes()
{
    EnginePanel* panel = makePanel(kWithUnit);
    QStringList statusAtBox;
    m_closer->setInspector([&](QWidget*) { statusAtBox << m_window->statusBar()->currentMessage(); });
    // Fahrenheit asked while Celsius is held: reported by the unit held.
    panel->fahrenheit->click();
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QVERIFY(!panel->group->isEnabled());
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(m_closer->texts(), QStringList({"error! write command...",
                                            "error! apply the device's temperature mode to the celsius mode..."}));
    QCOMPARE(statusAtBox, QStringList({"error! write command.",
                                       "error! apply the device's temperature mode to the celsius mode."}));
    QVERIFY(panel->celsius->isChecked());
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QVERIFY(panel->group->isEnabled());

    panel->setHeldUnit(false);
    panel->delayWriteFahrenheit();
    QTRY_COMPARE(m_closer->count(), 4);
    QCOMPARE(m_closer->texts().last(), QString("error! apply the device's temperature mode to the fahrenheit mode..."));
    QVERIFY(panel->fahrenheit->isChecked());
}

void TestCalibratorPanel::unitReply_data()
{
    QTest::addColumn<bool>("heldCelsius");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("celsius");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("box");
    QTest::newRow("fahrenheit ok") << true << "ATCFOK" << false << "success! apply the device's temperature mode to the fahrenheit mode." << "";
    QTest::newRow("celsius ok") << false << "ATCCOK" << true << "success! apply the device's temperature mode to the celsius mode." << "";
    QTest::newRow("bare ok") << false << "OK" << true << "success! apply the device's temperature mode to the celsius mode." << "";
    QTest::newRow("fail keeps celsius") << true << "ATCFFAIL" << true << "error! apply the device's temperature mode to the celsius mode." << "error! apply the device's temperature mode to the celsius mode...";
    QTest::newRow("fail keeps fahrenheit") << false << "ATCCFAIL" << false << "error! apply the device's temperature mode to the fahrenheit mode." << "error! apply the device's temperature mode to the fahrenheit mode...";
    QTest::newRow("echo without OK") << true << "ATCF" << true << "error! apply the device's temperature mode to the celsius mode." << "error! apply the device's temperature mode to the celsius mode...";
}

void TestCalibratorPanel::unitReply()
{
    QFETCH(bool, heldCelsius);
    QFETCH(QString, line);
    QFETCH(bool, celsius);
    QFETCH(QString, status);
    QFETCH(QString, box);
    EnginePanel* panel = makePanel(kWithUnit);
    panel->setHeldUnit(heldCelsius);
    panel->queue(TEMPMODE, 0, QString());
    panel->enter(TEMPMODE, 0);
    panel->hooks.clear();
    bool unlockedAtBox = false;
    m_closer->setInspector([&](QWidget*) { unlockedAtBox = panel->mode() == DEFAULT && panel->group->isEnabled(); });
    MessageCapture log;
    panel->readData(line);
    QTRY_COMPARE(m_closer->texts(), box.isEmpty() ? QStringList() : QStringList{box});
    if (!box.isEmpty())
        QVERIFY(unlockedAtBox);
    QCOMPARE(panel->isCelsius(), celsius);
    QCOMPARE(panel->celsius->isChecked(), celsius);
    QCOMPARE(panel->fahrenheit->isChecked(), !celsius);
    QCOMPARE(m_window->statusBar()->currentMessage(), status);
    QCOMPARE(panel->hooks, QStringList{"setSensorMode"});
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QVERIFY(panel->group->isEnabled());
    QVERIFY(m_window->pollTimer()->isActive());
    QVERIFY(!panel->progress()->isAnimated());
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
    QVERIFY(!panel->group->isEnabled());
    QVERIFY(panel->progress()->isAnimated());
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    const QString sending = "change the device's temperature mode to the fahrenheit mode...";
    QTRY_VERIFY(shown.when(sending) >= 0);
    QVERIFY(shown.when(sending) - clicked >= 99);
    QCOMPARE(log.messages().filter("writeCommand(").first(), QString("writeCommand( \"ATCF[CR][LF]\" ), mode= 2"));
    QTRY_COMPARE(m_closer->count(), 2);
}

void TestCalibratorPanel::lampsFlashIndependently()
{
    EnginePanel* panel = makePanel(kPlain);
    QCOMPARE(lampState(panel->ledTx()), 1);
    QCOMPARE(lampState(panel->ledRx()), 1);
    QElapsedTimer clock;
    clock.start();
    panel->writeData("ATCD\r\n");
    QCOMPARE(lampState(panel->ledTx()), 2);
    QCOMPARE(lampState(panel->ledRx()), 1);
    QTest::qWait(150);
    panel->writeData("ATCD\r\n");
    QCOMPARE(lampState(panel->ledTx()), 2);
    // The first flash's 300 ms end the lamp, though the second is younger.
    QTRY_COMPARE_WITH_TIMEOUT(lampState(panel->ledTx()), 1, 1000);
    QVERIFY2(clock.elapsed() >= 299 && clock.elapsed() < 440, qPrintable(QString::number(clock.elapsed())));

    panel->readData("ATCD1,2");
    QCOMPARE(lampState(panel->ledRx()), 3);
    QCOMPARE(lampState(panel->ledTx()), 1);
    QTRY_COMPARE_WITH_TIMEOUT(lampState(panel->ledRx()), 1, 1000);
}

void TestCalibratorPanel::pollStampsTheChartTime()
{
    EnginePanel* panel = makePanel(kPlain);
    // Without a port the poll write fails, but the lamp and the time are still taken.
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(!panel->writeData("ATCD\r\n"));
    const QDateTime stamp = panel->lastWrite();
    QVERIFY(stamp >= before && stamp <= QDateTime::currentDateTime());
    QCOMPARE(panel->time(), chartTime2(stamp.toSecsSinceEpoch()) + stamp.time().msec() / 1000.0);
    // Commands of a sequence do not move it.
    QTest::qWait(20);
    panel->send(APPLY, FIRST_SEQ, "ATCXA 1\r\n");
    QTRY_COMPARE(m_closer->count(), 1);
    QCOMPARE(panel->lastWrite(), stamp);
    // A panel without a main window neither flashes nor stamps.
    EnginePanel lone(kPlain, nullptr);
    const QDateTime loneStamp = lone.lastWrite();
    QTest::qWait(5);
    QVERIFY(!lone.writeData("ATCD\r\n"));
    QCOMPARE(lampState(lone.ledTx()), 1);
    QCOMPARE(lone.lastWrite(), loneStamp);
}

void TestCalibratorPanel::liveReadingsOnLcdsAndCharts()
{
    EnginePanel* panel = makePanel(kPlain);
    panel->writeData("ATCD\r\n");
    const double x = panel->time();
    panel->readData("ATCD23.45,56.70");
    QCOMPARE(panel->lcd[0]->value(), 23.45);
    QCOMPARE(panel->lcd[1]->value(), 56.7);
    QCOMPARE(panel->getCurrentValue(1), 23.45);
    QCOMPARE(panel->getCurrentValue(2), 56.7);
    QCOMPARE(panel->getCurrentValue(0), -99999.999);
    QCOMPARE(panel->getCurrentValue(3), -99999.999);
    QCOMPARE(panel->chart[0]->timeStamps()[ChartView::SampleCount - 1], x);
    QCOMPARE(panel->chart[0]->values()[ChartView::SampleCount - 1], 23.45);
    QCOMPARE(panel->chart[1]->values()[ChartView::SampleCount - 1], 56.7);

    // A field without a number is no value, shown like "----", never 0.
    panel->readData("ATCD----,");
    QCOMPARE(panel->chart[0]->values()[ChartView::SampleCount - 1], NoValue);
    QCOMPARE(panel->chart[1]->values()[ChartView::SampleCount - 1], NoValue);
    QCOMPARE(panel->chart[0]->timeStamps()[ChartView::SampleCount - 1], x);
    panel->readData("ATCD12.5");
    QCOMPARE(panel->chart[0]->values()[ChartView::SampleCount - 1], 12.5);
    QCOMPARE(panel->chart[1]->values()[ChartView::SampleCount - 1], NoValue);

    // Two replies to one poll write replace one point; the next poll adds one.
    QTest::qWait(5);
    panel->writeData("ATCD\r\n");
    panel->readData("ATCD1,2");
    QVERIFY(panel->chart[0]->timeStamps()[ChartView::SampleCount - 1] > x);
}

void TestCalibratorPanel::calibrationTimeBehindPassword()
{
    EnginePanel* panel = makePanel(kPlain);
    m_closer->setAnswer(QMessageBox::Yes);
    // Yes in DEFAULT: the password dialog opens (the closer then closes it too).
    panel->slotExecDateTime();
    QTRY_COMPARE(m_closer->count(), 2);
    QCOMPARE(m_closer->titles().first(), QString("Last Calibration Time"));
    QCOMPARE(m_closer->texts().first(), QString("Do you want to change the update time?"));
    QCOMPARE(m_closer->titles().last(), panel->passwordDialog()->windowTitle());

    // Yes while a sequence runs: nothing.
    panel->enter(REFRESH, FIRST_SEQ);
    panel->slotExecDateTime();
    QTest::qWait(100);
    QCOMPARE(m_closer->count(), 3);
    QVERIFY(!panel->passwordDialog()->isVisible());

    // No: nothing either.
    panel->enter(DEFAULT, 0);
    m_closer->setAnswer(QMessageBox::No);
    panel->slotExecDateTime();
    QTest::qWait(100);
    QCOMPARE(m_closer->count(), 4);
    QVERIFY(!panel->passwordDialog()->isVisible());

    // A wrong password only says so.
    emit panel->passwordDialog()->pwdFail();
    QTRY_COMPARE(m_closer->count(), 5);
    QCOMPARE(m_closer->titles().last(), QString("Error"));
    QCOMPARE(m_closer->texts().last(), QString("The password is wrong."));
    QCOMPARE(panel->pendingCommand(), QString());

    // The right one queues the time, whatever the mode.
    CommandDelay = 500;
    panel->enter(REFRESH, FIRST_SEQ);
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
    QCOMPARE(panel->mode(), unsigned(APPLY));
    QVERIFY(!panel->group->isEnabled());
    QTRY_COMPARE(panel->mode(), unsigned(REFRESH));
}

void TestCalibratorPanel::factoryReset()
{
    EnginePanel* panel = makePanel(kPlain);
    CommandDelay = 1000;
    delete m_closer;
    m_closer = new ModalCloser(150);
    m_closer->setAnswer(QMessageBox::Yes);
    panel->enter(REFRESH, FIRST_SEQ);
    panel->slotFactoryReset();
    QTRY_COMPARE(m_closer->count(), 1);
    QCOMPARE(m_closer->titles().first(), QString("Factory Reset"));
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
    QCOMPARE(m_closer->titles().last(), QString("Factory Reset"));
    QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is failed!"));
    QCOMPARE(m_window->statusBar()->currentMessage(), QString("success! apply calibration settings."));
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QVERIFY(panel->group->isEnabled());

    // Done: the refresh starts 50 ms later, while the box is still open.
    QString modeAtBox;
    m_closer->setInspector([&](QWidget*) { modeAtBox = QString::number(panel->mode()); });
    panel->queue(APPLY, 4, "ATCFTRST\r\n");
    panel->enter(APPLY, 4);
    panel->readData("ATCFTRSTOK");
    QTRY_COMPARE(m_closer->count(), 4);
    QCOMPARE(m_closer->titles().last(), QString("Factory Reset"));
    QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is completed."));
    QCOMPARE(modeAtBox, QString::number(REFRESH));
    QCOMPARE(panel->mode(), unsigned(REFRESH));
}

void TestCalibratorPanel::panelRemovedWhileItsBoxIsOpen()
{
    EnginePanel* panel = makePanel(kWithUnit);
    QPointer<EnginePanel> watch(panel);
    // The instrument goes away while the refresh error box is open.
    m_closer->setInspector([&](QWidget* box) {
        QVERIFY(box->parentWidget() == m_window);
        if (m_window->calibrator())
            m_window->closeQuorvelDevice();
    });
    panel->enter(REFRESH, FIRST_SEQ);
    panel->readData("ATCXERR");
    QVERIFY(watch.isNull());
    QCOMPARE(m_closer->count(), 1);

    // The same inside a send failure, and inside the unit failure's two boxes.
    panel = makePanel(kWithUnit);
    watch = panel;
    panel->writeRefresh();
    QTRY_VERIFY(watch.isNull());
    QCOMPARE(m_closer->count(), 2);

    panel = makePanel(kWithUnit);
    watch = panel;
    panel->fahrenheit->click();
    QTRY_VERIFY(watch.isNull());
    QTest::qWait(100);
    QCOMPARE(m_closer->count(), 3);
    QVERIFY(m_window->calibrator() == nullptr);
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

void TestCalibratorPanel::texts_inThePanelContext()
{
    EnginePanel* panel = makePanel(kPlain);
    ContextTranslator contexts;
    QCoreApplication::installTranslator(&contexts);
    QCOMPARE(panel->translated("error! write command."), QString("panel wording"));
    QCOMPARE(panel->translated("error! write command..."), QString("engine wording"));
    QCoreApplication::removeTranslator(&contexts);

    // The Korean file carries the engine's texts.
    QTranslator translator;
    QVERIFY(loadTranslation(translator, "ko_KR", ZQ_QM_DIR));
    QCoreApplication::installTranslator(&translator);
    // The panel's own context first, the engine's when the panel has no wording of its own.
    const QString korean = panel->translated("success! refresh calibration settings.");
    QVERIFY(korean != "success! refresh calibration settings.");
    QCOMPARE(korean, QCoreApplication::translate("CalibratorPanel", "success! refresh calibration settings."));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(panel->translated("success! refresh calibration settings."),
             QString("success! refresh calibration settings."));
}

QTEST_MAIN(TestCalibratorPanel)
#include "test_calibratorpanel.moc"
