#include "com/Activation.h"

#include "RegistryText.h"
#include "com/Text.h"

#include <cstdlib>
#include <cstring>

using namespace pollenta::com;

namespace {

// CurVer chains are short; the limit only stops a loop of them.
constexpr int kMaxCurVerSteps = 8;

HRESULT CopyToTaskMemory(const std::string& text, LPOLESTR* out)
{
    const std::u16string wide = Utf16FromAnsi(text);
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(OLECHAR));
    *out = copy;
    return S_OK;
}

}  // namespace

extern "C" {

HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid)
{
    if (!progId || !clsid) return E_INVALIDARG;
    std::string name = AnsiFromOleString(progId);
    if (name.empty()) return CO_E_CLASSSTRING;
    for (int step = 0; step < kMaxCurVerSteps; ++step) {
        std::string text;
        ReadResult read = ReadDefaultString(HKEY_CLASSES_ROOT, name + "\\CLSID", text);
        if (read == ReadResult::Found) return GuidFromString(text, *clsid) ? S_OK : CO_E_CLASSSTRING;
        if (read == ReadResult::Missing) read = ReadDefaultString(HKEY_CLASSES_ROOT, name + "\\CurVer", text);
        if (read == ReadResult::Failed) return REGDB_E_READREGDB;
        if (read == ReadResult::Missing || text.empty()) break;
        name = text;
    }
    return CO_E_CLASSSTRING;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId)
{
    if (!progId) return E_INVALIDARG;
    *progId = nullptr;
    std::string text;
    const ReadResult read = ReadDefaultString(HKEY_CLASSES_ROOT, "CLSID\\" + GuidToString(clsid) + "\\ProgID", text);
    if (read == ReadResult::Failed) return REGDB_E_READREGDB;
    if (read == ReadResult::Missing || text.empty()) return REGDB_E_CLASSNOTREG;
    return CopyToTaskMemory(text, progId);
}

HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text)
{
    if (!text) return E_INVALIDARG;
    return CopyToTaskMemory(GuidToString(clsid), text);
}

HRESULT StringFromIID(REFIID iid, LPOLESTR* text) { return StringFromCLSID(iid, text); }

void* CoTaskMemAlloc(size_t size) { return std::malloc(size ? size : 1); }

void* CoTaskMemRealloc(void* block, size_t size) { return std::realloc(block, size ? size : 1); }

void CoTaskMemFree(void* block) { std::free(block); }

}
