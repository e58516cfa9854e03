#pragma once
// The add-in's own texts: its string table, its message table (the texts of
// the log) and its version strings, found under the module that carries
// them.

#include "win/Types.h"

#include <optional>
#include <string>

inline constexpr UINT IDS_PRODUCT_CAPTION = 101;
inline constexpr UINT IDS_ABOUT = 104;
inline constexpr UINT IDS_HOME_PAGE_CAPTION = 106;
inline constexpr UINT IDS_HELP = 107;
inline constexpr UINT IDS_CREATE_SURVEY = 108;
inline constexpr UINT IDS_SEND_SURVEY = 109;
inline constexpr UINT IDS_SEND_CANCELLED = 110;
inline constexpr UINT IDS_SEND_UNRESOLVED = 111;
inline constexpr UINT IDS_SEND_NO_RECIPIENTS = 112;
inline constexpr UINT IDS_SEND_ALL_EXCLUDED = 113;
inline constexpr UINT IDS_SEND_EMPTY_LISTS = 114;
inline constexpr UINT IDS_SEND_UNKNOWN = 115;
inline constexpr UINT IDS_LOG_FIELDS = 120;
inline constexpr UINT IDS_VIEW_LOGS = 128;
inline constexpr UINT IDS_FLAG_TEXT = 127;
inline constexpr UINT IDS_NO_WORD_EDITOR = 129;
inline constexpr UINT IDS_NO_PROJECTS = 130;
inline constexpr UINT IDS_DELETE_PROJECT = 132;
inline constexpr UINT IDS_HOME_PAGE = 133;
inline constexpr UINT IDS_SUPPORT_PAGE = 134;
inline constexpr UINT IDS_HELP_FILE = 138;
inline constexpr UINT IDS_USE_SEND_SURVEY = 140;
inline constexpr UINT IDS_VALUE_NOT_TEXT = 139;
inline constexpr UINT IDS_VALUE_NOT_ANSI = 142;
inline constexpr UINT IDS_FLAG_TEXT_FAILED = 143;

// The module the add-in's code and texts are in.
HMODULE KestrinModule();
// The module's file; "" when the path cannot be read.
std::string KestrinModulePath();
// The folder of that module's file, with its closing "/"; "" when the path
// cannot be read.
std::string KestrinModuleFolder();
// A text of the string table; "" when the table lacks it.
std::string KestrinString(UINT id);
// A string of the module's version block (US English, Unicode): "" when
// the module has no version block, nothing when the block lacks it.
std::optional<std::string> KestrinVersionString(const char* name);
