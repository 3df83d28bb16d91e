#include "PathWidget.h"

#include "ui_PathWidget.h"

#include "export/ExcelExport.h"
#include "export/FileSetAside.h"
#include "widgets/CPathComboBox.h"
#include "widgets/CToolTip.h"
#include "widgets/CWarnDlg.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QKeyEvent>

QString PathWidget::s_strLastFolder;

PathWidget::PathWidget(QAbstractItemModel *model, QWidget *parent)
    : CBaseDialog(parent, true, true, true), m_ui(new Ui::PathWidget), m_pModel(model)
{
    QWidget *form = new QWidget(this);
    m_ui->setupUi(form);
    SetContentWidget(form);
    setFixedSize(320, 240);
    SetTitle(tr("Save"));
    m_ui->comboBox->SetMode(2);
    m_ui->comboBox->addItem(s_strLastFolder, QVariant());
    // OK runs the export; the dialog closes only when the workbook is saved.
    SetOkBtnAccepts(false);
    connect(this, &CBaseDialog::ClickedOKBtnSig, this, &PathWidget::onConfirm);
}

PathWidget::~PathWidget() = default;

QString PathWidget::LastFolder()
{
    return s_strLastFolder;
}

void PathWidget::SetLastFolder(const QString &folder)
{
    s_strLastFolder = folder;
}

void PathWidget::onConfirm()
{
    const QString name = m_ui->edtName->text();
    const QPoint tipAt = m_ui->edtName->mapToGlobal(QPoint(0, 0));
    switch (ExcelExport::CheckName(name)) {
    case ExcelExport::NameCheck::Invalid:
        CToolTip::ShowText(tipAt, tr("The name is invalid"));
        return;
    case ExcelExport::NameCheck::IllegalCharacter:
        CToolTip::ShowText(tipAt, tr("The name contains illegal character"));
        return;
    case ExcelExport::NameCheck::Ok:
        break;
    }

    s_strLastFolder = m_ui->comboBox->currentText();
    const QString filePath = s_strLastFolder + name + QStringLiteral(".xls");

    // A file the user agrees to replace is only moved aside: it is removed
    // once the new workbook is complete and comes back if the save fails.
    FileSetAside replaced;
    if (QFileInfo::exists(filePath)) {
        if (ShowQuestionMsgBox(tr("Hint"), tr("The file name has been used; replace it?"), this) != 1)
            return;
        replaced.SetAside(filePath);
    }

    if (!ExcelExport::Write(m_pModel, name, filePath)) {
        replaced.Restore();
        ShowInfoMsgBox(tr("Warn"), tr("Saving failed."), this);
        return;
    }
    replaced.Drop();
    ShowInfoMsgBox(tr("Hint"), tr("Saved."), this);
    accept();
}

void PathWidget::keyPressEvent(QKeyEvent *event)
{
    // Return in the name field means "save", never "close without saving".
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        onConfirm();
        return;
    }
    CBaseDialog::keyPressEvent(event);
}
