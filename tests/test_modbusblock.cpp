// The RS485/MODBUS block on a small panel of its own (no main window, no port): each
// test drives it through the engine's readData and looks at the command it queues.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "calibratorpanel.h"
#include "channelsequence.h"
#include "globals.h"
#include "modalcloser.h"
#include "modbusblock.h"
#include "sequencepanel.h"

namespace {

// The block's widgets under the object names of the forms, built in code: type, name,
// parent.
#define ZQ_FAKE_UI(X) \
    X(QGroupBox, groupBox_485onoff, form) \
    X(QGroupBox, groupBox_modbus_mode, form) \
    X(QGroupBox, groupBox_modbus_baudrate, form) \
    X(QGroupBox, groupBox_modbus_timeout, form) \
    X(QGroupBox, groupBox_modbus_byteswap, form) \
    X(QGroupBox, groupBox_modbus_addr, form) \
    X(QGroupBox, groupBox_modbus_channel, form) \
    X(QGroupBox, groupBox_modbus_max, form) \
    X(QGroupBox, groupBox_modbus_hold_min, form) \
    X(QGroupBox, groupBox_modbus_relay_addr, form) \
    X(QGroupBox, groupBox_modbus_relay_no, form) \
    X(QComboBox, comboBox_modbus_baudrate, groupBox_modbus_baudrate) \
    X(QToolButton, toolButton_modbus_baudrate_apply, groupBox_modbus_baudrate) \
    X(QComboBox, comboBox_modbus_timeout, groupBox_modbus_timeout) \
    X(QToolButton, toolButton_modbus_timeout_apply, groupBox_modbus_timeout) \
    X(QCheckBox, checkBox_modbus_byteswap, groupBox_modbus_byteswap) \
    X(QToolButton, toolButton_modbus_byteswap_apply, groupBox_modbus_byteswap) \
    X(QSpinBox, spinBox_modbus_addr, groupBox_modbus_addr) \
    X(QToolButton, toolButton_modbus_addr_apply, groupBox_modbus_addr) \
    X(QComboBox, comboBox_modbus_channel, groupBox_modbus_channel) \
    X(QToolButton, toolButton_modbus_channel_apply, groupBox_modbus_channel) \
    X(QDoubleSpinBox, doubleSpinBox_modbus_max, groupBox_modbus_max) \
    X(QToolButton, toolButton_modbus_max_apply, groupBox_modbus_max) \
    X(QSpinBox, spinBox_modbus_hold_min, groupBox_modbus_hold_min) \
    X(QToolButton, toolButton_modbus_hold_min_apply, groupBox_modbus_hold_min) \
    X(QSpinBox, spinBox_modbus_relay_addr, groupBox_modbus_relay_addr) \
    X(QToolButton, toolButton_modbus_relay_addr_apply, groupBox_modbus_relay_addr) \
    X(QComboBox, comboBox_modbus_relay_no, groupBox_modbus_relay_no) \
    X(QToolButton, toolButton_modbus_relay_no_apply, groupBox_modbus_relay_no) \
    X(QRadioButton, radioButton_485_on, groupBox_485onoff) \
    X(QRadioButton, radioButton_485_off, groupBox_485onoff) \
    X(QRadioButton, radioButton_Slave, groupBox_modbus_mode) \
    X(QRadioButton, radioButton_Master, groupBox_modbus_mode)

struct FakeUi
{
#define ZQ_DECLARE(T, name, parent) T* name = nullptr;
    ZQ_FAKE_UI(ZQ_DECLARE)
#undef ZQ_DECLARE

    void setupUi(QWidget* form)
    {
#define ZQ_MAKE(T, name, parent) \
    name = new T(parent);         \
    name->setObjectName(#name);
        ZQ_FAKE_UI(ZQ_MAKE)
#undef ZQ_MAKE
        spinBox_modbus_addr->setRange(0, 255);
        spinBox_modbus_hold_min->setRange(1, 200);
        spinBox_modbus_relay_addr->setRange(1, 15);
        doubleSpinBox_modbus_max->setRange(1.0, 1000000.0);
        doubleSpinBox_modbus_max->setDecimals(2);
    }
};

ModbusProfile profileNamed(QString const& name)
{
    if (name == "KW")
        return ModbusProfile::kw();
    if (name == "LX")
        return ModbusProfile::lx();
    if (name == "NB")
        return ModbusProfile::nb();
    return ModbusProfile::vd();
}

int channelsOf(QString const& name)
{
    return name == "NB" ? 2 : name == "VD" ? 6 : 4;
}

// A panel that holds only the block: its REFRESH and APPLY table is the block's rows
// in the KW refresh order.
class BlockPanel : public SequencePanel
{
    Q_OBJECT
public:
    BlockPanel(ModbusProfile const& profile, unsigned version)
        : SequencePanel(version)
    {
        ui.setupUi(this);
        block = new ModbusBlock(this, profile, ModbusWidgets::from(&ui));
        using S = ModbusBlock;
        setRows(1, block->rows({S::Modbr, S::Modto, S::Modsw, S::Modid, S::Ismst, S::Modch, S::Mstid, S::Rlyno,
                                S::Ppmmax, S::Rlydly, S::Son}));
        onClear = [this] { block->clear(); };
        clearAll();
        setModbusMode();
    }

    // An echo of an APPLY of setting s.
    void echo(ModbusBlock::Setting s, QString const& line)
    {
        enter(APPLY, block->step(s));
        reply(line);
    }
    void controlEnable(bool on) override
    {
        for (QWidget* group : block->groups())
            group->setEnabled(on);
        block->applyEnableRule(on);
    }

    FakeUi ui;
    ModbusBlock* block;

protected:
    void setModbusMode() override { block->setMode(); }
};

// The combo of a combo setting.
QComboBox* comboOf(FakeUi const& ui, ModbusBlock::Setting s)
{
    return s == ModbusBlock::Rlyno   ? ui.comboBox_modbus_relay_no
           : s == ModbusBlock::Modch ? ui.comboBox_modbus_channel
           : s == ModbusBlock::Modbr ? ui.comboBox_modbus_baudrate
                                     : ui.comboBox_modbus_timeout;
}

QString bits(std::initializer_list<bool> values)
{
    QStringList out;
    for (bool v : values)
        out << (v ? "1" : "0");
    return out.join(' ');
}

} // namespace

class TestModbusBlock : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        CommandDelay = 60000; // queued commands stay queued: the test reads them
        m_closer.reset(new ModalCloser(10));
    }
    void cleanup() { m_closer.reset(); }

    // Steps and REFRESH gates of each profile, in the order
    // SON ISMST MODCH MSTID RLYNO PPMMAX RLYDLY MODBR MODTO MODSW MODID.
    void rowsCarryStepsAndGates_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("gates");
        QTest::newRow("KW") << "KW" << "5 12 13 14 15 16 17 18 19 20 21" << "38 33 33 33 33 33 33 0 0 0 0";
        QTest::newRow("LX") << "LX" << "5 13 14 15 16 17 18 19 20 21 22" << "47 41 41 41 41 41 41 0 0 0 0";
        QTest::newRow("NB") << "NB" << "5 18 19 20 21 22 23 25 27 26 24" << "42 30 30 30 30 30 30 0 0 0 0";
        QTest::newRow("VD") << "VD" << "5 13 14 15 16 17 18 20 21 22 19" << "25 23 23 23 23 23 23 0 0 0 0";
    }

    void rowsCarryStepsAndGates()
    {
        QFETCH(QString, panel);
        QFETCH(QString, steps);
        QFETCH(QString, gates);
        ChannelCount = channelsOf(panel);
        BlockPanel p(profileNamed(panel), 50);
        QStringList gotSteps, gotGates;
        for (int s = ModbusBlock::Son; s <= ModbusBlock::Modid; ++s) {
            const SequenceRow row = p.block->row(ModbusBlock::Setting(s));
            gotSteps << QString::number(row.step);
            gotGates << QString::number(row.gate);
            QCOMPARE(row.query(), ModbusBlock::keyword(ModbusBlock::Setting(s)) + "\r\n");
            QVERIFY(!row.perChannel);
        }
        QCOMPARE(gotSteps.join(' '), steps);
        QCOMPARE(gotGates.join(' '), gates);
    }

    // Visible: mode group, master groups, slave groups (address, byte swap), RS485 group.
    // Enabled: the ten MODBUS groups, the RS485 group.
    void visibilityAndEnable_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<bool>("master");
        QTest::addColumn<bool>("rs485");
        QTest::addColumn<bool>("enable");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("enabled");
        struct Gates { const char* name; unsigned show, rs485; };
        for (Gates g : {Gates{"KW", 33, 38}, Gates{"LX", 33, 47}, Gates{"NB", 30, 42}, Gates{"VD", 23, 25}}) {
            auto row = [&](const char* what) -> QTestData& { return QTest::newRow(qPrintable(QString(g.name) + " " + what)); };
            row("below show gate, master") << g.name << g.show - 1 << true << true << true << "0 0 1 0" << "1 1";
            row("show gate, slave") << g.name << g.show << false << false << true << "1 0 1 0" << "1 1";
            row("show gate, master") << g.name << g.show << true << false << true << "1 1 0 0" << "1 1";
            row("below RS485 gate, RS485 off") << g.name << g.rs485 - 1 << false << false << true << "1 0 1 0" << "1 1";
            row("RS485 gate, off") << g.name << g.rs485 << false << false << true << "1 0 1 1" << "0 1";
            row("RS485 gate, on, master") << g.name << g.rs485 << true << true << true << "1 1 0 1" << "1 1";
            row("above RS485 gate, off") << g.name << g.rs485 + 9 << true << false << true << "1 1 0 1" << "0 1";
            row("RS485 on, disabled") << g.name << g.rs485 << false << true << false << "1 0 1 1" << "0 0";
            row("below gate, disabled") << g.name << g.show - 1 << false << false << false << "0 0 1 0" << "0 0";
        }
    }

    void visibilityAndEnable()
    {
        QFETCH(QString, panel);
        QFETCH(unsigned, version);
        QFETCH(bool, master);
        QFETCH(bool, rs485);
        QFETCH(bool, enable);
        QFETCH(QString, visible);
        QFETCH(QString, enabled);
        ChannelCount = channelsOf(panel);
        BlockPanel p(profileNamed(panel), version);
        p.block->take(ModbusBlock::Ismst, master ? "1" : "0");
        p.block->take(ModbusBlock::Son, rs485 ? "1" : "0");
        p.controlEnable(enable);
        FakeUi& ui = p.ui;
        const QList<QWidget*> masters = {ui.groupBox_modbus_max, ui.groupBox_modbus_channel, ui.groupBox_modbus_hold_min,
                                         ui.groupBox_modbus_relay_no, ui.groupBox_modbus_relay_addr};
        for (QWidget* g : masters)
            QCOMPARE(g->isHidden(), masters.first()->isHidden());
        QCOMPARE(ui.groupBox_modbus_byteswap->isHidden(), ui.groupBox_modbus_addr->isHidden());
        QCOMPARE(bits({!ui.groupBox_modbus_mode->isHidden(), !masters.first()->isHidden(),
                       !ui.groupBox_modbus_addr->isHidden(), !ui.groupBox_485onoff->isHidden()}),
                 visible);
        // Baud rate and time-out show in both modes.
        QVERIFY(!ui.groupBox_modbus_baudrate->isHidden() && !ui.groupBox_modbus_timeout->isHidden());
        const QList<QWidget*> modbus = p.block->modbusGroups();
        QCOMPARE(modbus.size(), 10);
        QVERIFY(!modbus.contains(ui.groupBox_485onoff));
        for (QWidget* g : modbus)
            QCOMPARE(g->isEnabled(), modbus.first()->isEnabled());
        QCOMPARE(bits({modbus.first()->isEnabled(), ui.groupBox_485onoff->isEnabled()}), enabled);
        // From the show gate the radios follow the device's state.
        if (version >= p.block->profile().showGate)
            QCOMPARE(ui.radioButton_Master->isChecked(), master);
        if (version >= p.block->profile().rs485Gate)
            QCOMPARE(ui.radioButton_485_on->isChecked(), rs485);
    }

    // A reply of a combo setting: in range it is taken, out of range the stored index
    // stays and is selected again; either way the combo is green.
    void comboReplies_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("before"); // reply that sets the stored index first
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("index");
        const int rly = ModbusBlock::Rlyno, ch = ModbusBlock::Modch, br = ModbusBlock::Modbr, to = ModbusBlock::Modto;
        QTest::newRow("RLYNO 0 keeps") << "KW" << rly << "ATCRLYNO3" << "ATCRLYNO0" << 2;
        QTest::newRow("RLYNO 8 is RLY8") << "KW" << rly << "ATCRLYNO3" << "ATCRLYNO8" << 7;
        QTest::newRow("RLYNO 9 keeps") << "LX" << rly << "ATCRLYNO3" << "ATCRLYNO9" << 2;
        QTest::newRow("RLYNO not a number") << "NB" << rly << "ATCRLYNO3" << "ATCRLYNOx" << 2;
        QTest::newRow("KW MODCH 3") << "KW" << ch << "ATCMODCH1" << "ATCMODCH3" << 3;
        QTest::newRow("KW MODCH 4 keeps") << "KW" << ch << "ATCMODCH1" << "ATCMODCH4" << 1;
        QTest::newRow("NB MODCH 1") << "NB" << ch << "ATCMODCH0" << "ATCMODCH1" << 1;
        QTest::newRow("NB MODCH 2 keeps") << "NB" << ch << "ATCMODCH1" << "ATCMODCH2" << 1;
        QTest::newRow("VD MODCH 2") << "VD" << ch << "ATCMODCH1" << "ATCMODCH2" << 2;
        QTest::newRow("VD MODCH 3 keeps") << "VD" << ch << "ATCMODCH1" << "ATCMODCH3" << 1;
        QTest::newRow("MODCH -1 keeps") << "LX" << ch << "ATCMODCH2" << "ATCMODCH-1" << 2;
        QTest::newRow("MODBR 5") << "KW" << br << "ATCMODBR1" << "ATCMODBR5" << 5;
        QTest::newRow("MODBR 9 keeps") << "KW" << br << "ATCMODBR1" << "ATCMODBR9" << 1;
        QTest::newRow("MODBR overflow reads 0") << "VD" << br << "ATCMODBR2" << "ATCMODBR4294967297" << 0;
        QTest::newRow("MODBR empty is 0") << "NB" << br << "ATCMODBR2" << "ATCMODBR" << 0;
        QTest::newRow("MODTO 4") << "LX" << to << "ATCMODTO1" << "ATCMODTO4" << 4;
        QTest::newRow("MODTO 5 keeps") << "LX" << to << "ATCMODTO1" << "ATCMODTO5" << 1;
    }

    void comboReplies()
    {
        QFETCH(QString, panel);
        QFETCH(int, setting);
        QFETCH(QString, before);
        QFETCH(QString, reply);
        QFETCH(int, index);
        ChannelCount = channelsOf(panel);
        BlockPanel p(profileNamed(panel), 50);
        const auto s = ModbusBlock::Setting(setting);
        p.echo(s, before);
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QComboBox* combo = comboOf(p.ui, s);
        combo->setStyleSheet(QString()); // so that the reply has to set it
        p.echo(s, reply);
        // The echo ended the APPLY well and unlocked the panel.
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QVERIFY(!p.isLocked());
        QCOMPARE(m_closer->count(), 0);
        const int member = s == ModbusBlock::Rlyno ? p.block->relayNo()
                           : s == ModbusBlock::Modch ? p.block->channel()
                           : s == ModbusBlock::Modbr ? p.block->baudrate()
                                                     : p.block->timeout();
        QCOMPARE(member, index);
        QCOMPARE(combo->currentIndex(), index);
        QCOMPARE(combo->styleSheet(), QString(CalibratorPanel::MatchStyle));
    }

    void valueReplies_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown"); // byteswap addr relayaddr hold max
        const int sw = ModbusBlock::Modsw, id = ModbusBlock::Modid;
        QTest::newRow("byte swap 2 unchecks") << sw << "ATCMODSW2" << "0 54 1 1 1";
        QTest::newRow("byte swap -1 unchecks") << sw << "ATCMODSW-1" << "0 54 1 1 1";
        QTest::newRow("slave ID clamped") << id << "ATCMODID300" << "0 255 1 1 1";
        QTest::newRow("keyword twice") << id << "xATCMODIDATCMODID12" << "0 12 1 1 1";
        QTest::newRow("relay slave ID decimal") << int(ModbusBlock::Mstid) << "ATCMSTID10" << "0 54 10 1 1";
        QTest::newRow("threshold exponent") << int(ModbusBlock::Ppmmax) << "ATCPPMMAX1e+06" << "0 54 1 1 1e+06";
    }

    void valueReplies()
    {
        QFETCH(int, setting);
        QFETCH(QString, line);
        QFETCH(QString, shown);
        ChannelCount = 4;
        BlockPanel p(ModbusProfile::kw(), 38);
        // A byte-swap reply has to move the box.
        p.ui.checkBox_modbus_byteswap->setChecked(setting == ModbusBlock::Modsw && !line.endsWith("W1"));
        p.echo(ModbusBlock::Setting(setting), line);
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QVERIFY(!p.isLocked());
        FakeUi& ui = p.ui;
        const QString got = QStringList{ui.checkBox_modbus_byteswap->isChecked() ? "1" : "0",
                                        QString::number(ui.spinBox_modbus_addr->value()),
                                        QString::number(ui.spinBox_modbus_relay_addr->value()),
                                        QString::number(ui.spinBox_modbus_hold_min->value()),
                                        QString::number(ui.doubleSpinBox_modbus_max->value())}
                                .join(' ');
        QCOMPARE(got, shown);
    }

    // Green while the shown selection is the device's value, orange otherwise.
    void changeMarking_data()
    {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("deviceIndex");
        QTest::addColumn<int>("other");
        QTest::newRow("baud") << int(ModbusBlock::Modbr) << "ATCMODBR1" << 1 << 3;
        QTest::newRow("channel") << int(ModbusBlock::Modch) << "ATCMODCH3" << 3 << 1;
        QTest::newRow("relay") << int(ModbusBlock::Rlyno) << "ATCRLYNO2" << 1 << 7;
    }

    void changeMarking()
    {
        QFETCH(int, setting);
        QFETCH(QString, device);
        QFETCH(int, deviceIndex);
        QFETCH(int, other);
        ChannelCount = 4;
        BlockPanel p(ModbusProfile::kw(), 38);
        const auto s = ModbusBlock::Setting(setting);
        QComboBox* combo = comboOf(p.ui, s);
        p.echo(s, device);
        combo->setCurrentIndex(other);
        QCOMPARE(combo->styleSheet(), QString(CalibratorPanel::ChangedStyle));
        // Nothing was written by selecting.
        QVERIFY(p.pendingCommand().isEmpty());
        combo->setCurrentIndex(deviceIndex);
        QCOMPARE(combo->styleSheet(), QString(CalibratorPanel::MatchStyle));
        // clearAll: index 0, no colour, device state back to the defaults.
        p.startRefresh();
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->styleSheet(), QString());
        QCOMPARE(p.ui.spinBox_modbus_addr->value(), 54);
        QVERIFY(p.ui.radioButton_485_off->isChecked());
        QVERIFY(!p.block->isMaster() && !p.block->rs485On());
    }

    // What each control writes, with its step; the radios write only in DEFAULT.
    void setCommands_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("action");
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("setting");
        QTest::newRow("threshold 20.25") << "KW" << "max 20.25" << unsigned(DEFAULT) << "ATCPPMMAX 20.25" << int(ModbusBlock::Ppmmax);
        QTest::newRow("threshold 1e+06") << "NB" << "max 1000000" << unsigned(DEFAULT) << "ATCPPMMAX 1e+06" << int(ModbusBlock::Ppmmax);
        QTest::newRow("relay slave ID decimal") << "KW" << "relayaddr 10" << unsigned(DEFAULT) << "ATCMSTID 10" << int(ModbusBlock::Mstid);
        QTest::newRow("relay number is item data") << "VD" << "relay 7" << unsigned(DEFAULT) << "ATCRLYNO 8" << int(ModbusBlock::Rlyno);
        QTest::newRow("baud") << "NB" << "baud 3" << unsigned(DEFAULT) << "ATCMODBR 3" << int(ModbusBlock::Modbr);
        QTest::newRow("threshold channel") << "VD" << "channel 2" << unsigned(DEFAULT) << "ATCMODCH 2" << int(ModbusBlock::Modch);
        QTest::newRow("byte swap on") << "LX" << "swap 1" << unsigned(DEFAULT) << "ATCMODSW 1" << int(ModbusBlock::Modsw);
        QTest::newRow("apply button in REFRESH") << "KW" << "hold 5" << unsigned(REFRESH) << "ATCRLYDLY 5" << int(ModbusBlock::Rlydly);
        for (const char* name : {"KW", "LX", "NB", "VD"}) {
            const QString n(name);
            QTest::newRow(qPrintable(n + " master")) << n << "master" << unsigned(DEFAULT) << "ATCISMST 1" << int(ModbusBlock::Ismst);
            QTest::newRow(qPrintable(n + " RS485 on")) << n << "on" << unsigned(DEFAULT) << "ATCSON 1" << int(ModbusBlock::Son);
        }
        QTest::newRow("slave radio") << "NB" << "slave" << unsigned(DEFAULT) << "ATCISMST 0" << int(ModbusBlock::Ismst);
        QTest::newRow("RS485 off radio") << "VD" << "off" << unsigned(DEFAULT) << "ATCSON 0" << int(ModbusBlock::Son);
        QTest::newRow("master in REFRESH") << "KW" << "master" << unsigned(REFRESH) << "" << -1;
        QTest::newRow("RS485 in APPLY") << "LX" << "on" << unsigned(APPLY) << "" << -1;
    }

    void setCommands()
    {
        QFETCH(QString, panel);
        QFETCH(QString, action);
        QFETCH(unsigned, mode);
        QFETCH(QString, command);
        QFETCH(int, setting);
        ChannelCount = channelsOf(panel);
        BlockPanel p(profileNamed(panel), 60);
        // Start from the other radio so that a click changes it.
        p.block->take(ModbusBlock::Ismst, action == "slave" ? "1" : "0");
        p.block->take(ModbusBlock::Son, action == "off" ? "1" : "0");
        p.enter(mode, 3);
        FakeUi& ui = p.ui;
        const QStringList a = action.split(' ');
        const double v = a.value(1).toDouble();
        QAbstractButton* press = nullptr;
        if (a[0] == "max") {
            ui.doubleSpinBox_modbus_max->setValue(v);
            press = ui.toolButton_modbus_max_apply;
        } else if (a[0] == "relayaddr") {
            ui.spinBox_modbus_relay_addr->setValue(int(v));
            press = ui.toolButton_modbus_relay_addr_apply;
        } else if (a[0] == "relay") {
            ui.comboBox_modbus_relay_no->setCurrentIndex(int(v));
            press = ui.toolButton_modbus_relay_no_apply;
        } else if (a[0] == "baud") {
            ui.comboBox_modbus_baudrate->setCurrentIndex(int(v));
            press = ui.toolButton_modbus_baudrate_apply;
        } else if (a[0] == "channel") {
            ui.comboBox_modbus_channel->setCurrentIndex(int(v));
            press = ui.toolButton_modbus_channel_apply;
        } else if (a[0] == "swap") {
            ui.checkBox_modbus_byteswap->setChecked(v != 0);
            press = ui.toolButton_modbus_byteswap_apply;
        } else if (a[0] == "hold") {
            ui.spinBox_modbus_hold_min->setValue(int(v));
            press = ui.toolButton_modbus_hold_min_apply;
        }
        if (press) {
            // The apply buttons act on the press, not on the click.
            QSignalSpy clicked(press, &QAbstractButton::clicked);
            QTest::mousePress(press, Qt::LeftButton);
            QCOMPARE(p.pendingCommand(), command + "\r\n");
            QCOMPARE(clicked.count(), 0);
            QTest::mouseRelease(press, Qt::LeftButton);
        } else {
            QAbstractButton* radio = a[0] == "master" ? ui.radioButton_Master
                                     : a[0] == "slave" ? ui.radioButton_Slave
                                     : a[0] == "on"    ? ui.radioButton_485_on
                                                       : ui.radioButton_485_off;
            radio->click();
        }
        if (setting < 0) {
            QVERIFY(p.pendingCommand().isEmpty());
            QCOMPARE(p.mode(), mode);
            QCOMPARE(p.seq(), 3u);
            return;
        }
        QCOMPARE(p.pendingCommand(), command + "\r\n");
        QCOMPARE(p.mode(), unsigned(APPLY));
        QCOMPARE(p.seq(), p.block->step(ModbusBlock::Setting(setting)));
        // The form waits for the echo: nothing of the block changed yet.
        QCOMPARE(p.block->isMaster(), action == "slave");
    }

    // RS485 off from its gate: the MODBUS groups are off while the panel is enabled;
    // ON writes "ATCSON 1" and its echo enables them through the APPLY's end.
    void rs485EchoEnablesGroups()
    {
        ChannelCount = 4;
        BlockPanel p(ModbusProfile::kw(), 38);
        p.block->take(ModbusBlock::Son, "0");
        p.controlEnable(true);
        QVERIFY(!p.ui.groupBox_modbus_baudrate->isEnabled());
        QVERIFY(p.ui.groupBox_485onoff->isEnabled());
        p.ui.radioButton_485_on->click();
        QCOMPARE(p.pendingCommand(), QString("ATCSON 1\r\n"));
        QVERIFY(!p.ui.groupBox_485onoff->isEnabled()); // locked while it waits
        p.reply("ATCSON1");
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QVERIFY(p.block->rs485On());
        for (QWidget* g : p.block->groups())
            QVERIFY(g->isEnabled());
    }

    // A REFRESH of the block's rows ends at the first gate the firmware does not pass.
    void refreshStopsAtGates_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<int>("queries");
        QTest::newRow("KW 32") << "KW" << 32u << 4;
        QTest::newRow("KW 33") << "KW" << 33u << 10;
        QTest::newRow("KW 38") << "KW" << 38u << 11;
        QTest::newRow("LX 40 shows but does not read") << "LX" << 40u << 4;
        QTest::newRow("LX 46") << "LX" << 46u << 10;
        QTest::newRow("VD 25") << "VD" << 25u << 11;
    }

    void refreshStopsAtGates()
    {
        QFETCH(QString, panel);
        QFETCH(unsigned, version);
        QFETCH(int, queries);
        ChannelCount = channelsOf(panel);
        BlockPanel p(profileNamed(panel), version);
        p.startRefresh();
        QStringList sent;
        while (!p.pendingCommand().isEmpty() && sent.size() < 20) {
            const QString query = p.pendingCommand();
            sent << query.trimmed();
            // Answer as the instrument would: master, RS485 on, relay 4.
            const QString key = query.trimmed();
            const QString value = key == "ATCRLYNO" ? "4" : key == "ATCPPMMAX" ? "1e+06" : "1";
            p.reply(key + value);
        }
        QCOMPARE(sent.size(), queries);
        QCOMPARE(sent.first(), QString("ATCMODBR"));
        QCOMPARE(p.mode(), unsigned(DEFAULT));
        QVERIFY(!p.isLocked());
        QCOMPARE(m_closer->count(), 0);
        QCOMPARE(p.block->baudrate(), 1);
        if (queries >= 10) {
            QVERIFY(p.block->isMaster());
            QCOMPARE(p.block->relayNo(), 3);
            QCOMPARE(p.ui.doubleSpinBox_modbus_max->value(), 1000000.0);
        }
        QCOMPARE(p.block->rs485On(), queries == 11);
    }

private:
    std::unique_ptr<ModalCloser> m_closer;
};

QTEST_MAIN(TestModbusBlock)
#include "test_modbusblock.moc"
