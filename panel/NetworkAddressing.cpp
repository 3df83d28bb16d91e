#include "NetworkAddressing.h"

#include <QStringList>

QString NextIpAddress(const QString &base, int n)
{
    QStringList parts = base.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() < 4)
        return QString();
    const qint64 fourth = parts.at(3).toLongLong();
    if (n >= 0 && fourth + n <= 255) {
        parts[3] = QString::number(fourth + n);
        return parts.join(QLatin1Char('.'));
    }
    if (parts.size() != 4 || n < 0)
        return QString();

    // Count hosts 1..255 within each run of the first three parts.
    qint64 block = 0;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint value = parts.at(i).toUInt(&ok);
        if (!ok || value > 255)
            return QString();
        block = block * 256 + value;
    }
    if (fourth < 1 || fourth > 255)
        return QString();
    const qint64 position = block * 255 + (fourth - 1) + n;
    const qint64 newBlock = position / 255;
    if (newBlock > 0xFFFFFF)
        return QString();
    return QStringLiteral("%1.%2.%3.%4")
        .arg((newBlock >> 16) & 0xff)
        .arg((newBlock >> 8) & 0xff)
        .arg(newBlock & 0xff)
        .arg(position % 255 + 1);
}
