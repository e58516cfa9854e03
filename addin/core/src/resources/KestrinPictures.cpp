#include "resources/KestrinPictures.h"

#include "resources/KestrinResources.h"

#include <mutex>
#include <string>
#include <string_view>

std::string_view KestrinPictureFile(std::string_view fileName);

namespace {

struct Picture {
    UINT id;
    bool icon;
    const char* file;
};

constexpr Picture kPictures[] = {
    {IDI_ABOUT, true, "icon-207-about.png"},
    {IDI_FOLDERS, true, "icon-211-folders.png"},
    {IDI_PROCESSING, true, "icon-212-processing.png"},
    {IDI_LOGS, true, "icon-214-logs.png"},
    {IDI_LOG_SETTINGS, true, "icon-215-log-settings.png"},
    {IDI_LOG_FOLDER, true, "icon-216-log-folder.png"},
    {IDI_LOG_VIEW, true, "icon-217-log-view.png"},
    {IDB_CHECK_STATES, false, "bitmap-208-check-states.png"},
    {IDB_PROJECT, false, "bitmap-209-project.png"},
    {IDB_FOLDERS, false, "bitmap-211-folders.png"},
};

// The module's pictures become its resources on first use.
HMODULE PictureModule()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        for (const Picture& picture : kPictures) {
            const std::string bytes(KestrinPictureFile(picture.file));
            if (picture.icon)
                RegisterIconResource(KestrinModule(), picture.id, bytes);
            else
                RegisterImageResource(KestrinModule(), picture.id, bytes);
        }
    });
    return KestrinModule();
}

} // namespace

HICON LoadKestrinIcon(UINT id) { return LoadIcon(PictureModule(), id); }

HBITMAP LoadKestrinBitmap(UINT id) { return LoadBitmap(PictureModule(), id); }
