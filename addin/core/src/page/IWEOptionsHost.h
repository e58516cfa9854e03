#pragma once
// What the options page needs of the running add-in: its live settings and
// MAPI session, and a way to change the settings while the answer
// collection stands still. The add-in's connection object implements it
// and announces itself with SetOptionsHost when it connects.

#include "settings/CWESettings.h"

#include "mapi/IMAPISession.h"

class IWEOptionsHost {
public:
    virtual ~IWEOptionsHost() = default;

    virtual CWESettings& GetLiveSettings() = 0;
    virtual IMAPISession* GetSession() = 0;
    // The add-in made an activation context of its own: its windows draw
    // with the system's visual styles.
    virtual bool HasActivationContext() = 0;

    // Ends the scan pass and pauses the answer processor between two
    // answers, waiting at most `timeoutMs`. True once nothing works on the
    // settings any more (also when no processor thread runs at all); false
    // when a running processor did not pause in time, and nothing was
    // paused.
    virtual bool PauseCollection(DWORD timeoutMs) = 0;
    // Builds the watched-folder list from the live settings and swaps it in
    // as a whole, so that a notification thread reading the old one keeps
    // reading a whole list.
    virtual void RebuildWatchedFolders() = 0;
    // Resumes the processor and starts a new scan pass.
    virtual void ResumeCollection() = 0;
};

// The running add-in, or null; set by the add-in, read by the page.
IWEOptionsHost* GetOptionsHost();
void SetOptionsHost(IWEOptionsHost* host);
