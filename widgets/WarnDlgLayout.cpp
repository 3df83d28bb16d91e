#include "widgets/WarnDlgLayout.h"

WarnDlgWidths ChooseWarnDlgWidth(int textWidth, int minWidth, int maxWidth, int margin)
{
    const int tw = textWidth + 15;
    if (tw + 10 <= minWidth - margin)
        return {minWidth, tw};
    if (tw + 10 < maxWidth - margin)
        return {tw + 10 + margin, tw};
    return {maxWidth, maxWidth - margin - 10};
}
