#include "ptermview.h"

#include <QColorDialog>
#include <QDebug>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>

PTermView::PTermView(QWidget* parent)
    : QTextEdit(parent)
    , m_font("Courier New", 10, 50, false)
    , m_color(230, 230, 230)
    , m_backColor(95, 95, 95)
{
    setFocusPolicy(Qt::StrongFocus);
    setReadOnly(true);
    setAcceptRichText(true);
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setUndoRedoEnabled(false);
    ensureCursorVisible();
}

void PTermView::setFont(const QFont& font)
{
    m_font = font;
    applyStyle();
}

void PTermView::setColor(const QColor& color)
{
    m_color = color;
    applyStyle();
}

void PTermView::setBackColor(const QColor& color)
{
    m_backColor = color;
    applyStyle();
}

void PTermView::applyStyle()
{
    QString style = "QTextEdit { font:";
    if (m_font.style() == QFont::StyleItalic)
        style += "italic ";
    style += QString::number(m_font.weight()) + " " + QString::number(m_font.pointSize()) + "pt \""
           + m_font.family() + "\";";
    style += QString("color:rgb(%1,%2,%3);").arg(m_color.red()).arg(m_color.green()).arg(m_color.blue());
    style += QString("background-color:rgb(%1,%2,%3); }")
                 .arg(m_backColor.red()).arg(m_backColor.green()).arg(m_backColor.blue());
    setStyleSheet(style);
}

void PTermView::moveToEnd()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    moveCursor(QTextCursor::End);
}

void PTermView::insertView(const QByteArray& data)
{
    moveToEnd();
    QTextCursor cursor = textCursor();
    QByteArray pending;
    for (char c : data) {
        if (c == 0 || c == '\r')
            continue;
        if (c == '\b') {
            if (!pending.isEmpty()) {
                pending.chop(1);
            } else if (!cursor.atStart()) {
                cursor.deletePreviousChar();
                setTextCursor(cursor);
                ensureCursorVisible();
            }
            continue;
        }
        pending.append(c);
    }
    cursor.insertText(QString::fromUtf8(pending));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void PTermView::keyPressEvent(QKeyEvent* event)
{
    moveToEnd();
    ensureCursorVisible();
    emit keyInput(event->key(), event->text());
}

void PTermView::dragEnterEvent(QDragEnterEvent*) {}
void PTermView::dragMoveEvent(QDragMoveEvent*) {}
void PTermView::dragLeaveEvent(QDragLeaveEvent*) {}
void PTermView::dropEvent(QDropEvent*) {}

void PTermView::insertFromMimeData(const QMimeData* source)
{
    moveToEnd();
    ensureCursorVisible();
    const QString text = source->text();
    qDebug() << text;
    emit keyInput(Qt::Key_F35, text);
}

void PTermView::changeFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_font, this, QString());
    if (ok)
        setFont(font);
}

void PTermView::changeFontColor()
{
    const QColor color = QColorDialog::getColor(m_color, this, "Font color");
    if (color.isValid())
        setColor(color);
}

void PTermView::changeBackColor()
{
    const QColor color = QColorDialog::getColor(m_backColor, this, "Background color");
    if (color.isValid())
        setBackColor(color);
}
