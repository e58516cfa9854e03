#include "CAccessApplication.h"

#include "CAccessCurrentProject.h"
#include "CAccessDoCmd.h"
#include "CAccessForms.h"

#include "win/CodePage.h"

namespace pollenta::access {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

std::span<const DispatchMember<CAccessApplication>> CAccessApplication::DispatchMembers()
{
    using Self = CAccessApplication;
    static const DispatchMember<Self> kMembers[] = {
        {"OpenCurrentDatabase", 1, [](Self& self, DispatchCall& call) { return self.OpenCurrentDatabase(call); }},
        {"CloseCurrentDatabase", 2, [](Self& self, DispatchCall& call) { return self.CloseCurrentDatabase(call); }},
        {"Quit", 3, [](Self& self, DispatchCall& call) { return self.Quit(call); }},
        {"CurrentProject", 4,
         [](Self& self, DispatchCall& call) { return self.ReturnChild<CAccessCurrentProject>(call); }},
        {"DoCmd", 5, [](Self& self, DispatchCall& call) { return self.ReturnChild<CAccessDoCmd>(call); }},
        {"Forms", 6, [](Self& self, DispatchCall& call) { return self.ReturnChild<CAccessForms>(call); }},
    };
    return kMembers;
}

HRESULT CAccessApplication::OpenCurrentDatabase(DispatchCall& call)
{
    BSTR path = nullptr;
    const HRESULT hr = call.Arg(0, &path);
    if (FAILED(hr))
        return hr;
    // Paths are the file system's UTF-8, whatever the ANSI code page.
    const std::string file = ToNarrow(std::u16string_view(path ? path : u"", SysStringLen(path)), CP_UTF8);
    SysFreeString(path);
    return m_session->OpenDatabase(file);
}

HRESULT CAccessApplication::CloseCurrentDatabase(DispatchCall&)
{
    m_session->CloseDatabase();
    return S_OK;
}

HRESULT CAccessApplication::Quit(DispatchCall&)
{
    m_session->CloseDatabase();
    return S_OK;
}

template <class Child>
HRESULT CAccessApplication::ReturnChild(DispatchCall& call)
{
    IDispatch* object = nullptr;
    const HRESULT hr = Child::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&object), m_session);
    return FAILED(hr) ? hr : call.ReturnDispatch(object);
}

}  // namespace pollenta::access
