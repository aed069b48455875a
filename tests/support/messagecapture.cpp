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
