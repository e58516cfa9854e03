#include "CAccessCurrentProject.h"

#include "ItemProperties.h"

#include "com/ErrorInfo.h"

#include <filesystem>

namespace pollenta::access {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

namespace {

enum FilePart { kFullName, kFolder, kFileName };

}  // namespace

std::span<const DispatchMember<CAccessCurrentProject>> CAccessCurrentProject::DispatchMembers()
{
    static const DispatchMember<CAccessCurrentProject> kMembers[] = {
        {"AccessConnection", 1,
         [](CAccessCurrentProject& self, DispatchCall& call) { return self.AccessConnection(call); }},
        {"FullName", 2, [](CAccessCurrentProject& self, DispatchCall& call) { return self.FileText(call, kFullName); }},
        {"Path", 3, [](CAccessCurrentProject& self, DispatchCall& call) { return self.FileText(call, kFolder); }},
        {"Name", 4, [](CAccessCurrentProject& self, DispatchCall& call) { return self.FileText(call, kFileName); }},
    };
    return kMembers;
}

HRESULT CAccessCurrentProject::AccessConnection(DispatchCall& call)
{
    if (!m_session->HasDatabase())
        return pollenta::com::ReportError(E_FAIL, "No database is open.", "Access.Application");
    VARIANT value;
    value.vt = VT_UNKNOWN;
    value.punkVal = m_session->Connection();
    value.punkVal->AddRef();
    return call.Return(&value);
}

HRESULT CAccessCurrentProject::FileText(DispatchCall& call, int part)
{
    const std::filesystem::path path = m_session->DatabasePath();
    const std::string text = part == kFullName ? path.string()
                             : part == kFolder ? path.parent_path().string()
                                               : path.filename().string();
    CComVariant value = TextVariant(text);
    return call.Return(&value);
}

}  // namespace pollenta::access
