#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
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

// Smallest rectangle of the pixels that were drawn.
QRect drawnArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                area |= QRect(x, y, 1, 1);
    return area;
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

void typeInto(QSpinBox& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
}

} // namespace

class TestIndicators : public QObject
{
    Q_OBJECT

private slots:
    // ---- lamp

    void lampDefaults()
    {
        QLedIndicator led;
        QCOMPARE(led.state(), QLedIndicator::StateOff);
        QVERIFY(led.isCheckable());
        QCOMPARE(led.minimumSize(), QSize(14, 14));
        QCOMPARE(led.property("onColor1").value<QColor>(), QColor(0, 255, 0));
        QCOMPARE(led.property("offColor2").value<QColor>(), QColor(142, 142, 142));
        QCOMPARE(led.property("onColor4").value<QColor>(), QColor(192, 0, 0));
        QCOMPARE(led.property("offColor3").value<QColor>(), QColor(28, 28, 28));
        // Written as a plain number, as the panels do.
        QVERIFY(led.setProperty("m_state", 3));
        QCOMPARE(led.state(), QLedIndicator::StateRed);
        led.setState(2);
        QCOMPARE(int(led.m_state), 2);
    }

    // The centre of a 100 x 100 lamp, roughly, for each state; unknown states look like 0.
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
        led.setState(state);
        const QImage image = paint(led);
        const QColor got = image.pixelColor(50, 50);
        QVERIFY2(qAbs(got.red() - centre.red()) <= 12 && qAbs(got.green() - centre.green()) <= 12
                     && qAbs(got.blue() - centre.blue()) <= 12,
                 qPrintable(QString("centre is %1").arg(got.name())));
        // Outside the circle nothing is drawn; the bevel ring is grey.
        QCOMPARE(qAlpha(image.pixel(2, 2)), 0);
        const QColor ring = image.pixelColor(50, 2);
        QCOMPARE(ring.alpha(), 255);
        QVERIFY(qAbs(ring.red() - ring.green()) < 4 && qAbs(ring.green() - ring.blue()) < 4);
    }

    void lampIsCircleInSmallerSide()
    {
        QLedIndicator led;
        led.resize(14, 30);
        led.setState(2);
        const QRect area = drawnArea(paint(led));
        QVERIFY2(qAbs(area.left() - 0) <= 1 && qAbs(area.right() - 13) <= 1, qPrintable(QString::number(area.left())));
        QVERIFY2(qAbs(area.top() - 8) <= 1 && qAbs(area.bottom() - 21) <= 1, qPrintable(QString::number(area.top())));
    }

    // ---- spinner

    void spinnerGeometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("expected"); // width, outer, inner, capsule w x h, corner
        QTest::newRow("20 x 20") << QSize(20, 20) << QList<int>{20, 9, 3, 2, 6, 1};
        QTest::newRow("64 x 64") << QSize(64, 64) << QList<int>{64, 31, 11, 4, 20, 2};
        QTest::newRow("32: still the wide capsule") << QSize(32, 40) << QList<int>{32, 15, 5, 3, 10, 1};
        QTest::newRow("33: the narrow one") << QSize(50, 33) << QList<int>{33, 16, 6, 2, 10, 1};
        QTest::newRow("empty") << QSize(0, 0) << QList<int>{0, 0, 0, 0, 0, 0};
    }

    void spinnerGeometry()
    {
        QFETCH(QSize, size);
        QFETCH(QList<int>, expected);
        const auto g = QProgressIndicator::geometryFor(size.width(), size.height());
        QCOMPARE((QList<int>{g.width, g.outerRadius, g.innerRadius, g.capsuleWidth, g.capsuleHeight, g.capsuleRadius}),
                 expected);
    }

    void spinnerBasics()
    {
        QProgressIndicator spinner;
        QCOMPARE(spinner.sizeHint(), QSize(20, 20));
        QCOMPARE(spinner.heightForWidth(37), 37);
        QCOMPARE(spinner.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(spinner.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(spinner.focusPolicy(), Qt::NoFocus);
        QCOMPARE(spinner.animationDelay(), 40);
        QCOMPARE(spinner.color(), QColor(Qt::black));
        QVERIFY(!spinner.isAnimated());
        QVERIFY(!spinner.isDisplayedWhenStopped());
    }

    void delayChangeWhileStoppedStartsNothing()
    {
        QProgressIndicator spinner;
        spinner.setAnimationDelay(100);
        QCOMPARE(spinner.animationDelay(), 100);
        QVERIFY(!spinner.isAnimated());
        QTest::qWait(150);
        QCOMPARE(spinner.angle(), 0);
    }

    void animationTurnsAndStops()
    {
        QProgressIndicator spinner;
        spinner.setAnimationDelay(5);
        spinner.startAnimation();
        QVERIFY(spinner.isAnimated());
        QTRY_VERIFY(spinner.angle() != 0);
        QCOMPARE(spinner.angle() % 30, 0);
        // A second start only turns it back to the top.
        spinner.startAnimation();
        QCOMPARE(spinner.angle(), 0);
        QVERIFY(spinner.isAnimated());
        // A delay change keeps it running.
        spinner.setAnimationDelay(10);
        QVERIFY(spinner.isAnimated());
        QTRY_VERIFY(spinner.angle() != 0);

        spinner.stopAnimation();
        QVERIFY(!spinner.isAnimated());
        const int stoppedAt = spinner.angle();
        QTest::qWait(50);
        QCOMPARE(spinner.angle(), stoppedAt);
        QVERIFY(stoppedAt >= 0 && stoppedAt < 360);
    }

    void stoppedSpinnerIsInvisible()
    {
        QProgressIndicator spinner;
        spinner.resize(64, 64);
        QVERIFY(drawnArea(paint(spinner)).isNull());
        spinner.startAnimation();
        QVERIFY(!drawnArea(paint(spinner)).isNull());
        spinner.stopAnimation();
        QVERIFY(drawnArea(paint(spinner)).isNull());
    }

    // Shown while stopped: the opaque capsule points where the rotation stopped,
    // the opposite one is half transparent.
    void stoppedSpinnerShownAtItsAngle()
    {
        QProgressIndicator spinner;
        spinner.resize(64, 64);
        spinner.setColor(Qt::blue);
        spinner.setAnimationDelay(5);
        spinner.startAnimation();
        QTRY_VERIFY(spinner.angle() == 90 || spinner.angle() == 180 || spinner.angle() == 270);
        spinner.stopAnimation();
        spinner.setDisplayedWhenStopped(true);
        QVERIFY(spinner.isDisplayedWhenStopped());

        const QImage image = paint(spinner);
        const double a = spinner.angle() * M_PI / 180.0;
        const QPoint centre = spinner.rect().center();
        const double r = 21; // half way between inner (11) and outer (31) radius
        auto at = [&](double angle) {
            return image.pixelColor(centre.x() + int(std::lround(r * std::sin(angle))),
                                    centre.y() - int(std::lround(r * std::cos(angle))));
        };
        const QColor lead = at(a);
        QVERIFY2(lead.alpha() > 200 && lead.blue() > 200, qPrintable(lead.name(QColor::HexArgb)));
        const QColor opposite = at(a + M_PI);
        QVERIFY2(opposite.alpha() > 90 && opposite.alpha() < 170, qPrintable(opposite.name(QColor::HexArgb)));
    }

    // ---- hexadecimal spin box

    void hexShownText_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("16, max 15") << 16 << 0 << 15 << 10 << "A";
        QTest::newRow("16, max 255") << 16 << 0 << 255 << 10 << "0A";
        QTest::newRow("16, 1..15") << 16 << 1 << 15 << 12 << "C";
        QTest::newRow("10, 1..15") << 10 << 1 << 15 << 12 << "12";
        QTest::newRow("10, max 255") << 10 << 0 << 255 << 7 << "007";
        QTest::newRow("2, max 7") << 2 << 0 << 7 << 1 << "001";
        QTest::newRow("16, negative") << 16 << -255 << 255 << -10 << "-0A";
    }

    void hexShownText()
    {
        QFETCH(int, base);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(QString, text);
        HexSpinBox box;
        QCOMPARE(box.base(), 10);
        box.setRange(minimum, maximum);
        box.setBase(base);
        box.setValue(value);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.value(), value);
    }

    // Typed text is read in the base it is shown in.
    void hexTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1F") << "1F" << 31 << "1F";
        QTest::newRow("lower case") << "1f" << 31 << "1F";
        QTest::newRow("0A") << "0A" << 10 << "0A";
        QTest::newRow("10 is sixteen") << "10" << 16 << "10";
        QTest::newRow("FF") << "FF" << 255 << "FF";
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
        typeInto(box, typed);
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.value(), value);
        QCOMPARE(box.text(), shown);
    }

    void hexRoundTrip_data()
    {
        QTest::addColumn<int>("base");
        for (int base : {2, 8, 10, 16, 36})
            QTest::addRow("base %d", base) << base;
    }

    void hexRoundTrip()
    {
        QFETCH(int, base);
        OpenHexSpinBox box;
        box.setRange(-300, 300);
        box.setBase(base);
        for (int v = -300; v <= 300; ++v) {
            QString text = box.textFromValue(v);
            int pos = 0;
            QCOMPARE(box.validate(text, pos), QValidator::Acceptable);
            QCOMPARE(box.valueFromText(text), v);
        }
    }

    void hexValidation()
    {
        OpenHexSpinBox box;
        box.setRange(0, 255);
        box.setBase(16);
        auto state = [&](QString text) {
            int pos = text.size();
            return box.validate(text, pos);
        };
        QCOMPARE(state(""), QValidator::Intermediate);
        QCOMPARE(state("ff"), QValidator::Acceptable);
        QCOMPARE(state("100"), QValidator::Invalid);
        QCOMPARE(state("xyz"), QValidator::Invalid);
        QCOMPARE(state("-1"), QValidator::Invalid);
        QCOMPARE(state("FFFFFFFFFFFFFFFFFFFF"), QValidator::Invalid);

        box.setRange(16, 255);
        QCOMPARE(state("1"), QValidator::Intermediate); // "1F" is still to come

        box.setPrefix("0x");
        box.setValue(0x2A);
        QCOMPARE(box.text(), QString("0x2A"));
        QCOMPARE(box.valueFromText("0x2B"), 0x2B);
    }

    void hexBaseSetting()
    {
        HexSpinBox box;
        box.setRange(0, 255);
        box.setValue(171);
        QCOMPARE(box.text(), QString("171"));
        QVERIFY(box.setProperty("base", 16));
        QCOMPARE(box.base(), 16);
        QCOMPARE(box.text(), QString("AB"));
        box.setBase(1);
        box.setBase(37);
        QCOMPARE(box.base(), 16);
        QCOMPARE(box.text(), QString("AB"));
        box.setDisplayIntegerBase(8);
        QCOMPARE(box.base(), 8);
        QCOMPARE(box.text(), QString("253"));
        box.setBase(16);
        box.setMaximum(4095);
        box.setValue(170);
        QCOMPARE(box.text(), QString("0AA"));
    }

    // ---- self-scaling label

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

    void labelRefitsOnResizeOnly()
    {
        ResizeLabel label;
        label.setText("C");
        label.resize(40, 30);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        const qreal first = label.font().pointSizeF();
        label.setText("mg/m3 long unit");
        QCOMPARE(label.font().pointSizeF(), first);
        label.resize(41, 30);
        QTRY_VERIFY(label.font().pointSizeF() < first);
    }

    // Nothing here may leave a zero, negative, infinite or NaN point size: the
    // last good font stays.
    void labelDegenerateSizes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("keepsFont");
        QTest::newRow("empty text") << "" << QSize(100, 40) << true;
        QTest::newRow("width equal to margin") << "ppm" << QSize(10, 40) << true;
        QTest::newRow("height equal to margin") << "ppm" << QSize(100, 8) << true;
        QTest::newRow("zero-width text") << QString(QChar(0x200B)) << QSize(100, 40) << true;
        QTest::newRow("line feed only") << "\n" << QSize(100, 40) << true;
        QTest::newRow("few pixels wide") << "ppm" << QSize(4, 40) << false;
        QTest::newRow("no size at all") << "ppm" << QSize(0, 0) << false;
    }

    void labelDegenerateSizes()
    {
        QFETCH(QString, text);
        QFETCH(QSize, size);
        QFETCH(bool, keepsFont);
        ResizeLabel label;
        QFont good = label.font();
        good.setPointSizeF(11.5);
        label.setFont(good);
        label.setText(text);
        label.resize(size);
        {
            WarningCounter warnings;
            label.resizeFont();
            label.resizeFont();
            QCOMPARE(g_warnings, 0);
        }
        const qreal pt = label.font().pointSizeF();
        QVERIFY2(std::isfinite(pt) && pt > 0, qPrintable(QString::number(pt)));
        if (keepsFont)
            QCOMPARE(pt, 11.5);
    }

    // A font shrunk to nothing measures nothing; the label keeps it rather than blow up.
    void labelTinyFontStaysUsable()
    {
        ResizeLabel label;
        label.setText("ppm");
        QFont tiny = label.font();
        tiny.setPointSizeF(0.01);
        label.setFont(tiny);
        label.resize(100, 40);
        label.resizeFont();
        QCOMPARE(label.font().pointSizeF(), 0.01);

        QFont pixels = label.font();
        pixels.setPixelSize(12);
        label.setFont(pixels);
        label.resizeFont();
        QCOMPARE(label.font().pixelSize(), 12);
    }
};

QTEST_MAIN(TestIndicators)
#include "test_indicators.moc"
