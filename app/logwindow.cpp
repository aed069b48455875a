#include "logwindow.h"
#include "ui_logwindow.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QMutex>
#include <QThread>

#include "globals.h"

LogWindow* g_logWindow = nullptr;
int g_loglevel = 0;

namespace {

// Guards g_logWindow against messages from other threads while it is being deleted.
QMutex& logWindowMutex()
{
    static QMutex mutex;
    return mutex;
}

QString defaultSaveFileName(QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, "Save Log File", QString(), "log Files (*.log)");
}

int messageLevel(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return 0;
    case QtWarningMsg: return 1;
    case QtCriticalMsg: return 2;
    case QtFatalMsg: return 3;
    case QtInfoMsg: return 4;
    }
    return 0;
}

} // namespace

QString (*LogWindow::saveFileNameProvider)(QWidget*) = defaultSaveFileName;

QString formatLogLine(QtMsgType type, const QString& msg, const QDateTime& when)
{
    static const char* const tags[] = {"[DEBUG]", "[WARNG]", "[CRITC]", "[FATAL]", "[SYSTM]"};
    return when.toString("yyyy-MM-dd hh:mm:ss:zzz ") + tags[messageLevel(type)] + " : " + msg + "\r\n";
}

void callbackDebugMessageToLog(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    Q_UNUSED(context)
    QMutexLocker lock(&logWindowMutex());
    LogWindow* window = g_logWindow;
    if (!window || !window->logEnabled() || g_loglevel > messageLevel(type))
        return;
    const QString line = formatLogLine(type, msg, QDateTime::currentDateTime());
    if (QThread::currentThread() == window->thread()) {
        lock.unlock();
        window->setLog(line);
    } else {
        // Widgets belong to the GUI thread: hand the line over through its event loop.
        QMetaObject::invokeMethod(window, "setLog", Qt::QueuedConnection, Q_ARG(QString, line));
    }
}

void destroyLogWindow()
{
    LogWindow* window;
    {
        QMutexLocker lock(&logWindowMutex());
        window = g_logWindow;
        g_logWindow = nullptr;
    }
    delete window;
}

LogWindow::LogWindow(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::LogWindow)
{
    ui->setupUi(this);
    ui->textEdit->setEnabled(false);
    connect(ui->pushButton_save, SIGNAL(clicked()), this, SLOT(saved()));
    ui->pushButton_save->hide();
    connect(ui->pushButton, SIGNAL(pressed()), this, SLOT(slotValidatePwd()));
}

LogWindow::~LogWindow()
{
    delete ui;
}

void LogWindow::setLog(const QString& text)
{
    ui->textEdit->insertView(text.toLatin1());
}

void LogWindow::slotValidatePwd()
{
    if (ui->lineEdit->text() != QLatin1String(UnlockPassword))
        return;
    ui->label->hide();
    ui->lineEdit->hide();
    ui->pushButton->hide();
    ui->pushButton_save->show();
    ui->textEdit->setEnabled(true);
    m_logEnabled = true;
}

void LogWindow::saved()
{
    const QString fileName = saveFileNameProvider(this);
    if (fileName.isEmpty())
        return;
    const QString text = ui->textEdit->toPlainText();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)) {
        QMessageBox::critical(this, "save log file Error!", "Can't Open File", QMessageBox::Ok);
        return;
    }
    file.write(text.toLatin1());
    file.close();
}
