#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "globals.h"
#include "passworddlg.h"

class TestPasswordDlg : public QObject
{
    Q_OBJECT

private slots:
    // OK, Return and CANCEL on a shown dialog. A verdict is given while the dialog still
    // holds the entry; afterwards, and after CANCEL, the entry is cleared and the dialog hidden.
    void verdict_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("oks");
        QTest::addColumn<int>("fails");
        const QString right = QString::fromLatin1(UnlockPassword);
        const struct { const char* tag; QString entry; bool ok; } cases[] = {
            {"right", right, true},
            {"upper case", right.toUpper(), false},
            {"first letter upper", right.left(1).toUpper() + right.mid(1), false},
            {"empty", "", false},
            {"prefix", right.chopped(1), false},
            {"one more character", right + "7", false},
        };
        for (const auto& c : cases) {
            QTest::addRow("%s, OK", c.tag) << c.entry << "ok" << int(c.ok) << int(!c.ok);
            QTest::addRow("%s, Return", c.tag) << c.entry << "return" << int(c.ok) << int(!c.ok);
        }
        QTest::newRow("right, CANCEL") << right << "cancel" << 0 << 0;
    }

    void verdict()
    {
        QFETCH(QString, entry);
        QFETCH(QString, how);
        QFETCH(int, oks);
        QFETCH(int, fails);

        PasswordDlg dlg;
        auto* field = dlg.findChild<QLineEdit*>("lineEdit_password");
        QSignalSpy okSpy(&dlg, SIGNAL(pwdOk()));
        QSignalSpy failSpy(&dlg, SIGNAL(pwdFail()));
        QString seenInSlot = "unset";
        connect(&dlg, &PasswordDlg::pwdOk, [&] { seenInSlot = field->text(); });
        connect(&dlg, &PasswordDlg::pwdFail, [&] { seenInSlot = field->text(); });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        field->setFocus();
        QTest::keyClicks(field, entry);
        if (how == "return")
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::mouseClick(dlg.findChild<QPushButton*>(how == "ok" ? "pushButton_ok" : "pushButton_cancel"),
                              Qt::LeftButton);

        QCOMPARE(okSpy.count(), oks);
        QCOMPARE(failSpy.count(), fails);
        if (oks + fails)
            QCOMPARE(seenInSlot, entry);
        QCOMPARE(field->text(), QString());
        QVERIFY(dlg.isHidden());
    }
};

QTEST_MAIN(TestPasswordDlg)
#include "test_passworddlg.moc"