#include "errors/ThrowInvalidParams.h"

#include "errors/CZrHrException.h"

#include <string>

void ThrowInvalidParams(const char* function, const char* file, int line)
{
    const std::string additional = std::string("Invalid parameters. Function: ") + (function ? function : "Unknown");
    throw CZrHrException(E_INVALIDARG, additional.c_str(), file ? file : "Unknown", line, true);
}
