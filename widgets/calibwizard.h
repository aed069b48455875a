#ifndef CALIBWIZARD_H
#define CALIBWIZARD_H

#include <QWizard>

class QCloseEvent;

// The window of one step-by-step calibration. It never takes itself down: Finish
// and Escape only raise writeDone(1) / writeDone(0), the title-bar close only
// raises close() (and hides the window unless the owner keeps it open), and the
// panel that opened it deletes it.
class CalibWizard : public QWizard
{
    Q_OBJECT
public:
    explicit CalibWizard(QWidget* parent = nullptr);

    // Called by the owner from its close() handler: the title-bar close is not acted on
    // now, and the window stays on screen.
    void keepOpen() { m_keepOpen = true; }

signals:
    // Hides QWidget::close() for callers holding a CalibWizard*; to close the
    // window from code, call it through a QWidget pointer.
    void close();
    void writeDone(int result);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Reached by Finish (accept, 1) and Escape (reject, 0).
    void done(int result) override;

private:
    bool m_keepOpen = false;
};

#endif
