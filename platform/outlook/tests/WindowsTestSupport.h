#pragma once
// The client's windows offscreen over a fresh profile whose Inbox holds one
// survey from Bob; pictures land in the build's tests folder.

#include "OutlookTestSupport.h"

#include "outlookwindows/HostWindows.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/MapiAdmin.h"

#include <QApplication>
#include <QMainWindow>
#include <QToolBar>

#include <cstdlib>

inline const std::string kPictures = POLLENTA_TEST_DIR;

class CWindowsTest : public COutlookTest {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        COutlookTest::SetUp();
        const std::string mime =
            "From: Bob Example <bob@example.org>\r\nTo: ann@example.org\r\nSubject: Customer survey\r\n"
            "MIME-Version: 1.0\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
            "<HTML><BODY><H1>Customer survey</H1><FORM><INPUT NAME=\"Q1\"> How did we do?</FORM></BODY></HTML>\r\n";
        ASSERT_EQ(S_OK,
                  pollenta::mapi::DeliverMime(m_store, nullptr, std::vector<BYTE>(mime.begin(), mime.end()), nullptr));
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
        ASSERT_EQ(S_OK, m_host->OpenExplorer(&m_explorer));
        m_windows->ProcessEvents();
    }
    void TearDown() override
    {
        m_explorer.Release();
        m_host->CloseWindows();
        m_windows.reset();
        COutlookTest::TearDown();
    }

    CComPtr<_MailItem> FirstInboxItem()
    {
        CComPtr<MAPIFolder> inbox;
        CComPtr<_Items> items;
        CComPtr<IDispatch> item;
        CComPtr<_NameSpace> nameSpace;
        m_application->GetNamespace(CComBSTR("MAPI"), &nameSpace);
        EXPECT_EQ(S_OK, nameSpace->GetDefaultFolder(olFolderInbox, &inbox));
        inbox->get_Items(&items);
        EXPECT_EQ(S_OK, items->Item(CComVariant(1), &item));
        return CComQIPtr<_MailItem>(item.p);
    }

    // A new mail item with a subject and one recipient, shown in an
    // inspector window.
    CComPtr<_Inspector> NewMailShown(const char* subject, const char* recipient, CComQIPtr<_MailItem>& mail)
    {
        CComPtr<IDispatch> item;
        EXPECT_EQ(S_OK, m_application->CreateItem(olMailItem, &item));
        mail = item.p;
        mail->put_Subject(CComBSTR(subject));
        CComPtr<Recipients> recipients;
        mail->get_Recipients(&recipients);
        recipients->Add(CComBSTR(recipient), nullptr);
        CComPtr<_Inspector> inspector;
        EXPECT_EQ(S_OK, mail->get_GetInspector(&inspector));
        m_windows->ProcessEvents();
        return inspector;
    }

    // The top-level window with a child of this type (and object name).
    template <class Child>
    static QMainWindow* WindowWith(const char* objectName = nullptr)
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<QMainWindow*>(widget); window && window->isVisible())
                if (objectName ? window->findChild<Child*>(objectName) : window->findChild<Child*>())
                    return window;
        return nullptr;
    }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    CComPtr<_Explorer> m_explorer;
};
