#include "SendingDialogs.h"

#include "ui/Styles.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

DialogItem Item(const char* className, const char* text, int id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItem{className, text, id, kChild | style, 0, x, y, cx, cy};
}

// The progress window is made only when it is to be seen at once.
DialogTemplate MakeProgress()
{
    DialogTemplate dialog;
    dialog.style = kPopup | WS_VISIBLE;
    dialog.cx = 340;
    dialog.cy = 134;
    dialog.caption = "Preparing messages for sending...";
    // Wide enough for the longest of the component's languages.
    dialog.items = {
        Item(WC_STATIC, "Please wait, preparing messages for sending...", 2021, SS_LEFT, 7, 7, 248, 8),
        Item(PROGRESS_CLASS, "", 2011, WS_BORDER, 7, 18, 248, 9),
        Item(WC_STATIC, "Prepared for sending:", 5001, SS_LEFT, 7, 32, 112, 8),
        Item(WC_STATIC, "0", 203, SS_LEFT, 122, 32, 60, 8),
        Item(WC_BUTTON, "Cancel", 2, BS_PUSHBUTTON | WS_TABSTOP, 263, 7, 70, 14),
        Item(WC_BUTTON, "Errors >>", 3, BS_PUSHBUTTON | WS_TABSTOP, 263, 26, 70, 14),
        Item(WC_STATIC, "", -1, SS_ETCHEDHORZ, 46, 52, 287, 1),
        Item(WC_STATIC, "Errors", 5000, SS_LEFT, 7, 48, 36, 8),
        Item(WC_LISTVIEW, "", 2041, LVS_REPORT | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP, 7, 61, 326, 66),
    };
    return dialog;
}

DialogTemplate MakeReport()
{
    DialogTemplate dialog;
    // Made only when it is to be seen at once.
    dialog.style = kPopup | WS_VISIBLE;
    dialog.cx = 350;
    dialog.cy = 171;
    dialog.caption = "Preparing messages for sending...";
    dialog.items = {
        Item(WC_STATIC, "Please wait, preparing messages for sending...", 2021, SS_LEFT, 7, 7, 249, 8),
        Item(PROGRESS_CLASS, "", 2011, WS_BORDER, 7, 18, 249, 9),
        Item(WC_STATIC, "Prepared for sending:", 5001, SS_LEFT, 7, 32, 112, 8),
        Item(WC_STATIC, "0", 203, SS_LEFT, 122, 32, 60, 8),
        Item(WC_BUTTON, "Cancel", 2, BS_PUSHBUTTON | WS_TABSTOP, 263, 7, 80, 14),
        Item(WC_BUTTON, "Save Report...", 2064, BS_PUSHBUTTON | WS_TABSTOP, 263, 25, 80, 14),
        Item(WC_STATIC, "", -1, SS_ETCHEDHORZ, 7, 47, 336, 1),
        Item(WC_STATIC, "Report:", 2065, SS_LEFT, 7, 54, 336, 8),
        Item(WC_LISTVIEW, "", 2041, LVS_REPORT | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP, 7, 66, 336, 83),
        Item(WC_BUTTON, "Close report window automatically", 2062, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 155, 336, 10),
    };
    return dialog;
}

// The choices wrap onto a second line, which the longer languages need.
DialogTemplate MakeRollBack()
{
    DialogTemplate dialog;
    dialog.style = kPopup;
    dialog.cx = 320;
    dialog.cy = 163;
    dialog.caption = "Cancel sending";
    const DWORD choice = BS_AUTORADIOBUTTON | BS_MULTILINE;
    dialog.items = {
        Item(WC_STATIC, "", IDC_ROLLBACK_ICON, SS_ICON, 7, 7, 21, 20),
        Item(WC_STATIC, "Sending terminated by user.", 5002, SS_LEFT, 36, 7, 277, 8),
        Item(WC_STATIC, "%i prepared for sending, some of them probably have already been sent.", 209, SS_LEFT,
             36, 19, 277, 18),
        Item(WC_STATIC, "Choose the action to be done with messages prepared for sending:", 5003, SS_LEFT, 7, 41,
             306, 16),
        Item(WC_BUTTON, "Leave unchanged", 2051, choice | WS_GROUP | WS_TABSTOP, 14, 59, 299, 12),
        Item(WC_BUTTON, "Attempt to cancel message sending and keep them in the Outbox", 2061, choice, 14, 73, 299,
             20),
        Item(WC_BUTTON, "Attempt to cancel message sending and mode them to the Deleted Items", 207, choice, 14, 95,
             299, 20),
        Item(WC_BUTTON, "Attempt to cancel message sending and permanently delete them", 208, choice, 14, 117, 299,
             20),
        Item(WC_BUTTON, "OK", 1, BS_DEFPUSHBUTTON | WS_TABSTOP, 132, 142, 56, 14),
    };
    return dialog;
}

}  // namespace

const DialogTemplate& ProgressDialogTemplate()
{
    static const DialogTemplate dialog = MakeProgress();
    return dialog;
}

const DialogTemplate& ReportDialogTemplate()
{
    static const DialogTemplate dialog = MakeReport();
    return dialog;
}

const DialogTemplate& RollBackDialogTemplate()
{
    static const DialogTemplate dialog = MakeRollBack();
    return dialog;
}
