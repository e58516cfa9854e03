#include "ProjectCatalog.h"

#include "RoadFailure.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"

ProjectCatalog::ProjectCatalog()
{
    CLSID clsid = GUID_NULL;
    Require(SUCCEEDED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)), "Gastrel.Hubberly is not registered");
    Require(SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                       reinterpret_cast<void**>(&m_hubberly))),
            "Gastrel.Hubberly cannot be created");
}

std::vector<LONG> ProjectCatalog::Finished()
{
    CComVariant list;
    Require(SUCCEEDED(m_hubberly->EnumProjects(0, &list)), "EnumProjects failed");
    if (list.vt != (VT_ARRAY | VT_I4) || !list.parray)
        return {};
    LONG* ids = nullptr;
    Require(SUCCEEDED(SafeArrayAccessData(list.parray, reinterpret_cast<void**>(&ids))), "the project list is locked");
    std::vector<LONG> finished(ids, ids + list.parray->rgsabound[0].cElements);
    SafeArrayUnaccessData(list.parray);
    return finished;
}

LONG ProjectCatalog::IdOf(const std::string& name)
{
    std::vector<LONG> found;
    std::string names;
    for (LONG id : Finished()) {
        const std::string each = Property(id, "ProjectName");
        names += " \"" + each + "\"";
        if (each == name)
            found.push_back(id);
    }
    Require(found.size() == 1, "no single finished project \"" + name + "\" among:" + names);
    return found[0];
}

std::string ProjectCatalog::Property(LONG id, const std::string& name)
{
    CComVariant value;
    Require(SUCCEEDED(m_hubberly->GetProjectProperty(id, CComVariant(name.c_str()), &value)),
            "project " + std::to_string(id) + " has no property " + name);
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return "";
    value.ChangeType(VT_BSTR);
    return value.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(value.bstrVal) : std::string();
}

std::string ProjectCatalog::Folder(LONG id)
{
    CComBSTR folder;
    Require(SUCCEEDED(m_hubberly->GetProjectDir(id, &folder)), "project " + std::to_string(id) + " has no folder");
    return folder.ToString();
}
