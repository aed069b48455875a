#include "rangewizardflow.h"

#include <QDoubleSpinBox>
#include <QtMath>

#include "calibrateapply.h"
#include "calibratetemprange.h"
#include "calibratorpanel.h"
#include "calibwizard.h"
#include "wizardchain.h"

namespace {

enum PageId : int { RangePage = 1, LowPage = 2, HighPage = 3 };

const char* const kErrorTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "ERROR");
const char* const kSensorMissing = QT_TRANSLATE_NOOP("CalibratorPanel", "Please specify the sensor type.");
const char* const kCalibrateQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Do you want to calibrate the \"Channel ");
const char* const kChannelTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "CHANNEL ");

} // namespace

RangeWizardFlow::RangeWizardFlow(CalibratorPanel* panel, Setup setup)
    : QObject(panel)
    , m_panel(panel)
    , m_setup(std::move(setup))
    , m_chain(new WizardChain(panel))
{
    connect(panel, &CalibratorPanel::sequenceEnded, this, &RangeWizardFlow::slotSequenceEnded);
}

RangeWizardFlow::~RangeWizardFlow() = default;

CalibWizard* RangeWizardFlow::wizard() const
{
    return m_chain->wizard();
}

int RangeWizardFlow::channel() const
{
    return m_chain->channel();
}

QVector<SequenceRow> RangeWizardFlow::rangeRows(RangeSteps const& steps, RangeBoxes const& boxes,
                                                std::function<void(unsigned, int, double)> echoed)
{
    // The range boxes take the echo; a correction is the range point minus the echo.
    auto row = [echoed](unsigned step, QString const& suffix, QDoubleSpinBox* const* target,
                        QDoubleSpinBox* const* base) {
        return suffixRow(step, "ATCCH", suffix, [=](int channel, QString const& value) {
            double v = value.toDouble();
            if (base)
                v = base[channel - 1]->value() - v;
            target[channel - 1]->setValue(v);
            if (echoed)
                echoed(step, channel, v);
            return true;
        });
    };
    return {
        row(steps.lo, "LO", boxes.rangeMin, nullptr),
        row(steps.hi, "HI", boxes.rangeMax, nullptr),
        row(steps.clo, "CLO", boxes.correctionMin, boxes.rangeMin),
        row(steps.chi, "CHI", boxes.correctionMax, boxes.rangeMax),
    };
}

QVector<SequenceRow> RangeWizardFlow::rows()
{
    return rangeRows(m_setup.steps, m_setup.boxes,
                     [this](unsigned step, int channel, double value) { echoed(step, channel, value); });
}

CalibrateTempRange* RangeWizardFlow::rangePage() const
{
    CalibWizard* w = wizard();
    return w ? qobject_cast<CalibrateTempRange*>(w->page(RangePage)) : nullptr;
}

CalibrateApply* RangeWizardFlow::applyPage(int id) const
{
    CalibWizard* w = wizard();
    return w ? qobject_cast<CalibrateApply*>(w->page(id)) : nullptr;
}

void RangeWizardFlow::echoed(unsigned step, int channel, double value)
{
    if (!m_chain->isOpen() || channel != m_chain->channel())
        return;
    RangeSteps const& s = m_setup.steps;
    CalibrateApply* low = applyPage(LowPage);
    CalibrateApply* high = applyPage(HighPage);
    if (step == s.lo && low)
        low->setRange(value);
    else if (step == s.hi && high)
        high->setRange(value);
    else if (step == s.clo && low)
        low->setApplied(value);
    else if (step == s.chi && high)
        high->setApplied(value);
}

QString RangeWizardFlow::command(QString const& suffix, double value) const
{
    return "ATCCH" + QString::number(m_chain->channel()) + suffix + " " + f2(value) + "\r\n";
}

void RangeWizardFlow::start(int ch)
{
    if (ch < 1 || ch > m_setup.channels || m_panel->mode() != DEFAULT || m_panel->isLocked())
        return;
    if (m_setup.sensorGuard && !m_setup.sensorGuard(ch)) {
        m_panel->criticalBox(m_panel->trPanel(kErrorTitle), m_panel->trPanel(kSensorMissing));
        return;
    }
    bool yes = false;
    const QString question = m_panel->trPanel(kCalibrateQuestion) + QString::number(ch) + "\" ?";
    if (!m_panel->questionBox("Calibration", question, &yes) || !yes)
        return;
    // The panel may have started a sequence while the box was open.
    if (m_panel->mode() != DEFAULT || m_panel->isLocked())
        return;

    auto* w = new CalibWizard(m_panel);
    w->setWizardStyle(QWizard::MacStyle);
    w->setModal(true);
    const QString prefix = m_setup.modelName + " " + m_panel->trPanel(kChannelTitle) + QString::number(ch) + " ";
    m_chain->open(w, ch);

    // The calibration runs in Celsius; the wizard stays disabled until the unit reply,
    // and a unit change that fails takes it down (slotSequenceEnded).
    m_awaitingUnit = !m_panel->isCelsius();
    if (m_awaitingUnit && !m_panel->writeUnit(true))
        return; // not sent: the wizard is closed, or the panel is gone with it

    RangeBoxes const& b = m_setup.boxes;
    const double rangeMin = b.rangeMin[ch - 1]->value();
    const double rangeMax = b.rangeMax[ch - 1]->value();
    const double correctionMin = b.correctionMin[ch - 1]->value();
    const double correctionMax = b.correctionMax[ch - 1]->value();
    double current = m_panel->getCurrentValue(ch);
    if (qIsNaN(current))
        current = 0.0;
    const QString unit = b.rangeMin[ch - 1]->suffix();

    WizardChain::debugRangeStart(ch, rangeMin, rangeMax, correctionMin, correctionMax);

    auto* range = new CalibrateTempRange(rangeMin, rangeMax, w);
    range->setTitle(prefix + "TEMPERATURE RANGE");
    auto* low = new CalibrateApply(rangeMin, correctionMin, current, unit, ch, false, m_panel, w);
    low->setTitle(prefix + "LOW POINT CALIBRATION");
    auto* high = new CalibrateApply(rangeMax, correctionMax, current, unit, ch, true, m_panel, w);
    high->setTitle(prefix + "HIGH POINT CALIBRATION");
    w->setPage(RangePage, range);
    w->setPage(LowPage, low);
    w->setPage(HighPage, high);

    connect(high, &CalibrateApply::signalDelta, this, &RangeWizardFlow::slotRangeWizardSignalDelta);
    connect(w, &QWizard::currentIdChanged, this, &RangeWizardFlow::slotRangeWizardIdChanged);
    w->show();
}

void RangeWizardFlow::close()
{
    m_chain->close();
}

void RangeWizardFlow::slotRangeWizardIdChanged(int id)
{
    if (id != LowPage || sender() != wizard() || !rangePage())
        return;
    RangeSteps const& s = m_setup.steps;
    const int n = m_chain->channel();
    // Each link's value is taken when it is sent, from page 1 as it is then.
    m_chain->run(RawChain, {
        {s.lo, [this] { return command("LO", rangePage() ? rangePage()->getMin() : 0.0); }},
        {s.hi, [this] { return command("HI", rangePage() ? rangePage()->getMax() : 0.0); }},
        {s.clo, [this] { return command("CLO", rangePage() ? rangePage()->getMin() : 0.0); }},
        {s.chi, [this] { return command("CHI", rangePage() ? rangePage()->getMax() : 0.0); }},
        {s.offset, [n] { return "ATCOFF" + QString::number(n) + " 0\r\n"; }},
    });
}

void RangeWizardFlow::slotRangeWizardSignalDelta()
{
    if (!applyPage(LowPage) || !applyPage(HighPage))
        return;
    RangeSteps const& s = m_setup.steps;
    m_chain->run(CorrectionChain, {
        {s.clo, [this] { return command("CLO", applyPage(LowPage) ? applyPage(LowPage)->getDelta() : 0.0); }},
        {s.chi, [this] { return command("CHI", applyPage(HighPage) ? applyPage(HighPage)->getDelta() : 0.0); }},
    });
}

void RangeWizardFlow::slotSequenceEnded(unsigned mode, bool success)
{
    if (mode == TEMPMODE) {
        // Readings in Fahrenheit must never be written as Celsius correction points.
        const bool waited = m_awaitingUnit;
        m_awaitingUnit = false;
        if (waited && !success)
            m_chain->close();
        return;
    }
    if (mode == APPLY && !success && m_setup.errorCloses && m_chain->isOpen())
        m_chain->close();
}
