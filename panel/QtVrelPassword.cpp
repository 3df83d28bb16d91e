// Activation, restore of the default password, reset with a security code,
// and the strength meter.
#include "QtVrel.h"
#include "ui_QtVrel.h"

#include <cstring>

#include <QDebug>
#include <QItemSelectionModel>
#include <QPixmap>

#include "PasswordStrength.h"
#include "CommandSummary.h"
#include "discovery/QtVrelItemModel.h"
#include "widgets/CWarnDlg.h"

QString QtVrel::PasswordRule()
{
    return tr("Valid password range [8-16]. You can use a combination of numbers, ") + QLatin1Char('\n')
           + tr("lowercase, uppercase and special character for ") + QLatin1Char('\n')
           + tr("your password with at least two kinds of them contained.");
}

void QtVrel::OnNewPasswordTextChanged(QString strText)
{
    static const char *const kBars[4][3] = {
        {":/images/ButtonIcon/grey.png", ":/images/ButtonIcon/grey.png", ":/images/ButtonIcon/grey.png"},
        {":/images/ButtonIcon/red.png", ":/images/ButtonIcon/grey.png", ":/images/ButtonIcon/grey.png"},
        {":/images/ButtonIcon/yellow.png", ":/images/ButtonIcon/yellow.png", ":/images/ButtonIcon/grey.png"},
        {":/images/ButtonIcon/green.png", ":/images/ButtonIcon/green.png", ":/images/ButtonIcon/green.png"},
    };
    const PasswordLevel level = PasswordStrength(strText);
    const QString words[4] = {QString(), tr("Weak"), tr("Medium"), tr("Strong")};
    QLabel *bars[3] = {ui->m_pLabelLevel1, ui->m_pLabelLevel2, ui->m_pLabelLevel3};
    for (int i = 0; i < 3; ++i)
        bars[i]->setPixmap(QPixmap(QString::fromLatin1(kBars[level][i])));
    ui->m_pLabelLevel->setText(words[level]);
}

// Checks of the new and confirmed password fields; true when they pass.
bool QtVrel::CheckNewPassword()
{
    if (ui->edtNewPassword->text().isEmpty()) {
        ShowFieldError(ui->edtNewPassword, tr("The password can not be empty."), true);
        return false;
    }
    if (ui->edtNewPassword->text() != ui->edtConfirmPassword->text()) {
        ShowFieldError(ui->edtNewPassword, tr("The password you typed do not match."), true);
        return false;
    }
    return true;
}

void QtVrel::ShowResetResult(bool ok)
{
    const bool reset = ui->edtNewPassword->isVisible();
    if (ok) {
        ShowInfoMsgBox(tr("Information"),
                       reset ? tr("Reset password succeed.") : tr("Restore default password succeed."), this);
    } else if (reset) {
        ShowInfoMsgBox(tr("Information"), tr("Reset password failed."), this);
    } else {
        ShowInfoMsgBox(tr("Error"), tr("Restore default password failed!"), this);
    }
}

void QtVrel::OnDefaultPassword()
{
    if (!ui->tableWidgetDevice->currentIndex().isValid()) {
        ShowInfoMsgBox(tr("Information"), tr("Please select a device."), this);
        return;
    }
    if (ui->edtNewPassword->isVisible() && !CheckNewPassword())
        return;
    if (m_bActivateMode) {
        if (ui->m_pLabelLevel->text().isEmpty()) {
            ShowFieldError(ui->edtNewPassword, PasswordRule(), false);
            return;
        }
    } else if (ui->m_pDefaultPwdLEdit->text().isEmpty()) {
        ShowFieldError(ui->m_pDefaultPwdLEdit, tr("Password cannot be empty."), true);
        return;
    }

    if (!m_bActivateMode) {
        bool ok;
        if (!ui->edtNewPassword->isVisible()) {
            ok = m_discoveryClient.ResetDefaultPassword(ui->lineEditSerial->text(), ui->m_pDefaultPwdLEdit->text());
        } else {
            ResetParamBlock block;
            memset(&block, 0, sizeof block);
            const QByteArray password = ui->edtNewPassword->text().toLatin1();
            memcpy(block.szNewPassword, password.constData(),
                   std::min(sizeof block.szNewPassword, size_t(password.size())));
            SetField(block.szSecurityCode, ui->m_pDefaultPwdLEdit->text().toLatin1());
            ok = m_discoveryClient.ResetPassword(ui->lineEditSerial->text().trimmed(), block);
        }
        ShowResetResult(ok);
        return;
    }

    // Activation of every selected device that is not activated yet.
    QModelIndexList rows;
    if (!LockForSelectedRows(rows))
        return;
    CommandSummary summary(tr("The device is activated."), tr("Operation failed."));
    for (const QModelIndex &index : rows) {
        const int row = index.row();
        const int position = RecordOfRow(row);
        if (position < 0)
            continue;
        VREL_DEVICE_INFO_MY &info = m_deviceList[position];
        if (info.byActivation == 0)
            continue;
        const QString serial = FieldText(info.szSerialNo);
        qDebug().noquote() << "kvt ActivateDevice :" << serial;
        const bool ok = m_discoveryClient.ActivateDevice(serial, ui->edtNewPassword->text());
        if (ok) {
            SetSafetyState(row, true);
            info.byActivation = 0;
        }
        summary.Add(ok, IdTextOfRow(row));
    }
    UnlockDeviceList();

    const QString text = summary.Text();
    ShowInfoMsgBox(tr("Information"), text.isEmpty() ? tr("No activate device.") : text, this);
}
