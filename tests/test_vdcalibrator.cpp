// The VD panel inside a main window without a port: the tests answer each query the
// panel has queued themselves, before it would go out, so a whole REFRESH runs
// synchronously; a command that does reach the (missing) port fails with a box.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "chartview.h"
#include "globals.h"
#include "mainwindow.h"
#include "modalcloser.h"
#include "modbusblock.h"
#include "modeltable.h"
#include "ui_vdcalibrator.h"
#include "vdcalibrator.h"
#include "zqchart.h"

namespace {

using Replies = QHash<QString, QString>;

// What an instrument with default settings answers to each query.
const Replies kDefaults = {
    {"ATCMODE", "0"},     {"ATCNORML", "0"},    {"ATCOFF1", "0.00"},  {"ATCOFF2", "0.00"},   {"ATCOFF3", "0.00"},
    {"ATCOFF4", "0.00"},  {"ATCOFF5", "0.00"},  {"ATCMODID", "54"},   {"ATCMODBR", "1"},     {"ATCMODSW", "0"},
    {"ATCMODTO", "0"},    {"ATCEXTM", "0"},     {"ATCUSED", "0"},     {"ATCBLDTM", "0"},     {"ATCISMST", "0"},
    {"ATCMODCH", "0"},    {"ATCMSTID", "1"},    {"ATCRLYNO", "1"},    {"ATCPPMMAX", "100"},  {"ATCRLYDLY", "1"},
    {"ATCSON", "1"},
};

// The panel, with a way to take its queued command off the queue as if it went out.
class VdProbe : public VdCalibrator
{
public:
    using VdCalibrator::VdCalibrator;
    void drop() { cancelQueued(); }
};

// A main window that holds a VD panel of the given firmware.
struct Bench
{
    explicit Bench(unsigned version = 25)
    {
        setCalibratorFactory(703, [](int, QString const& model, unsigned v, QString const& serial, QWidget* parent) {
            return new VdProbe(model, v, serial, parent);
        });
        window.setVersion(QString("HV700-VD%1v%2").arg(version / 10).arg(version % 10));
        setCalibratorFactory(703, nullptr);
        panel = dynamic_cast<VdProbe*>(window.calibrator());
        ui = panel ? panel->form() : nullptr;
    }

    // The queued command goes out; line is its reply.
    void reply(QString const& line)
    {
        panel->drop();
        panel->readData(line);
    }

    // Answers queued queries (the answer of a query "KEY" is "KEY" + value) until the
    // panel has nothing queued; returns the queries in order.
    QStringList answer(Replies const& replies = {})
    {
        QStringList queries;
        for (int guard = 0; guard < 40 && !panel->pendingCommand().isEmpty(); ++guard) {
            const QString key = panel->pendingCommand().trimmed();
            queries << key;
            reply(key + replies.value(key, kDefaults.value(key)));
        }
        return queries;
    }

    ModalCloser closer;
    MainWindow window;
    VdProbe* panel = nullptr;
    Ui::VdCalibrator* ui = nullptr;
};

QList<QComboBox*> combos(Ui::VdCalibrator* ui)
{
    return {ui->comboBox_modbus_baudrate, ui->comboBox_modbus_timeout, ui->comboBox_modbus_channel,
            ui->comboBox_modbus_relay_no};
}

} // namespace

class TestVdCalibrator : public QObject
{
    Q_OBJECT
private slots:
    void groupsAfterTheRefresh_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("rs485");
        QTest::addColumn<bool>("master");
        for (unsigned version : {22u, 24u, 25u})
            for (bool rs485 : {true, false})
                for (bool master : {false, true})
                    QTest::addRow("firmware %u, RS485 %s, %s", version, rs485 ? "on" : "off", master ? "master" : "slave")
                        << version << rs485 << master;
    }

    void groupsAfterTheRefresh()
    {
        QFETCH(unsigned, version);
        QFETCH(bool, rs485);
        QFETCH(bool, master);
        Bench b(version);
        QVERIFY(b.panel);
        b.answer({{"ATCSON", rs485 ? "1" : "0"}, {"ATCISMST", master ? "1" : "0"}});
        QCOMPARE(b.panel->mode(), unsigned(DEFAULT));
        QVERIFY(!b.panel->isLocked());

        const bool modeShown = version >= 23;
        const bool masterShown = modeShown && master;
        const bool gated = version >= 25 && !rs485;
        Ui::VdCalibrator* ui = b.ui;
        QCOMPARE(!ui->groupBox_485onoff->isHidden(), version >= 25);
        QCOMPARE(!ui->groupBox_modbus_mode->isHidden(), modeShown);
        for (QWidget* g : {ui->groupBox_modbus_max, ui->groupBox_modbus_channel, ui->groupBox_modbus_hold_min,
                           ui->groupBox_modbus_relay_no, ui->groupBox_modbus_relay_addr})
            QVERIFY2(g->isHidden() != masterShown, qPrintable(g->objectName()));
        for (QWidget* g : {ui->groupBox_modbus_addr, ui->groupBox_modbus_byteswap})
            QVERIFY2(g->isHidden() == masterShown, qPrintable(g->objectName()));
        for (QWidget* g : b.panel->modbus()->modbusGroups())
            QVERIFY2(g->isEnabled() != gated, qPrintable(g->objectName()));
        for (QWidget* g : {ui->groupBox_485onoff, ui->groupBox_sensortype, ui->groupBox_ch1_2, ui->groupBox_ch1,
                           ui->groupBox_factoryreset})
            QVERIFY2(g->isEnabled(), qPrintable(g->objectName()));
        QCOMPARE(ui->radioButton_485_on->isChecked(), version >= 25 && rs485);
        QCOMPARE(ui->radioButton_Master->isChecked(), modeShown && master);
    }

    void pairsAndUnits_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("outputType");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<double>("offset1");
        QTest::addColumn<double>("offset2"); // -1: group hidden
        QTest::newRow("pm2.5, mass") << 0 << 0 << QStringList{"pm2.5", "pm10.0"} << QStringList{"ug/m3", "ug/m3"} << 1.0 << 2.0;
        QTest::newRow("pm1.0, per ft3") << 1 << 3 << QStringList{"pm1.0", "pm4.0"} << QStringList{"#/ft3", "#/ft3"} << 3.0 << 4.0;
        QTest::newRow("pm0.5, mass") << 2 << 0 << QStringList{"pm0.5", "partical size"} << QStringList{"#/cm3", "um"} << 5.0 << -1.0;
        QTest::newRow("pm0.5, per m3") << 2 << 2 << QStringList{"pm0.5", "partical size"} << QStringList{"#/m3", "um"} << 5.0 << -1.0;
    }

    void pairsAndUnits()
    {
        QFETCH(int, pair);
        QFETCH(int, outputType);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, units);
        QFETCH(double, offset1);
        QFETCH(double, offset2);
        Bench b;
        Replies replies{{"ATCMODE", QString::number(outputType)}};
        for (int n = 1; n <= 5; ++n)
            replies.insert("ATCOFF" + QString::number(n), QString::number(n) + ".00");
        b.answer(replies);
        QGroupBox* const boxes[] = {b.ui->groupBox_ch1_2, b.ui->groupBox_ch3_4, b.ui->groupBox_ch5_6};

        // Choosing another pair reads everything again (the first query is the output mode).
        if (pair != 0) {
            boxes[pair]->setChecked(true);
            QCOMPARE(b.panel->mode(), unsigned(REFRESH));
            QCOMPARE(b.answer(replies).size(), 21);
        }
        QCOMPARE(b.panel->selectedPair(), pair);
        for (int other = 0; other < 3; ++other)
            QCOMPARE(boxes[other]->isChecked(), other == pair);
        QCOMPARE(b.ui->groupBox_ch1->title(), titles[0]);
        QCOMPARE(b.ui->groupBox_ch2->title(), titles[1]);
        QCOMPARE(b.ui->label_unit_ch1->text(), units[0]);
        QCOMPARE(b.ui->label_unit_ch2->text(), units[1]);
        QCOMPARE(b.ui->doubleSpinBox_offset_ch1->value(), offset1);
        QCOMPARE(b.ui->groupBox_offset_ch2->isHidden(), offset2 < 0);
        if (offset2 >= 0)
            QCOMPARE(b.ui->doubleSpinBox_offset_ch2->value(), offset2);

        // Checking the selected pair again, or leaving all three unchecked, reads nothing.
        boxes[pair]->setChecked(false);
        boxes[pair]->setChecked(true);
        boxes[pair]->setChecked(false);
        QCOMPARE(b.panel->mode(), unsigned(DEFAULT));
        QVERIFY(b.panel->pendingCommand().isEmpty());
        QCOMPARE(b.panel->selectedPair(), pair);

        // The offset of channel 2 with the particle size sends nothing and stays unlocked.
        QMetaObject::invokeMethod(b.panel, "slotOffsetApply_ch2");
        QCOMPARE(b.panel->pendingCommand(), pair == 2 ? QString() : QString("ATCOFF%1 %2.00\r\n").arg(2 * pair + 2).arg(2 * pair + 2));
    }

    void liveReadings_data()
    {
        QTest::addColumn<int>("pair");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QList<double>>("shown"); // the pair's two values, NoValue for a gap
        QTest::addColumn<QList<double>>("previews");
        const double gap = NoValue;
        const QList<double> all{12.5, 20.1, 3, 4, 5, 0.3};
        QTest::newRow("pair 0") << 0 << "ATCH12.5,20.1,3,4,5,0.3" << QList<double>{12.5, 20.1} << all;
        QTest::newRow("pair 2") << 2 << "ATCH12.5,20.1,3,4,5,0.3" << QList<double>{5, 0.3} << all;
        QTest::newRow("extra fields ignored") << 1 << "ATCH1,2,3,4,5,6,7,8" << QList<double>{3, 4} << QList<double>{1, 2, 3, 4, 5, 6};
        QTest::newRow("dashes") << 0 << "ATCH----,----,3,4,5,6" << QList<double>{gap, gap} << QList<double>{gap, gap, 3, 4, 5, 6};
        QTest::newRow("no number") << 1 << "ATCH1,2,x,,5,6" << QList<double>{gap, gap} << QList<double>{1, 2, gap, gap, 5, 6};
        QTest::newRow("three fields") << 0 << "ATCH1,2,3" << QList<double>{gap, gap} << QList<double>{gap, gap, gap, gap, gap, gap};
        QTest::newRow("nothing") << 2 << "ATCH" << QList<double>{gap, gap} << QList<double>{gap, gap, gap, gap, gap, gap};
    }

    void liveReadings()
    {
        QFETCH(int, pair);
        QFETCH(QString, line);
        QFETCH(QList<double>, shown);
        QFETCH(QList<double>, previews);
        Bench b;
        b.answer();
        if (pair != 0) {
            QGroupBox* const boxes[] = {b.ui->groupBox_ch1_2, b.ui->groupBox_ch3_4, b.ui->groupBox_ch5_6};
            boxes[pair]->setChecked(true);
            b.answer();
        }
        b.panel->readData(line);
        QLCDNumber* const lcds[] = {b.ui->lcdNumber_ch1, b.ui->lcdNumber_ch2};
        QLCDNumber* const small[] = {b.ui->lcdNumber_preview_ch1, b.ui->lcdNumber_preview_ch2, b.ui->lcdNumber_preview_ch3,
                                     b.ui->lcdNumber_preview_ch4, b.ui->lcdNumber_preview_ch5, b.ui->lcdNumber_preview_ch6};
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(b.panel->chart(i)->values()[ChartView::SampleCount - 1], shown[i]);
            if (shown[i] != NoValue)
                QCOMPARE(lcds[i]->value(), shown[i]);
        }
        for (int i = 0; i < 6; ++i)
            if (previews[i] != NoValue)
                QCOMPARE(small[i]->value(), previews[i]);
            else
                QCOMPARE(small[i]->value(), 0.0); // "----"
    }

    void refreshValuesTakenOrKept_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("shown"); // -1: the refresh fails
        QTest::newRow("output mode 4") << "ATCMODE" << "4" << -1;
        QTest::newRow("counter mode 2") << "ATCNORML" << "2" << -1;
        QTest::newRow("used hours") << "ATCUSED" << "12345" << 12345;
        QTest::newRow("used hours above the box") << "ATCUSED" << "4294967295" << 999999999;
        QTest::newRow("used hours no number") << "ATCUSED" << "x" << 0;
        QTest::newRow("threshold channel 2") << "ATCMODCH" << "2" << 2;
        QTest::newRow("threshold channel 3 kept") << "ATCMODCH" << "3" << 0;
        QTest::newRow("threshold channel -1 kept") << "ATCMODCH" << "-1" << 0;
    }

    void refreshValuesTakenOrKept()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, shown);
        Bench b;
        const QStringList queries = b.answer({{key, value}});
        QCOMPARE(b.panel->mode(), unsigned(DEFAULT));
        QCOMPARE(b.closer.texts(), shown < 0 ? QStringList{"error! refresh calibration settings..."} : QStringList());
        QCOMPARE(queries.size(), shown < 0 ? queries.indexOf(key) + 1 : 21);
        if (shown < 0)
            return;
        if (key == "ATCUSED") {
            QCOMPARE(b.ui->spinBox_usedtime->value(), shown);
            return;
        }
        QComboBox* channel = b.ui->comboBox_modbus_channel;
        QCOMPARE(channel->currentIndex(), shown);
        QCOMPARE(channel->styleSheet(), QString(CalibratorPanel::MatchStyle));
        // The next apply sends the channel shown.
        emit b.ui->toolButton_modbus_channel_apply->pressed();
        QCOMPARE(b.panel->pendingCommand(), QString("ATCMODCH %1\r\n").arg(shown));
    }

    // Garbled replies at every REFRESH step, to every APPLY and in DEFAULT: nothing
    // crashes, every combo keeps a valid item, and the panel ends unlocked, or waits
    // locked until REFRESH reads everything again.
    void garbledReplies_data()
    {
        QTest::addColumn<QString>("stage"); // REFRESH query, APPLY button, or "DEFAULT"
        for (QString const& key : {"ATCMODE", "ATCNORML", "ATCOFF1", "ATCOFF2", "ATCOFF3", "ATCOFF4", "ATCOFF5", "ATCMODID", "ATCMODBR",
                                   "ATCMODSW", "ATCMODTO", "ATCEXTM", "ATCUSED", "ATCBLDTM", "ATCISMST", "ATCMODCH",
                                   "ATCMSTID", "ATCRLYNO", "ATCPPMMAX", "ATCRLYDLY", "ATCSON"})
            QTest::newRow(qPrintable("refresh " + key)) << key;
        for (QString const& button :
             {"radioButton_number_ft3", "radioButton_differential", "toolButton_offset_apply_ch1",
              "toolButton_offset_apply_ch2", "toolButton_modbus_baudrate_apply", "toolButton_modbus_timeout_apply",
              "toolButton_modbus_byteswap_apply", "toolButton_modbus_addr_apply", "toolButton_modbus_channel_apply",
              "toolButton_modbus_max_apply", "toolButton_modbus_hold_min_apply", "toolButton_modbus_relay_addr_apply",
              "toolButton_modbus_relay_no_apply", "radioButton_Master", "radioButton_485_off"})
            QTest::newRow(qPrintable("apply " + button)) << button;
        QTest::newRow("default") << "DEFAULT";
    }

    void garbledReplies()
    {
        QFETCH(QString, stage);
        QRandomGenerator random(quint32(qHash(stage)));
        const QString keyword = stage.startsWith("ATC") ? stage : QString();
        const QStringList values = {"-1", "3", "4", "9", "2147483648", "", "x1", "----", QString(3000, '7'),
                                    "1,2,3,4,5,6,7,8,9,10", ",,,,"};
        const QStringList foreign = {"ATCXYZ1", "ATCH1,2,3,4,5,6", "ATCOFF99", "ATCMODCH", "ATCNORML", "ATCFTRST"};
        Bench b;
        QVERIFY(b.panel);
        b.closer.setAnswer(QMessageBox::NoButton);
        b.answer();
        for (int round = 0; round < 12; ++round) {
            // A line: the right keyword with a bad value, another keyword, or random bytes.
            QString line;
            switch (random.bounded(3)) {
            case 0: line = (keyword.isEmpty() ? foreign[random.bounded(foreign.size())] : keyword) + values[random.bounded(values.size())]; break;
            case 1: line = foreign[random.bounded(foreign.size())] + values[random.bounded(values.size())]; break;
            default:
                for (int i = random.bounded(1, 80); i > 0; --i)
                    line += QChar(char(random.bounded(33, 127)));
            }

            if (!keyword.isEmpty()) {
                b.ui->pushButton_refresh->click();
                for (int guard = 0; guard < 40 && b.panel->pendingCommand().trimmed() != keyword
                                    && !b.panel->pendingCommand().isEmpty(); ++guard) {
                    const QString key = b.panel->pendingCommand().trimmed();
                    b.reply(key + kDefaults.value(key));
                }
                QCOMPARE(b.panel->pendingCommand().trimmed(), keyword);
                b.reply(line);
            } else if (stage != "DEFAULT") {
                // Master mode with RS485 on puts every MODBUS control on the form.
                b.ui->pushButton_refresh->click();
                b.answer({{"ATCISMST", round % 2 ? "1" : "0"}});
                auto* control = b.panel->findChild<QAbstractButton*>(stage);
                QVERIFY(control);
                if (control->isCheckable())
                    control->click();
                else
                    emit control->pressed();
                b.reply(line);
            } else {
                b.panel->readData(line);
            }
            QTest::qWait(1); // boxes close, timers run
            for (QComboBox* combo : combos(b.ui))
                QVERIFY2(combo->currentIndex() >= 0 && combo->currentIndex() < combo->count(), qPrintable(combo->objectName()));
            QVERIFY(b.panel->outputType() >= 0 && b.panel->outputType() < 4);
            QVERIFY(b.panel->counterType() == 0 || b.panel->counterType() == 1);
            if (b.panel->isLocked()) {
                // Waiting for the right reply: REFRESH reads everything again.
                QVERIFY(b.panel->mode() != DEFAULT);
                b.ui->pushButton_refresh->click();
                b.answer();
            }
            QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
            QCOMPARE(b.panel->mode(), unsigned(DEFAULT));
            QVERIFY(!b.panel->isLocked());
            QVERIFY(b.ui->groupBox_sensortype->isEnabled());
        }
    }
};

QTEST_MAIN(TestVdCalibrator)
#include "test_vdcalibrator.moc"
