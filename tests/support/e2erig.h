#ifndef E2ERIG_H
#define E2ERIG_H

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "usbbench.h"

class InstrumentSimulator;
class MainWindow;
class MessageCapture;
class QWidget;
class TestPanel;

// The program end to end: a USB bench and the real main window on top of it, with its
// debug messages captured. Declare it first in a test function, so that the window goes
// before the bench.
class E2eRig
{
public:
    E2eRig() = default;
    ~E2eRig();

    UsbBench bench;

    // Creates and shows the main window; with autoStart false the menu item
    // "Auto Start the first device" is switched off right away (before the first scan).
    MainWindow* start(bool autoStart = true);
    MainWindow* window() const { return m_window; }
    MessageCapture& log() const { return *m_log; }

    // start(), then waits until sim's instrument is open and identified and its panel is
    // made (a TestPanelFactory must be in place); the panel, or null after the time-out.
    TestPanel* startWithPanel(InstrumentSimulator* sim, int timeoutMs = 8000);
    // Waits until the main window has the port of sim open and sim got "ATCVER".
    bool waitOpened(InstrumentSimulator* sim, int timeoutMs = 5000);
    // Waits until no port is open.
    bool waitClosed(int timeoutMs = 5000);
    QStringList chooserTexts() const; // top to bottom
    // Activates the chooser item of sim as the user does (Return on the current item).
    bool activate(InstrumentSimulator* sim);
    TestPanel* panel() const; // null for none or another kind
    QString status() const;   // the status bar's text
    QString portName() const; // of the open port; empty when none is open
    bool portOpen() const { return !portName().isEmpty(); }

    // Runs action once with the first modal widget that opens (checked every few ms) while
    // the rig lives. It runs inside the box's own event loop, as anything does while a box
    // is open, and should close the box when done.
    void whenModalOpens(std::function<void(QWidget* modal)> action);

private:
    MainWindow* m_window = nullptr;
    MessageCapture* m_log = nullptr;
    QObject m_watchers; // parent of the modal watchers
};

#endif
