#include "testpanel.h"

#include "globals.h"
#include "instrumentsim.h"
#include "mainwindow.h"
#include "modeltable.h"

int TestPanel::created = 0, TestPanel::destroyed = 0;

TestPanel::TestPanel(int modelCode, QString const& model, unsigned version, QString const& serial, QWidget* parent)
    : QWidget(parent)
    , modelCode(modelCode)
    , model(model)
    , version(version)
    , serial(serial)
    , channelCountAtConstruction(ChannelCount)
    , m_mainWindow(qobject_cast<MainWindow*>(parent))
{
    ++created;
}

bool TestPanel::writeData(QByteArray const& data)
{
    writes << data;
    return m_mainWindow && m_mainWindow->writeData(data);
}

void TestPanel::readData(QString line)
{
    lines << line;
    lastLineAtMs = InstrumentSimulator::now();
    if (onLine)
        onLine(this, line);
}

TestPanelFactory::TestPanelFactory(QList<int> const& modelCodes)
    : m_codes(modelCodes)
{
    for (int code : m_codes) {
        setCalibratorFactory(code, [](int modelCode, QString const& model, unsigned version, QString const& serial,
                                      QWidget* parent) -> AbstractCalibrator* {
            return new TestPanel(modelCode, model, version, serial, parent);
        });
    }
}

TestPanelFactory::~TestPanelFactory()
{
    for (int code : m_codes)
        setCalibratorFactory(code, nullptr);
}

NoPanelFactory::NoPanelFactory(QList<int> const& modelCodes)
    : m_codes(modelCodes)
{
    for (int code : m_codes)
        setCalibratorFactory(code, [](int, QString const&, unsigned, QString const&, QWidget*) -> AbstractCalibrator* {
            return nullptr;
        });
}

NoPanelFactory::~NoPanelFactory()
{
    for (int code : m_codes)
        setCalibratorFactory(code, nullptr);
}
