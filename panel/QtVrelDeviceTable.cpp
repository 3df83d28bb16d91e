// The device table: the bridge's three handlers, the row operations, sorting,
// the column-move guard and the double-click actions.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <QDebug>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QUrl>

#include "UrlOpener.h"
#include "discovery/CIpStandardItem.h"
#include "discovery/QtVrelItemModel.h"

namespace {

using Column = QtVrelItemModel::Column;

QString number(const char *format, int value)
{
    return QString::asprintf(format, value);
}

// "%03d" of a row's 1-based position.
QString idText(int position)
{
    return QString::number(position).rightJustified(3, QLatin1Char('0'));
}

DeviceListIndex::Key listKey(const VREL_DEVICE_INFO_MY &info)
{
    return {FieldBytes(info.szSerialNo), FieldBytes(info.szMac)};
}

} // namespace

void QtVrel::AppendFoundDevice(const VREL_DEVICE_INFO_MY &info)
{
    LockDeviceList();
    m_deviceList.append(info);
    m_listIndex.Append(listKey(info), int(m_deviceList.size() - 1));
    UnlockDeviceList();
}

QString QtVrel::CellText(int row, int column) const
{
    const QStandardItem *item = m_pModel ? m_pModel->item(row, column) : nullptr;
    return item ? item->text() : QString();
}

int QtVrel::FindDeviceRecord(const QString &serial, const QString &mac) const
{
    // The record texts are Latin-1, so equal texts mean equal bytes. The
    // check keeps a text that has no Latin-1 form ('?' in its place) from
    // matching a record.
    const int position = m_listIndex.First({serial.toLatin1(), mac.toLatin1()});
    if (position < 0)
        return -1;
    const VREL_DEVICE_INFO_MY &info = m_deviceList.at(position);
    return FieldText(info.szSerialNo) == serial && FieldText(info.szMac) == mac ? position : -1;
}

int QtVrel::FindDeviceRow(const QString &serial, const QString &mac) const
{
    int first = -1;
    const QList<QStandardItem *> cells = m_rowIndex.Cells({serial, mac});
    for (QStandardItem *cell : cells) {
        const int row = cell->row();
        if (row < 0 || (first >= 0 && row >= first))
            continue;
        if (CellText(row, Column::ColumnSerialNumber) == serial && CellText(row, Column::ColumnMac) == mac)
            first = row;
    }
    return first;
}

void QtVrel::RemoveDeviceAt(int position)
{
    const DeviceListIndex::Key key = listKey(m_deviceList.at(position));
    m_deviceList.removeAt(position);
    m_listIndex.RemoveAt(key, position);
}

void QtVrel::OnDeviceOnline(VREL_DEVICE_INFO_MY dev_info)
{
    LockDeviceList();
    if (m_pModel) {
        const int row = m_pModel->rowCount();
        QList<QStandardItem *> items;
        items.reserve(QtVrelItemModel::ColumnCount);
        for (int column = 0; column < QtVrelItemModel::ColumnCount; ++column)
            items.append(new QStandardItem);
        m_pModel->insertRow(row, items);
        {
            // One change report for the whole new row instead of one per cell.
            const QSignalBlocker quiet(m_pModel);
            FillDeviceRow(row, dev_info);
        }
        emit m_pModel->dataChanged(m_pModel->index(row, 0), m_pModel->index(row, QtVrelItemModel::ColumnCount - 1));
        m_rowIndex.Add({CellText(row, Column::ColumnSerialNumber), CellText(row, Column::ColumnMac)},
                       m_pModel->item(row, Column::ColumnSerialNumber));
        ++m_nDebugCount;
        qDebug() << "===ws===" << m_nDebugCount;
        ui->m_pLabelCount->setText(QString::number(m_pModel->rowCount()));
    }
    UnlockDeviceList();
}

void QtVrel::OnDeviceOffline(QString strDeviceSer, QString strDeviceMac)
{
    LockDeviceList();
    const int n = m_pModel ? m_pModel->rowCount() : 0;
    if (n == 0) {
        UnlockDeviceList();
        return;
    }

    const int position = m_listIndex.First({strDeviceSer.toLocal8Bit(), strDeviceMac.toLocal8Bit()});
    if (position >= 0 && position < n)
        RemoveDeviceAt(position);

    // Renumbered IDs are reported as one change of the ID column at the end:
    // one report per row makes a gone event cost seconds in a large table.
    int firstRenumbered = -1;
    int lastRenumbered = -1;
    int k = 0;
    for (int walked = 0; walked < n; ++walked) {
        if (CellText(k, Column::ColumnSerialNumber) == strDeviceSer
            && CellText(k, Column::ColumnMac) == strDeviceMac) {
            m_rowIndex.Remove(m_pModel->item(k, Column::ColumnSerialNumber));
            m_pModel->removeRow(k);
            continue;
        }
        const QString id = idText(k + 1);
        QStandardItem *idCell = m_pModel->item(k, Column::ColumnId);
        if (idCell && idCell->text() != id) {
            const QSignalBlocker quiet(m_pModel);
            idCell->setText(id);
            if (firstRenumbered < 0)
                firstRenumbered = k;
            lastRenumbered = k;
        }
        ++k;
    }
    if (firstRenumbered >= 0)
        emit m_pModel->dataChanged(m_pModel->index(firstRenumbered, Column::ColumnId),
                                   m_pModel->index(lastRenumbered, Column::ColumnId));

    --m_nDebugCount;
    qDebug() << "===ws===" << m_nDebugCount;
    ui->m_pLabelCount->setText(QString::number(m_pModel->rowCount()));
    UnlockDeviceList();
}

void QtVrel::OnDeviceUpdate(VREL_DEVICE_INFO_MY dev_info)
{
    LockDeviceList();
    const int n = m_pModel ? m_pModel->rowCount() : 0;

    const int position = m_listIndex.First(listKey(dev_info));
    if (position >= 0 && position < n)
        m_deviceList[position] = dev_info;

    const int row = FindDeviceRow(FieldText(dev_info.szSerialNo), FieldText(dev_info.szMac));
    if (row >= 0) {
        FillDeviceRow(row, dev_info);
        QItemSelectionModel *selection = ui->tableWidgetDevice->selectionModel();
        if (ui->tableWidgetDevice->currentIndex().row() == row && selection
            && selection->selectedRows(0).size() == 1)
            ShowDeviceInPanel(row, 0);
    }
    UnlockDeviceList();
}

void QtVrel::AddressCell(int row, int column, const QString &text)
{
    QStandardItem *item = m_pModel->item(row, column);
    if (!item || item->text().isEmpty())
        m_pModel->setItem(row, column, new CIpStandardItem(text));
    else
        item->setText(text);
}

void QtVrel::SetCellText(int row, int column, const QString &text)
{
    if (QStandardItem *item = m_pModel->item(row, column))
        item->setText(text);
    else
        m_pModel->setItem(row, column, new QStandardItem(text));
}

void QtVrel::GiveIdIfEmpty(int row)
{
    if (CellText(row, Column::ColumnId).isEmpty())
        SetCellText(row, Column::ColumnId, idText(row + 1));
}

void QtVrel::LockRowCells(int row)
{
    for (int column = 0; column < QtVrelItemModel::ColumnCount; ++column) {
        if (QStandardItem *item = m_pModel->item(row, column))
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    }
    // The serial number can be opened to read or copy it; changes are undone.
    if (QStandardItem *serial = m_pModel->item(row, Column::ColumnSerialNumber))
        serial->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
}

void QtVrel::FillDeviceRow(int row, const VREL_DEVICE_INFO_MY &info)
{
    if (!m_pModel)
        return;
    auto set = [&](int column, const QString &text) { SetCellText(row, column, text); };
    auto yesNo = [this](bool yes) { return yes ? tr("Yes") : tr("No"); };

    GiveIdIfEmpty(row);
    set(Column::ColumnDeviceType, FieldText(info.szDeviceDescription));
    set(Column::ColumnPort, number("%5d", info.nPort));
    set(Column::ColumnSerialNumber, FieldText(info.szSerialNo));
    set(Column::ColumnMac, FieldText(info.szMac));
    set(Column::ColumnChannelNumber, number("%2d", info.nChannelNumber));
    set(Column::ColumnSoftwareVersion, FieldText(info.szSoftwareVersion));
    set(Column::ColumnDspVersion, FieldText(info.szDspVersion));
    set(Column::ColumnStartTime, FieldText(info.szStartTime));
    SetSafetyState(row, info.byActivation == 0);
    set(Column::ColumnHttpPort, info.nHttpPort >= 1 && info.nHttpPort <= 65535
                                    ? QString::number(info.nHttpPort)
                                    : tr("N/A"));
    AddressCell(row, Column::ColumnIPv4Address, FieldText(info.szIPv4Address));
    AddressCell(row, Column::ColumnIPv4Mask, FieldText(info.szIPv4SubnetMask));

    static constexpr int kExtendedColumns[] = {
        Column::ColumnIPv4Gateway, Column::ColumnIPv6Address, Column::ColumnIPv6Gateway,
        Column::ColumnIPv6PrefixLength, Column::ColumnSupportIPv6, Column::ColumnSupportDhcp,
        Column::ColumnSupportModIPv6, Column::ColumnIPv4Dhcp, Column::ColumnNew};
    if (info.byExtended == 0) {
        for (int column : kExtendedColumns)
            set(column, QString());
    } else if (info.byExtended == 1) {
        AddressCell(row, Column::ColumnIPv4Gateway, FieldText(info.szIPv4Gateway));
        set(Column::ColumnIPv6Address, FieldText(info.szIPv6Address));
        set(Column::ColumnIPv6Gateway, FieldText(info.szIPv6Gateway));
        set(Column::ColumnIPv6PrefixLength, number("%2d", info.byIPv6PrefixLength));
        const bool ipv6 = info.byCapability & VREL_CAP_IPV6;
        set(Column::ColumnSupportIPv6, yesNo(ipv6));
        if (!ipv6) {
            set(Column::ColumnIPv6Address, QString());
            set(Column::ColumnIPv6Gateway, QString());
            set(Column::ColumnIPv6PrefixLength, QString());
        }
        set(Column::ColumnSupportDhcp, yesNo(info.byCapability & VREL_CAP_DHCP));
        set(Column::ColumnNew, yesNo(info.byCapability & VREL_CAP_KEYFILE_RESET));
        set(Column::ColumnSupportModIPv6, yesNo(info.byCapability & VREL_CAP_IPV6_CHANGEABLE));
        set(Column::ColumnIPv4Dhcp, info.byDhcpState == 1 ? tr("ON") : tr("OFF"));
    }

    LockRowCells(row);
}

void QtVrel::UpdateRowNetwork(int row, const QString &address, const QString &mask, int port,
                              const QString &gateway)
{
    if (!m_pModel || address.isNull())
        return;
    GiveIdIfEmpty(row);
    AddressCell(row, Column::ColumnIPv4Address, address);
    if (QStandardItem *item = m_pModel->item(row, Column::ColumnPort))
        item->setText(number("%5d", port));
    if (!mask.isNull()) {
        if (QStandardItem *item = m_pModel->item(row, Column::ColumnIPv4Mask))
            item->setText(mask);
    }
    if (!gateway.isNull()) {
        if (QStandardItem *item = m_pModel->item(row, Column::ColumnIPv4Gateway))
            item->setText(gateway);
    }
    LockRowCells(row);
}

void QtVrel::SetSafetyState(int row, bool activated)
{
    if (!m_pModel)
        return;
    SetCellText(row, Column::ColumnSafetyState, activated ? tr("Active") : tr("Inactive"));
}

void QtVrel::SortTable(int iIndex)
{
    QHeaderView *header = ui->tableWidgetDevice->header();
    header->setSortIndicatorShown(true);
    ui->tableWidgetDevice->sortByColumn(iIndex, header->sortIndicatorOrder());
}

void QtVrel::OnHeaderPress(int logicalIndex)
{
    QHeaderView *header = ui->tableWidgetDevice->header();
    if (logicalIndex == 0) {
        header->setSectionsMovable(false);
        return;
    }
    m_headerState = header->saveState();
    header->setSectionsMovable(true);
}

void QtVrel::OnHeaderCountChanged(int logicalIndex, int oldVisualIndex, int newVisualIndex)
{
    if (logicalIndex >= 0 && (oldVisualIndex == 0 || newVisualIndex == 0))
        ui->tableWidgetDevice->header()->restoreState(m_headerState);
}

void QtVrel::OnClickAction(const QModelIndex &index)
{
    if (!m_pModel || !index.isValid())
        return;
    if (index.column() == Column::ColumnIPv4Address) {
        const QString text = QStringLiteral("http://") + index.data().toString() + QLatin1Char(':')
                             + CellText(index.row(), Column::ColumnHttpPort);
        const QUrl url(text);
        qDebug() << url;
        UrlOpener::Open(url);
    } else if (index.column() == Column::ColumnSerialNumber) {
        m_strPendingSerial = index.data().toString();
    }
}

void QtVrel::ResetData(const QModelIndex &mindexPre, const QModelIndex &mindexNow)
{
    Q_UNUSED(mindexNow)
    if (!m_pModel)
        return;
    if (!m_strPendingSerial.isEmpty()) {
        // Cleared first: the writes below report changes of their own.
        const QString serial = m_strPendingSerial;
        m_strPendingSerial.clear();
        m_pModel->setData(mindexPre, serial, Qt::EditRole);
        m_pModel->setData(mindexPre, serial, Qt::ToolTipRole);
    }
    // Keep the row index in step when a row's identifying texts change.
    const int column = mindexPre.column();
    if (column == Column::ColumnSerialNumber || column == Column::ColumnMac) {
        QStandardItem *serialCell = m_pModel->item(mindexPre.row(), Column::ColumnSerialNumber);
        if (serialCell && m_rowIndex.Contains(serialCell))
            m_rowIndex.Rekey(serialCell, {CellText(mindexPre.row(), Column::ColumnSerialNumber),
                                          CellText(mindexPre.row(), Column::ColumnMac)});
    }
}
