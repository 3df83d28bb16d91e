#include "CWindowTitle.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSpacerItem>

#include "widgets/CPushButton.h"
#include "widgets/ClampPosToWorkArea.h"

namespace {

const int kMinWidth = 1024;
const int kMinHeight = 768;

CPushButton *MakeWindowButton(QWidget *parent, const char *name)
{
    auto *button = new CPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(20, 20);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

QSize PrimaryAvailableSize()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

} // namespace

CWindowTitle::CWindowTitle(QWidget *window)
    : QWidget(window)
    , m_pWindow(window)
{
    setObjectName(QStringLiteral("CWindowTitle"));
    setAutoFillBackground(true);

    m_pMainLayout = new QHBoxLayout(this);
    m_pMainLayout->setSpacing(1);
    m_pMainLayout->setContentsMargins(4, 1, 4, 1);

    m_pLeftLayout = new QHBoxLayout;
    m_pLeftLayout->setSpacing(1);
    m_pBtnLogo = new CPushButton(this);
    m_pBtnLogo->setObjectName(QStringLiteral("m_pBtnLogo"));
    m_pBtnLogo->setFixedSize(32, 32);
    m_pBtnLogo->setFocusPolicy(Qt::NoFocus);
    m_pLeftSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pLeftLayout->addWidget(m_pBtnLogo);
    m_pLeftLayout->addItem(m_pLeftSpacer);

    m_pLabelTitle = new QLabel(this);
    m_pLabelTitle->setObjectName(QStringLiteral("m_pLabelTitle"));
    m_pLabelTitle->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_pLabelTitle->setAlignment(Qt::AlignCenter);
    m_pLabelTitle->setText(QObject::tr("VREL"));

    m_pRightLayout = new QHBoxLayout;
    m_pRightLayout->setSpacing(1);
    m_pRightSpacer = new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_pBtnMinimize = MakeWindowButton(this, "m_pBtnMinimize");
    m_pBtnEnlarge = MakeWindowButton(this, "m_pBtnEnlarge");
    m_pBtnClose = MakeWindowButton(this, "m_pBtnClose");
    m_pRightLayout->addItem(m_pRightSpacer);
    m_pRightLayout->addWidget(m_pBtnMinimize);
    m_pRightLayout->addWidget(m_pBtnEnlarge);
    m_pRightLayout->addWidget(m_pBtnClose);

    m_pMainLayout->addLayout(m_pLeftLayout, 1);
    m_pMainLayout->addWidget(m_pLabelTitle, 1);
    m_pMainLayout->addLayout(m_pRightLayout, 1);

    m_pBtnLogo->setStyleSheet(QStringLiteral("QPushButton{border-image:url(:/images/title/VRELEye.png);}"));

    connect(m_pBtnEnlarge, &QPushButton::clicked, this, &CWindowTitle::ChaneMaxSizeOrRestore);
    connect(m_pBtnClose, &QPushButton::clicked, this, &CWindowTitle::OnCloseWindow);
    connect(m_pBtnMinimize, &QPushButton::clicked, this, &CWindowTitle::showSmall);

    m_pLabelTitle->setStyleSheet(QStringLiteral("color:rgb(255, 255, 255);"));
    m_pBtnMinimize->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;margin:0;border-image:url(:/images/title/mini.png);}"
        "QPushButton:hover{border:none;margin:0;border-image:url(:/images/title/mini_hover.png);}"));
    m_pBtnClose->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;margin:0;border-image:url(:/images/title/close.png);}"
        "QPushButton:hover{border:none;margin:0;border-image:url(:/images/title/close_hover.png);}"));
    m_pBtnEnlarge->setStyleSheet(m_pWindow && m_pWindow->isFullScreen() ? RestoreStyle() : EnlargeStyle());

    ApplyBackground();
}

CWindowTitle::~CWindowTitle() = default;

QString CWindowTitle::EnlargeStyle()
{
    return QStringLiteral(
        "QPushButton{border:none;margin:0;border-image:url(:/images/title/full-screen.png);}"
        "QPushButton:hover{border:none;margin:0;border-image:url(:/images/title/full-screen_hover.png);}");
}

QString CWindowTitle::RestoreStyle()
{
    return QStringLiteral(
        "QPushButton{border:none;margin:0;border-image:url(:/images/title/back.png);}"
        "QPushButton:hover{border:none;margin:0;border-image:url(:/images/title/back_hover.png); }");
}

void CWindowTitle::ApplyBackground()
{
    const QPixmap image(QStringLiteral(":/images/title/title_bg.png"));
    if (image.isNull())
        return;
    QPalette pal = palette();
    pal.setBrush(QPalette::Window,
                 QBrush(image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    setPalette(pal);
}

void CWindowTitle::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ApplyBackground();
}

bool CWindowTitle::WindowScreenLargeEnough() const
{
    if (!m_pWindow)
        return false;
    QScreen *screen = m_pWindow->screen();
    if (!screen)
        return false;
    const QRect geometry = screen->geometry();
    return geometry.width() >= kMinWidth && geometry.height() >= kMinHeight;
}

void CWindowTitle::showSmall()
{
    if (m_pWindow)
        m_pWindow->showMinimized();
}

void CWindowTitle::ChangSizeToFull()
{
    if (!WindowScreenLargeEnough())
        return;
    const QSize available = PrimaryAvailableSize();
    m_pWindow->setMaximumWidth(available.width());
    m_pWindow->setMaximumHeight(available.height());
    m_pWindow->resize(available);
    m_pWindow->move(0, 0);
    m_bEnlarged = true;
    m_pBtnEnlarge->setStyleSheet(RestoreStyle());
}

void CWindowTitle::ChaneMaxSizeOrRestore()
{
    if (!WindowScreenLargeEnough())
        return;
    if (m_bEnlarged) {
        const QSize available = PrimaryAvailableSize();
        m_pWindow->setFixedWidth(kMinWidth);
        m_pWindow->setFixedHeight(kMinHeight);
        m_pWindow->move(available.width() / 2 - kMinWidth / 2, available.height() / 2 - kMinHeight / 2);
        m_bEnlarged = false;
        m_pBtnEnlarge->setStyleSheet(EnlargeStyle());
    } else {
        ChangSizeToFull();
    }
}

void CWindowTitle::OnCloseWindow()
{
    if (m_pWindow)
        m_pWindow->close();
}

void CWindowTitle::mousePressEvent(QMouseEvent *event)
{
    if (m_pWindow && m_pWindow->isFullScreen())
        return;
    m_nDragging = 1;
    m_ptPressOffset = mapToParent(event->position().toPoint());
}

void CWindowTitle::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bEnlarged || m_nDragging == 0 || !m_pWindow)
        return;
    m_pWindow->move(ClampPosToWorkArea(event->globalPosition().toPoint()) - m_ptPressOffset);
}

void CWindowTitle::mouseReleaseEvent(QMouseEvent *)
{
    m_nDragging = 0;
}

void CWindowTitle::mouseDoubleClickEvent(QMouseEvent *)
{
    ChaneMaxSizeOrRestore();
}
