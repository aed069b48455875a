// The air-quality panels (ZQ80, ZQ81, ZQ82, ZQ89) as widgets, without a main window: the
// tests hand them reply lines as the main window would. CommandDelay is set so long that
// no queued command is ever sent.
#include <QAbstractButton>
#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QRandomGenerator>
#include <QSpacerItem>
#include <QSpinBox>
#include <QtTest>

#include <functional>
#include <memory>

#include "calibratorpanel.h"
#include "globals.h"
#include "modalcloser.h"
#include "ui_zq81calibrator.h"
#include "ui_zq89calibrator.h"
#include "zq80calibrator.h"
#include "zq81calibrator.h"
#include "zq82calibrator.h"
#include "zq89calibrator.h"

namespace {

const QString kDegree = QString(QChar(0x00B0));

// A panel whose test stands in for the port: markSent() drops the queued command as its
// sending would (a reply finds no command still waiting), and the held temperature unit can
// be set directly (its reply needs a port to be asked for).
template <class P>
class Probe : public P
{
public:
    using P::P;
    void markSent() { this->cancelQueued(); }
    void holdUnit(bool celsius)
    {
        this->m_celsius = celsius;
        this->setSensorMode();
    }
};

struct Made
{
    std::unique_ptr<CalibratorPanel> panel;
    std::function<void()> markSent;
    std::function<void(bool)> holdUnit;
    CalibratorPanel* operator->() const { return panel.get(); }
};

template <class P>
Made made(int model, unsigned version)
{
    auto* probe = new Probe<P>("ZQ" + QString::number(model), version, "SN1", nullptr);
    return {std::unique_ptr<CalibratorPanel>(probe), [probe] { probe->markSent(); },
            [probe](bool celsius) { probe->holdUnit(celsius); }};
}

Made makePanel(int model, unsigned version)
{
    switch (model) {
    case 80: return made<Zq80Calibrator>(model, version);
    case 81: return made<Zq81Calibrator>(model, version);
    case 82: return made<Zq82Calibrator>(model, version);
    default: return made<Zq89Calibrator>(model, version);
    }
}

// Each line as the reply to the command in flight.
void feed(Made const& made, QStringList const& lines)
{
    for (QString const& line : lines) {
        made.markSent();
        made->readData(line);
    }
}

template <class T = QWidget>
T* child(CalibratorPanel* panel, QString const& name)
{
    T* found = panel->findChild<T*>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

QString text(CalibratorPanel* panel, QString const& name)
{
    return child<QLabel>(panel, name)->text();
}

QString title(CalibratorPanel* panel, QString const& name)
{
    return child<QGroupBox>(panel, name)->title();
}

QString suffix(CalibratorPanel* panel, int channel)
{
    return child<QDoubleSpinBox>(panel, QString("doubleSpinBox_offset_ch%1").arg(channel))->suffix();
}

} // namespace

class TestAirPanels : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 10000000;
    }

    void co2UnitCodes_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("offsetSuffix");
        QTest::newRow("81 v9 1") << 81 << 9u << "1" << "%" << " ppm";
        QTest::newRow("81 v9 2") << 81 << 9u << "2" << "ppm" << " ppm";
        QTest::newRow("81 v9 0") << 81 << 9u << "0" << "%" << " ppm";
        QTest::newRow("81 v10 0") << 81 << 10u << "0" << "%" << " ppm";
        QTest::newRow("81 v10 1") << 81 << 10u << "1" << "ppm" << " ppm";
        QTest::newRow("81 v10 2") << 81 << 10u << "2" << "ppm" << " ppm";
        QTest::newRow("81 v23 0") << 81 << 23u << "0" << "%" << " ppm";
        QTest::newRow("81 v24 0") << 81 << 24u << "0" << "%" << " %";
        QTest::newRow("81 v24 x") << 81 << 24u << "x" << "%" << " %";
        QTest::newRow("89 v2 0") << 89 << 2u << "0" << "%" << " ppm";
        QTest::newRow("89 v2 2") << 89 << 2u << "2" << "ppm" << " ppm";
        QTest::newRow("89 v3 0") << 89 << 3u << "0" << "%" << " %";
        QTest::newRow("89 v3 1") << 89 << 3u << "1" << "ppm" << " ppm";
    }

    void co2UnitCodes()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QString, code);
        QFETCH(QString, unit);
        QFETCH(QString, offsetSuffix);
        Made panel = makePanel(model, version);
        ModalCloser closer; // below 10 the REFRESH ends, and its unit command finds no port
        feed(panel, {"ATCOFF11.00", "ATCOFF2-0.50", "ATCCAL400.00", "ATCCU" + code});
        QCOMPARE(text(panel.panel.get(), "label_unit_ch1"), unit);
        QCOMPARE(suffix(panel.panel.get(), 1), offsetSuffix);
        QCOMPARE(suffix(panel.panel.get(), 2), " " + kDegree + "C");
        QVERIFY(child<QAbstractButton>(panel.panel.get(), unit == "%" ? "radioButton_percent_ch1" : "radioButton_ppm_ch1")->isChecked());
        QCOMPARE(panel->seq(), model == 81 && version < 10 ? 0u : 8u); // the ZQ81 below 10 ends here
    }

    void zq82SensorModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QStringList>("shown"); // ch2 title, unit 1, unit 2, suffix 1, suffix 2
        QTest::addColumn<bool>("tempUnit");     // the unit group shows
        const QString c = kDegree + "C";
        const QString f = kDegree + "F";
        QTest::newRow("1 Celsius") << 1 << false << QStringList{"Temperature", "%", c, " %", " " + c} << true;
        QTest::newRow("1 Fahrenheit") << 1 << true << QStringList{"Temperature", "%", f, " %", " " + c} << true;
        QTest::newRow("2") << 2 << false << QStringList{"Atmospheric pressure", "mbar", "mbar", " mbar", " mbar"} << false;
        QTest::newRow("3") << 3 << false << QStringList{"Atmospheric pressure", "ppm", "mmh2o", " ppm", " mmh2o"} << false;
        QTest::newRow("4 Fahrenheit") << 4 << true << QStringList{"Atmospheric pressure", "%", "mbar", " %", " mbar"} << false;
        QTest::newRow("5") << 5 << false << QStringList{"NULL", "%", "", " %", ""} << false;
        QTest::newRow("5 below 13") << 5 << false << QStringList{"NULL", "%", "", " %", ""} << false;
    }

    void zq82SensorModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, fahrenheit);
        QFETCH(QStringList, shown);
        QFETCH(bool, tempUnit);
        const unsigned version = QByteArray(QTest::currentDataTag()).contains("below") ? 12 : 17;
        Made panel = makePanel(82, version);
        CalibratorPanel* p = panel.panel.get();
        ModalCloser closer;
        feed(panel, {"ATCMODE" + QString::number(mode), "ATCOFF11.00", "ATCOFF22.00"});
        QCOMPARE(p->seq(), unsigned(Zq82Calibrator::SINFO_SEQ));
        panel.holdUnit(!fahrenheit);
        QCOMPARE(title(p, "groupBox_ch1"), QString("O2"));
        QCOMPARE((QStringList{title(p, "groupBox_ch2"), text(p, "label_unit_ch1"), text(p, "label_unit_ch2"),
                              suffix(p, 1), suffix(p, 2)}),
                 shown);
        QCOMPARE(!child(p, "groupBox_tempoutput")->isHidden(), tempUnit);
        QCOMPARE(child<QAbstractButton>(p, "radioButton_type1")->text(), "%," + kDegree + (fahrenheit ? "F" : "C"));
        QVERIFY(child<QAbstractButton>(p, QString("radioButton_type%1").arg(mode))->isChecked());
        // Below 13 the fifth mode is taken although its radio is hidden.
        QCOMPARE(child(p, "radioButton_type5")->isHidden(), version < 13);
        QCOMPARE(child<QDoubleSpinBox>(p, "doubleSpinBox_offset_ch2")->value(), 2.0);
    }

    void zq80SensorModes_data()
    {
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QStringList>("replies"); // after the offsets
        QTest::addColumn<QStringList>("shown");   // ch2 title, unit 1, unit 2, suffix 1, suffix 2
        QTest::addColumn<QString>("checked");     // sensor-mode radio, or empty for none
        QTest::newRow("11 humidity") << 11u << QStringList{"ATCVOCU1"}
                                     << QStringList{"Absolute Humidity", "", "g/m3", " ppm", " g/m3"} << "radioButton_voc_humi";
        QTest::newRow("11 CO2") << 11u << QStringList{"ATCVOCU1"} << QStringList{"CO2", "", "ppm", " ppm", " ppm"}
                                << "radioButton_voc_co2";
        QTest::newRow("12 humidity ppb") << 12u << QStringList{"ATCVOCU1"}
                                         << QStringList{"Absolute Humidity", "ppb", "g/m3", " ppm", " g/m3"} << "radioButton_voc_humi";
        QTest::newRow("31 CO2") << 31u << QStringList{"ATCVOCU0"} << QStringList{"CO2", "ppm", "ppm", " ppm", " ppm"}
                                << "radioButton_voc_co2";
        QTest::newRow("32 CO2 %") << 32u << QStringList{"ATCVOCU0", "ATCCU0"} << QStringList{"CO2", "ppm", "%", " ppm", " ppm"}
                                  << "radioButton_voc_co2";
        QTest::newRow("32 humidity, % held") << 32u << QStringList{"ATCVOCU0", "ATCCU0"}
                                               << QStringList{"Absolute Humidity", "ppm", "g/m3", " ppm", " g/m3"}
                                               << "radioButton_voc_humi";
        QTest::newRow("mode 3 refused") << 32u << QStringList() << QStringList{"Channel 2", "", "", "", ""} << QString();
        QTest::newRow("mode 0 refused") << 12u << QStringList() << QStringList{"Channel 2", "", "", "", ""} << QString();
    }

    void zq80SensorModes()
    {
        QFETCH(unsigned, version);
        QFETCH(QStringList, replies);
        QFETCH(QStringList, shown);
        QFETCH(QString, checked);
        Made panel = makePanel(80, version);
        CalibratorPanel* p = panel.panel.get();
        const QString tag = QTest::currentDataTag();
        const QString mode = tag.contains("CO2") ? "2" : tag.contains("humidity") ? "1" : tag.mid(5, 1);
        ModalCloser closer;
        feed(panel, QStringList{"ATCMODE" + mode, "ATCOFF10.00", "ATCOFF20.00"} + replies);
        QCOMPARE(closer.count(), checked.isEmpty() ? 1 : 0);
        QCOMPARE((QStringList{title(p, "groupBox_ch2"), text(p, "label_unit_ch1"), text(p, "label_unit_ch2"),
                              suffix(p, 1), suffix(p, 2)}),
                 shown);
        for (QString const radio : {"radioButton_voc_humi", "radioButton_voc_co2"})
            QCOMPARE(child<QAbstractButton>(p, radio)->isChecked(), radio == checked);
        if (checked.isEmpty()) {
            QCOMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
            QVERIFY(!p->isLocked());
        }
    }

    void radioWhileASequenceRuns_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("radio");
        QTest::newRow("ZQ81 unit") << 81 << "radioButton_ppm_ch1";
        QTest::newRow("ZQ89 unit") << 89 << "radioButton_ppm_ch1";
        QTest::newRow("ZQ80 mode") << 80 << "radioButton_voc_co2";
        QTest::newRow("ZQ80 VOC unit") << 80 << "radioButton_ppb_ch1";
        QTest::newRow("ZQ80 CO2 unit") << 80 << "radioButton_percent_ch2";
        QTest::newRow("ZQ82 mode") << 82 << "radioButton_type2";
    }

    // A radio clicked while the REFRESH waits (its group enabled against the rule) sends
    // nothing: the query in flight stays the one waited for.
    void radioWhileASequenceRuns()
    {
        QFETCH(int, model);
        QFETCH(QString, radio);
        Made panel = makePanel(model, 32);
        const QString query = panel->pendingCommand();
        panel->controlEnable(true);
        child<QAbstractButton>(panel.panel.get(), radio)->click();
        QCOMPARE(panel->mode(), unsigned(REFRESH));
        QCOMPARE(panel->seq(), panel->description().firstStep);
        QCOMPARE(panel->pendingCommand(), query);
    }

    // The two CO2 forms are one form but for the top widget's name and size and the place
    // of the header spacer.
    void co2FormsDifferOnlyWhereTheyShould()
    {
        QWidget w81, w89;
        Ui::Zq81Calibrator ui81;
        Ui::Zq89Calibrator ui89;
        ui81.setupUi(&w81);
        ui89.setupUi(&w89);
        QCOMPARE(w81.objectName(), QString("Zq81Calibrator"));
        QCOMPARE(w89.objectName(), QString("Zq89Calibrator"));
        QCOMPARE(w81.size(), QSize(1152, 588));
        QCOMPARE(w89.size(), QSize(1142, 583));

        const QList<QObject*> all81 = w81.findChildren<QObject*>();
        const QList<QObject*> all89 = w89.findChildren<QObject*>();
        QCOMPARE(all81.size(), all89.size());
        const char* const properties[] = {"text", "title", "suffix", "minimum", "maximum", "singleStep", "decimals",
                                          "value", "statusTip", "whatsThis", "minimumSize", "maximumSize", "alignment",
                                          "readOnly", "displayFormat", "buttonSymbols", "styleSheet", "digitCount",
                                          "frameShape", "frameShadow", "windowTitle", "sizePolicy", "dateTime"};
        for (int i = 0; i < all81.size(); ++i) {
            QObject* a = all81.at(i);
            QObject* b = all89.at(i);
            QCOMPARE(b->objectName(), a->objectName());
            QCOMPARE(b->metaObject()->className(), a->metaObject()->className());
            QCOMPARE(b->parent()->objectName() == w89.objectName(), a->parent()->objectName() == w81.objectName());
            for (const char* property : properties)
                QVERIFY2(a->property(property) == b->property(property),
                         qPrintable(a->objectName() + "." + property));
        }
        // The header spacer: after the used hours on the ZQ81, after the frame on the ZQ89.
        auto spacerAfter = [](QBoxLayout* row) {
            for (int i = 1; i < row->count(); ++i)
                if (row->itemAt(i)->spacerItem())
                    return row->itemAt(i - 1)->widget()->objectName();
            return QString();
        };
        QCOMPARE(spacerAfter(ui81.horizontalLayout_3), QString("groupBox_usedtime"));
        QCOMPARE(spacerAfter(ui89.horizontalLayout_3), QString("frame"));
        QCOMPARE(ui81.horizontalLayout_3->itemAt(5)->spacerItem()->sizeHint(), QSize(72, 17));
        QCOMPARE(ui89.horizontalLayout_3->itemAt(6)->spacerItem()->sizeHint(), QSize(151, 51));
    }

    void sweep_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::newRow("ZQ81 9") << 81 << 9u;
        QTest::newRow("ZQ81 24") << 81 << 24u;
        QTest::newRow("ZQ89 3") << 89 << 3u;
        QTest::newRow("ZQ80 11") << 80 << 11u;
        QTest::newRow("ZQ80 32") << 80 << 32u;
        QTest::newRow("ZQ82 12") << 82 << 12u;
        QTest::newRow("ZQ82 17") << 82 << 17u;
    }

    // Seeded garbage in every mode and step: other keywords, keywords without a value,
    // non-numbers, modes out of range, huge numbers, overlong lines, filter echoes in
    // DEFAULT; between them presses of every button. No crash, no out-of-range access,
    // and the panel is either idle and unlocked or waiting for a step of its own.
    void sweep()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        Made panel = makePanel(model, version);
        CalibratorPanel* p = panel.panel.get();
        PanelDescription const& desc = p->description();
        QStringList keywords = desc.refreshKeywords + desc.applyKeywords
                               + QStringList{"ATCD", "ATCDGFIL", "OK", "FAIL", "ATCC", "ATCF", "ATCX", "ATCOFF1", "ATCOFF2"};
        const QStringList values = {"", "0", "1", "2", "3", "5", "6", "-1", "OK", "NG", "abc", "1.5", "-0.25",
                                    "99999999999999999999", "1e308", ",", "----,", "12,34,56", QString(5000, 'x')};
        QList<QAbstractButton*> buttons = p->findChildren<QAbstractButton*>();
        ModalCloser closer;
        closer.setAnswer(QMessageBox::Yes);
        QRandomGenerator random(0xA1 + model * 100 + version);
        const QList<unsigned> modes = {DEFAULT, REFRESH, TEMPMODE, APPLY};
        // What the form may show, whatever came: only states the panel knows.
        const QStringList titles = model == 80 ? QStringList{"Channel 2", "Absolute Humidity", "CO2"}
                                 : model == 82 ? QStringList{"Temperature", "Atmospheric pressure", "NULL"}
                                               : QStringList{"Temperature"};
        const QStringList units = model == 80 ? QStringList{"", "ppm", "ppb"}
                                  : model == 82 ? QStringList{"", "%", "mbar", "ppm"}
                                                : QStringList{"", "%", "ppm"};
        QString asked; // keyword of the last command queued
        for (int i = 0; i < 2000; ++i) {
            if (!p->pendingCommand().isEmpty())
                asked = p->pendingCommand().section(' ', 0, 0).remove("\r\n");
            const bool waiting = p->mode() == REFRESH || p->mode() == APPLY;
            if (!waiting && random.bounded(4) == 0) {
                QAbstractButton* button = buttons.at(random.bounded(buttons.size()));
                // Not the temperature radios: their command waits CommandDelay, here for ever.
                const QString name = button->objectName();
                if (button->isEnabled() && name != "toolButton_exec_datetime" && name != "radioButton_celsius"
                    && name != "radioButton_fahrenheit")
                    button->click();
            } else {
                // While a step waits, mostly its own reply, so that every step is reached.
                const bool answer = waiting && random.bounded(4) != 0;
                const QString keyword = answer ? asked : keywords.at(random.bounded(keywords.size()));
                QString line = keyword + (answer && random.bounded(3) ? "1" : values.at(random.bounded(values.size())));
                if (random.bounded(8) == 0)
                    line += keywords.at(random.bounded(keywords.size()));
                if (random.bounded(8) != 0)
                    panel.markSent(); // else a reply while the command still waits
                p->readData(line);
            }
            if (random.bounded(50) == 0)
                QTest::qWait(60); // lets a scheduled refresh start
            QVERIFY2(modes.contains(p->mode()), qPrintable(QString::number(i)));
            if (p->mode() == DEFAULT)
                QVERIFY2(!p->isLocked() || !p->pendingCommand().isEmpty(), qPrintable(QString::number(i)));
            if (p->mode() == REFRESH || p->mode() == APPLY)
                QVERIFY2(p->seq() >= desc.firstStep && p->seq() < desc.endSeq, qPrintable(QString::number(p->seq())));
            QVERIFY2(titles.contains(title(p, "groupBox_ch2")), qPrintable(title(p, "groupBox_ch2")));
            QVERIFY2(units.contains(text(p, "label_unit_ch1")), qPrintable(text(p, "label_unit_ch1")));
        }
    }
};

QTEST_MAIN(TestAirPanels)
#include "test_airpanels.moc"
