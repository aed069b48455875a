#ifndef PTERMVIEW_H
#define PTERMVIEW_H

#include <QColor>
#include <QFont>
#include <QTextEdit>

// Terminal-like text view of the log window: appends bytes, ignores typing and drops.
class PTermView : public QTextEdit
{
    Q_OBJECT
public:
    explicit PTermView(QWidget* parent = nullptr);

    void setFont(const QFont& font);
    QFont getFont() const { return m_font; }
    void setColor(const QColor& color);
    QColor getColor() const { return m_color; }
    void setBackColor(const QColor& color);
    QColor getBackColor() const { return m_backColor; }
    // Appends received bytes: NUL and CR skipped, backspace removes the previous character.
    void insertView(const QByteArray& data);

signals:
    void keyInput(int key, QString text);

private slots:
    void changeFont();
    void changeFontColor();
    void changeBackColor();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void moveToEnd();
    void applyStyle();

    QFont m_font;
    QColor m_color;
    QColor m_backColor;
};

#endif
