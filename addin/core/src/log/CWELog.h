#pragma once
// The add-in's log: one text file a day in the log folder ("kq061110.log"),
// four header lines, then one line per event:
//
//     #Software: Pollenta 1.4.0, released on November 10, 2006
//     #Version: 1.4.0
//     #Date: 2006-11-10 09:15:02
//     #Fields: time profile status description
//     09:15:02<TAB>Outlook<TAB>I<TAB>COM Add-In launch...
//
// Every event is an entry of the add-in's message table ("E" for errors,
// "I" for everything else). Any thread may write; the log's own lock keeps
// lines whole. A text never breaks the line format: control characters
// become blanks and long inserts are cut. Writing never throws; a failure
// loses the event and returns 0.
//
//     log.SetSettings(&settings);
//     log.Write(0xE00022C5, {"Gastrel.Hubberly"});
//     log.LogComError("spInbox->get_EntryID", hr, inbox, IID_MAPIFolder);

#include "settings/CWESettings.h"
#include "util/CZrMapiBufferPtr.h"

#include "com/Unknown.h"
#include "mapi/MapiTypes.h"
#include "win/CCriticalSection.h"

#include <initializer_list>
#include <string>

class CWELog : public CCriticalSection {
public:
    // The longest insert written whole; longer ones are cut there.
    static constexpr std::size_t kInsertLimit = 1024;

    // Attaches the live settings (not owned); until then nothing is written.
    void SetSettings(const CWESettings* settings) { m_pSettings = settings; }

    // All of these return 1 when done or when there was nothing to do, 0 on
    // failure.
    int Write(DWORD messageId, std::initializer_list<std::string> inserts = {});
    int WriteRecord(DWORD messageId, const std::string& text);
    int AppendLine(const std::string& record);
    // A failed call of the client's object model, with the description of
    // the thread's error object when the object sets one for `iid`.
    int LogComError(const char* call, HRESULT hr, IUnknown* object, REFIID iid);
    int LogComFailure(const char* call, HRESULT hr, const std::string& description);
    // A failed MAPI call, with the object's own text of the error.
    template <class MapiObject>
    int LogMapiCall(const char* call, HRESULT hr, MapiObject* object);
    int LogMapiFailure(const char* call, HRESULT hr, const MAPIERROR* error);
    static std::string GetMapiErrorName(HRESULT hr);
    // Deletes the log files older than the settings' KeepDays, when
    // AutoClear is on. Runs before any worker thread writes.
    int DeleteOldLogs();

    // The folder the log writes into: the settings' LogFolderPath, or the
    // "Logs" folder beside the add-in's module when that is empty. Asking
    // makes no folder.
    std::string GetFolder();

private:
    bool IsOn() const { return m_pSettings && m_pSettings->m_nMakeJounral != 0; }
    // Under the lock.
    bool ResolveFolder();
    int EnsureFolder();

    const CWESettings* m_pSettings = nullptr;
    // The effective folder, kept here so that no writer ever changes the
    // shared settings.
    std::string m_strFolder;
};

template <class MapiObject>
int CWELog::LogMapiCall(const char* call, HRESULT hr, MapiObject* object)
{
    if (!IsOn() || SUCCEEDED(hr))
        return 1;
    CZrMapiBufferPtr<MAPIERROR> error;
    if (object && FAILED(object->GetLastError(hr, 0, &error)))
        error.Free();
    return LogMapiFailure(call, hr, error.get());
}
