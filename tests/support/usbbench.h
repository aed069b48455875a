#ifndef USBBENCH_H
#define USBBENCH_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class InstrumentSimulator;
typedef struct _UMockdevTestbed UMockdevTestbed;

// What the bench plugs in: a USB CDC device as udev reports it.
struct UsbDeviceSpec
{
    QString serial;               // the description is "ZQ_SERIES_" + serial ...
    QString model;                // ... unless a description (udev ID_MODEL) is given here
    QString vendorId = "04d8";
    QString productId = "000a";
    QString node;                 // device node name under /dev; "ttyACM<number>" when empty
};

// A bench of mocked USB serial instruments (umockdev): plug, unplug and plug again while
// the program runs. Each device node is a pty whose master an InstrumentSimulator plays.
//
// Works only in a process started by umockdev-wrapper (the e2e_* tests). Create the bench
// before the main window and destroy it after: a port must be closed while its testbed
// still exists.
class UsbBench : public QObject
{
    Q_OBJECT
public:
    explicit UsbBench(QObject* parent = nullptr);
    ~UsbBench() override;

    static bool inMockEnvironment();

    // Plugs a device in; the returned simulator (owned by the bench) is attached to it
    // and, for a ZQ description, answers nothing until it is given a model.
    InstrumentSimulator* plug(UsbDeviceSpec const& spec);
    InstrumentSimulator* plug(QString const& serial) { return plug(UsbDeviceSpec{serial}); }
    // Plugs a device in and makes it an instrument of that model.
    InstrumentSimulator* plugInstrument(QString const& serial, int modelCode, unsigned version);
    // Pulls the device out: its node and udev entry vanish and the simulator stops talking.
    void unplug(InstrumentSimulator* sim);
    // Plugs the same device in again; the simulator keeps its log. The device gets a new
    // node ("ttyACM<next number>"), as on Linux while the old node is still held open.
    void replug(InstrumentSimulator* sim);
    bool isPlugged(InstrumentSimulator* sim) const;

    QString location(InstrumentSimulator* sim) const;    // "/dev/ttyACM<number>"
    QString portName(InstrumentSimulator* sim) const;    // "ttyACM<number>"
    QString serial(InstrumentSimulator* sim) const;
    // The chooser's text for the device: "[" + location + "] - " + serial.
    QString displayText(InstrumentSimulator* sim) const;
    QList<InstrumentSimulator*> instruments() const { return m_order; }

private:
    struct Device
    {
        UsbDeviceSpec spec;
        int index = -1;
        bool fixedNode = false;
        QString usbPath;   // sysfs path of the USB device (the tty node is its child)
        bool plugged = false;
    };
    void add(InstrumentSimulator* sim, Device& device);
    static QString ttyPath(Device const& device);

    UMockdevTestbed* m_testbed = nullptr;
    QHash<InstrumentSimulator*, Device> m_devices;
    QList<InstrumentSimulator*> m_order;
    int m_nextIndex;
};

#endif
