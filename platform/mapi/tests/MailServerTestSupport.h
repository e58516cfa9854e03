#pragma once
// A profile whose mail account points at real servers of the test's own on
// 127.0.0.1: a throwaway certificate authority, its password in a file, and
// the servers' URLs set through the profile's account.

#include "MapiTestSupport.h"

#include "testsupport/MailServers.h"
#include "testsupport/StandardMail.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

class CMailServerTest : public CMapiTest {
public:
    static constexpr const char* kUser = "survey";
    static constexpr const char* kPassword = "s3cret pass";

    void SetUp() override
    {
        CMapiTest::SetUp();
        std::ofstream(m_dir + "/password") << kPassword << "\n";
        m_account.user = kUser;
        m_account.passwordFile = m_dir + "/password";
        m_account.caFile = m_certificate.Ca().string();
        // Tests wait at most a second between tries of a server that failed.
        m_account.retryMaxSeconds = 1;
    }

    void UseAccount(const pollenta::mapi::MailAccount& account)
    {
        ASSERT_EQ(S_OK, pollenta::mapi::SetProfileAccount("Test", account));
    }

    // The text GetLastError gives for a flush of the outgoing queue, empty
    // when it succeeds.
    std::string FlushError()
    {
        CComPtr<IMAPIStatus> spooler = Spooler();
        HRESULT hr = spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD);
        if (SUCCEEDED(hr)) return {};
        LPMAPIERROR error = nullptr;
        std::string text = "failed without a text";
        if (SUCCEEDED(spooler->GetLastError(hr, 0, &error)) && error && error->lpszError)
            text = reinterpret_cast<const char*>(error->lpszError);
        MAPIFreeBuffer(error);
        return text;
    }

    ULONG CountIn(ULONG folderTag) { return RowCount(SpecialFolder(m_store, folderTag)); }
    ULONG CountInInbox() { return RowCount(Inbox(m_store)); }

    static bool WaitFor(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30))
    {
        for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;) {
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return done();
    }

    pollenta::testsupport::TestCertificate m_certificate{m_folder.Path() / "tls"};
    pollenta::mapi::MailAccount m_account;
};
