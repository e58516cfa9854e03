#include "module/TorvanePictures.h"

#include "win/Module.h"

#include <mutex>
#include <string>
#include <string_view>

std::string_view TorvanePictureFile(std::string_view fileName);

namespace {

struct Picture {
    UINT id;
    const char* file;
};

constexpr Picture kPictures[] = {
    {IDI_ROLLBACK, "icon-5-rollback.png"},
    {IDI_REPORT_INFO, "icon-2006-info.png"},
    {IDI_REPORT_ERROR, "icon-2007-error.png"},
    {IDI_REPORT_SENT, "icon-2008-sent.png"},
};

// The module these pictures are compiled into; they become its resources
// on first use.
HMODULE PictureModule()
{
    static HMODULE module = [] {
        HMODULE found = nullptr;
        GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&kPictures), &found);
        for (const Picture& picture : kPictures)
            RegisterIconResource(found, picture.id, std::string(TorvanePictureFile(picture.file)));
        return found;
    }();
    return module;
}

} // namespace

HICON LoadTorvaneIcon(UINT id) { return LoadIcon(PictureModule(), id); }
