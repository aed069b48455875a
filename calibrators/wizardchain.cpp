#include "wizardchain.h"

#include <QApplication>
#include <QDebug>

#include "calibratorpanel.h"
#include "calibwizard.h"

int WizardChain::WayOutMs = 3000;
int WizardChain::SameClickMs = -1;

int WizardChain::sameClickMs()
{
    return SameClickMs >= 0 ? SameClickMs : qMax(QApplication::doubleClickInterval(), 400) + 200;
}

WizardChain::WizardChain(CalibratorPanel* panel)
    : QObject(panel)
    , m_panel(panel)
{
    connect(panel, &CalibratorPanel::sequenceEnded, this, &WizardChain::slotSequenceEnded);
    connect(panel, &CalibratorPanel::lockChanged, this, &WizardChain::slotLockChanged);
    // A wizard closed by an APPLY's ending counts for that APPLY only.
    connect(panel, &CalibratorPanel::sequenceStarted, this, [this] {
        m_closedInApply = false;
        m_chainCut = false;
    });
}

WizardChain::~WizardChain() = default;

void WizardChain::open(CalibWizard* wizard, int channel)
{
    if (m_wizard && m_wizard != wizard)
        close();
    m_wizard = wizard;
    m_channel = channel;
    m_closePending = false;
    m_lastClose.invalidate();
    // Unique: the same wizard handed over again must not run each action twice.
    connect(wizard, &CalibWizard::writeDone, this, &WizardChain::slotWriteDone, Qt::UniqueConnection);
    connect(wizard, &CalibWizard::close, this, &WizardChain::slotCloseRequest, Qt::UniqueConnection);
    wizard->setEnabled(isIdle());
}

bool WizardChain::isIdle() const
{
    return m_panel->mode() == DEFAULT && !m_panel->isLocked() && m_chainId == 0
           && m_panel->pendingCommand().isEmpty();
}

bool WizardChain::run(int id, QVector<Link> links)
{
    if (id == 0 || links.isEmpty() || !isIdle())
        return false;
    m_chainId = id;
    m_links = std::move(links);
    m_next = 1;
    m_chainDone = false;
    queue(m_links.first());
    return true;
}

void WizardChain::queue(Link const& link)
{
    if (m_wizard)
        m_wizard->setEnabled(false);
    m_panel->writeDelay(APPLY, link.step, link.command(), m_channel);
}

bool WizardChain::advance(unsigned step)
{
    if (m_chainId == 0 || m_chainDone)
        return false;
    const int current = m_next - 1;
    if (current < 0 || current >= m_links.size() || m_links[current].step != step)
        return false;
    if (m_next < m_links.size()) {
        // The echo ended this link's wait; the next link's is a new one.
        m_lastClose.invalidate();
        const Link link = m_links[m_next++];
        queue(link);
        return true;
    }
    m_chainDone = true;
    return false;
}

void WizardChain::stop()
{
    m_chainId = 0;
    m_links.clear();
    m_next = 0;
    m_chainDone = false;
}

void WizardChain::debugRangeStart(int channel, double rangeMin, double rangeMax, double correctionMin,
                                  double correctionMax)
{
    const QString ch = QString::number(channel);
    CalibratorPanel::debugLine("============== start wizerd : " + ch);
    CalibratorPanel::debugLine("range_min : " + QString::number(rangeMin));
    CalibratorPanel::debugLine("range_max : " + QString::number(rangeMax));
    CalibratorPanel::debugLine("correction_min : " + QString::number(correctionMin));
    CalibratorPanel::debugLine("correction_max : " + QString::number(correctionMax));
    CalibratorPanel::debugLine("============== end wizerd : " + ch);
}

void WizardChain::close()
{
    if (m_wizard) {
        m_wizard->deleteLater();
        qDebug() << "wizardClose()";
    }
    // The pointer clears itself when the wizard is destroyed; a new wizard opened in
    // the meantime is never touched by the old one's destruction.
    // Closed inside an APPLY (an ERROR tail closing it): that APPLY still counts as the
    // wizard's, also when it is closed once more before the APPLY ends.
    if (m_panel->mode() == APPLY && (m_wizard || m_chainId != 0))
        m_closedInApply = true;
    m_wizard.clear();
    m_channel = 0;
    m_closePending = false;
    m_lastClose.invalidate();
    stop();
}

void WizardChain::runAction(std::function<void()> const& action)
{
    if (action)
        action();
    else
        close();
}

void WizardChain::slotWriteDone(int result)
{
    if (sender() != m_wizard.data())
        return;
    if (isIdle())
        runAction(result == 1 ? m_finish : m_escape);
    else if (result != 1 && m_closeWhileBusy)
        close();
}

void WizardChain::slotCloseRequest()
{
    if (sender() != m_wizard.data())
        return;
    if (isIdle()) {
        runAction(m_closeRequest);
        return;
    }
    if (m_closeWhileBusy) {
        close();
        return;
    }
    // A close within the window of the one before it is the same click: nothing changes.
    const bool again = m_lastClose.isValid();
    const bool sameClick = again && m_lastClose.elapsed() < sameClickMs();
    m_lastClose.start();
    if (sameClick) {
        m_wizard->keepOpen();
        return;
    }
    // The way out of a reply that never comes: a close again once the command has been
    // out long enough. Sooner (a reply on its way, a link still queued) it is one more
    // close of this wait.
    if (again && m_panel->commandAge() >= WayOutMs) {
        if (m_chainId != 0 && m_panel->mode() == APPLY)
            m_chainCut = true;
        close();
        return;
    }
    // Not acted on now: the window stays on screen (and, when held, closes once the
    // chain has ended).
    if (m_deferClose && m_chainId != 0)
        m_closePending = true;
    m_wizard->keepOpen();
}

void WizardChain::slotSequenceEnded(unsigned mode, bool success)
{
    m_lastClose.invalidate();
    const int id = m_chainId;
    const bool chainRan = id != 0;
    const bool wizards = chainRan || m_wizard || m_closedInApply;
    const bool cut = m_chainCut;
    m_closedInApply = false;
    m_chainCut = false;
    if (mode == APPLY && ((!success && wizards) || cut))
        m_panel->scheduleRefresh();
    if (chainRan) {
        const bool done = success && m_chainDone;
        stop();
        emit chainEnded(id, done);
        if (m_closePending) {
            m_closePending = false;
            if (success && m_wizard)
                runAction(m_closeRequest);
        }
    }
    if (m_wizard)
        m_wizard->setEnabled(isIdle());
}

void WizardChain::slotLockChanged(bool locked)
{
    if (m_wizard)
        m_wizard->setEnabled(!locked && isIdle());
}
