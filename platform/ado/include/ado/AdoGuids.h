#pragma once
// Class and interface ids of the ADO objects, with their published values.

#include "com/Guid.h"

#define POLLENTA_ADO_GUID(name, data1) \
    inline constexpr GUID name = {data1, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x6D, 0x2E, 0xA4}}

POLLENTA_ADO_GUID(CLSID_Connection, 0x00000514);
POLLENTA_ADO_GUID(CLSID_Recordset, 0x00000535);
POLLENTA_ADO_GUID(CLSID_Command, 0x00000507);
POLLENTA_ADO_GUID(IID__Command, 0x0000054E);
POLLENTA_ADO_GUID(IID__Connection, 0x00000550);
POLLENTA_ADO_GUID(IID__Recordset, 0x00000556);
POLLENTA_ADO_GUID(IID_Fields, 0x00000564);
POLLENTA_ADO_GUID(IID_Field, 0x00000569);
POLLENTA_ADO_GUID(IID_Errors, 0x00000501);
POLLENTA_ADO_GUID(IID_Error, 0x00000500);

#undef POLLENTA_ADO_GUID
