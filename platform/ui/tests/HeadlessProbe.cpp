// A program that opens one box, dialog or chooser and prints the answer it
// got, for tests that run it as a child process in an environment with no
// display or with an offscreen platform and no hook.
//
//   ui_headless_probe [--core-application] [--code-page N] box <type> <caption> <text>
//   ui_headless_probe [...] dialog|modeless <caption>
//   ui_headless_probe [...] open|folder <title>

#include "ui/Dialog.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"
#include "win/CodePage.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// Nothing in it ends the dialog: only a user could.
DialogTemplate WaitingTemplate(const std::string& caption)
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION;
    dialog.cx = 120;
    dialog.cy = 40;
    dialog.caption = caption;
    dialog.items = {{"Button", "OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 35, 15, 50, 14}};
    return dialog;
}

int OpenDialog(const std::string& caption)
{
    DialogTemplate dialog = WaitingTemplate(caption);
    CDialog modal(dialog);
    return static_cast<int>(modal.DoModal());
}

// A modeless window is made, unseen, and answers for its controls.
int OpenModeless(const std::string& caption)
{
    DialogTemplate dialog = WaitingTemplate(caption);
    CDialog modeless(dialog);
    return modeless.Create() && GetWindowTextString(modeless.GetDlgItem(IDOK)) == "OK";
}

int OpenChooser(const std::string& kind, const std::string& title)
{
    if (kind == "folder") {
        BROWSEINFO browse;
        browse.lpszTitle = title.c_str();
        PIDLIST_ABSOLUTE folder = SHBrowseForFolder(&browse);
        ILFree(folder);
        return folder != nullptr;
    }
    char file[260] = "";
    OPENFILENAME open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrTitle = title.c_str();
    return GetOpenFileName(&open);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::unique_ptr<QCoreApplication> core;
    while (!args.empty() && args[0].rfind("--", 0) == 0) {
        if (args[0] == "--core-application") {
            core = std::make_unique<QCoreApplication>(argc, argv);
            args.erase(args.begin());
        } else if (args[0] == "--code-page" && args.size() > 1) {
            SetAnsiCodePage(static_cast<UINT>(std::stoul(args[1])));
            args.erase(args.begin(), args.begin() + 2);
        } else {
            break;
        }
    }
    int answer = 0;
    if (args.size() == 4 && args[0] == "box")
        answer = MessageBox(nullptr, args[3].c_str(), args[2].c_str(), static_cast<UINT>(std::stoul(args[1], nullptr, 0)));
    else if (args.size() == 2 && args[0] == "dialog")
        answer = OpenDialog(args[1]);
    else if (args.size() == 2 && args[0] == "modeless")
        answer = OpenModeless(args[1]);
    else if (args.size() == 2 && (args[0] == "open" || args[0] == "folder"))
        answer = OpenChooser(args[0], args[1]);
    else {
        std::fprintf(stderr, "usage: ui_headless_probe [--core-application] [--code-page N] box|dialog|modeless|open|folder ...\n");
        return 64;
    }
    std::printf("%d\n", answer);
    return 0;
}
