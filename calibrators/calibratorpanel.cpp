#include "calibratorpanel.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QLCDNumber>
#include <QMessageBox>
#include <QTimer>
#include <QtMath>

#include "chartview.h"
#include "globals.h"
#include "lineframer.h"
#include "mainwindow.h"
#include "passworddlg.h"
#include "qledindicator.h"
#include "qprogressindicator.h"
#include "zqchart.h"

namespace {

constexpr int kLampMs = 300;
constexpr int kRefreshAfterApplyMs = 50;
constexpr int kCelsiusId = 100;
constexpr double kNoChannelValue = -99999.999;

// Lamp states: 1 idle, 2 a command was sent, 3 a line arrived.
constexpr int kLampIdle = 1;
constexpr int kLampTx = 2;
constexpr int kLampRx = 3;

const QStringList kTempKeywords = {"FAIL", "OK", "ATCC", "ATCF"};

// Texts the engine shows. They are looked up in the panel class's context first.
const char* const kContext = "CalibratorPanel";
const char* const kRefreshStart = QT_TRANSLATE_NOOP("CalibratorPanel", "get the device's information...");
const char* const kRefreshOk = QT_TRANSLATE_NOOP("CalibratorPanel", "success! refresh calibration settings.");
const char* const kRefreshError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! refresh calibration settings.");
const char* const kRefreshErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! refresh calibration settings...");
const char* const kApplyOk = QT_TRANSLATE_NOOP("CalibratorPanel", "success! apply calibration settings.");
const char* const kApplyError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply calibration settings.");
const char* const kApplyErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply calibration settings...");
const char* const kWriteError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! write command.");
const char* const kWriteErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! write command...");
const char* const kSensorOk = QT_TRANSLATE_NOOP("CalibratorPanel", "success! apply sensor output mode settings.");
const char* const kSensorError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply sensor output mode settings.");
const char* const kSensorErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply sensor output mode settings...");
const char* const kChangeCelsius = QT_TRANSLATE_NOOP("CalibratorPanel", "change the device's temperature mode to the celsius mode...");
const char* const kChangeFahrenheit = QT_TRANSLATE_NOOP("CalibratorPanel", "change the device's temperature mode to the fahrenheit mode...");
const char* const kCelsiusOk = QT_TRANSLATE_NOOP("CalibratorPanel", "success! apply the device's temperature mode to the celsius mode.");
const char* const kFahrenheitOk = QT_TRANSLATE_NOOP("CalibratorPanel", "success! apply the device's temperature mode to the fahrenheit mode.");
const char* const kCelsiusError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply the device's temperature mode to the celsius mode.");
const char* const kFahrenheitError = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply the device's temperature mode to the fahrenheit mode.");
const char* const kCelsiusErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply the device's temperature mode to the celsius mode...");
const char* const kFahrenheitErrorBox = QT_TRANSLATE_NOOP("CalibratorPanel", "error! apply the device's temperature mode to the fahrenheit mode...");
const char* const kDateTimeQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Do you want to change the update time?");
const char* const kWrongPassword = QT_TRANSLATE_NOOP("CalibratorPanel", "The password is wrong.");
const char* const kFactoryResetTitle = QT_TRANSLATE_NOOP("CalibratorPanel", "Factory Reset");
const char* const kFactoryResetQuestion = QT_TRANSLATE_NOOP("CalibratorPanel", "Your work will be erased. Would you like to continue?");
const char* const kFactoryResetDone = QT_TRANSLATE_NOOP("CalibratorPanel", "the Factory Reset is completed.");

// Status texts of a sequence's two endings, and the box of the error.
struct EndingTexts
{
    const char* ok;
    const char* error;
    const char* errorBox;
};
const EndingTexts kRefreshTexts = {kRefreshOk, kRefreshError, kRefreshErrorBox};
const EndingTexts kApplyTexts = {kApplyOk, kApplyError, kApplyErrorBox};
const EndingTexts kSensorTexts = {kSensorOk, kSensorError, kSensorErrorBox};

bool containsAny(QString const& line, QStringList const& keywords)
{
    for (QString const& k : keywords)
        if (line.contains(k))
            return true;
    return false;
}

void setLamp(QLedIndicator* led, int state)
{
    if (led)
        led->setState(state);
}

} // namespace

const char* const CalibratorPanel::MatchStyle = "color: rgb(255, 255, 255);background-color: rgb(113, 165, 142);";
const char* const CalibratorPanel::ChangedStyle = "color: rgb(255, 255, 255);background-color: rgb(170, 85, 0);";

CalibratorPanel::CalibratorPanel(PanelDescription const& desc, unsigned version,
                                 QString const& serial, QWidget* parent)
    : QWidget(parent)
    , m_desc(desc)
    , m_lastWrite(QDateTime::currentDateTime())
    , m_version(version)
    , m_serial(serial)
{
    m_mainWindow = qobject_cast<MainWindow*>(parent);

    m_writeTimer = new QTimer(this);
    m_writeTimer->setSingleShot(true);
    m_writeTimer->setTimerType(Qt::PreciseTimer);
    connect(m_writeTimer, &QTimer::timeout, this, &CalibratorPanel::slotWriteDelay);

    m_unitTimer = new QTimer(this);
    m_unitTimer->setSingleShot(true);
    m_unitTimer->setTimerType(Qt::PreciseTimer);
    connect(m_unitTimer, &QTimer::timeout, this, [this] {
        if (m_unitCelsius)
            delayWriteCelsius();
        else
            delayWriteFahrenheit();
    });

    if (m_desc.dateTimeStep != 0 && m_desc.dateTimeChannelTitles.isEmpty()) {
        m_pwdDlg.reset(new PasswordDlg(nullptr));
        connect(m_pwdDlg.get(), SIGNAL(pwdOk()), this, SLOT(slotOkExecDateTime()));
        connect(m_pwdDlg.get(), SIGNAL(pwdFail()), this, SLOT(slotFailExecDateTime()));
    }
    for (int channel = 1; m_desc.dateTimeStep != 0 && channel <= m_desc.dateTimeChannelTitles.size(); ++channel) {
        m_channelPwdDlg.emplace_back(new PasswordDlg(nullptr));
        PasswordDlg* dialog = m_channelPwdDlg.back().get();
        connect(dialog, &PasswordDlg::pwdOk, this, [this, channel] { okExecDateTime(channel); });
        connect(dialog, &PasswordDlg::pwdFail, this, &CalibratorPanel::slotFailExecDateTime);
    }
}

PasswordDlg* CalibratorPanel::passwordDialog(int channel) const
{
    if (channel == 0)
        return m_pwdDlg.get();
    return channel <= int(m_channelPwdDlg.size()) ? m_channelPwdDlg[size_t(channel - 1)].get() : nullptr;
}

CalibratorPanel::~CalibratorPanel() = default;

// ---- form -----------------------------------------------------------------

void CalibratorPanel::attachForm(QFrame* frame, QBoxLayout* ledLayout)
{
    m_progress = new QProgressIndicator(frame);
    m_progress->resize(frame->width(), frame->height());

    m_ledTx = new QLedIndicator(this);
    m_ledRx = new QLedIndicator(this);
    ledLayout->addWidget(m_ledTx);
    ledLayout->addWidget(m_ledRx);
    setLamp(m_ledTx, kLampIdle);
    setLamp(m_ledRx, kLampIdle);
}

QButtonGroup* CalibratorPanel::attachTempRadios(QAbstractButton* celsius, QAbstractButton* fahrenheit, int channel)
{
    celsius->setChecked(true);
    celsius->setText(QString(QChar(0x00B0)) + "C");
    fahrenheit->setText(QString(QChar(0x00B0)) + "F");
    auto* group = new QButtonGroup(this);
    const int id = kCelsiusId + 2 * qMax(0, channel - 1);
    group->addButton(celsius, id);
    group->addButton(fahrenheit, id + 1);
    if (channel == 0) {
        m_celsiusRadio = celsius;
        m_fahrenheitRadio = fahrenheit;
        m_tempModeGroup = group;
        connect(m_tempModeGroup, SIGNAL(buttonClicked(int)), this, SLOT(slotChangeTempMode(int)));
        return group;
    }
    if (m_channelCelsius.size() < channel) {
        m_channelCelsius.resize(channel);
        m_channelCelsiusRadio.resize(channel);
        m_channelFahrenheitRadio.resize(channel);
    }
    m_channelCelsius[channel - 1] = true;
    m_channelCelsiusRadio[channel - 1] = celsius;
    m_channelFahrenheitRadio[channel - 1] = fahrenheit;
    return group;
}

bool CalibratorPanel::isCelsius(int channel) const
{
    return channel == 0 ? m_celsius : m_channelCelsius.value(channel - 1, true);
}

void CalibratorPanel::setCelsius(int channel, bool celsius)
{
    if (channel == 0)
        m_celsius = celsius;
    else if (channel <= m_channelCelsius.size())
        m_channelCelsius[channel - 1] = celsius;
}

void CalibratorPanel::showTempUnit(int channel)
{
    const bool celsius = isCelsius(channel);
    QAbstractButton* radio = channel == 0 ? (celsius ? m_celsiusRadio : m_fahrenheitRadio)
                                          : (celsius ? m_channelCelsiusRadio : m_channelFahrenheitRadio).value(channel - 1);
    if (radio)
        radio->setChecked(true);
}

// ---- default hooks --------------------------------------------------------

double CalibratorPanel::getCurrentValue(int channel)
{
    Q_UNUSED(channel)
    return 0.0;
}

void CalibratorPanel::parsingSensorType(QString line)
{
    Q_UNUSED(line)
}

void CalibratorPanel::setSensorMode() {}
void CalibratorPanel::setModbusMode() {}
void CalibratorPanel::onSequenceEnd(unsigned mode, bool success)
{
    Q_UNUSED(mode)
    Q_UNUSED(success)
}
void CalibratorPanel::onSendFailure(unsigned mode)
{
    Q_UNUSED(mode)
}

bool CalibratorPanel::mayResumePolling() const
{
    return true;
}

void CalibratorPanel::showHeldSettings()
{
    setModbusMode();
}

void CalibratorPanel::afterRefreshSuccess()
{
    if (m_desc.tempMode && m_desc.afterRefresh == PanelDescription::Celsius) {
        delayWriteCelsius();
        return;
    }
    unlockUi();
}

// ---- lock, status and boxes -----------------------------------------------

bool CalibratorPanel::heldByMainWindow() const
{
    return m_mainWindow && m_mainWindow->calibrator() == this;
}

void CalibratorPanel::lockUi()
{
    if (m_mainWindow) {
        m_mainWindow->toggleStart(false);
        m_mainWindow->controlEnable(false);
    }
    // The main window reaches only the panel it holds; the refresh that a panel's
    // constructor starts runs before the main window holds it.
    if (!heldByMainWindow())
        controlEnable(false);
    const bool starting = !m_locked;
    setLocked(true);
    if (starting)
        emit sequenceStarted();
}

void CalibratorPanel::setLocked(bool locked)
{
    if (m_locked == locked)
        return;
    m_locked = locked;
    emit lockChanged(locked);
}

void CalibratorPanel::unlockUi()
{
    if (m_mainWindow) {
        m_mainWindow->controlEnable(true);
        m_mainWindow->toggleStart(mayResumePolling());
    }
    if (!m_mainWindow)
        controlEnable(true);
    busyOff();
    setLocked(false);
}

void CalibratorPanel::busyOn()
{
    if (m_progress && !m_progress->isAnimated())
        m_progress->startAnimation();
}

void CalibratorPanel::busyOff()
{
    if (m_progress)
        m_progress->stopAnimation();
}

void CalibratorPanel::cancelQueued()
{
    m_writeTimer->stop();
    m_command.clear();
}

void CalibratorPanel::scheduleRefresh()
{
    // One refresh however many endings ask for it.
    if (m_refreshScheduled)
        return;
    m_refreshScheduled = true;
    QTimer::singleShot(kRefreshAfterApplyMs, this, &CalibratorPanel::writeRefresh);
}

void CalibratorPanel::debugLine(QString const& text)
{
    qDebug().noquote() << text;
}

void CalibratorPanel::debugParsing(const char* parser, QString const& line) const
{
    debugLine(QLatin1String(parser) + "() : " + line + " m_seq : " + QString::number(m_seq));
}

QString CalibratorPanel::trPanel(const char* text) const
{
    // Every panel shows these texts in its own translation context; a panel without
    // its own wording falls back to the engine's.
    const QString own = QCoreApplication::translate(metaObject()->className(), text);
    if (own != QLatin1String(text))
        return own;
    return QCoreApplication::translate(kContext, text);
}

void CalibratorPanel::status(const char* text)
{
    status(trPanel(text));
}

void CalibratorPanel::status(QString const& text)
{
    if (m_mainWindow)
        m_mainWindow->statusBarMsg(text);
}

QWidget* CalibratorPanel::boxParent() const
{
    // Never the panel itself: the main window deletes the panel when the instrument
    // goes away, possibly while one of its boxes is open.
    if (m_mainWindow)
        return m_mainWindow;
    QWidget* top = window();
    return top == this ? nullptr : top;
}

bool CalibratorPanel::survived(QPointer<CalibratorPanel> const& self)
{
    // Removed while a box was open: deleted, or (while the main window is still inside
    // a call into it) held back from deletion but no longer the main window's panel.
    if (!self)
        return false;
    return !self->m_mainWindow || self->heldByMainWindow();
}

bool CalibratorPanel::criticalBox(QString const& title, QString const& text)
{
    QPointer<CalibratorPanel> self(this);
    QMessageBox::critical(boxParent(), title, text, QMessageBox::Ok);
    return survived(self);
}

bool CalibratorPanel::informationBox(QString const& title, QString const& text)
{
    QPointer<CalibratorPanel> self(this);
    QMessageBox::information(boxParent(), title, text, QMessageBox::Ok);
    return survived(self);
}

bool CalibratorPanel::questionBox(QString const& title, QString const& text, bool* yes)
{
    QPointer<CalibratorPanel> self(this);
    const auto answer = QMessageBox::question(boxParent(), title, text,
                                              QMessageBox::Yes | QMessageBox::No,
                                              QMessageBox::NoButton);
    *yes = answer == QMessageBox::Yes;
    return survived(self);
}

// ---- lamps ----------------------------------------------------------------

void CalibratorPanel::slotTx()
{
    setLamp(m_ledTx, kLampIdle);
}

void CalibratorPanel::slotRx()
{
    setLamp(m_ledRx, kLampIdle);
}

void CalibratorPanel::setTx(bool on)
{
    if (!on)
        return;
    setLamp(m_ledTx, kLampTx);
    QTimer::singleShot(kLampMs, this, &CalibratorPanel::slotTx);
}

void CalibratorPanel::setRx(bool on)
{
    if (!on)
        return;
    setLamp(m_ledRx, kLampRx);
    QTimer::singleShot(kLampMs, this, &CalibratorPanel::slotRx);
}

// ---- sending --------------------------------------------------------------

void CalibratorPanel::writeRefresh()
{
    m_refreshScheduled = false;
    // A unit change not sent yet is dropped; the radios show the unit held.
    // The reply of one already sent carries none of the REFRESH keywords.
    if (m_unitTimer->isActive()) {
        m_unitTimer->stop();
        showTempUnit();
    }
    qDebug() << "=============REFRESH MODE=============";
    status(kRefreshStart);
    lockUi();
    busyOn();
    m_liveValid.fill(false);
    clearAll();
    setSensorMode();
    setModbusMode();
    emit sequenceStarted();
    writeDelay(REFRESH, m_desc.firstStep, QString::fromLatin1(m_desc.firstQuery), m_desc.firstChannel);
}

void CalibratorPanel::writeDelay(unsigned mode, unsigned seq, QString const& cmd, int channel)
{
    lockUi();
    busyOn();
    m_mode = mode;
    m_seq = seq;
    // A command queued before the previous one went out replaces it: only the
    // newest is sent, once, CommandDelay ms after it was queued.
    m_command = cmd;
    m_queuedChannel = channel;
    m_commandChannel = channel;
    m_writeTimer->start(CommandDelay);
}

qint64 CalibratorPanel::commandAge() const
{
    if (!m_command.isEmpty() || m_unitTimer->isActive() || !m_commandClock.isValid())
        return -1;
    return m_commandClock.elapsed();
}

void CalibratorPanel::slotWriteDelay()
{
    if (m_command.isEmpty())
        return;
    const QString cmd = m_command;
    m_command.clear();
    writeCommand(m_mode, m_seq, cmd, m_queuedChannel);
}

bool CalibratorPanel::writeCommand(unsigned mode, unsigned seq, QString const& cmd, int channel)
{
    lockUi();
    m_mode = mode;
    m_seq = seq;
    m_commandChannel = channel;
    const QString shown = LineFramer::showLineEnds(cmd);
    debugLine("writeCommand(" + shown + "), mode=" + QString::number(mode));

    if (m_mainWindow && m_mainWindow->writeData(cmd.toLatin1())) {
        commandWritten();
        return true;
    }

    debugLine("!! FAIL - (" + shown + "), mode=" + QString::number(mode));
    m_seq = 0;
    busyOff();
    cancelQueued();

    if (mode == APPLY) {
        // Unlock before the refresh is scheduled and before the box: the refresh may
        // run while the box is open, and closing the box must not undo it.
        onSendFailure(APPLY);
        showHeldSettings();
        status(kApplyError);
        m_mode = DEFAULT;
        unlockAfterSendFailure();
        scheduleRefresh();
        emit sequenceEnded(APPLY, false);
        criticalBox("ERROR", trPanel(kApplyErrorBox));
        return false;
    }

    bool alive;
    if (mode == REFRESH) {
        onSendFailure(REFRESH);
        status(kRefreshError);
        alive = criticalBox("ERROR", trPanel(kRefreshErrorBox));
    } else {
        if (mode == SENSORTYPE)
            showHeldSettings();
        status(kWriteError);
        alive = criticalBox("ERROR", trPanel(kWriteErrorBox));
    }
    if (!alive)
        return false;
    m_mode = DEFAULT;
    unlockAfterSendFailure();
    emit sequenceEnded(mode, false);
    return false;
}

void CalibratorPanel::unlockAfterSendFailure()
{
    setLocked(false);
    if (!m_mainWindow) {
        controlEnable(true);
        return;
    }
    m_mainWindow->controlEnable(true);
    m_mainWindow->toggleStart(true);
    if (!mayResumePolling())
        m_mainWindow->toggleStart(false);
}

bool CalibratorPanel::writeData(QByteArray const& data)
{
    if (!m_mainWindow)
        return false;
    setTx(true);
    m_lastWrite = QDateTime::currentDateTime();
    return m_mainWindow->writeData(data);
}

// ---- receiving ------------------------------------------------------------

void CalibratorPanel::readData(QString line)
{
    setRx(true);

    QPointer<CalibratorPanel> self(this);
    if (m_mode == REFRESH) {
        qDebug() << "-------------REFRESH MODE-------------";
        if (!containsAny(line, m_desc.refreshKeywords))
            return;
        parsingSequence(line);
    } else if (m_mode == APPLY) {
        qDebug() << "-------------APPLY MODE-------------";
        if (!containsAny(line, m_desc.applyKeywords))
            return;
        parsingApply(line);
    } else if (m_mode == TEMPMODE && m_desc.tempMode) {
        qDebug() << "-------------TEMPMODE MODE-------------";
        if (!containsAny(line, kTempKeywords))
            return;
        parsingTemp(line);
        return;
    } else if (m_mode == SENSORTYPE && !m_desc.sensorTypeKeywords.isEmpty()) {
        qDebug() << "-------------SENSORTYPE MODE-------------";
        if (!containsAny(line, m_desc.sensorTypeKeywords))
            return;
        parsingSensorType(line);
    } else {
        qDebug() << "-------------DEFAULT MODE-------------";
        if (containsAny(line, m_desc.defaultKeywords))
            parsingDefault(line);
        return;
    }
    // A parser may have shown a box, and the panel may be gone by now.
    if (survived(self))
        finishSequence();
}

void CalibratorPanel::finishSequence()
{
    if (m_mode != REFRESH && m_mode != APPLY && m_mode != SENSORTYPE)
        return;
    if (m_seq == m_desc.endSeq)
        endSequence(m_mode, true);
    else if (m_seq == m_desc.errorSeq)
        endSequence(m_mode, false);
}

// Every ending resets the step, drops a command still waiting, runs the panel's extras,
// shows its text and unlocks; an error shows its box last. A successful REFRESH goes on
// with afterRefreshSuccess() instead of unlocking.
void CalibratorPanel::endSequence(unsigned mode, bool success, bool box)
{
    const EndingTexts& texts = mode == REFRESH ? kRefreshTexts : mode == APPLY ? kApplyTexts : kSensorTexts;

    qDebug() << (success ? "END_SEQ" : "ERROR SEQ");
    m_seq = 0;
    cancelQueued();
    if (success && mode == SENSORTYPE)
        setSensorMode();
    if (!success && (mode == APPLY || mode == SENSORTYPE))
        showHeldSettings();
    if (success && mode == REFRESH)
        m_mode = DEFAULT;
    onSequenceEnd(mode, success);
    status(success ? texts.ok : texts.error);
    if (success && mode == REFRESH) {
        afterRefreshSuccess();
        if (m_mode == DEFAULT && !m_locked)
            emit sequenceEnded(REFRESH, true);
        return;
    }
    m_mode = DEFAULT;
    unlockUi();
    emit sequenceEnded(mode, success);
    if (!success && box)
        criticalBox("ERROR", trPanel(texts.errorBox));
}

// ---- temperature unit -----------------------------------------------------

void CalibratorPanel::slotChangeTempMode(int id)
{
    if (m_mode != DEFAULT)
        return;
    lockUi();
    busyOn();
    m_unitCelsius = id == kCelsiusId;
    m_unitTimer->start(CommandDelay);
}

void CalibratorPanel::delayWriteCelsius()
{
    writeUnit(true);
}

void CalibratorPanel::delayWriteFahrenheit()
{
    writeUnit(false);
}

bool CalibratorPanel::writeUnit(bool celsius, int channel)
{
    status(celsius ? kChangeCelsius : kChangeFahrenheit);
    QPointer<CalibratorPanel> self(this);
    const QString digit = channel == 0 ? QString() : QString::number(channel);
    if (writeCommand(TEMPMODE, 0, (celsius ? "ATCC" : "ATCF") + digit + "\r\n", channel))
        return true;
    if (survived(self))
        unitFailure(channel);
    return false;
}

void CalibratorPanel::unitFailure(int channel)
{
    // Reported by the unit the panel (channel) still holds, whichever was asked for.
    const bool celsius = isCelsius(channel);
    m_seq = 0;
    status(celsius ? kCelsiusError : kFahrenheitError);
    showTempUnit(channel);
    criticalBox("ERROR", trPanel(celsius ? kCelsiusErrorBox : kFahrenheitErrorBox));
}

void CalibratorPanel::parsingTemp(QString line)
{
    const bool ok = line.contains("OK");
    if (ok) {
        line.remove("OK");
        m_celsius = !line.contains("ATCF");
    }
    debugLine(QLatin1String(m_desc.parsingTempDebug) + (m_celsius ? "true" : "false"));
    // The unit reply ends the sequence: a command queued meanwhile (REFRESH pressed
    // while the unit change waited) must not go out in DEFAULT, where its reply
    // would be dropped and the panel stay locked.
    cancelQueued();

    if (ok) {
        status(m_celsius ? kCelsiusOk : kFahrenheitOk);
        showTempUnit();
        setSensorMode();
        m_mode = DEFAULT;
        unlockUi();
        emit sequenceEnded(TEMPMODE, true);
        return;
    }
    // Without "OK" the instrument kept its unit: a failure, shown with the unit held.
    m_seq = 0;
    status(m_celsius ? kCelsiusError : kFahrenheitError);
    showTempUnit();
    setSensorMode();
    m_mode = DEFAULT;
    unlockUi();
    emit sequenceEnded(TEMPMODE, false);
    criticalBox("ERROR", trPanel(m_celsius ? kCelsiusErrorBox : kFahrenheitErrorBox));
}

// ---- last-calibration time and factory reset --------------------------------

void CalibratorPanel::slotExecDateTime()
{
    execDateTime(0);
}

void CalibratorPanel::execDateTime(int channel)
{
    const char* title = channel == 0 ? m_desc.dateTimeTitle : m_desc.dateTimeChannelTitles.value(channel - 1);
    if (!title)
        return;
    bool yes = false;
    if (!questionBox(trPanel(title), trPanel(kDateTimeQuestion), &yes))
        return;
    if (yes && m_mode == DEFAULT && passwordDialog(channel))
        passwordDialog(channel)->show();
}

void CalibratorPanel::slotOkExecDateTime()
{
    okExecDateTime(0);
}

void CalibratorPanel::okExecDateTime(int channel)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const QString digit = channel == 0 ? QString() : QString::number(channel);
    writeDelay(APPLY, m_desc.dateTimeStep, "ATCEXTM" + digit + " " + QString::number(now) + "\r\n", channel);
}

void CalibratorPanel::slotFailExecDateTime()
{
    criticalBox("Error", trPanel(kWrongPassword));
}

void CalibratorPanel::slotFactoryReset()
{
    bool yes = false;
    if (!questionBox(trPanel(kFactoryResetTitle), trPanel(kFactoryResetQuestion), &yes))
        return;
    if (yes && m_mode == DEFAULT)
        writeDelay(APPLY, 4, "ATCFTRST\r\n");
}

void CalibratorPanel::parsingFactoryReset(QString const& line)
{
    if (line.contains("OK")) {
        // The refresh starts while the box is still open; it unlocks at its end.
        scheduleRefresh();
        informationBox("Factory Reset", trPanel(kFactoryResetDone));
        return;
    }
    refuseApply(QString::fromUtf8(m_desc.factoryResetFailTitle), trPanel(m_desc.factoryResetFailText));
}

void CalibratorPanel::refuseApply(QString const& title, QString const& text)
{
    // Done before the box: a line that arrives while it is open finds no step.
    m_seq = 0;
    cancelQueued();
    if (!criticalBox(title, text))
        return;
    if (m_mode != APPLY)
        return; // something else (a REFRESH) took over while the box was open
    endSequence(APPLY, false, false);
}

void CalibratorPanel::parsingDateTime(QString const& line)
{
    if (line.contains("ATCEXTM"))
        scheduleRefresh();
    else
        m_seq = m_desc.errorSeq;
}

// ---- reply helpers and live readings ----------------------------------------

QString CalibratorPanel::valueAfter(QString const& line, QString const& keyword)
{
    const int at = line.indexOf(keyword);
    if (at < 0)
        return QString();
    QString rest = line.mid(at);
    rest.remove(keyword);
    return rest;
}

int CalibratorPanel::replyChannel(QString const& text, int channels) const
{
    const int channel = channelDigit(text, channels);
    if (m_commandChannel != 0 && channel != m_commandChannel)
        return 0;
    return channel;
}

int CalibratorPanel::channelDigit(QString const& text, int channels)
{
    if (text.isEmpty())
        return 0;
    const QChar c = text.at(0);
    if (c < QLatin1Char('1') || c > QLatin1Char('9'))
        return 0;
    const int n = c.unicode() - '0';
    return n <= qMin(channels, ChannelCount) ? n : 0;
}

QStringList CalibratorPanel::liveFields(QString line, QString const& keyword, int count)
{
    line.remove(keyword);
    const QStringList parts = line.split(',');
    if (parts.size() >= count)
        return parts.mid(0, count);
    QStringList fields{line};
    while (fields.size() < count)
        fields << QString();
    return fields;
}

double CalibratorPanel::liveValue(QString const& text)
{
    if (text.contains("----"))
        return NoValue;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !qIsFinite(v))
        return NoValue;
    return v;
}

double CalibratorPanel::chartTime() const
{
    return chartTimeAt(m_lastWrite);
}

double CalibratorPanel::chartTimeAt(QDateTime const& at)
{
    return chartTime2(at.toSecsSinceEpoch()) + at.time().msec() / 1000.0;
}

void CalibratorPanel::showLive(QStringList const& fields, QLCDNumber* const* lcds,
                               ChartView* const* charts, int count, double time)
{
    QVector<double> values(count);
    if (m_liveValid.size() < count)
        m_liveValid.resize(count);
    for (int i = 0; i < count; ++i) {
        const QString text = fields.value(i);
        values[i] = liveValue(text);
        m_liveValid[i] = values[i] != NoValue;
        // A field without a number reads like "----".
        const bool blank = values[i] == NoValue && !text.contains("----");
        lcds[i]->display(blank ? QStringLiteral("----") : text);
    }
    if (!charts)
        return;
    const double x = time < 0 ? chartTime() : time;
    for (int i = 0; i < count; ++i)
        charts[i]->setData(x, values[i]);
}

double CalibratorPanel::lcdValue(QLCDNumber* const* lcds, int count, int channel) const
{
    if (channel < 1 || channel > qMin(count, ChannelCount))
        return kNoChannelValue;
    if (!m_liveValid.value(channel - 1, false))
        return qQNaN();
    return lcds[channel - 1]->value();
}
