#ifndef WIZARDCHAIN_H
#define WIZARDCHAIN_H

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>

#include "calibwizard.h"
class CalibratorPanel;

// The open calibration wizard of a panel and the chain of writes it runs.
//
// A chain is a list of links, each an APPLY step and the command it writes; a link's
// command is built only when the echo of the link before it has arrived, so it can
// take values the echo just put on the pages. The panel's APPLY parser stores an echo
// (a reply naming another channel than the wizard's has already failed the step) and
// calls advance(): the next link is queued, or the chain is done and the APPLY ends.
//
// While the panel is not idle (a command queued or in flight, the UI locked) the wizard
// is disabled, and Finish, Escape and the title-bar close that still arrive are
// ignored (a close may instead be held until the chain ends, setDeferClose); a close
// not acted on leaves the window on screen, and a double-click on the close button acts
// as one close: a close that comes within sameClickMs() of the previous close of the
// same wait (no echo, no end of a sequence since it began), acted on or not, is part of
// that click and changes nothing. The way out of a reply that never comes (there is no
// reply time-out): a title-bar close during a wait that comes outside that window of the
// previous close of the same wait, when the command waited on was written WayOutMs or
// more before it, closes the wizard as setCloseWhileBusy does. No close is the way out
// while the command is still queued, so nothing is written after it. The
// chain it stops has left the instrument in a state the form may not show: the APPLY
// in flight, when its reply comes, is followed by a REFRESH whatever its result.
// Each wizard says what Finish, Escape and close run; by default they close the wizard
// without a write. END, ERROR, a send failure and close() end the chain. An APPLY that
// ends in ERROR while a chain ran or a wizard was open is followed by a REFRESH 50 ms
// later, scheduled after the unlock and before the box, so the form shows what the
// instrument holds.
class WizardChain : public QObject
{
    Q_OBJECT
public:
    struct Link
    {
        unsigned step;
        std::function<QString()> command; // with "\r\n"
    };

    // How long (ms) the command waited on must have been out before a repeated title-bar
    // close is taken as the way out (a healthy reply takes a few ms at 115200 baud, a
    // command waits at most 500 ms before it goes out). Tests shorten it.
    static int WayOutMs; // not negative
    // Closes closer together than this (ms) are one click: the platform's double-click
    // interval, at least 400 ms, plus 200 ms (a close button acts on release, and the
    // event loop may be late). SameClickMs, when not negative, replaces it (tests).
    static int sameClickMs();
    static int SameClickMs;

    explicit WizardChain(CalibratorPanel* panel);
    ~WizardChain() override;

    // Takes a wizard just built for channel (the previous one, if any, is closed first).
    // The caller shows it.
    void open(CalibWizard* wizard, int channel);
    CalibWizard* wizard() const { return m_wizard.data(); }
    bool isOpen() const { return !m_wizard.isNull(); }
    int channel() const { return m_channel; }

    // A chain is running: a link's write or its echo is outstanding.
    bool isRunning() const { return m_chainId != 0; }
    // Which chain runs (the id given to run()); 0 when none.
    int chainId() const { return m_chainId; }
    // A wizard action may write now: the panel is in DEFAULT, unlocked, no chain runs.
    bool isIdle() const;

    // Starts a chain (id != 0) on the wizard's channel; false, and nothing sent, unless
    // idle or with no links.
    bool run(int id, QVector<Link> links);
    // The echo of step was stored: queues the next link and returns true, or returns
    // false (the chain is done, or none runs, or step is not the running link's) so the
    // APPLY ends.
    bool advance(unsigned step);
    // Ends the running chain without closing the wizard.
    void stop();
    // Closes the wizard: deleteLater, debug "wizardClose()", channel 0, chain ended.
    // Closed while an APPLY runs (by its ending), that APPLY's ERROR still refreshes;
    // the next sequence to start forgets it.
    void close();

    // The debug lines a temperature-range wizard opens with.
    static void debugRangeStart(int channel, double rangeMin, double rangeMax, double correctionMin,
                                double correctionMax);

    // What Finish (writeDone(1)), Escape (writeDone(0)) and the title-bar close run when
    // idle. Unset: close().
    void setFinish(std::function<void()> action) { m_finish = std::move(action); }
    void setEscape(std::function<void()> action) { m_escape = std::move(action); }
    void setCloseRequest(std::function<void()> action) { m_closeRequest = std::move(action); }
    // A title-bar close while a chain runs is run when it ends (without ERROR) instead of
    // being ignored.
    void setDeferClose(bool on) { m_deferClose = on; }
    bool closeDeferred() const { return m_closePending; }
    // Escape and the title-bar close close the wizard even while the panel is busy (the
    // write in flight goes on, nothing more is sent) instead of being ignored. Unset,
    // only the way out does (see above).
    void setCloseWhileBusy(bool on) { m_closeWhileBusy = on; }

signals:
    // A chain ended: the last link's echo was stored (success) or its APPLY failed.
    void chainEnded(int id, bool success);

private slots:
    void slotWriteDone(int result);
    void slotCloseRequest();
    void slotSequenceEnded(unsigned mode, bool success);
    void slotLockChanged(bool locked);

private:
    void queue(Link const& link);
    void runAction(std::function<void()> const& action);

    CalibratorPanel* m_panel;
    QPointer<CalibWizard> m_wizard;
    int m_channel = 0;
    int m_chainId = 0;
    QVector<Link> m_links;
    int m_next = 0;          // index of the link after the one outstanding
    bool m_chainDone = false; // the last link's echo came; the END is on its way
    std::function<void()> m_finish;
    std::function<void()> m_escape;
    std::function<void()> m_closeRequest;
    bool m_deferClose = false;
    bool m_closePending = false;
    bool m_closeWhileBusy = false;
    bool m_closedInApply = false;
    // The way out stopped a chain: the APPLY in flight refreshes however it ends.
    bool m_chainCut = false;
    // The last title-bar close of the current wait; invalid when none came yet.
    QElapsedTimer m_lastClose;
};

#endif
