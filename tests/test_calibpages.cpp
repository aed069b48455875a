#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QtTest>

#include "calibratescaler.h"
#include "calibrateslop.h"
#include "calibratespan.h"
#include "calibratetemprange.h"
#include "calibwizard.h"

namespace {

// Every page kind, built with the values 1, 2 (and 3), by name.
QWizardPage* makePage(const QString& kind)
{
    if (kind == "range")
        return new CalibrateTempRange(1.0, 2.0);
    if (kind == "scaler")
        return new CalibrateScaler("min", "max", 1.0, 2.0, 3.0);
    if (kind == "span")
        return new CalibrateSpan(1.0, 2.0, 3.0);
    return new CalibrateSlop(1.0, 2.0);
}

// Editable boxes of each page kind with their field names, constructor values and getters.
struct Entry
{
    const char* kind;
    const char* box;
    const char* field;
    double initial;
    double (*get)(QWizardPage*);
};

const Entry entries[] = {
    {"range", "doubleSpinBox_min", "MIN", 1,
     [](QWizardPage* p) { return static_cast<CalibrateTempRange*>(p)->getMin(); }},
    {"range", "doubleSpinBox_max", "MAX", 2,
     [](QWizardPage* p) { return static_cast<CalibrateTempRange*>(p)->getMax(); }},
    {"scaler", "doubleSpinBox_4ma", "4MA", 1,
     [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->get4ma(); }},
    {"scaler", "doubleSpinBox_20ma", "20MA", 2,
     [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->get20ma(); }},
    {"scaler", "doubleSpinBox_multiply", "MULTIPLY", 3,
     [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->getMultiply(); }},
    {"span", "doubleSpinBox_zero", "ZERO", 1, [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getZero(); }},
    {"span", "doubleSpinBox_span", "SPAN", 2, [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getSpan(); }},
    {"span", "doubleSpinBox_ppm", "PPM", 3,
     [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getSpanPpm(); }},
    {"slop", "doubleSpinBox_zero", "ZERO", 1, [](QWizardPage* p) { return static_cast<CalibrateSlop*>(p)->getZero(); }},
    {"slop", "doubleSpinBox_slop", "SLOP", 2, [](QWizardPage* p) { return static_cast<CalibrateSlop*>(p)->getSlop(); }},
};

} // namespace

class TestCalibPages : public QObject
{
    Q_OBJECT

private slots:
    // Each editable box: registered under its key with the box value (field() reads it
    // inside a wizard), clamped to +-1000000, two decimals, never mandatory.
    void fields_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(sizeof(entries) / sizeof(entries[0])); ++i)
            QTest::addRow("%s %s", entries[i].kind, entries[i].field) << i;
    }

    void fields()
    {
        QFETCH(int, index);
        const Entry& e = entries[index];
        CalibWizard wizard;
        QWizardPage* page = makePage(e.kind);
        wizard.setPage(1, page);
        QDoubleSpinBox* b = page->findChild<QDoubleSpinBox*>(e.box);
        QVERIFY(b);
        QCOMPARE(e.get(page), e.initial);
        QCOMPARE(wizard.field(e.field), QVariant(e.initial));
        b->setValue(42.5);
        QCOMPARE(wizard.field(e.field).toDouble(), 42.5);
        wizard.setField(e.field, -8.0);
        QCOMPARE(e.get(page), -8.0);

        const struct { double entered, kept; } limits[] = {{2e6, 1e6}, {-1e7, -1e6}, {1.236, 1.24}, {-0.004, 0.0}};
        for (const auto& l : limits) {
            b->setValue(l.entered);
            QCOMPARE(e.get(page), l.kept);
            QCOMPARE(wizard.field(e.field).toDouble(), l.kept);
        }
        QVERIFY(page->isComplete());
    }

    // One signal per real change, carrying the new value.
    void rangeSignals()
    {
        CalibrateTempRange page(0.0, 100.0);
        QSignalSpy minSpy(&page, SIGNAL(valueChangedMin(double)));
        QSignalSpy maxSpy(&page, SIGNAL(valueChangedMax(double)));
        auto* minBox = page.findChild<QDoubleSpinBox*>("doubleSpinBox_min");
        auto* maxBox = page.findChild<QDoubleSpinBox*>("doubleSpinBox_max");

        minBox->setValue(50.0);
        minBox->setValue(50.0);                 // the same value again is no change
        QCOMPARE(minSpy.count(), 1);
        QCOMPARE(minSpy.at(0).at(0).toDouble(), 50.0);
        QCOMPARE(maxSpy.count(), 0);

        page.show();
        QTest::keyClick(maxBox, Qt::Key_Down);
        QCOMPARE(maxSpy.count(), 1);
        QCOMPARE(maxSpy.at(0).at(0).toDouble(), 99.0);
        QCOMPARE(minSpy.count(), 1);

        // A minimum above the maximum is not the page's business.
        minBox->setValue(500.0);
        QCOMPARE(page.getMin(), 500.0);
        QCOMPARE(minSpy.count(), 2);
    }
};

QTEST_MAIN(TestCalibPages)
#include "test_calibpages.moc"