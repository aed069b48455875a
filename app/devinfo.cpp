#include "devinfo.h"

#include <QSerialPortInfo>

namespace {

bool isQuorvelPort(QSerialPortInfo const& info)
{
    const QString vendor = QString::asprintf("%04X", info.hasVendorIdentifier() ? info.vendorIdentifier() : 0);
    const QString product = QString::asprintf("%04X", info.hasProductIdentifier() ? info.productIdentifier() : 0);
    return vendor.contains("04D8") && product.contains("000A");
}

} // namespace

QString serialFromDescription(QString description)
{
    return description.remove("ZQ").remove("SERIES").remove("_").remove(" ");
}

QString deviceDisplayText(Dev_info const& dev)
{
    return "[" + dev.first + "] - " + dev.second;
}

QString portNameFromLocation(QString location)
{
    return location.remove("/").remove("dev");
}

QList<Dev_info> quorvelDevPorts()
{
    QList<Dev_info> list;
    const auto ports = QSerialPortInfo::availablePorts();
    for (QSerialPortInfo const& info : ports) {
        if (!isQuorvelPort(info))
            continue;
        if (info.systemLocation().contains("cu."))
            continue;
        list.append(Dev_info(info.systemLocation(), serialFromDescription(info.description())));
    }
    return list;
}

QString quorvelDevPort(QString const& serial)
{
    QString location;
    const auto ports = QSerialPortInfo::availablePorts();
    for (QSerialPortInfo const& info : ports) {
        if (!isQuorvelPort(info) || serialFromDescription(info.description()) != serial)
            continue;
        location = info.systemLocation();
        if (!location.contains("cu."))
            break;
    }
    return location;
}
