// What the settings frame shows for the selected device or devices.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <QItemSelectionModel>

#include "FixedDeviceType.h"
#include "discovery/QtVrelItemModel.h"

void QtVrel::OnDeviceTableClicked(const QModelIndex &index)
{
    Q_UNUSED(index)
    LockDeviceList();
    const QModelIndexList rows = ui->tableWidgetDevice->selectionModel()->selectedRows(0);
    if (rows.isEmpty()) {
        EnablePanel(false);
    } else if (rows.size() > 1) {
        ui->label_7->setText(tr("Start IP Address:"));
        ui->label_162->setText(tr("Batch Modify Network parameters"));
        ShowBatchSelection(rows);
    } else {
        ui->label_7->setText(tr("IP Address:"));
        ui->label_162->setText(tr("Modify Network parameters"));
        EnablePanel(true);
        ShowDeviceInPanel(rows.first().row(), 0);
    }
    UnlockDeviceList();
}

void QtVrel::OnItemChanged(const QModelIndex &current, const QModelIndex &previous)
{
    Q_UNUSED(previous)
    if (!current.isValid())
        return;
    LockDeviceList();
    EnablePanel(true);
    ShowDeviceInPanel(current.row(), 0);
    UnlockDeviceList();
}

void QtVrel::EnableEditFields()
{
    for (QWidget *w : QList<QWidget *>{ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditPort,
                                       ui->m_pDefaultPwdLEdit, ui->edtNewPassword, ui->edtConfirmPassword,
                                       ui->lineEditPort_Password, ui->pushButtonModifyNetwork,
                                       ui->pushButtonModifyPassword, ui->combExportFile, ui->btnExport,
                                       ui->combImportFile, ui->btnImport})
        w->setEnabled(true);
}

void QtVrel::DisableForFixedDevice()
{
    for (QWidget *w : QList<QWidget *>{ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditPort,
                                       ui->m_pDefaultPwdLEdit, ui->edtNewPassword, ui->edtConfirmPassword,
                                       ui->lineEditPort_Password, ui->pushButtonModifyNetwork,
                                       ui->pushButtonModifyPassword, ui->lineEditIPGateway,
                                       ui->lineEditIPv6Addr, ui->lineEditIPv6Gateway, ui->lineEditIPv6Mask,
                                       ui->combExportFile, ui->btnExport, ui->combImportFile, ui->btnImport})
        w->setEnabled(false);
}

void QtVrel::ShowDeviceInPanel(int row, int column)
{
    SetBatchMode(false);
    if (row < 0 || column < 0 || row >= m_deviceList.size())
        return;

    const QString serial = CellText(row, QtVrelItemModel::ColumnSerialNumber);
    const QString mac = CellText(row, QtVrelItemModel::ColumnMac);
    int position = FindDeviceRecord(serial, mac);
    if (position < 0)
        position = row;
    const VREL_DEVICE_INFO_MY &info = m_deviceList.at(position);
    const bool fixed = IsFixedDeviceType(info.nDeviceType);

    EnableEditFields();
    if (fixed)
        DisableForFixedDevice();

    ui->lineEditSerial->setText(FieldText(info.szSerialNo));
    ui->lineEditSerial->setCursorPosition(0);
    ui->lineEditIPAddr->setText(FieldText(info.szIPv4Address));
    ui->lineEditIPMask->setText(FieldText(info.szIPv4SubnetMask));
    ui->lineEditPort->setText(QString::number(info.nPort));
    ui->lineEditHttpPort->setEnabled(info.nHttpPort >= 1 && info.nHttpPort <= 65535);
    ui->lineEditHttpPort->setText(QString::number(info.nHttpPort));
    ui->lineEditIPGateway->setText(FieldText(info.szIPv4Gateway));
    ui->lineEditIPv6Addr->setText(FieldText(info.szIPv6Address));
    ui->lineEditIPv6Gateway->setText(FieldText(info.szIPv6Gateway));
    ui->lineEditIPv6Mask->setText(QString::number(info.byIPv6PrefixLength));
    ui->checkBoxDhcp->setChecked(info.byDhcpState != 0);

    const QList<QLineEdit *> ipv6 = {ui->lineEditIPv6Addr, ui->lineEditIPv6Gateway, ui->lineEditIPv6Mask};
    if (info.byExtended == 0) {
        for (QLineEdit *e : {ui->lineEditIPGateway, ui->lineEditIPv6Addr, ui->lineEditIPv6Gateway,
                             ui->lineEditIPv6Mask}) {
            e->clear();
            e->setEnabled(false);
        }
    } else if (info.byExtended == 1) {
        if (!(info.byCapability & VREL_CAP_IPV6)) {
            for (QLineEdit *e : ipv6) {
                e->clear();
                e->setEnabled(false);
            }
        }
        const bool changeable = (info.byCapability & VREL_CAP_IPV6_CHANGEABLE) && !fixed;
        for (QLineEdit *e : ipv6)
            e->setEnabled(changeable);
    }

    const bool dhcpOn = ui->checkBoxDhcp->isChecked();
    for (QWidget *w : QList<QWidget *>{ui->frame, ui->lineEditIPAddr, ui->lineEditIPMask, ui->lineEditIPGateway})
        w->setEnabled(!dhcpOn);

    if (info.byActivation != 0) {
        ui->label_17->hide();
        ui->m_pDefaultPwdLEdit->hide();
        ui->label_163->setText(tr("Activate device"));
        m_bActivateMode = true;
    } else {
        ui->label_17->show();
        ui->m_pDefaultPwdLEdit->show();
        ui->label_163->setText(tr("Reset Default Password"));
        m_bActivateMode = false;
    }

    const QList<QWidget *> meter = {ui->m_pLabelLevel, ui->m_pLabelLevel1, ui->m_pLabelLevel2, ui->m_pLabelLevel3};
    const QList<QWidget *> keyRows = {ui->combExportFile, ui->btnExport, ui->combImportFile, ui->btnImport};
    auto setVisible = [](const QList<QWidget *> &widgets, bool visible) {
        for (QWidget *w : widgets)
            w->setVisible(visible);
    };
    if (info.byActivation == 1) {
        ShowPasswordGroup(false);
        ShowKeyFileGroup(true);
        setVisible(keyRows, false);
        setVisible({ui->label_17, ui->m_pDefaultPwdLEdit}, false);
        ui->pushButtonModifyPassword->show();
    } else if (info.byCapability & VREL_CAP_KEYFILE_NEW_PASSWORD) {
        setVisible({ui->label_2, ui->edtNewPassword, ui->label_3, ui->edtConfirmPassword}, true);
        setVisible(meter, true);
        setVisible(keyRows, true);
        setVisible({ui->label_17, ui->m_pDefaultPwdLEdit}, false);
        ui->label_163->setText(tr("Reset Password"));
    } else if (info.byCapability & VREL_CAP_KEYFILE_RESET) {
        ShowPasswordGroup(false);
        ShowKeyFileGroup(true);
        setVisible({ui->label_17, ui->m_pDefaultPwdLEdit, ui->label_2, ui->edtNewPassword, ui->label_3,
                    ui->edtConfirmPassword},
                   false);
        setVisible(meter, false);
    } else {
        ShowKeyFileGroup(false);
        ShowPasswordGroup(true);
        setVisible({ui->label_2, ui->edtNewPassword, ui->label_3, ui->edtConfirmPassword}, false);
        setVisible(meter, false);
    }
}

void QtVrel::ShowBatchSelection(const QModelIndexList &rows)
{
    SetBatchMode(true);
    bool changeable = false;
    bool extended = false;
    bool anyDhcp = false;

    for (const QModelIndex &index : rows) {
        const int position = RecordOfRow(index.row());
        if (position < 0)
            continue;   // a row without a record adds nothing to the flags
        const VREL_DEVICE_INFO_MY &info = m_deviceList.at(position);
        if (!IsFixedDeviceType(info.nDeviceType))
            changeable = true;
        if (info.byExtended == 1)
            extended = true;
        if (changeable && extended)
            break;
        if (info.byDhcpState != 0)
            anyDhcp = true;
    }

    for (QLineEdit *e : {ui->lineEditIPAddr, ui->lineEditIPGateway, ui->lineEditIPMask, ui->lineEditIPv6Addr,
                         ui->lineEditIPv6Mask, ui->lineEditIPv6Gateway, ui->lineEditPort,
                         static_cast<QLineEdit *>(ui->lineEditPort_Password), ui->lineEditHttpPort})
        e->clear();
    for (QWidget *w : QList<QWidget *>{ui->lineEditIPAddr, ui->lineEditPort, ui->lineEditIPMask,
                                       ui->lineEditPort_Password, ui->pushButtonModifyNetwork})
        w->setEnabled(changeable);
    ui->lineEditIPGateway->setEnabled(extended);
    for (QWidget *w : QList<QWidget *>{ui->lineEditIPv6Addr, ui->lineEditIPv6Gateway, ui->lineEditIPv6Mask})
        w->setEnabled(false);
    ui->checkBoxDhcp->setChecked(anyDhcp);
    OnBatchDchpChanged(ui->checkBoxBatchDhcp->checkState());
}
