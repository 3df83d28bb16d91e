// The main window's own title bar: logo, title, minimise, enlarge/restore and
// close; dragging it moves the window.
#pragma once

#include <QPoint>
#include <QWidget>

class CPushButton;
class QHBoxLayout;
class QLabel;
class QSpacerItem;

class CWindowTitle : public QWidget
{
    Q_OBJECT

public:
    // window is both the parent and the window the bar controls.
    explicit CWindowTitle(QWidget *window);
    ~CWindowTitle() override;

    bool IsEnlarged() const { return m_bEnlarged; }
    CPushButton *EnlargeButton() const { return m_pBtnEnlarge; }
    CPushButton *CloseButton() const { return m_pBtnClose; }
    CPushButton *MinimizeButton() const { return m_pBtnMinimize; }
    QLabel *TitleLabel() const { return m_pLabelTitle; }

    static QString EnlargeStyle();
    static QString RestoreStyle();

public slots:
    void showSmall();
    void ChangSizeToFull();
    void ChaneMaxSizeOrRestore();
    void OnCloseWindow();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // Keeps the background image stretched over the whole bar.
    void resizeEvent(QResizeEvent *event) override;

private:
    void ApplyBackground();
    bool WindowScreenLargeEnough() const;

    QHBoxLayout *m_pMainLayout = nullptr;
    QHBoxLayout *m_pLeftLayout = nullptr;
    QHBoxLayout *m_pRightLayout = nullptr;
    QSpacerItem *m_pLeftSpacer = nullptr;
    QSpacerItem *m_pRightSpacer = nullptr;
    CPushButton *m_pBtnMinimize = nullptr;
    CPushButton *m_pBtnClose = nullptr;
    CPushButton *m_pBtnEnlarge = nullptr;
    CPushButton *m_pBtnLogo = nullptr;
    int m_nDragging = 0;
    QPoint m_ptPressOffset;
    QLabel *m_pLabelTitle = nullptr;
    QWidget *m_pWindow = nullptr;
    bool m_bEnlarged = false;
};
