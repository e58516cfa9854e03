#pragma once
// Small conversions that the Hubberly tests share.

#include "IHubberly.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "com/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline std::string TextOf(BSTR text)
{
    std::string result = pollenta::com::AnsiFromBstr(text);
    SysFreeString(text);
    return result;
}

inline CComVariant Property(IHubberly* hubberly, const char* name)
{
    CComVariant value;
    EXPECT_EQ(S_OK, hubberly->GetProperty(CComVariant(name), &value));
    return value;
}

inline std::string TextProperty(IHubberly* hubberly, const char* name)
{
    CComVariant value = Property(hubberly, name);
    EXPECT_EQ(VT_BSTR, value.vt) << name;
    return value.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(value.bstrVal) : std::string();
}

inline LONG NumberProperty(IHubberly* hubberly, const char* name)
{
    CComVariant value = Property(hubberly, name);
    EXPECT_EQ(VT_I4, value.vt) << name;
    return value.vt == VT_I4 ? value.lVal : -12345;
}

inline LONG Create(IHubberly* hubberly, const char* name)
{
    LONG id = -1;
    EXPECT_EQ(S_OK, hubberly->CreateProject(CComVariant(name), &id)) << name;
    return id;
}

inline std::vector<LONG> Projects(IHubberly* hubberly, LONG type)
{
    CComVariant list;
    EXPECT_EQ(S_OK, hubberly->EnumProjects(type, &list));
    EXPECT_EQ(VT_ARRAY | VT_I4, list.vt);
    std::vector<LONG> ids;
    if (list.vt != (VT_ARRAY | VT_I4))
        return ids;
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(list.parray, 1, &lower);
    SafeArrayGetUBound(list.parray, 1, &upper);
    EXPECT_EQ(0, lower);
    for (LONG i = lower; i <= upper; ++i) {
        LONG id = 0;
        SafeArrayGetElement(list.parray, &i, &id);
        ids.push_back(id);
    }
    return ids;
}
