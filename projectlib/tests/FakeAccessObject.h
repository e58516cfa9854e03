#pragma once
// An Access form or control as the picture code reads it: properties by
// name through IDispatch. A property that was never set cannot be read.

#include "com/ComVariant.h"
#include "com/Dispatch.h"
#include "com/Text.h"
#include "com/UnknownImpl.h"

#include <map>
#include <string>
#include <strings.h>

class FakeAccessObject final : public pollenta::com::CUnknownImpl<FakeAccessObject, IDispatch> {
public:
    void Set(const std::string& name, const CComVariant& value) { m_properties[name] = value; }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        const std::string name = pollenta::com::AnsiFromOleString(names[0]);
        DISPID id = 1;
        for (const auto& entry : m_properties) {
            if (strcasecmp(entry.first.c_str(), name.c_str()) == 0) {
                ids[0] = id;
                return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
            }
            ++id;
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        if (!(flags & DISPATCH_PROPERTYGET) || id < 1 || id > static_cast<DISPID>(m_properties.size()))
            return DISP_E_MEMBERNOTFOUND;
        auto entry = m_properties.begin();
        std::advance(entry, id - 1);
        return VariantCopy(result, &entry->second);
    }

private:
    std::map<std::string, CComVariant> m_properties;
};
