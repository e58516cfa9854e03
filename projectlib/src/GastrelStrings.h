#pragma once
// Ids of the library's string table, and reading a string by id.

#include "win/Types.h"

#include <string>

namespace gastrel {

inline constexpr UINT IDS_DEFAULT_EMAIL = 1101;
inline constexpr UINT IDS_ACCESS_ADDIN_NAME = 1114;
inline constexpr UINT IDS_LAUNCH_ERROR_CAPTION = 1112;
inline constexpr UINT IDS_CREATE_PROCESS_ERROR = 1113;
inline constexpr UINT IDS_INSTALLATION_CAPTION = 1117;
inline constexpr UINT IDS_IMPORT_DETAILS = 1118;
inline constexpr UINT IDS_EMPTY_TEXT = 1119;
inline constexpr UINT IDS_IMPORT_WARNING_COUNT = 1120;
inline constexpr UINT IDS_IMPORT_USAGE = 1121;
inline constexpr UINT IDS_IMPORT_DONE = 1122;
inline constexpr UINT IDS_UNINSTALL_CAPTION = 1123;
inline constexpr UINT IDS_UNINSTALL_QUESTION = 1124;
// The message of an import result is this id plus the result (-1 to 12).
inline constexpr UINT IDS_IMPORT_RESULT_BASE = 1129;
inline constexpr UINT IDS_IMPORT_UNKNOWN_RESULT = 1142;
inline constexpr UINT IDS_NO_BROWSER = 1201;
inline constexpr UINT IDS_RESULT_CODE = 1320;
inline constexpr UINT IDS_DEFAULT_SUCCESS_MARK = 1151;
inline constexpr UINT IDS_DEFAULT_FAILED_MARK = 1152;
inline constexpr UINT IDS_DEFAULT_SUBJECT = 1153;
inline constexpr UINT IDS_DEFAULT_TEXT_BLOCK = 1154;
inline constexpr UINT IDS_DEFAULT_NO_EMPTY_SECTIONS = 1155;
inline constexpr UINT IDS_DEFAULT_IS_SAMPLE = 1156;
inline constexpr UINT IDS_DEFAULT_USE_SECTION_BACKGROUND = 1157;
inline constexpr UINT IDS_DEFAULT_USE_TEXT_BLOCK = 1158;
inline constexpr UINT IDS_DEFAULT_COLLECT_RECIPIENTS = 1159;
inline constexpr UINT IDS_DEFAULT_COLLECT_SENDERS = 1160;
inline constexpr UINT IDS_DEFAULT_VIEWER = 1161;
inline constexpr UINT IDS_DEFAULT_FIX_RATIO = 1162;
inline constexpr UINT IDS_DEFAULT_DEF_VALUES = 1163;
inline constexpr UINT IDS_REGISTRATION_ERROR_CAPTION = 1202;
inline constexpr UINT IDS_REGISTRATION_ERROR_FIRST = 1203;
inline constexpr UINT IDS_UNKNOWN_ERROR = 1298;
inline constexpr UINT IDS_ERROR_TEXT_COUNT = 1299;

// The text of a string, or "" when the table has none of that id.
std::string LoadGastrelString(UINT id);

}  // namespace gastrel
