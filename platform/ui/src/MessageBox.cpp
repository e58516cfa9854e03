#include "Application.h"
#include "Convert.h"
#include "HeadlessNotice.h"
#include "ui/MessageBox.h"
#include "ui/WinApp.h"
#include "ui/Window.h"

#include <QApplication>
#include <QMessageBox>

#include <vector>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
};

// The box's buttons in the order it shows them.
std::vector<Choice> ChoicesOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

// The first button unless MB_DEFBUTTON2 or 3 names one the box has.
const Choice& DefaultChoice(const std::vector<Choice>& choices, UINT type)
{
    size_t index = (type & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : 0;
    return choices[index < choices.size() ? index : 0];
}

QMessageBox::Icon IconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowBox(const MessageBoxRequest& request, const std::vector<Choice>& choices)
{
    QMessageBox box(IconOf(request.type), ToQString(request.caption), ToQString(request.text));
    for (const Choice& choice : choices)
        box.addButton(choice.button);
    box.setDefaultButton(DefaultChoice(choices, request.type).button);
    auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& choice : choices)
        if (choice.button == pressed)
            return choice.answer;
    return choices.size() > 1 ? IDCANCEL : IDOK;
}

} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook)
{
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxRequest request{owner, text ? text : "", caption ? caption : "Error", type};
    if (Hook())
        return Hook()(request);
    const std::vector<Choice> choices = ChoicesOf(type);
    if (CurrentDisplay() == DisplayKind::User)
        return ShowBox(request, choices);
    // Nobody could answer the box: it is told on stderr and takes its default.
    WriteHeadlessNotice(request.caption, request.text);
    return DefaultChoice(choices, type).answer;
}

int AfxMessageBox(LPCSTR text, UINT type) { return MessageBox(GetForegroundWindow(), text, AfxGetAppName(), type); }

BOOL MessageBeep(UINT)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    return TRUE;
}
