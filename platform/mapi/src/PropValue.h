#pragma once
// One property value owned by the layer. Scalars live in m_int or m_real,
// strings and binaries in m_bytes (UTF-16 text as its bytes), multi-valued
// properties as one byte string per element.

#include "mapi/MapiTypes.h"
#include "mapi/PropTags.h"

#include <map>
#include <string>
#include <vector>

namespace pollenta::mapi {

class CPropValue {
public:
    CPropValue() = default;
    // Fails with MAPI_E_INVALID_TYPE / MAPI_E_INVALID_PARAMETER for values
    // the layer cannot keep (unknown type, null string pointer).
    static HRESULT FromSPropValue(const SPropValue& value, CPropValue& result);
    static CPropValue Long(ULONG tag, LONG value);
    static CPropValue Bool(ULONG tag, bool value);
    static CPropValue Time(ULONG tag, LONGLONG fileTime);
    static CPropValue String(ULONG tag, const std::string& text);
    static CPropValue Binary(ULONG tag, const std::string& bytes);
    static CPropValue StringArray(ULONG tag, const std::vector<std::string>& items);
    static CPropValue Error(ULONG tag, SCODE code);

    ULONG Tag() const { return m_tag; }
    ULONG Type() const { return PROP_TYPE(m_tag); }
    LONGLONG Int() const { return m_int; }
    double Real() const { return m_real; }
    const std::string& Bytes() const { return m_bytes; }
    const std::vector<std::string>& Items() const { return m_items; }
    // The text of a PT_STRING8 or PT_UNICODE value in the ANSI code page.
    std::string Text() const;

    // This value as `type`: the same value, or the string converted between
    // ANSI and UTF-16; false when the types do not match.
    bool As(ULONG type, CPropValue& result) const;
    // Fills `out`, allocating strings and arrays with MAPIAllocateMore on
    // `parent`.
    HRESULT ToSPropValue(SPropValue& out, LPVOID parent) const;
    // Ordering of two values of the same type, as tables sort and compare.
    int Compare(const CPropValue& other) const;
    // The same tag and the same value.
    bool operator==(const CPropValue& other) const = default;

    // How a value of `type` is kept in a store column.
    enum class Storage { Integer, Real, Text, Blob };
    static Storage StorageOf(ULONG type);
    // The Blob and Text storage form.
    std::string Serialize() const;
    static CPropValue FromInteger(ULONG tag, LONGLONG value);
    static CPropValue FromReal(ULONG tag, double value);
    static CPropValue Deserialize(ULONG tag, const std::string& blob);

private:
    ULONG m_tag = PR_NULL;
    LONGLONG m_int = 0;
    double m_real = 0;
    std::string m_bytes;
    std::vector<std::string> m_items;
};

// Properties of one object, keyed by property id.
using CPropMap = std::map<ULONG, CPropValue>;

}  // namespace pollenta::mapi
