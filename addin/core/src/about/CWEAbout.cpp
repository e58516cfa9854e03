#include "about/CWEAbout.h"

#include "module/ActivationScope.h"
#include "resources/KestrinPictures.h"
#include "resources/KestrinResources.h"
#include "util/ClientVersion.h"

#include "ui/DialogTemplate.h"
#include "ui/Icon.h"
#include "ui/Styles.h"
#include "ui/Theme.h"
#include "ui/Window.h"

namespace {

constexpr const char* kVersionPlaceholder = "1.4";

DialogTemplate AboutTemplate()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog.cx = 290;
    dialog.cy = 110;
    dialog.caption = "About Pollenta...";
    constexpr DWORD kText = WS_VISIBLE | SS_LEFT;
    dialog.items = {
        {"Button", "", CWEAbout::IDC_FRAME, WS_VISIBLE | BS_GROUPBOX, 0, 7, 7, 276, 74},
        {"Static", "", CWEAbout::IDC_ICON, WS_VISIBLE | SS_ICON, 0, 15, 17, 22, 20},
        {"Static", "Pollenta runs questionnaire surveys by e-mail.", -1, kText, 0, 44, 18, 232, 8},
        {"Static", "Version:", -1, kText, 0, 44, 34, 45, 8},
        {"Static", kVersionPlaceholder, CWEAbout::IDC_VERSION, kText, 0, 92, 34, 184, 8},
        {"Static", "Support:", -1, kText, 0, 44, 48, 45, 8},
        {"Static", "", CWEAbout::IDC_SUPPORT, kText | SS_NOTIFY, 0, 92, 48, 184, 8},
        {"Static", "Homepage:", -1, kText, 0, 44, 62, 45, 8},
        {"Static", "", CWEAbout::IDC_HOMEPAGE, kText | SS_NOTIFY, 0, 92, 62, 184, 8},
        {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 233, 89, 50, 14},
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

CWEAbout::~CWEAbout()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

BOOL CWEAbout::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Outside the add-in's own activation context the frame and the button
    // draw as the client's classic dialogs do.
    if (!HasModuleActivationContext() && IsThemedWindowsVersion()) {
        SetWindowTheme(GetDlgItem(IDC_FRAME), u" ", u" ");
        SetWindowTheme(GetDlgItem(IDOK), u" ", u" ");
    }
    if (!m_hIcon)
        m_hIcon = LoadKestrinIcon(IDI_ABOUT);
    SetStaticIcon(GetDlgItem(IDC_ICON), m_hIcon);
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
