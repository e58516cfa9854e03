#pragma once
// "About Pollenta...": the add-in's file version and the links to the
// product's support and home pages.

#include "controls/WELinkStatic.h"
#include "ui/Dialog.h"
#include "ui/Icon.h"

#include <string>

class CWEAbout : public CDialog {
public:
    static constexpr UINT IDD = 223;
    static constexpr int IDC_FRAME = 238;
    static constexpr int IDC_ICON = 1011;
    static constexpr int IDC_VERSION = 1012;
    static constexpr int IDC_SUPPORT = 1013;
    static constexpr int IDC_HOMEPAGE = 1014;

    explicit CWEAbout(CWnd* parent = nullptr);
    ~CWEAbout() override;

    BOOL OnInitDialog() override;
    const CWELinkStatic& GetSupportLink() const { return m_SupportLink; }
    const CWELinkStatic& GetHomePageLink() const { return m_HomePageLink; }

private:
    void SetLink(CWELinkStatic& link, int id, const std::string& address);

    CWELinkStatic m_SupportLink;
    CWELinkStatic m_HomePageLink;
    HICON m_hIcon = nullptr; // icon 207, shown while the dialog lives
};

// The part of a link address that is shown: up to its last "?", unless the
// "?" opens it or there is none.
std::string LinkShownText(const std::string& address);
