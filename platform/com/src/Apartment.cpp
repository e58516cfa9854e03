#include "Apartment.h"

#include "ServerModules.h"
#include "com/Activation.h"

#include <atomic>

namespace {

thread_local int t_initCount = 0;
std::atomic<int> g_initializedThreads{0};

}  // namespace

namespace pollenta::com {

bool IsThreadInitialized() { return t_initCount > 0; }

}  // namespace pollenta::com

extern "C" {

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(void*, DWORD)
{
    if (t_initCount++ > 0) return S_FALSE;
    g_initializedThreads.fetch_add(1);
    return S_OK;
}

void CoUninitialize()
{
    if (t_initCount == 0 || --t_initCount > 0) return;
    if (g_initializedThreads.fetch_sub(1) == 1) pollenta::com::ServerModules::Instance().UnloadUnused();
}

}
