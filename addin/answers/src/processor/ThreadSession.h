#pragma once
// What each worker thread of the answer collection sets up first: its COM
// apartment, MAPI, and a session of its own on the add-in's profile.

#include "com/ComPtr.h"
#include "mapi/IMAPISession.h"

#include <string>

class ThreadSession {
public:
    // An empty profile name logs on to the default profile.
    explicit ThreadSession(const std::string& profile);
    ~ThreadSession();
    ThreadSession(const ThreadSession&) = delete;
    ThreadSession& operator=(const ThreadSession&) = delete;

    bool IsReady() const { return m_spSession != nullptr; }
    IMAPISession* Session() const { return m_spSession; }

private:
    bool m_bCom = false;
    bool m_bMapi = false;
    CComPtr<IMAPISession> m_spSession;
};
