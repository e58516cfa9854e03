#pragma once
// A profile section: the global one answers the profile's name.

#include "PropObject.h"
#include "mapi/IProfSect.h"

namespace pollenta::mapi {

class CProfSect : public TPropObject<IProfSect> {
public:
    explicit CProfSect(const std::string& profileName) : TPropObject<IProfSect>({IID_IMAPIProp, IID_IProfSect})
    {
        m_props[PROP_ID(PR_PROFILE_NAME_A)] = CPropValue::String(PR_PROFILE_NAME_A, profileName);
    }

protected:
    bool Writable() override { return false; }
};

}  // namespace pollenta::mapi
