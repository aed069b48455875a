#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "calibrateapply.h"
#include "calibratescaler.h"
#include "calibrateslop.h"
#include "calibratespan.h"
#include "calibratetemprange.h"
#include "calibwizard.h"

namespace {

QDoubleSpinBox* box(QWidget* page, const QString& name)
{
    auto* b = page->findChild<QDoubleSpinBox*>(name);
    Q_ASSERT(b);
    return b;
}

QString labelText(QWidget* page, const char* name)
{
    auto* l = page->findChild<QLabel*>(name);
    Q_ASSERT(l);
    return l->text();
}

// Every page kind, built with the values 1, 2 (and 3), by name.
QWizardPage* makePage(const QString& kind, QWidget* parent = nullptr)
{
    if (kind == "range")
        return new CalibrateTempRange(1.0, 2.0, parent);
    if (kind == "scaler")
        return new CalibrateScaler("min", "max", 1.0, 2.0, 3.0, parent);
    if (kind == "span")
        return new CalibrateSpan(1.0, 2.0, 3.0, parent);
    return new CalibrateSlop(1.0, 2.0, parent);
}

// Editable boxes of each page kind with their field names and getters.
struct Entry
{
    const char* kind;
    const char* box;
    const char* field;
    double (*get)(QWizardPage*);
};

const Entry entries[] = {
    {"range", "doubleSpinBox_min", "MIN", [](QWizardPage* p) { return static_cast<CalibrateTempRange*>(p)->getMin(); }},
    {"range", "doubleSpinBox_max", "MAX", [](QWizardPage* p) { return static_cast<CalibrateTempRange*>(p)->getMax(); }},
    {"scaler", "doubleSpinBox_4ma", "4MA", [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->get4ma(); }},
    {"scaler", "doubleSpinBox_20ma", "20MA", [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->get20ma(); }},
    {"scaler", "doubleSpinBox_multiply", "MULTIPLY",
     [](QWizardPage* p) { return static_cast<CalibrateScaler*>(p)->getMultiply(); }},
    {"span", "doubleSpinBox_zero", "ZERO", [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getZero(); }},
    {"span", "doubleSpinBox_span", "SPAN", [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getSpan(); }},
    {"span", "doubleSpinBox_ppm", "PPM", [](QWizardPage* p) { return static_cast<CalibrateSpan*>(p)->getSpanPpm(); }},
    {"slop", "doubleSpinBox_zero", "ZERO", [](QWizardPage* p) { return static_cast<CalibrateSlop*>(p)->getZero(); }},
    {"slop", "doubleSpinBox_slop", "SLOP", [](QWizardPage* p) { return static_cast<CalibrateSlop*>(p)->getSlop(); }},
};

} // namespace

class TestCalibPages : public QObject
{
    Q_OBJECT

private:
    void addEntryRows()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(sizeof(entries) / sizeof(entries[0])); ++i)
            QTest::addRow("%s %s", entries[i].kind, entries[i].field) << i;
    }

private slots:
    void constructorValues()
    {
        CalibrateTempRange range(-50.0, 1200.0);
        QCOMPARE(range.getMin(), -50.0);
        QCOMPARE(range.getMax(), 1200.0);
        CalibrateScaler scaler("0mA", "10V", 4.5, 20.25, 0.5);
        QCOMPARE(scaler.get4ma(), 4.5);
        QCOMPARE(scaler.get20ma(), 20.25);
        QCOMPARE(scaler.getMultiply(), 0.5);
        CalibrateSpan span(12.0, 3400.5, 50.0);
        QCOMPARE(span.getZero(), 12.0);
        QCOMPARE(span.getSpan(), 3400.5);
        QCOMPARE(span.getSpanPpm(), 50.0);
        CalibrateSlop slop(-7.0, 65.43);
        QCOMPARE(slop.getZero(), -7.0);
        QCOMPARE(slop.getSlop(), 65.43);
    }

    // Registered under their keys, with the box value, inside a wizard.
    void fields_data() { addEntryRows(); }
    void fields()
    {
        QFETCH(int, index);
        const Entry& e = entries[index];
        CalibWizard wizard;
        QWizardPage* page = makePage(e.kind);
        wizard.setPage(1, page);
        QCOMPARE(wizard.field(e.field), QVariant(e.get(page)));
        box(page, e.box)->setValue(42.5);
        QCOMPARE(wizard.field(e.field).toDouble(), 42.5);
        QCOMPARE(e.get(page), 42.5);
        wizard.setField(e.field, -8.0);
        QCOMPARE(e.get(page), -8.0);
        // Not mandatory: the page is complete whatever the value.
        box(page, e.box)->setValue(0.0);
        QVERIFY(page->isComplete());
    }

    // Each editable box: clamped to +-1000000, two decimals, and the getter says so.
    void clampAndRound_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("entered");
        QTest::addColumn<double>("kept");
        for (int i = 0; i < int(sizeof(entries) / sizeof(entries[0])); ++i) {
            QTest::addRow("%s %s too big", entries[i].kind, entries[i].field) << i << 2e6 << 1e6;
            QTest::addRow("%s %s too small", entries[i].kind, entries[i].field) << i << -1e7 << -1e6;
            QTest::addRow("%s %s three decimals", entries[i].kind, entries[i].field) << i << 1.236 << 1.24;
            QTest::addRow("%s %s negative decimals", entries[i].kind, entries[i].field) << i << -0.004 << 0.0;
        }
    }

    void clampAndRound()
    {
        QFETCH(int, index);
        QFETCH(double, entered);
        QFETCH(double, kept);
        const Entry& e = entries[index];
        QScopedPointer<QWizardPage> page(makePage(e.kind));
        QDoubleSpinBox* b = box(page.data(), e.box);
        QCOMPARE(b->alignment(), Qt::AlignCenter);
        QVERIFY(b->suffix().isEmpty());
        b->setValue(entered);
        QCOMPARE(e.get(page.data()), kept);
    }

    void typedValueIsRounded()
    {
        CalibrateSpan page(0.0, 0.0, 0.0);
        page.show();
        QDoubleSpinBox* ppm = box(&page, "doubleSpinBox_ppm");
        ppm->setFocus();
        ppm->selectAll();
        QTest::keyClicks(ppm, "12.345");
        QTest::keyClick(ppm, Qt::Key_Return);
        QCOMPARE(page.getSpanPpm(), 12.34);
        ppm->selectAll();
        QTest::keyClicks(ppm, "9999999");
        QTest::keyClick(ppm, Qt::Key_Return);
        QVERIFY(page.getSpanPpm() <= 1000000.0);
    }

    // One arrow step: 10 on the sensitivity page, 1 everywhere else.
    void singleStep_data() { addEntryRows(); }
    void singleStep()
    {
        QFETCH(int, index);
        const Entry& e = entries[index];
        QScopedPointer<QWizardPage> page(makePage(e.kind));
        page->show();
        QDoubleSpinBox* b = box(page.data(), e.box);
        const double before = e.get(page.data());
        QTest::keyClick(b, Qt::Key_Up);
        QCOMPARE(e.get(page.data()) - before, QByteArray(e.kind) == "slop" ? 10.0 : 1.0);
    }

    void rangeSignals()
    {
        CalibrateTempRange page(0.0, 100.0);
        QSignalSpy minSpy(&page, SIGNAL(valueChangedMin(double)));
        QSignalSpy maxSpy(&page, SIGNAL(valueChangedMax(double)));
        QCOMPARE(page.getMin(), 0.0);
        QCOMPARE(page.getMax(), 100.0);

        box(&page, "doubleSpinBox_min")->setValue(50.0);
        QCOMPARE(minSpy.count(), 1);
        QCOMPARE(minSpy.at(0).at(0).toDouble(), 50.0);
        QCOMPARE(maxSpy.count(), 0);

        // The same value again is no change.
        box(&page, "doubleSpinBox_min")->setValue(50.0);
        QCOMPARE(minSpy.count(), 1);

        page.show();
        QTest::keyClick(box(&page, "doubleSpinBox_max"), Qt::Key_Down);
        QCOMPARE(maxSpy.count(), 1);
        QCOMPARE(maxSpy.at(0).at(0).toDouble(), 99.0);
        QCOMPARE(minSpy.count(), 1);

        // A minimum above the maximum is not the page's business.
        box(&page, "doubleSpinBox_min")->setValue(500.0);
        QCOMPARE(page.getMin(), 500.0);
        QCOMPARE(minSpy.count(), 2);
    }

    void rangeForm()
    {
        CalibrateTempRange page(0.0, 1.0);
        QCOMPARE(page.windowTitle(), QString("AdjustTempRange"));
        QCOMPARE(labelText(&page, "label_title"), QString("Enter the sensor range to measure"));
        QCOMPARE(labelText(&page, "label"), QString("~"));
        QCOMPARE(labelText(&page, "label_5"),
                 QString("Once you begin this process,\nthe previous correction values will be removed"));
        auto* warning = page.findChild<QLabel*>("label_2");
        QVERIFY(!warning->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(warning->text().isEmpty());
        QCOMPARE(warning->maximumSize(), QSize(71, 71));
    }

    void scalerLabelsAndCopies()
    {
        CalibrateScaler page("0 %", "100 %", 4.0, 20.0, 1.0);
        QCOMPARE(page.windowTitle(), QString("Scaler"));
        QCOMPARE(labelText(&page, "label_minUnit"), QString("0 %"));
        QCOMPARE(labelText(&page, "label_maxUnit"), QString("100 %"));
        QCOMPARE(labelText(&page, "label"), QString(" means the value : "));
        QCOMPARE(labelText(&page, "label_4"), QString("means the value : "));
        QCOMPARE(labelText(&page, "label_7"), QString("The output value multiplied by"));
        QCOMPARE(labelText(&page, "label_8"), QString(".  "));
        QCOMPARE(labelText(&page, "label_title"), QString("Please enter the scale value"));

        const char* copies[] = {"doubleSpinBox_applied_4ma", "doubleSpinBox_applied_20ma",
                                "doubleSpinBox_applied_multiply"};
        const double initial[] = {4.0, 20.0, 1.0};
        for (int i = 0; i < 3; ++i) {
            QDoubleSpinBox* copy = box(&page, copies[i]);
            QVERIFY(copy->isReadOnly());
            QCOMPARE(copy->buttonSymbols(), QAbstractSpinBox::NoButtons);
            QCOMPARE(copy->value(), initial[i]);
        }

        page.setApplied4ma(5.0);
        page.setApplied20ma(25.556);
        page.setAppliedMulitply(2.0);
        QCOMPARE(box(&page, "doubleSpinBox_applied_4ma")->value(), 5.0);
        QCOMPARE(box(&page, "doubleSpinBox_applied_20ma")->value(), 25.56);
        QCOMPARE(box(&page, "doubleSpinBox_applied_multiply")->value(), 2.0);
        QCOMPARE(page.get4ma(), 4.0);
        QCOMPARE(page.get20ma(), 20.0);
        QCOMPARE(page.getMultiply(), 1.0);
    }

    void manualForms()
    {
        const QString heading =
            "please enter the calibration parameters you know.\nif you have no information, please close this window.";
        CalibrateSpan span(0.0, 0.0, 0.0);
        QCOMPARE(span.windowTitle(), QString("Mannual Span Values"));
        QCOMPARE(labelText(&span, "label_title"), heading);
        QCOMPARE(labelText(&span, "label_minUnit"), QString("zero"));
        QCOMPARE(labelText(&span, "label_maxUnit"), QString("span"));
        QCOMPARE(labelText(&span, "label"), QString("uV"));
        QCOMPARE(labelText(&span, "label_4"), QString("uV"));
        QCOMPARE(labelText(&span, "label_7"), QString("Calibration gas ppm"));

        CalibrateSlop slop(0.0, 0.0);
        QCOMPARE(slop.windowTitle(), QString("Form"));
        QVERIFY(slop.windowIcon().isNull());
        QCOMPARE(labelText(&slop, "label_title"), heading);
        QCOMPARE(labelText(&slop, "label_maxUnit"), QString("sensitivity"));
        QCOMPARE(labelText(&slop, "label_4"), QString("nA/ppm"));
    }
};

QTEST_MAIN(TestCalibPages)
#include "test_calibpages.moc"
