#include "AddressValidation.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// Only digits of the base: no sign, prefix or white space, which the number
// conversion would otherwise let through into the text sent to a device.
bool onlyDigits(const QString &part, int base)
{
    if (part.isEmpty())
        return false;
    for (QChar c : part) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool hex = (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!digit && !(base == 16 && hex))
            return false;
    }
    return true;
}

bool partsAreOctets(const QStringList &parts)
{
    for (const QString &part : parts) {
        if (!onlyDigits(part, 10))
            return false;
        bool ok = false;
        const uint value = part.toUInt(&ok, 10);
        if (!ok || value > 255)
            return false;
    }
    return true;
}

} // namespace

bool IsValidIPv4Address(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 4 || !partsAreOctets(parts))
        return false;
    return parts.at(3).toUInt(nullptr, 10) != 0;
}

bool IsValidGateway(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 4)
        return false;
    if (text == QLatin1String("0.0.0.0"))
        return true;
    return IsValidIPv4Address(text);
}

bool IsValidSubnetMask(const QString &text)
{
    static const QRegularExpression mask(QRegularExpression::anchoredPattern(QStringLiteral(
        "(254|252|248|240|224|192|128|0)\\.0\\.0\\.0|"
        "255\\.(254|252|248|240|224|192|128|0)\\.0\\.0|"
        "255\\.255\\.(254|252|248|240|224|192|128|0)\\.0|"
        "255\\.255\\.255\\.(254|252|248|240|224|192|128|0)")));
    return mask.match(text).hasMatch();
}

bool IsValidIPv6Address(const QString &input)
{
    QString text = input;
    const qsizetype zone = text.lastIndexOf(QLatin1Char('%'));
    if (zone >= 0)
        text.truncate(zone);

    const QStringList parts = text.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    const qsizetype n = parts.size();
    if (n < 3 || n > 8)
        return false;

    // "::" occurrences, overlapping ones counted (":::" is two).
    int doubleColons = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(':') && text.at(i + 1) == QLatin1Char(':'))
            ++doubleColons;
    }
    if (n == 8 && doubleColons > 1)
        return false;
    if (doubleColons != 1) {
        const qsizetype needed = text.contains(QLatin1Char('.')) ? 7 : 8;
        if (n < needed)
            return false;
    }

    for (qsizetype i = n - 1; i >= 0; --i) {
        const QString &part = parts.at(i);
        if (part.isEmpty()) {
            if (i == n - 1) {
                if (!parts.at(i - 1).isEmpty())
                    return false;
            } else if (i == 0) {
                if (!parts.at(1).isEmpty())
                    return false;
            }
            continue;
        }
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        if (ok && value <= 0xFFFF && onlyDigits(part, 16))
            continue;
        if (i == n - 1 && IsValidIPv4Address(part))
            continue;
        return false;
    }
    return true;
}
