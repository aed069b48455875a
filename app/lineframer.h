#ifndef LINEFRAMER_H
#define LINEFRAMER_H

#include <QByteArray>
#include <QStringList>

// Cuts the instrument's byte stream into reply lines.
// Lines end at LF; CR and blanks are removed, empty lines skipped, NUL bytes dropped.
// Bytes after the last LF of a chunk are held and joined with the next chunk.
class LineFramer
{
public:
    // Appends a chunk and returns the lines it completes.
    QStringList feed(QByteArray const& chunk);
    // Returns the held tail as a line of its own (empty list when nothing usable is held).
    QStringList flush();
    bool hasPending() const { return !m_pending.isEmpty(); }
    void clear() { m_pending.clear(); }

    // The chunk as text for the debug log, NUL bytes dropped, "\r\n" shown as "[CR][LF]".
    static QString logText(QByteArray const& chunk);
    // Text for the debug log with every "\r\n" shown as "[CR][LF]".
    static QString showLineEnds(QString text);
    // A line as the panels receive it: no CR, LF or blanks.
    static QString cleanLine(QByteArray const& raw);

private:
    QByteArray m_pending;
};

#endif
