#include "channelsequence.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSpinBox>

#include "calibratorpanel.h"
#include "globals.h"
#include "wizardchain.h"

QString SequenceRow::query(int channel) const
{
    if (!perChannel)
        return keyword + "\r\n";
    return keyword + QString::number(channel) + suffix + "\r\n";
}

SequenceRow plainRow(unsigned step, QString const& keyword, RowStore store, unsigned gate)
{
    SequenceRow row;
    row.step = step;
    row.keyword = keyword;
    row.match = keyword;
    row.strip = keyword;
    row.gate = gate;
    row.store = std::move(store);
    return row;
}

SequenceRow channelRow(unsigned step, QString const& keyword, RowStore store, unsigned gate)
{
    SequenceRow row = plainRow(step, keyword, std::move(store), gate);
    row.perChannel = true;
    return row;
}

SequenceRow suffixRow(unsigned step, QString const& keyword, QString const& suffix, RowStore store,
                      unsigned gate)
{
    SequenceRow row = channelRow(step, keyword, std::move(store), gate);
    row.suffix = suffix;
    row.match = QRegularExpression::escape(keyword) + "\\d{1}" + QRegularExpression::escape(suffix);
    row.isPattern = true;
    return row;
}

RowStore storeInt(QSpinBox* box)
{
    return [box](int, QString const& value) {
        box->setValue(value.toInt());
        return true;
    };
}

RowStore storeDouble(QDoubleSpinBox* box)
{
    return [box](int, QString const& value) {
        box->setValue(value.toDouble());
        return true;
    };
}

RowStore storeDoubles(QDoubleSpinBox* const* boxes)
{
    return [boxes](int channel, QString const& value) {
        boxes[channel - 1]->setValue(value.toDouble());
        return true;
    };
}

RowStore storeText(QLineEdit* edit)
{
    return [edit](int, QString const& value) {
        edit->setText(value);
        return true;
    };
}

RowStore storeText(QLabel* label)
{
    return [label](int, QString const& value) {
        label->setText(value);
        return true;
    };
}

RowStore storeTime(QDateTimeEdit* edit)
{
    return [edit](int, QString const& value) {
        edit->setDateTime(QDateTime::fromSecsSinceEpoch(qint64(value.toUInt())));
        return true;
    };
}

SequenceRow offsetRow(unsigned step, QDoubleSpinBox* const* boxes, unsigned gate)
{
    return channelRow(step, "ATCOFF", storeDoubles(boxes), gate);
}

SequenceRow offsetRow(unsigned step, int channel, QDoubleSpinBox* box, unsigned gate)
{
    return plainRow(step, "ATCOFF" + QString::number(channel), storeDouble(box), gate);
}

SequenceRow timeRow(unsigned step, QString const& keyword, QDateTimeEdit* edit, unsigned gate)
{
    return plainRow(step, keyword, storeTime(edit), gate);
}

SequenceRow usedRow(unsigned step, QSpinBox* box, unsigned gate)
{
    return plainRow(step, "ATCUSED", [box](int, QString const& value) {
        showUsed(box, value);
        return true;
    }, gate);
}

void showUsed(QSpinBox* box, QString const& value)
{
    box->setValue(int(qMin<qulonglong>(value.toULongLong(), qulonglong(box->maximum()))));
}

SequenceRow intRow(unsigned step, QString const& keyword, QSpinBox* box, unsigned gate)
{
    return plainRow(step, keyword, storeInt(box), gate);
}

SequenceRow doubleRow(unsigned step, QString const& keyword, QDoubleSpinBox* box, unsigned gate)
{
    return plainRow(step, keyword, storeDouble(box), gate);
}

SequenceRow textRow(unsigned step, QString const& keyword, QLineEdit* edit, unsigned gate)
{
    return plainRow(step, keyword, storeText(edit), gate);
}

SequenceRow textRow(unsigned step, QString const& keyword, QLabel* label, unsigned gate)
{
    return plainRow(step, keyword, storeText(label), gate);
}

QString f2(double value)
{
    return QString::number(value, 'f', 2);
}

QString g6(double value)
{
    return QString::number(value, 'g', 6);
}

// ---- the runner -------------------------------------------------------------

ChannelSequence::ChannelSequence(CalibratorPanel* panel, int channels, QVector<SequenceRow> rows)
    : m_panel(panel)
    , m_channels(channels)
    , m_rows(std::move(rows))
{
}

int ChannelSequence::channelLimit() const
{
    return qMax(0, qMin(ChannelCount, m_channels));
}

void ChannelSequence::setChannelBlock(unsigned firstStep, unsigned lastStep)
{
    m_blockFirst = indexOf(firstStep);
    m_blockLast = indexOf(lastStep);
}

int ChannelSequence::indexOf(unsigned step) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].step == step)
            return i;
    return -1;
}

SequenceRow const* ChannelSequence::row(unsigned step) const
{
    const int i = indexOf(step);
    return i < 0 ? nullptr : &m_rows[i];
}

ChannelSequence::Reply ChannelSequence::cut(SequenceRow const& row, QString const& line) const
{
    Reply reply;
    int at = -1;
    if (row.isPattern)
        at = line.indexOf(QRegularExpression(row.match));
    else
        at = line.indexOf(row.match);
    if (at < 0)
        return reply;
    reply.found = true;

    QString rest = line.mid(at);
    if (!row.strip.isEmpty())
        rest.remove(row.strip);
    if (!row.perChannel) {
        reply.value = rest;
        return reply;
    }
    reply.channel = m_panel->replyChannel(rest, channelLimit());
    reply.value = rest.mid(1 + row.suffix.size());
    return reply;
}

void ChannelSequence::setStep(unsigned seq)
{
    m_panel->m_seq = seq;
}

bool ChannelSequence::take(SequenceRow const& row, QString const& line, int* channel)
{
    const Reply reply = cut(row, line);
    *channel = reply.channel;
    if (!reply.found || (row.perChannel && reply.channel == 0))
        return false;
    return !row.store || row.store(reply.channel, reply.value);
}

bool ChannelSequence::queueFrom(int index)
{
    const unsigned version = m_panel->version();
    for (int i = index; i < m_rows.size(); ++i) {
        SequenceRow const& row = m_rows[i];
        if (version < row.gate) {
            if (row.endBelowGate)
                return false;
            continue;
        }
        if (row.perChannel && channelLimit() < 1)
            continue;
        const int channel = row.perChannel ? 1 : 0;
        m_panel->writeDelay(REFRESH, row.step, row.query(channel), channel);
        return true;
    }
    return false;
}

int ChannelSequence::receive(QString const& line, unsigned mode, int* channel)
{
    const unsigned step = m_panel->seq();
    const int index = indexOf(step);
    if (index < 0)
        return NoRow;

    QPointer<CalibratorPanel> alive(m_panel);
    if (!take(m_rows[index], line, channel)) {
        if (alive)
            setStep(m_panel->description().errorSeq);
        return Handled;
    }
    // A store may have opened a box; the panel may be gone, or another sequence running.
    if (!alive || m_panel->mode() != mode || m_panel->seq() != step
        || !m_panel->pendingCommand().isEmpty())
        return Handled;
    return index;
}

bool ChannelSequence::refresh(QString const& line)
{
    int channel = 0;
    const int index = receive(line, REFRESH, &channel);
    if (index < 0)
        return index == Handled;
    SequenceRow const& row = m_rows[index];
    if (row.perChannel && index >= m_blockFirst && index <= m_blockLast) {
        const bool blockDone = index == m_blockLast;
        if (!blockDone || channel < channelLimit()) {
            const int next = blockDone ? m_blockFirst : index + 1;
            const int nextChannel = blockDone ? channel + 1 : channel;
            m_panel->writeDelay(REFRESH, m_rows[next].step, m_rows[next].query(nextChannel), nextChannel);
            return true;
        }
    } else if (row.perChannel && channel < channelLimit()) {
        m_panel->writeDelay(REFRESH, row.step, row.query(channel + 1), channel + 1);
        return true;
    }
    if (!queueFrom(index + 1))
        setStep(m_panel->description().endSeq);
    return true;
}

bool ChannelSequence::apply(QString const& line)
{
    int channel = 0;
    const int index = receive(line, APPLY, &channel);
    if (index < 0)
        return index == Handled;
    SequenceRow const& row = m_rows[index];
    if (m_chain && m_chain->advance(row.step))
        return true;
    if (row.endsApply)
        setStep(m_panel->description().endSeq);
    return true;
}
