#ifndef PASSWORDDLG_H
#define PASSWORDDLG_H

#include <QWidget>

namespace Ui { class PasswordDlg; }

// Asks for the unlock password and reports only the verdict: pwdOk() when the
// entered text is the unlock password, pwdFail() otherwise. The field is cleared
// and the window hidden after every verdict; CANCEL clears and hides it silently.
class PasswordDlg : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordDlg(QWidget* parent = nullptr);
    ~PasswordDlg() override;

    void clearPwd();

signals:
    void pwdOk();
    void pwdFail();

private slots:
    void slotReturnPressed();
    void slotOkClicked();
    void slotCancelClicked();

private:
    void checkPassword();

    Ui::PasswordDlg* ui;
};

#endif
