#pragma once
// IMAPIProp over a property map, for every object of the layer. Derived
// objects add computed properties, saving, copying and named properties.

#include "MapiObject.h"
#include "PropArrays.h"
#include "PropertyStream.h"
#include "StoreFile.h"
#include "mapi/IMAPIProp.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"

#include <initializer_list>
#include <vector>

namespace pollenta::mapi {

template <class Interface>
class TPropObject : public TMapiObject<Interface> {
public:
    using TMapiObject<Interface>::TMapiObject;

    HRESULT GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override
    {
        return this->m_lastError.Get(hr, flags, error);
    }

    HRESULT SaveChanges(ULONG flags) override
    {
        return this->Guard([&] {
            if (!Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The object is read-only");
            Save(flags);
            return S_OK;
        });
    }

    HRESULT GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count, LPSPropValue* values) override
    {
        if (!count || !values) return MAPI_E_INVALID_PARAMETER;
        if (flags & MAPI_UNICODE) return MAPI_E_BAD_CHARWIDTH;
        *count = 0;
        *values = nullptr;
        return this->Guard([&] {
            std::vector<ULONG> wanted = tags ? CPropArrays::TagList(tags) : AllTags();
            std::vector<CPropValue> result;
            bool errors = false;
            for (ULONG tag : wanted) {
                CPropValue value;
                SCODE code = FindProp(tag, value);
                if (code != S_OK) {
                    value = CPropValue::Error(tag, code);
                    errors = true;
                }
                result.push_back(value);
            }
            HRESULT hr = CPropArrays::Values(result, count, values);
            return FAILED(hr) ? hr : (errors ? MAPI_W_ERRORS_RETURNED : S_OK);
        });
    }

    HRESULT GetPropList(ULONG flags, LPSPropTagArray* tags) override
    {
        if (!tags) return MAPI_E_INVALID_PARAMETER;
        return this->Guard([&] { return CPropArrays::Tags(AllTags(), tags); });
    }

    HRESULT OpenProperty(ULONG tag, LPCIID iid, ULONG options, ULONG flags, LPUNKNOWN* out) override
    {
        if (!out || !iid) return MAPI_E_INVALID_PARAMETER;
        *out = nullptr;
        if (*iid != IID_IStream && *iid != IID_ISequentialStream) return MAPI_E_INTERFACE_NOT_SUPPORTED;
        ULONG type = PROP_TYPE(tag);
        if (type != PT_BINARY && type != PT_STRING8 && type != PT_UNICODE) return MAPI_E_INVALID_TYPE;
        return this->Guard([&] {
            bool modify = (flags & (MAPI_MODIFY | MAPI_CREATE)) != 0;
            if (modify && !Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The object is read-only");
            std::string data;
            if (!(flags & MAPI_CREATE)) {
                CPropValue value;
                if (SCODE code = FindProp(tag, value); code != S_OK)
                    throw CMapiError(code, "The property is not set");
                data = value.Bytes();
            }
            CPropertyStream::CommitFn commit;
            if (modify) {
                commit = [this, tag](const std::string& bytes) {
                    return this->Guard([&] {
                        StoreProp(CPropValue::Binary(tag, bytes));
                        return S_OK;
                    });
                };
            }
            *out = new CPropertyStream(this, std::move(data), std::move(commit));
            return S_OK;
        });
    }

    HRESULT SetProps(ULONG cValues, LPSPropValue values, LPSPropProblemArray* problems) override
    {
        if (problems) *problems = nullptr;
        if (cValues && !values) return MAPI_E_INVALID_PARAMETER;
        return this->Guard([&] {
            if (!Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The object is read-only");
            std::vector<SPropProblem> found;
            for (ULONG i = 0; i < cValues; ++i) {
                ULONG type = PROP_TYPE(values[i].ulPropTag);
                if (type == PT_ERROR || type == PT_NULL) continue;
                CPropValue value;
                SCODE code = CPropValue::FromSPropValue(values[i], value);
                if (code == S_OK && IsComputed(PROP_ID(values[i].ulPropTag))) code = MAPI_E_COMPUTED;
                if (code != S_OK) {
                    found.push_back(SPropProblem{i, values[i].ulPropTag, code});
                    continue;
                }
                StoreProp(value);
            }
            return problems ? CPropArrays::Problems(found, problems) : S_OK;
        });
    }

    HRESULT DeleteProps(LPSPropTagArray tags, LPSPropProblemArray* problems) override
    {
        if (problems) *problems = nullptr;
        if (!tags) return MAPI_E_INVALID_PARAMETER;
        return this->Guard([&] {
            if (!Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The object is read-only");
            std::vector<SPropProblem> found;
            for (ULONG i = 0; i < tags->cValues; ++i) {
                ULONG tag = tags->aulPropTag[i];
                if (IsComputed(PROP_ID(tag))) found.push_back(SPropProblem{i, tag, MAPI_E_COMPUTED});
                else if (m_props.erase(PROP_ID(tag))) PropsChanged();
            }
            return problems ? CPropArrays::Problems(found, problems) : S_OK;
        });
    }

    HRESULT CopyTo(ULONG, LPCIID, LPSPropTagArray, ULONG_PTR, LPMAPIPROGRESS, LPCIID, LPVOID, ULONG,
                   LPSPropProblemArray* problems) override
    {
        if (problems) *problems = nullptr;
        return MAPI_E_NO_SUPPORT;
    }

    HRESULT GetIDsFromNames(ULONG cNames, LPMAPINAMEID* names, ULONG flags, LPSPropTagArray* tags) override
    {
        if (!tags) return MAPI_E_INVALID_PARAMETER;
        *tags = nullptr;
        CStoreFile* store = NameStore();
        if (!store) return MAPI_E_NO_SUPPORT;
        if (!cNames || !names) return MAPI_E_NO_SUPPORT;
        return this->Guard([&] {
            bool create = (flags & MAPI_CREATE) != 0;
            if (create && !Writable()) throw CMapiError(MAPI_E_NO_ACCESS, "The store is read-only");
            std::vector<ULONG> result;
            bool missing = false;
            for (ULONG i = 0; i < cNames; ++i) {
                const MAPINAMEID* name = names[i];
                ULONG id = 0;
                if (name && name->lpguid && (name->ulKind == MNID_ID || (name->ulKind == MNID_STRING && name->Kind.lpwstrName))) {
                    std::string text;
                    if (name->ulKind == MNID_STRING) text = NameText(name->Kind.lpwstrName);
                    id = store->PropIdFromName(*name->lpguid, name->ulKind, name->Kind.lID, text, create);
                }
                if (!id) missing = true;
                result.push_back(id ? PROP_TAG(PT_UNSPECIFIED, id) : PROP_TAG(PT_ERROR, 0));
            }
            HRESULT hr = CPropArrays::Tags(result, tags);
            return FAILED(hr) ? hr : (missing ? MAPI_W_ERRORS_RETURNED : S_OK);
        });
    }

protected:
    virtual void Save(ULONG flags) {}
    // Read-only properties the object works out itself (entry ids, counts);
    // by default those fixed with FixProps.
    virtual bool Computed(ULONG propId, CPropValue& value)
    {
        auto it = m_fixed.find(propId);
        if (it == m_fixed.end()) return false;
        value = it->second;
        return true;
    }
    virtual std::vector<ULONG> ComputedTags()
    {
        std::vector<ULONG> tags;
        for (const auto& [id, value] : m_fixed) tags.push_back(value.Tag());
        return tags;
    }
    // Takes `props` as the object's properties, those of `fixedTags` as
    // read-only ones.
    void FixProps(CPropMap props, std::initializer_list<ULONG> fixedTags)
    {
        for (ULONG tag : fixedTags) {
            auto it = props.find(PROP_ID(tag));
            if (it == props.end()) continue;
            m_fixed[PROP_ID(tag)] = it->second;
            props.erase(it);
        }
        m_props = std::move(props);
    }
    virtual bool Writable() { return true; }
    virtual CStoreFile* NameStore() { return nullptr; }
    virtual void PropsChanged() {}

    bool IsComputed(ULONG propId)
    {
        for (ULONG tag : ComputedTags())
            if (PROP_ID(tag) == propId) return true;
        return false;
    }

    // S_OK with the value in the type asked, or the error for a PT_ERROR
    // value.
    SCODE FindProp(ULONG tag, CPropValue& value)
    {
        CPropValue found;
        if (!Computed(PROP_ID(tag), found)) {
            auto it = m_props.find(PROP_ID(tag));
            if (it == m_props.end()) return MAPI_E_NOT_FOUND;
            found = it->second;
        }
        if (!found.As(PROP_TYPE(tag), value)) return MAPI_E_INVALID_TYPE;
        return S_OK;
    }

    void StoreProp(const CPropValue& value)
    {
        m_props[PROP_ID(value.Tag())] = value;
        PropsChanged();
    }

    std::vector<ULONG> AllTags()
    {
        std::vector<ULONG> tags = ComputedTags();
        for (const auto& [id, value] : m_props)
            if (!IsComputed(id)) tags.push_back(value.Tag());
        return tags;
    }

    static std::string NameText(LPCWSTR name)
    {
        std::u16string text;
        while (*name) text.push_back(*name++);
        return CPropValue::Binary(PR_DISPLAY_NAME_W, std::string(reinterpret_cast<const char*>(text.data()),
                                                                 text.size() * sizeof(char16_t)))
            .Text();
    }

    CPropMap m_props;
    CPropMap m_fixed;
};

}  // namespace pollenta::mapi
