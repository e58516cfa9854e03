#pragma once
// Says that a host runs on a profile: `run` holds the lock of the profile
// for as long as it runs (the system lets go of it when the process ends,
// also by a kill), and `deliver` asks whether someone holds it, since mail
// put into the store behind a running host's back would reach its add-ins
// only at their next start.
//
//     CHostLock running(profile);          // in the running host
//     if (CHostLock::IsHeld(profile)) ...  // in another process

#include <string>

namespace mailhost {

class CHostLock {
public:
    explicit CHostLock(const std::string& profile);
    ~CHostLock();
    CHostLock(const CHostLock&) = delete;
    CHostLock& operator=(const CHostLock&) = delete;

    static bool IsHeld(const std::string& profile);

private:
    int m_fd = -1;
};

}  // namespace mailhost
