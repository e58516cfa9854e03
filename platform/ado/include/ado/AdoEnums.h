#pragma once
// The ADO enumerations with their documented values, as callers compare them.

#include "win/Errors.h"

enum DataTypeEnum : LONG {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

enum CursorTypeEnum : LONG {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : LONG {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CommandTypeEnum : LONG {
    adCmdUnspecified = -1,
    adCmdUnknown = 8,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdTableDirect = 512,
};

enum ExecuteOptionEnum : LONG {
    adExecuteNoRecords = 0x80,
};

enum ObjectStateEnum : LONG {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum SchemaEnum : LONG {
    adSchemaTables = 20,
};

// Status of the current record; bits.
enum RecordStatusEnum : LONG {
    adRecOK = 0,
    adRecNew = 0x1,
    adRecModified = 0x2,
    adRecDeleted = 0x4,
    adRecUnmodified = 0x8,
    adRecInvalid = 0x10,
    adRecMultipleChanges = 0x40,
    adRecPendingChanges = 0x80,
    adRecCanceled = 0x100,
    adRecCantRelease = 0x400,
    adRecConcurrencyViolation = 0x800,
    adRecIntegrityViolation = 0x1000,
    adRecMaxChangesExceeded = 0x2000,
    adRecObjectOpen = 0x4000,
    adRecOutOfMemory = 0x8000,
    adRecPermissionDenied = 0x10000,
    adRecSchemaViolation = 0x20000,
    adRecDBDeleted = 0x40000,
};

// Status of one field of the record being added.
enum FieldStatusEnum : LONG {
    adFieldOK = 0,
    adFieldCantConvertValue = 2,
    adFieldIsNull = 3,
    adFieldDataOverflow = 6,
    adFieldPermissionDenied = 9,
    adFieldPendingInsert = 0x10000,
};

enum FieldAttributeEnum : LONG {
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldRowID = 0x100,
    adFldKeyColumn = 0x8000,
};

// Failures of the ADO objects themselves (facility 0x0A, ADO error numbers).
inline constexpr HRESULT adErrInvalidArgument = POLLENTA_HR(0x800A0BB9);
inline constexpr HRESULT adErrNoCurrentRecord = POLLENTA_HR(0x800A0BCD);
inline constexpr HRESULT adErrFeatureNotAvailable = POLLENTA_HR(0x800A0CB3);
inline constexpr HRESULT adErrItemNotFound = POLLENTA_HR(0x800A0CC1);
inline constexpr HRESULT adErrDataConversion = POLLENTA_HR(0x800A0D5D);
inline constexpr HRESULT adErrObjectClosed = POLLENTA_HR(0x800A0E78);
inline constexpr HRESULT adErrObjectOpen = POLLENTA_HR(0x800A0E79);
inline constexpr HRESULT adErrProviderNotFound = POLLENTA_HR(0x800A0E7A);
inline constexpr HRESULT adErrIllegalOperation = POLLENTA_HR(0x800A0C93);

// Failures reported by the data provider.
inline constexpr HRESULT DB_E_CANTCONVERTVALUE = POLLENTA_HR(0x80040E07);
inline constexpr HRESULT DB_SEC_E_PERMISSIONDENIED = POLLENTA_HR(0x80040E09);
inline constexpr HRESULT DB_E_ERRORSINCOMMAND = POLLENTA_HR(0x80040E14);
inline constexpr HRESULT DB_E_ERRORSOCCURRED = POLLENTA_HR(0x80040E21);
inline constexpr HRESULT DB_E_INTEGRITYVIOLATION = POLLENTA_HR(0x80040E2F);
inline constexpr HRESULT DB_E_NOTABLE = POLLENTA_HR(0x80040E37);
inline constexpr HRESULT DB_E_CONCURRENCYVIOLATION = POLLENTA_HR(0x80040E38);
inline constexpr HRESULT DB_E_DATAOVERFLOW = POLLENTA_HR(0x80040E57);
inline constexpr HRESULT DB_E_SCHEMAVIOLATION = POLLENTA_HR(0x80040E4A);
