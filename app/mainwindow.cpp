#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDebug>
#include <QMessageBox>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>

#include "abstractcalibrator.h"
#include "globals.h"
#include "logwindow.h"
#include "modeltable.h"
#include "selectdevice.h"

namespace {
// A line tail that gets no more bytes within this time is taken as a whole line.
constexpr int kHeldLineMs = 100;
constexpr int kSecondPollMs = 50;
constexpr int kResetDelayMs = 500;
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    qInstallMessageHandler(callbackDebugMessageToLog);
    g_logWindow = new LogWindow(nullptr);

    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Quorvel ZQ Calibrator") + QStringLiteral(" V8.34"));

    m_selectDevice = new SelectDevice(this);
    ui->verticalLayout->addWidget(m_selectDevice);
    m_selectDevice->setAutoStart(ui->actionAuto_Start_the_first_device->isChecked());

    connect(m_selectDevice, SIGNAL(selectedDevice(Dev_info)), this, SLOT(slotSelectedDevice(Dev_info)));
    connect(m_selectDevice, SIGNAL(autoStartDevice(Dev_info)), this, SLOT(slotAutoStartDevice(Dev_info)));
    connect(ui->actionExit, SIGNAL(triggered()), this, SLOT(close()));
    connect(ui->actionLog_Window, SIGNAL(triggered()), this, SLOT(slotLogWindowShow()));

    CommandDelay = 50;
    ui->action_delay_50ms->setChecked(true);
    connect(ui->action_delay_50ms, SIGNAL(triggered()), this, SLOT(slotCommandDelay50ms()));
    connect(ui->action_delay_100ms, SIGNAL(triggered()), this, SLOT(slotCommandDelay100ms()));
    connect(ui->action_delay_300ms, SIGNAL(triggered()), this, SLOT(slotCommandDelay300ms()));
    connect(ui->action_delay_500ms, SIGNAL(triggered()), this, SLOT(slotCommandDelay500ms()));

    connect(ui->actionClose_ZQ_Device, SIGNAL(triggered()), this, SLOT(slotCloseQuorvelDevice()));
    ui->actionReset_ZQ_Device->setEnabled(false);
    connect(ui->actionReset_ZQ_Device, SIGNAL(triggered()), this, SLOT(slotResetQuorvelDevice()));
    connect(ui->actionAuto_Start_the_first_device, SIGNAL(toggled(bool)), this, SLOT(slotAutoStartFirstDevice(bool)));

    m_connectionTimer = new QTimer(this);
    connect(m_connectionTimer, SIGNAL(timeout()), this, SLOT(checkConnection()));
    m_connectionTimer->start(1000);

    m_pollTimer = new QTimer(this);
    m_pollTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pollTimer, SIGNAL(timeout()), this, SLOT(writeATCDCommand()));

    m_tailTimer = new QTimer(this);
    m_tailTimer->setSingleShot(true);
    connect(m_tailTimer, SIGNAL(timeout()), this, SLOT(flushHeldLine()));

    clearAll();
    controlEnable(false);

    qDebug() << "================== system started!! ===================";
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::statusBarMsg(QString msg)
{
    QString text = msg;
    if (m_port && m_port->isOpen())
        text = msg + " - [" + m_port->portName() + "]";
    ui->statusbar->showMessage(text);
}

// Every call into the panel goes through here, so that a panel removed while one of
// its calls is still running is deleted only after that call has returned.
template <typename Call>
void MainWindow::callPanel(Call call)
{
    if (!m_calibrator)
        return;
    ++m_panelCalls;
    call(m_calibrator);
    if (--m_panelCalls == 0 && !m_retiredPanels.isEmpty()) {
        const QList<AbstractCalibrator*> retired = m_retiredPanels;
        m_retiredPanels.clear();
        qDeleteAll(retired);
    }
}

void MainWindow::controlEnable(bool enable)
{
    ui->action_delay_50ms->setEnabled(enable);
    ui->action_delay_100ms->setEnabled(enable);
    ui->action_delay_300ms->setEnabled(enable);
    ui->action_delay_500ms->setEnabled(enable);
    ui->actionClose_ZQ_Device->setEnabled(enable);
    ui->actionReset_ZQ_Device->setEnabled(enable);
    callPanel([enable](AbstractCalibrator* panel) { panel->controlEnable(enable); });
}

void MainWindow::clearAll()
{
    if (m_calibrator) {
        AbstractCalibrator* panel = m_calibrator;
        m_calibrator = nullptr;
        QWidget* widget = dynamic_cast<QWidget*>(panel);
        if (widget)
            ui->verticalLayout->removeWidget(widget);
        if (m_panelCalls > 0) {
            // The panel is still inside one of our calls (a modal box of its own may be
            // open there): it goes out of sight now and is deleted when that call returns.
            if (widget)
                widget->hide();
            m_retiredPanels << panel;
        } else {
            delete panel;
        }
    }
    ui->actionReset_ZQ_Device->setEnabled(false);
    ui->verticalLayout->addWidget(m_selectDevice);
    m_selectDevice->show();
}

void MainWindow::setResetCommandEnabled(bool enable)
{
    ui->actionReset_ZQ_Device->setEnabled(enable);
}

void MainWindow::slotLogWindowShow()
{
    if (g_logWindow)
        g_logWindow->show();
}

void MainWindow::chooseCommandDelay(int value)
{
    QAction* const actions[] = {ui->action_delay_50ms, ui->action_delay_100ms,
                                ui->action_delay_300ms, ui->action_delay_500ms};
    const int values[] = {50, 100, 300, 500};
    for (int i = 0; i < 4; ++i) {
        if (values[i] == value) {
            // Choosing the checked item unchecks it; keep it checked.
            actions[i]->setChecked(true);
        } else if (CommandDelay != value) {
            actions[i]->setChecked(false);
        }
    }
    CommandDelay = value;
}

void MainWindow::slotCommandDelay50ms() { chooseCommandDelay(50); }
void MainWindow::slotCommandDelay100ms() { chooseCommandDelay(100); }
void MainWindow::slotCommandDelay300ms() { chooseCommandDelay(300); }
void MainWindow::slotCommandDelay500ms() { chooseCommandDelay(500); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    qDebug() << "closeEvent()";
    if (m_pollTimer->isActive())
        m_pollTimer->stop();
    if (m_connectionTimer->isActive())
        m_connectionTimer->stop();
    closeQuorvelDevice();
    qDebug() << "================== system stopped!! ===================";
    destroyLogWindow();
    event->accept();
}

// ---- discovery ------------------------------------------------------------

void MainWindow::checkConnection()
{
    const QList<Dev_info> list = quorvelDevPorts();
    m_selectDevice->addDevice(list);
    m_selectDevice->removeList(list);
    if (m_port && m_connected)
        m_connected = containSerialport(list);
    if (m_connected != m_wasConnected && !m_connected) {
        qDebug() << "all serialport is down.";
        closeQuorvelDevice();
    }
    m_wasConnected = m_connected;
}

bool MainWindow::containSerialport(QList<Dev_info> const& list)
{
    if (!m_port)
        return false;
    for (Dev_info const& dev : list)
        if (portNameFromLocation(dev.first) == m_port->portName())
            return true;
    return false;
}

void MainWindow::slotSelectedDevice(Dev_info dev)
{
    closeQuorvelDevice();
    if (openQuorvelDevice(dev)) {
        statusBarMsg(tr("the ZQ Series Devices were found."));
        qDebug() << "\tthe ZQ Series Devices were found.";
        m_connected = true;
        m_wasConnected = true;
        m_selectDevice->hide();
        m_serial = dev.second;
        writeDeviceInfo();
    } else {
        m_connected = false;
        m_wasConnected = false;
        qDebug() << "exit";
    }
}

void MainWindow::slotAutoStartDevice(Dev_info dev)
{
    if (m_connected)
        return;
    slotSelectedDevice(dev);
}

void MainWindow::slotAutoStartFirstDevice(bool on)
{
    m_selectDevice->setAutoStart(on);
}

// ---- serial link ----------------------------------------------------------

void MainWindow::closePort()
{
    if (!m_port)
        return;
    QSerialPort* port = m_port;
    m_port = nullptr;
    ++m_link;
    port->disconnect(this);
    port->flush();
    if (port->isOpen())
        port->close();
    delete port;
    // Nothing received from this port may reach a later panel.
    m_tailTimer->stop();
    m_framer.clear();
    m_lineQueue.clear();
}

bool MainWindow::openQuorvelDevice(Dev_info const& dev)
{
    if (dev.first.isEmpty() || dev.second.isEmpty()) {
        statusBarMsg(tr("Open device Error!"));
        return false;
    }
    const QString name = portNameFromLocation(dev.first);
    closePort();

    m_port = new QSerialPort(this);
    m_port->setPortName(name);
    m_port->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (m_port->open(QIODevice::ReadWrite)) {
        ++m_link;
        connect(m_port, SIGNAL(readyRead()), this, SLOT(readData()));
        qDebug() << "serial port:[" << name << "],serial no:[" << dev.second << "] opened!";
        return true;
    }
    closePort();
    qDebug() << "Can't opened the serial port:[" << name << "],serial no:[" << dev.second << "]";
    statusBarMsg(tr("Can't opened the serial port:[") + name + tr("],serial no:[") + dev.second + "]");
    return false;
}

void MainWindow::closeQuorvelDevice()
{
    qDebug() << "closeQuorvelDevice()";
    if (m_pollTimer->isActive())
        m_pollTimer->stop();
    toggleStart(false);
    controlEnable(false);
    clearAll();
    closePort();
}

void MainWindow::resetQuorvelDevice()
{
    qDebug() << "resetQuorvelDevice()";
    if (m_pollTimer->isActive())
        m_pollTimer->stop();
    toggleStart(false);
    m_resetLink = m_link;
    QTimer::singleShot(kResetDelayMs, this, SLOT(slotResetCommand()));
}

void MainWindow::slotResetCommand()
{
    // The reset was meant for the device open when it was asked for; if that one was
    // closed or replaced meanwhile, the command must not go to another instrument.
    if (m_resetLink != m_link)
        return;
    writeData("ATCRST\r\n");
    clearAll();
}

void MainWindow::slotCloseQuorvelDevice()
{
    closeQuorvelDevice();
}

void MainWindow::slotResetQuorvelDevice()
{
    resetQuorvelDevice();
}

void MainWindow::writeDeviceInfo()
{
    writeData("ATCVER\r\n");
}

bool MainWindow::writeData(QByteArray const& data)
{
    if (!m_port || !m_port->isOpen())
        return false;
    if (m_port->write(data) > 0) {
        const QString text = LineFramer::showLineEnds(QString::fromUtf8(data.constData()));
        qDebug() << "writeData(\"" << text << "\") success.";
        return true;
    }
    qDebug() << "writeData() fail!";
    return false;
}

void MainWindow::readData()
{
    if (!m_port)
        return;
    const QByteArray chunk = m_port->readAll();
    if (chunk.isEmpty())
        return;
    qDebug() << "readData() : " << LineFramer::logText(chunk);

    m_lineQueue << m_framer.feed(chunk);
    if (m_framer.hasPending())
        m_tailTimer->start(kHeldLineMs);
    else
        m_tailTimer->stop();

    // Lines are handed on from the event loop, not from inside the port's signal:
    // a panel may open a message box, and the port may be closed while it is open.
    if (!m_lineQueue.isEmpty() && !m_dispatchPosted) {
        m_dispatchPosted = true;
        QMetaObject::invokeMethod(this, "dispatchLines", Qt::QueuedConnection);
    }
}

void MainWindow::flushHeldLine()
{
    m_lineQueue << m_framer.flush();
    dispatchLines();
}

void MainWindow::dispatchLines()
{
    m_dispatchPosted = false;
    while (!m_lineQueue.isEmpty())
        dispatchLine(m_lineQueue.takeFirst());
}

void MainWindow::dispatchLine(QString const& line)
{
    if (!line.contains("ATCVER")) {
        callPanel([&line](AbstractCalibrator* panel) { panel->readData(line); });
        return;
    }
    if (m_calibrator) {
        // The query goes out only right after opening; a second panel must not be made.
        qDebug() << "identification ignored, a panel is open:" << line;
        return;
    }
    QString reply = line;
    reply.remove("ATCVER");
    if (!setVersion(reply))
        rejectIdentification();
}

void MainWindow::rejectIdentification()
{
    const quint64 link = m_link;
    QPointer<MainWindow> self(this);
    QMessageBox::critical(this, "ERROR", tr("error! This device is not supported..."), QMessageBox::Ok);
    if (!self)
        return;
    qDebug() << "get Version Error";
    // While the box was open the device may have been closed, lost or replaced by
    // another one; then there is nothing left to clear.
    if (link != m_link)
        return;
    statusBarMsg(tr("error! This device is not supported."));
    clearAll();
}

void MainWindow::toggleStart(bool start)
{
    if (start) {
        m_pollTimer->start(DataInterval);
        qDebug() << "Timer Start.";
    } else {
        if (m_pollTimer->isActive())
            m_pollTimer->stop();
        statusBarMsg(tr("Timer Stop."));
        qDebug() << "Timer Stop.";
    }
}

void MainWindow::writeATCDCommand()
{
    if (!m_calibrator)
        return;
    const QList<QByteArray> commands = pollCommands(modelCode);
    callPanel([&commands](AbstractCalibrator* panel) { panel->writeData(commands.first()); });
    if (commands.size() > 1)
        QTimer::singleShot(kSecondPollMs, this, SLOT(slotATCHSecond()));
}

void MainWindow::slotATCHSecond()
{
    if (!m_calibrator)
        return;
    const QList<QByteArray> commands = pollCommands(modelCode);
    if (commands.size() > 1)
        callPanel([&commands](AbstractCalibrator* panel) { panel->writeData(commands.at(1)); });
}

// ---- identification -------------------------------------------------------

bool MainWindow::setVersion(QString reply)
{
    qDebug() << "setZQVersion : " << reply;
    modelCode = 0;
    const Identification id = parseIdentification(reply);
    if (!id.ok)
        return false;
    modelCode = id.modelCode;
    qDebug() << "######## ZQ model : " << modelCode << ", ZQ version : " << id.version;

    const ModelInfo* model = findModel(modelCode);
    if (!model)
        return false;
    if (!model->createsPanel)
        return true;

    ChannelCount = model->channels;
    if (model->resetFrom >= 0 && id.version >= unsigned(model->resetFrom))
        ui->actionReset_ZQ_Device->setEnabled(true);
    AbstractCalibrator* panel = createCalibrator(modelCode, reply, id.version, m_serial, this);
    QWidget* widget = dynamic_cast<QWidget*>(panel);
    if (!widget) {
        // No panel for this model in this build: the caller reports it as not supported.
        delete panel;
        return false;
    }
    m_calibrator = panel;
    ui->verticalLayout->addWidget(widget);
    return true;
}
