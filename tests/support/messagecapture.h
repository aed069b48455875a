#ifndef MESSAGECAPTURE_H
#define MESSAGECAPTURE_H

#include <QStringList>
#include <QtGlobal>

// Records every debug message while it lives and passes each on to the handler that was
// installed before it (the main window's log handler). Create it after the main window,
// which installs its own handler; only one may live at a time.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();
    Q_DISABLE_COPY(MessageCapture)

    QStringList messages() const { return m_messages; }
    // How many messages equal text / contain it.
    int count(QString const& text) const { return int(m_messages.count(text)); }
    int countContaining(QString const& text) const { return int(m_messages.filter(text).size()); }

private:
    static void handler(QtMsgType type, QMessageLogContext const& context, QString const& msg);
    QtMessageHandler m_previous;
    QStringList m_messages;
};

#endif
