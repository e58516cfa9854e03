// The survey message's inspector in the stand-in client: its buttons,
// "Send survey" through the sending component, and the message deleted
// when the inspector closes.

#include "ConnectTestSupport.h"
#include "StandInSender.h"
#include "SurveyTestSupport.h"

#include "survey/CWEMessageBuilder.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "ui/Dialog.h"
#include "ui/DialogHook.h"
#include "ui/ListCtrl.h"
#include "ui/MessageBox.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"

#include <algorithm>
#include <fstream>
#include <thread>
#include <thread>
#include <algorithm>

class InspectorHookTest : public CConnectTest {
public:
    void SetUp() override
    {
        CConnectTest::SetUp();
        ASSERT_EQ(S_OK, Connect(m_application));
        m_props.m_strProjectDir = m_dir + "/project";
        m_props.m_strStartPage = "index.html";
        std::filesystem::create_directories(m_props.m_strProjectDir);
        std::ofstream(m_props.m_strProjectDir + "/index.html") << "<HTML><BODY><IMG SRC=\"a.gif\"></BODY></HTML>";
        std::ofstream(m_props.m_strProjectDir + "/a.gif") << "GIF89a";
        m_previousHook = SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(m_previousHook);
        Disconnect();
        m_host->CloseWindows();
        CConnectTest::TearDown();
    }

    // What CreateNewMessage does once the project's properties are read.
    CComPtr<_Inspector> OpenSurveyMessage()
    {
        g_pAddin->m_lCurrentProjectId = 7;
        CWEMessageBuilder builder(m_application, m_Log);
        EXPECT_EQ(S_OK, builder.CreateSurveyMessage(7, m_props)) << builder.GetErrorText();
        return FirstInspector(m_application);
    }
    static std::string CaptionAt(CommandBarControls* controls, LONG index)
    {
        CComPtr<CommandBarControl> control;
        CComBSTR caption;
        if (FAILED(controls->get_Item(CComVariant(index), &control)) || !control)
            return "";
        control->get_Caption(&caption);
        return caption.ToString();
    }
    static CComPtr<CommandBarControls> StandardControls(_Inspector* inspector)
    {
        CComPtr<_CommandBars> bars;
        CComPtr<CommandBar> standard;
        CComPtr<CommandBarControls> controls;
        inspector->get_CommandBars(&bars);
        bars->get_Item(CComVariant("Standard"), &standard);
        standard->get_Controls(&controls);
        return controls;
    }
    static HRESULT Click(_Inspector* inspector, const std::string& caption)
    {
        CComPtr<_CommandBars> bars;
        inspector->get_CommandBars(&bars);
        return pollenta::outlook::ClickControl(bars, caption);
    }

    CWELog m_Log;
    CWEProjectProps m_props;
    MessageBoxHook m_previousHook;
    std::vector<MessageBoxRequest> m_boxes;
};

TEST_F(InspectorHookTest, TheSurveyMessageGetsSendSurveyFirstOnItsToolbarAndThePopupInItsFileMenu)
{
    CComPtr<_Inspector> inspector = OpenSurveyMessage();
    ASSERT_TRUE(inspector);
    EXPECT_EQ(0, g_pAddin->m_lCurrentProjectId);
    EXPECT_EQ("Send survey", CaptionAt(StandardControls(inspector), 1));
    CComPtr<_CommandBars> bars;
    inspector->get_CommandBars(&bars);
    CComPtr<CommandBar> menuBar;
    bars->get_ActiveMenuBar(&menuBar);
    CComVariant leftOut;
    CComPtr<CommandBarControl> file, importExport;
    menuBar->FindControl(CComVariant(static_cast<LONG>(msoControlPopup)), CComVariant(30002), leftOut, leftOut,
                         CComVariant(true), &file);
    menuBar->FindControl(CComVariant(static_cast<LONG>(msoControlButton)), CComVariant(3037), leftOut, leftOut,
                         CComVariant(true), &importExport);
    CComPtr<CommandBarControls> fileControls;
    CComQIPtr<CommandBarPopup>(file.p)->get_Controls(&fileControls);
    LONG index = 0;
    ASSERT_TRUE(importExport);
    importExport->get_Index(&index);
    EXPECT_EQ("Pollenta", CaptionAt(fileControls, index + 1));
}

TEST_F(InspectorHookTest, SendSurveyHandsTheItemAndTheMacrosOverThenClosesAndDeletesTheMessage)
{
    StandInSenderRegistration sender(S_OK);
    CComPtr<_Inspector> inspector = OpenSurveyMessage();
    ASSERT_TRUE(inspector);
    ASSERT_EQ(1, DraftCount(m_application));
    EXPECT_EQ(S_OK, Click(inspector, "Send survey"));
    EXPECT_EQ(1, sender.Record().solvendaCalls);
    EXPECT_TRUE(CComQIPtr<_MailItem>(sender.Record().item.p));
    EXPECT_EQ((std::vector<std::string>{"%RECIPIENT%=0", "%RECIPNAME%=1", "%DLNAME%=2", "%RECIPFIRSTNAME%=3",
                                        "%RECIPLASTNAME%=4"}),
              sender.Record().macros);
    EXPECT_FALSE(FirstInspector(m_application));
    EXPECT_EQ(0, DraftCount(m_application));
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(InspectorHookTest, SendSurveyThroughTheRealSendingComponentWritesOnePersonalCopyPerAddress)
{
    ASSERT_EQ(0, Regsvr("/s", "Torvane.so"));
    // The client's UI thread has COM initialized, as the host program does.
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    CComPtr<_Inspector> inspector = OpenSurveyMessage();
    ASSERT_TRUE(inspector);
    CComPtr<IDispatch> item;
    ASSERT_EQ(S_OK, inspector->get_CurrentItem(&item));
    CComQIPtr<_MailItem> mail(item.p);
    ASSERT_TRUE(mail);
    CComPtr<Recipients> recipients;
    ASSERT_EQ(S_OK, mail->get_Recipients(&recipients));
    for (const char* address : {"anna@example.com", "bert@example.com", "anna@example.com"}) {
        CComPtr<Recipient> recipient;
        ASSERT_EQ(S_OK, recipients->Add(CComBSTR(address), &recipient)) << address;
    }
    ASSERT_EQ(S_OK, mail->Save());

    // The progress window stays up only to show errors; they are read and
    // the window closed, as a user would.
    std::vector<std::string> errors;
    CDialog* progress = nullptr;
    std::function<void()> closeWhenWaiting = [&] {
        // The window waits for the user once its Cancel button has become
        // the button that closes it.
        char caption[64] = {};
        if (!progress || !GetDlgItemText(progress->m_hWnd, IDCANCEL, caption, sizeof caption) ||
            std::string(caption) == "Cancel") {
            PostCallback(closeWhenWaiting);
            return;
        }
        CListCtrl list;
        list.Attach(GetDlgItem(progress->m_hWnd, 2041));
        for (int i = 0; i < list.GetItemCount(); ++i)
            errors.push_back(list.GetItemText(i, 0));
        list.Detach();
        progress->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
    };
    DialogShownHook previous = SetDialogShownHook([&](CDialog& dialog) {
        if (!progress) {
            progress = &dialog;
            PostCallback(closeWhenWaiting);
        }
    });
    EXPECT_EQ(S_OK, Click(inspector, "Send survey"));
    SetDialogShownHook(previous);
    for (const std::string& error : errors)
        ADD_FAILURE() << error;
    EXPECT_TRUE(m_boxes.empty()) << m_boxes.front().text;
    EXPECT_FALSE(FirstInspector(m_application));
    EXPECT_EQ(0, DraftCount(m_application));
    // One copy for each distinct address: the second "anna" gets none.
    ASSERT_NE("", WaitForOutgoingMail());
    std::vector<std::string> copies;
    for (int i = 0; i < 200 && copies.size() < 2; ++i) {
        copies.clear();
        for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
            if (entry.path().extension() == ".eml")
                copies.push_back(AddinTestFolder::ReadFile(entry.path()));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(2u, copies.size());
    std::sort(copies.begin(), copies.end(), [](const std::string& a, const std::string& b) {
        return a.find("anna@") != std::string::npos && b.find("anna@") == std::string::npos;
    });
    EXPECT_NE(std::string::npos, copies[0].find("anna@example.com"));
    EXPECT_EQ(std::string::npos, copies[0].find("bert@example.com"));
    EXPECT_NE(std::string::npos, copies[1].find("bert@example.com"));
    EXPECT_EQ(std::string::npos, copies[1].find("anna@example.com"));
    CoUninitialize();
}

TEST_F(InspectorHookTest, AFailedSendingShowsItsTextAndTheMessageStaysUntilItsInspectorCloses)
{
    StandInSenderRegistration sender(TM_E_NORECIPIENTS);
    CComPtr<_Inspector> inspector = OpenSurveyMessage();
    ASSERT_TRUE(inspector);
    EXPECT_EQ(S_OK, Click(inspector, "Send survey"));
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("At least one recipient should be entered in the \"To\" field.", m_boxes[0].text);
    EXPECT_EQ("Pollenta", m_boxes[0].caption);
    EXPECT_EQ(MB_ICONWARNING, m_boxes[0].type);
    EXPECT_TRUE(FirstInspector(m_application));
    EXPECT_EQ(1, DraftCount(m_application));
    inspector->Close(olSave);
    EXPECT_EQ(0, DraftCount(m_application));
}

TEST_F(InspectorHookTest, WithoutTheSendingComponentTheCommandEndsQuietlyAndIsLogged)
{
    CComPtr<_Inspector> inspector = OpenSurveyMessage();
    ASSERT_TRUE(inspector);
    EXPECT_EQ(S_OK, Click(inspector, "Send survey"));
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(FirstInspector(m_application));
    const std::vector<std::string> texts = LogTexts();
    EXPECT_NE(texts.end(),
              std::find(texts.begin(), texts.end(), "Fatal error while creating object \"Torvane.TMMailItem\""));
}

TEST_F(InspectorHookTest, AnInspectorOpenedWithoutAPendingSurveyGetsNoButtons)
{
    CComPtr<IDispatch> item;
    ASSERT_EQ(S_OK, m_application->CreateItem(olMailItem, &item));
    CComQIPtr<_MailItem>(item.p)->Display(CComVariant());
    CComPtr<_Inspector> inspector = FirstInspector(m_application);
    ASSERT_TRUE(inspector);
    EXPECT_NE("Send survey", CaptionAt(StandardControls(inspector), 1));
    EXPECT_EQ(S_FALSE, Click(inspector, "Send survey"));
}
