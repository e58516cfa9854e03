#pragma once
// The "To" recipients of a message taken away, all of them or all after the
// first few; Cc and Bcc recipients stay.

#include "mapi/IMessage.h"

#include <cstddef>

struct ToRemoval {
    HRESULT hr = S_OK;
    // The step that failed: "Code 017" to "Code 021", "Code 026" (no
    // recipients) or "Code 027" (no "To" recipient); null on success.
    const char* code = nullptr;
    // The MAPI object whose last error explains the failure.
    IUnknown* failedObject = nullptr;
};

ToRemoval RemoveToRecipients(IMessage* message, std::size_t keep);
