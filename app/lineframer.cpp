#include "lineframer.h"

namespace {
// A line that never ends must not grow without bound.
constexpr int kMaxPending = 64 * 1024;
}

QString LineFramer::cleanLine(QByteArray const& raw)
{
    QString line = QString::fromUtf8(raw);
    line.remove('\r').remove('\n').remove(' ');
    return line;
}

QString LineFramer::logText(QByteArray const& chunk)
{
    QByteArray bytes = chunk;
    bytes.replace('\0', QByteArray());
    return showLineEnds(QString::fromUtf8(bytes));
}

QString LineFramer::showLineEnds(QString text)
{
    return text.replace("\r\n", "[CR][LF]");
}

QStringList LineFramer::feed(QByteArray const& chunk)
{
    QByteArray bytes = chunk;
    bytes.replace('\0', QByteArray());
    m_pending.append(bytes);

    QStringList lines;
    int start = 0;
    for (int nl = m_pending.indexOf('\n'); nl >= 0; nl = m_pending.indexOf('\n', start)) {
        const QString line = cleanLine(m_pending.mid(start, nl - start));
        if (!line.isEmpty())
            lines << line;
        start = nl + 1;
    }
    m_pending.remove(0, start);
    if (m_pending.size() > kMaxPending)
        lines << flush();
    return lines;
}

QStringList LineFramer::flush()
{
    const QString line = cleanLine(m_pending);
    m_pending.clear();
    if (line.isEmpty())
        return {};
    return {line};
}
