#pragma once
// The first sending method: one copy of the mail item for every address
// its "To" field reaches (lists expanded, each address once), with that one
// address in "To" and the macros substituted, submitted through MAPI. A run
// the user cancels can be rolled back.

#include "CWEProgress.h"
#include "ITMMailItem.h"
#include "MacroText.h"
#include "keytree/CZrKeyTree.h"

#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "mapi/IAddrBook.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMAPIStatus.h"
#include "mapi/IMailUser.h"
#include "mapi/IMessage.h"

#include <functional>
#include <string>
#include <vector>

class TMMailItem;
struct IDistList;

class CWEPersonalSender {
public:
    // The account the draft was written with sends the message too.
    static HRESULT SetSendAccount(IMessage* message);
    CWEPersonalSender();
    ~CWEPersonalSender();
    CWEPersonalSender(const CWEPersonalSender&) = delete;
    CWEPersonalSender& operator=(const CWEPersonalSender&) = delete;

    void SetItem(IDispatch* item) { m_spItem = item; }
    void SetOwner(TMMailItem* owner) { m_pOwner = owner; }
    void SetParentWindow(HWND parent) { m_hParent = parent; }
    void SetShowProgress(bool show) { m_bShowProgress = show; }
    void SetProgressTexts(const std::string& caption, const std::string& text);
    // How the engine waits between blocks; tests replace the clock.
    void SetPause(std::function<void(DWORD seconds, CWEProgress& progress)> pause) { m_pause = std::move(pause); }

    HRESULT Run();

    // Used while a copy is prepared.
    bool MarkAddressSent(const std::string& address);
    void FormatSendError(DWORD messageId, const std::vector<std::string>& inserts);
    HRESULT ComputeMacroValues(IMessage* copy, IDistList* parentList, IMailUser* user);
    bool IsCancelled() const { return m_progress.IsCancelled(); }
    void Pump() { m_progress.PumpMessages(); }

    // What the rollback of a cancelled run did: the copies taken back from
    // sending, of those prepared.
    int WithdrawnCopies() const { return m_nWithdrawn; }
    int RolledBackCopies() const { return m_nRolledBack; }
    // The recipients that the address book could not resolve, as they were
    // typed, in the item's order.
    const std::vector<std::string>& UnresolvedNames() const { return m_unresolved; }

private:
    friend class CWESendCallback;

    HRESULT Process();
    HRESULT ResolveRecipients();
    void CollectUnresolved(const ADRLIST& list);
    HRESULT CountRecipients(int& lists, int& entries);
    HRESULT CollectExclusions();
    HRESULT SendCopies();
    void PrepareTemplate();
    HRESULT OpenSpoolerStatus(CComPtr<IMAPIStatus>& status);
    HRESULT OpenOutboxFolder();
    void AfterSubmit(IMessage* copy, const std::string& entryId);
    HRESULT RollBack();
    void ReadBlockSettings();

    CComPtr<IDispatch> m_spApplication;
    CComPtr<IMAPISession> m_spSession;
    CComPtr<IAddrBook> m_spAddrBook;
    CComPtr<IDispatch> m_spItem;
    CComPtr<IMessage> m_spMessage;
    CComPtr<IDispatch> m_spOutbox;
    // The Outbox, where each copy is made and stored once, ready to submit:
    // a copy made beside the item and moved would be written three times.
    CComPtr<IMAPIFolder> m_spOutboxFolder;
    // The item with one "To" recipient, never stored, which the copies are
    // made from, so that a copy does not carry every recipient only to drop
    // them.
    CComPtr<IMessage> m_spTemplate;
    TMMailItem* m_pOwner = nullptr;
    HWND m_hParent = nullptr;
    bool m_bShowProgress = true;
    CZrKeyTree m_sent;
    std::string m_strCaption;
    std::string m_strText;
    // Entry ids of the copies submitted in this run, in order.
    std::vector<std::string> m_prepared;
    CWEProgress m_progress;
    DWORD m_nBlockSize = 0;
    DWORD m_nBlockCount = 0;
    DWORD m_nPause = 0;
    std::function<void(DWORD, CWEProgress&)> m_pause;
    // The spooler's status object, opened at the first copy of the run.
    CComPtr<IMAPIStatus> m_spSpooler;
    int m_nWithdrawn = 0;
    int m_nRolledBack = 0;
    std::vector<std::string> m_unresolved;
};
