#include "passworddlg.h"
#include "ui_passworddlg.h"

#include "globals.h"

PasswordDlg::PasswordDlg(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::PasswordDlg)
{
    ui->setupUi(this);
    connect(ui->lineEdit_password, SIGNAL(returnPressed()), this, SLOT(slotReturnPressed()));
    connect(ui->pushButton_ok, SIGNAL(clicked()), this, SLOT(slotOkClicked()));
    connect(ui->pushButton_cancel, SIGNAL(clicked()), this, SLOT(slotCancelClicked()));
}

PasswordDlg::~PasswordDlg()
{
    delete ui;
}

void PasswordDlg::clearPwd()
{
    ui->lineEdit_password->setText("");
}

void PasswordDlg::slotReturnPressed()
{
    checkPassword();
}

void PasswordDlg::slotOkClicked()
{
    checkPassword();
}

void PasswordDlg::slotCancelClicked()
{
    clearPwd();
    close();
}

void PasswordDlg::checkPassword()
{
    // Whole text, case-sensitive: a prefix or a differently cased entry fails.
    if (ui->lineEdit_password->text() == QLatin1String(UnlockPassword))
        emit pwdOk();
    else
        emit pwdFail();
    clearPwd();
    close();
}
