#ifndef USBBENCH_H
#define USBBENCH_H

#include <QHash>
#include <QList>
#include <QString>

#include "instrumentsim.h"

typedef struct _UMockdevTestbed UMockdevTestbed;

// A bench of mocked USB serial instruments (umockdev): plug, unplug and plug again while
// the program runs. Each device is a USB CDC device described "ZQ_SERIES_<serial>" whose
// tty node is a pty; an InstrumentSimulator plays its master side.
//
// Works only in a process started by umockdev-wrapper (the e2e_* tests). Create the bench
// before the main window and destroy it after: a port must be closed while its testbed
// still exists.
class UsbBench
{
public:
    UsbBench();
    ~UsbBench();
    Q_DISABLE_COPY(UsbBench)

    // Plugs a device in; the returned simulator (owned by the bench) is attached to it and
    // answers nothing until it is given a model or an identification.
    InstrumentSimulator* plug(QString const& serial, QString const& vendorId = "04d8",
                              QString const& productId = "000a");
    // Plugs a device in and makes it an instrument of that model.
    InstrumentSimulator* plugInstrument(QString const& serial, int modelCode, unsigned version)
    {
        InstrumentSimulator* sim = plug(serial);
        sim->setModel(modelCode, version);
        return sim;
    }
    // Pulls the device out: its node and udev entry vanish and the simulator stops talking.
    void unplug(InstrumentSimulator* sim);
    // Plugs the same device in again; the simulator keeps its log. The device gets a new
    // node, as on Linux while the old node is still held open.
    void replug(InstrumentSimulator* sim);

    QString portName(InstrumentSimulator* sim) const; // "ttyACM<number>"
    // The chooser's text for the device: "[/dev/<port name>] - <serial>".
    QString displayText(InstrumentSimulator* sim) const;

private:
    struct Device
    {
        QString serial, vendorId, productId, node; // node: "ttyACM<number>"
        QString usbPath; // sysfs path of the USB device (the tty node is its child)
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
