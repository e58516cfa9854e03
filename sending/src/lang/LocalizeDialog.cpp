#include "LocalizeDialog.h"

#include "CWELanguages.h"

#include "ui/Dialog.h"

#include <string>

namespace {

constexpr std::size_t kMaxCaption = 2047;

}  // namespace

void LocalizeDialog(CDialog& dialog, UINT dialogId)
{
    if (const char* caption = Languages().GetLangString(dialogId)) {
        std::string line(caption);
        line = line.substr(0, std::min(line.find('\n'), kMaxCaption));
        SetWindowText(dialog.m_hWnd, line.c_str());
    }
    const DialogTemplate* dialogTemplate = dialog.ResolveTemplate();
    if (!dialogTemplate)
        return;
    for (const DialogItem& item : dialogTemplate->items) {
        if (item.id == -1)
            continue;
        if (const char* text = Languages().GetLangString(static_cast<std::uint32_t>(item.id)))
            SetDlgItemText(dialog.m_hWnd, item.id, text);
    }
}
