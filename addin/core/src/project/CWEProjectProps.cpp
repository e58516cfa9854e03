#include "project/CWEProjectProps.h"

#include "project/VariantToString.h"
#include "util/CriticalSectionLock.h"

#include "IHubberly.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/Text.h"

namespace {

constexpr DWORD kCreateObjectFailed = 0xE00022C5;
constexpr DWORD kProjectFolderFailed = 0xE00022D2;
// Every kind of server: in process, handler, local and remote.
constexpr DWORD kAnyServer = 0x17;

// The library gives numbers as VT_I4; anything else is converted, so that
// a text never yields the bits of its pointer.
LONG NumberOf(const VARIANT& value)
{
    if (value.vt == VT_I4)
        return value.lVal;
    CComVariant number;
    if (FAILED(VariantChangeType(&number, &value, 0, VT_I4)))
        return 0;
    return number.lVal;
}

HRESULT GetProperty(IHubberly* hubberly, LONG projectId, const char* name, VARIANT* value)
{
    CComVariant nameArgument(name);
    return hubberly->GetProjectProperty(projectId, nameArgument, value);
}

}  // namespace

CWEProjectProps::CWEProjectProps()
{
    Reset();
}

CWEProjectProps& CWEProjectProps::operator=(const CWEProjectProps& other)
{
    if (&other == this)
        return *this;
    m_strProjectDir = other.m_strProjectDir;
    m_lCompleted = other.m_lCompleted;
    m_strEmail = other.m_strEmail;
    m_strSubject = other.m_strSubject;
    m_strProjectName = other.m_strProjectName;
    m_strFailedMark = other.m_strFailedMark;
    m_strSuccessMark = other.m_strSuccessMark;
    m_lUseTextBlock = other.m_lUseTextBlock;
    m_strTextBlock = other.m_strTextBlock;
    m_lCollectRecipients = other.m_lCollectRecipients;
    m_lCollectSenders = other.m_lCollectSenders;
    m_strStartPage = other.m_strStartPage;
    return *this;
}

void CWEProjectProps::Reset()
{
    m_strProjectDir.clear();
    m_lProjectId = 0;
    m_lCompleted = 0;
    m_strEmail.clear();
    m_strSubject = "Survey results";
    m_strProjectName.clear();
    m_strFailedMark = "[FAIL]";
    m_strSuccessMark = "[OK]";
    m_lUseTextBlock = 0;
    m_strTextBlock.clear();
    m_lCollectRecipients = 0;
    m_lCollectSenders = 0;
    m_strStartPage = "index.html";
}

int CWEProjectProps::Load(LONG projectId, CWELog& log)
{
    CriticalSectionLock lock(m_lock);
    try {
        return LoadLocked(projectId, log);
    } catch (HRESULT) {
        // A text property the library gave in a form that has no text.
        log.Write(kProjectFolderFailed);
        return 0;
    }
}

int CWEProjectProps::LoadLocked(LONG projectId, CWELog& log)
{
    if (projectId == 0)
        return 0;
    m_lProjectId = projectId;

    CLSID clsid = GUID_NULL;
    CComPtr<IUnknown> object;
    if (FAILED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, kAnyServer, IID_IUnknown, reinterpret_cast<void**>(&object))) ||
        !object) {
        log.Write(kCreateObjectFailed, {kHubberlyProgID});
        return 0;
    }
    CComQIPtr<IHubberly> hubberly(object.p);
    if (!hubberly)
        return 0;

    CComBSTR folder;
    if (FAILED(hubberly->GetProjectDir(projectId, &folder)) || folder.Length() == 0) {
        log.Write(kProjectFolderFailed);
        return 0;
    }
    m_strProjectDir = pollenta::com::AnsiFromBstr(folder);

    // In the order the library is asked.
    struct Property {
        const char* name;
        LONG CWEProjectProps::*number;
        std::string CWEProjectProps::*text;
    };
    const Property properties[] = {
        {"Completed", &CWEProjectProps::m_lCompleted, nullptr},
        {"Email", nullptr, &CWEProjectProps::m_strEmail},
        {"Subject", nullptr, &CWEProjectProps::m_strSubject},
        {"ProjectName", nullptr, &CWEProjectProps::m_strProjectName},
        {"FailedMark", nullptr, &CWEProjectProps::m_strFailedMark},
        {"SuccessMark", nullptr, &CWEProjectProps::m_strSuccessMark},
        {"UseTextBlock", &CWEProjectProps::m_lUseTextBlock, nullptr},
        {"TextBlock", nullptr, &CWEProjectProps::m_strTextBlock},
        {"CollectRecipients", &CWEProjectProps::m_lCollectRecipients, nullptr},
        {"CollectSenders", &CWEProjectProps::m_lCollectSenders, nullptr},
    };
    for (const Property& property : properties) {
        CComVariant value;
        if (FAILED(GetProperty(hubberly, projectId, property.name, &value))) {
            log.Write(kProjectFolderFailed);
            return 0;
        }
        if (property.number)
            this->*property.number = NumberOf(value);
        else
            VariantToString(this->*property.text, value);
    }
    return 1;
}
