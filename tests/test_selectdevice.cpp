// The device chooser and the texts derived from a USB serial port.
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include "devinfo.h"
#include "selectdevice.h"

class TestSelectDevice : public QObject
{
    Q_OBJECT
private slots:
    void serialFromDescription_data();
    void serialFromDescription();
    void listFollowsTheScans();
    void autoStartOffersTheFirstItemAfterEveryUpdate();
};

void TestSelectDevice::serialFromDescription_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("serial");
    QTest::newRow("as udev gives it") << "ZQ SERIES A1B2C3" << "A1B2C3";
    QTest::newRow("underscores and blanks") << "ZQ_SERIES_12 34" << "1234";
    QTest::newRow("series word inside the number") << "ZQ SERIES ZQ9" << "9";
    QTest::newRow("case matters") << "zq series 1" << "zqseries1";
}

void TestSelectDevice::serialFromDescription()
{
    QFETCH(QString, description);
    QFETCH(QString, serial);
    QCOMPARE(::serialFromDescription(description), serial);
    QCOMPARE(::portNameFromLocation("/dev/ttyACM0"), QString("ttyACM0"));
    QCOMPARE(::portNameFromLocation("/dev/cu.usbmodem14201"), QString("cu.usbmodem14201"));
}

void TestSelectDevice::listFollowsTheScans()
{
    SelectDevice chooser;
    QListWidget* list = chooser.listwidget();
    auto texts = [list] {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    };
    const Dev_info a("/dev/ttyACM0", "12345");
    const Dev_info b("/dev/ttyACM1", "B2");
    const Dev_info c("/dev/ttyACM2", "C3");

    chooser.addDevice({b, a});
    chooser.removeList({b, a});
    QCOMPARE(texts(), QStringList({"[/dev/ttyACM1] - B2", "[/dev/ttyACM0] - 12345"}));
    QCOMPARE(list->item(1)->statusTip(), QString("/dev/ttyACM0"));
    QCOMPARE(list->item(1)->toolTip(), QString("12345"));

    // Nothing is listed twice; new entries go to the end in scan order.
    chooser.addDevice({a, c, b});
    QCOMPARE(texts(), QStringList({"[/dev/ttyACM1] - B2", "[/dev/ttyACM0] - 12345", "[/dev/ttyACM2] - C3"}));
    // An entry whose text is part of a listed item's text counts as listed.
    chooser.addDevice({Dev_info("/dev/ttyACM0", "1234")});
    QCOMPARE(list->count(), 3);

    // Two entries gone in one scan are both removed.
    chooser.removeList({c});
    QCOMPARE(texts(), QStringList{"[/dev/ttyACM2] - C3"});
    chooser.removeList({});
    QCOMPARE(list->count(), 0);
}

void TestSelectDevice::autoStartOffersTheFirstItemAfterEveryUpdate()
{
    SelectDevice chooser;
    QVERIFY(!chooser.autoStart());
    QSignalSpy offers(&chooser, SIGNAL(autoStartDevice(Dev_info)));
    const Dev_info a("/dev/ttyACM0", "A1");
    const Dev_info b("/dev/ttyACM1", "B2");

    chooser.addDevice({a, b});
    chooser.removeList({a, b});
    QCOMPARE(offers.count(), 0);

    chooser.setAutoStart(true);
    chooser.addDevice({a, b});
    chooser.removeList({a, b});
    QCOMPARE(offers.count(), 2);
    for (QList<QVariant> const& offer : offers)
        QCOMPARE(offer.at(0).value<Dev_info>(), a);

    chooser.removeList({b});
    QCOMPARE(offers.count(), 3);
    QCOMPARE(offers.last().at(0).value<Dev_info>(), b);

    chooser.removeList({});
    chooser.addDevice({});
    QCOMPARE(offers.count(), 3);
}

QTEST_MAIN(TestSelectDevice)
#include "test_selectdevice.moc"
