#include "CIpStandardItem.h"

#include <cstdio>
#include <cstdlib>

CIpStandardItem::CIpStandardItem(const QString &text)
    : QStandardItem(text)
{
}

CIpStandardItem::~CIpStandardItem() = default;

QByteArray AddressSortKey(const QByteArray &address)
{
    const QList<QByteArray> pieces = address.split('.');
    int numbers[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < pieces.size(); ++i)
        numbers[i] = atoi(pieces.at(i).constData());
    char key[64];
    snprintf(key, sizeof key, "%03d%03d%03d%03d", numbers[0], numbers[1], numbers[2], numbers[3]);
    return QByteArray(key);
}

bool CIpStandardItem::operator<(const QStandardItem &other) const
{
    return AddressSortKey(text().toLocal8Bit()) < AddressSortKey(other.text().toLocal8Bit());
}
