#ifndef RANGESCALEWIZARDS_H
#define RANGESCALEWIZARDS_H

#include <QObject>
#include <QString>

#include <functional>

#include "channelsequence.h"

class CalibratorPanel;
class CalibWizard;
class QAbstractButton;
class QDoubleSpinBox;
class QLCDNumber;
class WizardChain;

// APPLY steps of the writes the two wizards make.
struct RangeScaleSteps
{
    unsigned offset;   // "ATCOFFn v"
    unsigned lo;       // "ATCCHnLO v"
    unsigned hi;       // "ATCCHnHI v"
    unsigned clo;      // "ATCCHnCLO v"
    unsigned chi;      // "ATCCHnCHI v"
    unsigned multiply; // "ATCCHnM v"
};

// The panel's per-channel widgets the wizards read and the echoes fill (arrays indexed
// by channel - 1). The button arrays may be null.
struct RangeScaleWidgets
{
    QDoubleSpinBox* const* rangeMin;
    QDoubleSpinBox* const* rangeMax;
    QDoubleSpinBox* const* correctionMin;
    QDoubleSpinBox* const* correctionMax;
    QDoubleSpinBox* const* scaledMin;
    QDoubleSpinBox* const* scaledMax;
    QDoubleSpinBox* const* multiply;
    QLCDNumber* const* lcd;
    QAbstractButton* const* rangeButtons;
    QAbstractButton* const* scaleButtons;
};

// The range wizard (zero and span calibration against a reference current) and the
// scale wizard (what the ends of the input range stand for, and the multiplier) of a
// current-input panel, on the panel's WizardChain.
//
// Range wizard: page 1 entered runs the raw chain (scaling = input range, multiplier 1,
// corrections at the range ends, offset 0); page 2's Apply runs the calibrate chain (the
// two readings as CLO and CHI); Finish, Escape and the title-bar close run the restore
// chain (the form's scaling, multiplier and corrections), whose END closes the wizard.
// Scale wizard: Finish runs the scale chain (LO, HI, M from the page), whose END closes
// the wizard; Escape does nothing; the title-bar close closes it without a write.
//
// While a chain runs the wizard takes no action; a title-bar close is held until the
// chain ends well, then runs as above (the chain runner's way out of a lost reply aside).
// An APPLY that fails closes the wizard (the chain runner then refreshes the form).
// The buttons that open the wizards are enabled only after a REFRESH has completed since
// the panel was made or since the form was last cleared, so no wizard opens on values
// the instrument does not hold.
//
// A panel takes row() of each value into its REFRESH and APPLY tables, has an offset row
// at the offset step in its APPLY table, hands chain() to that table (setChain), calls
// clear() from its clearAll and startRange()/startScale() from its buttons.
class RangeScaleWizards : public QObject
{
    Q_OBJECT
public:
    enum Chain { NoChain, RawChain, CalibrateChain, RestoreChain, ScaleChain };
    enum Value { Lo, Hi, Clo, Chi, Multiply };

    RangeScaleWizards(CalibratorPanel* panel, QString const& modelName, int channels,
                      RangeScaleSteps const& steps, RangeScaleWidgets const& widgets);

    // A channel the wizards refuse ("Please specify the sensor type."): unset, none.
    void setTypeCheck(std::function<bool(int channel)> hasType) { m_hasType = std::move(hasType); }

    // The REFRESH and APPLY row of a value. Its store fills the form, except for the
    // echoes of the raw and restore chains, which store nothing.
    SequenceRow row(Value value) const;

    WizardChain* chain() const { return m_chain; }
    Chain running() const;
    bool isRangeWizard() const { return m_range; }
    // A REFRESH has completed since the form was last cleared.
    bool ready() const { return m_ready; }

    void startRange(int channel);
    void startScale(int channel);
    // The panel's clearAll: the wizard closes, the buttons wait for the next REFRESH.
    void clear();

private slots:
    void slotIdChanged(int id);
    void slotDelta();
    void slotChainEnded(int id, bool success);
    void slotSequenceEnded(unsigned mode, bool success);

private:
    bool mayOpen(int channel, const char* title, const char* question);
    CalibWizard* newWizard(int channel);
    QString titleBase(int channel) const;
    void setReady(bool ready);
    void runRestore();
    void runScale();
    double box(QDoubleSpinBox* const* boxes) const;
    QString write(unsigned step, QString const& suffix, double value) const;

    CalibratorPanel* m_panel;
    WizardChain* m_chain;
    QString m_modelName;
    int m_channels;
    RangeScaleSteps m_steps;
    RangeScaleWidgets m_w;
    std::function<bool(int)> m_hasType;
    bool m_range = false;
    bool m_ready = false;
};

#endif
