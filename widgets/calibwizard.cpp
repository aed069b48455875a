#include "calibwizard.h"

#include <QCloseEvent>
#include <QDebug>

CalibWizard::CalibWizard(QWidget* parent)
    : QWizard(parent)
{
    setOption(QWizard::NoCancelButton);
}

void CalibWizard::closeEvent(QCloseEvent* event)
{
    // Accepted, the toolkit hides the window; the dialog's reject path is not taken,
    // so no writeDone follows. A close its owner does not act on leaves it shown.
    qDebug() << "CalibWizard::closeEvent";
    m_keepOpen = false;
    emit close();
    event->setAccepted(!m_keepOpen);
}

void CalibWizard::done(int result)
{
    // The base is not called: the page is not validated, the wizard is neither
    // reset nor hidden, and stays on screen until its owner deletes it.
    qDebug() << "CalibWizard::done : " << result;
    emit writeDone(result);
}
