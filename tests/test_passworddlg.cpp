#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "globals.h"
#include "modalcloser.h"
#include "passworddlg.h"

class TestPasswordDlg : public QObject
{
    Q_OBJECT

private:
    static QLineEdit* field(PasswordDlg& dlg) { return dlg.findChild<QLineEdit*>("lineEdit_password"); }
    static QPushButton* button(PasswordDlg& dlg, const char* name) { return dlg.findChild<QPushButton*>(name); }

private slots:
    void form()
    {
        PasswordDlg dlg;
        QCOMPARE(dlg.parent(), nullptr);
        QVERIFY(dlg.isWindow());
        QVERIFY(dlg.isHidden());
        QCOMPARE(dlg.windowTitle(), QString("ZQ Calibrator Passwod"));
        QCOMPARE(dlg.size(), QSize(400, 155));
        QCOMPARE(dlg.windowModality(), Qt::ApplicationModal);
        QCOMPARE(dlg.findChild<QGroupBox*>("groupBox")->title(), QString("Enter password"));
        QLineEdit* edit = field(dlg);
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(edit->placeholderText(), QString("password"));
        QCOMPARE(button(dlg, "pushButton_ok")->text(), QString("OK"));
        QCOMPARE(button(dlg, "pushButton_cancel")->text(), QString("CANCEL"));
    }

    void verdict_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("viaReturn");
        QTest::addColumn<bool>("ok");
        const struct { const char* tag; QString entry; bool ok; } cases[] = {
            {"right", QString::fromLatin1(UnlockPassword), true},
            {"upper case", QString::fromLatin1(UnlockPassword).toUpper(), false},
            {"first letter upper", "Pebbletor527", false},
            {"empty", "", false},
            {"prefix", "pebbletor52", false},
            {"one more character", "pebbletor5277", false},
            {"leading blank", " pebbletor527", false},
        };
        for (const auto& c : cases) {
            QTest::addRow("%s, OK", c.tag) << c.entry << false << c.ok;
            QTest::addRow("%s, Return", c.tag) << c.entry << true << c.ok;
        }
    }

    void verdict()
    {
        QFETCH(QString, entry);
        QFETCH(bool, viaReturn);
        QFETCH(bool, ok);

        PasswordDlg dlg;
        QSignalSpy okSpy(&dlg, SIGNAL(pwdOk()));
        QSignalSpy failSpy(&dlg, SIGNAL(pwdFail()));
        // The verdict is given while the dialog still holds the entry.
        QString seenInSlot = "unset";
        connect(&dlg, &PasswordDlg::pwdOk, [&] { seenInSlot = field(dlg)->text(); });
        connect(&dlg, &PasswordDlg::pwdFail, [&] { seenInSlot = field(dlg)->text(); });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        field(dlg)->setFocus();
        QTest::keyClicks(field(dlg), entry);
        QCOMPARE(field(dlg)->text(), entry);
        if (viaReturn)
            QTest::keyClick(field(dlg), Qt::Key_Return);
        else
            QTest::mouseClick(button(dlg, "pushButton_ok"), Qt::LeftButton);

        QCOMPARE(okSpy.count(), ok ? 1 : 0);
        QCOMPARE(failSpy.count(), ok ? 0 : 1);
        QCOMPARE(seenInSlot, entry);
        QCOMPARE(field(dlg)->text(), QString());
        QVERIFY(dlg.isHidden());
    }

    void cancelEmitsNothing()
    {
        PasswordDlg dlg;
        QSignalSpy okSpy(&dlg, SIGNAL(pwdOk()));
        QSignalSpy failSpy(&dlg, SIGNAL(pwdFail()));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClicks(field(dlg), UnlockPassword);
        QTest::mouseClick(button(dlg, "pushButton_cancel"), Qt::LeftButton);
        QCOMPARE(okSpy.count() + failSpy.count(), 0);
        QCOMPARE(field(dlg)->text(), QString());
        QVERIFY(dlg.isHidden());
    }

    void atMostFourteenCharacters()
    {
        PasswordDlg dlg;
        dlg.show();
        QTest::keyClicks(field(dlg), "abcdefghijklmnopqrstuvwxyz");
        QCOMPARE(field(dlg)->text(), QString("abcdefghijklmn"));
        QCOMPARE(field(dlg)->maxLength(), 14);
    }

    // The dialog can be asked again after a verdict, and judges the new entry alone.
    void reusableAfterVerdict()
    {
        PasswordDlg dlg;
        QSignalSpy okSpy(&dlg, SIGNAL(pwdOk()));
        QSignalSpy failSpy(&dlg, SIGNAL(pwdFail()));
        for (const QString& entry : {QString("wrong"), QString::fromLatin1(UnlockPassword), QString("pebble")}) {
            dlg.show();
            QTest::keyClicks(field(dlg), entry);
            QTest::keyClick(field(dlg), Qt::Key_Enter);
        }
        QCOMPARE(okSpy.count(), 1);
        QCOMPARE(failSpy.count(), 2);
    }

    // While shown, it is the application's modal window; closing it from the title
    // bar (here: the test's box closer) emits nothing and keeps the masked entry.
    void titleBarCloseKeepsEntry()
    {
        PasswordDlg dlg;
        QSignalSpy okSpy(&dlg, SIGNAL(pwdOk()));
        QSignalSpy failSpy(&dlg, SIGNAL(pwdFail()));
        QWidget other;
        other.show();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(QApplication::activeModalWidget(), &dlg);
        QVERIFY(QApplication::activeModalWidget() != &other);

        QTest::keyClicks(field(dlg), UnlockPassword);
        {
            ModalCloser closer;
            QTRY_COMPARE(closer.count(), 1);
            QCOMPARE(closer.titles().first(), QString("ZQ Calibrator Passwod"));
        }
        QVERIFY(dlg.isHidden());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(okSpy.count() + failSpy.count(), 0);
        QCOMPARE(field(dlg)->text(), QString::fromLatin1(UnlockPassword));

        dlg.show();
        QTest::mouseClick(button(dlg, "pushButton_ok"), Qt::LeftButton);
        QCOMPARE(okSpy.count(), 1);
        QVERIFY(dlg.isHidden());
    }

    void clearPwd()
    {
        PasswordDlg dlg;
        field(dlg)->setText("secret");
        dlg.clearPwd();
        QCOMPARE(field(dlg)->text(), QString());
    }
};

QTEST_MAIN(TestPasswordDlg)
#include "test_passworddlg.moc"
