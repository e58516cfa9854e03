#include "ado/AdoCreate.h"

#include "CAdoCommand.h"
#include "CAdoConnection.h"
#include "CAdoRecordset.h"

#include <atomic>

namespace pollenta::ado {
namespace {
std::atomic<CreateHook> g_hook{nullptr};
}

void SetCreateHook(CreateHook hook) { g_hook = hook; }

}  // namespace pollenta::ado

extern "C" HRESULT AdoCreateInstance(REFCLSID clsid, REFIID iid, void** object)
{
    using namespace pollenta::ado;
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (const CreateHook hook = g_hook.load())
        return hook(clsid, iid, object);
    if (clsid == CLSID_Connection)
        return CAdoConnection::CreateInstance(iid, object);
    if (clsid == CLSID_Command)
        return CAdoCommand::CreateInstance(iid, object);
    if (clsid == CLSID_Recordset)
        return CAdoRecordset::CreateInstance(iid, object);
    return REGDB_E_CLASSNOTREG;
}
