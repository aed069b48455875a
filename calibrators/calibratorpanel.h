#ifndef CALIBRATORPANEL_H
#define CALIBRATORPANEL_H

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <memory>
#include <vector>

#include "abstractcalibrator.h"

class ChartView;
class MainWindow;
class PasswordDlg;
class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QFrame;
class QLCDNumber;
class QLedIndicator;
class QProgressIndicator;
class QTimer;

// What a panel is doing; the names are those of the debug banners.
enum CalibrationMode : unsigned {
    DEFAULT = 0,    // idle: poll replies are shown
    REFRESH = 1,    // reading every setting back
    TEMPMODE = 2,   // temperature-unit change
    SENSORTYPE = 3, // sensor-type change
    APPLY = 4,      // one write (or a write chain) and its echo
};

// The constant facts of one panel class that the engine needs. Every panel class
// defines one of these and hands it to the CalibratorPanel constructor.
struct PanelDescription
{
    // What a successful REFRESH goes on with (afterRefreshSuccess() may do more).
    enum AfterRefresh {
        Unlock,   // unlock the UI at once
        Celsius,  // switch the instrument back to Celsius; its reply unlocks
    };

    unsigned endSeq;        // END_SEQ: the running sequence ended well
    unsigned errorSeq;      // ERROR_SEQ: it failed
    const char* firstQuery; // first command of every REFRESH, with "\r\n"
    unsigned firstStep;     // its step

    // A received line reaches the parser of the running mode only when it contains
    // one of that mode's keywords (case-sensitive substring test).
    QStringList refreshKeywords;    // -> parsingSequence
    QStringList applyKeywords;      // -> parsingApply
    QStringList defaultKeywords;    // -> parsingDefault (poll replies, unasked lines)
    QStringList sensorTypeKeywords; // -> parsingSensorType; empty: no SENSORTYPE mode

    bool tempMode;                // the panel has the temperature unit (TEMPMODE)
    const char* parsingTempDebug; // debug prefix of parsingTemp's line
    AfterRefresh afterRefresh;

    // Last-calibration time behind the password: the APPLY step of "ATCEXTM" (0: none)
    // and the title of its question box.
    unsigned dateTimeStep;
    const char* dateTimeTitle;

    // Factory reset refused by the instrument: box title and text (null: no factory reset).
    const char* factoryResetFailTitle;
    const char* factoryResetFailText;

    // The channel of the first query of a REFRESH (1 when it asks channel 1 of a
    // per-channel row), for the check that a reply names the channel it was asked for.
    int firstChannel = 0;

    // A guard per channel instead of one: the question titles of channels 1.., each with
    // its own password dialog, writing "ATCEXTMn " (empty: the one guard above).
    QVector<const char*> dateTimeChannelTitles = {};
};

// The command engine and skeleton shared by every calibrator panel.
//
// One command is outstanding at a time: writeDelay() queues it, slotWriteDelay() sends
// it CommandDelay ms later, and the reply line comes back through readData(), which
// hands it to the parser of the running mode (a hook of the panel) when it carries one
// of that mode's keywords. A parser moves m_seq to END_SEQ or ERROR_SEQ and the engine
// runs the common tail. While a sequence runs, polling stops and the main window's menus
// and the panel's groups are disabled; the tails enable them again.
//
// A panel class derives from this, describes itself with a PanelDescription, builds its
// form, calls attachForm() (and attachTempRadios() when it has the temperature unit) and
// ends its constructor with writeRefresh(). The engine never calls a hook from its own
// constructor or destructor.
class CalibratorPanel : public QWidget, public AbstractCalibrator
{
    Q_OBJECT
    friend class ChannelSequence;
    friend class RangeScaleWizards;
    friend class RangeWizardFlow;
    friend class TemperatureChannels;
public:
    ~CalibratorPanel() override;

    // AbstractCalibrator: the poll write and every received line.
    bool writeData(QByteArray const& data) override;
    void readData(QString line) override;
    double getCurrentValue(int channel) override;

    unsigned mode() const { return m_mode; }
    unsigned seq() const { return m_seq; }
    bool isCelsius(int channel = 0) const;
    bool isLocked() const { return m_locked; }
    QString pendingCommand() const { return m_command; }
    QDateTime lastWrite() const { return m_lastWrite; }
    // How long the last command has been out, in milliseconds on a monotonic clock: -1
    // while a command (or a unit change) waits to be sent, or before any was written.
    qint64 commandAge() const;
    QLedIndicator* ledTx() const { return m_ledTx; }
    QLedIndicator* ledRx() const { return m_ledRx; }
    QProgressIndicator* progress() const { return m_progress; }
    // The guard's password dialog (of channel 1.. on a panel with one per channel).
    PasswordDlg* passwordDialog(int channel = 0) const;
    PanelDescription const& description() const { return m_desc; }
    unsigned version() const { return m_version; }
    // The channel named by the command in flight (or waiting to be sent); 0 for a
    // command of no channel.
    int commandChannel() const { return m_commandChannel; }

    // Queues cmd for sending CommandDelay ms from now in the given mode and step;
    // channel is the channel the command names (0: none). The helper classes of the
    // panels (MODBUS block, wizard chains) queue their writes through it too.
    void writeDelay(unsigned mode, unsigned seq, QString const& cmd, int channel = 0);
    // REFRESH 50 ms from now (once: a refresh already scheduled is not doubled).
    void scheduleRefresh();
    bool refreshScheduled() const { return m_refreshScheduled; }
    // Texts are translated in the panel class's context, falling back to the engine's.
    QString trPanel(const char* text) const;

    // One debug line, exactly as given (no quotes, no blanks added).
    static void debugLine(QString const& text);

    // The reading of a live field: the no-value number for "----", an empty text or
    // anything that is not a number.
    static double liveValue(QString const& text);

    // Style of a control whose value matches the instrument, and of one the user
    // changed but did not write yet.
    static const char* const MatchStyle;
    static const char* const ChangedStyle;

protected:
    CalibratorPanel(PanelDescription const& desc, unsigned version, QString const& serial,
                    QWidget* parent);

    // ---- hooks of the panel class -------------------------------------------------
    // REFRESH, APPLY and SENSORTYPE replies: set m_seq to END_SEQ or ERROR_SEQ to end.
    virtual void parsingSequence(QString line) = 0;
    virtual void parsingApply(QString line) = 0;
    virtual void parsingSensorType(QString line);
    // A DEFAULT line that carries a default keyword (poll reply or unasked line).
    virtual void parsingDefault(QString line) = 0;
    // The unit reply (TEMPMODE); the engine's version serves the one-unit panels.
    virtual void parsingTemp(QString line);
    // Resets mode, step and every shown value.
    virtual void clearAll() = 0;
    // Move cached state onto the form.
    virtual void setSensorMode();
    virtual void setModbusMode();
    // Extras of a panel at the end of a REFRESH, APPLY or SENSORTYPE sequence
    // (success or error), and after a failed send in REFRESH or APPLY.
    virtual void onSequenceEnd(unsigned mode, bool success);
    virtual void onSendFailure(unsigned mode);
    // What follows the success text of a REFRESH; by default the description's choice.
    virtual void afterRefreshSuccess();
    // Whether polling may run again when a sequence ends.
    virtual bool mayResumePolling() const;
    // Puts the choices the panel holds (radios, lists) back on the form after a write
    // the instrument did not take: an APPLY or SENSORTYPE that ends without success
    // (refused, ERROR, or not sent). By default the MODBUS block's (setModbusMode()).
    virtual void showHeldSettings();

    // ---- for the panel classes ----------------------------------------------------
    // Creates the busy spinner in frame and the TX and RX lamps in ledLayout.
    void attachForm(QFrame* frame, QBoxLayout* ledLayout);
    // Celsius and Fahrenheit radios: Celsius checked, texts "°C" and "°F", button group
    // with ids 100 and 101 whose clicks go to slotChangeTempMode(). On a panel with a
    // unit per channel, channel 1.. gets the ids 100 + 2 * (channel - 1) and the next;
    // the panel connects that group (returned) to its own slot.
    QButtonGroup* attachTempRadios(QAbstractButton* celsius, QAbstractButton* fahrenheit, int channel = 0);
    // Checks the radio of the unit the panel (or the channel) holds.
    void showTempUnit(int channel = 0);
    // The unit held: channel 0 is m_celsius, channels 1.. their own.
    void setCelsius(int channel, bool celsius);
    // "ATCC"/"ATCF" (+ the channel digit) in TEMPMODE; a failed send is reported by the
    // unit the channel still holds. False when the send failed (the panel may be gone).
    bool writeUnit(bool celsius, int channel = 0);
    // The last-calibration-time guard of a channel (0: the one guard): the question,
    // then the password dialog; the write of the time.
    void execDateTime(int channel);
    void okExecDateTime(int channel);

    bool writeCommand(unsigned mode, unsigned seq, QString const& cmd, int channel = 0);
    // A command went out to the instrument now (writeCommand calls it).
    void commandWritten() { m_commandClock.start(); }
    // "parsingSequence() : " (parser "parsingSequence") + line + " m_seq : " + step.
    void debugParsing(const char* parser, QString const& line) const;
    void setTx(bool on);
    void setRx(bool on);

    // UI lock: polling off, menus and groups off, spinner on. Unlock: the reverse.
    void lockUi();
    void unlockUi();
    void busyOn();
    void busyOff();
    // Drops the command waiting to be sent.
    void cancelQueued();

    // Status text and boxes.
    void status(const char* text);
    void status(QString const& text);
    // Each box returns whether the panel still exists when it closes.
    bool criticalBox(QString const& title, QString const& text);
    bool informationBox(QString const& title, QString const& text);
    bool questionBox(QString const& title, QString const& text, bool* yes);

    // Reply helpers. valueAfter: everything before the first keyword dropped and every
    // keyword removed. channelDigit: the first character as a channel 1..channels that
    // also lies within ChannelCount, or 0.
    static QString valueAfter(QString const& line, QString const& keyword);
    static int channelDigit(QString const& text, int channels);
    // channelDigit, and 0 as well when the command in flight names another channel:
    // a reply about a channel nobody asked for fails its step.
    int replyChannel(QString const& text, int channels) const;
    // The echo of the factory reset (APPLY step 4) and of the last-calibration time.
    void parsingFactoryReset(QString const& line);
    // An APPLY step the instrument refused: the step is marked done (a line arriving
    // while the box is open is ignored), the box shows, and then the APPLY ends as a
    // failure: status "error! apply calibration settings.", DEFAULT, unlocked, no
    // second box and no refresh.
    void refuseApply(QString const& title, QString const& text);
    void parsingDateTime(QString const& line);

    // Live readings: the fields of a poll reply (every keyword removed, split at ",";
    // fewer than count fields give the whole text first and empty texts after it),
    // the chart time of the last poll write, and both shown on LCDs and charts (at
    // time, or at the chart time of the last poll write when time is negative; charts
    // may be null for LCDs without charts).
    static QStringList liveFields(QString line, QString const& keyword, int count);
    double chartTime() const;
    // The chart time of a moment (an unasked line's arrival, for instance).
    static double chartTimeAt(QDateTime const& at);
    void showLive(QStringList const& fields, QLCDNumber* const* lcds, ChartView* const* charts,
                  int count, double time = -1);
    // The LCD value of channel 1..min(count, ChannelCount), or -99999.999 outside them;
    // NaN while that channel's latest live field was no number, or none has come since
    // the last REFRESH started (READ then leaves its box alone).
    double lcdValue(QLCDNumber* const* lcds, int count, int channel) const;

    PanelDescription const& m_desc;
    MainWindow* m_mainWindow = nullptr;
    QProgressIndicator* m_progress = nullptr;
    QLedIndicator* m_ledTx = nullptr;
    QLedIndicator* m_ledRx = nullptr;
    QAbstractButton* m_celsiusRadio = nullptr;
    QAbstractButton* m_fahrenheitRadio = nullptr;
    QButtonGroup* m_tempModeGroup = nullptr;
    QDateTime m_lastWrite;
    unsigned m_version = 0;
    QString m_serial;
    unsigned m_mode = DEFAULT;
    unsigned m_seq = 0;
    QString m_command;
    bool m_celsius = true;
    std::unique_ptr<PasswordDlg> m_pwdDlg;

signals:
    // The panel is back in DEFAULT and unlocked: a REFRESH, APPLY or SENSORTYPE
    // sequence ended (success or not), the unit reply came, or a send failed. Sent
    // after the unlock and before any box.
    void sequenceEnded(unsigned mode, bool success);
    // The UI was locked (a command is queued or in flight) or unlocked.
    void lockChanged(bool locked);
    // A new sequence begins: the panel locks from idle, or a REFRESH starts (sent once
    // clearAll() has run, so what the sequence before it left behind is gone).
    void sequenceStarted();

protected slots:
    void writeRefresh();
    void slotTx();
    void slotRx();
    void delayWriteCelsius();
    void delayWriteFahrenheit();
    void slotChangeTempMode(int id);
    void slotExecDateTime();
    void slotOkExecDateTime();
    void slotFailExecDateTime();
    void slotFactoryReset();
    void slotWriteDelay();

private:
    QWidget* boxParent() const;
    bool heldByMainWindow() const;
    static bool survived(QPointer<CalibratorPanel> const& self);
    void unitFailure(int channel);
    void unlockAfterSendFailure();
    void setLocked(bool locked);
    void finishSequence();
    void endSequence(unsigned mode, bool success, bool box = true);

    QTimer* m_writeTimer = nullptr;
    // Started when a command is written.
    QElapsedTimer m_commandClock;
    // The unit change asked by a radio, sent CommandDelay ms after the click; a REFRESH
    // that starts meanwhile drops it.
    QTimer* m_unitTimer = nullptr;
    bool m_unitCelsius = true;
    int m_queuedChannel = 0;
    int m_commandChannel = 0;
    bool m_locked = false;
    bool m_refreshScheduled = false;
    // Per channel: the latest live field was a number (index channel - 1).
    QVector<bool> m_liveValid;
    // Panels with a unit per channel: radios and held unit (index channel - 1).
    QVector<QAbstractButton*> m_channelCelsiusRadio;
    QVector<QAbstractButton*> m_channelFahrenheitRadio;
    QVector<bool> m_channelCelsius;
    // Panels with a guard per channel: its password dialogs (index channel - 1).
    std::vector<std::unique_ptr<PasswordDlg>> m_channelPwdDlg;
};

#endif
