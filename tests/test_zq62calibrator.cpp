// The ZQ62 panel as a widget: its form and what its controls queue. The instrument side
// runs end to end in e2e_zq62.
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLCDNumber>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "mainwindow.h"
#include "modalcloser.h"
#include "qchartviewerlabel.h"
#include "qledindicator.h"
#include "qprogressindicator.h"
#include "resizelabel.h"
#include "ui_zq62calibrator.h"
#include "zq62calibrator.h"

class TestZq62Calibrator : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formAsBuilt();
    void offsetApplyWritesTwoDecimals_data();
    void offsetApplyWritesTwoDecimals();
    void controlEnableLeavesRefresh();

private:
    // The panel as the main window makes it for model code 62 (no port: sends fail).
    Zq62Calibrator* panel() const { return dynamic_cast<Zq62Calibrator*>(m_window->calibrator()); }
    MainWindow* m_window = nullptr;
    ModalCloser* m_closer = nullptr;
};

void TestZq62Calibrator::init()
{
    m_window = new MainWindow;
    m_closer = new ModalCloser(10);
    QVERIFY(m_window->setVersion("ZQ62v4"));
    QVERIFY(panel());
}

void TestZq62Calibrator::cleanup()
{
    delete m_window;
    m_window = nullptr;
    delete m_closer;
    m_closer = nullptr;
}

void TestZq62Calibrator::formAsBuilt()
{
    Ui::Zq62Calibrator* ui = panel()->form();
    QCOMPARE(panel()->objectName(), QString("Zq62Calibrator"));
    QCOMPARE(panel()->windowTitle(), QString("Form"));
    QCOMPARE(ui->label_model->text(), QString("ZQ62v4"));
    QCOMPARE(ui->label_serial->text(), QString());
    QCOMPARE(ui->label_model->font().pointSize(), 14);
    QVERIFY(ui->label_model->font().bold());
    QCOMPARE(ui->groupBox_model->minimumWidth(), 200);

    QCOMPARE(ui->groupBox_tempoutput->title(), QString("Temperature Output Mode"));
    QCOMPARE(ui->radioButton_celsius->text(), QString::fromUtf8("\u00B0C"));
    QCOMPARE(ui->radioButton_fahrenheit->text(), QString::fromUtf8("\u00B0F"));
    QVERIFY(ui->radioButton_celsius->isChecked());
    QCOMPARE(ui->groupBox_ch1->title(), QString("Temperature"));
    QCOMPARE(ui->groupBox_ch2->title(), QString("Humidity"));
    QCOMPARE(ui->groupBox_offset_ch1->title(), QString("Full Range Input Offset"));
    QCOMPARE(ui->pushButton_refresh->text(), QString("REFRESH"));
    QCOMPARE(ui->groupBox->title(), QString("TX/RX"));

    // Top bar in order, the channel groups below it.
    QHBoxLayout* bar = ui->horizontalLayout_3;
    QCOMPARE(bar->itemAt(0)->widget(), ui->groupBox_model);
    QCOMPARE(bar->itemAt(1)->widget(), ui->groupBox_serial);
    QCOMPARE(bar->itemAt(2)->widget(), ui->groupBox_tempoutput);
    QCOMPARE(bar->itemAt(3)->widget(), static_cast<QWidget*>(ui->frame));
    QVERIFY(bar->itemAt(4)->spacerItem());
    QCOMPARE(bar->itemAt(5)->widget(), ui->groupBox);
    QCOMPARE(bar->itemAt(6)->widget(), static_cast<QWidget*>(ui->pushButton_refresh));
    QCOMPARE(ui->frame->minimumWidth(), 95);

    // Lamps TX then RX, idle; the spinner lives in the frame.
    QCOMPARE(ui->horizontalLayout_led->count(), 2);
    QCOMPARE(ui->horizontalLayout_led->itemAt(0)->widget(), static_cast<QWidget*>(panel()->ledTx()));
    QCOMPARE(ui->horizontalLayout_led->itemAt(1)->widget(), static_cast<QWidget*>(panel()->ledRx()));
    QCOMPARE(panel()->ledTx()->state(), 1);
    QCOMPARE(panel()->progress()->parentWidget(), static_cast<QWidget*>(ui->frame));

    for (int ch = 1; ch <= 2; ++ch) {
        auto* lcd = panel()->findChild<QLCDNumber*>(QString("lcdNumber_ch%1").arg(ch));
        auto* unit = panel()->findChild<ResizeLabel*>(QString("label_unit_ch%1").arg(ch));
        auto* host = panel()->findChild<QChartViewerLabel*>(QString("label_chart_ch%1").arg(ch));
        auto* box = panel()->findChild<QDoubleSpinBox*>(QString("doubleSpinBox_offset_ch%1").arg(ch));
        auto* apply = panel()->findChild<QToolButton*>(QString("toolButton_offset_apply_ch%1").arg(ch));
        QVERIFY(lcd && unit && host && box && apply);
        QCOMPARE(lcd->digitCount(), 10);
        QCOMPARE(lcd->minimumHeight(), 50);
        QCOMPARE(lcd->maximumWidth(), 150);
        QCOMPARE(unit->maximumWidth(), 60);
        QCOMPARE(box->decimals(), 2);
        QCOMPARE(box->minimum(), -1000000.0);
        QCOMPARE(box->maximum(), 1000000.0);
        QCOMPARE(box->singleStep(), 0.01);
        QCOMPARE(box->alignment(), Qt::AlignCenter);
        QCOMPARE(apply->text(), QString(">"));
        QVERIFY(!apply->icon().isNull());
    }
    // The offset of channel 1 is entered in Celsius whatever the output unit.
    QCOMPARE(ui->label_unit_ch1->text(), QString::fromUtf8("\u00B0C"));
    QCOMPARE(ui->label_unit_ch2->text(), QString("%"));
    QCOMPARE(ui->doubleSpinBox_offset_ch1->suffix(), QString::fromUtf8(" \u00B0C"));
    QCOMPARE(ui->doubleSpinBox_offset_ch2->suffix(), QString(" %RH"));
    QCOMPARE(panel()->getCurrentValue(1), 0.0);
}

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
    QTRY_COMPARE(panel()->mode(), unsigned(DEFAULT));
    auto* box = panel()->findChild<QDoubleSpinBox*>(QString("doubleSpinBox_offset_ch%1").arg(channel));
    auto* apply = panel()->findChild<QToolButton*>(QString("toolButton_offset_apply_ch%1").arg(channel));
    box->setValue(value);
    // The button acts on press, not on release.
    QTest::mousePress(apply, Qt::LeftButton);
    QCOMPARE(panel()->pendingCommand(), command);
    QCOMPARE(panel()->mode(), unsigned(APPLY));
    QCOMPARE(panel()->seq(), 4u);
    QTest::mouseRelease(apply, Qt::LeftButton);
    // The echo sets the box and ends the apply.
    box->setValue(0);
    panel()->readData(QString(command).remove(' ').remove("\r\n"));
    QCOMPARE(box->value(), value);
    QCOMPARE(panel()->mode(), unsigned(DEFAULT));
    QCOMPARE(panel()->pendingCommand(), QString());
    QVERIFY(panel()->form()->groupBox_ch1->isEnabled());
}

void TestZq62Calibrator::controlEnableLeavesRefresh()
{
    Ui::Zq62Calibrator* ui = panel()->form();
    panel()->controlEnable(false);
    QVERIFY(!ui->groupBox_tempoutput->isEnabled());
    QVERIFY(!ui->groupBox_ch1->isEnabled());
    QVERIFY(!ui->groupBox_ch2->isEnabled());
    QVERIFY(ui->pushButton_refresh->isEnabled());
    panel()->controlEnable(true);
    QVERIFY(ui->groupBox_tempoutput->isEnabled());
    QVERIFY(ui->groupBox_ch2->isEnabled());
}

QTEST_MAIN(TestZq62Calibrator)
#include "test_zq62calibrator.moc"
