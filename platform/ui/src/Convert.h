#pragma once
// Between the window layer's types and Qt's. Text on our side is in the
// process's ANSI code page, whichever it is.

#include "ui/Types.h"
#include "win/CodePage.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

inline QString ToQString(std::string_view text)
{
    const std::u16string wide = ToWide(text);
    return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}
inline QString ToQString(LPCSTR text) { return text ? ToQString(std::string_view(text)) : QString(); }
// Characters that the code page lacks become "?", as on Windows.
inline std::string FromQString(const QString& text)
{
    return ToNarrow(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

inline QRect ToQRect(const RECT& r) { return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top)); }
inline RECT FromQRect(const QRect& r) { return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
