#pragma once
// Expands a message text: %1..%99 inserts with optional printf formats
// (%1!d!), the escapes %n %r %t %b %% %. %! and %0, which ends the text.
// A percent sign before anything else stays as written.

#include "win/Types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class MessageFormatter {
public:
    // arguments is a va_list* or, with FORMAT_MESSAGE_ARGUMENT_ARRAY, a
    // DWORD_PTR array. Returns ERROR_SUCCESS or ERROR_INVALID_PARAMETER for
    // an insert that cannot be filled. ended tells whether %0 cut the text.
    static DWORD Expand(std::string_view text, DWORD flags, va_list* arguments, std::string& out, bool& ended);
};
