#pragma once
// A wizard: pages shown one at a time above Back, Next or Finish, Cancel
// and Help. DoModal answers ID_WIZFINISH or IDCANCEL.

#include "ui/Bitmap.h"
#include "ui/PageSheet.h"

#include <string>
#include <vector>

inline constexpr int ID_WIZBACK = 0x3023;
inline constexpr int ID_WIZNEXT = 0x3024;
inline constexpr int ID_WIZFINISH = 0x3025;
// The Help command that the active page receives.
inline constexpr int ID_HELP = 0xE146;

inline constexpr DWORD PSWIZB_BACK = 0x1;
inline constexpr DWORD PSWIZB_NEXT = 0x2;
inline constexpr DWORD PSWIZB_FINISH = 0x4;
inline constexpr DWORD PSWIZB_DISABLEDFINISH = 0x8;

// A Wizard97 sheet: a header band with the page's titles and the header
// bitmap above interior pages, the watermark beside exterior ones.
inline constexpr DWORD PSH_WIZARD97 = 0x01000000;
inline constexpr DWORD PSH_WATERMARK = 0x00008000;
inline constexpr DWORD PSH_HEADER = 0x00080000;

// Posted by pages while their own notification still runs.
inline constexpr UINT PSM_SETWIZBUTTONS = 0x0470;

struct PROPSHEETHEADER {
    DWORD dwFlags = 0;
};

inline constexpr int PSBTN_BACK = 0;
inline constexpr int PSBTN_NEXT = 1;
inline constexpr int PSBTN_FINISH = 2;
inline constexpr int PSBTN_CANCEL = 5;
inline constexpr int PSBTN_HELP = 6;

class CPropertySheet : public CPageSheet {
public:
    explicit CPropertySheet(LPCSTR caption, CWnd* parent = nullptr);
    // The bitmaps stay the caller's and must outlive the sheet's window.
    CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage, HBITMAP watermark, HBITMAP header);

    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return m_nActive; }
    // Activates the page, or the next one after it that accepts.
    BOOL SetActivePage(int index);
    void SetWizardButtons(DWORD flags);
    // As if the user had pressed the button; a disabled or hidden button
    // does nothing.
    BOOL PressButton(int button);

    int OnCreate() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    void OnCancel() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADER m_psh;

private:
    BOOL Activate(int index, int direction);
    int IndexOfTemplate(UINT templateId) const;
    void Travel(LRESULT answer, int direction);
    void OnPageAdded(CPropertyPage* page) override;
    void BuildTemplate();
    bool IsWizard97() const { return (m_psh.dwFlags & PSH_WIZARD97) != 0; }
    void ShowFrameOf(CPropertyPage& page);
    void ShowTitleOf(CPropertyPage& page);
    int m_nActive = -1;
    UINT m_nStartPage = 0;
    HBITMAP m_hbmWatermark = nullptr;
    HBITMAP m_hbmHeader = nullptr;
};
