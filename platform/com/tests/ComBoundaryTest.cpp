#include "com/ComBoundary.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using pollenta::com::GuardedCall;

TEST(GuardedCall, PassesTheBodysResultAndTurnsEveryExceptionIntoAResult)
{
    struct Case {
        const char* what;
        std::function<HRESULT()> body;
        HRESULT expected;
    };
    const Case cases[] = {
        {"success", [] { return S_OK; }, S_OK},
        {"S_FALSE kept", [] { return S_FALSE; }, S_FALSE},
        {"the body's own failure kept", [] { return E_INVALIDARG; }, E_INVALIDARG},
        {"memory running out", []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"standard exception", []() -> HRESULT { throw std::runtime_error("broken"); }, E_FAIL},
        {"not a standard exception", []() -> HRESULT { throw 42; }, E_FAIL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, GuardedCall(c.body));
    }
}
