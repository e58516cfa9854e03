#include "ui/Clipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace {

constexpr UINT kFirstRegistered = 0xC000;

struct ClipboardState {
    std::mutex lock;
    bool open = false;
    bool changed = false;
    bool heldElsewhere = false;
    std::map<UINT, std::vector<BYTE>> formats;
    std::vector<std::string> registered;
};

ClipboardState& State()
{
    static ClipboardState state;
    return state;
}

QClipboard* SystemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

std::vector<BYTE> Bytes(const QByteArray& data)
{
    return std::vector<BYTE>(data.begin(), data.end());
}

// What the system's clipboard holds, in our formats.
void ReadSystem(ClipboardState& state)
{
    QClipboard* clipboard = SystemClipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return;
    state.formats.clear();
    if (data->hasText())
        state.formats[CF_TEXT] = Bytes(data->text().toUtf8());
    if (data->hasImage()) {
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        if (qvariant_cast<QImage>(data->imageData()).save(&buffer, "BMP"))
            state.formats[CF_BITMAP] = Bytes(bmp);
    }
    for (std::size_t i = 0; i < state.registered.size(); ++i) {
        const QString type = QString::fromStdString(state.registered[i]);
        if (data->hasFormat(type))
            state.formats[kFirstRegistered + static_cast<UINT>(i)] = Bytes(data->data(type));
    }
}

void WriteSystem(const ClipboardState& state)
{
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard)
        return;
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : state.formats) {
        const QByteArray raw(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        if (format == CF_TEXT)
            data->setText(QString::fromUtf8(raw));
        else if (format == CF_BITMAP)
            data->setImageData(QImage::fromData(raw, "BMP"));
        else if (format >= kFirstRegistered && format - kFirstRegistered < state.registered.size())
            data->setData(QString::fromStdString(state.registered[format - kFirstRegistered]), raw);
    }
    clipboard->setMimeData(data);
}

}  // namespace

BOOL OpenClipboard(HWND)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    if (state.open || state.heldElsewhere)
        return FALSE;
    state.open = true;
    state.changed = false;
    ReadSystem(state);
    return TRUE;
}

BOOL CloseClipboard()
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.open)
        return FALSE;
    if (state.changed)
        WriteSystem(state);
    state.open = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.open)
        return FALSE;
    state.formats.clear();
    state.changed = true;
    return TRUE;
}

UINT EnumClipboardFormats(UINT format)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    const auto next = state.formats.upper_bound(format);
    return next == state.formats.end() ? 0 : next->first;
}

UINT RegisterClipboardFormat(LPCSTR name)
{
    if (!name || !*name)
        return 0;
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    const auto found = std::find(state.registered.begin(), state.registered.end(), name);
    if (found == state.registered.end()) {
        state.registered.push_back(name);
        return kFirstRegistered + static_cast<UINT>(state.registered.size() - 1);
    }
    return kFirstRegistered + static_cast<UINT>(found - state.registered.begin());
}

int GetClipboardFormatName(UINT format, LPSTR name, int size)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    if (format < kFirstRegistered || format - kFirstRegistered >= state.registered.size() || !name || size < 1)
        return 0;
    const std::string& text = state.registered[format - kFirstRegistered];
    const int length = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(name, text.data(), static_cast<std::size_t>(length));
    name[length] = '\0';
    return length;
}

BOOL GetClipboardBytes(UINT format, std::vector<BYTE>& bytes)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    const auto found = state.formats.find(format);
    if (found == state.formats.end())
        return FALSE;
    bytes = found->second;
    return TRUE;
}

BOOL SetClipboardBytes(UINT format, const std::vector<BYTE>& bytes)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    if (!state.open || format == 0)
        return FALSE;
    state.formats[format] = bytes;
    state.changed = true;
    return TRUE;
}

void SetClipboardHeldElsewhere(bool held)
{
    ClipboardState& state = State();
    std::lock_guard guard(state.lock);
    state.heldElsewhere = held;
}
