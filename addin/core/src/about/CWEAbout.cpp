#include "about/CWEAbout.h"

#include "resources/KestrinResources.h"

#include "ui/DialogTemplate.h"
#include "ui/Styles.h"
#include "ui/Window.h"

namespace {

constexpr const char* kVersionPlaceholder = "1.4";

DialogTemplate AboutTemplate()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog.cx = 250;
    dialog.cy = 110;
    dialog.caption = "About Pollenta...";
    constexpr DWORD kText = WS_VISIBLE | SS_LEFT;
    dialog.items = {
        {"Button", "", CWEAbout::IDC_FRAME, WS_VISIBLE | BS_GROUPBOX, 0, 7, 7, 236, 74},
        {"Static", "Pollenta runs questionnaire surveys by e-mail.", -1, kText, 0, 15, 18, 220, 8},
        {"Static", "Version:", -1, kText, 0, 15, 34, 45, 8},
        {"Static", kVersionPlaceholder, CWEAbout::IDC_VERSION, kText, 0, 62, 34, 175, 8},
        {"Static", "Support:", -1, kText, 0, 15, 48, 45, 8},
        {"Static", "", CWEAbout::IDC_SUPPORT, kText | SS_NOTIFY, 0, 62, 48, 175, 8},
        {"Static", "Homepage:", -1, kText, 0, 15, 62, 45, 8},
        {"Static", "", CWEAbout::IDC_HOMEPAGE, kText | SS_NOTIFY, 0, 62, 62, 175, 8},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 193, 89, 50, 14},
    };
    return dialog;
}

UINT RegisteredTemplate()
{
    RegisterDialogTemplate(AfxGetResourceHandle(), CWEAbout::IDD, AboutTemplate());
    return CWEAbout::IDD;
}

}  // namespace

std::string LinkShownText(const std::string& address)
{
    const std::size_t mark = address.rfind('?');
    return mark == std::string::npos || mark == 0 ? address : address.substr(0, mark);
}

CWEAbout::CWEAbout(CWnd* parent) : CDialog(RegisteredTemplate(), parent) {}

BOOL CWEAbout::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (const std::optional<std::string> version = KestrinVersionString("FileVersion"))
        SetDlgItemText(m_hWnd, IDC_VERSION, version->c_str());
    SetLink(m_HomePageLink, IDC_HOMEPAGE, KestrinString(IDS_HOME_PAGE));
    SetLink(m_SupportLink, IDC_SUPPORT, KestrinString(IDS_SUPPORT_PAGE));
    return TRUE;
}

void CWEAbout::SetLink(CWELinkStatic& link, int id, const std::string& address)
{
    SetDlgItemText(m_hWnd, id, LinkShownText(address).c_str());
    link.SubclassDlgItem(id, this);
    link.SetLinkTarget(address.c_str());
}
