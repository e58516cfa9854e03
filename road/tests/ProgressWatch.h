#pragma once
// Watches the sending component's progress window while it lives: the
// window stays up only when the sending met errors, and then waits for the
// user; the watch reads the errors from its list and closes it, as a user
// would.

#include "ui/DialogHook.h"

#include <memory>
#include <string>
#include <vector>

class ProgressWatch {
public:
    ProgressWatch();
    ~ProgressWatch();
    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;

    const std::vector<std::string>& Errors() const;

private:
    // Shared with the callbacks, which may run after the watch has ended.
    struct State;
    static void CloseWhenWaiting(const std::shared_ptr<State>& state);

    DialogShownHook m_previous;
    std::shared_ptr<State> m_state;
};
