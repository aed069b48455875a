#ifndef RANGEWIZARDFLOW_H
#define RANGEWIZARDFLOW_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>

#include "channelsequence.h"

class CalibWizard;
class CalibrateApply;
class CalibrateTempRange;
class CalibratorPanel;
class QDoubleSpinBox;
class WizardChain;

// The APPLY steps of a range calibration's writes.
struct RangeSteps
{
    unsigned lo, hi, clo, chi, offset;
};

// The per-channel boxes a range calibration reads and fills (index = channel - 1).
struct RangeBoxes
{
    QDoubleSpinBox* const* rangeMin;
    QDoubleSpinBox* const* rangeMax;
    QDoubleSpinBox* const* correctionMin;
    QDoubleSpinBox* const* correctionMax;
};

// The two-point range calibration of one temperature or input channel, as a three-page
// wizard: page 1 edits the sensing range; entering page 2 writes it raw (LO, HI, CLO
// and CHI from page 1, then offset "0"); Apply on page 3 writes the low and high
// readings as CLO and CHI. Finish, Escape and the title-bar close only close it.
//
// Every write runs on a WizardChain: the wizard is disabled while the panel is busy
// (the unit change before it opens included), and its triggers are then ignored but for
// the chain runner's way out of a lost reply.
// The echoes are stored by the panel's APPLY rows (rows()), which also update pages
// 2 and 3; a reply naming another channel fails the step.
class RangeWizardFlow : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        QString modelName;      // title prefix: model + " CHANNEL n "
        RangeSteps steps;
        RangeBoxes boxes;
        int channels;           // boxes per array
        // The channel has a sensor type; unset: no guard.
        std::function<bool(int channel)> sensorGuard;
        // An APPLY ERROR closes the wizard (else it stays open for Back and Next).
        bool errorCloses;
    };

    // Chain ids.
    enum : int { RawChain = 1, CorrectionChain = 2 };

    RangeWizardFlow(CalibratorPanel* panel, Setup setup);
    ~RangeWizardFlow() override;

    // The LO, HI, CLO and CHI rows (per channel, values f2): the range boxes take the
    // echo, the correction boxes range minus echo; an open wizard's pages follow.
    // Serve REFRESH and APPLY alike. The offset row is the panel's own.
    QVector<SequenceRow> rows();
    // The same rows with another listener for the echoes (step, channel, value).
    static QVector<SequenceRow> rangeRows(RangeSteps const& steps, RangeBoxes const& boxes,
                                          std::function<void(unsigned, int, double)> echoed);
    // What an echo does on the open wizard's pages.
    void echoed(unsigned step, int channel, double value);

    // The wizard of a channel: guard, question, then the wizard ("ATCC" first when the
    // panel shows Fahrenheit).
    void start(int channel);
    // Closes the open wizard (if any) and ends its chain.
    void close();

    WizardChain* chain() const { return m_chain; }
    CalibWizard* wizard() const;
    int channel() const;

private slots:
    void slotRangeWizardIdChanged(int id);
    void slotRangeWizardSignalDelta();
    void slotSequenceEnded(unsigned mode, bool success);

private:
    CalibrateTempRange* rangePage() const;
    CalibrateApply* applyPage(int id) const;
    QString command(QString const& suffix, double value) const;

    CalibratorPanel* m_panel;
    Setup m_setup;
    WizardChain* m_chain;
    // The wizard waits for the unit change sent when it opened.
    bool m_awaitingUnit = false;
};

#endif
