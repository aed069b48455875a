#ifndef MODALCLOSER_H
#define MODALCLOSER_H

#include <QObject>
#include <QString>
#include <QStringList>

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

private slots:
    void poll();

private:
    QTimer* m_timer;
    int m_delayMs;
    qint64 m_seenAt = -1;
    bool m_enabled = true;
    QStringList m_titles;
    QStringList m_texts;
};

#endif
