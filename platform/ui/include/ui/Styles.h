#pragma once
// Window and control styles, with the values that templates and callers use.

#include "win/Types.h"

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

inline constexpr DWORD WS_EX_LAYOUTRTL = 0x00400000;

// Dialog styles.
inline constexpr DWORD DS_MODALFRAME = 0x80;
inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD DS_CENTER = 0x0800;

// Static controls; the low five bits select the kind.
inline constexpr DWORD SS_TYPEMASK = 0x1F;
inline constexpr DWORD SS_LEFT = 0;
inline constexpr DWORD SS_CENTER = 1;
inline constexpr DWORD SS_RIGHT = 2;
inline constexpr DWORD SS_ICON = 3;
inline constexpr DWORD SS_BLACKRECT = 4;
inline constexpr DWORD SS_GRAYRECT = 5;
inline constexpr DWORD SS_WHITERECT = 6;
inline constexpr DWORD SS_SIMPLE = 11;
inline constexpr DWORD SS_LEFTNOWORDWRAP = 12;
inline constexpr DWORD SS_BITMAP = 14;
inline constexpr DWORD SS_ENHMETAFILE = 15;
inline constexpr DWORD SS_ETCHEDHORZ = 16;
inline constexpr DWORD SS_ETCHEDVERT = 17;
inline constexpr DWORD SS_NOTIFY = 0x100;
inline constexpr DWORD SS_CENTERIMAGE = 0x200;

// Buttons; the low four bits select the kind.
inline constexpr DWORD BS_TYPEMASK = 0x0F;
inline constexpr DWORD BS_PUSHBUTTON = 0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 1;
inline constexpr DWORD BS_CHECKBOX = 2;
inline constexpr DWORD BS_AUTOCHECKBOX = 3;
inline constexpr DWORD BS_RADIOBUTTON = 4;
inline constexpr DWORD BS_3STATE = 5;
inline constexpr DWORD BS_AUTO3STATE = 6;
inline constexpr DWORD BS_GROUPBOX = 7;
inline constexpr DWORD BS_AUTORADIOBUTTON = 9;
// A check box or radio button whose text wraps onto further lines.
inline constexpr DWORD BS_MULTILINE = 0x2000;

// Edits, combo boxes, scroll bars, list and tree views, progress bars, toolbars.
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD SBS_VERT = 0x0001;
inline constexpr DWORD SBS_SIZEGRIP = 0x0010;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_CHECKBOXES = 0x0100;
inline constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;

// Control class names, compared exactly.
inline constexpr char WC_BUTTON[] = "Button";
inline constexpr char WC_STATIC[] = "Static";
inline constexpr char WC_EDIT[] = "Edit";
inline constexpr char WC_COMBOBOX[] = "ComboBox";
inline constexpr char WC_LISTBOX[] = "ListBox";
inline constexpr char WC_SCROLLBAR[] = "ScrollBar";
inline constexpr char WC_LISTVIEW[] = "SysListView32";
inline constexpr char WC_TREEVIEW[] = "SysTreeView32";
inline constexpr char PROGRESS_CLASS[] = "msctls_progress32";
inline constexpr char TOOLBARCLASSNAME[] = "ToolbarWindow32";
inline constexpr char WC_TABCONTROL[] = "SysTabControl32";
