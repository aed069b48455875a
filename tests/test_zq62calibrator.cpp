// The ZQ62 panel's offset apply as a widget, without an instrument. The rest of the
// panel runs end to end in e2e_zq62.
#include <QDoubleSpinBox>
#include <QToolButton>
#include <QtTest>

#include "mainwindow.h"
#include "modalcloser.h"
#include "ui_zq62calibrator.h"
#include "zq62calibrator.h"

class TestZq62Calibrator : public QObject
{
    Q_OBJECT
private slots:
    void offsetApplyWritesTwoDecimals_data();
    void offsetApplyWritesTwoDecimals();
};

void TestZq62Calibrator::offsetApplyWritesTwoDecimals_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("command");
    QTest::newRow("ch2 negative") << 2 << -0.25 << "ATCOFF2 -0.25\r\n";
    QTest::newRow("ch1 whole") << 1 << 3.0 << "ATCOFF1 3.00\r\n";
    QTest::newRow("ch1 large") << 1 << 12345.6 << "ATCOFF1 12345.60\r\n";
}

void TestZq62Calibrator::offsetApplyWritesTwoDecimals()
{
    QFETCH(int, channel);
    QFETCH(double, value);
    QFETCH(QString, command);
    // The panel as the main window makes it for model code 62 (no port: its first
    // refresh fails at once).
    MainWindow window;
    ModalCloser closer(10);
    QVERIFY(window.setVersion("ZQ62v4"));
    auto* panel = dynamic_cast<Zq62Calibrator*>(window.calibrator());
    QVERIFY(panel);
    QTRY_COMPARE(panel->mode(), unsigned(DEFAULT));
    auto* box = panel->findChild<QDoubleSpinBox*>(QString("doubleSpinBox_offset_ch%1").arg(channel));
    auto* apply = panel->findChild<QToolButton*>(QString("toolButton_offset_apply_ch%1").arg(channel));
    box->setValue(value);
    // The button acts on press, not on release.
    QTest::mousePress(apply, Qt::LeftButton);
    QCOMPARE(panel->pendingCommand(), command);
    QCOMPARE(panel->mode(), unsigned(APPLY));
    QCOMPARE(panel->seq(), 4u);
    QTest::mouseRelease(apply, Qt::LeftButton);
    // The echo sets the box and ends the apply.
    box->setValue(0);
    panel->readData(QString(command).remove(' ').remove("\r\n"));
    QCOMPARE(box->value(), value);
    QCOMPARE(panel->mode(), unsigned(DEFAULT));
    QCOMPARE(panel->pendingCommand(), QString());
    QVERIFY(panel->form()->groupBox_ch1->isEnabled());
}

QTEST_MAIN(TestZq62Calibrator)
#include "test_zq62calibrator.moc"
