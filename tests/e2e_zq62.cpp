// The ZQ62 panel end to end: the real main window on a mocked USB instrument that plays
// a ZQ62 (tests/support/sim_zq62.cpp).
#include <umockdev.h> // before any Qt header (glib's "signals")

#include <QAction>
#include <QDoubleSpinBox>
#include <QLCDNumber>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "chartview.h"
#include "e2erig.h"
#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modalcloser.h"
#include "qledindicator.h"
#include "qprogressindicator.h"
#include "resizelabel.h"
#include "selectdevice.h"
#include "statuslog.h"
#include "ui_mainwindow.h"
#include "ui_zq62calibrator.h"
#include "zq62calibrator.h"
#include "zqchart.h"

namespace {

constexpr int kReadyWaitMs = 10000;
constexpr int kScanWaitMs = 3000;
// Room for a loaded machine under the sanitizers.
constexpr qint64 kSlackMs = 400;
constexpr int kLast = ChartView::SampleCount - 1;

Zq62Calibrator* zq62(E2eRig& rig)
{
    return rig.window() ? dynamic_cast<Zq62Calibrator*>(rig.window()->calibrator()) : nullptr;
}

// The panel exists, no sequence runs and the poll runs.
bool idle(E2eRig& rig)
{
    Zq62Calibrator* panel = zq62(rig);
    return panel && panel->mode() == DEFAULT && rig.window()->pollTimer()->isActive();
}

bool waitIdle(E2eRig& rig, int timeoutMs = kReadyWaitMs)
{
    return QTest::qWaitFor([&] { return idle(rig); }, timeoutMs);
}

// Plugs a ZQ62 in, starts the main window and waits for the first refresh to end.
InstrumentSimulator* startZq62(E2eRig& rig)
{
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->setReadings({"23.45", "56.70"});
    rig.start();
    return waitIdle(rig) ? sim : nullptr;
}

// A ZQ62 plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyZq62
{
    ReadyZq62()
    {
        sim = startZq62(rig);
        panel = zq62(rig);
        ui = panel ? panel->form() : nullptr;
        if (sim)
            sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    Zq62Calibrator* panel = nullptr;
    Ui::Zq62Calibrator* ui = nullptr;
};

void pressApply(Zq62Calibrator* panel, int channel)
{
    auto* button = panel->findChild<QToolButton*>(QString("toolButton_offset_apply_ch%1").arg(channel));
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

// Positions of texts in the status log, in the order given; -1 for a missing one.
QList<int> positions(QStringList const& shown, QStringList const& texts)
{
    QList<int> at;
    int from = 0;
    for (QString const& text : texts) {
        int i = from;
        while (i < shown.size() && !shown.at(i).startsWith(text))
            ++i;
        at << (i < shown.size() ? i : -1);
        from = i + 1;
    }
    return at;
}

void clickFirstButton(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        box->buttons().first()->click();
    else
        modal->close();
}

} // namespace

class E2eZq62 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void plugInRefreshesThenPolls_data();
    void plugInRefreshesThenPolls();
    void liveFieldsWithoutANumber();
    void offsetApplyEndsOnTheEcho();
    void unitChangeAndItsFailure();
    void refreshButtonRestartsTheSequence();
    void garbledRefreshReplyEndsInTheErrorBox_data();
    void garbledRefreshReplyEndsInTheErrorBox();
    void garbledApplyEchoEndsInTheErrorBox();
    void unplugInTheMiddleOfARefresh();
    void unplugWhileABoxIsOpen_data();
    void unplugWhileABoxIsOpen();
};

void E2eZq62::init()
{
    ChannelCount = 0;
}

void E2eZq62::plugInRefreshesThenPolls_data()
{
    QTest::addColumn<int>("delay");
    QTest::newRow("50 ms") << 50;
    QTest::newRow("300 ms") << 300;
}

void E2eZq62::plugInRefreshesThenPolls()
{
    QFETCH(int, delay);
    E2eRig rig;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->setSetting("ATCOFF1", "1.50");
    sim->setSetting("ATCOFF2", "-0.25");
    sim->setReadings({"23.45", "56.70"});
    MainWindow* w = rig.start();
    CommandDelay = delay;
    StatusLog shown(w);
    QVERIFY(waitIdle(rig));
    Zq62Calibrator* panel = zq62(rig);
    Ui::Zq62Calibrator* ui = panel->form();

    // Exactly these, in this order, before the first poll.
    const QByteArrayList lines = sim->commandLines();
    QCOMPARE(lines.mid(0, 4), QByteArrayList({"ATCVER", "ATCOFF1", "ATCOFF2", "ATCC"}));
    for (QByteArray const& line : lines.mid(4))
        QCOMPARE(line, QByteArray("ATCD"));
    // Each query CommandDelay after the reply before it; the unit command at once.
    const qint64 version = sim->timesOf("ATCVER").first();
    const qint64 first = sim->timesOf("ATCOFF1").first();
    const qint64 second = sim->timesOf("ATCOFF2").first();
    const qint64 unit = sim->timesOf("ATCC").first();
    QVERIFY2(first - version >= delay - 1 && first - version < delay + kSlackMs, qPrintable(QString::number(first - version)));
    QVERIFY2(second - first >= delay - 1 && second - first < delay + kSlackMs, qPrintable(QString::number(second - first)));
    QVERIFY2(unit - second < kSlackMs, qPrintable(QString::number(unit - second)));

    QCOMPARE(ui->doubleSpinBox_offset_ch1->value(), 1.5);
    QCOMPARE(ui->doubleSpinBox_offset_ch2->value(), -0.25);
    QCOMPARE(ui->label_model->text(), QString("ZQ621v5"));
    QCOMPARE(ui->label_serial->text(), QString("A1B2C3"));
    const QList<int> order = positions(shown.texts(), {
        "get the device's information...", "Timer Stop.",
        "success! refresh calibration settings.",
        "change the device's temperature mode to the celsius mode...", "Timer Stop.",
        "success! apply the device's temperature mode to the celsius mode."});
    QVERIFY2(!order.contains(-1), qPrintable(shown.texts().join(" | ")));
    QCOMPARE(rig.status(), "success! apply the device's temperature mode to the celsius mode. - [" + rig.portName() + "]");
    QVERIFY(panel->isCelsius());
    QVERIFY(ui->radioButton_celsius->isChecked());

    // Unlocked, then polled every second with the readings shown and charted.
    QVERIFY(ui->groupBox_ch1->isEnabled());
    QVERIFY(ui->groupBox_tempoutput->isEnabled());
    QVERIFY(w->form()->actionClose_ZQ_Device->isEnabled());
    QVERIFY(!panel->progress()->isAnimated());
    QVERIFY(sim->waitForCommand("ATCD", 3000, 2));
    const QList<qint64> polls = sim->timesOf("ATCD");
    QVERIFY2(polls.at(0) - unit < 1000 + kSlackMs, qPrintable(QString::number(polls.at(0) - unit)));
    QVERIFY2(polls.at(1) - polls.at(0) > 1000 - kSlackMs && polls.at(1) - polls.at(0) < 1000 + kSlackMs,
             qPrintable(QString::number(polls.at(1) - polls.at(0))));
    QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 56.7);
    QCOMPARE(ui->lcdNumber_ch1->value(), 23.45);
    QCOMPARE(ui->lcdNumber_ch2->value(), 56.7);
    QCOMPARE(panel->chart(0)->values()[kLast], 23.45);
    QCOMPARE(panel->chart(0)->values()[kLast - 1], 23.45);
    // Each point at the time its poll went out.
    const QDateTime sent = panel->lastWrite();
    QCOMPARE(panel->chart(0)->timeStamps()[kLast], chartTime2(sent.toSecsSinceEpoch()) + sent.time().msec() / 1000.0);
    const double step = panel->chart(0)->timeStamps()[kLast] - panel->chart(0)->timeStamps()[kLast - 1];
    QVERIFY2(step > 1.0 - kSlackMs / 1000.0 && step < 1.0 + kSlackMs / 1000.0, qPrintable(QString::number(step)));
    QCOMPARE(panel->getCurrentValue(1), 0.0);
    QTRY_COMPARE(panel->ledTx()->state(), 1);
}

void E2eZq62::liveFieldsWithoutANumber()
{
    ReadyZq62 z;
    QVERIFY(z.panel);
    z.sim->setReadings({"----", "x1"});
    const int polls = z.sim->count("ATCD");
    QVERIFY(z.sim->waitForCommand("ATCD", 3000, polls + 1));
    QTRY_COMPARE(z.panel->form()->lcdNumber_ch1->value(), 0.0);
    QTRY_COMPARE(z.panel->chart(1)->values()[kLast], NoValue);
    QCOMPARE(z.panel->chart(0)->values()[kLast], NoValue);
    // One field only: the second channel has no value, not 0.
    z.sim->setReadings({"21.50"});
    QVERIFY(z.sim->waitForCommand("ATCD", 3000, polls + 2));
    QTRY_COMPARE(z.panel->chart(0)->values()[kLast], 21.5);
    QCOMPARE(z.panel->chart(1)->values()[kLast], NoValue);
}

void E2eZq62::offsetApplyEndsOnTheEcho()
{
    ReadyZq62 z;
    QVERIFY(z.panel);
    StatusLog shown(z.rig.window());
    z.ui->doubleSpinBox_offset_ch2->setValue(-0.25);
    const qint64 pressed = InstrumentSimulator::now();
    pressApply(z.panel, 2);
    QCOMPARE(z.panel->mode(), unsigned(APPLY));
    QVERIFY(!z.ui->groupBox_ch2->isEnabled());
    QVERIFY(z.sim->waitForCommand("ATCOFF2 -0.25"));
    const qint64 sent = z.sim->timesOf("ATCOFF2 -0.25").first();
    QVERIFY2(sent - pressed >= CommandDelay - 1 && sent - pressed < CommandDelay + kSlackMs,
             qPrintable(QString::number(sent - pressed)));
    QVERIFY(waitIdle(z.rig));
    QCOMPARE(z.sim->setting("ATCOFF2"), QByteArray("-0.25"));
    QCOMPARE(z.ui->doubleSpinBox_offset_ch2->value(), -0.25);
    QVERIFY(shown.contains("success! apply calibration settings."));
    // The echo ends the apply: no refresh follows.
    QTest::qWait(500);
    for (QByteArray const& line : z.sim->commandLines())
        QVERIFY2(line == "ATCOFF2 -0.25" || line == "ATCD", line.constData());
    QVERIFY(z.ui->groupBox_ch2->isEnabled());
}

void E2eZq62::unitChangeAndItsFailure()
{
    ReadyZq62 z;
    QVERIFY(z.panel);

    z.ui->radioButton_fahrenheit->click();
    QVERIFY(z.sim->waitForCommand("ATCF"));
    QVERIFY(waitIdle(z.rig));
    QVERIFY(!z.panel->isCelsius());
    QCOMPARE(z.sim->setting("ATCUNIT"), QByteArray("F"));
    QVERIFY(z.ui->radioButton_fahrenheit->isChecked());
    QCOMPARE(z.ui->label_unit_ch1->text(), QString::fromUtf8("\u00B0F"));
    // The offset stays in Celsius.
    QCOMPARE(z.ui->doubleSpinBox_offset_ch1->suffix(), QString::fromUtf8(" \u00B0C"));
    QVERIFY(z.rig.status().startsWith("success! apply the device's temperature mode to the fahrenheit mode."));

    // The instrument refuses the change back: an error, and the radio shows Fahrenheit.
    z.sim->setReply("ATCC", {"ATCC FAIL"});
    ModalCloser closer(50);
    bool unlockedAtBox = false;
    closer.setInspector([&](QWidget*) { unlockedAtBox = idle(z.rig) && z.ui->groupBox_tempoutput->isEnabled(); });
    z.ui->radioButton_celsius->click();
    QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
    QCOMPARE(closer.titles(), QStringList{"ERROR"});
    QCOMPARE(closer.texts(), QStringList{"error! apply the device's temperature mode to the fahrenheit mode..."});
    QVERIFY(unlockedAtBox);
    QVERIFY(z.rig.status().startsWith("error! apply the device's temperature mode to the fahrenheit mode."));
    QVERIFY(!z.panel->isCelsius());
    QVERIFY(z.ui->radioButton_fahrenheit->isChecked());
    QCOMPARE(z.ui->label_unit_ch1->text(), QString::fromUtf8("\u00B0F"));
    QCOMPARE(z.sim->setting("ATCUNIT"), QByteArray("F"));
}

void E2eZq62::refreshButtonRestartsTheSequence()
{
    ReadyZq62 z;
    QVERIFY(z.panel);
    ModalCloser closer(0);
    // The instrument stops answering the second query: the panel waits, locked, and
    // REFRESH (outside the locked groups) starts over.
    z.sim->removeCommand("ATCOFF2");
    z.sim->clearLog();
    z.panel->form()->pushButton_refresh->click();
    QVERIFY(z.sim->waitForCommand("ATCOFF2"));
    QTest::qWait(300);
    QCOMPARE(z.panel->mode(), unsigned(REFRESH));
    QVERIFY(!z.panel->form()->groupBox_ch1->isEnabled());
    QVERIFY(z.panel->form()->pushButton_refresh->isEnabled());

    // A double click starts it once more: the query goes out once.
    z.panel->form()->pushButton_refresh->click();
    z.panel->form()->pushButton_refresh->click();
    QVERIFY(z.sim->waitForCommand("ATCOFF2", 3000, 2));
    QTest::qWait(300);
    QCOMPARE(z.sim->commandLines(), QByteArrayList({"ATCOFF1", "ATCOFF2", "ATCOFF1", "ATCOFF2"}));
    QCOMPARE(closer.count(), 0);
}

void E2eZq62::garbledRefreshReplyEndsInTheErrorBox_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("channel above the model") << QByteArray("ATCOFF2") << QByteArray("ATCOFF9 1.00");
    QTest::newRow("channel missing") << QByteArray("ATCOFF2") << QByteArray("ATCOFF");
    QTest::newRow("channel zero") << QByteArray("ATCOFF1") << QByteArray("ATCOFF0 1.00");
    QTest::newRow("not a digit") << QByteArray("ATCOFF1") << QByteArray("ATCOFF-1.00");
}

void E2eZq62::garbledRefreshReplyEndsInTheErrorBox()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);
    E2eRig rig;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->setReply(query, {reply});
    ModalCloser closer(50);
    bool unlockedAtBox = false;
    closer.setInspector([&](QWidget* box) {
        unlockedAtBox = idle(rig) && box->parentWidget() == rig.window();
    });
    rig.start();
    QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, kReadyWaitMs);
    QCOMPARE(closer.titles(), QStringList{"ERROR"});
    QCOMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
    QVERIFY(unlockedAtBox);
    QVERIFY(rig.status().startsWith("error! refresh calibration settings."));
    // Polling resumes; the failed refresh sends no unit command.
    QVERIFY(sim->waitForCommand("ATCD", 3000));
    QCOMPARE(sim->count("ATCC"), 0);
    QVERIFY(zq62(rig)->form()->groupBox_ch1->isEnabled());
}

void E2eZq62::garbledApplyEchoEndsInTheErrorBox()
{
    ReadyZq62 z;
    QVERIFY(z.panel);
    z.sim->setReply("ATCOFF1", {"ATCOFF7 2.00"});
    ModalCloser closer(50);
    z.panel->form()->doubleSpinBox_offset_ch1->setValue(2);
    pressApply(z.panel, 1);
    QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, 3000);
    QCOMPARE(closer.texts(), QStringList{"error! apply calibration settings..."});
    QVERIFY(z.rig.status().startsWith("error! apply calibration settings."));
    QVERIFY(waitIdle(z.rig));
    QCOMPARE(z.panel->form()->doubleSpinBox_offset_ch1->value(), 2.0);
}

void E2eZq62::unplugInTheMiddleOfARefresh()
{
    E2eRig rig;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->removeCommand("ATCOFF2");
    ModalCloser closer(0);
    MainWindow* w = rig.start();
    QVERIFY(sim->waitForCommand("ATCOFF2", kReadyWaitMs));
    QVERIFY(zq62(rig));
    QCOMPARE(zq62(rig)->mode(), unsigned(REFRESH));
    rig.bench.unplug(sim);
    QVERIFY(rig.waitClosed(kScanWaitMs));
    QVERIFY(w->calibrator() == nullptr);
    QVERIFY(w->selectDevice()->isVisible());
    QCOMPARE(rig.log().count("~Zq62Calibrator()"), 1);
    // Nothing of the removed panel goes on: no box, no poll.
    QTest::qWait(1500);
    QCOMPARE(closer.count(), 0);
    QVERIFY(!w->pollTimer()->isActive());
}

void E2eZq62::unplugWhileABoxIsOpen_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("box");
    QTest::newRow("refresh error") << QByteArray("ATCOFF2") << QByteArray("ATCOFF9 1.00")
                                   << "error! refresh calibration settings...";
    QTest::newRow("unit refused") << QByteArray("ATCC") << QByteArray("ATCC FAIL")
                                  << "error! apply the device's temperature mode to the celsius mode...";
}

void E2eZq62::unplugWhileABoxIsOpen()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);
    QFETCH(QString, box);
    E2eRig rig;
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->setReply(query, {reply});
    QString text;
    bool ownedByTheWindow = false;
    bool removedUnderTheBox = false;
    rig.whenModalOpens([&](QWidget* modal) {
        if (auto* message = qobject_cast<QMessageBox*>(modal))
            text = message->text();
        // The box belongs to the main window, not to the panel that goes now.
        ownedByTheWindow = modal->parentWidget() == rig.window();
        rig.bench.unplug(sim);
        removedUnderTheBox = rig.waitClosed(kScanWaitMs) && rig.window()->calibrator() == nullptr;
        clickFirstButton(modal);
    });
    MainWindow* w = rig.start();
    QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), kReadyWaitMs);
    QCOMPARE(text, box);
    QVERIFY(ownedByTheWindow);
    QVERIFY(removedUnderTheBox);
    QTRY_COMPARE(rig.log().count("~Zq62Calibrator()"), 1);
    // After the box nothing touches the removed panel or unlocks the window.
    QTest::qWait(300);
    QVERIFY(w->calibrator() == nullptr);
    QVERIFY(!w->pollTimer()->isActive());
    QVERIFY(!w->form()->actionClose_ZQ_Device->isEnabled());
    QVERIFY(w->selectDevice()->isVisible());
}

QTEST_MAIN(E2eZq62)
#include "e2e_zq62.moc"
