// The sending windows as a person reads them, in each language of the
// component: no text cut, the icons drawn, and their pictures in the build's
// screenshots folder.

#include "ReadableWindows.h"

#include "errors/CZrException.h"
#include "lang/CWELanguages.h"
#include "mapisender/CZrReportDlg.h"
#include "sender/CWEProgress.h"
#include "sender/CWERollBackDlg.h"
#include "sender/SendingDialogs.h"

#include "testsupport/TempFolder.h"
#include "ui/DialogHook.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"
#include "ui/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct Language {
    std::uint32_t id;
    const char* suffix;
};

const Language kLanguages[] = {
    {CWELanguages::EnglishId, "en"}, {CWELanguages::GermanId, "de"}, {CWELanguages::RussianId, "ru"}};

class SendingWindowsTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ASSERT_TRUE(Languages().SelectLanguage(m_folder.Path().string(), "English"));
        Languages().SetLanguageId(GetParam().id);
    }
    void TearDown() override
    {
        SetDialogShownHook({});
        Languages().SetLanguageId(CWELanguages::EnglishId);
        PumpWaitingMessages();
    }

    std::string Name(const char* window) const { return std::string(window) + "-" + GetParam().suffix; }

    static CZrException Error(const std::string& text)
    {
        return CZrException(E_FAIL, CZrException::KindComponent, "IMessage::SubmitMessage", {text},
                            CZrSourcePlace{"CZrMessageSender.cpp", 120, "Send"});
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-sending-windows"};
};

} // namespace

TEST_P(SendingWindowsTest, TheRollBackDialogShowsItsWarningIconAndEveryChoiceWhole)
{
    int iconPixels = 0;
    SetDialogShownHook([&](CDialog& dialog) {
        ExpectReadable(dialog.m_hWnd, "sending", Name("rollback"));
        iconPixels = CountDrawnPixels(dialog.GetDlgItem(IDC_ROLLBACK_ICON));
        dialog.EndDialog(IDOK);
    });
    CWERollBackDlg dialog(nullptr, 12);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_GT(iconPixels, 100);
}

TEST_P(SendingWindowsTest, TheProgressWindowWithErrorsShowsEachLineWhole)
{
    CWEProgress progress;
    progress.SetRange(5);
    progress.StepIt();
    progress.AddError("Unable to get the address of the recipient (The object or property was not found) (Nobody)");
    progress.AddError("CORP\\jsmith <corp@example.org>: The message could not be submitted");
    ASSERT_TRUE(progress.IsShown());
    ExpectReadable(progress.m_hWnd, "sending", Name("progress"));
    progress.OnCommand(IDCANCEL, BN_CLICKED, nullptr);
    PumpWaitingMessages();
}

TEST_P(SendingWindowsTest, TheReportWindowShowsEachLineWholeBesideItsIcon)
{
    CZrReportDlg report;
    report.Show("", "", nullptr);
    ASSERT_TRUE(report.IsShown());
    report.SetProgress(2, 3);
    report.AddInfoLine("Sending started");
    report.AddSentLine("CORP\\jsmith <corp@example.org>");
    report.AddErrorText(Error("The message to \"Ann One\" <ann@example.com> could not be submitted"));
    ExpectReadable(report.m_hWnd, "sending", Name("report"));
    EXPECT_GT(CountColouredPixels(report.GetDlgItem(IDC_REPORT_LIST)), 60) << "the line icons";
    report.OnCommand(IDCANCEL, BN_CLICKED, nullptr);
    PumpWaitingMessages();
}

INSTANTIATE_TEST_SUITE_P(Languages, SendingWindowsTest, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.suffix); });
