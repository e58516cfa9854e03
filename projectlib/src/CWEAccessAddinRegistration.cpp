#include "CWEAccessAddinRegistration.h"

#include "CWERegKey.h"
#include "GastrelStrings.h"

#include "ui/MessageBox.h"

#include <algorithm>

namespace {

constexpr const char* kAccessVersions[] = {"12.0", "11.0", "10.0", "9.0"};
constexpr size_t kMaxAddinNameChars = 80;

std::string MenuAddinsKey(const char* version)
{
    return std::string("SOFTWARE\\Microsoft\\Office\\") + version + "\\Access\\Menu Add-Ins";
}

std::string AddinName() { return gastrel::LoadGastrelString(gastrel::IDS_ACCESS_ADDIN_NAME).substr(0, kMaxAddinNameChars); }

}  // namespace

CWEAccessAddinRegistration::CWEAccessAddinRegistration(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

int CWEAccessAddinRegistration::RegisterVersion(const char* version) const
{
    CWERegKey menu;
    if (menu.Open(HKEY_LOCAL_MACHINE, MenuAddinsKey(version), KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return -1;
    size_t separator = m_modulePath.find_last_of("\\/");
    if (separator == std::string::npos)
        return 1;
    const std::string library = m_modulePath.substr(0, separator + 1) + "kqWizard.mde";
    const std::string name = AddinName();
    RegDeleteTree(menu.Handle(), name.c_str());
    CWERegKey addin;
    if (addin.Create(menu.Handle(), name) != ERROR_SUCCESS)
        return 2;
    addin.SetText("Library", library);
    addin.SetText("Expression", "=qxv_Wizard()");
    return 0;
}

HRESULT CWEAccessAddinRegistration::Register() const
{
    int worst = -1;
    bool registered = false;
    for (const char* version : kAccessVersions) {
        int result = RegisterVersion(version);
        registered = registered || result == 0;
        worst = std::max(worst, result);
    }
    if (registered)
        return S_OK;
    const std::string text = gastrel::LoadGastrelString(gastrel::IDS_REGISTRATION_ERROR_FIRST + std::max(worst, 0));
    const std::string caption = gastrel::LoadGastrelString(gastrel::IDS_REGISTRATION_ERROR_CAPTION);
    MessageBox(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return E_FAIL;
}

void CWEAccessAddinRegistration::Unregister() const
{
    const std::string name = AddinName();
    for (const char* version : kAccessVersions)
        RegDeleteTree(HKEY_LOCAL_MACHINE, (MenuAddinsKey(version) + "\\" + name).c_str());
}
