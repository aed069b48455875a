#include <QImage>
#include <QtTest>

#include <cmath>

#include "hexspinbox.h"
#include "qledindicator.h"
#include "qprogressindicator.h"
#include "resizelabel.h"

namespace {

QImage paint(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // The widget's own drawing only, without the window background.
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool drewAnything(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

// The spin box's conversions, opened for the round trip.
class OpenHexSpinBox : public HexSpinBox
{
public:
    using HexSpinBox::textFromValue;
    using HexSpinBox::validate;
    using HexSpinBox::valueFromText;
};

// Warnings seen while a WarningCounter lives (Qt warns instead of setting a bad point size).
int g_warnings = 0;
struct WarningCounter
{
    QtMessageHandler previous;
    WarningCounter()
    {
        g_warnings = 0;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
            if (type == QtWarningMsg)
                ++g_warnings;
        });
    }
    ~WarningCounter() { qInstallMessageHandler(previous); }
};

} // namespace

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    // The centre of a 100 x 100 lamp, roughly, for each state written as a plain
    // number through the property, as the panels do; unknown states look like 0.
    void lampColours_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("0 dark") << 0 << QColor(67, 82, 67);
        QTest::newRow("1 idle") << 1 << QColor(75, 75, 75);
        QTest::newRow("2 green") << 2 << QColor(0, 225, 0);
        QTest::newRow("3 red") << 3 << QColor(225, 0, 0);
        QTest::newRow("7 unknown") << 7 << QColor(67, 82, 67);
        QTest::newRow("-1 unknown") << -1 << QColor(67, 82, 67);
    }

    void lampColours()
    {
        QFETCH(int, state);
        QFETCH(QColor, centre);
        QLedIndicator led;
        led.resize(100, 100);
        QVERIFY(led.setProperty("m_state", state));
        QCOMPARE(int(led.state()), state);
        const QColor got = paint(led).pixelColor(50, 50);
        QVERIFY2(qAbs(got.red() - centre.red()) <= 12 && qAbs(got.green() - centre.green()) <= 12
                     && qAbs(got.blue() - centre.blue()) <= 12,
                 qPrintable(QString("centre is %1").arg(got.name())));
    }

    void spinnerTurnsShowsAndStops()
    {
        QProgressIndicator spinner;
        spinner.resize(64, 64);
        QVERIFY(!drewAnything(paint(spinner)));
        // A delay change while stopped starts nothing.
        spinner.setAnimationDelay(5);
        QTest::qWait(40);
        QVERIFY(!spinner.isAnimated());
        QCOMPARE(spinner.angle(), 0);

        spinner.startAnimation();
        QTRY_VERIFY(spinner.angle() != 0);
        QVERIFY(drewAnything(paint(spinner)));
        // A delay change keeps it running.
        spinner.setAnimationDelay(10);
        QVERIFY(spinner.isAnimated());

        spinner.stopAnimation();
        QVERIFY(!spinner.isAnimated());
        const int stoppedAt = spinner.angle();
        QTest::qWait(50);
        QCOMPARE(spinner.angle(), stoppedAt);
        QVERIFY(!drewAnything(paint(spinner)));
        spinner.setDisplayedWhenStopped(true);
        QVERIFY(drewAnything(paint(spinner)));
    }

    // Typed text is read in the base it is shown in.
    void hexTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1F") << "1F" << 31 << "1F";
        QTest::newRow("lower case") << "1f" << 31 << "1F";
        QTest::newRow("10 is sixteen") << "10" << 16 << "10";
        QTest::newRow("not a digit") << "G" << 200 << "C8";
        QTest::newRow("above the maximum") << "1FF" << 31 << "1F";
    }

    void hexTyped()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, shown);
        HexSpinBox box;
        box.setRange(0, 255);
        box.setBase(16);
        box.setValue(200);
        box.show();
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, typed);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.value(), value);
        QCOMPARE(box.text(), shown);
    }

    // Every value survives text and back, in every base; bad bases are refused; the
    // text is padded to the maximum's digits, sign in front.
    void hexRoundTripAndBase()
    {
        OpenHexSpinBox box;
        box.setRange(-300, 300);
        for (int base : {2, 8, 10, 16, 36}) {
            box.setBase(base);
            for (int v = -300; v <= 300; ++v) {
                QString text = box.textFromValue(v);
                int pos = 0;
                QCOMPARE(box.validate(text, pos), QValidator::Acceptable);
                QCOMPARE(box.valueFromText(text), v);
            }
        }
        box.setBase(16);
        box.setBase(1);
        box.setBase(37);
        QCOMPARE(box.base(), 16);
        QCOMPARE(box.textFromValue(-10), QString("-00A"));
        box.setRange(0, 15);
        QCOMPARE(box.textFromValue(10), QString("A"));
        // Too many digits for an int are refused, not wrapped round.
        QString tooLong("FFFFFFFFFFFFFFFFFFFF");
        int pos = tooLong.size();
        QCOMPARE(box.validate(tooLong, pos), QValidator::Invalid);
    }

    void labelFitsText()
    {
        ResizeLabel label;
        label.setText("ppm");
        label.resize(200, 80);
        const qreal before = label.font().pointSizeF();
        label.resizeFont();
        const qreal grown = label.font().pointSizeF();
        QVERIFY(grown > before);
        const QSize text = QFontMetrics(label.font()).size(0, label.text());
        QVERIFY2(text.width() <= 190 + 4 && text.height() <= 72 + 4,
                 qPrintable(QString("%1 x %2").arg(text.width()).arg(text.height())));
        label.resize(60, 30);
        label.resizeFont();
        QVERIFY(label.font().pointSizeF() < grown);
    }

    // Nothing here may leave a zero, negative, infinite or NaN point size: the
    // last good font stays.
    void labelDegenerateSizes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("pointSize");
        QTest::addColumn<bool>("keepsFont");
        QTest::newRow("empty text") << "" << QSize(100, 40) << 11.5 << true;
        QTest::newRow("width equal to margin") << "ppm" << QSize(10, 40) << 11.5 << true;
        QTest::newRow("height equal to margin") << "ppm" << QSize(100, 8) << 11.5 << true;
        QTest::newRow("zero-width text") << QString(QChar(0x200B)) << QSize(100, 40) << 11.5 << true;
        QTest::newRow("line feed only") << "\n" << QSize(100, 40) << 11.5 << true;
        QTest::newRow("font too small to measure") << "ppm" << QSize(100, 40) << 0.01 << true;
        QTest::newRow("font in pixels, no point size") << "ppm" << QSize(100, 40) << -1.0 << true;
        QTest::newRow("few pixels wide") << "ppm" << QSize(4, 40) << 11.5 << false;
        QTest::newRow("no size at all") << "ppm" << QSize(0, 0) << 11.5 << false;
    }

    void labelDegenerateSizes()
    {
        QFETCH(QString, text);
        QFETCH(QSize, size);
        QFETCH(qreal, pointSize);
        QFETCH(bool, keepsFont);
        ResizeLabel label;
        QFont good = label.font();
        if (pointSize > 0)
            good.setPointSizeF(pointSize);
        else
            good.setPixelSize(12);
        label.setFont(good);
        label.setText(text);
        label.resize(size);
        {
            WarningCounter warnings;
            label.resizeFont();
            label.resizeFont();
            QCOMPARE(g_warnings, 0);
        }
        if (keepsFont)
            QCOMPARE(label.font(), good);
        const qreal pt = label.font().pointSizeF();
        QVERIFY2(pointSize < 0 || (std::isfinite(pt) && pt > 0), qPrintable(QString::number(pt)));
    }
};

QTEST_MAIN(TestIndicators)
#include "test_indicators.moc"