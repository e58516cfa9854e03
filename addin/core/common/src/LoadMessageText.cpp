#include "zr/LoadMessageText.h"

#include "win/Message.h"
#include "win/Module.h"

#include <vector>

namespace {

constexpr DWORD kUsEnglish = 1033;
constexpr DWORD kTextLimit = 2048;
// A message may name more inserts than the caller gives; those read "".
constexpr std::size_t kInsertSlots = 99;

// The module this source is built into.
HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&OwnModule), &module);
    return module;
}

}  // namespace

std::string LoadMessageText(DWORD id, std::initializer_list<std::string> inserts)
{
    std::vector<DWORD_PTR> arguments(kInsertSlots, reinterpret_cast<DWORD_PTR>(""));
    std::size_t slot = 0;
    for (const std::string& insert : inserts) {
        if (slot < kInsertSlots)
            arguments[slot++] = reinterpret_cast<DWORD_PTR>(insert.c_str());
    }
    std::vector<char> buffer(kTextLimit, '\0');
    const DWORD length = FormatMessage(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, OwnModule(), id,
                                       kUsEnglish, buffer.data(), kTextLimit,
                                       reinterpret_cast<va_list*>(arguments.data()));
    std::string text(buffer.data(), length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}
