// The air-quality panels (ZQ80, ZQ81, ZQ82, ZQ89) as widgets, without a main window: the
// tests hand them reply lines as the main window would. CommandDelay is set so long that
// no queued command is ever sent.
#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <memory>

#include "calibratorpanel.h"
#include "globals.h"
#include "modalcloser.h"
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

QString suffix(CalibratorPanel* panel, int channel)
{
    return child<QDoubleSpinBox>(panel, QString("doubleSpinBox_offset_ch%1").arg(channel))->suffix();
}

// The title of channel 2, the units of both channels and the suffixes of their offsets.
QStringList shownOf(CalibratorPanel* p)
{
    return {child<QGroupBox>(p, "groupBox_ch2")->title(), text(p, "label_unit_ch1"), text(p, "label_unit_ch2"),
            suffix(p, 1), suffix(p, 2)};
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
        QTest::newRow("81 v10 1") << 81 << 10u << "1" << "ppm" << " ppm";
        QTest::newRow("81 v23 0") << 81 << 23u << "0" << "%" << " ppm";
        QTest::newRow("81 v24 x") << 81 << 24u << "x" << "%" << " %";
        QTest::newRow("89 v2 2") << 89 << 2u << "2" << "ppm" << " ppm";
        QTest::newRow("89 v3 0") << 89 << 3u << "0" << "%" << " %";
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
        QVERIFY(child<QAbstractButton>(panel.panel.get(), unit == "%" ? "radioButton_percent_ch1" : "radioButton_ppm_ch1")->isChecked());
        QCOMPARE(panel->seq(), model == 81 && version < 10 ? 0u : 8u); // the ZQ81 below 10 ends here
    }

    void sensorModes_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<bool>("celsius");      // the temperature unit held (ZQ82)
        QTest::addColumn<QStringList>("shown");  // ch2 title, unit 1, unit 2, suffix 1, suffix 2
        QTest::addColumn<QString>("checked");    // sensor-mode radio, or empty: the REFRESH fails
        const QString c = kDegree + "C";
        const QString f = kDegree + "F";
        auto zq82 = [](int mode) { return QStringList{"ATCMODE" + QString::number(mode), "ATCOFF11.00", "ATCOFF22.00"}; };
        QTest::newRow("ZQ82 1 Celsius") << 82 << 17u << zq82(1) << true
                                        << QStringList{"Temperature", "%", c, " %", " " + c} << "radioButton_type1";
        QTest::newRow("ZQ82 1 Fahrenheit") << 82 << 17u << zq82(1) << false
                                           << QStringList{"Temperature", "%", f, " %", " " + c} << "radioButton_type1";
        QTest::newRow("ZQ82 3") << 82 << 17u << zq82(3) << true
                                << QStringList{"Atmospheric pressure", "ppm", "mmh2o", " ppm", " mmh2o"} << "radioButton_type3";
        QTest::newRow("ZQ82 4 Fahrenheit") << 82 << 17u << zq82(4) << false
                                           << QStringList{"Atmospheric pressure", "%", "mbar", " %", " mbar"} << "radioButton_type4";
        QTest::newRow("ZQ82 5") << 82 << 17u << zq82(5) << true << QStringList{"NULL", "%", "", " %", ""} << "radioButton_type5";
        // Below 13 the fifth mode is taken although its radio is hidden.
        QTest::newRow("ZQ82 5 below 13") << 82 << 12u << zq82(5) << true << QStringList{"NULL", "%", "", " %", ""}
                                         << "radioButton_type5";
        const QStringList humidity = {"ATCMODE1", "ATCOFF10.00", "ATCOFF20.00"};
        QTest::newRow("ZQ80 11 humidity") << 80 << 11u << humidity + QStringList{"ATCVOCU1"} << true
                                          << QStringList{"Absolute Humidity", "", "g/m3", " ppm", " g/m3"} << "radioButton_voc_humi";
        QTest::newRow("ZQ80 12 humidity ppb") << 80 << 12u << humidity + QStringList{"ATCVOCU1"} << true
                                              << QStringList{"Absolute Humidity", "ppb", "g/m3", " ppm", " g/m3"} << "radioButton_voc_humi";
        QTest::newRow("ZQ80 32 CO2 %") << 80 << 32u << QStringList{"ATCMODE2", "ATCOFF10.00", "ATCOFF20.00", "ATCVOCU0", "ATCCU0"}
                                       << true << QStringList{"CO2", "ppm", "%", " ppm", " ppm"} << "radioButton_voc_co2";
        QTest::newRow("ZQ80 32 humidity, % held") << 80 << 32u << humidity + QStringList{"ATCVOCU0", "ATCCU0"} << true
                                                  << QStringList{"Absolute Humidity", "ppm", "g/m3", " ppm", " g/m3"}
                                                  << "radioButton_voc_humi";
        QTest::newRow("ZQ80 mode 3 refused") << 80 << 32u << QStringList{"ATCMODE3", "ATCOFF10.00", "ATCOFF20.00"} << true
                                             << QStringList{"Channel 2", "", "", "", ""} << QString();
    }

    void sensorModes()
    {
        QFETCH(int, model);
        QFETCH(unsigned, version);
        QFETCH(QStringList, replies);
        QFETCH(bool, celsius);
        QFETCH(QStringList, shown);
        QFETCH(QString, checked);
        Made panel = makePanel(model, version);
        CalibratorPanel* p = panel.panel.get();
        ModalCloser closer;
        feed(panel, replies);
        if (model == 82) {
            QCOMPARE(p->seq(), unsigned(Zq82Calibrator::SINFO_SEQ));
            panel.holdUnit(celsius);
        }
        QCOMPARE(shownOf(p), shown);
        QCOMPARE(closer.texts(), checked.isEmpty() ? QStringList{"error! refresh calibration settings..."} : QStringList());
        for (QAbstractButton* radio : p->findChildren<QAbstractButton*>(QRegularExpression("^radioButton_(voc_|type)")))
            QVERIFY2(radio->isChecked() == (radio->objectName() == checked), qPrintable(radio->objectName()));
        if (checked.isEmpty())
            QVERIFY(!p->isLocked());
        if (model != 82)
            return;
        QCOMPARE(!child(p, "groupBox_tempoutput")->isHidden(), checked.endsWith('1'));
        QCOMPARE(child<QAbstractButton>(p, "radioButton_type1")->text(), "%," + kDegree + (celsius ? "C" : "F"));
        QCOMPARE(child(p, "radioButton_type5")->isHidden(), version < 13);
        QCOMPARE(child<QDoubleSpinBox>(p, "doubleSpinBox_offset_ch2")->value(), 2.0);
    }

    void radioWhileASequenceRuns_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("radio");
        QTest::newRow("ZQ81 unit") << 81 << "radioButton_ppm_ch1";
        QTest::newRow("ZQ80 mode") << 80 << "radioButton_voc_co2";
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

    void sweep_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<unsigned>("version");
        QTest::newRow("ZQ81 9") << 81 << 9u;
        QTest::newRow("ZQ89 3") << 89 << 3u;
        QTest::newRow("ZQ80 11") << 80 << 11u;
        QTest::newRow("ZQ80 32") << 80 << 32u;
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
        for (int i = 0; i < 1200; ++i) {
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
            const QStringList now = shownOf(p);
            QVERIFY2(titles.contains(now[0]) && units.contains(now[1]), qPrintable(now.join('|')));
        }
    }
};

QTEST_MAIN(TestAirPanels)
#include "test_airpanels.moc"
