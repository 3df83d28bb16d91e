// Network parameter changes: one device, consecutive addresses for several,
// and DHCP switched for several at once.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <QItemSelectionModel>

#include "AddressValidation.h"
#include "NetworkAddressing.h"
#include "CommandSummary.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CToolTip.h"
#include "widgets/CWarnDlg.h"

void QtVrel::ShowFieldError(QWidget *field, const QString &text, bool focus)
{
    if (focus)
        field->setFocus();
    CToolTip::ShowText(field->mapToGlobal(QPoint(0, 0)), text, nullptr);
}

bool QtVrel::LockForSelectedRows(QModelIndexList &rows)
{
    LockDeviceList();
    rows = ui->tableWidgetDevice->selectionModel()->selectedRows(0);
    if (ui->tableWidgetDevice->currentIndex().isValid())
        return true;
    ShowInfoMsgBox(tr("Information"), tr("Please select a device."), this);
    UnlockDeviceList();
    return false;
}

int QtVrel::RecordOfRow(int row) const
{
    return FindDeviceRecord(CellText(row, QtVrelItemModel::ColumnSerialNumber),
                            CellText(row, QtVrelItemModel::ColumnMac));
}

QString QtVrel::IdTextOfRow(int row) const
{
    return CellText(row, QtVrelItemModel::ColumnId) + QLatin1Char(' ');
}

void QtVrel::OnModifyNetPara()
{
    QModelIndexList rows;
    if (!LockForSelectedRows(rows))
        return;

    // Stops at the first field error; nothing has been sent by then.
    auto fail = [this](QWidget *field, const QString &text) {
        ShowFieldError(field, text, false);
        UnlockDeviceList();
    };

    const QString address = ui->lineEditIPAddr->text().trimmed();
    if (address.isEmpty())
        return fail(ui->lineEditIPAddr, tr("IP address cannot be empty."));
    if (!IsValidIPv4Address(address))
        return fail(ui->lineEditIPAddr, tr("IP Address not correct."));
    const QString mask = ui->lineEditIPMask->text().trimmed();
    if (mask.isEmpty())
        return fail(ui->lineEditIPMask, tr("Subnet mask cannot be empty."));
    if (!IsValidSubnetMask(mask))
        return fail(ui->lineEditIPMask, tr("Subnet Mask not correct."));
    const QString portText = ui->lineEditPort->text().trimmed();
    const int port = portText.toInt();
    if (port < 2000 || port > 65535)
        return fail(ui->lineEditPort, tr("Device port ranges from 2000 to 65535."));
    const QString httpPortText = ui->lineEditHttpPort->text().trimmed();
    const int httpPort = httpPortText.toInt();
    if ((httpPort < 1 || httpPort > 65535) && ui->lineEditHttpPort->isEnabled())
        return fail(ui->lineEditHttpPort, tr("Http port ranges from 1 to 65535."));
    const QString gateway = ui->lineEditIPGateway->text().trimmed();
    if (!gateway.isEmpty() && !IsValidGateway(gateway))
        return fail(ui->lineEditIPGateway, tr("Gateway not correct."));

    const QString ipv6 = ui->lineEditIPv6Addr->text().trimmed();
    const QString ipv6Gateway = ui->lineEditIPv6Gateway->text().trimmed();
    const int prefix = ui->lineEditIPv6Mask->text().toInt();
    const bool dhcp = ui->checkBoxDhcp->isHidden() ? false : ui->checkBoxDhcp->isChecked();
    if (ui->lineEditIPv6Addr->isEnabled()) {
        if (!ipv6.isEmpty() && !IsValidIPv6Address(ipv6))
            return fail(ui->lineEditIPv6Addr, tr("IPv6 Address not correct."));
        if (!ipv6Gateway.isEmpty() && !IsValidIPv6Address(ipv6Gateway))
            return fail(ui->lineEditIPv6Gateway, tr("IPv6 gateway not correct."));
        if (prefix < 0 || prefix > 64)
            return fail(ui->lineEditIPv6Mask, tr("IPv6 prefix length ranges from 0 to 64."));
    }

    // Every selected device needs an address of its own before any is sent.
    const QString baseText = ui->lineEditIPAddr->text();
    if (rows.size() > 1 && NextIpAddress(baseText, int(rows.size() - 1)).isNull())
        return fail(ui->lineEditIPAddr,
                    tr("Not enough addresses after the start address for %n devices.", nullptr,
                       int(rows.size())));

    const bool sendIPv6 = rows.size() == 1 && ui->lineEditIPv6Addr->isEnabled();
    const uint prefixToSend = ui->lineEditIPv6Mask->text().toUInt();
    CommandSummary summary(tr("Modify network parameter succeed."), tr("Modify network parameter failed!"));
    for (int n = 0; n < rows.size(); ++n) {
        const int row = rows.at(n).row();
        const int position = RecordOfRow(row);
        if (position < 0) {
            summary.Add(false, IdTextOfRow(row));
            continue;
        }
        VREL_DEVICE_INFO_MY &info = m_deviceList[position];
        const QString newAddress = NextIpAddress(baseText, n);
        const bool ok = m_discoveryClient.ModifyNetParam(
            FieldText(info.szMac), newAddress, mask, ui->lineEditPort_Password->text(), portText,
            httpPortText, gateway, sendIPv6 ? ipv6 : QString(), sendIPv6 ? ipv6Gateway : QString(),
            sendIPv6 ? int(prefixToSend) : 0, dhcp);
        if (ok) {
            UpdateRowNetwork(row, newAddress, mask, port, gateway);
            SetField(info.szIPv4Address, newAddress.toLatin1());
            SetField(info.szIPv4SubnetMask, mask.toLatin1());
            SetField(info.szIPv4Gateway, gateway.toLatin1());
            info.nPort = int32_t(portText.toUInt());
        }
        summary.Add(ok, IdTextOfRow(row));
    }

    ShowInfoMsgBox(tr("Information"), summary.Text(), this);
    UnlockDeviceList();
}

void QtVrel::batchEnableDHCP()
{
    QModelIndexList rows;
    if (!LockForSelectedRows(rows))
        return;

    const bool dhcp = ui->checkBoxBatchDhcp->isChecked();
    CommandSummary summary(tr("Modify network parameter succeed."), tr("Modify network parameter failed!"));
    for (const QModelIndex &index : rows) {
        const int row = index.row();
        const int position = RecordOfRow(row);
        if (position < 0) {
            summary.Add(false, IdTextOfRow(row));
            continue;
        }
        VREL_DEVICE_INFO_MY &info = m_deviceList[position];
        const bool ok = m_discoveryClient.ModifyNetParam(
            FieldText(info.szMac), FieldText(info.szIPv4Address), FieldText(info.szIPv4SubnetMask),
            ui->lineEditPort_BatchPassword->text(), QString::number(info.nPort), ui->lineEditHttpPort->text(),
            FieldText(info.szIPv4Gateway), FieldText(info.szIPv6Address), FieldText(info.szIPv6Gateway),
            info.byIPv6PrefixLength, dhcp);
        if (ok) {
            UpdateRowNetwork(row, FieldText(info.szIPv4Address), FieldText(info.szIPv4SubnetMask), info.nPort,
                             FieldText(info.szIPv4Gateway));
            info.byDhcpState = dhcp ? 1 : 0;
        }
        summary.Add(ok, IdTextOfRow(row));
    }

    ShowInfoMsgBox(tr("Information"), summary.Text(), this);
    UnlockDeviceList();
}
