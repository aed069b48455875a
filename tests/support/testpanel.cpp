#include "testpanel.h"

#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "modeltable.h"

namespace {
QList<TestPanel*>& livePanels()
{
    static QList<TestPanel*> list;
    return list;
}
} // namespace

int TestPanel::created = 0;
int TestPanel::destroyed = 0;

TestPanel::TestPanel(int modelCode, QString const& model, unsigned version, QString const& serial, QWidget* parent)
    : QWidget(parent)
    , modelCode(modelCode)
    , model(model)
    , version(version)
    , serial(serial)
    , channelCountAtConstruction(ChannelCount)
    , m_mainWindow(qobject_cast<MainWindow*>(parent))
{
    setObjectName("TestPanel");
    livePanels() << this;
    ++created;
}

TestPanel::~TestPanel()
{
    livePanels().removeOne(this);
    ++destroyed;
}

void TestPanel::controlEnable(bool enable)
{
    enables << enable;
}

bool TestPanel::writeData(QByteArray const& data)
{
    writes << data;
    return m_mainWindow && m_mainWindow->writeData(data);
}

void TestPanel::readData(QString line)
{
    lines << Line{InstrumentSimulator::now(), line};
    if (onLine)
        onLine(this, line);
}

double TestPanel::getCurrentValue(int channel)
{
    Q_UNUSED(channel)
    return 0.0;
}

QStringList TestPanel::lineTexts() const
{
    QStringList texts;
    for (Line const& l : lines)
        texts << l.text;
    return texts;
}

QList<TestPanel*> TestPanel::alive()
{
    return livePanels();
}

void TestPanel::resetCounts()
{
    created = 0;
    destroyed = 0;
}

TestPanelFactory::TestPanelFactory(QList<int> const& modelCodes)
    : m_codes(modelCodes)
{
    for (int code : m_codes) {
        setCalibratorFactory(code, [](int modelCode, QString const& model, unsigned version,
                                      QString const& serial, QWidget* parent) -> AbstractCalibrator* {
            return new TestPanel(modelCode, model, version, serial, parent);
        });
    }
}

TestPanelFactory::~TestPanelFactory()
{
    for (int code : m_codes)
        setCalibratorFactory(code, nullptr);
}

QList<int> TestPanelFactory::allPanelModelCodes()
{
    return {62, 63, 65, 67, 71, 72, 73, 74, 80, 81, 82, 83, 84, 89, 701, 702, 703, 704};
}
