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
#include "qprogressindicator.h"
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

bool waitIdle(E2eRig& rig)
{
    return QTest::qWaitFor([&] { return idle(rig); }, kReadyWaitMs);
}

InstrumentSimulator* plugZq62(E2eRig& rig)
{
    InstrumentSimulator* sim = rig.bench.plugInstrument("A1B2C3", 62, 15);
    sim->setReadings({"23.45", "56.70"});
    return sim;
}

// A ZQ62 plugged in and read out, its panel idle and the instrument's log cleared.
struct ReadyZq62
{
    ReadyZq62()
    {
        sim = plugZq62(rig);
        rig.start();
        panel = waitIdle(rig) ? zq62(rig) : nullptr;
        ui = panel ? panel->form() : nullptr;
        sim->clearLog();
    }
    E2eRig rig;
    InstrumentSimulator* sim = nullptr;
    Zq62Calibrator* panel = nullptr;
    Ui::Zq62Calibrator* ui = nullptr;
};

} // namespace

class E2eZq62 : public QObject
{
    Q_OBJECT
private slots:
    void init() { ChannelCount = 0; }

    void plugInRefreshesThenPolls_data()
    {
        QTest::addColumn<int>("delay");
        QTest::newRow("50 ms") << 50;
        QTest::newRow("300 ms") << 300;
    }

    void plugInRefreshesThenPolls()
    {
        QFETCH(int, delay);
        E2eRig rig;
        InstrumentSimulator* sim = plugZq62(rig);
        sim->setSetting("ATCOFF1", "1.50");
        sim->setSetting("ATCOFF2", "-0.25");
        MainWindow* w = rig.start();
        CommandDelay = delay;
        StatusLog shown(w);
        QVERIFY(waitIdle(rig));
        Zq62Calibrator* panel = zq62(rig);
        Ui::Zq62Calibrator* ui = panel->form();

        // Exactly these, in this order, before the first poll.
        const QByteArrayList lines = sim->commandLines();
        QCOMPARE(lines.mid(0, 4), QByteArrayList({"ATCVER", "ATCOFF1", "ATCOFF2", "ATCC"}));
        QCOMPARE(lines.count("ATCD"), lines.size() - 4);
        // Each query CommandDelay after the reply before it; the unit command at once.
        auto at = [sim](const char* line) { return sim->timesOf(line).first(); };
        for (qint64 gap : {at("ATCOFF1") - at("ATCVER"), at("ATCOFF2") - at("ATCOFF1")})
            QVERIFY2(gap >= delay - 1 && gap < delay + kSlackMs, qPrintable(QString::number(gap)));
        QVERIFY(at("ATCC") - at("ATCOFF2") < kSlackMs);

        QCOMPARE(ui->doubleSpinBox_offset_ch1->value(), 1.5);
        QCOMPARE(ui->doubleSpinBox_offset_ch2->value(), -0.25);
        QCOMPARE(ui->label_model->text(), QString("ZQ621v5"));
        QCOMPARE(ui->label_serial->text(), QString("A1B2C3"));
        // The refresh's success, then the unit reply's, which has the last word.
        QVERIFY(shown.contains("success! refresh calibration settings."));
        QCOMPARE(rig.status(), "success! apply the device's temperature mode to the celsius mode. - [" + rig.portName() + "]");
        QVERIFY(ui->radioButton_celsius->isChecked());

        // Unlocked, then polled every second with the readings shown and charted.
        QVERIFY(ui->groupBox_ch1->isEnabled());
        QVERIFY(w->form()->actionClose_ZQ_Device->isEnabled());
        QVERIFY(!panel->progress()->isAnimated());
        QVERIFY(sim->waitForCommand("ATCD", 3000, 2));
        QTRY_COMPARE(panel->chart(1)->values()[kLast - 1], 56.7);
        QCOMPARE(ui->lcdNumber_ch1->value(), 23.45);
        QCOMPARE(ui->lcdNumber_ch2->value(), 56.7);
        QCOMPARE(panel->chart(0)->values()[kLast], 23.45);
        // Each point at the time its poll went out.
        const QDateTime sent = panel->lastWrite();
        QCOMPARE(panel->chart(0)->timeStamps()[kLast], chartTime2(sent.toSecsSinceEpoch()) + sent.time().msec() / 1000.0);
        const double step = panel->chart(0)->timeStamps()[kLast] - panel->chart(0)->timeStamps()[kLast - 1];
        QVERIFY2(step > 1.0 - kSlackMs / 1000.0 && step < 1.0 + kSlackMs / 1000.0, qPrintable(QString::number(step)));
    }

    void offsetApplyEndsOnTheEcho()
    {
        ReadyZq62 z;
        QVERIFY(z.panel);
        StatusLog shown(z.rig.window());
        z.ui->doubleSpinBox_offset_ch2->setValue(-0.25);
        const qint64 pressed = InstrumentSimulator::now();
        // The button acts on press, not on release.
        QTest::mousePress(z.ui->toolButton_offset_apply_ch2, Qt::LeftButton);
        QVERIFY(!z.ui->groupBox_ch2->isEnabled());
        QVERIFY(z.sim->waitForCommand("ATCOFF2 -0.25"));
        QTest::mouseRelease(z.ui->toolButton_offset_apply_ch2, Qt::LeftButton);
        const qint64 sent = z.sim->timesOf("ATCOFF2 -0.25").first() - pressed;
        QVERIFY2(sent >= CommandDelay - 1 && sent < CommandDelay + kSlackMs, qPrintable(QString::number(sent)));
        QVERIFY(waitIdle(z.rig));
        QCOMPARE(z.sim->setting("ATCOFF2"), QByteArray("-0.25"));
        QCOMPARE(z.ui->doubleSpinBox_offset_ch2->value(), -0.25);
        QVERIFY(shown.contains("success! apply calibration settings."));
        // The echo ends the apply: no refresh follows.
        QTest::qWait(500);
        for (QByteArray const& line : z.sim->commandLines())
            QVERIFY2(line == "ATCOFF2 -0.25" || line == "ATCD", line.constData());
        QVERIFY(z.ui->groupBox_ch2->isEnabled());
        // Always two decimals.
        z.ui->doubleSpinBox_offset_ch1->setValue(3);
        QTest::mouseClick(z.ui->toolButton_offset_apply_ch1, Qt::LeftButton);
        QVERIFY(z.sim->waitForCommand("ATCOFF1 3.00"));
        QVERIFY(waitIdle(z.rig));
        QCOMPARE(z.ui->doubleSpinBox_offset_ch1->value(), 3.0);
    }

    void unitChangeAndItsFailure()
    {
        ReadyZq62 z;
        QVERIFY(z.panel);
        z.ui->radioButton_fahrenheit->click();
        QVERIFY(z.sim->waitForCommand("ATCF"));
        QVERIFY(waitIdle(z.rig));
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
        QCOMPARE(closer.texts(), QStringList{"error! apply the device's temperature mode to the fahrenheit mode..."});
        QVERIFY(unlockedAtBox);
        QVERIFY(z.rig.status().startsWith("error! apply the device's temperature mode to the fahrenheit mode."));
        QVERIFY(!z.panel->isCelsius());
        QVERIFY(z.ui->radioButton_fahrenheit->isChecked());
    }

    void garbledRefreshReplyEndsInTheErrorBox_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("channel above the model") << QByteArray("ATCOFF2") << QByteArray("ATCOFF9 1.00");
        QTest::newRow("channel missing") << QByteArray("ATCOFF2") << QByteArray("ATCOFF");
        QTest::newRow("channel zero") << QByteArray("ATCOFF1") << QByteArray("ATCOFF0 1.00");
    }

    void garbledRefreshReplyEndsInTheErrorBox()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        E2eRig rig;
        InstrumentSimulator* sim = plugZq62(rig);
        sim->setReply(query, {reply});
        ModalCloser closer(50);
        bool unlockedAtBox = false;
        closer.setInspector([&](QWidget* box) { unlockedAtBox = idle(rig) && box->parentWidget() == rig.window(); });
        rig.start();
        QTRY_COMPARE_WITH_TIMEOUT(closer.count(), 1, kReadyWaitMs);
        QCOMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
        QVERIFY(unlockedAtBox);
        QVERIFY(rig.status().startsWith("error! refresh calibration settings."));
        // Polling resumes; the failed refresh sends no unit command.
        QVERIFY(sim->waitForCommand("ATCD", 3000));
        QCOMPARE(sim->count("ATCC"), 0);
        QVERIFY(zq62(rig)->form()->groupBox_ch1->isEnabled());
    }

    void unplug_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reply"); // empty: no answer at all
        QTest::addColumn<QString>("box");      // empty: unplugged while the panel waits
        QTest::newRow("in the middle of a refresh") << QByteArray("ATCOFF2") << QByteArray() << QString();
        QTest::newRow("refresh error box open") << QByteArray("ATCOFF2") << QByteArray("ATCOFF9 1.00")
                                                << "error! refresh calibration settings...";
        QTest::newRow("unit refusal box open") << QByteArray("ATCC") << QByteArray("ATCC FAIL")
                                               << "error! apply the device's temperature mode to the celsius mode...";
    }

    void unplug()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reply);
        QFETCH(QString, box);
        E2eRig rig;
        InstrumentSimulator* sim = plugZq62(rig);
        if (reply.isEmpty())
            sim->removeCommand(query);
        else
            sim->setReply(query, {reply});
        QString text;
        bool ownedByTheWindow = false;
        bool removedUnderTheBox = false;
        rig.whenModalOpens([&](QWidget* modal) {
            auto* message = qobject_cast<QMessageBox*>(modal);
            text = message ? message->text() : QString("?");
            // The box belongs to the main window, not to the panel that goes now.
            ownedByTheWindow = modal->parentWidget() == rig.window();
            rig.bench.unplug(sim);
            removedUnderTheBox = rig.waitClosed(kScanWaitMs) && rig.window()->calibrator() == nullptr;
            if (message)
                message->buttons().first()->click();
            else
                modal->close();
        });
        MainWindow* w = rig.start();
        if (box.isEmpty()) {
            QVERIFY(sim->waitForCommand(query, kReadyWaitMs));
            Zq62Calibrator* panel = zq62(rig);
            // No answer, no time-out: the panel waits, locked, and REFRESH (outside the
            // locked groups) starts over.
            QTest::qWait(300);
            QCOMPARE(panel->mode(), unsigned(REFRESH));
            QVERIFY(!panel->form()->groupBox_ch1->isEnabled());
            panel->form()->pushButton_refresh->click();
            QVERIFY(sim->waitForCommand("ATCOFF1", 3000, 2));
            rig.bench.unplug(sim);
            QVERIFY(rig.waitClosed(kScanWaitMs));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), kReadyWaitMs);
            QCOMPARE(text, box);
            QVERIFY(ownedByTheWindow);
            QVERIFY(removedUnderTheBox);
        }
        QTRY_COMPARE(rig.log().count("~Zq62Calibrator()"), 1);
        // Nothing of the removed panel goes on: no (further) box, no poll, no menus.
        QTest::qWait(1000);
        QCOMPARE(text, box);
        QVERIFY(w->calibrator() == nullptr);
        QVERIFY(!w->pollTimer()->isActive());
        QVERIFY(!w->form()->actionClose_ZQ_Device->isEnabled());
        QVERIFY(w->selectDevice()->isVisible());
    }
};

QTEST_MAIN(E2eZq62)
#include "e2e_zq62.moc"
