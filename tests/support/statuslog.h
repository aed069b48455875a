#ifndef STATUSLOG_H
#define STATUSLOG_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class MainWindow;

// Every text the main window's status bar shows while it exists, with the milliseconds
// since it was made (the status bar keeps only the last one).
class StatusLog
{
public:
    explicit StatusLog(MainWindow* window);
    // When text was first shown (a text that starts with it, so that the port suffix
    // does not matter); -1 if not yet.
    qint64 when(QString const& text) const;
    bool contains(QString const& text) const { return when(text) >= 0; }

private:
    QObject m_context;
    QElapsedTimer m_clock;
    QList<QPair<qint64, QString>> m_shown;
};

#endif
