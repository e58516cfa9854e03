#pragma once
// The add-in's icons and bitmaps, drawn for it and compiled into the module
// from addin/pictures; loaded by id as a resource script names them. Each
// answer is the caller's (DestroyIcon, DeleteObject); null for an unknown id.

#include "ui/Bitmap.h"

inline constexpr UINT IDI_ABOUT = 207;
inline constexpr UINT IDI_FOLDERS = 211;
inline constexpr UINT IDI_PROCESSING = 212;
inline constexpr UINT IDI_LOGS = 214;
inline constexpr UINT IDI_LOG_SETTINGS = 215;
inline constexpr UINT IDI_LOG_FOLDER = 216;
inline constexpr UINT IDI_LOG_VIEW = 217;
inline constexpr UINT IDB_CHECK_STATES = 208;
inline constexpr UINT IDB_PROJECT = 209;
inline constexpr UINT IDB_FOLDERS = 211;

HICON LoadKestrinIcon(UINT id);
HBITMAP LoadKestrinBitmap(UINT id);
