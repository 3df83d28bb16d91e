#pragma once

#include <QSizeF>
#include <functional>

#include "widgets/CBaseDialog.h"

class QTextBrowser;

// Message window: a dialog frame whose content is a read-only text area that
// sizes itself to the message. ShowInfo offers only the close button (Return
// and Enter still accept); ShowQuestion offers OK and Cancel.
//
// Test seam: SetTestHook(hook) makes ShowInfo and ShowQuestion (and so
// ShowInfoMsgBox and ShowQuestionMsgBox) call hook(title, text) and return its
// answer instead of showing a window. Question() tells the hook which form was
// asked for. Pass an empty function to restore the real dialog. Meant for
// tests only: the hook is process-wide and used from the GUI thread.
class CWarnDlg : public CBaseDialog
{
    Q_OBJECT
public:
    using TestHook = std::function<int(const QString& title, const QString& text)>;

    explicit CWarnDlg(QWidget* parent = nullptr);

    int ShowInfo(const QString& title, const QString& content);
    int ShowQuestion(const QString& title, const QString& content);

    static void SetTestHook(TestHook hook);
    // While a hook answers: true when the message being answered is a question.
    static bool Question();

public slots:
    void TextNeededSize(QSizeF sizeText);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int Run(const QString& title, const QString& content, bool bQuestion);
    void FitWidthToText(const QString& text);
    void SetTitleAndContent(const QString& title, const QString& content);

    QTextBrowser* m_pBrowserTxt;
    int m_nMinWidth = 300;
    int m_nDlgHeight = 225;
    int m_nMaxWidth = 400;
    int m_nMargin = 12;
};

// Shows text under title with only the close button. -1 without a parent
// (nothing is shown); otherwise 1 for Return/Enter, 0 when closed.
int ShowInfoMsgBox(const QString& title, const QString& text, QWidget* parent);
// Shows text with OK and Cancel. -1 without a parent (nothing is shown);
// otherwise 1 for OK (or Return/Enter), 0 for Cancel or closing.
int ShowQuestionMsgBox(const QString& title, const QString& text, QWidget* parent);
