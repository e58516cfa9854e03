#pragma once
// The folder tree's MAPI calls: a failure becomes the add-in's exception
// with the call's text and the object's own description of the error; a
// missing property names the property.

#include "errors/CZrHrException.h"
#include "errors/CZrMAPIException.h"
#include "util/CZrMapiBufferPtr.h"

#include "mapi/MapiTypes.h"
#include "mapi/PropTags.h"

#include <initializer_list>
#include <vector>

// The code of a property that is missing or an object of the wrong kind.
inline constexpr HRESULT kMissingProperty = static_cast<HRESULT>(0x80040301);

template <class Object>
void CheckMapiCall(HRESULT hr, Object* object, const char* call, const char* file, int line)
{
    if (SUCCEEDED(hr))
        return;
    CZrMapiBufferPtr<MAPIERROR> error;
    if (object && FAILED(object->GetLastError(hr, 0, &error)))
        error.Free();
    throw CZrMAPIException(hr, call, error.get(), file, line);
}

// The values GetProps answered for a list of tags.
class PropValues {
public:
    template <class Object>
    PropValues(Object* object, std::initializer_list<ULONG> tags, const char* file, int line)
    {
        std::vector<ULONG> list{static_cast<ULONG>(tags.size())};
        list.insert(list.end(), tags);
        CheckMapiCall(object->GetProps(reinterpret_cast<LPSPropTagArray>(list.data()), 0, &m_count, &m_values),
                      object, "GetProps", file, line);
    }

    // Null when the object has no such value.
    const SPropValue* Find(ULONG tag) const
    {
        for (ULONG i = 0; m_values.get() && i < m_count; ++i)
            if (m_values.get()[i].ulPropTag == tag)
                return &m_values.get()[i];
        return nullptr;
    }

    const SPropValue& Require(ULONG tag, const char* name, const char* file, int line) const
    {
        const SPropValue* value = Find(tag);
        if (!value)
            throw CZrHrException(kMissingProperty, name, file, line);
        return *value;
    }

private:
    ULONG m_count = 0;
    CZrMapiBufferPtr<SPropValue> m_values;
};
