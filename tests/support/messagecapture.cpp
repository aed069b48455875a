#include "messagecapture.h"

namespace {
MessageCapture* g_capture = nullptr;
}

MessageCapture::MessageCapture()
{
    Q_ASSERT(!g_capture);
    g_capture = this;
    m_previous = qInstallMessageHandler(&MessageCapture::handler);
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(m_previous);
    g_capture = nullptr;
}

void MessageCapture::handler(QtMsgType type, QMessageLogContext const& context, QString const& msg)
{
    if (!g_capture)
        return;
    g_capture->m_messages << msg;
    if (g_capture->m_previous)
        g_capture->m_previous(type, context, msg);
}

int MessageCapture::count(QString const& text) const
{
    return int(m_messages.count(text));
}

int MessageCapture::countContaining(QString const& text) const
{
    int n = 0;
    for (QString const& m : m_messages)
        n += m.contains(text) ? 1 : 0;
    return n;
}

int MessageCapture::indexOf(QString const& text, int from) const
{
    return m_messages.indexOf(text, from);
}
