#pragma once
// The clipboard as Windows programs use it: one opener at a time, emptied
// by the opener, formats by number each with its bytes, registered formats
// by name (numbers from 0xC000). Where the process runs a Qt application it
// stands on Qt's clipboard, so other programs see what is put and what they
// put is seen: CF_TEXT as text, CF_BITMAP (the bytes of a .bmp file) as an
// image, a registered format under its name as MIME type.
//
//     if (OpenClipboard(nullptr)) {
//         EmptyClipboard();
//         SetClipboardBytes(CF_BITMAP, bmpFileBytes);
//         CloseClipboard();
//     }

#include "win/Types.h"

#include <vector>

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;

// FALSE while the clipboard is open, here or (for tests) elsewhere.
BOOL OpenClipboard(HWND owner);
// Hands what changed to the system's clipboard.
BOOL CloseClipboard();
// Only for the opener.
BOOL EmptyClipboard();
// The format after `format` (0: the first); 0 after the last.
UINT EnumClipboardFormats(UINT format);
UINT RegisterClipboardFormat(LPCSTR name);
// The registered name's length, 0 for a standard format.
int GetClipboardFormatName(UINT format, LPSTR name, int size);

// Not Windows functions: a format's bytes in place of its memory handle.
BOOL GetClipboardBytes(UINT format, std::vector<BYTE>& bytes);
// Only for the opener; replaces what the format held.
BOOL SetClipboardBytes(UINT format, const std::vector<BYTE>& bytes);
// For tests: another program holds the clipboard open.
void SetClipboardHeldElsewhere(bool held);
