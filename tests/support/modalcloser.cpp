#include "modalcloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

ModalCloser::ModalCloser(int delayMs, QObject* parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_delayMs(delayMs)
{
    connect(m_timer, &QTimer::timeout, this, &ModalCloser::poll);
    m_timer->start(5);
}

ModalCloser::~ModalCloser() = default;

void ModalCloser::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!m_enabled || !modal || (m_boxesOnly && !qobject_cast<QMessageBox*>(modal))) {
        m_seenAt = -1;
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_seenAt < 0)
        m_seenAt = now;
    if (now - m_seenAt < m_delayMs)
        return;
    m_seenAt = -1;
    m_titles << modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        m_texts << box->text();
    else
        m_texts << QString();
    if (m_inspector)
        m_inspector(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QAbstractButton* button = m_answer != QMessageBox::NoButton ? box->button(m_answer) : nullptr;
        if (!button)
            button = box->escapeButton();
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        else
            box->reject();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    }
    else
        modal->close();
}
