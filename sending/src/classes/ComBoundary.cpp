#include "ComBoundary.h"

#include "TorvaneGuids.h"

#include "com/Activation.h"
#include "com/ErrorInfo.h"
#include "com/Text.h"

HRESULT SetComponentError(HRESULT hr, const std::string& description, REFIID iid)
{
    std::string source;
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(ProgIDFromCLSID(CLSID_TMMailItem, &progId))) {
        source = pollenta::com::AnsiFromOleString(progId);
        CoTaskMemFree(progId);
    }
    return pollenta::com::ReportError(hr, description, source, iid);
}
