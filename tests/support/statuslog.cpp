#include "statuslog.h"

#include <QStatusBar>

#include "mainwindow.h"

StatusLog::StatusLog(MainWindow* window)
{
    m_clock.start();
    QObject::connect(window->statusBar(), &QStatusBar::messageChanged, &m_context,
                     [this](QString const& text) { m_shown << qMakePair(m_clock.elapsed(), text); });
}

qint64 StatusLog::when(QString const& text) const
{
    for (auto const& shown : m_shown)
        if (shown.second.startsWith(text))
            return shown.first;
    return -1;
}
