#pragma once
// Between the window layer's types and Qt's. Text is the process's ANSI
// text, UTF-8.

#include "ui/Types.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string>

inline QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline QString ToQString(LPCSTR text) { return text ? QString::fromUtf8(text) : QString(); }
inline std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

inline QRect ToQRect(const RECT& r) { return QRect(QPoint(r.left, r.top), QSize(r.right - r.left, r.bottom - r.top)); }
inline RECT FromQRect(const QRect& r) { return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
