#pragma once
// A small stand-in for the mail client's _Application in tests: its
// version text and a name space whose "MAPIOBJECT" hands out a given MAPI
// session (or, when told, something else or nothing). An empty version
// text is no version at all.

#include "OutlookApplication.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"
#include "mapi/IMAPISession.h"

#include <string>

enum class MapiObjectAnswer { Session, NotAnUnknown, NoSuchProperty };

class StandInNameSpace
    : public pollenta::com::CUnknownImpl<StandInNameSpace, pollenta::com::CDispatchImpl<StandInNameSpace, IDispatch>> {
public:
    StandInNameSpace(IMAPISession* session, MapiObjectAnswer answer) : m_session(session), m_answer(answer) {}

    static std::span<const pollenta::com::DispatchMember<StandInNameSpace>> DispatchMembers()
    {
        static const pollenta::com::DispatchMember<StandInNameSpace> members[] = {
            {"MAPIOBJECT", 0xF100, &StandInNameSpace::InvokeMapiObject},
        };
        return members;
    }

private:
    static HRESULT InvokeMapiObject(StandInNameSpace& self, pollenta::com::DispatchCall& call)
    {
        if (self.m_answer == MapiObjectAnswer::NoSuchProperty)
            return DISP_E_MEMBERNOTFOUND;
        VARIANT value;
        VariantInit(&value);
        if (self.m_answer == MapiObjectAnswer::NotAnUnknown) {
            value.vt = VT_I4;
            value.lVal = 1;
            return call.Return(&value);
        }
        value.vt = VT_UNKNOWN;
        value.punkVal = self.m_session;
        if (value.punkVal)
            value.punkVal->AddRef();
        return call.Return(&value);
    }

    CComPtr<IMAPISession> m_session;
    MapiObjectAnswer m_answer;
};

class StandInApplication
    : public pollenta::com::CUnknownImpl<StandInApplication, pollenta::com::CDispatchImpl<StandInApplication, _Application>> {
public:
    StandInApplication(IMAPISession* session, std::string version,
                       MapiObjectAnswer answer = MapiObjectAnswer::Session)
        : m_session(session), m_version(std::move(version)), m_answer(answer)
    {
    }

    static std::span<const pollenta::com::DispatchMember<StandInApplication>> DispatchMembers() { return {}; }

    STDMETHODIMP get_Session(IDispatch** nameSpace) override
    {
        if (!nameSpace)
            return E_POINTER;
        return StandInNameSpace::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(nameSpace), m_session.p,
                                                m_answer);
    }
    STDMETHODIMP get_Version(BSTR* version) override
    {
        if (!version)
            return E_POINTER;
        *version = m_version.empty() ? nullptr : pollenta::com::BstrFromAnsi(m_version);
        return S_OK;
    }
    // The tests' client has a session and a version, nothing more.
    STDMETHODIMP GetNamespace(BSTR, _NameSpace**) override { return E_FAIL; }
    STDMETHODIMP get_Explorers(_Explorers**) override { return E_FAIL; }
    STDMETHODIMP get_Inspectors(_Inspectors**) override { return E_FAIL; }
    STDMETHODIMP ActiveExplorer(_Explorer**) override { return E_FAIL; }
    STDMETHODIMP CreateItem(LONG, IDispatch**) override { return E_FAIL; }

    // Made with one reference that the caller owns.
    static CComPtr<_Application> Make(IMAPISession* session, const std::string& version,
                                      MapiObjectAnswer answer = MapiObjectAnswer::Session)
    {
        CComPtr<_Application> application;
        CreateInstance(IID__Application, reinterpret_cast<void**>(&application), session, version, answer);
        return application;
    }

private:
    CComPtr<IMAPISession> m_session;
    std::string m_version;
    MapiObjectAnswer m_answer;
};
