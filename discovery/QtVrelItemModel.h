// The device table's model: 22 fixed columns with translated headers.
#pragma once

#include <QStandardItemModel>

class QtVrelItemModel : public QStandardItemModel
{
    Q_OBJECT

public:
    enum Column {
        ColumnId = 0,
        ColumnDeviceType,
        ColumnIPv4Address,
        ColumnSafetyState,
        ColumnPort,
        ColumnSoftwareVersion,
        ColumnIPv4Gateway,
        ColumnHttpPort,
        ColumnSerialNumber,
        ColumnIPv4Mask,
        ColumnMac,
        ColumnChannelNumber,
        ColumnDspVersion,
        ColumnStartTime,
        ColumnIPv6Address,
        ColumnIPv6Gateway,
        ColumnIPv6PrefixLength,
        ColumnSupportIPv6,
        ColumnSupportModIPv6,
        ColumnSupportDhcp,
        ColumnIPv4Dhcp,
        ColumnNew,
        ColumnCount
    };

    explicit QtVrelItemModel(QObject *parent = nullptr);
    ~QtVrelItemModel() override;
};
