#include "menu/CWEClipboardSaver.h"

#include "ui/Clipboard.h"

BOOL CWEClipboardSaver::Save()
{
    if (!OpenClipboard(nullptr))
        return FALSE;
    m_formats.clear();
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        SavedFormat saved;
        saved.format = format;
        if (!GetClipboardBytes(format, saved.data) || saved.data.empty())
            continue;
        char name[261] = {};
        if (GetClipboardFormatName(format, name, sizeof name) > 0)
            saved.name = name;
        m_formats.push_back(std::move(saved));
    }
    EmptyClipboard();
    CloseClipboard();
    return TRUE;
}

BOOL CWEClipboardSaver::Restore()
{
    if (m_formats.empty())
        return TRUE;
    if (!OpenClipboard(nullptr))
        return FALSE;
    EmptyClipboard();
    for (const SavedFormat& saved : m_formats) {
        UINT format = saved.format;
        if (!saved.name.empty())
            if (const UINT registered = RegisterClipboardFormat(saved.name.c_str()))
                format = registered;
        SetClipboardBytes(format, saved.data);
    }
    CloseClipboard();
    m_formats.clear();
    return TRUE;
}
