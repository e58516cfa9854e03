#pragma once
// The COM add-ins the client loads: those entered under its add-in key
// (HKCU, then HKLM: Software\Microsoft\Office\Outlook\Addins\<ProgID>)
// with LoadBehavior 3. An add-in that is missing, throws or fails
// OnConnection is reported on stderr and left out; the host goes on.

#include "AddInDesigner.h"

#include "com/ComPtr.h"

#include <string>
#include <vector>

namespace mailhost {

class CAddInLoader {
public:
    // The ProgIDs to load at start-up, in key order, each once.
    static std::vector<std::string> StartupAddIns();

    // Creates each add-in and calls OnConnection with `application`; once
    // all are connected, each hears OnStartupComplete.
    void ConnectAll(IDispatch* application);
    // OnBeginShutdown to every connected add-in.
    void BeginShutdown();
    // OnDisconnection (host shutting down) to each, last connected first,
    // and lets them go.
    void DisconnectAll();
    std::vector<std::string> Connected() const;

private:
    struct AddIn {
        std::string progId;
        CComPtr<IDTExtensibility2> object;
    };
    HRESULT Connect(const std::string& progId, IDispatch* application);

    std::vector<AddIn> m_addIns;
};

}  // namespace mailhost
