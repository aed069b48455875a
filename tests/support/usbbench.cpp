// umockdev.h pulls in glib, whose "signals" must come before Qt's macro of that name.
#include <umockdev.h>

#include "usbbench.h"

#include "instrumentsim.h"

#include <QtGlobal>

#include <unistd.h>

UsbBench::UsbBench(QObject* parent)
    : QObject(parent)
    // Node names differ between test processes: the serial port's lock file is named
    // after the node, and e2e tests run side by side.
    , m_nextIndex(int(::getpid() % 1000) * 100)
{
    if (!inMockEnvironment())
        qFatal("UsbBench needs a process started by umockdev-wrapper");
    m_testbed = umockdev_testbed_new();
}

UsbBench::~UsbBench()
{
    for (InstrumentSimulator* sim : m_order)
        unplug(sim);
    qDeleteAll(m_order);
    g_object_unref(m_testbed);
}

bool UsbBench::inMockEnvironment()
{
    // umockdev_in_mock_environment() says no under umockdev-wrapper's bare library name.
    return qgetenv("LD_PRELOAD").contains("umockdev-preload");
}

InstrumentSimulator* UsbBench::plug(UsbDeviceSpec const& spec)
{
    auto* sim = new InstrumentSimulator;
    Device device;
    device.spec = spec;
    device.fixedNode = !spec.node.isEmpty();
    if (device.spec.model.isEmpty())
        device.spec.model = "ZQ_SERIES_" + spec.serial;
    m_order << sim;
    add(sim, device);
    m_devices.insert(sim, device);
    return sim;
}

InstrumentSimulator* UsbBench::plugInstrument(QString const& serial, int modelCode, unsigned version)
{
    InstrumentSimulator* sim = plug(serial);
    sim->setModel(modelCode, version);
    return sim;
}

QString UsbBench::ttyPath(Device const& device)
{
    return device.usbPath + "/" + device.usbPath.section('/', -1) + ":1.0/tty/" + device.spec.node;
}

void UsbBench::add(InstrumentSimulator* sim, Device& device)
{
    // umockdev cannot make a node name twice: a device plugged in again gets the next
    // free number, as it does on Linux while the old node is still held open.
    if (device.fixedNode && device.index >= 0)
        qFatal("UsbBench: a device on a node of a given name can be plugged in once only");
    device.index = m_nextIndex++;
    if (!device.fixedNode)
        device.spec.node = "ttyACM" + QString::number(device.index);
    device.usbPath = QString("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-%1").arg(device.index + 1);
    const QString node = device.spec.node;
    const QString text = QString(
        "P: %1\n"
        "E: SUBSYSTEM=usb\n"
        "E: DEVTYPE=usb_device\n"
        "E: ID_VENDOR_ID=%2\n"
        "E: ID_MODEL_ID=%3\n"
        "E: ID_MODEL=%4\n"
        "A: idVendor=%2\n"
        "A: idProduct=%3\n"
        "A: product=%4\n"
        "\n"
        "P: %5\n"
        "N: %6\n"
        "E: DEVNAME=/dev/%6\n"
        "E: SUBSYSTEM=tty\n"
        "E: ID_BUS=usb\n"
        "E: ID_USB_DRIVER=cdc_acm\n"
        "E: ID_VENDOR_ID=%2\n"
        "E: ID_MODEL_ID=%3\n"
        "E: ID_MODEL=%4\n"
        "E: ID_SERIAL_SHORT=%7\n"
        "A: dev=166:%8\n")
        .arg(device.usbPath.mid(4), device.spec.vendorId, device.spec.productId, device.spec.model,
             ttyPath(device).mid(4), node, device.spec.serial)
        .arg(device.index);
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(m_testbed, text.toUtf8().constData(), &error))
        qFatal("umockdev could not add %s: %s", qPrintable(node), error ? error->message : "?");
    device.plugged = true;
    const QByteArray devNode = ("/dev/" + node).toUtf8();
    sim->attach(umockdev_testbed_get_dev_fd(m_testbed, devNode.constData()));
}

void UsbBench::unplug(InstrumentSimulator* sim)
{
    auto it = m_devices.find(sim);
    if (it == m_devices.end() || !it->plugged)
        return;
    sim->detach();
    // The tty first: removing only the USB device would leave its /sys/class/tty link,
    // and plugging it in again would fail.
    umockdev_testbed_remove_device(m_testbed, ttyPath(*it).toUtf8().constData());
    umockdev_testbed_remove_device(m_testbed, it->usbPath.toUtf8().constData());
    it->plugged = false;
}

void UsbBench::replug(InstrumentSimulator* sim)
{
    auto it = m_devices.find(sim);
    if (it == m_devices.end() || it->plugged)
        return;
    add(sim, *it);
}

bool UsbBench::isPlugged(InstrumentSimulator* sim) const
{
    return m_devices.value(sim).plugged;
}

QString UsbBench::location(InstrumentSimulator* sim) const
{
    return "/dev/" + m_devices.value(sim).spec.node;
}

QString UsbBench::portName(InstrumentSimulator* sim) const
{
    return m_devices.value(sim).spec.node;
}

QString UsbBench::serial(InstrumentSimulator* sim) const
{
    return m_devices.value(sim).spec.serial;
}

QString UsbBench::displayText(InstrumentSimulator* sim) const
{
    return "[" + location(sim) + "] - " + serial(sim);
}
