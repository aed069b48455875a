#include "rangescalewizards.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QLCDNumber>

#include "calibrateapply.h"
#include "calibratescaler.h"
#include "calibratorpanel.h"
#include "calibwizard.h"
#include "wizardchain.h"

namespace {

const char* const kTypeTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "ERROR");
const char* const kTypeText = QT_TRANSLATE_NOOP("CalibratorPanel", "Please specify the sensor type.");
const char* const kRangeQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Do you want to calibrate the \"Channel ");
const char* const kScaleQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Do you want to scale the \"Channel ");
const char* const kChannelTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "CHANNEL ");

} // namespace

RangeScaleWizards::RangeScaleWizards(CalibratorPanel* panel, QString const& modelName, int channels,
                                     RangeScaleSteps const& steps, RangeScaleWidgets const& widgets)
    : QObject(panel)
    , m_panel(panel)
    , m_chain(new WizardChain(panel))
    , m_modelName(modelName)
    , m_channels(channels)
    , m_steps(steps)
    , m_w(widgets)
{
    m_chain->setDeferClose(true);
    connect(m_chain, &WizardChain::chainEnded, this, &RangeScaleWizards::slotChainEnded);
    connect(panel, &CalibratorPanel::sequenceEnded, this, &RangeScaleWizards::slotSequenceEnded);
    setReady(false);
}

RangeScaleWizards::Chain RangeScaleWizards::running() const
{
    return Chain(m_chain->chainId());
}

// ---- rows -------------------------------------------------------------------

SequenceRow RangeScaleWizards::row(Value value) const
{
    static const char* const suffixes[] = {"LO", "HI", "CLO", "CHI", "M"};
    const unsigned steps[] = {m_steps.lo, m_steps.hi, m_steps.clo, m_steps.chi, m_steps.multiply};
    const RangeScaleWidgets w = m_w;
    WizardChain* chain = m_chain;
    RowStore store = [w, chain, value](int channel, QString const& text) {
        // The raw and restore chains put the instrument into a state the form does not
        // show; their echoes are stored nowhere.
        const int id = chain->chainId();
        if (id == RawChain || id == RestoreChain)
            return true;
        const int i = channel - 1;
        const double v = text.toDouble();
        switch (value) {
        case Lo: w.scaledMin[i]->setValue(v); break;
        case Hi: w.scaledMax[i]->setValue(v); break;
        case Clo: w.correctionMin[i]->setValue(w.rangeMin[i]->value() - v); break;
        case Chi: w.correctionMax[i]->setValue(w.rangeMax[i]->value() - v); break;
        case Multiply: w.multiply[i]->setValue(v); break;
        }
        return true;
    };
    return suffixRow(steps[value], "ATCCH", suffixes[value], std::move(store));
}

// ---- opening ------------------------------------------------------------------

void RangeScaleWizards::setReady(bool ready)
{
    m_ready = ready;
    for (int i = 0; i < m_channels; ++i) {
        if (m_w.rangeButtons && m_w.rangeButtons[i])
            m_w.rangeButtons[i]->setEnabled(ready);
        if (m_w.scaleButtons && m_w.scaleButtons[i])
            m_w.scaleButtons[i]->setEnabled(ready);
    }
}

void RangeScaleWizards::clear()
{
    m_chain->close();
    setReady(false);
}

double RangeScaleWizards::box(QDoubleSpinBox* const* boxes) const
{
    return boxes[m_chain->channel() - 1]->value();
}

QString RangeScaleWizards::write(unsigned step, QString const& suffix, double value) const
{
    const QString n = QString::number(m_chain->channel());
    if (step == m_steps.offset)
        return "ATCOFF" + n + " " + f2(value) + "\r\n";
    return "ATCCH" + n + suffix + " " + f2(value) + "\r\n";
}

QString RangeScaleWizards::titleBase(int channel) const
{
    return m_modelName + " " + m_panel->trPanel(kChannelTitle) + QString::number(channel) + " ";
}

bool RangeScaleWizards::mayOpen(int channel, const char* title, const char* question)
{
    if (channel < 1 || channel > m_channels || !m_ready)
        return false;
    m_chain->close();
    if (m_hasType && !m_hasType(channel)) {
        m_panel->criticalBox(m_panel->trPanel(kTypeTitle), m_panel->trPanel(kTypeText));
        return false;
    }
    bool yes = false;
    const QString text = m_panel->trPanel(question) + QString::number(channel) + "\" ?";
    if (!m_panel->questionBox(title, text, &yes) || !yes)
        return false;
    // The box let events through: the form may have been cleared meanwhile.
    return m_ready && m_chain->isIdle();
}

CalibWizard* RangeScaleWizards::newWizard(int channel)
{
    auto* wizard = new CalibWizard(m_panel);
    wizard->setWizardStyle(QWizard::MacStyle);
    wizard->setModal(true);
    m_chain->open(wizard, channel);
    return wizard;
}

void RangeScaleWizards::startRange(int channel)
{
    if (!mayOpen(channel, "Calibration", kRangeQuestion))
        return;
    const int i = channel - 1;
    const double rangeMin = m_w.rangeMin[i]->value();
    const double rangeMax = m_w.rangeMax[i]->value();
    const double correctionMin = m_w.correctionMin[i]->value();
    const double correctionMax = m_w.correctionMax[i]->value();
    const double current = m_w.lcd[i]->value();
    const QString unit = m_w.rangeMin[i]->suffix();
    WizardChain::debugRangeStart(channel, rangeMin, rangeMax, correctionMin, correctionMax);

    m_range = true;
    CalibWizard* wizard = newWizard(channel);
    const QString base = titleBase(channel);
    auto* zero = new CalibrateApply(rangeMin, correctionMin, current, unit, channel, false, m_panel, wizard);
    zero->setTitle(base + "ZERO CALIBRATION");
    wizard->setPage(1, zero);
    auto* span = new CalibrateApply(rangeMax, correctionMax, current, unit, channel, true, m_panel, wizard);
    span->setTitle(base + "SPAN CALIBRATION");
    wizard->setPage(2, span);

    connect(span, &CalibrateApply::signalDelta, this, &RangeScaleWizards::slotDelta);
    connect(wizard, &QWizard::currentIdChanged, this, &RangeScaleWizards::slotIdChanged);
    m_chain->setFinish([this] { runRestore(); });
    m_chain->setEscape([this] { runRestore(); });
    m_chain->setCloseRequest([this] { runRestore(); });
    wizard->show();
}

void RangeScaleWizards::startScale(int channel)
{
    if (!mayOpen(channel, "Scaler", kScaleQuestion))
        return;
    const int i = channel - 1;
    const QString minLabel = g6(m_w.rangeMin[i]->value()) + m_w.rangeMin[i]->suffix();
    const QString maxLabel = g6(m_w.rangeMax[i]->value()) + m_w.rangeMax[i]->suffix();
    const double scaledMin = m_w.scaledMin[i]->value();
    const double scaledMax = m_w.scaledMax[i]->value();
    const double multiply = m_w.multiply[i]->value();
    const QString ch = QString::number(channel);
    CalibratorPanel::debugLine("============== start scale wizerd : " + ch);
    CalibratorPanel::debugLine("lablemin : " + minLabel);
    CalibratorPanel::debugLine("lablemax : " + maxLabel);
    CalibratorPanel::debugLine("scale_min : " + QString::number(scaledMin));
    CalibratorPanel::debugLine("scale_max : " + QString::number(scaledMax));
    CalibratorPanel::debugLine("multiply : " + QString::number(multiply));
    CalibratorPanel::debugLine("============== end wizerd : " + ch);

    m_range = false;
    CalibWizard* wizard = newWizard(channel);
    auto* page = new CalibrateScaler(minLabel, maxLabel, scaledMin, scaledMax, multiply, wizard);
    page->setTitle(titleBase(channel) + "SCALER");
    wizard->setPage(1, page);
    m_chain->setFinish([this] { runScale(); });
    m_chain->setEscape([] {});
    m_chain->setCloseRequest([this] { m_chain->close(); });
    wizard->show();
}

// ---- chains -----------------------------------------------------------------

void RangeScaleWizards::slotIdChanged(int id)
{
    if (id != 1 || sender() != m_chain->wizard())
        return;
    m_chain->run(RawChain,
                 {{m_steps.lo, [this] { return write(m_steps.lo, "LO", box(m_w.rangeMin)); }},
                  {m_steps.hi, [this] { return write(m_steps.hi, "HI", box(m_w.rangeMax)); }},
                  {m_steps.multiply, [this] { return write(m_steps.multiply, "M", 1.0); }},
                  {m_steps.clo, [this] { return write(m_steps.clo, "CLO", box(m_w.rangeMin)); }},
                  {m_steps.chi, [this] { return write(m_steps.chi, "CHI", box(m_w.rangeMax)); }},
                  {m_steps.offset, [this] { return write(m_steps.offset, QString(), 0.0); }}});
}

void RangeScaleWizards::slotDelta()
{
    CalibWizard* wizard = m_chain->wizard();
    if (!wizard || !m_range)
        return;
    // Each reading is taken from its page when its write is built.
    auto reading = [this](int id) {
        CalibWizard* w = m_chain->wizard();
        auto* page = w ? qobject_cast<CalibrateApply*>(w->page(id)) : nullptr;
        return page ? page->getDelta() : 0.0;
    };
    m_chain->run(CalibrateChain,
                 {{m_steps.clo, [this, reading] { return write(m_steps.clo, "CLO", reading(1)); }},
                  {m_steps.chi, [this, reading] { return write(m_steps.chi, "CHI", reading(2)); }}});
}

void RangeScaleWizards::runRestore()
{
    m_chain->run(RestoreChain,
                 {{m_steps.lo, [this] { return write(m_steps.lo, "LO", box(m_w.scaledMin)); }},
                  {m_steps.hi, [this] { return write(m_steps.hi, "HI", box(m_w.scaledMax)); }},
                  {m_steps.multiply, [this] { return write(m_steps.multiply, "M", box(m_w.multiply)); }},
                  {m_steps.clo, [this] {
                       return write(m_steps.clo, "CLO", box(m_w.rangeMin) - box(m_w.correctionMin));
                   }},
                  {m_steps.chi, [this] {
                       return write(m_steps.chi, "CHI", box(m_w.rangeMax) - box(m_w.correctionMax));
                   }}});
}

void RangeScaleWizards::runScale()
{
    auto value = [this](double (CalibrateScaler::*get)() const) {
        CalibWizard* w = m_chain->wizard();
        auto* page = w ? qobject_cast<CalibrateScaler*>(w->page(1)) : nullptr;
        return page ? (page->*get)() : 0.0;
    };
    m_chain->run(ScaleChain,
                 {{m_steps.lo, [this, value] { return write(m_steps.lo, "LO", value(&CalibrateScaler::get4ma)); }},
                  {m_steps.hi, [this, value] { return write(m_steps.hi, "HI", value(&CalibrateScaler::get20ma)); }},
                  {m_steps.multiply, [this, value] {
                       return write(m_steps.multiply, "M", value(&CalibrateScaler::getMultiply));
                   }}});
}

void RangeScaleWizards::slotChainEnded(int id, bool success)
{
    if (success && (id == RestoreChain || id == ScaleChain))
        m_chain->close();
}

void RangeScaleWizards::slotSequenceEnded(unsigned mode, bool success)
{
    if (mode == APPLY && !success)
        m_chain->close();
    if (mode == REFRESH)
        setReady(success);
}
