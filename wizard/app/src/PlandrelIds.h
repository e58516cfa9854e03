#pragma once
// The wizard program's dialogs, controls and texts by id.

#include "win/Types.h"

// Dialogs: the eleven pages in the order the sheet shows them.
inline constexpr UINT IDD_PAGE_WELCOME = 104;
inline constexpr UINT IDD_PAGE_SOURCE = 103;
inline constexpr UINT IDD_PAGE_CHECK = 105;
inline constexpr UINT IDD_PAGE_IDENTITY = 110;
inline constexpr UINT IDD_PAGE_MARKS = 114;
inline constexpr UINT IDD_PAGE_OPTIONS = 106;
inline constexpr UINT IDD_PAGE_DATABASE = 107;
inline constexpr UINT IDD_PAGE_FIELDS = 112;
inline constexpr UINT IDD_PAGE_CREATE = 108;
inline constexpr UINT IDD_PAGE_ERRORS = 111;
inline constexpr UINT IDD_PAGE_FINISH = 109;

// Pictures of the sheet.
inline constexpr UINT IDI_WIZARD = 128;
inline constexpr UINT IDB_WIZARD_HEADER = 203;
inline constexpr UINT IDB_WIZARD_WATERMARK = 205;

inline constexpr int IDC_SOURCE_PATH = 1000;
inline constexpr int IDC_BROWSE = 1001;
inline constexpr int IDC_CHECK_ERRORS = 1002;
inline constexpr int IDC_PROJECT_NAME = 1003;
inline constexpr int IDC_EMAIL = 1004;
inline constexpr int IDC_SUBJECT = 1005;
inline constexpr int IDC_COLLECT_RECIPIENTS = 1006;
inline constexpr int IDC_COLLECT_SENDERS = 1007;
inline constexpr int IDC_CODE_PAGES = 1008;
inline constexpr int IDC_CONNECTION = 1009;
inline constexpr int IDC_CHOOSE_SOURCE = 1010;
inline constexpr int IDC_TABLE_NAME = 1011;
inline constexpr int IDC_CHECK_TABLE = 1012;
inline constexpr int IDC_CREATION_ERRORS = 1013;
inline constexpr int IDC_FIELDS_GRID = 1014;
inline constexpr int IDC_SUCCESS_MARK = 1015;
inline constexpr int IDC_FAILED_MARK = 1016;
inline constexpr int IDC_EDIT_SQL = 1018;
inline constexpr int IDC_RETRY = 1019;
inline constexpr int IDC_WELCOME_TITLE = 1027;
inline constexpr int IDC_FINISH_TITLE = 1028;
inline constexpr int IDC_SUPPORT_LINK = 1029;
inline constexpr int IDC_SITE_LINK = 1030;
inline constexpr int IDC_VERSION = 1031;
inline constexpr int IDC_STATIC = -1;

// Texts of the pages (the engine's own texts have their ids in WizardIds.h).
inline constexpr UINT IDS_HTML_FILTER = 107;
inline constexpr UINT IDS_GRID_FIELD = 110;
inline constexpr UINT IDS_GRID_TYPE = 111;
inline constexpr UINT IDS_GRID_SIZE = 112;
inline constexpr UINT IDS_TABLE_EXISTS = 118;
inline constexpr UINT IDS_CHECK_OK = 119;
inline constexpr UINT IDS_SQL_BACK_WARNING = 124;
inline constexpr UINT IDS_HEADER_SOURCE = 126;
inline constexpr UINT IDS_HEADER_IDENTITY = 127;
inline constexpr UINT IDS_HEADER_MARKS = 128;
inline constexpr UINT IDS_HEADER_OPTIONS = 129;
inline constexpr UINT IDS_HEADER_DATABASE = 130;
inline constexpr UINT IDS_HEADER_FIELDS = 131;
inline constexpr UINT IDS_HEADER_CREATE = 132;
inline constexpr UINT IDS_HEADER_ERRORS = 133;
inline constexpr UINT IDS_HEADER_CHECK = 134;
inline constexpr UINT IDS_QUERY_CANCEL = 135;
inline constexpr UINT IDS_SUPPORT_ADDRESS = 137;
inline constexpr UINT IDS_HELP_FILE = 138;
