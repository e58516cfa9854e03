#pragma once
// The personal sending component as the add-in's toolbar sees it, offered
// under "Torvane.TMMailItem" in this process only: it records what it is
// given and answers Solvenda with a chosen result, sending nothing.

#include "AddinTestFolder.h"

#include "ITMMailItem.h"

#include "com/Activation.h"
#include "com/ClassFactoryImpl.h"
#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/Guid.h"
#include "com/Text.h"
#include "com/UnknownImpl.h"

#include <string>
#include <vector>

struct SenderRecord {
    CComPtr<IDispatch> item;
    std::vector<std::string> macros;  // "name=value"
    int solvendaCalls = 0;
    HRESULT answer = S_OK;
    // The error description a failed run leaves, as the component words it.
    std::string description;
};

class StandInSender
    : public pollenta::com::CUnknownImpl<StandInSender, pollenta::com::CDispatchImpl<StandInSender, ITMMailItem>> {
public:
    static SenderRecord& Record()
    {
        static SenderRecord record;
        return record;
    }
    static std::span<const pollenta::com::DispatchMember<StandInSender>> DispatchMembers() { return {}; }

    STDMETHODIMP get_Item(IDispatch** item) override
    {
        *item = Record().item;
        if (*item)
            (*item)->AddRef();
        return S_OK;
    }
    STDMETHODIMP putref_Item(IDispatch* item) override
    {
        Record().item = item;
        return S_OK;
    }
    STDMETHODIMP Solvenda(LONG, VARIANT_BOOL, BSTR, BSTR) override
    {
        ++Record().solvendaCalls;
        if (FAILED(Record().answer) && !Record().description.empty())
            return pollenta::com::ReportError(Record().answer, Record().description);
        return Record().answer;
    }
    STDMETHODIMP AddMacros(BSTR name, VARIANT value, VARIANT_BOOL dynamic) override
    {
        Record().macros.push_back(pollenta::com::AnsiFromBstr(name) + "=" + std::to_string(value.lVal) +
                                  (dynamic ? "" : " static"));
        return S_OK;
    }
    STDMETHODIMP RemoveAllMacroses() override { return S_OK; }
    STDMETHODIMP get_MacrosesCount(LONG* count) override
    {
        *count = static_cast<LONG>(Record().macros.size());
        return S_OK;
    }
};

// Offers the stand-in under the component's ProgID while it lives.
class StandInSenderRegistration {
public:
    static constexpr CLSID kClsid = {0x5E6D1C42, 0x7B1A, 0x4C55, {0x9F, 0x11, 0x3A, 0x50, 0x2B, 0x6E, 0x0C, 0x71}};

    explicit StandInSenderRegistration(HRESULT answer)
    {
        // The client's thread is in an apartment, as creation needs.
        EXPECT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        Record() = SenderRecord{};
        Record().answer = answer;
        AddinTestFolder::SetText(HKEY_CURRENT_USER, "Software\\Classes\\Torvane.TMMailItem\\CLSID", "",
                                 pollenta::com::GuidToString(kClsid));
        EXPECT_EQ(S_OK, pollenta::com::MakeClassFactory<StandInSender>(IID_IClassFactory,
                                                                       reinterpret_cast<void**>(&m_factory)));
        EXPECT_EQ(S_OK, CoRegisterClassObject(kClsid, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
    }
    ~StandInSenderRegistration()
    {
        CoRevokeClassObject(m_cookie);
        Record() = SenderRecord{};
        m_factory.Release();
        CoUninitialize();
    }
    static SenderRecord& Record() { return StandInSender::Record(); }

private:
    CComPtr<IClassFactory> m_factory;
    DWORD m_cookie = 0;
};
