// umockdev.h pulls in glib, whose "signals" must come before Qt's macro of that name.
#include <umockdev.h>

#include "usbbench.h"

#include <unistd.h>

UsbBench::UsbBench()
    // Node names differ between test processes: the serial port's lock file is named
    // after the node, and e2e tests run side by side.
    : m_nextIndex(int(::getpid() % 1000) * 100)
{
    // umockdev_in_mock_environment() says no under umockdev-wrapper's bare library name.
    if (!qgetenv("LD_PRELOAD").contains("umockdev-preload"))
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

InstrumentSimulator* UsbBench::plug(QString const& serial, QString const& vendorId, QString const& productId)
{
    auto* sim = new InstrumentSimulator;
    Device device{serial, vendorId, productId};
    add(sim, device);
    m_devices.insert(sim, device);
    m_order << sim;
    return sim;
}

QString UsbBench::ttyPath(Device const& device)
{
    return device.usbPath + "/" + device.usbPath.section('/', -1) + ":1.0/tty/" + device.node;
}

void UsbBench::add(InstrumentSimulator* sim, Device& device)
{
    // umockdev cannot make a node name twice: a device plugged in again gets the next number.
    const int index = m_nextIndex++;
    device.node = "ttyACM" + QString::number(index);
    device.usbPath = QString("/sys/devices/pci0000:00/0000:00:14.0/usb1/1-%1").arg(index + 1);
    const QString model = "ZQ_SERIES_" + device.serial;
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
        .arg(device.usbPath.mid(4), device.vendorId, device.productId, model, ttyPath(device).mid(4),
             device.node, device.serial)
        .arg(index);
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(m_testbed, text.toUtf8().constData(), &error))
        qFatal("umockdev could not add %s: %s", qPrintable(device.node), error ? error->message : "?");
    device.plugged = true;
    sim->attach(umockdev_testbed_get_dev_fd(m_testbed, ("/dev/" + device.node).toUtf8().constData()));
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
    if (it != m_devices.end() && !it->plugged)
        add(sim, *it);
}

QString UsbBench::portName(InstrumentSimulator* sim) const
{
    return m_devices.value(sim).node;
}

QString UsbBench::displayText(InstrumentSimulator* sim) const
{
    return "[/dev/" + portName(sim) + "] - " + m_devices.value(sim).serial;
}
