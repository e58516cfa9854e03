#include "UiInput.h"
#include "UiTestEnvironment.h"
#include "controls/WELinkStatic.h"
#include "ui/Dialog.h"
#include "ui/Screenshot.h"
#include "ui/WinApp.h"
#include "win/Registry.h"
#include "win/Shell.h"

#include <QImage>

#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kNoAssociation = 1155; // ERROR_NO_ASSOCIATION
constexpr int IDC_SUPPORT = 1010;
constexpr int IDC_SITE = 1011;
constexpr char kSupport[] = "mailto:support@velquin.example?subject=Pollenta help";
constexpr char kSite[] = "https://www.velquin.example/pollenta";

DialogTemplate AboutTemplate()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog.cx = 220;
    dialog.cy = 90;
    dialog.caption = "About Pollenta";
    dialog.items = {
        {"Static", "Pollenta 1.4.0", -1, WS_VISIBLE | SS_LEFT, 0, 10, 10, 150, 10},
        {"Static", "Write to our support team:", -1, WS_VISIBLE | SS_LEFT, 0, 10, 28, 200, 10},
        {"Static", "", IDC_SUPPORT, WS_VISIBLE | SS_LEFT, 0, 10, 40, 200, 10},
        {"Static", "Pollenta on the web", IDC_SITE, WS_VISIBLE | SS_LEFT, 0, 10, 54, 200, 10},
        {"Button", "OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 160, 70, 50, 14},
    };
    return dialog;
}

class CAboutDialog : public CDialog {
public:
    explicit CAboutDialog(const DialogTemplate& dialog) : CDialog(dialog) {}
    BOOL OnInitDialog() override
    {
        m_support.SetLinkTarget(kSupport);
        m_support.SubclassDlgItem(IDC_SUPPORT, this);
        m_site.SetLinkTarget(kSite);
        m_site.SubclassDlgItem(IDC_SITE, this);
        return TRUE;
    }
    CWELinkStatic m_support;
    CWELinkStatic m_site;
};

class LinkStaticTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        m_previousHook = SetShellLaunchHook([this](const ShellLaunch& launch) {
            m_launches.push_back(launch);
            if (launch.kind == ShellLaunch::Kind::ShellExecute)
                return m_shellError;
            return m_commandError;
        });
    }
    void TearDown() override
    {
        SetShellLaunchHook(m_previousHook);
        UiTest::TearDown();
    }

    void SetClassesDefault(const char* key, const char* value)
    {
        HKEY handle = nullptr;
        std::string path = std::string("Software\\Classes\\") + key;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        RegSetValueEx(handle, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
        RegCloseKey(handle);
    }

    CWinApp m_app{"Pollenta"};
    ShellLaunchHook m_previousHook;
    std::vector<ShellLaunch> m_launches;
    DWORD m_shellError = ERROR_SUCCESS;
    DWORD m_commandError = ERROR_SUCCESS;
};

COLORREF TextColourOf(CWELinkStatic& link)
{
    HDC dc = GetDC(link);
    HBRUSH brush = link.CtlColor(dc, CTLCOLOR_STATIC);
    EXPECT_EQ(brush, GetStockBrush(NULL_BRUSH));
    COLORREF colour = GetTextColor(dc);
    ReleaseDC(link, dc);
    return colour;
}

// Where a control lies in its dialog's client area.
QRect PlaceIn(HWND dialog, HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<LPPOINT>(&rect), 2);
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

// Whether some pixel in the area has the colour, give or take `tolerance`
// in each component (text is smoothed at its edges).
bool Shows(const QImage& picture, const QRect& area, COLORREF colour, int tolerance = 16)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            QColor pixel = picture.pixelColor(x, y);
            if (std::abs(pixel.red() - GetRValue(colour)) <= tolerance &&
                std::abs(pixel.green() - GetGValue(colour)) <= tolerance &&
                std::abs(pixel.blue() - GetBValue(colour)) <= tolerance)
                return true;
        }
    return false;
}

} // namespace

TEST_F(LinkStaticTest, AttachingMakesTheStaticALink)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    HWND support = about.m_support;

    EXPECT_EQ(GetWindowTextString(support), kSupport); // empty text shows the target
    EXPECT_EQ(about.m_site.GetLinkTarget(), kSite);
    EXPECT_EQ(GetWindowTextString(about.m_site), "Pollenta on the web");
    EXPECT_TRUE(GetWindowLong(support, GWL_STYLE) & static_cast<LONG>(SS_NOTIFY));
    EXPECT_EQ(about.m_support.GetToolTip().GetText(support, 1), kSupport);

    LOGFONT font{};
    GetObject(GetWindowFont(support), sizeof(font), &font);
    EXPECT_EQ(font.lfUnderline, 1);

    // The control is as wide and high as its text.
    HDC dc = GetDC(support);
    SIZE extent{};
    GetTextExtentPoint32(dc, kSupport, static_cast<int>(strlen(kSupport)), &extent);
    ReleaseDC(support, dc);
    RECT rect{};
    GetClientRect(support, &rect);
    EXPECT_EQ(rect.right, extent.cx);
    EXPECT_EQ(rect.bottom, extent.cy);

    about.m_site.SetLinkTarget("https://other.example/");
    EXPECT_EQ(about.m_site.GetToolTip().GetText(about.m_site, 1), "https://other.example/");
    EXPECT_TRUE(about.m_support.OnSetCursor(support, 1, WM_MOUSEMOVE));
}

// Centred and right-aligned links shrink towards their alignment.
TEST_F(LinkStaticTest, AlignedLinksFitAroundTheirAnchorPoint)
{
    DialogTemplate dialog = AboutTemplate();
    dialog.items[2].style = WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE;
    dialog.items[2].cy = 30;
    dialog.items[3].style = WS_VISIBLE | SS_RIGHT;
    CDialog plain(dialog);
    ASSERT_TRUE(plain.Create());
    auto parentRect = [](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    };
    RECT centred = parentRect(plain.GetDlgItem(IDC_SUPPORT));
    RECT right = parentRect(plain.GetDlgItem(IDC_SITE));

    CWELinkStatic support;
    support.SetLinkTarget(kSupport);
    ASSERT_TRUE(support.SubclassDlgItem(IDC_SUPPORT, &plain));
    CWELinkStatic site;
    ASSERT_TRUE(site.SubclassDlgItem(IDC_SITE, &plain));
    auto extentOf = [](HWND control) {
        std::string text = GetWindowTextString(control);
        HDC dc = GetDC(control);
        SIZE extent{};
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ReleaseDC(control, dc);
        return extent;
    };
    SIZE supportText = extentOf(support);
    SIZE siteText = extentOf(site);

    int left = centred.left + (centred.right - centred.left - supportText.cx) / 2;
    int top = centred.top + (centred.bottom - centred.top - supportText.cy) / 2;
    EXPECT_EQ(parentRect(support), (RECT{left, top, left + supportText.cx, top + supportText.cy}));
    EXPECT_EQ(parentRect(site), (RECT{right.right - siteText.cx, right.top, right.right, right.top + siteText.cy}));
}

// The same dialog object shown twice attaches its links twice; the font of
// the first window must not outlive it (run under a leak checker).
TEST_F(LinkStaticTest, ALinkAttachesAgainToANewWindow)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    DestroyWindow(about);
    ASSERT_EQ(about.m_site.GetSafeHwnd(), nullptr);

    ASSERT_TRUE(about.Create());
    HWND site = about.m_site;
    LOGFONT font{};
    GetObject(GetWindowFont(site), sizeof(font), &font);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(about.m_site.GetToolTip().GetText(site, 1), kSite);
    ShowWindow(about, SW_SHOW);
    ClickCentre(about.m_site);
    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].file, kSite);
}

TEST_F(LinkStaticTest, AClickOpensTheTargetAsOneArgument)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    ShowWindow(about, SW_SHOW);
    ClickCentre(about.m_support);

    ASSERT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(m_launches[0].kind, ShellLaunch::Kind::ShellExecute);
    EXPECT_EQ(m_launches[0].verb, "open");
    EXPECT_EQ(m_launches[0].file, kSupport);
    EXPECT_EQ(m_launches[0].showCommand, SW_SHOW);
    EXPECT_TRUE(about.m_support.IsVisited());
    EXPECT_FALSE(about.m_site.IsVisited());
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(TextColourOf(about.m_support), RGB(85, 26, 139));
    EXPECT_EQ(TextColourOf(about.m_site), RGB(0, 0, 238));
}

TEST_F(LinkStaticTest, AFailedClickShowsTheErrorAndForgetsTheVisit)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    about.m_site.OnClicked();
    ASSERT_TRUE(about.m_site.IsVisited());

    m_shellError = ERROR_FILE_NOT_FOUND;
    ShowWindow(about, SW_SHOW);
    ClickCentre(about.m_site);
    EXPECT_FALSE(about.m_site.IsVisited());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(m_boxes[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(m_boxes[0].caption, "Pollenta");
}

TEST_F(LinkStaticTest, WithoutAnAssociationTheHtmlCommandOpensTheTarget)
{
    SetClassesDefault(".htm", "htmlfile");
    SetClassesDefault("htmlfile\\shell\\open\\command", "\"/opt/browser/run\" -new-tab \"%1\" --from-shell");
    m_shellError = kNoAssociation;
    const char* target = "https://www.velquin.example/a b?\"q\"\\";
    auto result = reinterpret_cast<INT_PTR>(CWELinkStatic::OpenLinkTarget(target, SW_SHOW));
    EXPECT_GT(result, 32);
    ASSERT_EQ(m_launches.size(), 2u);
    EXPECT_EQ(m_launches[1].kind, ShellLaunch::Kind::WinExec);
    EXPECT_EQ(m_launches[1].file, "/opt/browser/run");
    EXPECT_EQ(m_launches[1].arguments, (std::vector<std::string>{"-new-tab", target}));

    // Without "%1" the whole command stays and the target follows it.
    SetClassesDefault("htmlfile\\shell\\open\\command", "/opt/browser/run");
    CWELinkStatic::OpenLinkTarget("https://x.example/", SW_SHOW);
    EXPECT_EQ(m_launches.back().arguments, (std::vector<std::string>{"https://x.example/"}));

    // A failing command reports its own code.
    m_commandError = ERROR_FILE_NOT_FOUND;
    EXPECT_EQ(reinterpret_cast<INT_PTR>(CWELinkStatic::OpenLinkTarget("https://x.example/", SW_SHOW)), 2);
}

TEST_F(LinkStaticTest, WithoutHtmlClassTheShellsCodeStands)
{
    m_shellError = kNoAssociation;
    EXPECT_EQ(reinterpret_cast<INT_PTR>(CWELinkStatic::OpenLinkTarget(kSite, SW_SHOW)), 31);
    EXPECT_EQ(m_launches.size(), 1u);
    EXPECT_EQ(CWELinkStatic::GetErrorText(31),
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(CWELinkStatic::GetErrorText(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(CWELinkStatic::GetErrorText(1), "Unable to open hyperlink:\n\nUnknown Error (1) occurred.");
}

TEST_F(LinkStaticTest, HoveringTakesTheHoverColourUntilTheMouseLeaves)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    ShowWindow(about, SW_SHOW);
    HWND site = about.m_site;
    QWidget* widget = WidgetAt(site, POINT{2, 2});
    ASSERT_NE(widget, nullptr);

    MoveMouseOver(site, widget, POINT{2, 2});
    EXPECT_TRUE(about.m_site.IsHovering());
    EXPECT_EQ(GetCapture(), site);
    EXPECT_EQ(TextColourOf(about.m_site), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);

    MoveMouseOver(site, widget, POINT{3, 3});
    EXPECT_TRUE(about.m_site.IsHovering());
    MoveMouseOver(site, widget, POINT{-5, 3});
    EXPECT_FALSE(about.m_site.IsHovering());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TextColourOf(about.m_site), RGB(0, 0, 238));

    HDC dc = GetDC(site);
    about.m_site.CtlColor(dc, CTLCOLOR_STATIC);
#ifdef POLLENTA_CONTROLS_ADDIN
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
#else
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
#endif
    ReleaseDC(site, dc);
}

TEST_F(LinkStaticTest, ASampleDialogIsPictured)
{
    DialogTemplate dialog = AboutTemplate();
    CAboutDialog about(dialog);
    ASSERT_TRUE(about.Create());
    ShowWindow(about, SW_SHOW);
    about.m_site.OnClicked(); // visited colour for one of the two
    PumpWaitingMessages();
#ifdef POLLENTA_CONTROLS_ADDIN
    std::string path = POLLENTA_TEST_DIR "/hyperlink-dialog-addin.png";
#else
    std::string path = POLLENTA_TEST_DIR "/hyperlink-dialog.png";
#endif
    ASSERT_TRUE(SaveWindowPicture(about, path.c_str()));

    // The picture is the client area as a user sees it: the dialog's
    // background at its corners, each link in its colour, the button drawn.
    QImage picture(QString::fromStdString(path));
    ASSERT_FALSE(picture.isNull());
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(QSize(client.right, client.bottom), picture.size());
    const QColor background = picture.pixelColor(0, 0);
    EXPECT_EQ(QColor(240, 240, 240), background);
    for (QPoint corner : {QPoint(picture.width() - 1, 0), QPoint(0, picture.height() - 1),
                          QPoint(picture.width() - 1, picture.height() - 1)}) {
        SCOPED_TRACE(testing::Message() << "corner " << corner.x() << "," << corner.y());
        EXPECT_EQ(background, picture.pixelColor(corner));
    }
    EXPECT_TRUE(Shows(picture, PlaceIn(about, about.m_support), RGB(0, 0, 238)));
    EXPECT_FALSE(Shows(picture, PlaceIn(about, about.m_support), RGB(85, 26, 139)));
    EXPECT_TRUE(Shows(picture, PlaceIn(about, about.m_site), RGB(85, 26, 139)));
    QRect button = PlaceIn(about, about.GetDlgItem(IDOK));
    EXPECT_TRUE(Shows(picture, button.adjusted(0, 0, 0, -button.height() / 2), RGB(0, 0, 0), 120))
        << "no dark pixels in the button: its frame or text is missing";
}
