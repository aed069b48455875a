#ifndef DEVINFO_H
#define DEVINFO_H

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

// (system location of the tty node, serial number) of one attached instrument.
typedef QPair<QString, QString> Dev_info;
Q_DECLARE_METATYPE(Dev_info)

// The attached instruments (USB 04D8:000A), tty nodes only, in the order the system lists them.
QList<Dev_info> quorvelDevPorts();
// Location of the instrument whose serial number is serial; prefers the tty node.
QString quorvelDevPort(QString const& serial);

// The serial number carried in a USB description ("ZQ_SERIES 1234" -> "1234").
QString serialFromDescription(QString description);
// Display text of a chooser entry: "[" + location + "] - " + serial.
QString deviceDisplayText(Dev_info const& dev);
// Serial port name derived from a location ("/dev/ttyACM0" -> "ttyACM0").
QString portNameFromLocation(QString location);

#endif
