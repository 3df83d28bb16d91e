// The device panel: the device table on the left, the settings frame on the
// right. Owns the discovery bridge (library wrapper, device list and its lock)
// and the table model.
#pragma once

#include <memory>

#include <QByteArray>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <QWidget>

#include <zenu.h>

#include "discovery/CDiscoveryClient.h"
#include "discovery/DeviceListIndex.h"
#include "discovery/DeviceRowIndex.h"
#include "discovery/VrelDeviceInfo.h"

namespace Ui {
class QtVrelClass;
}
class QtVrelItemModel;
class QStandardItem;

class QtVrel : public QWidget
{
    Q_OBJECT

public:
    explicit QtVrel(QWidget *parent = nullptr);
    ~QtVrel() override;

    // Called by the device callback on the library's thread: appends a found
    // device to the list under the list's lock.
    void AppendFoundDevice(const VREL_DEVICE_INFO_MY &info);

    // Table operations.
    void FillDeviceRow(int row, const VREL_DEVICE_INFO_MY &info);
    void UpdateRowNetwork(int row, const QString &address, const QString &mask, int port,
                          const QString &gateway);
    void SetSafetyState(int row, bool activated);

    // Layout operations.
    void EnablePanel(bool on);
    void SetBatchMode(bool batch);
    void ShowPasswordGroup(bool show);
    void ShowKeyFileGroup(bool show);
    void ShowDeviceInPanel(int row, int column);
    void ShowBatchSelection(const QModelIndexList &rows);
    void DisableForFixedDevice();
    void EnableEditFields();

    // True when both start checks passed and discovery runs.
    bool IsDiscoveryRunning() const { return m_bDiscoveryRunning; }
    QtVrelItemModel *Model() const { return m_pModel; }
    // A copy of the device list, taken under its lock.
    QList<VREL_DEVICE_INFO_MY> DeviceList();

signals:
    void CancleBtn_Clicked();
    void DeviceOnlineSignal(VREL_DEVICE_INFO_MY dev_info);
    void DeviceOfflineSignal(QString strDeviceSer, QString strDeviceMac);
    void DeviceUpdateSignal(VREL_DEVICE_INFO_MY dev_info);

public slots:
    void OnDeviceTableClicked(const QModelIndex &index);
    void OnModifyNetPara();
    void OnDefaultPassword();
    void OnManualUpdate();
    void OnItemChanged(const QModelIndex &current, const QModelIndex &previous);
    void OnDeviceOnline(VREL_DEVICE_INFO_MY dev_info);
    void OnDeviceOffline(QString strDeviceSer, QString strDeviceMac);
    void OnDeviceUpdate(VREL_DEVICE_INFO_MY dev_info);
    void SortTable(int iIndex);
    void OnHeaderCountChanged(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void OnHeaderPress(int logicalIndex);
    void OnClickAction(const QModelIndex &index);
    void ResetData(const QModelIndex &mindexPre, const QModelIndex &mindexNow);
    void OnClickExpandBtn();
    void OnClickShrinkBtn();
    void OnDchpChanged(int iState);
    void OnBatchDchpChanged(int iState);
    void saveExcel();
    void batchEnableDHCP();
    void OnImport();
    void OnExport();
    void OnNewPasswordTextChanged(QString strText);

private:
    friend class QtVrelTestAccess;

    void InitPanelWidgets();
    void LockDeviceList();
    void UnlockDeviceList();

    // Index of the first list entry of the device, or -1.
    int FindDeviceRecord(const QString &serial, const QString &mac) const;
    // The row's serial number and MAC cell texts.
    QString CellText(int row, int column) const;
    // The first row showing the device, or -1.
    int FindDeviceRow(const QString &serial, const QString &mac) const;
    // The first list entry of the device a row shows, or -1.
    int RecordOfRow(int row) const;
    // The row's ID followed by one space, as the summaries list it.
    QString IdTextOfRow(int row) const;
    // Locks the device list and takes the selected rows. Without a current
    // row it tells the user, unlocks and returns false.
    bool LockForSelectedRows(QModelIndexList &rows);
    void RemoveDeviceAt(int position);
    void AddressCell(int row, int column, const QString &text);
    void SetCellText(int row, int column, const QString &text);
    // The ID of a row that has none: its 1-based position.
    void GiveIdIfEmpty(int row);
    // Every cell read-only but the serial number.
    void LockRowCells(int row);
    void ShowFieldError(QWidget *field, const QString &text, bool focus);
    bool CheckNewPassword();
    void ShowResetResult(bool ok);
    // The password rule shown at the new-password field.
    static QString PasswordRule();

    std::unique_ptr<Ui::QtVrelClass> ui;
    CDiscoveryClient m_discoveryClient;
    QList<VREL_DEVICE_INFO_MY> m_deviceList;
    ZENU_MUTEX m_deviceListMutex = nullptr;
    int m_nDebugCount = 0;
    QtVrelItemModel *m_pModel = nullptr;
    QByteArray m_headerState;
    QString m_strPendingSerial;
    bool m_bActivateMode = false;
    bool m_bDiscoveryRunning = false;

    DeviceListIndex m_listIndex;   // positions in m_deviceList
    DeviceRowIndex m_rowIndex;     // serial number cells of the table
};
