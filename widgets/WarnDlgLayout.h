#pragma once

// Width choice of the message dialog, free of any window.
struct WarnDlgWidths
{
    int dialogWidth;
    int textWidth;   // fixed width of the text area
};

// textWidth is the message measured as one line in the text area's font.
// Short messages get the narrowest dialog (300), longer ones grow with the
// text up to the widest (400), where the text wraps in a 378-pixel area.
WarnDlgWidths ChooseWarnDlgWidth(int textWidth, int minWidth = 300, int maxWidth = 400, int margin = 12);
