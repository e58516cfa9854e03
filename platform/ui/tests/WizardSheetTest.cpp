#include "HandMadeBitmap.h"
#include "UiTestEnvironment.h"
#include "ui/PostMessage.h"
#include "ui/PropertySheet.h"
#include "ui/Screenshot.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QWidget>

namespace {

constexpr UINT IDD_WELCOME = 104;
constexpr UINT IDD_SOURCE = 103;
constexpr UINT IDB_HEADER = 203;
constexpr UINT IDB_WATERMARK = 205;
constexpr UINT IDI_SHEET = 128;
const char kSourceTitle[] = "The initial HTML-page for Pollenta project creation";

void RegisterWizardResources()
{
    for (UINT id : {IDD_WELCOME, IDD_SOURCE}) {
        DialogTemplate page;
        page.style = WS_CHILD;
        page.cx = 317;
        page.cy = 143;
        page.items = {{"Static", id == IDD_WELCOME ? "Welcome" : "Page path:", 1027, WS_VISIBLE, 0, 115, 8, 150, 10}};
        RegisterDialogTemplate(AfxGetResourceHandle(), id, page);
    }
    RegisterImageResource(AfxGetResourceHandle(), IDB_HEADER, HandMadeBitmap(49, 49, 0x20, 0x60, 0xC0));
    RegisterImageResource(AfxGetResourceHandle(), IDB_WATERMARK, HandMadeBitmap(164, 314, 0x10, 0x40, 0x90));
    RegisterImageResource(AfxGetResourceHandle(), IDI_SHEET, HandMadeBitmap(32, 32, 0xE0, 0x80, 0x10));
}

// Posts its buttons the way the wizard's pages do: while the sheet is still
// activating it.
class CPostingPage : public CPropertyPage {
public:
    CPostingPage(UINT id, LPCSTR title, DWORD buttons) : CPropertyPage(id, title), m_buttons(buttons) {}
    BOOL OnSetActive() override
    {
        PostMessage(*GetSheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(m_buttons));
        return TRUE;
    }
    DWORD m_buttons;
};

struct Wizard {
    Wizard()
    {
        welcome.m_psp.dwFlags |= PSP_HIDEHEADER;
        sheet.m_psh.dwFlags |= PSH_WIZARD97;
        sheet.AddPage(&welcome);
        sheet.AddPage(&source);
    }
    ~Wizard()
    {
        DeleteObject(watermark);
        DeleteObject(header);
    }
    bool registered = (RegisterWizardResources(), true);
    HBITMAP watermark = LoadBitmap(AfxGetResourceHandle(), IDB_WATERMARK);
    HBITMAP header = LoadBitmap(AfxGetResourceHandle(), IDB_HEADER);
    CPostingPage welcome{IDD_WELCOME, nullptr, PSWIZB_NEXT};
    CPostingPage source{IDD_SOURCE, kSourceTitle, PSWIZB_BACK};
    CPropertySheet sheet{"NewProject", nullptr, 0, watermark, header};
};

QWidget* WidgetNamed(HWND hwnd, const char* name)
{
    QWidget* top = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle() == QString::fromUtf8(GetWindowTextString(hwnd).c_str()))
            top = widget;
    return top ? top->findChild<QWidget*>(name) : nullptr;
}

std::string Picture(const char* name) { return std::string(POLLENTA_TEST_DIR) + "/" + name; }

} // namespace

TEST_F(UiTest, WizardShowsTheHeaderBandOnInteriorPagesAndTheWatermarkOnExteriorOnes)
{
    Wizard wizard;
    ASSERT_NE(wizard.watermark, nullptr);
    ASSERT_NE(wizard.header, nullptr);
    ASSERT_TRUE(wizard.sheet.Create());
    ShowWindow(wizard.sheet, SW_SHOW);
    PumpWaitingMessages();

    QWidget* band = WidgetNamed(wizard.sheet, "wizardHeader");
    ASSERT_NE(band, nullptr);
    EXPECT_FALSE(band->isVisible());
    QWidget* watermark = WidgetNamed(wizard.sheet, "wizardWatermark");
    ASSERT_NE(watermark, nullptr);
    EXPECT_TRUE(watermark->isVisible());
    RECT welcome{};
    GetWindowRect(wizard.welcome, &welcome);
    RECT sheetRect{};
    GetWindowRect(wizard.sheet, &sheetRect);
    EXPECT_EQ(sheetRect.top, welcome.top); // the exterior page starts at the top
    ASSERT_TRUE(SaveWindowPicture(wizard.sheet, Picture("wizard-exterior-page.png").c_str()));

    wizard.sheet.PressButton(PSBTN_NEXT);
    PumpWaitingMessages();
    EXPECT_TRUE(band->isVisible());
    auto* title = band->findChild<QLabel*>("wizardHeaderTitle");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(QString(kSourceTitle), title->text());
    EXPECT_FALSE(band->findChild<QLabel*>("wizardHeaderSubtitle")->isVisible());
    RECT source{};
    GetWindowRect(wizard.source, &source);
    EXPECT_EQ(sheetRect.top + band->height(), source.top); // below the band
    ASSERT_TRUE(SaveWindowPicture(wizard.sheet, Picture("wizard-interior-page.png").c_str()));
    QImage picture(QString::fromStdString(Picture("wizard-interior-page.png")));
    EXPECT_EQ(QColor(Qt::white), picture.pixelColor(5, 5)); // the band is white
}

TEST_F(UiTest, PostedWizardButtonsTakeEffectOnlyAfterTheActivationReturns)
{
    Wizard wizard;
    ASSERT_TRUE(wizard.sheet.Create());
    ShowWindow(wizard.sheet, SW_SHOW);
    PumpWaitingMessages();
    EXPECT_FALSE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZBACK)));
    wizard.sheet.PressButton(PSBTN_NEXT);
    // Still as the welcome page left them, until the queue runs.
    EXPECT_TRUE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZNEXT)));
    PumpWaitingMessages();
    EXPECT_FALSE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZNEXT)));
    EXPECT_TRUE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZBACK)));
}

TEST_F(UiTest, AMessagePostedToAWindowThatIsDestroyedMeanwhileIsDropped)
{
    Wizard wizard;
    ASSERT_TRUE(wizard.sheet.Create());
    HWND sheet = wizard.sheet;
    EXPECT_TRUE(PostMessage(sheet, PSM_SETWIZBUTTONS, 0, PSWIZB_FINISH));
    DestroyWindow(sheet);
    PumpWaitingMessages();
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_FALSE(PostMessage(sheet, PSM_SETWIZBUTTONS, 0, PSWIZB_FINISH));
}

TEST_F(UiTest, TheSheetShowsTheIconItIsGiven)
{
    Wizard wizard;
    ASSERT_TRUE(wizard.sheet.Create());
    HICON icon = LoadIcon(AfxGetResourceHandle(), IDI_SHEET);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(nullptr, GetWindowIcon(wizard.sheet));
    SendMessage(wizard.sheet, WM_SETICON, 1, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(icon, GetWindowIcon(wizard.sheet));
    DestroyWindow(wizard.sheet);
    DestroyIcon(icon);
}

TEST_F(UiTest, PicturesThatAreMissingOrDamagedLoadAsNothing)
{
    RegisterImageResource(AfxGetResourceHandle(), 900, "BM\x10\x00 not a bitmap");
    EXPECT_EQ(nullptr, LoadBitmap(AfxGetResourceHandle(), 900));
    EXPECT_EQ(nullptr, LoadIcon(AfxGetResourceHandle(), 900));
    EXPECT_EQ(nullptr, LoadBitmap(AfxGetResourceHandle(), 901));
    RegisterImageResource(AfxGetResourceHandle(), 902, HandMadeBitmap(3, 2, 1, 2, 3));
    HBITMAP bitmap = LoadBitmap(AfxGetResourceHandle(), 902);
    SIZE size{};
    ASSERT_TRUE(GetBitmapSize(bitmap, &size));
    EXPECT_EQ(3, size.cx);
    EXPECT_EQ(2, size.cy);
    DeleteObject(bitmap);
}
