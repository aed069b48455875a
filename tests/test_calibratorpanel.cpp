// The calibrator engine on a small panel of its own, inside a real main window without
// a port: every send fails there, so a send shows up as a failure box and its debug line.
#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QLCDNumber>
#include <QPointer>
#include <QRadioButton>
#include <QStatusBar>
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

enum : unsigned { FIRST_SEQ = 4, END_SEQ = 8, ERROR_SEQ = 9 };

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
// "END" ends the sequence, "ERR" fails it; "ATCFTRST" and "ATCEXTM" lines are the
// factory-reset and calibration-time echoes.
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

    using CalibratorPanel::channelDigit;
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
    }
    void setSensorMode() override { hooks << "setSensorMode"; }
    void onSequenceEnd(unsigned mode, bool success) override
    {
        hooks << QString("end %1 %2").arg(mode).arg(success ? "ok" : "error");
    }
    void onSendFailure(unsigned mode) override { hooks << QString("sendFailure %1").arg(mode); }
};

constexpr int kLast = ChartView::SampleCount - 1;
const QString kUnlocked = "0 1 1 0";

} // namespace

class TestCalibratorPanel : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 50;
        m_window = new MainWindow;
        m_closer = new ModalCloser(20);
    }

    void cleanup()
    {
        delete m_window;
        delete m_closer;
        setCalibratorFactory(62, nullptr);
    }

    void channelDigitStaysInRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("channelCount");
        QTest::addColumn<int>("expected");
        QTest::newRow("last") << "21.5" << 2 << 2;
        QTest::newRow("above the panel") << "31.5" << 4 << 0;
        QTest::newRow("above ChannelCount") << "21.5" << 1 << 0;
        QTest::newRow("zero") << "01.5" << 2 << 0;
        QTest::newRow("missing") << "" << 2 << 0;
        QTest::newRow("not a digit") << "-1.5" << 2 << 0;
        QTest::newRow("other digit system") << QString(QChar(0x0661)) + "1.5" << 2 << 0;
    }

    void channelDigitStaysInRange()
    {
        QFETCH(QString, text);
        QFETCH(int, channelCount);
        QFETCH(int, expected);
        ChannelCount = channelCount;
        QCOMPARE(EnginePanel::channelDigit(text, 2), expected);
    }

    void liveReadings_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("second");
        QTest::newRow("two fields") << "ATCD23.45,56.70" << 23.45 << 56.7;
        QTest::newRow("more fields ignored") << "ATCD1,2,3" << 1.0 << 2.0;
        QTest::newRow("no value") << "ATCD----,5" << NoValue << 5.0;
        QTest::newRow("one field") << "ATCD12.5" << 12.5 << NoValue;
        QTest::newRow("empty and not a number") << "ATCD,1x" << NoValue << NoValue;
        QTest::newRow("not finite") << "ATCDinf,nan" << NoValue << NoValue;
    }

    void liveReadings()
    {
        QFETCH(QString, line);
        QFETCH(double, first);
        QFETCH(double, second);
        EnginePanel* panel = makePanel(kPlain);
        // Without a port the poll write fails, but the lamp and the time are still taken.
        QVERIFY(!panel->writeData("ATCD\r\n"));
        const QDateTime stamp = panel->lastWrite();
        const double x = chartTime2(stamp.toSecsSinceEpoch()) + stamp.time().msec() / 1000.0;
        QCOMPARE(panel->time(), x);
        panel->readData(line);
        QCOMPARE(panel->ledTx()->state(), 2);
        QCOMPARE(panel->ledRx()->state(), 3);
        QCOMPARE(panel->chart[0]->timeStamps()[kLast], x);
        QCOMPARE(panel->chart[0]->values()[kLast], first);
        QCOMPARE(panel->chart[1]->values()[kLast], second);
        // A channel without a number reads NaN, never the 0 its LCD shows for "----".
        if (first == NoValue)
            QVERIFY(qIsNaN(panel->getCurrentValue(1)));
        else
            QCOMPARE(panel->getCurrentValue(1), panel->lcd[0]->value());
        QCOMPARE(panel->getCurrentValue(3), -99999.999);
        // A panel without a main window neither flashes nor stamps.
        EnginePanel lone(kPlain, nullptr);
        QVERIFY(!lone.writeData("ATCD\r\n"));
        QCOMPARE(lone.ledTx()->state(), 1);
    }

    void commandGoesOutAfterCommandDelay_data()
    {
        QTest::addColumn<int>("delay");
        for (int d : {50, 100, 300, 500})
            QTest::newRow(qPrintable(QString::number(d) + "ms")) << d;
    }

    void commandGoesOutAfterCommandDelay()
    {
        QFETCH(int, delay);
        EnginePanel* panel = makePanel(kPlain);
        CommandDelay = delay;
        MessageCapture log;
        StatusLog shown(m_window);
        const QDateTime stamp = panel->lastWrite();
        panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
        QCOMPARE(state(panel), QString("1 0 0 1"));
        // The send fails at once (no port), and says so.
        const QString failed = "error! refresh calibration settings.";
        QTRY_VERIFY_WITH_TIMEOUT(shown.when(failed) >= 0, delay + 2000);
        QVERIFY2(shown.when(failed) >= delay - 1 && shown.when(failed) < delay + 400,
                 qPrintable(QString::number(shown.when(failed))));
        QCOMPARE(log.messages().filter("writeCommand("), QStringList{"writeCommand(ATCXA[CR][LF]), mode=1"});
        // Only the poll write moves the chart time.
        QCOMPARE(panel->lastWrite(), stamp);
    }

    void newestQueuedCommandGoesOutOnce()
    {
        EnginePanel* panel = makePanel(kPlain);
        CommandDelay = 100;
        MessageCapture log;
        // A double click on REFRESH: the newest query goes out once, and a timer that
        // finds nothing waiting neither sends nor reports anything.
        panel->queue(REFRESH, FIRST_SEQ, "ATCXA\r\n");
        QTest::qWait(30);
        panel->queue(REFRESH, FIRST_SEQ, "ATCXB\r\n");
        QTRY_COMPARE(m_closer->count(), 1);
        QTest::qWait(300);
        QCOMPARE(log.messages().filter("writeCommand("), QStringList{"writeCommand(ATCXB[CR][LF]), mode=1"});
        QCOMPARE(m_closer->count(), 1);
    }

    void keywordFilter_data()
    {
        QTest::addColumn<bool>("tempMode");
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("parsed");
        QTest::newRow("refresh keyword") << false << unsigned(REFRESH) << "ATCXA1" << "sequence:ATCXA1";
        QTest::newRow("refresh foreign line") << false << unsigned(REFRESH) << "ATCD1,2" << "";
        QTest::newRow("apply-only keyword in refresh") << false << unsigned(REFRESH) << "ATCEXTM1" << "";
        QTest::newRow("apply keyword") << false << unsigned(APPLY) << "ATCXQ" << "apply:ATCXQ";
        QTest::newRow("sensor type") << false << unsigned(SENSORTYPE) << "ATCMODE1" << "sensortype:ATCMODE1";
        QTest::newRow("default poll reply") << false << unsigned(DEFAULT) << "ATCD1,2" << "default:ATCD1,2";
        QTest::newRow("no unit: mode 2 is default") << false << unsigned(TEMPMODE) << "ATCD1,2" << "default:ATCD1,2";
        QTest::newRow("unit: poll reply dropped") << true << unsigned(TEMPMODE) << "ATCD1,2" << "";
    }

    void keywordFilter()
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

    void replyEndsTheSequence_data()
    {
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("box"); // the status text with ".." added
        QTest::addColumn<bool>("heldCelsius");
        QTest::addColumn<bool>("celsius");
        const char* refreshOk = "success! refresh calibration settings.";
        const char* applyOk = "success! apply calibration settings.";
        const char* sensorOk = "success! apply sensor output mode settings.";
        const char* celsiusOk = "success! apply the device's temperature mode to the celsius mode.";
        const char* fahrenheitOk = "success! apply the device's temperature mode to the fahrenheit mode.";
        const char* celsiusError = "error! apply the device's temperature mode to the celsius mode.";
        const char* fahrenheitError = "error! apply the device's temperature mode to the fahrenheit mode.";
        QTest::newRow("refresh end") << unsigned(REFRESH) << "ATCXEND" << refreshOk << false << true << true;
        QTest::newRow("refresh error") << unsigned(REFRESH) << "ATCXERR" << "error! refresh calibration settings." << true << true << true;
        QTest::newRow("apply end") << unsigned(APPLY) << "ATCXEND" << applyOk << false << true << true;
        QTest::newRow("apply error") << unsigned(APPLY) << "ATCXERR" << "error! apply calibration settings." << true << true << true;
        QTest::newRow("sensor type end") << unsigned(SENSORTYPE) << "ATCMODEEND" << sensorOk << false << true << true;
        QTest::newRow("sensor type error") << unsigned(SENSORTYPE) << "ATCMODEERR" << "error! apply sensor output mode settings." << true << true << true;
        QTest::newRow("unit fahrenheit ok") << unsigned(TEMPMODE) << "ATCFOK" << fahrenheitOk << false << true << false;
        QTest::newRow("unit celsius ok") << unsigned(TEMPMODE) << "ATCCOK" << celsiusOk << false << false << true;
        // Without "OK" the instrument kept its unit: an error, by the unit held.
        QTest::newRow("unit fail, celsius held") << unsigned(TEMPMODE) << "ATCFFAIL" << celsiusError << true << true << true;
        QTest::newRow("unit fail, fahrenheit held") << unsigned(TEMPMODE) << "ATCCFAIL" << fahrenheitError << true << false << false;
        QTest::newRow("unit echo without OK") << unsigned(TEMPMODE) << "ATCF" << celsiusError << true << true << true;
    }

    void replyEndsTheSequence()
    {
        QFETCH(unsigned, mode);
        QFETCH(QString, line);
        QFETCH(QString, status);
        QFETCH(bool, box);
        QFETCH(bool, heldCelsius);
        QFETCH(bool, celsius);
        EnginePanel* panel = makePanel(mode == TEMPMODE ? kWithUnit : kPlain);
        CommandDelay = 100;
        panel->setHeldUnit(heldCelsius);
        // The reply comes while a command still waits (a late reply, or REFRESH pressed
        // while a unit change was on its way): it is dropped, else it would go out in
        // DEFAULT, its reply be dropped and the panel stay locked for good.
        panel->queue(mode, mode == TEMPMODE ? 0 : FIRST_SEQ, "ATCXA\r\n");
        QString atBox;
        m_closer->setInspector([&](QWidget*) { atBox = m_window->statusBar()->currentMessage() + " " + state(panel); });
        MessageCapture log;
        panel->readData(line);
        QTRY_COMPARE(m_closer->texts(), box ? QStringList{status + ".."} : QStringList());
        // Unlocked before the box.
        if (box)
            QCOMPARE(atBox, status + " " + kUnlocked);
        QCOMPARE(state(panel), kUnlocked);
        QCOMPARE(panel->seq(), 0u);
        QVERIFY(m_window->form()->actionClose_ZQ_Device->isEnabled());
        QCOMPARE(m_window->statusBar()->currentMessage(), status);
        if (mode == TEMPMODE) {
            QCOMPARE(panel->isCelsius(), celsius);
            QCOMPARE(panel->celsius->isChecked(), celsius);
            QCOMPARE(panel->fahrenheit->isChecked(), !celsius);
        } else {
            QVERIFY(panel->hooks.contains(QString("end %1 %2").arg(mode).arg(box ? "error" : "ok")));
        }
        QCOMPARE(panel->pendingCommand(), QString());
        QTest::qWait(250);
        QVERIFY(log.messages().filter("writeCommand(").isEmpty());
    }

    void sendFailure_data()
    {
        QTest::addColumn<bool>("unit");
        QTest::addColumn<bool>("heldCelsius");
        QTest::addColumn<QStringList>("atBoxes"); // box text | status, mode, lock, poll, spinner
        QTest::newRow("refresh") << false << true
            << QStringList{"error! refresh calibration settings...|error! refresh calibration settings. 1 0 0 0"};
        // A unit change reports writeCommand's box, then the unit's by the unit held,
        // whichever was asked for.
        QTest::newRow("unit, celsius held") << true << true
            << QStringList{"error! write command...|error! write command. 2 0 0 0",
                           "error! apply the device's temperature mode to the celsius mode...|"
                           "error! apply the device's temperature mode to the celsius mode. 0 1 1 0"};
        QTest::newRow("unit, fahrenheit held") << true << false
            << QStringList{"error! write command...|error! write command. 2 0 0 0",
                           "error! apply the device's temperature mode to the fahrenheit mode...|"
                           "error! apply the device's temperature mode to the fahrenheit mode. 0 1 1 0"};
    }

    void sendFailure()
    {
        QFETCH(bool, unit);
        QFETCH(bool, heldCelsius);
        QFETCH(QStringList, atBoxes);
        EnginePanel* panel = makePanel(kWithUnit);
        panel->setHeldUnit(heldCelsius);
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
        QCOMPARE(panel->celsius->isChecked(), heldCelsius);
        QCOMPARE(panel->hooks.contains("sendFailure 1"), !unit);
        QCOMPARE(state(panel), kUnlocked);
        // No retry.
        QTest::qWait(200);
        QCOMPARE(log.messages().filter("writeCommand(").size(), 1);
    }

    void sendFailureInApplyUnlocksFirstAndRefreshes()
    {
        EnginePanel* panel = makePanel(kPlain);
        CommandDelay = 300;
        delete m_closer;
        m_closer = new ModalCloser(200);
        // What the box sees when it opens, and just before it closes.
        QStringList atBox;
        auto look = [&] { return m_window->statusBar()->currentMessage() + " " + state(panel) + " " + panel->pendingCommand().trimmed(); };
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() && atBox.isEmpty())
                atBox << look();
        });
        watch.start(2);
        m_closer->setInspector([&](QWidget*) { atBox << look(); });
        panel->queue(APPLY, FIRST_SEQ, "ATCXA 1\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(m_closer->count(), 1, 3000);
        QVERIFY(panel->hooks.contains("sendFailure 4"));
        // Unlocked before the box, with the refresh 50 ms away, which starts while the box
        // is open; closing the box does not undo it ...
        QCOMPARE(atBox, QStringList({"error! apply calibration settings. 0 1 1 0 ", "Timer Stop. 1 0 0 1 ATCXA"}));
        QCOMPARE(state(panel), QString("1 0 0 1"));
        // ... and its own send fails in turn (no port).
        QTRY_COMPARE(m_closer->count(), 2);
        QCOMPARE(m_closer->texts().last(), QString("error! refresh calibration settings..."));
    }

    void userActionsOnlyFromDefault()
    {
        EnginePanel* panel = makePanel(kWithUnit);
        CommandDelay = 100;
        m_closer->setAnswer(QMessageBox::Yes);
        MessageCapture log;
        // Yes while a sequence runs: no unit command, no password, no factory reset.
        panel->enter(APPLY, FIRST_SEQ);
        panel->slotChangeTempMode(101);
        panel->slotExecDateTime();
        QTRY_COMPARE(m_closer->count(), 1);
        panel->slotFactoryReset();
        QTRY_COMPARE(m_closer->count(), 2);
        QTest::qWait(250);
        QCOMPARE(m_closer->count(), 2);
        QCOMPARE(panel->pendingCommand(), QString());
        QVERIFY(log.messages().filter("writeCommand(").isEmpty());

        // In DEFAULT the unit command goes out CommandDelay ms after the click.
        panel->enter(DEFAULT, 0);
        StatusLog shown(m_window);
        panel->slotChangeTempMode(101);
        QCOMPARE(state(panel), QString("0 0 0 1"));
        const QString sending = "change the device's temperature mode to the fahrenheit mode...";
        QTRY_VERIFY(shown.when(sending) >= 99);
        QCOMPARE(log.messages().filter("writeCommand("), QStringList{"writeCommand(ATCF[CR][LF]), mode=2"});
    }

    void calibrationTimeBehindPassword()
    {
        EnginePanel* panel = makePanel(kPlain);
        m_closer->setAnswer(QMessageBox::Yes);
        // Yes: the password dialog opens (the closer then closes it too).
        panel->slotExecDateTime();
        QTRY_COMPARE(m_closer->count(), 2);
        QCOMPARE(m_closer->texts().first(), QString("Do you want to change the update time?"));
        QCOMPARE(m_closer->titles().last(), panel->passwordDialog()->windowTitle());
        // A wrong password only says so.
        emit panel->passwordDialog()->pwdFail();
        QTRY_COMPARE(m_closer->texts().value(2), QString("The password is wrong."));
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
        QCOMPARE(panel->seq(), 7u);
        // Its echo refreshes 50 ms later without ending the apply.
        panel->readData("ATCEXTM" + QString::number(secs));
        QCOMPARE(state(panel), QString("4 0 0 1"));
        QTRY_COMPARE(panel->mode(), unsigned(REFRESH));
    }

    void factoryReset()
    {
        EnginePanel* panel = makePanel(kPlain);
        CommandDelay = 1000;
        delete m_closer;
        m_closer = new ModalCloser(150);
        m_closer->setAnswer(QMessageBox::Yes);
        panel->slotFactoryReset();
        QTRY_COMPARE(m_closer->count(), 1);
        QCOMPARE(m_closer->texts().first(), QString("Your work will be erased. Would you like to continue?"));
        QCOMPARE(panel->pendingCommand(), QString("ATCFTRST\r\n"));
        QCOMPARE(panel->seq(), 4u);

        // Refused: its box (the step already done), then the apply ends as a failure
        // without a second box.
        int stepAtBox = -1;
        m_closer->setInspector([&](QWidget*) { stepAtBox = int(panel->seq()); });
        panel->readData("ATCFTRSTFAIL");
        QTRY_COMPARE(m_closer->count(), 2);
        m_closer->setInspector(nullptr);
        QCOMPARE(stepAtBox, 0);
        QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is failed!"));
        QCOMPARE(m_window->statusBar()->currentMessage(), QString("error! apply calibration settings."));
        QCOMPARE(state(panel), kUnlocked);
        QTest::qWait(200);
        QCOMPARE(m_closer->count(), 2);
        QCOMPARE(panel->mode(), unsigned(DEFAULT));

        // Done: the refresh starts 50 ms later, while the box is still open.
        QString modeAtBox;
        m_closer->setInspector([&](QWidget*) { modeAtBox = QString::number(panel->mode()); });
        panel->enter(APPLY, 4);
        panel->readData("ATCFTRSTOK");
        QTRY_COMPARE(m_closer->count(), 3);
        QCOMPARE(m_closer->texts().last(), QString("the Factory Reset is completed."));
        QCOMPARE(modeAtBox, QString::number(REFRESH));
    }

    void panelRemovedWhileItsBoxIsOpen()
    {
        // The instrument goes away while a box of the panel is open: a send failure, and
        // the first of the unit failure's two boxes.
        m_closer->setInspector([&](QWidget* box) {
            QVERIFY(box->parentWidget() == m_window);
            if (m_window->calibrator())
                m_window->closeQuorvelDevice();
        });
        for (int round = 0; round < 2; ++round) {
            EnginePanel* panel = makePanel(kWithUnit);
            QPointer<EnginePanel> watch(panel);
            if (round == 0)
                panel->writeRefresh();
            else
                panel->fahrenheit->click();
            QTRY_VERIFY(watch.isNull());
            QTest::qWait(100);
            QCOMPARE(m_closer->count(), round + 1);
            QVERIFY(m_window->calibrator() == nullptr);
        }
    }

private:
    // The panel as the main window holds it, so that its controlEnable is reached.
    EnginePanel* makePanel(PanelDescription const& desc)
    {
        setCalibratorFactory(62, [&desc](int, QString const&, unsigned, QString const&, QWidget* parent) {
            return new EnginePanel(desc, parent);
        });
        m_window->setVersion("ZQ62v3");
        return dynamic_cast<EnginePanel*>(m_window->calibrator());
    }

    // "<mode> <groups enabled> <polling> <spinner turning>"
    QString state(EnginePanel* panel) const
    {
        return QString("%1 %2 %3 %4").arg(panel->mode()).arg(panel->group->isEnabled())
            .arg(m_window->pollTimer()->isActive()).arg(panel->progress()->isAnimated());
    }

    MainWindow* m_window = nullptr;
    ModalCloser* m_closer = nullptr;
};

QTEST_MAIN(TestCalibratorPanel)
#include "test_calibratorpanel.moc"
