// Main window: start state, Command Delay menu, status bar, shutdown, translation loading.
#include <QAction>
#include <QStatusBar>
#include <QTranslator>
#include <QtTest>

#include "globals.h"
#include "logwindow.h"
#include "mainwindow.h"
#include "selectdevice.h"
#include "translation.h"
#include "ui_mainwindow.h"

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startState();
    void commandDelayIsOneExclusiveChoice();
    void controlEnableWithoutPanelSwitchesMenusOnly();
    void statusBarWithoutPort();
    void closingWithLogWindowOpen();
    void translationLoader_data();
    void translationLoader();
};

void TestMainWindow::startState()
{
    MainWindow w;
    Ui::MainWindow* ui = w.form();
    QCOMPARE(w.windowTitle(), QString("Quorvel ZQ Calibrator V8.34"));
    QCOMPARE(CommandDelay, 50);
    QVERIFY(ui->action_delay_50ms->isChecked());
    QVERIFY(!ui->action_delay_100ms->isChecked());
    QVERIFY(!ui->action_delay_300ms->isChecked());
    QVERIFY(!ui->action_delay_500ms->isChecked());
    for (QAction* a : {ui->action_delay_50ms, ui->action_delay_100ms, ui->action_delay_300ms,
                       ui->action_delay_500ms, ui->actionClose_ZQ_Device, ui->actionReset_ZQ_Device})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(ui->actionLog_Window->isEnabled());
    QVERIFY(ui->actionAuto_Start_the_first_device->isChecked());
    QVERIFY(w.selectDevice()->autoStart());
    QVERIFY(w.calibrator() == nullptr);
    QVERIFY(w.port() == nullptr);
    QVERIFY(!w.pollTimer()->isActive());
    QVERIFY(g_logWindow != nullptr);
    QVERIFY(!g_logWindow->isVisible());
    w.show();
    QVERIFY(w.selectDevice()->isVisible());
    QVERIFY(w.statusBar()->currentMessage().isEmpty());
}

void TestMainWindow::commandDelayIsOneExclusiveChoice()
{
    MainWindow w;
    Ui::MainWindow* ui = w.form();
    w.controlEnable(true);
    QAction* const items[] = {ui->action_delay_50ms, ui->action_delay_100ms, ui->action_delay_300ms,
                              ui->action_delay_500ms};
    const int values[] = {50, 100, 300, 500};
    auto checked = [&] {
        QList<int> on;
        for (int i = 0; i < 4; ++i)
            if (items[i]->isChecked())
                on << values[i];
        return on;
    };

    items[2]->trigger();
    QCOMPARE(CommandDelay, 300);
    QCOMPARE(checked(), QList<int>({300}));

    // Choosing the item that is already checked keeps it checked and the value unchanged.
    items[2]->trigger();
    QCOMPARE(CommandDelay, 300);
    QCOMPARE(checked(), QList<int>({300}));

    items[3]->trigger();
    QCOMPARE(CommandDelay, 500);
    QCOMPARE(checked(), QList<int>({500}));
    items[0]->trigger();
    QCOMPARE(CommandDelay, 50);
    QCOMPARE(checked(), QList<int>({50}));
    items[1]->trigger();
    QCOMPARE(CommandDelay, 100);
    QCOMPARE(checked(), QList<int>({100}));

    // Disabled while a sequence runs: the menu offers no choice.
    w.controlEnable(false);
    for (QAction* a : items)
        QVERIFY(!a->isEnabled());
    QCOMPARE(checked(), QList<int>({100}));
}

void TestMainWindow::controlEnableWithoutPanelSwitchesMenusOnly()
{
    MainWindow w;
    Ui::MainWindow* ui = w.form();
    w.controlEnable(true);
    QVERIFY(ui->actionClose_ZQ_Device->isEnabled());
    QVERIFY(ui->actionReset_ZQ_Device->isEnabled());
    QVERIFY(ui->action_delay_500ms->isEnabled());
    w.clearAll();
    QVERIFY(!ui->actionReset_ZQ_Device->isEnabled());
    QVERIFY(ui->actionClose_ZQ_Device->isEnabled());
    w.setResetCommandEnabled(true);
    QVERIFY(ui->actionReset_ZQ_Device->isEnabled());
}

void TestMainWindow::statusBarWithoutPort()
{
    MainWindow w;
    w.statusBarMsg("success! refresh calibration settings.");
    QCOMPARE(w.statusBar()->currentMessage(), QString("success! refresh calibration settings."));
    // Stopping the poll says so in the status bar even without a port.
    w.toggleStart(true);
    QVERIFY(w.pollTimer()->isActive());
    QCOMPARE(w.pollTimer()->interval(), DataInterval);
    w.toggleStart(false);
    QVERIFY(!w.pollTimer()->isActive());
    QCOMPARE(w.statusBar()->currentMessage(), QString("Timer Stop."));
    // Writing without a port fails quietly.
    QVERIFY(!w.writeData("ATCD\r\n"));
}

void TestMainWindow::closingWithLogWindowOpen()
{
    auto* w = new MainWindow;
    w->show();
    w->form()->actionLog_Window->trigger();
    QVERIFY(g_logWindow && g_logWindow->isVisible());
    w->toggleStart(true);
    w->form()->actionExit->trigger();
    QVERIFY(!w->isVisible());
    QVERIFY(g_logWindow == nullptr);
    QVERIFY(!w->pollTimer()->isActive());
    // Messages after the log window is gone are dropped, not a crash.
    qDebug() << "after close";
    delete w;
}

void TestMainWindow::translationLoader_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<bool>("loaded");
    const QString qmDir = ZQ_QM_DIR;
    QTest::newRow("Korean loads") << "ko_KR" << qmDir << true;
    QTest::newRow("only two letters count") << "ko" << qmDir << true;
    QTest::newRow("English does not") << "en_US" << qmDir << false;
    QTest::newRow("missing file ignored") << "ko_KR" << QDir::tempPath() + "/no-such-dir" << false;
}

void TestMainWindow::translationLoader()
{
    QFETCH(QString, locale);
    QFETCH(QString, dir);
    QFETCH(bool, loaded);
    QTranslator translator;
    QCOMPARE(loadTranslation(translator, locale, dir), loaded);
    if (loaded) {
        QVERIFY(!translator.isEmpty());
        QVERIFY(!translator.translate("MainWindow", "Close ZQ Device").isEmpty());
    }
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
