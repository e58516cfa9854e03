#pragma once
// Files and folders with the Win32 calls the system makes. Paths are native
// ("/" between folders). A file's creation time is the older of its birth
// time and its last write time, so a test can age a file by setting its
// modification time.

#include "win/Errors.h"
#include "win/Synch.h"
#include "win/Types.h"

inline constexpr DWORD MAX_PATH = 260;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x00000002;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATA = WIN32_FIND_DATA*;

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
};

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard };

// The last part of the path may hold the wildcards * and ?, matched without
// regard to case as on Windows ("*.*" matches every name, with or without a
// dot); without wildcards the entry itself is found, a folder too. Entries
// come in name order, "." and ".." included. No match gives
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (ERROR_PATH_NOT_FOUND when
// the folder is missing).
HANDLE FindFirstFile(LPCSTR pattern, LPWIN32_FIND_DATA data);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFile(HANDLE find, LPWIN32_FIND_DATA data);
BOOL FindClose(HANDLE find);

DWORD GetFileAttributes(LPCSTR path);
BOOL GetFileAttributesEx(LPCSTR path, GET_FILEEX_INFO_LEVELS level, LPVOID information);

// One level: a missing parent fails with ERROR_PATH_NOT_FOUND and an
// existing folder with ERROR_ALREADY_EXISTS.
BOOL CreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES attributes);
// Every missing level; returns ERROR_SUCCESS, ERROR_ALREADY_EXISTS when the
// folder was there, or the error that stopped it.
int SHCreateDirectoryEx(HWND owner, LPCSTR path, const SECURITY_ATTRIBUTES* attributes);
// Only an empty folder (ERROR_DIR_NOT_EMPTY otherwise).
BOOL RemoveDirectory(LPCSTR path);
BOOL DeleteFile(LPCSTR path);
BOOL CopyFile(LPCSTR existing, LPCSTR target, BOOL failIfExists);
// Fails with ERROR_ALREADY_EXISTS when the target exists.
BOOL MoveFile(LPCSTR existing, LPCSTR target);

// Sharing modes are not enforced. The handle is closed with CloseHandle.
HANDLE CreateFile(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes, DWORD disposition,
                  DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPVOID overlapped);
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);
