#include "modbusblock.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QWidget>

#include "calibratorpanel.h"
#include "globals.h"

namespace {

constexpr int kBaudCount = 6;
constexpr int kTimeoutCount = 5;
constexpr int kRelayCount = 8;
constexpr int kSlaveAddressDefault = 54;

const char* const kKeywords[] = {"ATCSON",   "ATCISMST",  "ATCMODCH", "ATCMSTID", "ATCRLYNO", "ATCPPMMAX",
                                 "ATCRLYDLY", "ATCMODBR", "ATCMODTO", "ATCMODSW", "ATCMODID"};

void fill(QComboBox* combo, QStringList const& texts, int firstData)
{
    combo->clear();
    for (int i = 0; i < texts.size(); ++i)
        combo->addItem(texts.at(i), firstData + i);
}

QStringList channelTexts(int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << QString("%1 Channel").arg(i);
    return texts;
}

} // namespace

// ---- profiles -----------------------------------------------------------------

ModbusProfile ModbusProfile::kw()
{
    return {200, 300, 5, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 33, 33, 38,
            " " + QString(QChar(0x00B0)) + "C", channelTexts(4)};
}

ModbusProfile ModbusProfile::lx()
{
    return {100, 200, 5, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 33, 41, 47, " mA", channelTexts(4)};
}

ModbusProfile ModbusProfile::nb()
{
    // Steps by keyword: MODID 24, MODBR 25, MODSW 26, MODTO 27.
    return {600, 700, 5, 18, 19, 20, 21, 22, 23, 25, 27, 26, 24, 30, 30, 42, " ppm", channelTexts(2)};
}

ModbusProfile ModbusProfile::vd()
{
    // Steps by keyword: MODID 19, MODBR 20, MODTO 21, MODSW 22.
    return {100, 400, 5, 13, 14, 15, 16, 17, 18, 20, 21, 22, 19, 23, 23, 25, QString(),
            {"pm2.5", "pm10", "pm0.5"}};
}

// ---- the block ----------------------------------------------------------------

ModbusBlock::ModbusBlock(CalibratorPanel* panel, ModbusProfile const& profile, ModbusWidgets const& widgets)
    : QObject(panel)
    , m_panel(panel)
    , m_profile(profile)
    , m_w(widgets)
{
    fill(m_w.comboBox_modbus_baudrate, {"4800", "9600", "14400", "19200", "38400", "57600"}, 0);
    fill(m_w.comboBox_modbus_timeout, {"1 Second", "150 mSec", "300 mSec", "600 mSec", "2 Second"}, 0);
    QStringList relays;
    for (int i = 1; i <= kRelayCount; ++i)
        relays << QString("RLY%1").arg(i);
    fill(m_w.comboBox_modbus_relay_no, relays, 1);
    if (!m_profile.channelItems.isEmpty()) {
        fill(m_w.comboBox_modbus_channel, m_profile.channelItems, 0);
    } else {
        for (int i = 0; i < m_w.comboBox_modbus_channel->count(); ++i)
            m_w.comboBox_modbus_channel->setItemData(i, i);
    }

    m_isMaster = false;
    m_w.radioButton_Slave->setChecked(true);
    m_modeGroup = new QButtonGroup(panel);
    m_modeGroup->addButton(m_w.radioButton_Slave, m_profile.modeIdBase);
    m_modeGroup->addButton(m_w.radioButton_Master, m_profile.modeIdBase + 1);
    connect(m_modeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotModbusModeChanged(int)));

    m_rs485On = false;
    m_w.radioButton_485_off->setChecked(true);
    m_485Group = new QButtonGroup(panel);
    m_485Group->addButton(m_w.radioButton_485_off, m_profile.onOffIdBase);
    m_485Group->addButton(m_w.radioButton_485_on, m_profile.onOffIdBase + 1);
    connect(m_485Group, SIGNAL(buttonClicked(int)), this, SLOT(slotModbus485OnOffApply(int)));

    connect(m_w.toolButton_modbus_baudrate_apply, SIGNAL(pressed()), this, SLOT(slotModbusBuadrateApply()));
    connect(m_w.toolButton_modbus_timeout_apply, SIGNAL(pressed()), this, SLOT(slotModbusTimeoutApply()));
    connect(m_w.toolButton_modbus_byteswap_apply, SIGNAL(pressed()), this, SLOT(slotModbusByteSwapApply()));
    connect(m_w.toolButton_modbus_addr_apply, SIGNAL(pressed()), this, SLOT(slotModbusAddressApply()));
    connect(m_w.toolButton_modbus_channel_apply, SIGNAL(pressed()), this, SLOT(slotModbusChannelApply()));
    connect(m_w.toolButton_modbus_max_apply, SIGNAL(pressed()), this, SLOT(slotModbusMaxApply()));
    connect(m_w.toolButton_modbus_hold_min_apply, SIGNAL(pressed()), this, SLOT(slotModbusHoldMinApply()));
    connect(m_w.toolButton_modbus_relay_addr_apply, SIGNAL(pressed()), this, SLOT(slotModbusRelayAddrApply()));
    connect(m_w.toolButton_modbus_relay_no_apply, SIGNAL(pressed()), this, SLOT(slotModbusRelayNoApply()));
    connect(m_w.comboBox_modbus_baudrate, SIGNAL(currentIndexChanged(int)), this, SLOT(slotModbusBaudrateChanged(int)));
    connect(m_w.comboBox_modbus_timeout, SIGNAL(currentIndexChanged(int)), this, SLOT(slotModbusTimeoutChanged(int)));
    connect(m_w.comboBox_modbus_channel, SIGNAL(currentIndexChanged(int)), this, SLOT(slotModbusChannelChanged(int)));
    connect(m_w.comboBox_modbus_relay_no, SIGNAL(currentIndexChanged(int)), this, SLOT(slotModbusRelayNoChanged(int)));
}

void ModbusBlock::clear()
{
    m_baudrate = 0;
    m_timeout = 0;
    m_channel = 0;
    m_relayNo = 0;
    for (QComboBox* combo : {m_w.comboBox_modbus_baudrate, m_w.comboBox_modbus_timeout,
                             m_w.comboBox_modbus_channel, m_w.comboBox_modbus_relay_no}) {
        combo->setCurrentIndex(0);
        combo->setStyleSheet(QString());
    }
    m_w.spinBox_modbus_addr->setValue(kSlaveAddressDefault);
    m_w.spinBox_modbus_addr->setStyleSheet(QString());
    m_rs485On = false;
    m_w.radioButton_485_off->setChecked(true);
    m_isMaster = false;
}

QList<QWidget*> ModbusBlock::masterGroups() const
{
    return {m_w.groupBox_modbus_max, m_w.groupBox_modbus_channel, m_w.groupBox_modbus_hold_min,
            m_w.groupBox_modbus_relay_no, m_w.groupBox_modbus_relay_addr};
}

QList<QWidget*> ModbusBlock::modbusGroups() const
{
    return QList<QWidget*>{m_w.groupBox_modbus_mode} + masterGroups()
           + QList<QWidget*>{m_w.groupBox_modbus_baudrate, m_w.groupBox_modbus_timeout,
                             m_w.groupBox_modbus_byteswap, m_w.groupBox_modbus_addr};
}

QList<QWidget*> ModbusBlock::groups() const
{
    return modbusGroups() << m_w.groupBox_485onoff;
}

void ModbusBlock::setMode()
{
    const unsigned version = m_panel->version();
    if (version < m_profile.showGate) {
        m_w.groupBox_485onoff->hide();
        m_w.groupBox_modbus_mode->hide();
        for (QWidget* group : masterGroups())
            group->hide();
        return;
    }
    m_w.groupBox_modbus_mode->show();
    m_w.doubleSpinBox_modbus_max->setSuffix(m_profile.maxSuffix);
    (m_isMaster ? m_w.radioButton_Master : m_w.radioButton_Slave)->setChecked(true);
    m_w.groupBox_modbus_addr->setVisible(!m_isMaster);
    m_w.groupBox_modbus_byteswap->setVisible(!m_isMaster);
    for (QWidget* group : masterGroups())
        group->setVisible(m_isMaster);
    if (version >= m_profile.rs485Gate) {
        m_w.groupBox_485onoff->show();
        (m_rs485On ? m_w.radioButton_485_on : m_w.radioButton_485_off)->setChecked(true);
    } else {
        m_w.groupBox_485onoff->hide();
    }
}

void ModbusBlock::applyEnableRule(bool enable)
{
    if (!enable || m_panel->version() < m_profile.rs485Gate)
        return;
    for (QWidget* group : modbusGroups())
        group->setEnabled(m_rs485On);
}

// ---- rows and the reply rule ------------------------------------------------------

QString ModbusBlock::keyword(Setting s)
{
    return QString::fromLatin1(kKeywords[s]);
}

unsigned ModbusBlock::step(Setting s) const
{
    switch (s) {
    case Son: return m_profile.son;
    case Ismst: return m_profile.ismst;
    case Modch: return m_profile.modch;
    case Mstid: return m_profile.mstid;
    case Rlyno: return m_profile.rlyno;
    case Ppmmax: return m_profile.ppmmax;
    case Rlydly: return m_profile.rlydly;
    case Modbr: return m_profile.modbr;
    case Modto: return m_profile.modto;
    case Modsw: return m_profile.modsw;
    case Modid: return m_profile.modid;
    }
    return 0;
}

SequenceRow ModbusBlock::row(Setting s) const
{
    unsigned gate = 0;
    if (s == Son)
        gate = m_profile.rs485Gate;
    else if (s >= Ismst && s <= Rlydly)
        gate = m_profile.masterReadGate;
    ModbusBlock* self = const_cast<ModbusBlock*>(this);
    SequenceRow r = plainRow(step(s), keyword(s), [self, s](int, QString const& value) {
        self->take(s, value);
        return true;
    }, gate);
    r.endBelowGate = gate != 0;
    return r;
}

QVector<SequenceRow> ModbusBlock::rows(std::initializer_list<Setting> order) const
{
    QVector<SequenceRow> result;
    for (Setting s : order)
        result << row(s);
    return result;
}

int ModbusBlock::channelBound() const
{
    return qMax(0, qMin(m_w.comboBox_modbus_channel->count(), ChannelCount));
}

void ModbusBlock::mark(QComboBox* combo, bool green)
{
    combo->setStyleSheet(QString::fromLatin1(green ? CalibratorPanel::MatchStyle : CalibratorPanel::ChangedStyle));
}

void ModbusBlock::takeIndex(int v, int bound, int offset, int* member, QComboBox* combo)
{
    // Out of range: the stored index stays, is selected again and shows green.
    const qint64 index = qint64(v) - offset;
    if (index >= 0 && index < bound)
        *member = int(index);
    combo->setCurrentIndex(*member);
    mark(combo, true);
}

void ModbusBlock::take(Setting s, QString const& value)
{
    const int v = value.toInt();
    switch (s) {
    case Modbr:
        takeIndex(v, kBaudCount, 0, &m_baudrate, m_w.comboBox_modbus_baudrate);
        break;
    case Modto:
        takeIndex(v, kTimeoutCount, 0, &m_timeout, m_w.comboBox_modbus_timeout);
        break;
    case Modch:
        takeIndex(v, channelBound(), 0, &m_channel, m_w.comboBox_modbus_channel);
        break;
    case Rlyno:
        takeIndex(v, kRelayCount, 1, &m_relayNo, m_w.comboBox_modbus_relay_no);
        break;
    case Modsw:
        m_w.checkBox_modbus_byteswap->setChecked(value.toUInt() == 1);
        break;
    case Modid:
        m_w.spinBox_modbus_addr->setValue(v);
        break;
    case Mstid:
        m_w.spinBox_modbus_relay_addr->setValue(v);
        break;
    case Ppmmax:
        m_w.doubleSpinBox_modbus_max->setValue(value.toDouble());
        break;
    case Rlydly:
        m_w.spinBox_modbus_hold_min->setValue(v);
        break;
    case Ismst:
        m_isMaster = v != 0;
        setMode();
        break;
    case Son:
        m_rs485On = v != 0;
        setMode();
        break;
    }
}

// ---- writes -------------------------------------------------------------------

void ModbusBlock::write(Setting s, QString const& value)
{
    m_panel->writeDelay(APPLY, step(s), keyword(s) + " " + value + "\r\n");
}

void ModbusBlock::slotModbusModeChanged(int id)
{
    if (m_panel->mode() == DEFAULT)
        write(Ismst, QString::number(id - m_profile.modeIdBase));
}

void ModbusBlock::slotModbus485OnOffApply(int id)
{
    if (m_panel->mode() == DEFAULT)
        write(Son, QString::number(id - m_profile.onOffIdBase));
}

void ModbusBlock::slotModbusBuadrateApply()
{
    write(Modbr, m_w.comboBox_modbus_baudrate->currentData().toString());
}

void ModbusBlock::slotModbusTimeoutApply()
{
    write(Modto, m_w.comboBox_modbus_timeout->currentData().toString());
}

void ModbusBlock::slotModbusByteSwapApply()
{
    write(Modsw, m_w.checkBox_modbus_byteswap->isChecked() ? "1" : "0");
}

void ModbusBlock::slotModbusAddressApply()
{
    write(Modid, QString::number(m_w.spinBox_modbus_addr->value()));
}

void ModbusBlock::slotModbusChannelApply()
{
    write(Modch, m_w.comboBox_modbus_channel->currentData().toString());
}

void ModbusBlock::slotModbusMaxApply()
{
    write(Ppmmax, g6(m_w.doubleSpinBox_modbus_max->value()));
}

void ModbusBlock::slotModbusHoldMinApply()
{
    write(Rlydly, QString::number(m_w.spinBox_modbus_hold_min->value()));
}

void ModbusBlock::slotModbusRelayAddrApply()
{
    write(Mstid, QString::number(m_w.spinBox_modbus_relay_addr->value()));
}

void ModbusBlock::slotModbusRelayNoApply()
{
    write(Rlyno, m_w.comboBox_modbus_relay_no->currentData().toString());
}

// ---- changed marking ----------------------------------------------------------------

void ModbusBlock::slotModbusBaudrateChanged(int index)
{
    mark(m_w.comboBox_modbus_baudrate, m_w.comboBox_modbus_baudrate->itemData(index).toInt() == m_baudrate);
}

void ModbusBlock::slotModbusTimeoutChanged(int index)
{
    mark(m_w.comboBox_modbus_timeout, m_w.comboBox_modbus_timeout->itemData(index).toInt() == m_timeout);
}

void ModbusBlock::slotModbusChannelChanged(int index)
{
    mark(m_w.comboBox_modbus_channel, m_w.comboBox_modbus_channel->itemData(index).toInt() == m_channel);
}

void ModbusBlock::slotModbusRelayNoChanged(int index)
{
    mark(m_w.comboBox_modbus_relay_no, index == m_relayNo);
}
