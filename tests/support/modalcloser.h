#ifndef MODALCLOSER_H
#define MODALCLOSER_H

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;

// Closes modal boxes as they appear (polling QApplication::activeModalWidget()),
// remembering the title and text of each one it closed.
class ModalCloser : public QObject
{
    Q_OBJECT
public:
    explicit ModalCloser(int delayMs = 0, QObject* parent = nullptr);
    ~ModalCloser() override;

    // How many boxes were closed so far, and what they said.
    int count() const { return m_titles.size(); }
    QStringList titles() const { return m_titles; }
    QStringList texts() const { return m_texts; }
    // Stops closing boxes (to look at one while it is open).
    void setEnabled(bool on) { m_enabled = on; }
    // Called with each box just before it is closed, to look at the state it was shown in.
    void setInspector(std::function<void(QWidget* box)> inspector) { m_inspector = std::move(inspector); }
    // The button pressed on message boxes that have it (otherwise their escape button).
    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    // Leaves other modal windows (a calibration wizard) alone.
    void setMessageBoxesOnly(bool on) { m_boxesOnly = on; }

private slots:
    void poll();

private:
    QTimer* m_timer;
    int m_delayMs;
    qint64 m_seenAt = -1;
    bool m_enabled = true;
    bool m_boxesOnly = false;
    std::function<void(QWidget*)> m_inspector;
    QMessageBox::StandardButton m_answer = QMessageBox::NoButton;
    QStringList m_titles;
    QStringList m_texts;
};

#endif
