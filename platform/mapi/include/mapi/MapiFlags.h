#pragma once
// Flags, object types and event kinds of the MAPI calls, with their
// published values.

#include "win/Types.h"

// Initialisation and logon
inline constexpr ULONG MAPI_INIT_VERSION = 0;
inline constexpr ULONG MAPI_MULTITHREAD_NOTIFICATIONS = 0x00000001;
inline constexpr ULONG MAPI_NO_COINIT = 0x00000008;
inline constexpr ULONG MAPI_NT_SERVICE = 0x00010000;
inline constexpr ULONG MAPI_LOGON_UI = 0x00000001;
inline constexpr ULONG MAPI_NEW_SESSION = 0x00000002;
inline constexpr ULONG MAPI_ALLOW_OTHERS = 0x00000008;
inline constexpr ULONG MAPI_EXPLICIT_PROFILE = 0x00000010;
inline constexpr ULONG MAPI_EXTENDED = 0x00000020;
inline constexpr ULONG MAPI_USE_DEFAULT = 0x00000040;
inline constexpr ULONG MAPI_NO_MAIL = 0x00008000;
inline constexpr ULONG MAPI_UNICODE = 0x80000000;

// Access
inline constexpr ULONG MAPI_MODIFY = 0x00000001;
inline constexpr ULONG MAPI_CREATE = 0x00000002;
inline constexpr ULONG MAPI_DIALOG = 0x00000008;
inline constexpr ULONG MAPI_DEFERRED_ERRORS = 0x00000008;
inline constexpr ULONG MAPI_BEST_ACCESS = 0x00000010;
inline constexpr ULONG MDB_NO_DIALOG = 0x00000001;
inline constexpr ULONG MDB_WRITE = 0x00000004;
inline constexpr ULONG MDB_TEMPORARY = 0x00000020;
inline constexpr ULONG MDB_NO_MAIL = 0x00000080;

// Saving, submitting, copying
inline constexpr ULONG KEEP_OPEN_READONLY = 0x00000001;
inline constexpr ULONG KEEP_OPEN_READWRITE = 0x00000002;
inline constexpr ULONG FORCE_SAVE = 0x00000004;
inline constexpr ULONG FORCE_SUBMIT = 0x00000001;
inline constexpr ULONG MODRECIP_ADD = 0x00000002;
inline constexpr ULONG MODRECIP_MODIFY = 0x00000004;
inline constexpr ULONG MODRECIP_REMOVE = 0x00000008;
inline constexpr ULONG MESSAGE_MOVE = 0x00000001;
inline constexpr ULONG MESSAGE_DIALOG = 0x00000002;
inline constexpr ULONG MAPI_NOREPLACE = 0x00000002;
inline constexpr ULONG FOLDER_GENERIC = 1;
inline constexpr ULONG OPEN_IF_EXISTS = 0x00000001;

// Status and spooler
inline constexpr ULONG FLUSH_UPLOAD = 0x00000002;
inline constexpr ULONG FLUSH_DOWNLOAD = 0x00000004;
inline constexpr ULONG FLUSH_FORCE = 0x00000008;
inline constexpr ULONG FLUSH_NO_UI = 0x00000010;
inline constexpr ULONG FLUSH_ASYNC_OK = 0x00000020;

// Compressed RTF
inline constexpr ULONG STORE_UNCOMPRESSED_RTF = 0x00008000;
inline constexpr ULONG RTF_SYNC_RTF_CHANGED = 0x00000001;
inline constexpr ULONG RTF_SYNC_BODY_CHANGED = 0x00000002;

// Object types (PR_OBJECT_TYPE) and resource types (PR_RESOURCE_TYPE)
inline constexpr ULONG MAPI_STORE = 1;
inline constexpr ULONG MAPI_ADDRBOOK = 2;
inline constexpr ULONG MAPI_FOLDER = 3;
inline constexpr ULONG MAPI_ABCONT = 4;
inline constexpr ULONG MAPI_MESSAGE = 5;
inline constexpr ULONG MAPI_MAILUSER = 6;
inline constexpr ULONG MAPI_ATTACH = 7;
inline constexpr ULONG MAPI_DISTLIST = 8;
inline constexpr ULONG MAPI_PROFSECT = 9;
inline constexpr ULONG MAPI_STATUS = 10;
inline constexpr ULONG MAPI_SESSION = 11;
inline constexpr ULONG MAPI_STORE_PROVIDER = 33;
inline constexpr ULONG MAPI_AB = 34;
inline constexpr ULONG MAPI_TRANSPORT_PROVIDER = 36;
inline constexpr ULONG MAPI_SPOOLER = 37;
inline constexpr ULONG MAPI_SUBSYSTEM = 39;
inline constexpr ULONG DT_MAILUSER = 0;
inline constexpr ULONG DT_DISTLIST = 1;

// Recipients and messages
inline constexpr ULONG MAPI_ORIG = 0;
inline constexpr ULONG MAPI_TO = 1;
inline constexpr ULONG MAPI_CC = 2;
inline constexpr ULONG MAPI_BCC = 3;
inline constexpr ULONG MSGFLAG_READ = 0x00000001;
inline constexpr ULONG MSGFLAG_UNMODIFIED = 0x00000002;
inline constexpr ULONG MSGFLAG_SUBMIT = 0x00000004;
inline constexpr ULONG MSGFLAG_UNSENT = 0x00000008;
inline constexpr ULONG MSGFLAG_HASATTACH = 0x00000010;
inline constexpr ULONG ATTACH_BY_VALUE = 1;
inline constexpr ULONG STORE_ENTRYID_UNIQUE = 0x00000001;
inline constexpr ULONG STORE_READONLY = 0x00000002;
inline constexpr ULONG STORE_SEARCH_OK = 0x00000004;
inline constexpr ULONG STORE_MODIFY_OK = 0x00000008;
inline constexpr ULONG STORE_CREATE_OK = 0x00000010;
inline constexpr ULONG STORE_ATTACH_OK = 0x00000020;
inline constexpr ULONG STORE_SUBMIT_OK = 0x00000080;
inline constexpr ULONG STORE_NOTIFY_OK = 0x00000100;
inline constexpr ULONG STORE_HTML_OK = 0x00010000;

// Notifications
inline constexpr ULONG fnevCriticalError = 0x00000001;
inline constexpr ULONG fnevNewMail = 0x00000002;
inline constexpr ULONG fnevObjectCreated = 0x00000004;
inline constexpr ULONG fnevObjectDeleted = 0x00000008;
inline constexpr ULONG fnevObjectModified = 0x00000010;
inline constexpr ULONG fnevObjectMoved = 0x00000020;
inline constexpr ULONG fnevObjectCopied = 0x00000040;

// Tables, restrictions and sort orders
inline constexpr ULONG TBL_NOADVANCE = 0x00000001;
inline constexpr ULONG TABLE_SORT_ASCEND = 0x00000000;
inline constexpr ULONG TABLE_SORT_DESCEND = 0x00000001;
inline constexpr ULONG RES_AND = 0;
inline constexpr ULONG RES_OR = 1;
inline constexpr ULONG RES_NOT = 2;
inline constexpr ULONG RES_CONTENT = 3;
inline constexpr ULONG RES_PROPERTY = 4;
inline constexpr ULONG RES_COMPAREPROPS = 5;
inline constexpr ULONG RES_BITMASK = 6;
inline constexpr ULONG RES_SIZE = 7;
inline constexpr ULONG RES_EXIST = 8;
inline constexpr ULONG RELOP_LT = 0;
inline constexpr ULONG RELOP_LE = 1;
inline constexpr ULONG RELOP_GT = 2;
inline constexpr ULONG RELOP_GE = 3;
inline constexpr ULONG RELOP_EQ = 4;
inline constexpr ULONG RELOP_NE = 5;

// Named properties
inline constexpr ULONG MNID_ID = 0;
inline constexpr ULONG MNID_STRING = 1;

inline constexpr ULONG MAPI_ERROR_VERSION = 0;
