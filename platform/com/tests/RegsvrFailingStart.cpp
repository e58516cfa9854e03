// A module whose static constructors end the loading process, built twice:
// once throwing an exception, once aborting as a failed assertion does
// (REGSVR_START_SIGNAL).
// regsvr must name the module and the reason, and register the others.

#include "com/Export.h"

#include <cstdlib>
#include <stdexcept>

namespace {

struct FailingStart {
    FailingStart()
    {
#ifdef REGSVR_START_SIGNAL
        std::abort();
#else
        throw std::runtime_error("the licence file is missing");
#endif
    }
};

const FailingStart g_start;

}  // namespace

STDAPI DllRegisterServer()
{
    return S_OK;
}

STDAPI DllUnregisterServer()
{
    return S_OK;
}
