#pragma once
// The texts a window shows that its controls cut off. Every static, button,
// check box, radio button, group box, combo box item and list view column of
// the window and of the windows inside it is measured with the control's own
// font, wrapped where the control wraps, against the room the control's
// style leaves for the text. Hidden controls are left out, so a sheet is
// measured page by page.
//
//     for (const CutText& cut : FindCutTexts(dialog)) ...

#include "win/Types.h"

#include <string>
#include <vector>

struct CutText {
    int id = 0;                // the control's id
    std::string className;     // its window class
    std::string text;          // the text that does not fit
    int needed = 0;            // pixels the text takes
    int available = 0;         // pixels the control leaves it
    std::string dimension;     // "width" or "height"
};

std::vector<CutText> FindCutTexts(HWND window);
// One line per cut text, for a test's failure message.
std::string DescribeCutTexts(const std::vector<CutText>& cuts);
