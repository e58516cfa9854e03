#pragma once
// What the layer keeps about one window.

#include "ui/Types.h"

#include <QPointer>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

class CWnd;
class QTimer;
struct HICON__;

struct WindowRecord {
    HWND handle = nullptr;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::string text;      // the widget shows it; edits and combo boxes keep their own
    HWND parent = nullptr; // null for a top-level window
    QPointer<QWidget> widget;
    CWnd* handler = nullptr;
    std::map<std::string, HANDLE> props; // keys in lower case: names are case-insensitive
    HRGN region = nullptr;               // owned
    HFONT font = nullptr;                // not owned
    HFONT ownedFont = nullptr;           // a dialog's template font
    HICON__* icon = nullptr;             // not owned (WM_SETICON)
    std::map<UINT_PTR, QTimer*> timers;
    QSize reportedSize;                  // as last told to OnSize
    UINT reportedKind = 0xFFFF;
    int sizing = 0;                      // >0 while the layer itself resizes
};
