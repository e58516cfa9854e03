#pragma once
// File and folder choosers. A test answers them through one hook instead of
// the user. Where no user can see a chooser (no display, or an offscreen
// platform with no hook), it says so on stderr and is cancelled.

#include "win/Types.h"

#include <functional>
#include <string>

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    HWND hwndOwner = nullptr;
    // Pairs of description and pattern list ("*.csv;*.txt"), each ended by
    // a NUL, the whole list by a second NUL.
    LPCSTR lpstrFilter = nullptr;
    DWORD nFilterIndex = 0;
    LPSTR lpstrFile = nullptr; // in: the initial name; out: the chosen path
    DWORD nMaxFile = 0;
    LPCSTR lpstrInitialDir = nullptr;
    LPCSTR lpstrTitle = nullptr;
    DWORD Flags = 0;
    LPCSTR lpstrDefExt = nullptr;
};

BOOL GetOpenFileName(OPENFILENAME* request);
BOOL GetSaveFileName(OPENFILENAME* request);

struct BROWSEINFO {
    HWND hwndOwner = nullptr;
    LPSTR pszDisplayName = nullptr; // out: the folder's name, 260 characters
    LPCSTR lpszTitle = nullptr;
    UINT ulFlags = 0;
    // The folder selected when the chooser opens, or null (what a callback
    // answering BFFM_INITIALIZED with BFFM_SETSELECTION does on Windows).
    LPCSTR lpszSelection = nullptr;
};
struct ITEMIDLIST__;
using PIDLIST_ABSOLUTE = ITEMIDLIST__*;

// A chosen folder, or null when the user cancelled; free it with ILFree.
PIDLIST_ABSOLUTE SHBrowseForFolder(BROWSEINFO* request);
BOOL SHGetPathFromIDList(PIDLIST_ABSOLUTE folder, LPSTR path);
void ILFree(PIDLIST_ABSOLUTE folder);

struct ChooserRequest {
    enum class Kind { Open, Save, Folder };
    Kind kind = Kind::Open;
    HWND owner = nullptr;
    std::string title;
    std::string filter;      // the filter list with its NULs as "|"
    std::string initialPath; // the initial file name, or the initial folder
    DWORD flags = 0;
};
// Answers true with the chosen path, or false for a cancelled chooser.
using ChooserHook = std::function<bool(const ChooserRequest& request, std::string& path)>;
ChooserHook SetChooserHook(ChooserHook hook);
