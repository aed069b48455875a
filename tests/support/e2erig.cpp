#include "e2erig.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include "instrumentsim.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "selectdevice.h"
#include "testpanel.h"
#include "ui_mainwindow.h"

E2eRig::~E2eRig()
{
    if (!m_window)
        return;
    m_window->close(); // as the user closes it (closeEvent)
    delete m_window;
    delete m_log;
}

MainWindow* E2eRig::start(bool autoStart)
{
    m_window = new MainWindow;
    m_log = new MessageCapture;
    if (!autoStart)
        m_window->form()->actionAuto_Start_the_first_device->setChecked(false);
    m_window->show();
    return m_window;
}

TestPanel* E2eRig::startWithPanel(InstrumentSimulator* sim, int timeoutMs)
{
    start();
    if (!QTest::qWaitFor([&] { return sim->count("ATCVER") > 0 && panel() != nullptr; }, timeoutMs))
        return nullptr;
    return portName() == bench.portName(sim) ? panel() : nullptr;
}

bool E2eRig::waitOpened(InstrumentSimulator* sim, int timeoutMs)
{
    const QString name = bench.portName(sim);
    return QTest::qWaitFor([&] { return portName() == name && sim->count("ATCVER") > 0; }, timeoutMs);
}

bool E2eRig::waitClosed(int timeoutMs)
{
    return QTest::qWaitFor([&] { return m_window->port() == nullptr; }, timeoutMs);
}

QStringList E2eRig::chooserTexts() const
{
    QStringList texts;
    QListWidget* list = m_window->selectDevice()->listwidget();
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

bool E2eRig::activate(InstrumentSimulator* sim)
{
    QListWidget* list = m_window->selectDevice()->listwidget();
    const QList<QListWidgetItem*> items = list->findItems(bench.displayText(sim), Qt::MatchExactly);
    if (items.isEmpty())
        return false;
    list->setCurrentItem(items.first());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    return true;
}

TestPanel* E2eRig::panel() const
{
    return dynamic_cast<TestPanel*>(m_window->calibrator());
}

QString E2eRig::status() const
{
    return m_window->statusBar()->currentMessage();
}

QString E2eRig::portName() const
{
    QSerialPort* port = m_window->port();
    return port && port->isOpen() ? port->portName() : QString();
}

void E2eRig::whenModalOpens(std::function<void(QWidget* modal)> action)
{
    auto* timer = new QTimer(&m_watchers);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}
