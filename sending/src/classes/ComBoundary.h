#pragma once
// What every COM member of the component does at its boundary: no exception
// leaves it, and a failure carries error information for the client.

#include "win/Errors.h"

#include "com/Guid.h"

#include <new>
#include <string>

// Sets the thread's error information (source: the ProgID of TMMailItem)
// and returns `hr`.
HRESULT SetComponentError(HRESULT hr, const std::string& description, REFIID iid);

// Runs a member body; an escaping exception becomes E_OUTOFMEMORY or E_FAIL.
template <class Body>
HRESULT GuardedCall(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
