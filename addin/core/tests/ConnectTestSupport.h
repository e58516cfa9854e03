#pragma once
// The add-in's connection object in the stand-in client's object model on
// a fresh profile, its log in a folder of the test.

#include "AddinTestFolder.h"
#include "OutlookTestSupport.h"
#include "Regsvr.h"

#include "connect/WEConnect.h"

#include <sstream>

class CConnectTest : public COutlookTest {
public:
    static constexpr const char* kRoot = "Software\\Velquin Ltd\\Pollenta";

    void SetUp() override
    {
        COutlookTest::SetUp();
        AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot, "LogFolderPath", Logs());
        // The answer collection of a complete start-up needs the project
        // library.
        AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot, "DataDir", m_dir + "/projects");
        AddinTestFolder::SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "", "");
        ASSERT_EQ(0, Regsvr("/s", "Gastrel.so"));
        ASSERT_EQ(S_OK, WEConnect::CreateInstance(IID_IDTExtensibility2, reinterpret_cast<void**>(&m_addIn)));
        ASSERT_TRUE(g_pAddin);
    }
    void TearDown() override
    {
        m_addIn.Release();
        COutlookTest::TearDown();
    }

    std::string Logs() const { return m_dir + "/logs"; }

    // The texts of the day's log, in order.
    std::vector<std::string> LogTexts() const
    {
        std::vector<std::string> texts;
        if (!std::filesystem::exists(Logs()))
            return texts;
        for (const auto& file : std::filesystem::directory_iterator(Logs())) {
            std::istringstream lines(AddinTestFolder::ReadFile(file.path()));
            // Log lines end in CR LF.
            for (std::string line; std::getline(lines, line);) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                if (line.empty() || line[0] == '#')
                    continue;
                texts.push_back(line.substr(line.rfind('\t') + 1));
            }
        }
        return texts;
    }

    HRESULT Connect(IDispatch* application)
    {
        SAFEARRAY* custom = nullptr;
        return m_addIn->OnConnection(application, ext_cm_Startup, nullptr, &custom);
    }
    HRESULT Disconnect()
    {
        SAFEARRAY* custom = nullptr;
        return m_addIn->OnDisconnection(ext_dm_HostShutdown, &custom);
    }

    CComPtr<IDTExtensibility2> m_addIn;
};

inline const std::vector<std::string> kStartUpTexts = {
    "COM Add-In launch...", "New message processing process launch...",
    "All the new message processing proceses have been launched", "COM Add-In launch successfully completed"};
inline const std::vector<std::string> kShutDownTexts = {
    "COM Add-In shutdown...", "New message processing process shutdown...",
    "All the new message processing proceses have been successfully shutdowned",
    "COM Add-In shutdown successfully completed"};
