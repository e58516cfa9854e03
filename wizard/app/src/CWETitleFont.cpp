#include "CWETitleFont.h"

#include <cstring>

namespace {
// The dialog layer draws at 96 dots per inch.
constexpr LONG kLogPixelsY = 96;
}

CWETitleFont::~CWETitleFont()
{
    if (m_hFont)
        DeleteObject(m_hFont);
}

void CWETitleFont::ApplyTo(HWND control)
{
    if (!m_hFont) {
        LOGFONT font{};
        font.lfHeight = -(kLogPixelsY * 12 / 72);
        font.lfWeight = 700;
        std::strncpy(font.lfFaceName, "Verdana Bold", LF_FACESIZE - 1);
        m_hFont = CreateFontIndirect(&font);
    }
    SetWindowFont(control, m_hFont, TRUE);
}
