#ifndef HEXSPINBOX_H
#define HEXSPINBOX_H

#include <QSpinBox>

// An integer spin box that shows its value in base base(), upper case, zero-padded
// to the digit count of maximum() in that base, and reads typed text in the same
// base, so a shown text always stands for the value it shows.
class HexSpinBox : public QSpinBox
{
    Q_OBJECT
    Q_PROPERTY(int base READ base WRITE setBase)
public:
    explicit HexSpinBox(QWidget* parent = nullptr);

    // The base is the spin box's display base, so a form may set either
    // "base" or "displayIntegerBase". Bases outside 2..36 are ignored.
    int base() const { return displayIntegerBase(); }
    void setBase(int newBase)
    {
        if (newBase >= 2 && newBase <= 36)
            setDisplayIntegerBase(newBase); // also redraws the text
    }

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    // The typed number without prefix, suffix and surrounding blanks.
    QString digitsOf(QString text) const;
    // Reads digits in base(); false when they are no number that fits an int.
    bool parse(const QString& digits, int* value) const;
};

#endif
