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
    dialog.cx = 328;
    dialog.cy = 134;
    dialog.caption = "Preparing messages for sending...";
    dialog.items = {
        Item(WC_STATIC, "Please wait, preparing messages for sending...", 2021, SS_LEFT, 7, 7, 236, 8),
        Item(PROGRESS_CLASS, "", 2011, WS_BORDER, 7, 18, 236, 9),
        Item(WC_STATIC, "Prepared for sending:", 5001, SS_LEFT, 7, 32, 92, 8),
        Item(WC_STATIC, "0", 203, SS_LEFT, 103, 32, 76, 8),
        Item(WC_BUTTON, "Cancel", 2, BS_PUSHBUTTON | WS_TABSTOP, 251, 7, 70, 14),
        Item(WC_BUTTON, "Errors >>", 3, BS_PUSHBUTTON | WS_TABSTOP, 251, 26, 70, 14),
        Item(WC_STATIC, "", -1, SS_ETCHEDHORZ, 40, 52, 281, 1),
        Item(WC_STATIC, "Errors", 5000, SS_LEFT, 7, 48, 30, 8),
        Item(WC_LISTVIEW, "", 2041, LVS_REPORT | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP, 7, 61, 313, 66),
    };
    return dialog;
}

DialogTemplate MakeReport()
{
    DialogTemplate dialog;
    // Made only when it is to be seen at once.
    dialog.style = kPopup | WS_VISIBLE;
    dialog.cx = 340;
    dialog.cy = 171;
    dialog.caption = "Preparing messages for sending...";
    dialog.items = {
        Item(WC_STATIC, "Please wait, preparing messages for sending...", 2021, SS_LEFT, 7, 7, 239, 8),
        Item(PROGRESS_CLASS, "", 2011, WS_BORDER, 7, 18, 239, 9),
        Item(WC_STATIC, "Prepared for sending:", 5001, SS_LEFT, 7, 32, 92, 8),
        Item(WC_STATIC, "0", 203, SS_LEFT, 103, 32, 76, 8),
        Item(WC_BUTTON, "Cancel", 2, BS_PUSHBUTTON | WS_TABSTOP, 253, 7, 80, 14),
        Item(WC_BUTTON, "Save Report...", 2064, BS_PUSHBUTTON | WS_TABSTOP, 253, 25, 80, 14),
        Item(WC_STATIC, "", -1, SS_ETCHEDHORZ, 7, 47, 326, 1),
        Item(WC_STATIC, "Report:", 2065, SS_LEFT, 7, 54, 316, 8),
        Item(WC_LISTVIEW, "", 2041, LVS_REPORT | LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP, 7, 66, 326, 83),
        Item(WC_BUTTON, "Close report window automatically", 2062, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 156, 326, 8),
    };
    return dialog;
}

DialogTemplate MakeRollBack()
{
    DialogTemplate dialog;
    dialog.style = kPopup;
    dialog.cx = 320;
    dialog.cy = 130;
    dialog.caption = "Cancel sending";
    dialog.items = {
        Item(WC_STATIC, "", IDC_ROLLBACK_ICON, SS_ICON, 7, 7, 21, 20),
        Item(WC_STATIC, "Sending terminated by user.", 5002, SS_LEFT, 36, 7, 277, 8),
        Item(WC_STATIC, "%i prepared for sending, some of them probably have already been sent.", 209, SS_LEFT,
             36, 19, 277, 16),
        Item(WC_STATIC, "Choose the action to be done with messages prepared for sending:", 5003, SS_LEFT, 7, 40,
             286, 8),
        Item(WC_BUTTON, "Leave unchanged", 2051, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 14, 53, 299, 10),
        Item(WC_BUTTON, "Attempt to cancel message sending and keep them in the Outbox", 2061, BS_AUTORADIOBUTTON,
             14, 66, 299, 10),
        Item(WC_BUTTON, "Attempt to cancel message sending and mode them to the Deleted Items", 207,
             BS_AUTORADIOBUTTON, 14, 79, 299, 10),
        Item(WC_BUTTON, "Attempt to cancel message sending and permanently delete them", 208, BS_AUTORADIOBUTTON, 14,
             92, 299, 10),
        Item(WC_BUTTON, "OK", 1, BS_DEFPUSHBUTTON | WS_TABSTOP, 132, 109, 56, 14),
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
