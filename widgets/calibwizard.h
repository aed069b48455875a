#ifndef CALIBWIZARD_H
#define CALIBWIZARD_H

#include <QWizard>

class QCloseEvent;

// The window of one step-by-step calibration. It never takes itself down: Finish
// and Escape only raise writeDone(1) / writeDone(0), the title-bar close only
// raises close(), and the panel that opened it deletes it.
class CalibWizard : public QWizard
{
    Q_OBJECT
public:
    explicit CalibWizard(QWidget* parent = nullptr);

signals:
    // Hides QWidget::close() for callers holding a CalibWizard*; to close the
    // window from code, call it through a QWidget pointer.
    void close();
    void writeDone(int result);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Reached by Finish (accept, 1) and Escape (reject, 0).
    void done(int result) override;
};

#endif
