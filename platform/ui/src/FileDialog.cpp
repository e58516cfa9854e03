#include "Application.h"
#include "Convert.h"
#include "HeadlessNotice.h"
#include "ui/FileDialog.h"

#include <QFileDialog>

#include <cstring>

struct ITEMIDLIST__ {
    std::string path;
};

namespace {

ChooserHook& Hook()
{
    static ChooserHook hook;
    return hook;
}

// "Text files\0*.txt;*.log\0\0" as "Text files|*.txt;*.log".
std::string FilterText(LPCSTR filter)
{
    std::string text;
    for (const char* part = filter; part && *part; part += std::strlen(part) + 1) {
        if (!text.empty())
            text += '|';
        text += part;
    }
    return text;
}

// Qt's form: "Text files (*.txt *.log);;All files (*)".
QString QtFilter(const std::string& filter)
{
    QStringList parts = ToQString(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return entries.join(";;");
}

// The chooser's own title, as Windows gives it when the caller gives none.
std::string TitleOf(const ChooserRequest& request)
{
    if (!request.title.empty())
        return request.title;
    switch (request.kind) {
    case ChooserRequest::Kind::Open:
        return "Open";
    case ChooserRequest::Kind::Save:
        return "Save As";
    default:
        return "Browse For Folder";
    }
}

bool AskForPath(const ChooserRequest& request, std::string& path)
{
    if (Hook())
        return Hook()(request, path);
    if (CurrentDisplay() != DisplayKind::User) {
        WriteHeadlessNotice(TitleOf(request), "no display to choose on; cancelled");
        return false;
    }
    QString title = ToQString(request.title);
    QString initial = ToQString(request.initialPath);
    QString chosen;
    switch (request.kind) {
    case ChooserRequest::Kind::Open:
        chosen = QFileDialog::getOpenFileName(nullptr, title, initial, QtFilter(request.filter));
        break;
    case ChooserRequest::Kind::Save:
        chosen = QFileDialog::getSaveFileName(nullptr, title, initial, QtFilter(request.filter), nullptr,
                                              (request.flags & OFN_OVERWRITEPROMPT) ? QFileDialog::Options()
                                                                                  : QFileDialog::DontConfirmOverwrite);
        break;
    case ChooserRequest::Kind::Folder:
        chosen = QFileDialog::getExistingDirectory(nullptr, title, initial);
        break;
    }
    path = FromQString(chosen);
    return !chosen.isEmpty();
}

BOOL ChooseFile(OPENFILENAME* request, ChooserRequest::Kind kind)
{
    if (!request || !request->lpstrFile || request->nMaxFile == 0)
        return FALSE;
    ChooserRequest ask;
    ask.kind = kind;
    ask.owner = request->hwndOwner;
    ask.title = request->lpstrTitle ? request->lpstrTitle : "";
    ask.filter = FilterText(request->lpstrFilter);
    ask.initialPath = request->lpstrFile[0] ? request->lpstrFile : (request->lpstrInitialDir ? request->lpstrInitialDir : "");
    ask.flags = request->Flags;
    std::string path;
    if (!AskForPath(ask, path))
        return FALSE;
    if (request->lpstrDefExt && *request->lpstrDefExt && path.find('.', path.rfind('/') + 1) == std::string::npos)
        path += std::string(".") + request->lpstrDefExt;
    // A path that does not fit is refused rather than cut.
    if (path.size() + 1 > request->nMaxFile)
        return FALSE;
    std::memcpy(request->lpstrFile, path.c_str(), path.size() + 1);
    return TRUE;
}

} // namespace

ChooserHook SetChooserHook(ChooserHook hook)
{
    ChooserHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

BOOL GetOpenFileName(OPENFILENAME* request) { return ChooseFile(request, ChooserRequest::Kind::Open); }

BOOL GetSaveFileName(OPENFILENAME* request) { return ChooseFile(request, ChooserRequest::Kind::Save); }

PIDLIST_ABSOLUTE SHBrowseForFolder(BROWSEINFO* request)
{
    if (!request)
        return nullptr;
    ChooserRequest ask;
    ask.kind = ChooserRequest::Kind::Folder;
    ask.owner = request->hwndOwner;
    ask.title = request->lpszTitle ? request->lpszTitle : "";
    ask.initialPath = request->lpszSelection ? request->lpszSelection : "";
    ask.flags = request->ulFlags;
    std::string path;
    if (!AskForPath(ask, path) || path.empty())
        return nullptr;
    if (request->pszDisplayName) {
        std::string name = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
        std::strncpy(request->pszDisplayName, name.c_str(), 259);
        request->pszDisplayName[259] = '\0';
    }
    return new ITEMIDLIST__{path};
}

BOOL SHGetPathFromIDList(PIDLIST_ABSOLUTE folder, LPSTR path)
{
    // The caller's buffer holds 260 characters.
    if (!folder || !path || folder->path.size() >= 260)
        return FALSE;
    std::memcpy(path, folder->path.c_str(), folder->path.size() + 1);
    return TRUE;
}

void ILFree(PIDLIST_ABSOLUTE folder) { delete folder; }
