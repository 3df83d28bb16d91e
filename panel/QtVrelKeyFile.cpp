// Device key files: export of a device's key, password reset with a key file.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <cstring>

#include <QSaveFile>

#include "discovery/QtVrelItemModel.h"
#include "widgets/CWarnDlg.h"

void QtVrel::OnExport()
{
    const QModelIndex current = ui->tableWidgetDevice->currentIndex();
    if (!current.isValid()) {
        ShowInfoMsgBox(tr("Information"), tr("Please select a device."), this);
        return;
    }
    const QString folder = ui->combExportFile->currentText();
    if (folder.isEmpty()) {
        ShowFieldError(ui->combExportFile, tr("File path cannot be empty."), false);
        return;
    }

    LockDeviceList();
    const int position = RecordOfRow(current.row());
    const QString serial = position >= 0 ? FieldText(m_deviceList.at(position).szSerialNo) : QString();
    UnlockDeviceList();
    if (position < 0) {
        ShowInfoMsgBox(tr("Error"), tr("Row error!"), this);
        return;
    }

    DeviceKeyBuffer key;
    memset(&key, 0, sizeof key);
    if (m_discoveryClient.GetDeviceConfig(serial, 1, nullptr, 0, &key, int(sizeof key)) == 0) {
        ShowInfoMsgBox(tr("Information"), tr("Get key error."), this);
        return;
    }

    // The key replaces an earlier file only once it is completely written,
    // and only its owner may read it.
    QSaveFile file(folder + QStringLiteral("DeviceKey.xml"));
    bool written = file.open(QIODevice::WriteOnly)
                   && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (written) {
        const qint64 count = std::min<qint64>(key.dwDataLength, qint64(sizeof key.byData));
        written = file.write(reinterpret_cast<const char *>(key.byData), count) == count && file.commit();
    }
    memset(&key, 0, sizeof key);
    if (!written) {
        file.cancelWriting();
        ShowInfoMsgBox(tr("Information"), tr("Create device key file error."), this);
        return;
    }
    ShowInfoMsgBox(tr("Information"), tr("Exported."), this);
}

void QtVrel::OnImport()
{
    const QString path = ui->combImportFile->currentText();
    if (path.isEmpty()) {
        ShowFieldError(ui->combImportFile, tr("File path cannot be empty."), false);
        return;
    }
    const bool withPassword = ui->edtNewPassword->isVisible();
    if (withPassword) {
        if (!CheckNewPassword())
            return;
        if (ui->m_pLabelLevel->text().isEmpty()) {
            ShowFieldError(ui->edtNewPassword, PasswordRule(), false);
            return;
        }
    }

    ResetParamBlock block;
    memset(&block, 0, sizeof block);
    const QByteArray localPath = path.toLocal8Bit();
    if (size_t(localPath.size()) >= sizeof block.szKeyFilePath) {
        ShowFieldError(ui->combImportFile, tr("The key file path is too long."), false);
        return;
    }
    if (withPassword) {
        const QByteArray password = ui->edtNewPassword->text().toLatin1();
        memcpy(block.szNewPassword, password.constData(),
               std::min(sizeof block.szNewPassword, size_t(password.size())));
    }
    memcpy(block.szKeyFilePath, localPath.constData(), size_t(localPath.size()));

    const bool ok = m_discoveryClient.ResetPassword(ui->lineEditSerial->text().trimmed(), block);
    memset(&block, 0, sizeof block);
    ShowResetResult(ok);
}
