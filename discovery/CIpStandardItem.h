// A table cell holding an IPv4 address that sorts in address order.
#pragma once

#include <QByteArray>
#include <QStandardItem>

class CIpStandardItem : public QStandardItem
{
public:
    explicit CIpStandardItem(const QString &text);
    ~CIpStandardItem() override;

    bool operator<(const QStandardItem &other) const override;
};

// "%03d%03d%03d%03d" of the first four dot-separated numbers (atoi of each
// piece; a missing piece counts as 0).
QByteArray AddressSortKey(const QByteArray &address);
