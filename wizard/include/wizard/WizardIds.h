#pragma once
// The wizard's message ids (top two bits: 3 error, 2 warning, 0 success)
// and the string ids its code reads.

#include "win/Types.h"

inline constexpr DWORD WE_S_OK = 0x200022B0;
inline constexpr DWORD WE_E_UNKNOWN = 0xE00022AF;
inline constexpr DWORD WE_E_UNEXPECTED = 0xE00022B1;
inline constexpr DWORD WE_E_UNEXPECTED_AT = 0xE00022B2;
inline constexpr DWORD WE_E_COM_CALL = 0xE00022B3;
inline constexpr DWORD WE_E_HTML_INIT = 0xE00022B5;
inline constexpr DWORD WE_E_FILE_NOT_FOUND = 0xE00022B6;
inline constexpr DWORD WE_E_FILE_SAVE = 0xE00022B8;
inline constexpr DWORD WE_E_MSHTML = 0xE00022B9;
inline constexpr DWORD WE_W_MSHTML = 0xA00022BA;
inline constexpr DWORD WE_E_NO_PATH = 0xE00022BB;
inline constexpr DWORD WE_E_NO_FORMS = 0xE00022BC;
inline constexpr DWORD WE_E_MANY_FORMS = 0xE00022BD;
inline constexpr DWORD WE_W_NO_ELEMENT = 0xA00022BE;
inline constexpr DWORD WE_W_INPUT_NAME = 0xA00022BF;
inline constexpr DWORD WE_W_SELECT_NAME = 0xA00022C0;
inline constexpr DWORD WE_W_TEXTAREA_NAME = 0xA00022C1;
inline constexpr DWORD WE_W_DUPLICATE_NAME = 0xA00022C2;
inline constexpr DWORD WE_W_SELECT_MULTIPLE = 0xA00022C3;
inline constexpr DWORD WE_W_EMPTY_OPTION = 0xA00022C6;
inline constexpr DWORD WE_W_NO_OPTIONS = 0xA00022C7;
inline constexpr DWORD WE_E_NO_CONTROLS = 0xE00022C8;
inline constexpr DWORD WE_W_SUBMIT_NAME = 0xA00022C9;
inline constexpr DWORD WE_W_RESET_NAME = 0xA00022CA;
inline constexpr DWORD WE_E_NO_SUBMIT = 0xE00022CB;
inline constexpr DWORD WE_E_PICTURE_MISSING = 0xE00022CC;
inline constexpr DWORD WE_E_CREATE_OBJECT = 0xE00022CD;
inline constexpr DWORD WE_E_PROJECT_LIST = 0xE00022CE;
inline constexpr DWORD WE_E_PROJECT_EXISTS = 0xE00022CF;
inline constexpr DWORD WE_E_MULTILANGUAGE = 0xE00022D0;
inline constexpr DWORD WE_E_METHOD_CALL = 0xE00022D2;
inline constexpr DWORD WE_E_RENAME = 0xE00022D3;
inline constexpr DWORD WE_E_CREATE_PROJECT = 0xE00022D4;
inline constexpr DWORD WE_E_PAGE_SAVE = 0xE00022D5;
inline constexpr DWORD WE_E_CREATE_TABLE = 0xE00022D6;
inline constexpr DWORD WE_E_FINALIZE = 0xE00022D7;
inline constexpr DWORD WE_E_PROJECT_DIR = 0xE00022D8;
inline constexpr DWORD WE_E_PROJECT_DIR_MISSING = 0xE00022D9;
inline constexpr DWORD WE_E_SET_PROPERTY = 0xE00022DA;
inline constexpr DWORD WE_E_FILE_COPY = 0xE00022DB;
inline constexpr DWORD WE_W_TABLE_NAME = 0xA00022DC;
inline constexpr DWORD WE_E_SQL = 0xE00022DD;
inline constexpr DWORD WE_E_DB_CONNECT = 0xE00022DE;
inline constexpr DWORD WE_E_SQL_NO_TABLE = 0xE00022DF;
inline constexpr DWORD WE_E_SQL_NO_FIELD = 0xE00022E0;
inline constexpr DWORD WE_E_NOT_A_PICTURE = 0xE00022E1;
inline constexpr DWORD WE_E_NAMES_DIFFER_IN_CASE = 0xE00022E2;
inline constexpr DWORD WE_E_EMPTY_FIELD_NAME = 0xE00022E3;
inline constexpr DWORD WE_W_FORM_ENCODING = 0xA00022E4;

inline constexpr UINT IDS_WIZARD_CAPTION = 102;
inline constexpr UINT IDS_FATAL_ERROR = 103;
inline constexpr UINT IDS_SUCCESS = 104;
inline constexpr UINT IDS_WARNING = 105;
inline constexpr UINT IDS_INFORMATION = 106;
inline constexpr UINT IDS_FIELD_PATTERN = 113;
inline constexpr UINT IDS_TYPE_CHARACTER = 114;
inline constexpr UINT IDS_TYPE_NUMERIC = 115;
inline constexpr UINT IDS_TYPE_BLOB = 121;
inline constexpr UINT IDS_TYPE_TEXT = 122;
inline constexpr UINT IDS_WEB_ADDRESS = 136;
