#pragma once
// Throws the silent CZrHrException of a call with invalid arguments:
// E_INVALIDARG, "Invalid parameters. Function: <function>" and the place.
// A null function or file reads "Unknown".

[[noreturn]] void ThrowInvalidParams(const char* function, const char* file, int line);
