#include "widgets/CInformationDlg.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace {

// Guarded: a notice with a parent dies with it.
QPointer<CInformationDlg> g_pNotice;

} // namespace

CInformationDlg::CInformationDlg(QWidget* parent, bool bBuildUi)
    : QFrame(parent)
    , m_pTimer(new QTimer(this))
{
    connect(m_pTimer, &QTimer::timeout, this, &CInformationDlg::HideWnd);
    if (bBuildUi) {
        m_pLayout = new QGridLayout(this);
        m_pTextEdit = new QTextEdit(this);
        m_pLabel = new QLabel(this);
        m_pLayout->addWidget(m_pTextEdit, 0, 0);
        m_pLayout->addWidget(m_pLabel, 1, 0);
        resize(m_nWidth, m_nHeight);
        setObjectName(QStringLiteral("m_this"));
        setStyleSheet(QStringLiteral("QFrame#m_this{background: rgb(15, 15, 15); border: 2px solid gray;}"));
        const QString transparent = QStringLiteral("background-color: transparent; border:none; color: white;");
        m_pLabel->setStyleSheet(transparent);
        m_pTextEdit->setStyleSheet(transparent);
        m_pLabel->setAlignment(Qt::AlignCenter);
        m_pLabel->setWordWrap(true);
        m_pTextEdit->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    setWindowFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::Dialog);
}

void CInformationDlg::SetText(const QString& text)
{
    if (!m_pLabel || !m_pTextEdit)
        return;
    const int tw = m_pLabel->fontMetrics().horizontalAdvance(text) + 15;
    m_strText = text;
    if (tw < m_nWidth) {
        m_pLabel->show();
        m_pTextEdit->hide();
        m_pLabel->setAlignment(Qt::AlignCenter);
        m_pLabel->setWordWrap(true);
        m_pLabel->setText(text);
        m_pTextEdit->clear();
    } else {
        // Long texts scroll in the text edit.
        m_pLabel->hide();
        m_pLabel->setAlignment(Qt::AlignVCenter);
        m_pLabel->clear();
        m_pTextEdit->show();
        m_pTextEdit->setText(text);
    }
}

void CInformationDlg::SetAnchorPos(int x, int y)
{
    m_nAnchorX = x;
    m_nAnchorY = y;
    move(x - width(), y - height());
}

void CInformationDlg::resizeEvent(QResizeEvent* event)
{
    if (m_nAnchorX != -1 || m_nAnchorY != -1) {
        move(m_nAnchorX - width(), m_nAnchorY - height());
        m_nAnchorX = -1;
        m_nAnchorY = -1;
    }
    QFrame::resizeEvent(event);
}

void CInformationDlg::ShowInCorner(const QString& text)
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const QScreen* screen = parent->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    SetAnchorPos(area.left() + area.width(), area.top() + area.height());
    SetText(text);
    show();
    m_pTimer->start(3000);
}

void CInformationDlg::HideWnd()
{
    if (frameGeometry().contains(QCursor::pos()))
        return;
    m_pTimer->stop();
    hide();
}

CInformationDlg* CInformationDlg::Instance()
{
    return g_pNotice;
}

CInformationDlg* CInformationDlg::EnsureInstance()
{
    if (!g_pNotice)
        g_pNotice = new CInformationDlg(nullptr, true);
    return g_pNotice;
}

void CInformationDlg::SetInformationParent(QWidget* parent)
{
    if (g_pNotice) {
        // Re-parenting resets the window flags; keep the notice a window.
        const Qt::WindowFlags flags = g_pNotice->windowFlags();
        g_pNotice->setParent(parent, flags);
    } else {
        g_pNotice = new CInformationDlg(parent, true);
    }
}

void CInformationDlg::ShowInformation(const QString& text)
{
    CInformationDlg* notice = EnsureInstance();
    notice->SetText(text);
    notice->show();
}

void CInformationDlg::ShowInformationAt(const QString& text, int x, int y)
{
    CInformationDlg* notice = EnsureInstance();
    notice->SetAnchorPos(x, y);
    notice->move(x - notice->width(), y - notice->height());
    notice->SetText(text);
    notice->show();
}

void CInformationDlg::ShowInformationInCorner(const QString& text, QWidget* parent)
{
    SetInformationParent(parent);
    EnsureInstance()->ShowInCorner(text);
}
