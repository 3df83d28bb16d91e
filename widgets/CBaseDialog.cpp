#include "widgets/CBaseDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui_CBaseDialog.h"
#include "widgets/ClampPosToWorkArea.h"
#include "widgets/RoundRectRegion.h"

CBaseDialog::CBaseDialog(QWidget* parent, bool bButtonBar, bool bShowOk, bool bShowCancel)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CBaseDialogClass>())
{
    m_ui->setupUi(this);   // also connects on_<object>_<signal> slots by name
    m_ui->m_pCloseBtn->hide();

    if (!bButtonBar) {
        m_ui->m_pBottomFrame->hide();
        m_ui->m_pgridBaseDialog->setContentsMargins(6, 4, 6, 11);
        setStyleSheet(CompactFrameSheet());
    } else {
        setStyleSheet(FullFrameSheet());
    }

    m_pContentLayout = nullptr;
    if (!bShowOk)
        m_ui->pOkBtn->hide();
    if (!bShowCancel)
        m_ui->pCancelBtn->hide();
    connect(m_ui->pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    m_bDragging = 0;
    m_bOkAccepts = true;
    m_bCloseCloses = true;
}

CBaseDialog::~CBaseDialog() = default;

QString CBaseDialog::FullFrameSheet()
{
    return QStringLiteral("QDialog#CBaseDialogClass{border-image:url(\":/images/Dialog/dialog_bg.png\") 58;\n"
                          "border-width:58;}");
}

QString CBaseDialog::FullFrameSheetLater()
{
    return QStringLiteral("QDialog#CBaseDialogClass{border-image:url(\":/images/Dialog/dialog_bg.png\") 58;"
                          "                                        border-width:58;}");
}

QString CBaseDialog::CompactFrameSheet()
{
    return QStringLiteral("QDialog#CBaseDialogClass{border-image:url(\":/images/Dialog/dialog_bg2.png\") 34 6 16 6;\n"
                          "border-width:34 6 16 6;}");
}

void CBaseDialog::SetTitle(const QString& title)
{
    m_ui->pLabelTitle->setText(title);
}

QString CBaseDialog::GetTitle() const
{
    return m_ui->pLabelTitle->text();
}

void CBaseDialog::ShowCloseBtn(bool bShow)
{
    m_ui->m_pCloseBtn->setVisible(bShow);
}

void CBaseDialog::ShowOkBtn(bool bShow)
{
    m_ui->pOkBtn->setVisible(bShow);
}

void CBaseDialog::ShowButtonBar(bool bShow)
{
    m_ui->pOkBtn->setVisible(bShow);
    m_ui->pCancelBtn->setVisible(bShow);
    m_ui->m_pBottomFrame->setVisible(bShow);
    setStyleSheet(bShow ? FullFrameSheetLater() : CompactFrameSheet());
}

void CBaseDialog::SetOkBtnAccepts(bool bAccepts)
{
    m_bOkAccepts = bAccepts;
}

void CBaseDialog::SetCloseBtnCloses(bool bCloses)
{
    m_bCloseCloses = bCloses;
}

bool CBaseDialog::SetContentWidget(QWidget* widget)
{
    if (!widget)
        return false;
    if (!m_pContentLayout) {
        m_pContentLayout = new QGridLayout(m_ui->m_pContentFrame);
        m_pContentLayout->setContentsMargins(0, 0, 0, 0);
    }
    m_pContentLayout->addWidget(widget);
    return true;
}

QWidget* CBaseDialog::GetContentFrame() const
{
    return m_ui->m_pContentFrame;
}

void CBaseDialog::SetOkBtnText(const QString& text)
{
    m_ui->pOkBtn->setText(text);
}

void CBaseDialog::SetCancelBtnText(const QString& text)
{
    m_ui->pCancelBtn->setText(text);
}

void CBaseDialog::SetOkBtnEnable(bool bEnabled)
{
    m_ui->pOkBtn->setEnabled(bEnabled);
}

void CBaseDialog::on_pOkBtn_clicked()
{
    if (m_bOkAccepts)
        accept();
    else
        emit ClickedOKBtnSig();
}

void CBaseDialog::on_m_pCloseBtn_clicked()
{
    if (m_bCloseCloses)
        close();
    else
        emit ClickedCloseBtnSig();
}

void CBaseDialog::mousePressEvent(QMouseEvent* event)
{
    // There is no window frame: the title area moves the window.
    m_ptPress = event->position().toPoint();
    if (m_ptPress.y() <= kDragAreaHeight)
        m_bDragging = 1;
}

void CBaseDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging) {
        const QPoint cursor = ClampPosToWorkArea(event->globalPosition().toPoint());
        move(cursor - m_ptPress);
    }
}

void CBaseDialog::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event);
    m_bDragging = 0;
}

void CBaseDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        accept();
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void CBaseDialog::resizeEvent(QResizeEvent* event)
{
    setMask(RoundRectRegion(rect(), 2));
    QDialog::resizeEvent(event);
}
