#include "widgets/CToolTip.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "widgets/CToolLabel.h"

namespace {

QPalette& TipPalette()
{
    static QPalette palette = QGuiApplication::palette();
    return palette;
}

} // namespace

void CToolTip::ShowText(const QPoint& globalPos, const QString& text, QWidget* w)
{
    ShowText(globalPos, text, w, QRect());
}

void CToolTip::ShowText(const QPoint& globalPos, const QString& text, QWidget* w, const QRect& rect)
{
    CToolLabel* tip = CToolLabel::Instance();
    if (tip && tip->isVisible()) {
        if (text.isEmpty()) {
            tip->HideTip();
            return;
        }
        const QPoint local = w ? w->mapFromGlobal(globalPos) : globalPos;
        if (tip->TipChanged(local, text, w)) {
            tip->ReuseTip(text);
            tip->setTipRect(w, rect);
            tip->PlaceTip(globalPos, w);
        }
        return;
    }
    if (text.isEmpty())
        return;

    // No parent widget: showing the tip must not raise w's window. The tip
    // goes onto the screen of the requested point instead.
    tip = new CToolLabel(text, nullptr);
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int screen = CToolLabel::TipScreen(globalPos, w);
    if (screen < screens.size())
        tip->setScreen(screens.at(screen));
    tip->setTipRect(w, rect);
    tip->PlaceTip(globalPos, w);
    tip->setObjectName(QStringLiteral("ctooltip_label"));
    tip->show();
}

void CToolTip::HideText()
{
    CToolLabel* tip = CToolLabel::Instance();
    // Only hidden: the next ShowText replaces it, as a hidden tip is not reused.
    if (tip && tip->isVisible())
        tip->hide();
}

bool CToolTip::IsVisible()
{
    CToolLabel* tip = CToolLabel::Instance();
    return tip && tip->isVisible();
}

QString CToolTip::Text()
{
    CToolLabel* tip = CToolLabel::Instance();
    return tip ? tip->text() : QString();
}

QPalette CToolTip::Palette()
{
    return TipPalette();
}

void CToolTip::SetPalette(const QPalette& palette)
{
    TipPalette() = palette;
    if (CToolLabel* tip = CToolLabel::Instance())
        tip->setPalette(palette);
}

QFont CToolTip::Font()
{
    return QApplication::font("CToolLabel");
}

void CToolTip::SetFont(const QFont& font)
{
    QApplication::setFont(font, "CToolLabel");
}
