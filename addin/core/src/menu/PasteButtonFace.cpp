#include "menu/PasteButtonFace.h"

#include "resources/FaceBitmaps.h"

#include "ui/Clipboard.h"

namespace {

constexpr DWORD kDebugMessage = 0x600022CB;

}  // namespace

void LogFaceSkipped(CWELog& log)
{
    log.Write(kDebugMessage, {"Clipboard not available: button face skipped"});
}

void PasteButtonFace(_CommandBarButton* button, UINT face, CWELog& log)
{
    if (!OpenClipboard(nullptr)) {
        LogFaceSkipped(log);
        return;
    }
    EmptyClipboard();
    const BOOL put = SetClipboardBytes(CF_BITMAP, FaceBitmap(face));
    CloseClipboard();
    if (!put || FAILED(button->PasteFace()))
        log.Write(kDebugMessage, {"PasteFace on button Error"});
}
