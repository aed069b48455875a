#include "hexspinbox.h"

#include <limits>

HexSpinBox::HexSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
}

QString HexSpinBox::textFromValue(int value) const
{
    const int digits = QString::number(maximum(), base()).size();
    // The sign goes in front of the padding, never between zeros and digits.
    const qlonglong magnitude = qAbs(qlonglong(value));
    QString text = QString::number(magnitude, base()).rightJustified(digits, QLatin1Char('0')).toUpper();
    if (value < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString HexSpinBox::digitsOf(QString text) const
{
    if (!prefix().isEmpty() && text.startsWith(prefix()))
        text.remove(0, prefix().size());
    if (!suffix().isEmpty() && text.endsWith(suffix()))
        text.chop(suffix().size());
    return text.trimmed();
}

bool HexSpinBox::parse(const QString& digits, int* value) const
{
    if (digits.isEmpty())
        return false;
    bool ok = false;
    const qlonglong v = digits.toLongLong(&ok, base());
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *value = int(v);
    return true;
}

int HexSpinBox::valueFromText(const QString& text) const
{
    int v = 0;
    if (!parse(digitsOf(text), &v))
        return value();
    return qBound(minimum(), v, maximum());
}

QValidator::State HexSpinBox::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos)
    const QString body = digitsOf(input);
    // Room to type: nothing yet, or only a sign the range allows.
    if (body.isEmpty() || (body == QLatin1String("-") && minimum() < 0)
        || (body == QLatin1String("+") && maximum() > 0))
        return QValidator::Intermediate;

    int v = 0;
    if (!parse(body, &v))
        return QValidator::Invalid;
    if (v >= minimum() && v <= maximum())
        return QValidator::Acceptable;
    // Further digits can bring a too small number of the right sign into range.
    if ((v >= 0 && v > maximum()) || (v < 0 && v < minimum()))
        return QValidator::Invalid;
    return QValidator::Intermediate;
}
