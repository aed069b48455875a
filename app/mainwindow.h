#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QByteArray>
#include <QMainWindow>
#include <QStringList>

#include "devinfo.h"
#include "lineframer.h"

namespace Ui { class MainWindow; }
class AbstractCalibrator;
class QSerialPort;
class QTimer;
class SelectDevice;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Services for the panels.
    void statusBarMsg(QString msg);
    void controlEnable(bool enable);
    bool writeData(QByteArray const& data);
    void toggleStart(bool start);

    void clearAll();
    void setResetCommandEnabled(bool enable);

    bool openQuorvelDevice(Dev_info const& dev);
    void closeQuorvelDevice();
    void resetQuorvelDevice();
    void writeDeviceInfo();
    bool containSerialport(QList<Dev_info> const& list);
    bool setVersion(QString reply);

    // Read access for tests and diagnostics.
    AbstractCalibrator* calibrator() const { return m_calibrator; }
    SelectDevice* selectDevice() const { return m_selectDevice; }
    QSerialPort* port() const { return m_port; }
    int currentModelCode() const { return modelCode; }
    QTimer* pollTimer() const { return m_pollTimer; }
    Ui::MainWindow* form() const { return ui; }

public slots:
    void readData();
    void checkConnection();
    void writeATCDCommand();

private slots:
    void slotSelectedDevice(Dev_info dev);
    void slotAutoStartDevice(Dev_info dev);
    void slotLogWindowShow();
    void slotCommandDelay50ms();
    void slotCommandDelay100ms();
    void slotCommandDelay300ms();
    void slotCommandDelay500ms();
    void slotCloseQuorvelDevice();
    void slotResetQuorvelDevice();
    void slotResetCommand();
    void slotAutoStartFirstDevice(bool on);
    void slotATCHSecond();
    void dispatchLines();
    void flushHeldLine();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void chooseCommandDelay(int value);
    void dispatchLine(QString const& line);
    void rejectIdentification();
    void closePort();
    template <typename Call> void callPanel(Call call);

    Ui::MainWindow* ui;
    QString m_serial;
    int modelCode = 0;
    AbstractCalibrator* m_calibrator = nullptr;
    SelectDevice* m_selectDevice = nullptr;
    QTimer* m_connectionTimer = nullptr;
    QTimer* m_pollTimer = nullptr;
    QSerialPort* m_port = nullptr;
    bool m_connected = false;
    bool m_wasConnected = false;

    // Reply framing: the held tail of a line and the lines waiting for dispatch.
    LineFramer m_framer;
    QTimer* m_tailTimer = nullptr;
    QStringList m_lineQueue;
    bool m_dispatchPosted = false;

    // Changes whenever a port is opened or closed; a delayed action meant for one link
    // checks that this link is still the current one.
    quint64 m_link = 0;
    quint64 m_resetLink = 0;
    // Calls into the panel still running (a modal box inside one keeps it running), and
    // panels removed meanwhile, deleted once those calls have returned.
    int m_panelCalls = 0;
    QList<AbstractCalibrator*> m_retiredPanels;
};

#endif
