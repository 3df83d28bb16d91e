#pragma once

#include <QDialog>
#include <QPoint>
#include <memory>

class QGridLayout;
namespace Ui {
class CBaseDialogClass;
}

// Frameless dialog drawn by style sheets: a title row with a centred title and
// a close button, a content frame for the dialog's own widgets and an optional
// bottom bar with OK and Cancel. The title area drags the window; Escape never
// closes it; Return and Enter accept it even with OK hidden.
class CBaseDialog : public QDialog
{
    Q_OBJECT
public:
    CBaseDialog(QWidget* parent = nullptr, bool bButtonBar = true, bool bShowOk = true, bool bShowCancel = true);
    ~CBaseDialog() override;

    void SetTitle(const QString& title);
    QString GetTitle() const;
    void ShowCloseBtn(bool bShow);
    void ShowOkBtn(bool bShow);
    void ShowButtonBar(bool bShow);
    void SetOkBtnAccepts(bool bAccepts);
    void SetCloseBtnCloses(bool bCloses);
    // Puts widget into the content frame; false for a null widget.
    bool SetContentWidget(QWidget* widget);
    QWidget* GetContentFrame() const;
    void SetOkBtnText(const QString& text);
    void SetCancelBtnText(const QString& text);

    // The frame's style sheets: full frame around a dialog with a bottom bar
    // (as set at construction and as set by ShowButtonBar) and compact frame.
    static QString FullFrameSheet();
    static QString FullFrameSheetLater();
    static QString CompactFrameSheet();

    // Presses this far from the top (the margin and the title row) drag the window.
    static constexpr int kDragAreaHeight = 32;

public slots:
    void SetOkBtnEnable(bool bEnabled);
    void on_pOkBtn_clicked();
    void on_m_pCloseBtn_clicked();

signals:
    void ClickedOKBtnSig();
    void ClickedCloseBtnSig();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    Ui::CBaseDialogClass* Form() const { return m_ui.get(); }

private:
    std::unique_ptr<Ui::CBaseDialogClass> m_ui;
    int m_bDragging = 0;
    QPoint m_ptPress;
    QGridLayout* m_pContentLayout = nullptr;
    bool m_bOkAccepts = true;
    bool m_bCloseCloses = true;
};
