#ifndef RESIZELABEL_H
#define RESIZELABEL_H

#include <QLabel>

class QResizeEvent;

// A label whose font is scaled so that its text fills the label, less 10 pixels
// of width and 8 of height. The font is refitted on every resize, or on request
// after the text changed.
class ResizeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ResizeLabel(QWidget* parent = nullptr);

    // Empty text, or a fit that would give no usable point size (zero, negative,
    // infinite or NaN), leaves the last good font in place.
    void resizeFont();

protected:
    void resizeEvent(QResizeEvent* event) override;
};

#endif
