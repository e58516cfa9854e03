#include "ProgressWatch.h"

#include "ui/Dialog.h"
#include "ui/ListCtrl.h"
#include "ui/MessageLoop.h"
#include "ui/Window.h"

namespace {

constexpr int kErrorList = 2041;

}  // namespace

struct ProgressWatch::State {
    CDialog* progress = nullptr;
    HWND window = nullptr;
    std::vector<std::string> errors;
};

ProgressWatch::ProgressWatch() : m_state(std::make_shared<State>())
{
    m_previous = SetDialogShownHook([state = m_state](CDialog& dialog) {
        if (state->progress)
            return;
        state->progress = &dialog;
        state->window = dialog.m_hWnd;
        PostCallback([state] { CloseWhenWaiting(state); });
    });
}

ProgressWatch::~ProgressWatch()
{
    SetDialogShownHook(m_previous);
}

void ProgressWatch::CloseWhenWaiting(const std::shared_ptr<State>& state)
{
    // Gone by itself: the sending met no error.
    if (!IsWindow(state->window))
        return;
    char caption[64] = {};
    if (!GetDlgItemText(state->window, IDCANCEL, caption, sizeof caption) || std::string(caption) == "Cancel") {
        PostCallback([state] { CloseWhenWaiting(state); });
        return;
    }
    CListCtrl list;
    list.Attach(GetDlgItem(state->window, kErrorList));
    for (int i = 0; i < list.GetItemCount(); ++i)
        state->errors.push_back(list.GetItemText(i, 0));
    list.Detach();
    if (state->errors.empty())
        state->errors.push_back("(an error without text)");
    state->progress->OnCommand(IDCANCEL, BN_CLICKED, nullptr);
}

const std::vector<std::string>& ProgressWatch::Errors() const
{
    return m_state->errors;
}
