#include "sequencepanel.h"

namespace {

const PanelDescription kSequencePanel = {
    SequencePanel::END_SEQ, SequencePanel::ERROR_SEQ, "ATCX\r\n", 0,
    {"ATC"}, {"ATC"}, {"ATCQ"}, {},
    false, "", PanelDescription::Unlock,
    0, nullptr, nullptr, nullptr,
};

} // namespace

SequencePanel::SequencePanel(unsigned version, QWidget* parent)
    : CalibratorPanel(kSequencePanel, version, "SN1", parent)
{
    connect(this, &CalibratorPanel::sequenceEnded, this, [this](unsigned mode, bool success) {
        endings << QString("%1 %2").arg(mode).arg(success ? "ok" : "error");
    });
}

void SequencePanel::setRows(int channels, QVector<SequenceRow> rows)
{
    m_sequence.reset(new ChannelSequence(this, channels, std::move(rows)));
}

void SequencePanel::enter(unsigned mode, unsigned seq)
{
    m_mode = mode;
    m_seq = seq;
}

void SequencePanel::queue(unsigned mode, unsigned seq, QString const& cmd, int channel)
{
    writeDelay(mode, seq, cmd, channel);
}

bool SequencePanel::startRefresh()
{
    clearAll();
    setModbusMode();
    lockUi();
    return m_sequence->queueFrom(0);
}

QString SequencePanel::sent()
{
    const QString cmd = pendingCommand();
    cancelQueued();
    if (!cmd.isEmpty())
        commandWritten();
    return cmd;
}

void SequencePanel::reply(QString const& line)
{
    sent();
    readData(line);
}

void SequencePanel::controlEnable(bool on)
{
    enables << on;
}

void SequencePanel::parsingSequence(QString line)
{
    if (m_sequence)
        m_sequence->refresh(line);
}

void SequencePanel::parsingApply(QString line)
{
    if (m_sequence)
        m_sequence->apply(line);
}

void SequencePanel::parsingDefault(QString) {}

void SequencePanel::clearAll()
{
    m_mode = DEFAULT;
    m_seq = 0;
    if (onClear)
        onClear();
}
