// The electrochemical gas panels inside a real main window without a port: every send
// fails there, which is how the send-failure paths and the wizard's fate on them are seen.
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWizard>
#include <QtTest>

#include "calibwizard.h"
#include "echempanel.h"
#include "globals.h"
#include "mainwindow.h"
#include "modalcloser.h"
#include "wizardchain.h"

namespace {

// The panel is back in DEFAULT and unlocked.
bool waitIdle(EchemPanel* panel)
{
    return QTest::qWaitFor([panel] { return panel->mode() == DEFAULT && !panel->isLocked(); }, 5000);
}

// Looks at the panel the moment a message box with a given text is shown.
struct BoxShown : QObject
{
    explicit BoxShown(QString text)
        : m_text(std::move(text))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (event->type() == QEvent::Show && box && box->text() == m_text && !seen) {
            seen = true;
            onShow();
        }
        return false;
    }
    std::function<void()> onShow;
    bool seen = false;

private:
    QString m_text;
};

} // namespace

class TestEchemPanel : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelCount = 2;
        CommandDelay = 50;
    }

    // A failed "ATCCAL" send: the ZQ84 closes the wizard with the failure, the ZQ83 leaves
    // it to the REFRESH that follows; either way it is gone and nothing is written twice.
    void wizardOnSendFailure_data()
    {
        QTest::addColumn<QString>("identification");
        QTest::addColumn<bool>("openAtTheBox");
        QTest::newRow("ZQ83") << "ZQ830v1" << true;
        QTest::newRow("ZQ84") << "ZQ841v1" << false;
    }

    void wizardOnSendFailure()
    {
        QFETCH(QString, identification);
        QFETCH(bool, openAtTheBox);
        MainWindow w;
        ModalCloser closer(20);
        closer.setAnswer(QMessageBox::Yes);
        QVERIFY(w.setVersion(identification));
        auto* panel = dynamic_cast<EchemPanel*>(w.calibrator());
        QVERIFY(panel);
        QTRY_COMPARE(closer.texts(), QStringList{"error! refresh calibration settings..."});
        QVERIFY(waitIdle(panel));

        // Yes to the question; from here on message boxes only (the wizard is modal too).
        closer.setMessageBoxesOnly(true);
        emit panel->widgets().pushButton_mannual->pressed();
        QPointer<CalibWizard> wizard = panel->wizardWindow();
        QVERIFY(wizard);

        // What the panel holds as the APPLY's error box is shown (before the REFRESH that
        // follows 50 ms later can start, however long the box stays).
        BoxShown shown("error! apply calibration settings...");
        bool openAtBox = false;
        unsigned modeAtBox = ~0u;
        bool refreshAtBox = false;
        shown.onShow = [&] {
            openAtBox = panel->wizardChain()->isOpen();
            modeAtBox = panel->mode();
            refreshAtBox = panel->refreshScheduled();
        };
        wizard->button(QWizard::FinishButton)->click();
        QTRY_VERIFY(closer.texts().size() >= 3); // the REFRESH's own failure may follow
        QCOMPARE(closer.texts()[2], QString("error! apply calibration settings..."));
        QVERIFY(shown.seen);
        QCOMPARE(openAtBox, openAtTheBox);
        QCOMPARE(modeAtBox, unsigned(DEFAULT));
        QVERIFY(refreshAtBox);
        QTRY_VERIFY(wizard.isNull());
        QVERIFY(panel->wizardWindow() == nullptr);
        QVERIFY(waitIdle(panel));
    }

    // The panel goes while the "Calibration" question is open: no wizard, no crash.
    void panelGoneUnderTheQuestion()
    {
        MainWindow w;
        ModalCloser closer(20);
        QVERIFY(w.setVersion("ZQ841v1"));
        auto* panel = dynamic_cast<EchemPanel*>(w.calibrator());
        QVERIFY(panel);
        QTRY_VERIFY(closer.count() == 1);
        QVERIFY(waitIdle(panel));
        QPointer<EchemPanel> watched(panel);
        closer.setAnswer(QMessageBox::Yes);
        closer.setInspector([&w](QWidget*) { w.clearAll(); });
        QPushButton* button = panel->widgets().pushButton_mannual;
        QMetaObject::invokeMethod(button, "pressed", Qt::QueuedConnection);
        QTRY_VERIFY(watched.isNull());
        QTest::qWait(100);
        QCOMPARE(closer.count(), 2);
        QVERIFY(w.calibrator() == nullptr);
    }
};

QTEST_MAIN(TestEchemPanel)
#include "test_echempanel.moc"
