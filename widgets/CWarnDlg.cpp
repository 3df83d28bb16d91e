#include "widgets/CWarnDlg.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include "widgets/WarnDlgLayout.h"

namespace {

CWarnDlg::TestHook& Hook()
{
    static CWarnDlg::TestHook hook;
    return hook;
}

bool g_bHookQuestion = false;

const char kEmptyDocument[] =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
    "p, li { white-space: pre-wrap; }\n"
    "</style></head><body style=\" font-family:'Arial'; font-size:9pt; font-weight:400; font-style:normal;\">\n"
    "<p align=\"center\" style=\"-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; "
    "margin-right:0px; -qt-block-indent:0; text-indent:0px;\"><br /></p></body></html>";

} // namespace

CWarnDlg::CWarnDlg(QWidget* parent)
    : CBaseDialog(parent, true, true, true)
    , m_pBrowserTxt(new QTextBrowser(GetContentFrame()))
{
    m_pBrowserTxt->setObjectName(QStringLiteral("m_pBrowserTxt"));
    m_pBrowserTxt->setGeometry(50, 30, 141, 61);
    m_pBrowserTxt->setTextInteractionFlags(Qt::NoTextInteraction);
    m_pBrowserTxt->setOpenLinks(false);
    m_pBrowserTxt->setOpenExternalLinks(false);

    m_nMinWidth = 300;
    m_nDlgHeight = 225;
    m_nMaxWidth = 400;
    m_nMargin = 12;

    // Replaces the frame sheet; ShowInfo and ShowQuestion set one again.
    setStyleSheet(QStringLiteral("QFrame#CWarnDlg{background-color: transparent;}"));
    m_pBrowserTxt->setStyleSheet(QStringLiteral("background-color: transparent;"));
    m_pBrowserTxt->setHtml(QString::fromLatin1(kEmptyDocument));

    connect(m_pBrowserTxt->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &CWarnDlg::TextNeededSize);
}

void CWarnDlg::SetTestHook(TestHook hook)
{
    Hook() = std::move(hook);
}

bool CWarnDlg::Question()
{
    return g_bHookQuestion;
}

int CWarnDlg::ShowInfo(const QString& title, const QString& content)
{
    return Run(title, content, false);
}

int CWarnDlg::ShowQuestion(const QString& title, const QString& content)
{
    return Run(title, content, true);
}

int CWarnDlg::Run(const QString& title, const QString& content, bool bQuestion)
{
    if (Hook()) {
        g_bHookQuestion = bQuestion;
        const int answer = Hook()(title, content);
        g_bHookQuestion = false;
        return answer;
    }
    FitWidthToText(content);
    if (bQuestion) {
        ShowButtonBar(true);
    } else {
        ShowCloseBtn(true);
        ShowButtonBar(false);
    }
    SetTitleAndContent(title, content);
    return exec();
}

void CWarnDlg::FitWidthToText(const QString& text)
{
    const int oneLine = m_pBrowserTxt->fontMetrics().horizontalAdvance(text);
    const WarnDlgWidths widths = ChooseWarnDlgWidth(oneLine, m_nMinWidth, m_nMaxWidth, m_nMargin);
    resize(widths.dialogWidth, m_nDlgHeight);
    m_pBrowserTxt->setFixedWidth(widths.textWidth);
}

void CWarnDlg::SetTitleAndContent(const QString& title, const QString& content)
{
    SetTitle(title);
    m_pBrowserTxt->setText(content);
    if (!Qt::mightBeRichText(content)) {
        // Plain messages keep the centred paragraph of the empty document.
        QTextCursor cursor(m_pBrowserTxt->document());
        cursor.select(QTextCursor::Document);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(centred);
    }
}

void CWarnDlg::TextNeededSize(QSizeF sizeText)
{
    Q_UNUSED(sizeText);
    QWidget* frame = GetContentFrame();
    if (!m_pBrowserTxt->parentWidget() || !m_pBrowserTxt->document() || !frame)
        return;
    const int h = int(m_pBrowserTxt->document()->size().height() + 10);
    m_pBrowserTxt->setFixedHeight(h);
    const int c = frame->height();
    int y = 0;
    if (h > c) {
        resize(width(), height() + h - c + 30);
        y = 15;
    } else {
        y = c / 2 - m_pBrowserTxt->height() / 2;
    }
    m_pBrowserTxt->move(frame->width() / 2 - m_pBrowserTxt->width() / 2, y);
}

void CWarnDlg::closeEvent(QCloseEvent* event)
{
    // Every close request ends the message with result 0.
    hide();
    event->ignore();
}

void CWarnDlg::showEvent(QShowEvent* event)
{
    CBaseDialog::showEvent(event);
    // The text area learns its final width only when shown; measure again.
    TextNeededSize(QSizeF());
}

int ShowInfoMsgBox(const QString& title, const QString& text, QWidget* parent)
{
    if (!parent)
        return -1;
    CWarnDlg dialog(parent);
    return dialog.ShowInfo(title, text);
}

int ShowQuestionMsgBox(const QString& title, const QString& text, QWidget* parent)
{
    if (!parent)
        return -1;
    CWarnDlg dialog(parent);
    return dialog.ShowQuestion(title, text);
}
