// The survey message's inspector in the stand-in client: its buttons,
// "Send survey" through the sending component, and the message deleted
// when the inspector closes.

#include "ConnectTestSupport.h"
#include "StandInSender.h"
#include "SurveyTestSupport.h"

#include "survey/CWEMessageBuilder.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/Mime.h"
#include "ui/Dialog.h"
#include "ui/DialogHook.h"
#include "ui/ListCtrl.h"
#include "ui/MessageBox.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

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

    // Clicks "Send survey" and answers the progress window as a user would;
    // the lines it showed are returned. The progress window stays up only to
    // show errors: they are read and the window closed. The watch is posted
    // again and again until then, so it holds its state weakly: a round
    // still posted when the click has returned (the window closed at once,
    // without errors) ends there.
    std::vector<std::string> SendSurvey(_Inspector* inspector)
    {
        struct Watch {
            std::vector<std::string> errors;
            CDialog* progress = nullptr;
            HWND window = nullptr;  // checked first: the dialog goes with it
            std::function<void()> round;
        };
        auto watch = std::make_shared<Watch>();
        watch->round = [weak = std::weak_ptr<Watch>(watch)] {
            std::shared_ptr<Watch> watch = weak.lock();
            if (!watch || !IsWindow(watch->window))
                return;
            // The window waits for the user once its Cancel button has become
            // the button that closes it.
            char caption[64] = {};
            if (!GetDlgItemText(watch->progress->m_hWnd, IDCANCEL, caption, sizeof caption) ||
                std::string(caption) == "Cancel") {
                PostCallback(watch->round);
                return;
            }
            CListCtrl list;
            list.Attach(GetDlgItem(watch->progress->m_hWnd, 2041));
            for (int i = 0; i < list.GetItemCount(); ++i)
                watch->errors.push_back(list.GetItemText(i, 0));
            list.Detach();
            watch->progress->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
        };
        DialogShownHook previous = SetDialogShownHook([&](CDialog& dialog) {
            if (!watch->progress) {
                watch->progress = &dialog;
                watch->window = dialog.m_hWnd;
                PostCallback(watch->round);
            }
        });
        EXPECT_EQ(S_OK, Click(inspector, "Send survey"));
        SetDialogShownHook(previous);
        return watch->errors;
    }
    // The survey message with these recipients typed into "To", sent with
    // "Send survey"; nothing may go wrong on the way.
    void SendSurveyTo(std::initializer_list<const char*> typed)
    {
        CComPtr<_Inspector> inspector = OpenSurveyMessage();
        ASSERT_TRUE(inspector);
        CComPtr<IDispatch> item;
        ASSERT_EQ(S_OK, inspector->get_CurrentItem(&item));
        CComQIPtr<_MailItem> mail(item.p);
        ASSERT_TRUE(mail);
        CComPtr<Recipients> recipients;
        ASSERT_EQ(S_OK, mail->get_Recipients(&recipients));
        for (const char* text : typed) {
            CComPtr<Recipient> recipient;
            ASSERT_EQ(S_OK, recipients->Add(CComBSTR(text), &recipient)) << text;
        }
        ASSERT_EQ(S_OK, mail->Save());
        for (const std::string& error : SendSurvey(inspector))
            ADD_FAILURE() << error;
        EXPECT_TRUE(m_boxes.empty()) << m_boxes.front().text;
    }
    // The personal copies written to the outgoing folder, once `count` are there.
    std::vector<std::string> WrittenCopies(std::size_t count)
    {
        std::vector<std::string> copies;
        for (int i = 0; i < 200 && copies.size() < count; ++i) {
            copies.clear();
            for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
                if (entry.path().extension() == ".eml")
                    copies.push_back(AddinTestFolder::ReadFile(entry.path()));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return copies;
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
    ASSERT_NO_FATAL_FAILURE(SendSurveyTo({"anna@example.com", "bert@example.com", "anna@example.com"}));
    EXPECT_FALSE(FirstInspector(m_application));
    EXPECT_EQ(0, DraftCount(m_application));
    // One copy for each distinct address: the second "anna" gets none.
    ASSERT_NE("", WaitForOutgoingMail());
    std::vector<std::string> copies = WrittenCopies(2);
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

TEST_F(InspectorHookTest, RecipientsTypedAsNameAndAddressAreResolvedToOneOffsAndGetTheirNameInTo)
{
    ASSERT_EQ(0, Regsvr("/s", "Torvane.so"));
    ASSERT_EQ(S_OK, CoInitialize(nullptr));
    ASSERT_NO_FATAL_FAILURE(
        SendSurveyTo({"Anna Berg <anna@example.com>", "\"Bert Cole\" <bert@example.com>", "carl@example.com"}));
    ASSERT_NE("", WaitForOutgoingMail());
    std::vector<std::string> copies = WrittenCopies(3);
    ASSERT_EQ(3u, copies.size());
    std::map<std::string, MimeMessageData> byAddress;
    for (const std::string& copy : copies) {
        MimeMessageData parsed = ParseMime(std::span(reinterpret_cast<const BYTE*>(copy.data()), copy.size()));
        ASSERT_EQ(1u, parsed.to.size()) << copy;
        byAddress[parsed.to[0].address] = parsed;
    }
    const struct {
        const char* address;
        const char* name;
    } expected[] = {
        {"anna@example.com", "Anna Berg"},
        {"bert@example.com", "Bert Cole"},
        {"carl@example.com", ""},
    };
    for (const auto& recipient : expected) {
        SCOPED_TRACE(recipient.address);
        ASSERT_EQ(1u, byAddress.count(recipient.address));
        EXPECT_EQ(recipient.name, byAddress[recipient.address].to[0].name);
    }
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
