#ifndef MODBUSBLOCK_H
#define MODBUSBLOCK_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <initializer_list>

#include "channelsequence.h"

class CalibratorPanel;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QWidget;

// What the RS485/MODBUS block of one panel class differs in: data only.
struct ModbusProfile
{
    int modeIdBase;  // Slave radio id, Master = +1
    int onOffIdBase; // RS485 OFF radio id, ON = +1
    // The APPLY/REFRESH step of each keyword.
    unsigned son, ismst, modch, mstid, rlyno, ppmmax, rlydly, modbr, modto, modsw, modid;
    unsigned showGate;       // mode and master groups shown from this firmware
    unsigned masterReadGate; // ISMST..RLYDLY read by a REFRESH from this firmware
    unsigned rs485Gate;      // RS485 group shown, read and gating the others from this firmware
    QString maxSuffix;       // suffix of the threshold value
    // Threshold-channel items (item data = index); empty: the form's items. An echo is
    // taken when 0 <= v < min(items, ChannelCount).
    QStringList channelItems;

    // The profiles of the four panels that carry the block.
    static ModbusProfile kw();
    static ModbusProfile lx();
    static ModbusProfile nb();
    static ModbusProfile vd();
};

// The block's widgets, by the object names every form that carries it uses.
struct ModbusWidgets
{
    // Groups.
    QWidget* groupBox_485onoff = nullptr;
    QWidget* groupBox_modbus_mode = nullptr;
    QWidget* groupBox_modbus_baudrate = nullptr;
    QWidget* groupBox_modbus_timeout = nullptr;
    QWidget* groupBox_modbus_byteswap = nullptr;
    QWidget* groupBox_modbus_addr = nullptr;
    QWidget* groupBox_modbus_channel = nullptr;
    QWidget* groupBox_modbus_max = nullptr;
    QWidget* groupBox_modbus_hold_min = nullptr;
    QWidget* groupBox_modbus_relay_addr = nullptr;
    QWidget* groupBox_modbus_relay_no = nullptr;
    // Controls.
    QComboBox* comboBox_modbus_baudrate = nullptr;
    QComboBox* comboBox_modbus_timeout = nullptr;
    QCheckBox* checkBox_modbus_byteswap = nullptr;
    QSpinBox* spinBox_modbus_addr = nullptr;
    QComboBox* comboBox_modbus_channel = nullptr;
    QDoubleSpinBox* doubleSpinBox_modbus_max = nullptr;
    QSpinBox* spinBox_modbus_hold_min = nullptr;
    QSpinBox* spinBox_modbus_relay_addr = nullptr;
    QComboBox* comboBox_modbus_relay_no = nullptr;
    // Apply buttons.
    QAbstractButton* toolButton_modbus_baudrate_apply = nullptr;
    QAbstractButton* toolButton_modbus_timeout_apply = nullptr;
    QAbstractButton* toolButton_modbus_byteswap_apply = nullptr;
    QAbstractButton* toolButton_modbus_addr_apply = nullptr;
    QAbstractButton* toolButton_modbus_channel_apply = nullptr;
    QAbstractButton* toolButton_modbus_max_apply = nullptr;
    QAbstractButton* toolButton_modbus_hold_min_apply = nullptr;
    QAbstractButton* toolButton_modbus_relay_addr_apply = nullptr;
    QAbstractButton* toolButton_modbus_relay_no_apply = nullptr;
    // Radios.
    QAbstractButton* radioButton_485_on = nullptr;
    QAbstractButton* radioButton_485_off = nullptr;
    QAbstractButton* radioButton_Slave = nullptr;
    QAbstractButton* radioButton_Master = nullptr;

    // Every pointer from a form class (Ui_...) that has these object names.
    template <class Ui>
    static ModbusWidgets from(Ui* ui)
    {
        ModbusWidgets w;
        w.groupBox_485onoff = ui->groupBox_485onoff;
        w.groupBox_modbus_mode = ui->groupBox_modbus_mode;
        w.groupBox_modbus_baudrate = ui->groupBox_modbus_baudrate;
        w.groupBox_modbus_timeout = ui->groupBox_modbus_timeout;
        w.groupBox_modbus_byteswap = ui->groupBox_modbus_byteswap;
        w.groupBox_modbus_addr = ui->groupBox_modbus_addr;
        w.groupBox_modbus_channel = ui->groupBox_modbus_channel;
        w.groupBox_modbus_max = ui->groupBox_modbus_max;
        w.groupBox_modbus_hold_min = ui->groupBox_modbus_hold_min;
        w.groupBox_modbus_relay_addr = ui->groupBox_modbus_relay_addr;
        w.groupBox_modbus_relay_no = ui->groupBox_modbus_relay_no;
        w.comboBox_modbus_baudrate = ui->comboBox_modbus_baudrate;
        w.comboBox_modbus_timeout = ui->comboBox_modbus_timeout;
        w.checkBox_modbus_byteswap = ui->checkBox_modbus_byteswap;
        w.spinBox_modbus_addr = ui->spinBox_modbus_addr;
        w.comboBox_modbus_channel = ui->comboBox_modbus_channel;
        w.doubleSpinBox_modbus_max = ui->doubleSpinBox_modbus_max;
        w.spinBox_modbus_hold_min = ui->spinBox_modbus_hold_min;
        w.spinBox_modbus_relay_addr = ui->spinBox_modbus_relay_addr;
        w.comboBox_modbus_relay_no = ui->comboBox_modbus_relay_no;
        w.toolButton_modbus_baudrate_apply = ui->toolButton_modbus_baudrate_apply;
        w.toolButton_modbus_timeout_apply = ui->toolButton_modbus_timeout_apply;
        w.toolButton_modbus_byteswap_apply = ui->toolButton_modbus_byteswap_apply;
        w.toolButton_modbus_addr_apply = ui->toolButton_modbus_addr_apply;
        w.toolButton_modbus_channel_apply = ui->toolButton_modbus_channel_apply;
        w.toolButton_modbus_max_apply = ui->toolButton_modbus_max_apply;
        w.toolButton_modbus_hold_min_apply = ui->toolButton_modbus_hold_min_apply;
        w.toolButton_modbus_relay_addr_apply = ui->toolButton_modbus_relay_addr_apply;
        w.toolButton_modbus_relay_no_apply = ui->toolButton_modbus_relay_no_apply;
        w.radioButton_485_on = ui->radioButton_485_on;
        w.radioButton_485_off = ui->radioButton_485_off;
        w.radioButton_Slave = ui->radioButton_Slave;
        w.radioButton_Master = ui->radioButton_Master;
        return w;
    }
};

// The RS485/MODBUS settings block of the HV700 panels (KW, LX, NB, VD): its cached
// device state, the eleven settings' writes and reply rule, the changed marking of its
// combos and the show/enable rules by firmware, mode and RS485 state.
//
// The panel keeps its REFRESH order: it takes the block's rows into its ChannelSequence
// tables (REFRESH and APPLY), calls clear() from clearAll, setMode() from
// setModbusMode, and applyEnableRule() at the end of controlEnable.
class ModbusBlock : public QObject
{
    Q_OBJECT
public:
    enum Setting { Son, Ismst, Modch, Mstid, Rlyno, Ppmmax, Rlydly, Modbr, Modto, Modsw, Modid };

    // Creates the two button groups with the profile's ids, fills the combos' items and
    // connects the apply buttons (pressed()), the radio groups and the combos.
    ModbusBlock(CalibratorPanel* panel, ModbusProfile const& profile, ModbusWidgets const& widgets);

    // The defaults of a panel's clearAll.
    void clear();
    // Shows and hides the groups by the firmware gates, master/slave and RS485 state,
    // checks the matching radios and sets the threshold suffix.
    void setMode();
    // After the panel set each of its groups to enable: from the RS485 gate, enabling
    // leaves the ten MODBUS groups enabled only while RS485 is on.
    void applyEnableRule(bool enable);
    // The ten MODBUS groups and groupBox_485onoff, for the panel's controlEnable.
    QList<QWidget*> groups() const;
    // The ten MODBUS groups (mode group included, RS485 group not).
    QList<QWidget*> modbusGroups() const;

    // A row of a REFRESH/APPLY table: the profile's step, query "KEY\r\n", the reply
    // rule as store, the REFRESH gate (masterReadGate for ISMST..RLYDLY, rs485Gate for
    // SON; below it the sequence ends).
    SequenceRow row(Setting s) const;
    QVector<SequenceRow> rows(std::initializer_list<Setting> order) const;
    unsigned step(Setting s) const;
    static QString keyword(Setting s);

    bool isMaster() const { return m_isMaster; }
    bool rs485On() const { return m_rs485On; }
    int baudrate() const { return m_baudrate; }
    int timeout() const { return m_timeout; }
    int channel() const { return m_channel; }
    int relayNo() const { return m_relayNo; }
    ModbusProfile const& profile() const { return m_profile; }
    ModbusWidgets const& widgets() const { return m_w; }

    // The reply rule: value is the reply with the keyword cut off.
    void take(Setting s, QString const& value);

public slots:
    void slotModbusModeChanged(int id);
    void slotModbus485OnOffApply(int id);
    void slotModbusBuadrateApply();
    void slotModbusTimeoutApply();
    void slotModbusByteSwapApply();
    void slotModbusAddressApply();
    void slotModbusChannelApply();
    void slotModbusMaxApply();
    void slotModbusHoldMinApply();
    void slotModbusRelayAddrApply();
    void slotModbusRelayNoApply();
    void slotModbusBaudrateChanged(int index);
    void slotModbusTimeoutChanged(int index);
    void slotModbusChannelChanged(int index);
    void slotModbusRelayNoChanged(int index);

private:
    void write(Setting s, QString const& value);
    // The threshold-channel echoes taken: 0..min(items, ChannelCount) - 1.
    int channelBound() const;
    void takeIndex(int v, int bound, int offset, int* member, QComboBox* combo);
    void mark(QComboBox* combo, bool green);
    QList<QWidget*> masterGroups() const;

    CalibratorPanel* m_panel;
    ModbusProfile m_profile;
    ModbusWidgets m_w;
    QButtonGroup* m_modeGroup = nullptr;
    QButtonGroup* m_485Group = nullptr;
    int m_baudrate = 0;
    int m_timeout = 0;
    int m_channel = 0;
    int m_relayNo = 0;
    bool m_isMaster = false;
    bool m_rs485On = false;
};

#endif
