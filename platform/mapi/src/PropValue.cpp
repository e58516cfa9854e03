#include "PropValue.h"

#include "com/Text.h"
#include "mapi/MapiUtil.h"

#include <cstring>

namespace pollenta::mapi {

namespace {

std::string Utf16Bytes(const std::u16string& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

std::u16string Utf16FromBytes(const std::string& bytes)
{
    std::u16string text(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
    return text;
}

std::size_t WideLength(LPCWSTR text)
{
    std::size_t n = 0;
    while (text[n]) ++n;
    return n;
}

bool IsScalarInt(ULONG type)
{
    return type == PT_SHORT || type == PT_LONG || type == PT_BOOLEAN || type == PT_I8 || type == PT_SYSTIME ||
           type == PT_CURRENCY || type == PT_ERROR || type == PT_NULL || type == PT_OBJECT;
}

bool IsBytes(ULONG type) { return type == PT_STRING8 || type == PT_UNICODE || type == PT_BINARY || type == PT_CLSID; }

template <class T>
HRESULT Allocate(std::size_t size, LPVOID parent, T** out)
{
    return MAPIAllocateMore(static_cast<ULONG>(size), parent, reinterpret_cast<LPVOID*>(out));
}

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool GetU32(const std::string& in, std::size_t& pos, std::uint32_t& value)
{
    if (in.size() - pos < 4 || pos > in.size()) return false;
    value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<BYTE>(in[pos + i])) << (8 * i);
    pos += 4;
    return true;
}

}  // namespace

HRESULT CPropValue::FromSPropValue(const SPropValue& value, CPropValue& result)
{
    result = CPropValue();
    result.m_tag = value.ulPropTag;
    const _PV& v = value.Value;
    switch (PROP_TYPE(value.ulPropTag)) {
    case PT_SHORT: result.m_int = v.i; break;
    case PT_LONG: result.m_int = v.l; break;
    case PT_BOOLEAN: result.m_int = v.b ? 1 : 0; break;
    case PT_ERROR: result.m_int = v.err; break;
    case PT_I8:
    case PT_CURRENCY: result.m_int = v.li.QuadPart; break;
    case PT_SYSTIME:
        result.m_int = static_cast<LONGLONG>((static_cast<ULONGLONG>(v.ft.dwHighDateTime) << 32) | v.ft.dwLowDateTime);
        break;
    case PT_FLOAT: result.m_real = v.flt; break;
    case PT_DOUBLE:
    case PT_APPTIME: result.m_real = v.dbl; break;
    case PT_NULL:
    case PT_OBJECT: break;
    case PT_STRING8:
        if (!v.lpszA) return MAPI_E_INVALID_PARAMETER;
        result.m_bytes = v.lpszA;
        break;
    case PT_UNICODE:
        if (!v.lpszW) return MAPI_E_INVALID_PARAMETER;
        result.m_bytes.assign(reinterpret_cast<const char*>(v.lpszW), WideLength(v.lpszW) * sizeof(char16_t));
        break;
    case PT_BINARY:
        if (v.bin.cb && !v.bin.lpb) return MAPI_E_INVALID_PARAMETER;
        result.m_bytes.assign(reinterpret_cast<const char*>(v.bin.lpb), v.bin.cb);
        break;
    case PT_CLSID:
        if (!v.lpguid) return MAPI_E_INVALID_PARAMETER;
        result.m_bytes.assign(reinterpret_cast<const char*>(v.lpguid), sizeof(GUID));
        break;
    case PT_MV_LONG:
        if (v.MVl.cValues && !v.MVl.lpl) return MAPI_E_INVALID_PARAMETER;
        for (ULONG i = 0; i < v.MVl.cValues; ++i) {
            std::string item;
            PutU32(item, static_cast<std::uint32_t>(v.MVl.lpl[i]));
            result.m_items.push_back(item);
        }
        break;
    case PT_MV_STRING8:
        if (v.MVszA.cValues && !v.MVszA.lppszA) return MAPI_E_INVALID_PARAMETER;
        for (ULONG i = 0; i < v.MVszA.cValues; ++i) {
            if (!v.MVszA.lppszA[i]) return MAPI_E_INVALID_PARAMETER;
            result.m_items.emplace_back(v.MVszA.lppszA[i]);
        }
        break;
    case PT_MV_UNICODE:
        if (v.MVszW.cValues && !v.MVszW.lppszW) return MAPI_E_INVALID_PARAMETER;
        for (ULONG i = 0; i < v.MVszW.cValues; ++i) {
            LPCWSTR item = v.MVszW.lppszW[i];
            if (!item) return MAPI_E_INVALID_PARAMETER;
            result.m_items.emplace_back(reinterpret_cast<const char*>(item), WideLength(item) * sizeof(char16_t));
        }
        break;
    case PT_MV_BINARY:
        if (v.MVbin.cValues && !v.MVbin.lpbin) return MAPI_E_INVALID_PARAMETER;
        for (ULONG i = 0; i < v.MVbin.cValues; ++i) {
            const SBinary& item = v.MVbin.lpbin[i];
            if (item.cb && !item.lpb) return MAPI_E_INVALID_PARAMETER;
            result.m_items.emplace_back(reinterpret_cast<const char*>(item.lpb), item.cb);
        }
        break;
    default: return MAPI_E_INVALID_TYPE;
    }
    return S_OK;
}

CPropValue CPropValue::Long(ULONG tag, LONG value)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_int = value;
    return result;
}

CPropValue CPropValue::Bool(ULONG tag, bool value) { return Long(tag, value ? 1 : 0); }

CPropValue CPropValue::Time(ULONG tag, LONGLONG fileTime)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_int = fileTime;
    return result;
}

CPropValue CPropValue::String(ULONG tag, const std::string& text)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_bytes = PROP_TYPE(tag) == PT_UNICODE ? Utf16Bytes(com::Utf16FromAnsi(text)) : text;
    return result;
}

CPropValue CPropValue::Binary(ULONG tag, const std::string& bytes)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_bytes = bytes;
    return result;
}

CPropValue CPropValue::StringArray(ULONG tag, const std::vector<std::string>& items)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_items = items;
    return result;
}

CPropValue CPropValue::Error(ULONG tag, SCODE code) { return Long(PROP_TAG(PT_ERROR, PROP_ID(tag)), code); }

std::string CPropValue::Text() const
{
    if (Type() == PT_UNICODE) return com::AnsiFromUtf16(Utf16FromBytes(m_bytes));
    return m_bytes;
}

bool CPropValue::As(ULONG type, CPropValue& result) const
{
    if (type == Type() || type == PT_UNSPECIFIED) {
        result = *this;
        return true;
    }
    result = *this;
    result.m_tag = PROP_TAG(type, PROP_ID(m_tag));
    if (type == PT_STRING8 && Type() == PT_UNICODE) {
        result.m_bytes = Text();
        return true;
    }
    if (type == PT_UNICODE && Type() == PT_STRING8) {
        result.m_bytes = Utf16Bytes(com::Utf16FromAnsi(m_bytes));
        return true;
    }
    // PR_HTML and PR_BODY_HTML share their id: the same bytes as binary or
    // as text.
    if ((type == PT_BINARY && Type() == PT_STRING8) || (type == PT_STRING8 && Type() == PT_BINARY)) return true;
    if (type == PT_MV_STRING8 && Type() == PT_MV_UNICODE) {
        for (auto& item : result.m_items) item = com::AnsiFromUtf16(Utf16FromBytes(item));
        return true;
    }
    if (type == PT_MV_UNICODE && Type() == PT_MV_STRING8) {
        for (auto& item : result.m_items) item = Utf16Bytes(com::Utf16FromAnsi(item));
        return true;
    }
    return false;
}

HRESULT CPropValue::ToSPropValue(SPropValue& out, LPVOID parent) const
{
    std::memset(&out, 0, sizeof(out));
    out.ulPropTag = m_tag;
    _PV& v = out.Value;
    switch (Type()) {
    case PT_SHORT: v.i = static_cast<short>(m_int); break;
    case PT_LONG: v.l = static_cast<LONG>(m_int); break;
    case PT_BOOLEAN: v.b = m_int ? 1 : 0; break;
    case PT_ERROR: v.err = static_cast<SCODE>(m_int); break;
    case PT_I8:
    case PT_CURRENCY: v.li.QuadPart = m_int; break;
    case PT_SYSTIME:
        v.ft.dwLowDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(m_int) & 0xFFFFFFFF);
        v.ft.dwHighDateTime = static_cast<DWORD>(static_cast<ULONGLONG>(m_int) >> 32);
        break;
    case PT_FLOAT: v.flt = static_cast<float>(m_real); break;
    case PT_DOUBLE:
    case PT_APPTIME: v.dbl = m_real; break;
    case PT_STRING8: {
        if (HRESULT hr = Allocate(m_bytes.size() + 1, parent, &v.lpszA); FAILED(hr)) return hr;
        std::memcpy(v.lpszA, m_bytes.data(), m_bytes.size());
        v.lpszA[m_bytes.size()] = '\0';
        break;
    }
    case PT_UNICODE: {
        if (HRESULT hr = Allocate(m_bytes.size() + sizeof(char16_t), parent, &v.lpszW); FAILED(hr)) return hr;
        std::memcpy(v.lpszW, m_bytes.data(), m_bytes.size());
        v.lpszW[m_bytes.size() / sizeof(char16_t)] = u'\0';
        break;
    }
    case PT_BINARY:
        v.bin.cb = static_cast<ULONG>(m_bytes.size());
        if (HRESULT hr = Allocate(m_bytes.size(), parent, &v.bin.lpb); FAILED(hr)) return hr;
        std::memcpy(v.bin.lpb, m_bytes.data(), m_bytes.size());
        break;
    case PT_CLSID:
        if (HRESULT hr = Allocate(sizeof(GUID), parent, &v.lpguid); FAILED(hr)) return hr;
        std::memcpy(v.lpguid, m_bytes.data(), std::min(m_bytes.size(), sizeof(GUID)));
        break;
    case PT_MV_LONG:
        v.MVl.cValues = static_cast<ULONG>(m_items.size());
        if (HRESULT hr = Allocate(m_items.size() * sizeof(LONG), parent, &v.MVl.lpl); FAILED(hr)) return hr;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            std::size_t pos = 0;
            std::uint32_t item = 0;
            GetU32(m_items[i], pos, item);
            v.MVl.lpl[i] = static_cast<LONG>(item);
        }
        break;
    case PT_MV_STRING8:
    case PT_MV_UNICODE:
    case PT_MV_BINARY: {
        // The three arrays share their layout: a count and a pointer to
        // pointers (or to SBinary).
        bool binary = Type() == PT_MV_BINARY;
        v.MVbin.cValues = static_cast<ULONG>(m_items.size());
        std::size_t slot = binary ? sizeof(SBinary) : sizeof(LPVOID);
        LPVOID array = nullptr;
        if (HRESULT hr = Allocate(m_items.size() * slot, parent, &array); FAILED(hr)) return hr;
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            const std::string& item = m_items[i];
            char* copy = nullptr;
            std::size_t terminator = binary ? 0 : (Type() == PT_MV_UNICODE ? 2 : 1);
            if (HRESULT hr = Allocate(item.size() + terminator, parent, &copy); FAILED(hr)) return hr;
            std::memcpy(copy, item.data(), item.size());
            std::memset(copy + item.size(), 0, terminator);
            if (binary) {
                static_cast<SBinary*>(array)[i] = SBinary{static_cast<ULONG>(item.size()), reinterpret_cast<LPBYTE>(copy)};
            } else {
                static_cast<char**>(array)[i] = copy;
            }
        }
        if (binary) v.MVbin.lpbin = static_cast<SBinary*>(array);
        else if (Type() == PT_MV_STRING8) v.MVszA.lppszA = static_cast<LPSTR*>(array);
        else v.MVszW.lppszW = static_cast<LPWSTR*>(array);
        break;
    }
    default: break;
    }
    return S_OK;
}

int CPropValue::Compare(const CPropValue& other) const
{
    ULONG type = Type();
    if (IsScalarInt(type)) return m_int < other.m_int ? -1 : (m_int > other.m_int ? 1 : 0);
    if (type == PT_FLOAT || type == PT_DOUBLE || type == PT_APPTIME)
        return m_real < other.m_real ? -1 : (m_real > other.m_real ? 1 : 0);
    if (IsBytes(type)) return m_bytes.compare(other.m_bytes) < 0 ? -1 : (m_bytes == other.m_bytes ? 0 : 1);
    return m_items < other.m_items ? -1 : (m_items == other.m_items ? 0 : 1);
}

CPropValue::Storage CPropValue::StorageOf(ULONG type)
{
    if (IsScalarInt(type)) return Storage::Integer;
    if (type == PT_FLOAT || type == PT_DOUBLE || type == PT_APPTIME) return Storage::Real;
    if (type == PT_STRING8) return Storage::Text;
    return Storage::Blob;
}

CPropValue CPropValue::FromInteger(ULONG tag, LONGLONG value) { return Time(tag, value); }

CPropValue CPropValue::FromReal(ULONG tag, double value)
{
    CPropValue result;
    result.m_tag = tag;
    result.m_real = value;
    return result;
}

std::string CPropValue::Serialize() const
{
    ULONG type = Type();
    if (IsBytes(type)) return m_bytes;
    std::string out;
    if (type & MV_FLAG) {
        PutU32(out, static_cast<std::uint32_t>(m_items.size()));
        for (const auto& item : m_items) {
            PutU32(out, static_cast<std::uint32_t>(item.size()));
            out += item;
        }
    }
    return out;
}

CPropValue CPropValue::Deserialize(ULONG tag, const std::string& blob)
{
    CPropValue result;
    result.m_tag = tag;
    if (IsBytes(PROP_TYPE(tag))) {
        result.m_bytes = blob;
        return result;
    }
    std::size_t pos = 0;
    std::uint32_t count = 0;
    if (!GetU32(blob, pos, count)) return result;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t size = 0;
        if (!GetU32(blob, pos, size) || blob.size() - pos < size) break;
        result.m_items.push_back(blob.substr(pos, size));
        pos += size;
    }
    return result;
}

}  // namespace pollenta::mapi
