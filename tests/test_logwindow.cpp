// Debug log: the message handler, the password-guarded log window and its terminal view.
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "globals.h"
#include "logwindow.h"
#include "modalcloser.h"
#include "ptermview.h"
#include "ui_logwindow.h"

namespace {
QString g_saveName;
QString fakeSaveName(QWidget*) { return g_saveName; }
}

class TestLogWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lineFormatAndTags_data();
    void lineFormatAndTags();
    void lockedWindowDropsMessages();
    void wrongPasswordKeepsItLocked_data();
    void wrongPasswordKeepsItLocked();
    void returnInFieldUnlocks();
    void messageFromWorkerThreadArrivesOnce();
    void terminalInsertRules_data();
    void terminalInsertRules();
    void typingAndPastingChangeNothing();
    void savingTheLog();

private:
    void unlock();
    QString logText() const { return m_window->form()->textEdit->toPlainText(); }
    LogWindow* m_window = nullptr;
};

void TestLogWindow::init()
{
    qInstallMessageHandler(callbackDebugMessageToLog);
    m_window = new LogWindow(nullptr);
    g_logWindow = m_window;
}

void TestLogWindow::cleanup()
{
    destroyLogWindow();
    m_window = nullptr;
    qInstallMessageHandler(nullptr);
}

void TestLogWindow::unlock()
{
    m_window->form()->lineEdit->setText(UnlockPassword);
    QTest::mouseClick(m_window->form()->pushButton, Qt::LeftButton);
    QVERIFY(m_window->logEnabled());
}

void TestLogWindow::lineFormatAndTags_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("tag");
    QTest::newRow("debug") << int(QtDebugMsg) << "[DEBUG]";
    QTest::newRow("warning") << int(QtWarningMsg) << "[WARNG]";
    QTest::newRow("critical") << int(QtCriticalMsg) << "[CRITC]";
    QTest::newRow("fatal") << int(QtFatalMsg) << "[FATAL]";
    QTest::newRow("info") << int(QtInfoMsg) << "[SYSTM]";
}

void TestLogWindow::lineFormatAndTags()
{
    QFETCH(int, type);
    QFETCH(QString, tag);
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7, 89));
    QCOMPARE(formatLogLine(QtMsgType(type), "Timer Start.", when),
             "2026-03-04 05:06:07:089 " + tag + " : Timer Start.\r\n");
}

void TestLogWindow::lockedWindowDropsMessages()
{
    Ui::LogWindow* ui = m_window->form();
    QVERIFY(!ui->textEdit->isEnabled());
    QVERIFY(ui->pushButton_save->isHidden());
    qDebug() << "before unlock";
    QVERIFY(logText().isEmpty());

    unlock();
    QVERIFY(ui->label->isHidden());
    QVERIFY(ui->lineEdit->isHidden());
    QVERIFY(ui->pushButton->isHidden());
    QVERIFY(!ui->pushButton_save->isHidden());
    QVERIFY(ui->textEdit->isEnabled());

    qDebug() << "Timer Start.";
    qInfo() << "info line";
    qWarning() << "warning line";
    const QString text = logText();
    QVERIFY(!text.contains("before unlock"));
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d:\d{3} \[DEBUG\] : Timer Start\.$)")
                .match(lines[0]).hasMatch());
    QVERIFY(lines[1].endsWith("[SYSTM] : info line"));
    QVERIFY(lines[2].endsWith("[WARNG] : warning line"));
    // Carriage returns are dropped on display: a plain line break remains.
    QVERIFY(!text.contains('\r'));
}

void TestLogWindow::wrongPasswordKeepsItLocked_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("wrong case") << QString(UnlockPassword).toUpper();
    QTest::newRow("empty") << QString();
    QTest::newRow("prefix") << QString(UnlockPassword).left(11);
    QTest::newRow("longer") << QString(UnlockPassword) + "x";
}

void TestLogWindow::wrongPasswordKeepsItLocked()
{
    QFETCH(QString, password);
    ModalCloser closer;
    Ui::LogWindow* ui = m_window->form();
    ui->lineEdit->setText(password);
    QTest::mouseClick(ui->pushButton, Qt::LeftButton);
    QVERIFY(!m_window->logEnabled());
    QCOMPARE(ui->lineEdit->text(), password);
    QVERIFY(!ui->lineEdit->isHidden());
    QVERIFY(!ui->textEdit->isEnabled());
    qDebug() << "still locked";
    QVERIFY(logText().isEmpty());
    QCOMPARE(closer.count(), 0);
}

void TestLogWindow::returnInFieldUnlocks()
{
    m_window->form()->lineEdit->setText(UnlockPassword);
    QTest::keyClick(m_window->form()->lineEdit, Qt::Key_Return);
    QVERIFY(m_window->logEnabled());
}

namespace {
class Emitter : public QThread
{
    void run() override { qDebug() << "from the worker"; }
};
}

void TestLogWindow::messageFromWorkerThreadArrivesOnce()
{
    unlock();
    Emitter worker;
    worker.start();
    QVERIFY(worker.wait(5000));
    QTRY_VERIFY(logText().contains("from the worker"));
    QCoreApplication::processEvents();
    QCOMPARE(logText().count("from the worker"), 1);
}

void TestLogWindow::terminalInsertRules_data()
{
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR and NUL skipped") << QByteArray() << QByteArray("ab\r\ncd\0e", 8) << "ab\ncde";
    QTest::newRow("backspace inside the data") << QByteArray() << QByteArray("abc\bd") << "abd";
    QTest::newRow("backspace first removes shown") << QByteArray("xyz") << QByteArray("\bQ") << "xyQ";
    QTest::newRow("backspace at the start") << QByteArray() << QByteArray("\b\bok") << "ok";
    QTest::newRow("utf-8 decoded") << QByteArray() << QByteArray("\xec\x98\xa8") << QString::fromUtf8("\xec\x98\xa8");
}

void TestLogWindow::terminalInsertRules()
{
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    PTermView view;
    view.insertView(shown);
    view.insertView(data);
    QCOMPARE(view.toPlainText(), expected);
}

void TestLogWindow::typingAndPastingChangeNothing()
{
    PTermView view;
    view.insertView("log\n");
    QSignalSpy keys(&view, &PTermView::keyInput);
    QTest::keyClicks(&view, "ab");
    QCOMPARE(keys.count(), 2);
    QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_A));
    QCOMPARE(keys.at(0).at(1).toString(), QString("a"));
    QCOMPARE(view.toPlainText(), QString("log\n"));

    QApplication::clipboard()->setText("pasted");
    keys.clear();
    view.paste();
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_F35));
    QCOMPARE(keys.at(0).at(1).toString(), QString("pasted"));
    QCOMPARE(view.toPlainText(), QString("log\n"));
}

void TestLogWindow::savingTheLog()
{
    unlock();
    qDebug() << "line one";
    qDebug() << "line two";
    QTemporaryDir dir;
    auto previous = LogWindow::saveFileNameProvider;
    LogWindow::saveFileNameProvider = fakeSaveName;

    g_saveName = dir.filePath("zq.log");
    QMetaObject::invokeMethod(m_window, "saved");
    QFile file(g_saveName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY(saved.contains("[DEBUG] : line one\n"));
    QVERIFY(saved.contains("[DEBUG] : line two\n"));
    QVERIFY(!saved.contains('\r'));

    // Cancelled: nothing written.
    g_saveName.clear();
    QMetaObject::invokeMethod(m_window, "saved");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // A file that cannot be opened: the box, nothing written.
    ModalCloser closer;
    g_saveName = dir.filePath("missing/zq.log");
    QMetaObject::invokeMethod(m_window, "saved");
    QCOMPARE(closer.titles(), QStringList({"save log file Error!"}));
    QCOMPARE(closer.texts(), QStringList({"Can't Open File"}));
    QVERIFY(!QFile::exists(g_saveName));

    LogWindow::saveFileNameProvider = previous;
}

QTEST_MAIN(TestLogWindow)
#include "test_logwindow.moc"
