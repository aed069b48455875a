#ifndef LOGWINDOW_H
#define LOGWINDOW_H

#include <QString>
#include <QWidget>
#include <atomic>

namespace Ui { class LogWindow; }

// Password-guarded window that collects the program's debug lines.
class LogWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LogWindow(QWidget* parent = nullptr);
    ~LogWindow() override;

    bool logEnabled() const { return m_logEnabled.load(); }
    Ui::LogWindow* form() const { return ui; }

    // Asks for the file name when saving; replaceable so tests need no platform dialog.
    static QString (*saveFileNameProvider)(QWidget* parent);

public slots:
    // Appends one log line (Latin-1) to the view. Must run on the GUI thread.
    void setLog(const QString& text);

private slots:
    void slotValidatePwd();
    void saved();

private:
    Ui::LogWindow* ui;
    std::atomic<bool> m_logEnabled{false};
};

// The one log window, or null before the main window creates it and after it closes.
extern LogWindow* g_logWindow;
// Lowest message type that is logged.
extern int g_loglevel;

// The installed message handler: turns a message into a log line for the log window.
void callbackDebugMessageToLog(QtMsgType type, const QMessageLogContext& context, const QString& msg);
// The line the handler writes for a message at the given local time.
QString formatLogLine(QtMsgType type, const QString& msg, const QDateTime& when);
// Deletes the log window; messages after this are dropped.
void destroyLogWindow();

#endif
