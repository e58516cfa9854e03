#include "SqliteStatus.h"

#include <sqlite3.h>

namespace pollenta::ado {

LONG RecordStatusOf(int sqliteCode)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_CONSTRAINT:
        return adRecIntegrityViolation;
    case SQLITE_BUSY:
        return adRecConcurrencyViolation;
    case SQLITE_LOCKED:
        return adRecObjectOpen;
    case SQLITE_NOMEM:
        return adRecOutOfMemory;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return adRecPermissionDenied;
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
    case SQLITE_SCHEMA:
    case SQLITE_ERROR:  // the table or one of its columns is gone
        return adRecSchemaViolation;
    default:
        return 0;
    }
}

HRESULT HresultOf(int sqliteCode)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_CONSTRAINT:
        return DB_E_INTEGRITYVIOLATION;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DB_E_CONCURRENCYVIOLATION;
    case SQLITE_NOMEM:
        return E_OUTOFMEMORY;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return DB_SEC_E_PERMISSIONDENIED;
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG:
    case SQLITE_SCHEMA:
        return DB_E_SCHEMAVIOLATION;
    case SQLITE_ERROR:
        return DB_E_ERRORSINCOMMAND;
    default:
        return E_FAIL;
    }
}

}  // namespace pollenta::ado
