#pragma once
// The add-in's activation context: it exists when the client's major
// version is 11 or more (the client's own file says so), and every dialog
// or message box of the add-in is shown inside it. Activating it changes
// nothing on this system; what it decides is whether the add-in draws its
// pages with visual themes.

#include "win/Types.h"

// Made once, at the first question: true when the context exists.
bool HasModuleActivationContext();

// Activates the context, if there is one, for the scope's lifetime.
class CActivationScope {
public:
    CActivationScope() : m_active(HasModuleActivationContext()) {}
    CActivationScope(const CActivationScope&) = delete;
    CActivationScope& operator=(const CActivationScope&) = delete;
    bool IsActive() const { return m_active; }

private:
    bool m_active;
};
