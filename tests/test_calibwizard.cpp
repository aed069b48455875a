#include <QAbstractButton>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "abstractcalibrator.h"
#include "calibrateapply.h"
#include "calibwizard.h"
#include "modalcloser.h"

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

} // namespace

class TestCalibWizard : public QObject
{
    Q_OBJECT

private slots:
    void noCancelButton()
    {
        QWidget owner;
        CalibWizard wizard(&owner);
        QCOMPARE(wizard.parent(), &owner);
        QVERIFY(wizard.testOption(QWizard::NoCancelButton));
        wizard.setWizardStyle(QWizard::MacStyle);
        wizard.setPage(1, new QWizardPage);
        wizard.show();
        QVERIFY(!wizard.button(QWizard::CancelButton)->isVisible());
    }

    void pagesShownInIdOrder()
    {
        CalibWizard wizard;
        wizard.setWizardStyle(QWizard::MacStyle);
        QSignalSpy ids(&wizard, SIGNAL(currentIdChanged(int)));
        for (int id : {3, 1, 2}) {
            auto* page = new QWizardPage(&wizard);
            page->setTitle(QString("page %1").arg(id));
            wizard.setPage(id, page);
        }
        wizard.show();
        QCOMPARE(wizard.currentId(), 1);
        wizard.next();
        wizard.next();
        wizard.back();
        QList<int> seen;
        for (const auto& args : ids)
            seen << args.at(0).toInt();
        QCOMPARE(seen, (QList<int>{1, 2, 3, 2}));
        QCOMPARE(wizard.currentPage()->title(), QString("page 2"));
    }

    // Finish raises writeDone(1) without asking the page, and the wizard stays up
    // (on its page) until the owner takes it down; a second Finish raises it again.
    void finishLeavesWizardOpen()
    {
        CalibWizard wizard;
        wizard.setWizardStyle(QWizard::MacStyle);
        wizard.setModal(true);
        auto* page = new StubbornPage;
        wizard.setPage(1, page);
        QSignalSpy done(&wizard, SIGNAL(writeDone(int)));
        QSignalSpy closed(&wizard, SIGNAL(close()));
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        QCOMPARE(QApplication::activeModalWidget(), &wizard);

        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::done :  1");
        wizard.button(QWizard::FinishButton)->click();
        QCOMPARE(done.count(), 1);
        QCOMPARE(done.at(0).at(0).toInt(), 1);
        QVERIFY(wizard.isVisible());
        QCOMPARE(wizard.currentId(), 1);
        QCOMPARE(page->asked, 0);

        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::done :  1");
        wizard.button(QWizard::FinishButton)->click();
        QCOMPARE(done.count(), 2);
        QCOMPARE(closed.count(), 0);
    }

    void escapeRaisesWriteDoneZero()
    {
        CalibWizard wizard;
        wizard.setWizardStyle(QWizard::MacStyle);
        wizard.setPage(1, new QWizardPage);
        wizard.setPage(2, new QWizardPage);
        QSignalSpy done(&wizard, SIGNAL(writeDone(int)));
        QSignalSpy closed(&wizard, SIGNAL(close()));
        wizard.show();
        wizard.next();

        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::done :  0");
        QTest::keyClick(&wizard, Qt::Key_Escape);
        QCOMPARE(done.count(), 1);
        QCOMPARE(done.at(0).at(0).toInt(), 0);
        QCOMPARE(closed.count(), 0);
        // Not reset, not hidden.
        QVERIFY(wizard.isVisible());
        QCOMPARE(wizard.currentId(), 2);
    }

    void titleBarCloseRaisesOnlyClose()
    {
        CalibWizard wizard;
        wizard.setPage(1, new QWizardPage);
        QSignalSpy done(&wizard, SIGNAL(writeDone(int)));
        QSignalSpy closed(&wizard, SIGNAL(close()));
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));

        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::closeEvent");
        // CalibWizard::close is the signal; the window's own close goes through QWidget.
        QVERIFY(static_cast<QWidget&>(wizard).close());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(done.count(), 0);
        QVERIFY(wizard.isHidden());
    }

    // The owner's way: a modal wizard, shown without blocking, deleted on writeDone.
    void ownerDeletesOnWriteDone()
    {
        TestPanel panel;
        auto* wizard = new CalibWizard(&panel);
        wizard->setWizardStyle(QWizard::MacStyle);
        wizard->setModal(true);
        wizard->setPage(1, new CalibrateApply(10.0, 0.0, 0.0, "%", 1, false, &panel, wizard));
        QList<int> results;
        connect(wizard, &CalibWizard::writeDone, [&results, wizard](int r) {
            results << r;
            wizard->deleteLater();
        });
        QSignalSpy destroyed(wizard, SIGNAL(destroyed()));
        wizard->show();

        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::done :  0");
        ModalCloser closer;
        QTRY_COMPARE(destroyed.count(), 1);
        QCOMPARE(results, QList<int>{0});
        QCOMPARE(closer.count(), 1);
    }

    void applyPageForm()
    {
        TestPanel panel;
        CalibrateApply page(100.0, 0.5, 98.5, "ppm", 1, true, &panel);
        QCOMPARE(page.windowTitle(), QString("AdjustValues"));
        QCOMPARE(page.findChild<QLabel*>("label")->text(), QString("Please apply CRM"));
        QCOMPARE(page.findChild<QLabel*>("label_8")->text(), QString("on input."));
        QCOMPARE(page.findChild<QPushButton*>("pushButton_read")->text(), QString("  READ  "));
        QCOMPARE(page.findChild<QPushButton*>("pushButton_apply")->text(), QString("Apply"));

        for (const char* name : {"doubleSpinBox_range", "doubleSpinBox_applied", "doubleSpinBox_current",
                                 "doubleSpinBox_diff"}) {
            QDoubleSpinBox* b = box(&page, name);
            QCOMPARE(b->suffix(), QString("ppm"));
            QCOMPARE(b->decimals(), 2);
            QCOMPARE(b->minimum(), -1000000.0);
            QCOMPARE(b->maximum(), 1000000.0);
            const bool editable = QByteArray(name) == "doubleSpinBox_current";
            QCOMPARE(b->isReadOnly(), !editable);
            QCOMPARE(b->buttonSymbols() == QAbstractSpinBox::NoButtons, !editable);
        }
        QCOMPARE(box(&page, "doubleSpinBox_range")->text(), QString("100.00ppm"));
        QCOMPARE(box(&page, "doubleSpinBox_applied")->text(), QString("0.50ppm"));
        QCOMPARE(box(&page, "doubleSpinBox_current")->text(), QString("98.50ppm"));
        QCOMPARE(box(&page, "doubleSpinBox_diff")->text(), QString("1.50ppm"));
        QVERIFY(panel.asked.isEmpty());
    }

    // Reference 100 and reading 98.5: READ gives 99, then the reference moves to 120.
    void applyPageDifference()
    {
        TestPanel panel;
        panel.reading = 99.0;
        CalibrateApply page(100.0, 0.0, 98.5, "", 2, false, &panel);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 1.5);

        QTest::mouseClick(page.findChild<QPushButton*>("pushButton_read"), Qt::LeftButton);
        QCOMPARE(panel.asked, QList<int>{2});
        QCOMPARE(page.getDelta(), 99.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 1.0);

        page.setRange(120.0);
        QCOMPARE(box(&page, "doubleSpinBox_range")->value(), 120.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 21.0);
        QCOMPARE(page.getDelta(), 99.0);

        page.setDelta(50.0);
        QCOMPARE(page.getDelta(), 50.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 70.0);

        page.setApplied(-3.333);
        QCOMPARE(box(&page, "doubleSpinBox_applied")->value(), -3.33);
        QCOMPARE(box(&page, "doubleSpinBox_range")->value(), 120.0);
        QCOMPARE(page.getDelta(), 50.0);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 70.0);
    }

    void typedReadingUpdatesDifference()
    {
        TestPanel panel;
        CalibrateApply page(100.0, 0.0, 0.0, "mV", 1, false, &panel);
        page.show();
        QDoubleSpinBox* current = box(&page, "doubleSpinBox_current");
        current->setFocus();
        current->selectAll();
        QTest::keyClicks(current, "97.25");
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 2.75);
        QCOMPARE(page.getDelta(), 97.25);

        QTest::keyClick(current, Qt::Key_Up);
        QCOMPARE(page.getDelta(), 98.25);
        QCOMPARE(box(&page, "doubleSpinBox_diff")->value(), 1.75);
    }

    // Whatever the panel answers is shown as the box holds it: two decimals, clamped.
    void readShowsPanelValue_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("reading");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("difference");
        QTest::newRow("outside the channel count") << 3 << 0.0 << -100000.0 << "-100000.00 C" << 100100.0;
        QTest::newRow("rounded") << 1 << 12.345678 << 12.35 << "12.35 C" << 87.65;
        QTest::newRow("above the range") << 1 << 5e6 << 1e6 << "1000000.00 C" << -999900.0;
        QTest::newRow("below the range") << 2 << -5e6 << -1e6 << "-1000000.00 C" << 1000000.0;
    }

    void readShowsPanelValue()
    {
        QFETCH(int, channel);
        QFETCH(double, reading);
        QFETCH(double, shown);
        QFETCH(QString, text);
        QFETCH(double, difference);
        TestPanel panel;
        panel.reading = reading;
        CalibrateApply page(100.0, 0.0, 0.0, " C", channel, false, &panel);
        QTest::mouseClick(page.findChild<QPushButton*>("pushButton_read"), Qt::LeftButton);
        QCOMPARE(panel.asked, QList<int>{channel});
        QCOMPARE(page.getDelta(), shown);
        QCOMPARE(box(&page, "doubleSpinBox_current")->text(), text);
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
        // READ and typing raise nothing on either page.
        QTest::mouseClick(without.findChild<QPushButton*>("pushButton_read"), Qt::LeftButton);
        without.setDelta(4.0);
        QCOMPARE(none.count(), 0);
        QCOMPARE(delta.count(), 1);
    }

    // Two reference points in one wizard, read back by the owner after Finish.
    void twoPointWizard()
    {
        TestPanel panel;
        panel.reading = 0.4;
        CalibWizard wizard(&panel);
        wizard.setWizardStyle(QWizard::MacStyle);
        auto* zero = new CalibrateApply(0.0, 0.0, 0.0, "", 1, false, &panel, &wizard);
        auto* span = new CalibrateApply(100.0, 0.0, 0.0, "", 1, true, &panel, &wizard);
        zero->setTitle("CH1 ZERO CALIBRATION");
        span->setTitle("CH1 SPAN CALIBRATION");
        wizard.setPage(1, zero);
        wizard.setPage(2, span);
        QSignalSpy done(&wizard, SIGNAL(writeDone(int)));
        QSignalSpy delta(span, SIGNAL(signalDelta()));
        wizard.show();

        QCOMPARE(wizard.currentPage(), zero);
        zero->findChild<QPushButton*>("pushButton_read")->click();
        wizard.next();
        QCOMPARE(wizard.page(2), span);
        panel.reading = 99.1;
        span->findChild<QPushButton*>("pushButton_read")->click();
        span->findChild<QPushButton*>("pushButton_apply")->click();
        QCOMPARE(delta.count(), 1);
        QTest::ignoreMessage(QtDebugMsg, "CalibWizard::done :  1");
        wizard.button(QWizard::FinishButton)->click();
        QCOMPARE(done.count(), 1);
        QCOMPARE(zero->getDelta(), 0.4);
        QCOMPARE(span->getDelta(), 99.1);
        QCOMPARE(box(span, "doubleSpinBox_diff")->value(), 0.9);
    }
};

QTEST_MAIN(TestCalibWizard)
#include "test_calibwizard.moc"
