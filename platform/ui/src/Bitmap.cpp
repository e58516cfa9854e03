#include "Application.h"
#include "Dispatch.h"
#include "ImageObjects.h"
#include "ui/Bitmap.h"

#include <QByteArray>

#include <map>
#include <mutex>
#include <utility>

namespace {

using ImageKey = std::pair<HINSTANCE, UINT>;

struct ImageResources {
    std::mutex lock;
    std::map<ImageKey, std::string> bytes;
    std::map<ImageKey, std::string> icons;
};

ImageResources& Resources()
{
    static ImageResources resources;
    return resources;
}

QImage DecodeResource(HINSTANCE module, UINT id, bool icon)
{
    ImageResources& resources = Resources();
    std::lock_guard guard(resources.lock);
    const std::string* bytes = nullptr;
    if (auto found = resources.icons.find({module, id}); icon && found != resources.icons.end())
        bytes = &found->second;
    else if (auto image = resources.bytes.find({module, id}); image != resources.bytes.end())
        bytes = &image->second;
    if (!bytes)
        return {};
    return QImage::fromData(QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size())));
}

} // namespace

void RegisterImageResource(HINSTANCE module, UINT id, const std::string& bytes)
{
    ImageResources& resources = Resources();
    std::lock_guard guard(resources.lock);
    resources.bytes[{module, id}] = bytes;
}

void RegisterIconResource(HINSTANCE module, UINT id, const std::string& bytes)
{
    ImageResources& resources = Resources();
    std::lock_guard guard(resources.lock);
    resources.icons[{module, id}] = bytes;
}

HBITMAP LoadBitmap(HINSTANCE module, UINT id)
{
    QImage image = DecodeResource(module, id, false);
    return image.isNull() ? nullptr : new HBITMAP__{image};
}

// As on Windows, a loaded icon is shared: every load of one resource gives
// the same icon, which DestroyIcon leaves alone. The icons live as long as
// the process (never destroyed after the application object is gone).
HICON LoadIcon(HINSTANCE module, UINT id)
{
    static std::mutex lock;
    static auto* loaded = new std::map<std::pair<HINSTANCE, UINT>, HICON__*>;
    std::lock_guard guard(lock);
    if (auto found = loaded->find({module, id}); found != loaded->end())
        return found->second;
    QImage image = DecodeResource(module, id, true);
    if (image.isNull() || !EnsureApplication())
        return nullptr;
    HICON icon = new HICON__{QIcon(QPixmap::fromImage(image)), true};
    loaded->emplace(std::pair{module, id}, icon);
    return icon;
}

BOOL DeleteObject(HBITMAP bitmap)
{
    delete bitmap;
    return bitmap != nullptr;
}

BOOL GetBitmapSize(HBITMAP bitmap, LPSIZE size)
{
    if (!bitmap || !size)
        return FALSE;
    *size = SIZE{bitmap->image.width(), bitmap->image.height()};
    return TRUE;
}

HICON GetWindowIcon(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? record->icon : nullptr;
}
