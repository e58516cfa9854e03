#include "com/Activation.h"

#include "Apartment.h"
#include "ClassObjectTable.h"
#include "RegistryText.h"
#include "ServerModules.h"

#include <atomic>
#include <random>

using namespace pollenta::com;

namespace {

std::atomic<GuidSource> g_guidSource{nullptr};

HRESULT RandomGuid(GUID* guid)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::uint64_t high = generator();
    const std::uint64_t low = generator();
    guid->Data1 = static_cast<DWORD>(high >> 32);
    guid->Data2 = static_cast<WORD>(high >> 16);
    // Version 4 (random), variant 1, as generated GUIDs are.
    guid->Data3 = static_cast<WORD>((high & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i) guid->Data4[i] = static_cast<BYTE>(low >> (8 * (7 - i)));
    guid->Data4[0] = static_cast<BYTE>((guid->Data4[0] & 0x3F) | 0x80);
    return S_OK;
}

}  // namespace

namespace pollenta::com {

void SetGuidSource(GuidSource source) { g_guidSource.store(source); }

}  // namespace pollenta::com

extern "C" {

HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsContext, void*, REFIID iid, void** classObject)
{
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    if (!IsThreadInitialized()) return CO_E_NOTINITIALIZED;
    if (CComPtr<IUnknown> registered = ClassObjectTable::Instance().Find(clsid, clsContext))
        return registered->QueryInterface(iid, classObject);
    // No server processes are started here: a class asked for as a local
    // server is served in process by its InprocServer32 module, when it has
    // one and no class object was registered for it.
    if (!(clsContext & (CLSCTX_INPROC | CLSCTX_LOCAL_SERVER))) return REGDB_E_CLASSNOTREG;
    std::string path;
    const ReadResult read =
        ReadDefaultString(HKEY_CLASSES_ROOT, "CLSID\\" + GuidToString(clsid) + "\\InprocServer32", path);
    if (read == ReadResult::Failed) return REGDB_E_READREGDB;
    if (read == ReadResult::Missing || path.empty()) return REGDB_E_CLASSNOTREG;
    return ServerModules::Instance().GetClassObject(path, clsid, iid, classObject);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsContext, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    CComPtr<IClassFactory> factory;
    const HRESULT hr = CoGetClassObject(clsid, clsContext, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    if (!factory) return E_UNEXPECTED;
    return factory->CreateInstance(outer, iid, object);
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD clsContext, DWORD, DWORD* cookie)
{
    if (!classObject || !cookie) return E_INVALIDARG;
    *cookie = ClassObjectTable::Instance().Add(clsid, classObject, clsContext);
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie)
{
    return ClassObjectTable::Instance().Remove(cookie) ? S_OK : E_INVALIDARG;
}

void CoFreeUnusedLibraries() { ServerModules::Instance().UnloadUnused(); }

HRESULT CoCreateGuid(GUID* guid)
{
    if (!guid) return E_INVALIDARG;
    const GuidSource source = g_guidSource.load();
    return source ? source(guid) : RandomGuid(guid);
}

}
