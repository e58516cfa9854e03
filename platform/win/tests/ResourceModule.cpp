// A loadable module for the module and resource tests: it declares tables
// and reports its own handle and path the way a deliverable does.

#include "win/Module.h"
#include "win/Resources.h"
#include "win/Version.h"

namespace {

const StringResource kStrings[] = {
    {101, "Pollenta"},
    {138, "Pollenta.chm"},
    {140, "Привет"},
};

const MessageResource kMessages[] = {
    {0xE00022CA, 1033, "Cannot open %1 (%2!d!)."},
    {0xE00022CA, 1049, "Не удалось открыть %1 (%2!d!)."},
    {0x400022CB, 0, "Done%0"},
};

const ResourceTables kTables(kStrings, kMessages);

const VersionString kVersionStrings[] = {
    {"ProductName", "Pollenta"},
    {"FileVersion", "1.4.0, released on November 10, 2006"},
};
const VersionResource kVersion(MAKELONG(4, 1), MAKELONG(0, 0), "040904B0", kVersionStrings);

} // namespace

extern "C" __attribute__((visibility("default"))) int ModuleAnswer() { return 42; }

extern "C" __attribute__((visibility("default"))) HMODULE OwnModule()
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(&ModuleAnswer), &module);
    return module;
}
