// The system's own texts for the error codes of the platform layer.

#include "win/Errors.h"
#include "win/Resources.h"

namespace {

const MessageResource kSystemMessages[] = {
    {ERROR_SUCCESS, 0, "The operation succeeded."},
    {ERROR_FILE_NOT_FOUND, 0, "The file cannot be found."},
    {ERROR_PATH_NOT_FOUND, 0, "The path cannot be found."},
    {ERROR_ACCESS_DENIED, 0, "Access is denied."},
    {ERROR_INVALID_HANDLE, 0, "The handle is not valid."},
    {ERROR_NOT_ENOUGH_MEMORY, 0, "There is not enough memory for this operation."},
    {ERROR_BAD_FORMAT, 0, "The file is not in a format this program can use."},
    {ERROR_INVALID_DATA, 0, "The data is not valid."},
    {ERROR_OUTOFMEMORY, 0, "There is not enough memory to complete the operation."},
    {ERROR_NO_MORE_FILES, 0, "There are no more files."},
    {ERROR_SHARING_VIOLATION, 0, "The file is in use by another process."},
    {ERROR_FILE_EXISTS, 0, "The file already exists."},
    {ERROR_INVALID_PARAMETER, 0, "A parameter is not valid."},
    {ERROR_CALL_NOT_IMPLEMENTED, 0, "This function is not available here."},
    {ERROR_INSUFFICIENT_BUFFER, 0, "The buffer is too small for the data."},
    {ERROR_INVALID_NAME, 0, "The file name, folder name or volume label is not valid."},
    {ERROR_MOD_NOT_FOUND, 0, "The module cannot be found."},
    {ERROR_PROC_NOT_FOUND, 0, "The procedure cannot be found in the module."},
    {ERROR_DIR_NOT_EMPTY, 0, "The folder is not empty."},
    {ERROR_ALREADY_EXISTS, 0, "The file or folder already exists."},
    {ERROR_MORE_DATA, 0, "More data is available."},
    {WAIT_TIMEOUT, 0, "The wait timed out."},
    {ERROR_NO_MORE_ITEMS, 0, "There are no more items."},
    {ERROR_MR_MID_NOT_FOUND, 0, "There is no message text for message number 0x%1 in the message table."},
    {ERROR_BADDB, 0, "The registry database is damaged."},
    {ERROR_BADKEY, 0, "The registry key is not valid."},
    {ERROR_CANTOPEN, 0, "The registry key cannot be opened."},
    {ERROR_CANTREAD, 0, "The registry key cannot be read."},
    {ERROR_CANTWRITE, 0, "The registry key cannot be written."},
    {ERROR_REGISTRY_CORRUPT, 0, "A registry file is damaged; it has been left as it is."},
    {ERROR_KEY_DELETED, 0, "The registry key has been deleted."},
    {ERROR_NO_UNICODE_TRANSLATION, 0, "The text has characters that the target code page lacks."},
    {ERROR_CANCELLED, 0, "The operation was cancelled by the user."},
    {ERROR_RESOURCE_DATA_NOT_FOUND, 0, "The module has no resource data."},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, 0, "The module has no resources of this type."},
    {ERROR_RESOURCE_NAME_NOT_FOUND, 0, "The module has no resource of this name."},
    {ERROR_RESOURCE_LANG_NOT_FOUND, 0, "The module has no resource in this language."},
    {static_cast<DWORD>(E_NOTIMPL), 0, "Not implemented."},
    {static_cast<DWORD>(E_NOINTERFACE), 0, "The interface is not supported."},
    {static_cast<DWORD>(E_POINTER), 0, "A pointer is not valid."},
    {static_cast<DWORD>(E_ABORT), 0, "The operation was aborted."},
    {static_cast<DWORD>(E_FAIL), 0, "Unspecified error."},
    {static_cast<DWORD>(E_UNEXPECTED), 0, "An unexpected failure occurred."},
    {static_cast<DWORD>(CLASS_E_NOAGGREGATION), 0, "The class does not support aggregation."},
    {static_cast<DWORD>(CLASS_E_CLASSNOTAVAILABLE), 0, "The class factory cannot supply the requested class."},
    {static_cast<DWORD>(REGDB_E_CLASSNOTREG), 0, "The class is not registered."},
    {static_cast<DWORD>(CO_E_NOTINITIALIZED), 0, "CoInitialize has not been called."},
    {static_cast<DWORD>(DISP_E_MEMBERNOTFOUND), 0, "Member not found."},
    {static_cast<DWORD>(DISP_E_UNKNOWNNAME), 0, "Unknown name."},
    {static_cast<DWORD>(DISP_E_TYPEMISMATCH), 0, "Type mismatch."},
    {static_cast<DWORD>(DISP_E_PARAMNOTFOUND), 0, "Parameter not found."},
    {static_cast<DWORD>(DISP_E_BADINDEX), 0, "Invalid index."},
};

const ResourceTables kTables({}, kSystemMessages, ResourceScope::System);

} // namespace
