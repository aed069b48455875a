#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "abstractcalibrator.h"
#include "calibrateapply.h"
#include "calibwizard.h"

namespace {

// A panel with a live reading on channels 1 and 2, like the panels that answer READ.
class TestPanel : public QWidget, public AbstractCalibrator
{
public:
    double reading = 0.0;
    QList<int> asked;

    void controlEnable(bool) override {}
    bool writeData(QByteArray const&) override { return false; }
    void readData(QString) override {}
    double getCurrentValue(int channel) override
    {
        asked << channel;
        return channel >= 1 && channel <= 2 ? reading : -99999.999;
    }
};

// A page that refuses to be left; Finish must not ask it.
class StubbornPage : public QWizardPage
{
public:
    bool validatePage() override { ++asked; return false; }
    int asked = 0;
};

QDoubleSpinBox* box(QWidget* page, const char* name)
{
    auto* b = page->findChild<QDoubleSpinBox*>(name);
    Q_ASSERT(b);
    return b;
}

void clickRead(CalibrateApply& page)
{
    QTest::mouseClick(page.findChild<QPushButton*>("pushButton_read"), Qt::LeftButton);
}

} // namespace

class TestCalibWizard : public QObject
{
    Q_OBJECT

private slots:
    // Finish raises writeDone(1) without asking the page, Escape writeDone(0); neither
    // resets nor hides the wizard (its owner takes it down). The title bar's close
    // raises only close().
    void endings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("closes");
        QTest::newRow("Finish twice") << "finish" << QList<int>{1, 1} << 0;
        QTest::newRow("Escape") << "escape" << QList<int>{0} << 0;
        QTest::newRow("title bar") << "close" << QList<int>{} << 1;
    }

    void endings()
    {
        QFETCH(QString, how);
        QFETCH(QList<int>, results);
        QFETCH(int, closes);
        CalibWizard wizard;
        wizard.setWizardStyle(QWizard::MacStyle);
        wizard.setModal(true);
        auto* page = new StubbornPage;
        wizard.setPage(1, new QWizardPage);
        wizard.setPage(2, page);
        QSignalSpy done(&wizard, SIGNAL(writeDone(int)));
        QSignalSpy closed(&wizard, SIGNAL(close()));
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        QVERIFY(!wizard.button(QWizard::CancelButton)->isVisible());
        wizard.next();

        for (int r : results)
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QString("CalibWizard::done :  %1").arg(r)));
        if (how == "finish") {
            wizard.button(QWizard::FinishButton)->click();
            wizard.button(QWizard::FinishButton)->click();
        } else if (how == "escape") {
            QTest::keyClick(&wizard, Qt::Key_Escape);
        } else {
            QTest::ignoreMessage(QtDebugMsg, "CalibWizard::closeEvent");
            // CalibWizard::close is the signal; the window's own close goes through QWidget.
            QVERIFY(static_cast<QWidget&>(wizard).close());
        }
        QList<int> got;
        for (const auto& args : done)
            got << args.at(0).toInt();
        QCOMPARE(got, results);
        QCOMPARE(closed.count(), closes);
        QCOMPARE(page->asked, 0);
        QCOMPARE(wizard.isVisible(), closes == 0);
        if (closes == 0)
            QCOMPARE(wizard.currentId(), 2);
    }

    // Reference 100 and reading 98.5: READ gives 99, then the reference moves to 120.
    void applyPageDifference()
    {
        TestPanel panel;
        panel.reading = 99.0;
        CalibrateApply page(100.0, 0.0, 98.5, "", 2, false, &panel);
        QVERIFY(panel.asked.isEmpty());
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 1.5);

        clickRead(page);
        QCOMPARE(panel.asked, QList<int>{2});
        QCOMPARE(page.getDelta(), 99.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 1.0);

        page.setRange(120.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 21.0);
        page.setDelta(50.0);
        page.setApplied(-3.333);                // only shown, not part of the difference
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 70.0);

        // A typed reading moves the difference as well.
        page.show();
        QDoubleSpinBox* current = box(&page, "doubleSpinBox_current");
        current->setFocus();
        current->selectAll();
        QTest::keyClicks(current, "97.25");
        QCOMPARE(page.getDelta(), 97.25);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 22.75);
    }

    // Whatever the panel answers is shown as the box holds it: two decimals, clamped.
    void readShowsPanelValue_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("reading");
        QTest::addColumn<double>("shown");
        QTest::addColumn<double>("difference");
        QTest::newRow("outside the channel count") << 3 << 0.0 << -100000.0 << 100100.0;
        QTest::newRow("rounded") << 1 << 12.345678 << 12.35 << 87.65;
        QTest::newRow("above the range") << 1 << 5e6 << 1e6 << -999900.0;
        QTest::newRow("below the range") << 2 << -5e6 << -1e6 << 1000000.0;
    }

    void readShowsPanelValue()
    {
        QFETCH(int, channel);
        QFETCH(double, reading);
        QFETCH(double, shown);
        QFETCH(double, difference);
        TestPanel panel;
        panel.reading = reading;
        CalibrateApply page(100.0, 0.0, 0.0, " C", channel, false, &panel);
        clickRead(page);
        QCOMPARE(panel.asked, QList<int>{channel});
        QCOMPARE(page.getDelta(), shown);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), difference);
    }

    void applyButtonOnlyWhenAsked()
    {
        TestPanel panel;
        CalibrateApply withApply(1.0, 0.0, 0.0, "", 1, true, &panel);
        CalibrateApply without(1.0, 0.0, 0.0, "", 1, false, &panel);
        withApply.show();
        without.show();
        auto* applyButton = withApply.findChild<QPushButton*>("pushButton_apply");
        QVERIFY(applyButton->isVisible());
        QVERIFY(without.findChild<QPushButton*>("pushButton_apply")->isHidden());

        QSignalSpy delta(&withApply, SIGNAL(signalDelta()));
        QSignalSpy none(&without, SIGNAL(signalDelta()));
        QTest::mouseClick(applyButton, Qt::LeftButton);
        QCOMPARE(delta.count(), 1);
        // READ and typing raise nothing.
        clickRead(without);
        without.setDelta(4.0);
        QCOMPARE(none.count(), 0);
    }
};

QTEST_MAIN(TestCalibWizard)
#include "test_calibwizard.moc"