#pragma once
// A client object model on a fresh profile, and event sinks that record
// what they hear.

#include "MapiTestSupport.h"

#include "outlook/OutlookHost.h"

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"
#include "com/EventSink.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

// True when the file starts as a PNG file does.
inline bool IsPng(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char signature[8] = {};
    in.read(signature, sizeof signature);
    return in && std::string(signature + 1, 3) == "PNG";
}

class COutlookTest : public CMapiTest {
public:
    void SetUp() override
    {
        CMapiTest::SetUp();
        ASSERT_EQ(S_OK, pollenta::outlook::OutlookHost::Create(
                            m_session, {"11.0.5510", "Ann Example", "ann@example.org"}, m_host));
        m_application = m_host->Application();
    }
    void TearDown() override
    {
        for (auto& [point, cookie] : m_advised)
            point->Unadvise(cookie);
        m_advised.clear();
        m_application.Release();
        m_host.reset();
        CMapiTest::TearDown();
    }

    // Records "<name>:<dispid>" for every event `source` tells through `iid`.
    void Listen(IUnknown* source, REFIID iid, const std::string& name, pollenta::com::EventHandler extra = nullptr)
    {
        CComQIPtr<IConnectionPointContainer> container(source);
        ASSERT_TRUE(container);
        CComPtr<IConnectionPoint> point;
        ASSERT_EQ(S_OK, container->FindConnectionPoint(iid, &point));
        CComPtr<IDispatch> sink;
        ASSERT_EQ(S_OK, pollenta::com::CreateEventSink(
                            iid,
                            [this, name, extra](DISPID id, pollenta::com::DispatchCall& call) {
                                m_heard.push_back(name + ":" + std::to_string(id));
                                return extra ? extra(id, call) : S_OK;
                            },
                            &sink));
        DWORD cookie = 0;
        ASSERT_EQ(S_OK, point->Advise(sink, &cookie));
        m_advised.emplace_back(point, cookie);
    }

    // The first .eml file the spooler writes into the outgoing folder,
    // waited for up to 10 seconds; "" when none comes.
    std::string WaitForOutgoingMail() const
    {
        for (int i = 0; i < 200; ++i) {
            if (std::filesystem::exists(Outgoing()))
                for (const auto& entry : std::filesystem::directory_iterator(Outgoing()))
                    if (entry.path().extension() == ".eml")
                        return entry.path().string();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return "";
    }

    CComPtr<_MailItem> NewMail()
    {
        CComPtr<IDispatch> item;
        EXPECT_EQ(S_OK, m_application->CreateItem(olMailItem, &item));
        return CComQIPtr<_MailItem>(item.p);
    }

    std::unique_ptr<pollenta::outlook::OutlookHost> m_host;
    CComPtr<_Application> m_application;
    std::vector<std::string> m_heard;
    std::vector<std::pair<CComPtr<IConnectionPoint>, DWORD>> m_advised;
};
