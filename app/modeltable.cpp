#include "modeltable.h"

#include <QMap>

#include "panelfactory.h"

namespace {

const ModelInfo kModels[] = {
    {62, "ZQ62", 2, 4, true},
    {63, "ZQ63", 2, 30, true},
    {65, "ZQ65", 1, -1, true},
    {67, "ZQ67", 1, -1, true},
    {71, "ZQ70A", 2, -1, true},
    {72, "ZQ70B", 1, -1, true},
    {73, "ZQ70C", 2, -1, true},
    {74, "ZQ74", 2, -1, true},
    {80, "ZQ80", 2, 38, true},
    {81, "ZQ81", 2, 22, true},
    {82, "ZQ82", 2, 14, true},
    {83, "ZQ83", 2, 2, true},
    {84, "ZQ84", 2, 14, true},
    {89, "ZQ89", 2, 2, true},
    {701, "HV700K3-KW", 4, 37, true},
    {702, "HV700K3-LX", 4, 42, true},
    {703, "HV700_VD", 6, 24, true},
    {704, "HV700K3-NB", 2, 40, true},
    {705, "HV700K3-NB(P)", 0, -1, false},
};

QMap<int, CalibratorFactory>& overrides()
{
    static QMap<int, CalibratorFactory> map;
    return map;
}

// Decimal digits 0-9 only (QChar::isDigit would also take other scripts' digits,
// which toInt cannot read); an empty text counts as digits.
bool allDigits(QString const& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

const ModelInfo* findModel(int modelCode)
{
    for (ModelInfo const& m : kModels)
        if (m.code == modelCode)
            return &m;
    return nullptr;
}

QList<QByteArray> pollCommands(int modelCode)
{
    switch (modelCode) {
    case 701:
    case 702:
        return {"ATCQ\r\n"};
    case 703:
    case 83:
    case 84:
        return {"ATCH\r\n"};
    case 704:
    case 705:
        return {"ATCH1\r\n", "ATCH2\r\n"};
    default:
        return {"ATCD\r\n"};
    }
}

Identification parseIdentification(QString const& reply)
{
    Identification id;
    if (!reply.contains("ZQ") && !reply.contains("HV700") && !reply.contains("v"))
        return id;

    QString t = reply;
    t.remove("ZQ").remove("HV700").remove("K3").remove("-");

    int code = 0;
    if (reply.contains("ZQ")) {
        const QString two = t.left(2);
        if (!allDigits(two))
            return id;
        code = two.isEmpty() ? 0 : two.toInt();
        if (code == 70) {
            const QChar third = t.size() > 2 ? t.at(2) : QChar();
            if (third == 'A' || t.endsWith("A"))
                code = 71;
            else if (third == 'B' || t.endsWith("B"))
                code = 72;
            else if (third == 'C' || t.endsWith("C"))
                code = 73;
        }
    } else if (reply.contains("HV700")) {
        const QString two = t.left(2);
        if (two == "KW")
            code = 701;
        else if (two == "LX")
            code = 702;
        else if (two == "VD" || t.startsWith("_VD"))
            code = 703; // "HV700-VD" and "HV700_VD" (the underscore is kept in t)
        else if (two == "NB")
            code = t.endsWith("(P)") ? 705 : 704;
        else
            return id;
    } else {
        return id;
    }

    // One digit on each side of the first "v": "3v7" gives 37.
    const int v = t.indexOf('v');
    QString digits;
    if (v < 0)
        digits = t.left(1);
    else if (v == 0)
        digits = t.left(2);
    else
        digits = t.mid(v - 1, 3);
    digits.remove('v');
    if (!allDigits(digits))
        return id;

    id.ok = true;
    id.modelCode = code;
    id.version = digits.isEmpty() ? 0u : digits.toUInt();
    return id;
}

AbstractCalibrator* createCalibrator(int modelCode, QString const& model, unsigned version,
                                     QString const& serial, QWidget* parent)
{
    auto it = overrides().constFind(modelCode);
    if (it != overrides().constEnd())
        return (*it)(modelCode, model, version, serial, parent);
    return createPanel(modelCode, model, version, serial, parent);
}

void setCalibratorFactory(int modelCode, CalibratorFactory factory)
{
    if (factory)
        overrides().insert(modelCode, std::move(factory));
    else
        overrides().remove(modelCode);
}
