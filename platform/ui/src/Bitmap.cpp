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
};

ImageResources& Resources()
{
    static ImageResources resources;
    return resources;
}

QImage DecodeResource(HINSTANCE module, UINT id)
{
    ImageResources& resources = Resources();
    std::lock_guard guard(resources.lock);
    auto found = resources.bytes.find({module, id});
    if (found == resources.bytes.end())
        return {};
    return QImage::fromData(QByteArray::fromRawData(found->second.data(), static_cast<qsizetype>(found->second.size())));
}

} // namespace

void RegisterImageResource(HINSTANCE module, UINT id, const std::string& bytes)
{
    ImageResources& resources = Resources();
    std::lock_guard guard(resources.lock);
    resources.bytes[{module, id}] = bytes;
}

HBITMAP LoadBitmap(HINSTANCE module, UINT id)
{
    QImage image = DecodeResource(module, id);
    return image.isNull() ? nullptr : new HBITMAP__{image};
}

HICON LoadIcon(HINSTANCE module, UINT id)
{
    QImage image = DecodeResource(module, id);
    if (image.isNull() || !EnsureApplication())
        return nullptr;
    return new HICON__{QIcon(QPixmap::fromImage(image)), false};
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
