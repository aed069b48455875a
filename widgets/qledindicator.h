#ifndef QLEDINDICATOR_H
#define QLEDINDICATOR_H

#include <QAbstractButton>
#include <QColor>

class QPaintEvent;
class QResizeEvent;

// A round lamp: 0 dark (as built), 1 dark grey (idle), 2 green (command sent),
// 3 red (reply arrived). Any other state is drawn like 0.
class QLedIndicator : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor onColor1 MEMBER onColor1)
    Q_PROPERTY(QColor onColor2 MEMBER onColor2)
    Q_PROPERTY(QColor offColor1 MEMBER offColor1)
    Q_PROPERTY(QColor offColor2 MEMBER offColor2)
    Q_PROPERTY(QColor onColor3 MEMBER onColor3)
    Q_PROPERTY(QColor onColor4 MEMBER onColor4)
    Q_PROPERTY(QColor offColor3 MEMBER offColor3)
    Q_PROPERTY(QColor offColor4 MEMBER offColor4)
    Q_PROPERTY(status m_state MEMBER m_state)

public:
    // Fixed underlying type: any int is a valid value, drawn like 0 when unknown.
    enum status : int { StateOff = 0, StateIdle = 1, StateGreen = 2, StateRed = 3 };
    Q_ENUM(status)

    static constexpr double scaledSize = 1000.0;

    explicit QLedIndicator(QWidget* parent = nullptr);

    // Stores the state and repaints.
    void setState(int s) { m_state = static_cast<status>(s); update(); }
    status state() const { return m_state; }

    // Written through the property system, a state or colour is stored without a repaint.
    status m_state;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor onColor1, onColor2;
    QColor offColor1, offColor2;
    QColor onColor3, onColor4;
    QColor offColor3, offColor4;
};

#endif
