#ifndef CHANNELSEQUENCE_H
#define CHANNELSEQUENCE_H

#include <QString>
#include <QVector>

#include <functional>

class CalibratorPanel;
class QDateTimeEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class WizardChain;

// Stores the value text of a reply (channel 1.. for a per-channel row, 0 otherwise).
// Returns false when the instrument answered a value the panel must not take: the
// step then fails like a reply without its keyword.
using RowStore = std::function<bool(int channel, QString const& value)>;

// One step of a REFRESH or APPLY table: the query, how its reply is recognised and
// cut, and where the value goes.
struct SequenceRow
{
    unsigned step = 0;
    // The query: keyword + "\r\n", or for a per-channel row keyword + n + suffix + "\r\n".
    QString keyword;
    QString suffix;
    // The reply's keyword: a plain case-sensitive substring, or a regular expression
    // (case-sensitive) when isPattern. A plain row matches its keyword.
    QString match;
    bool isPattern = false;
    // Removed (every occurrence) from the line after the found keyword; the keyword of
    // a plain row, "ATCCH" for the "ATCCH\d{1}LO" rows.
    QString strip;
    bool perChannel = false;
    // REFRESH: the row is skipped below this firmware version (0: always asked).
    unsigned gate = 0;
    // REFRESH: below the gate the sequence ends here instead of going on with the rows
    // after it.
    bool endBelowGate = false;
    // APPLY: a stored echo ends the APPLY (END) unless this is false (the row's store
    // then schedules what follows, a refresh for example).
    bool endsApply = true;
    RowStore store;

    // The query of this row for a channel (ignored by a plain row).
    QString query(int channel = 0) const;
};

// Row builders.
// A row without a channel: "KEY\r\n", reply "KEY<value>".
SequenceRow plainRow(unsigned step, QString const& keyword, RowStore store, unsigned gate = 0);
// A per-channel row: "KEYn\r\n", reply "KEYn<value>".
SequenceRow channelRow(unsigned step, QString const& keyword, RowStore store, unsigned gate = 0);
// A per-channel row with a suffix after the digit: "KEYnSUF\r\n", reply matched by the
// pattern KEY\d{1}SUF, the value after digit and suffix ("ATCCH1LO-50.00" gives -50.00).
SequenceRow suffixRow(unsigned step, QString const& keyword, QString const& suffix, RowStore store,
                      unsigned gate = 0);

// Stores: the value converted as the toolkit converts (a text that does not convert
// gives 0) and put into a widget; per-channel stores take the widget of the channel
// from an array indexed by channel - 1.
RowStore storeInt(QSpinBox* box);
RowStore storeDouble(QDoubleSpinBox* box);
RowStore storeDoubles(QDoubleSpinBox* const* boxes);
RowStore storeText(QLineEdit* edit);
RowStore storeText(QLabel* label);
// Unsigned seconds since 1970, shown as local time.
RowStore storeTime(QDateTimeEdit* edit);

// The rows that recur across the panels.
// "ATCOFFn": the channel's offset box.
SequenceRow offsetRow(unsigned step, QDoubleSpinBox* const* boxes, unsigned gate = 0);
// "ATCOFFn" of one channel, on a step of its own: that channel's offset box.
SequenceRow offsetRow(unsigned step, int channel, QDoubleSpinBox* box, unsigned gate = 0);
// "ATCEXTM", "ATCBLDTM": a time.
SequenceRow timeRow(unsigned step, QString const& keyword, QDateTimeEdit* edit, unsigned gate = 0);
// "ATCUSED": used hours (see showUsed).
SequenceRow usedRow(unsigned step, QSpinBox* box, unsigned gate = 0);
// Used hours are unsigned: a count beyond the box shows its maximum, no number 0.
void showUsed(QSpinBox* box, QString const& value);
SequenceRow intRow(unsigned step, QString const& keyword, QSpinBox* box, unsigned gate = 0);
SequenceRow doubleRow(unsigned step, QString const& keyword, QDoubleSpinBox* box, unsigned gate = 0);
SequenceRow textRow(unsigned step, QString const& keyword, QLineEdit* edit, unsigned gate = 0);
SequenceRow textRow(unsigned step, QString const& keyword, QLabel* label, unsigned gate = 0);

// Numbers as the instruments are written: two decimals ("-0.50"), and six significant
// digits, the shorter of plain and exponent form ("1e+06").
QString f2(double value);
QString g6(double value);

// Runs a panel's REFRESH or APPLY table: one row per step.
//
// refresh(): the reply of the running step is cut and stored; then the same row is
// asked for the next channel, or, after channel min(ChannelCount, channels), the next
// row whose gate the firmware passes; none left: END. apply(): the echo of the running
// step is cut and stored; then END (a running wizard chain may queue its next link
// instead). In both, a reply without the step's keyword, naming another channel than
// the command (or none within 1..min(ChannelCount, channels)), or refused by the store
// sets ERROR.
class ChannelSequence
{
public:
    ChannelSequence(CalibratorPanel* panel, int channels, QVector<SequenceRow> rows);

    // False when no row has the running step (the panel's own rows handle it).
    bool refresh(QString const& line);
    bool apply(QString const& line);

    // A chain whose links are APPLY rows of this table: a stored echo is handed to it
    // before the END.
    void setChain(WizardChain* chain) { m_chain = chain; }
    // The per-channel rows from firstStep to lastStep (ungated, in table order) are asked
    // channel by channel: the whole block for channel 1, then for channel 2, ..., then
    // the rows after it; instead of each row for every channel before the next row.
    void setChannelBlock(unsigned firstStep, unsigned lastStep);

    SequenceRow const* row(unsigned step) const;
    int channels() const { return m_channels; }
    // The channels a per-channel row runs over: min(ChannelCount, channels).
    int channelLimit() const;

    // What a reply says for a row: the keyword found, the channel (0 for a plain row)
    // and the value text.
    struct Reply
    {
        bool found = false;
        int channel = 0;
        QString value;
    };
    Reply cut(SequenceRow const& row, QString const& line) const;

    // Queues the query of the first row at or after index whose gate the firmware passes
    // (channel 1 for a per-channel row); returns false when none is left.
    bool queueFrom(int index);

private:
    int indexOf(unsigned step) const;
    // Takes the reply of the running step in mode: the row's index, or NoRow (no row has
    // the step) or Handled (the step failed, or the panel has moved on meanwhile).
    enum { NoRow = -2, Handled = -1 };
    int receive(QString const& line, unsigned mode, int* channel);
    // Cuts, checks the channel and stores; false: the step fails.
    bool take(SequenceRow const& row, QString const& line, int* channel);
    void setStep(unsigned seq);

    CalibratorPanel* m_panel;
    int m_channels;
    QVector<SequenceRow> m_rows;
    WizardChain* m_chain = nullptr;
    int m_blockFirst = -1;
    int m_blockLast = -1;
};

#endif
