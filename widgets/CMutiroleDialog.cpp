#include "widgets/CMutiroleDialog.h"

#include <QKeyEvent>

#include "widgets/CBaseDialog.h"

CMutiroleDialog::CMutiroleDialog(QWidget* parent)
    : QFrame(parent)
    , m_pParent(parent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CMutiroleDialog"));
}

CMutiroleDialog::~CMutiroleDialog()
{
    if (m_pDialog) {
        // Leave the host first so that deleting it does not delete this frame.
        setParent(nullptr);
        delete m_pDialog;
        m_pDialog = nullptr;
    }
}

void CMutiroleDialog::PrepareHost(QWidget* parent, const QString& title, int width, int height)
{
    if (!m_pDialog) {
        m_pDialog = new CBaseDialog(nullptr, true, true, true);
        connect(m_pDialog, &CBaseDialog::ClickedCloseBtnSig, this, &CMutiroleDialog::DialogCloseSlot);
        m_pDialog->SetCloseBtnCloses(false);
    }
    m_pDialog->resize(width, height);
    m_pDialog->setParent(parent, Qt::Dialog | Qt::FramelessWindowHint);
    m_pDialog->SetContentWidget(this);
    setStyleSheet(QStringLiteral("QFrame#CMutiroleDialog{background-color: transparent;}"));
    m_pDialog->SetTitle(title);
}

void CMutiroleDialog::ShowModal(QWidget* parent, const QString& title)
{
    if (!parent)
        return;
    PrepareHost(parent, title, width(), height());
    m_pDialog->exec();
}

int CMutiroleDialog::ExecModal(QWidget* parent, QString title)
{
    PrepareHost(parent, title, width(), height());
    return m_pDialog->exec();
}

void CMutiroleDialog::ShowModeless(QWidget* parent, const QString& title, int width, int height)
{
    if (!parent)
        return;
    PrepareHost(parent, title, width, height);
    m_pDialog->ShowCloseBtn(true);
    m_pDialog->ShowButtonBar(false);
    m_pDialog->show();
}

void CMutiroleDialog::DialogCloseSlot()
{
    if (m_pDialog)
        m_pDialog->close();
}

void CMutiroleDialog::MoveDialog(int x, int y)
{
    if (m_pDialog)
        m_pDialog->move(x, y);
    else
        move(x, y);
}

int CMutiroleDialog::DialogWidth() const
{
    return m_pDialog ? m_pDialog->width() : width();
}

int CMutiroleDialog::DialogHeight() const
{
    return m_pDialog ? m_pDialog->height() : height();
}

void CMutiroleDialog::keyPressEvent(QKeyEvent* event)
{
    if (!m_pDialog)
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        m_pDialog->accept();
        break;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}
