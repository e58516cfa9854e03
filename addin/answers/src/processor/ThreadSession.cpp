#include "processor/ThreadSession.h"

#include "com/Activation.h"
#include "mapi/MapiUtil.h"

namespace {

constexpr ULONG kMultithreadNoCoinit = 9;  // MAPI_MULTITHREAD_NOTIFICATIONS | MAPI_NO_COINIT

}  // namespace

ThreadSession::ThreadSession(const std::string& profile)
{
    m_bCom = SUCCEEDED(CoInitialize(nullptr));
    MAPIINIT_0 init = {0, kMultithreadNoCoinit};
    HRESULT hr = MAPIInitialize(&init);
    if (hr == MAPI_E_UNKNOWN_FLAGS) {
        init.ulFlags = MAPI_MULTITHREAD_NOTIFICATIONS;
        hr = MAPIInitialize(&init);
    }
    m_bMapi = SUCCEEDED(hr);
    if (!m_bMapi)
        return;
    std::string name = profile;
    if (FAILED(MAPILogonEx(0, name.empty() ? nullptr : name.data(), nullptr, MAPI_EXTENDED, &m_spSession)))
        m_spSession.Release();
}

ThreadSession::~ThreadSession()
{
    m_spSession.Release();
    if (m_bMapi)
        MAPIUninitialize();
    if (m_bCom)
        CoUninitialize();
}
