#ifndef SEQUENCEPANEL_H
#define SEQUENCEPANEL_H

#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

#include "calibratorpanel.h"
#include "channelsequence.h"

// A calibrator panel for tests whose REFRESH and APPLY are one ChannelSequence table,
// without a main window or port: a queued command is taken by the test (sent()), which
// then hands the panel the reply (reply()). Every line that contains "ATC" reaches the
// parser of the running mode.
class SequencePanel : public CalibratorPanel
{
    Q_OBJECT
public:
    enum : unsigned { END_SEQ = 90, ERROR_SEQ = 91 };

    SequencePanel(unsigned version, QWidget* parent = nullptr);

    // The table (a panel's rows may point into widgets it builds first).
    void setRows(int channels, QVector<SequenceRow> rows);
    ChannelSequence* sequence() const { return m_sequence.get(); }

    // Puts the engine into a mode and step as if a command of it were outstanding.
    void enter(unsigned mode, unsigned seq);
    // writeDelay for the test.
    void queue(unsigned mode, unsigned seq, QString const& cmd, int channel = 0);
    // The first query of the table queued as a REFRESH starts (clearAll first).
    bool startRefresh();
    // The queued command "goes out" (the write is marked as the engine marks it):
    // returned and dropped from the queue.
    QString sent();
    // The queued command, if any, goes out and line is its reply.
    void reply(QString const& line);

    // Every sequenceEnded: "<mode> ok" or "<mode> error".
    QStringList endings;
    // controlEnable calls, and what clearAll does besides resetting mode and step.
    QList<bool> enables;
    std::function<void()> onClear;

    void controlEnable(bool on) override;

protected:
    void parsingSequence(QString line) override;
    void parsingApply(QString line) override;
    void parsingDefault(QString line) override;
    void clearAll() override;

private:
    std::unique_ptr<ChannelSequence> m_sequence;
};

#endif
