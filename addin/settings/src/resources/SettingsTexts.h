#pragma once
// The texts of the settings windows in the add-in's string table.

#include "win/Types.h"

inline constexpr UINT IDS_ACTION_LEAVE = 116;
inline constexpr UINT IDS_ACTION_MOVE = 117;
inline constexpr UINT IDS_ACTION_DELETE = 118;
inline constexpr UINT IDS_LOG_FOLDER_TITLE = 119;
inline constexpr UINT IDS_LOG_FILE_NAME = 121;
inline constexpr UINT IDS_LOG_CREATED = 122;
inline constexpr UINT IDS_LOG_LIST_EMPTY = 123;
inline constexpr UINT IDS_LOG_NOT_FOUND = 124;
inline constexpr UINT IDS_ACTION_FLAG = 125;
inline constexpr UINT IDS_ACTION_EXPIRE = 126;
inline constexpr UINT IDS_KEEP_DAYS_RANGE = 128;
inline constexpr UINT IDS_APPLY_BUSY = 141;

#include <string>

// A text of the add-in's string table, these texts included; "" when the
// table lacks it.
std::string SettingsString(UINT id);
