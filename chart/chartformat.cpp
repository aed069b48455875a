// Value and date formats, axis scales, chart time and font mapping of the charting layer.

#include "chartimpl.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace zqchart {

namespace {

// Steps of a date scale, seconds.
const double kDateSteps[] = {
    0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5,
    1, 2, 5, 10, 15, 20, 30,
    60, 2 * 60, 5 * 60, 10 * 60, 15 * 60, 20 * 60, 30 * 60,
    3600, 2 * 3600, 3 * 3600, 4 * 3600, 6 * 3600, 12 * 3600,
    86400, 2 * 86400, 7 * 86400, 14 * 86400, 30 * 86400, 91 * 86400, 182 * 86400, 365 * 86400};

// More ticks than this on one axis are never useful.
constexpr int kMaxTicks = 1000;

// Chart times beyond this (about 300,000 years) have no calendar date.
constexpr double kMaxDateValue = 1e13;

const char* const kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                               "August", "September", "October", "November", "December"};
const char* const kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

bool isDateFormat(QString const& format)
{
    for (QChar c : format) {
        switch (c.unicode()) {
        case 'y': case 'm': case 'd': case 'h': case 'n': case 's': case 'a': case 'f':
            return true;
        default:
            break;
        }
    }
    return false;
}

QString pad(int v, int width)
{
    return QString::number(v).rightJustified(width, QLatin1Char('0'));
}

QString formatDate(double value, QString const& format)
{
    if (std::fabs(value) > kMaxDateValue)
        return QString();
    const double secs = std::floor(value);
    const int msec = std::min(999, int((value - secs) * 1000));
    const QDateTime dt = QDateTime::fromMSecsSinceEpoch(qint64(secs) * 1000 + msec, Qt::UTC);
    const QDate date = dt.date();
    const QTime time = dt.time();
    const bool twelveHour = format.contains(QLatin1Char('a'));

    QString out;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        int n = 1;
        while (i + n < format.size() && format.at(i + n) == c)
            ++n;
        switch (c.unicode()) {
        case 'y':
            out += n <= 2 ? pad(date.year() % 100, 2) : QString::number(date.year());
            break;
        case 'm':
            if (n >= 4)
                out += QLatin1String(kMonths[date.month() - 1]);
            else if (n == 3)
                out += QLatin1String(kMonths[date.month() - 1]).left(3);
            else
                out += pad(date.month(), n);
            break;
        case 'd':
            if (n >= 4)
                out += QLatin1String(kDays[date.dayOfWeek() - 1]);
            else if (n == 3)
                out += QLatin1String(kDays[date.dayOfWeek() - 1]).left(3);
            else
                out += pad(date.day(), n);
            break;
        case 'h': {
            int h = time.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += pad(h, std::min(n, 2));
            break;
        }
        case 'n':
            out += pad(time.minute(), std::min(n, 2));
            break;
        case 's':
            out += pad(time.second(), std::min(n, 2));
            break;
        case 'f':
            out += pad(msec, 3).left(std::min(n, 3));
            break;
        case 'a':
            out += time.hour() < 12 ? QLatin1String("am") : QLatin1String("pm");
            break;
        default:
            out += QString(n, c);
            break;
        }
        i += n;
    }
    return out;
}

QString formatNumber(double value, QString const& format)
{
    int i = 0;
    while (i < format.size() && format.at(i).isDigit())
        ++i;
    if (i == 0 && format.isEmpty())
        return QString::number(value, 'g', 12);
    const int decimals = std::min(15, format.left(i).toInt());
    const QString rest = format.mid(i);
    QChar point = QLatin1Char('.');
    QChar thousands;
    if (rest.size() == 1) {
        point = rest.at(0);
    } else if (rest.size() >= 2) {
        thousands = rest.at(0);
        point = rest.at(1);
    }
    if (std::fabs(value) >= 1e15)
        return QString::number(value, 'g', 15);

    QString text = QString::number(value, 'f', decimals);
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    // No "-0.00" for a value that rounds to zero.
    if (negative && text.count(QLatin1Char('0')) + text.count(QLatin1Char('.')) == text.size())
        negative = false;
    int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = text.size();
    else
        text[dot] = point;
    if (!thousands.isNull()) {
        for (int pos = dot - 3; pos > 0; pos -= 3)
            text.insert(pos, thousands);
    }
    return negative ? QLatin1Char('-') + text : text;
}

double niceStep(double raw)
{
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / base;
    if (f <= 1.000001)
        return base;
    if (f <= 2.000001)
        return 2 * base;
    if (f <= 5.000001)
        return 5 * base;
    return 10 * base;
}

void fillTicks(std::vector<double>& ticks, double lower, double upper, double step)
{
    ticks.clear();
    if (!(step > 0))
        return;
    const double first = std::ceil(lower / step - 1e-9);
    const double last = std::floor(upper / step + 1e-9);
    if (!std::isfinite(first) || !std::isfinite(last))
        return;
    for (double k = first; k <= last && int(ticks.size()) < kMaxTicks; k += 1)
        ticks.push_back(k * step);
}

} // namespace

QColor toQColor(int color)
{
    const unsigned c = static_cast<unsigned>(color);
    return QColor(int((c >> 16) & 0xff), int((c >> 8) & 0xff), int(c & 0xff), int(255 - (c >> 24)));
}

QString formatOne(double value, QString const& format)
{
    if (!isPlottable(value))
        return QString();
    return isDateFormat(format) ? formatDate(value, format) : formatNumber(value, format);
}

QString formatTemplate(QString const& tmpl, double value)
{
    QString out;
    int i = 0;
    while (i < tmpl.size()) {
        const int open = tmpl.indexOf(QLatin1Char('{'), i);
        if (open < 0) {
            out += tmpl.mid(i);
            break;
        }
        const int close = tmpl.indexOf(QLatin1Char('}'), open);
        if (close < 0) {
            out += tmpl.mid(i);
            break;
        }
        out += tmpl.mid(i, open - i);
        const QString field = tmpl.mid(open + 1, close - open - 1);
        const int bar = field.indexOf(QLatin1Char('|'));
        const QString name = (bar < 0 ? field : field.left(bar)).trimmed();
        if (name == QLatin1String("value"))
            out += formatOne(value, bar < 0 ? QString() : field.mid(bar + 1));
        i = close + 1;
    }
    return out;
}

QString defaultNumberLabel(double v, double step)
{
    if (std::fabs(v) < step * 1e-6)
        v = 0;
    if (std::fabs(v) >= 1e15 || step < 1e-12)
        return QString::number(v, 'g', 6);
    const int decimals = step >= 1 ? 0 : std::min(12, int(std::ceil(-std::log10(step) - 1e-9)));
    return formatNumber(v, QString::number(decimals));
}

void dateTicks(Scale& s, double pixels, int majorDensity, int minorDensity,
               double majorStep, double minorStep, int minLabelSpacing)
{
    s.major.clear();
    s.minor.clear();
    const double range = s.upper - s.lower;
    if (!(range > 0) || !(pixels > 0))
        return;
    const double perUnit = pixels / range;
    double major = majorStep;
    if (!(major > 0)) {
        const double want = std::max(0.75 * (majorDensity > 0 ? majorDensity : 50), double(minLabelSpacing));
        major = 0;
        for (double step : kDateSteps) {
            if (step * perUnit >= want) {
                major = step;
                break;
            }
        }
        if (major == 0)   // more than a year per label: whole years
            major = 365 * 86400 * niceStep(want / perUnit / (365 * 86400));
    }
    fillTicks(s.major, s.lower, s.upper, major);

    double minor = minorStep;
    if (!(minor > 0) && minorDensity > 0) {
        for (double step : kDateSteps) {
            if (step >= major)
                break;
            const double ratio = major / step;
            if (std::fabs(ratio - std::round(ratio)) < 1e-6 && step * perUnit >= 0.75 * minorDensity) {
                minor = step;
                break;
            }
        }
    }
    if (minor > 0 && minor < major)
        fillTicks(s.minor, s.lower, s.upper, minor);
}

void numberScale(Scale& s, double lo, double hi, double pixels, int majorDensity)
{
    const double n = std::max(1.0, pixels / (majorDensity > 0 ? majorDensity : 30));
    const double step = niceStep((hi - lo) / n);
    s.lower = std::floor(lo / step) * step;
    s.upper = std::ceil(hi / step) * step;
    if (!(s.upper > s.lower))
        s.upper = s.lower + step;
    fillTicks(s.major, s.lower, s.upper, step);
    s.minor.clear();
    s.labels.clear();
    for (double t : s.major)
        s.labels.push_back(defaultNumberLabel(t, step));
}

QFont chartFont(QString const& fileName, double size)
{
    static QHash<QString, QFont> cache;
    auto it = cache.constFind(fileName);
    QFont font;
    if (it != cache.constEnd()) {
        font = it.value();
    } else {
        QString name = fileName.section(QLatin1Char('/'), -1);
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            name.truncate(dot);
        bool bold = false;
        bool italic = false;
        for (const char* suffix : {" Bold Italic", " Bold", " Italic", "bd", "bi", "i"}) {
            const QLatin1String s(suffix);
            if (name.endsWith(s, Qt::CaseInsensitive) && name.size() > s.size() + 2) {
                bold = s.contains(QLatin1String("Bold")) || s.contains(QLatin1Char('b'));
                italic = s.contains(QLatin1String("Italic")) || s.contains(QLatin1Char('i'));
                name.chop(s.size());
                break;
            }
        }
        const QFontDatabase db;
        if (name.isEmpty() || !db.hasFamily(name))
            name = QFontInfo(QGuiApplication::font()).family();   // the family the default font resolves to
        font = QFont(name);
        font.setBold(bold);
        font.setItalic(italic);
        cache.insert(fileName, font);
    }
    font.setPixelSize(std::max(1, int(std::lround(size * 96.0 / 72.0))));
    return font;
}

} // namespace zqchart

double CChart_chartTime2(long long secondsSince1970)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSince1970, Qt::LocalTime);
    return double(secondsSince1970 + local.offsetFromUtc());
}
