#include "survey/CWEMessageBuilder.h"

#include "survey/PageReferences.h"

#include "zr/LoadMessageText.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/IAttachment.h"
#include "mapi/IMessage.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"
#include "win/CodePage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kMessageFailed = 0xE00022CC;
constexpr DWORD kFileListFailed = 0xE00022CD;
constexpr DWORD kPageNotOpened = 0xE00022CE;
constexpr DWORD kAttachmentsFailed = 0xE00022D0;
constexpr DWORD kDebugMessage = 0x600022CB;
constexpr const char* kDefaultVersion = "10.0.0.2627";

// Thrown inside to end the operation with its error text already set.
struct BuildFailed {};

// "11.0.6568" gives "11.0".
std::string MajorMinor(const std::string& version)
{
    const std::size_t first = version.find('.');
    if (first == std::string::npos)
        return version;
    return version.substr(0, version.find('.', first + 1));
}

HRESULT SetStringProp(IMAPIProp* object, ULONG tag, const std::string& value)
{
    SPropValue prop{};
    prop.ulPropTag = tag;
    prop.Value.lpszA = const_cast<char*>(value.c_str());
    return HrSetOneProp(object, &prop);
}

}  // namespace

void CWEMessageBuilder::Fail(DWORD messageId, std::initializer_list<std::string> inserts)
{
    m_strError = messageId ? LoadMessageText(messageId, inserts) : "";
    throw BuildFailed{};
}

HRESULT CWEMessageBuilder::CreateSurveyMessage(LONG, const CWEProjectProps& props)
{
    m_strError.clear();
    try {
        return Build(props);
    } catch (const BuildFailed&) {
        return E_FAIL;
    } catch (...) {
        m_log.Write(kDebugMessage, {"Fatal Error on _MailItem::Display"});
        return S_OK;
    }
}

HRESULT CWEMessageBuilder::Build(const CWEProjectProps& props)
{
    CComPtr<IDispatch> item;
    if (HRESULT hr = m_pApplication->CreateItem(olMailItem, &item); FAILED(hr) || !item) {
        m_log.LogComError("g_pAddin->m_spApplication->CreateItem", hr, m_pApplication, IID__Application);
        Fail(kMessageFailed);
    }
    CComQIPtr<_MailItem> mail(item.p);
    if (!mail)
        Fail(kMessageFailed);
    if (!CollectFiles(props))
        Fail(kFileListFailed);
    std::string page;
    if (!ReadPage(props, page))
        throw BuildFailed{};
    const std::vector<PageReference> references = FindPageReferences(page, m_files);
    const std::string body = RewritePage(page, m_files, references);
    AttachFiles(mail);

    CComPtr<IUnknown> object;
    CComQIPtr<IMessage> message;
    if (FAILED(mail->get_MAPIOBJECT(&object)) || !(message = object.p))
        Fail(kMessageFailed);
    SPropValue cpid{};
    cpid.ulPropTag = PR_INTERNET_CPID;
    cpid.Value.l = CP_UTF8;
    if (FAILED(HrSetOneProp(message, &cpid)))
        Fail(kMessageFailed);

    CComPtr<_MailItem> reopened;
    CComBSTR entryId, storeId;
    if (FAILED(SaveAndReopen(mail, reopened, entryId, storeId)))
        Fail(kMessageFailed);
    if (FAILED(SetBody(reopened, body)))
        Fail(kMessageFailed);
    if (HRESULT hr = reopened->Save(); FAILED(hr)) {
        m_log.LogComError("spNewMailItem->Save", hr, reopened, IID__MailItem);
        Fail(kMessageFailed);
    }
    reopened.Release();

    CComPtr<_NameSpace> nameSpace;
    CComPtr<IDispatch> shown;
    m_pApplication->GetNamespace(CComBSTR("MAPI"), &nameSpace);
    if (!nameSpace || FAILED(nameSpace->GetItemFromID(entryId, CComVariant(storeId), &shown)))
        Fail(kMessageFailed);
    CComQIPtr<_MailItem> shownMail(shown.p);
    if (!shownMail)
        Fail(kMessageFailed);
    if (HRESULT hr = shownMail->Display(CComVariant()); FAILED(hr)) {
        m_log.LogComError("spNewMailItem->Display", hr, shownMail, IID__MailItem);
        Fail(kMessageFailed);
    }
    return S_OK;
}

bool CWEMessageBuilder::CollectFiles(const CWEProjectProps& props)
{
    m_files.clear();
    if (props.m_strProjectDir.empty())
        return false;
    std::error_code error;
    std::vector<std::filesystem::directory_entry> entries;
    for (const auto& entry : std::filesystem::directory_iterator(props.m_strProjectDir, error))
        if (!entry.is_directory(error))
            entries.push_back(entry);
    if (error)
        return false;
    // The folder's own order is no order on Linux; by name, as Windows lists.
    std::sort(entries.begin(), entries.end());
    const std::string startPage = LowerText(props.m_strStartPage);
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (LowerText(name) == startPage)
            continue;
        CWEPageFile file;
        file.Set(name, entry.path().string());
        m_files.push_back(std::move(file));
    }
    return true;
}

bool CWEMessageBuilder::ReadPage(const CWEProjectProps& props, std::string& page)
{
    const std::string path = props.GetPagePath();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        m_strError = LoadMessageText(kPageNotOpened, {path});
        return false;
    }
    page.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // An empty page fails with no text to show.
    return !page.empty();
}

void CWEMessageBuilder::AttachFiles(_MailItem* mail)
{
    CComPtr<Attachments> attachments;
    if (HRESULT hr = mail->get_Attachments(&attachments); FAILED(hr) || !attachments) {
        m_log.LogComError("lpMailItem->get_Attachments", hr, mail, IID__MailItem);
        Fail(kAttachmentsFailed);
    }
    for (const CWEPageFile& file : m_files)
        if (!file.m_bUnreferenced)
            AttachFile(attachments, file);
}

bool CWEMessageBuilder::AttachFile(Attachments* attachments, const CWEPageFile& file)
{
    CComVariant source(file.m_strPath.c_str()), type(1), leftOut;
    leftOut.vt = VT_ERROR;
    leftOut.scode = DISP_E_PARAMNOTFOUND;
    CComPtr<Attachment> attachment;
    if (HRESULT hr = attachments->Add(source, type, leftOut, leftOut, &attachment); FAILED(hr) || !attachment) {
        m_log.LogComError("spAttachments->Add", hr, attachments, IID_Attachments);
        return false;
    }
    CComPtr<IUnknown> object;
    if (HRESULT hr = attachment->get_MAPIOBJECT(&object); FAILED(hr) || !object) {
        m_log.LogComError("spAttach->get_MAPIOBJECT", hr, attachment, IID_Attachment);
        return false;
    }
    CComQIPtr<IAttachment> attach(object.p);
    if (!attach)
        return false;
    if (HRESULT hr = SetStringProp(attach, PR_ATTACH_CONTENT_ID, file.m_strContentId); FAILED(hr)) {
        m_log.LogMapiCall("HrSetOneProp", hr, attach.p);
        return false;
    }
    if (!file.m_strMimeType.empty())
        if (HRESULT hr = SetStringProp(attach, PR_ATTACH_MIME_TAG, file.m_strMimeType); FAILED(hr))
            m_log.LogMapiCall("HrSetOneProp", hr, attach.p);
    // Our store keeps an attachment's changes only once they are saved.
    attach->SaveChanges(KEEP_OPEN_READWRITE);
    return true;
}

HRESULT CWEMessageBuilder::Logged(HRESULT hr, const char* call, IUnknown* object, REFIID iid)
{
    if (FAILED(hr))
        m_log.LogComError(call, hr, object, iid);
    return hr;
}

HRESULT CWEMessageBuilder::SaveAndReopen(_MailItem* mail, CComPtr<_MailItem>& reopened, CComBSTR& entryId,
                                         CComBSTR& storeId)
{
    CComPtr<IDispatch> parent;
    CComBSTR folderId;
    CComPtr<_NameSpace> nameSpace;
    CComPtr<IDispatch> item;
    if (HRESULT hr = Logged(mail->Save(), "spMailItem->Save", mail, IID__MailItem); FAILED(hr))
        return hr;
    if (HRESULT hr = Logged(mail->get_Parent(&parent), "spMailItem->get_Parent", mail, IID__MailItem); FAILED(hr))
        return hr;
    if (HRESULT hr = Logged(mail->get_EntryID(&entryId), "spMailItem->get_EntryID", mail, IID__MailItem); FAILED(hr))
        return hr;
    CComQIPtr<MAPIFolder> folder(parent.p);
    if (!folder)
        return E_FAIL;
    if (HRESULT hr = Logged(folder->get_EntryID(&folderId), "spFolder->get_EntryID", folder, IID_MAPIFolder);
        FAILED(hr))
        return hr;
    if (HRESULT hr = Logged(folder->get_StoreID(&storeId), "spFolder->get_StoreID", folder, IID_MAPIFolder); FAILED(hr))
        return hr;
    if (HRESULT hr = Logged(m_pApplication->GetNamespace(CComBSTR("MAPI"), &nameSpace),
                            "g_pAddin->m_spApplication->GetNamespace", m_pApplication, IID__Application);
        FAILED(hr) || !nameSpace)
        return E_FAIL;
    if (HRESULT hr = Logged(nameSpace->GetItemFromID(entryId, CComVariant(storeId), &item),
                            "spNameSpace->GetItemFromID", nameSpace, IID__NameSpace);
        FAILED(hr))
        return hr;
    reopened = CComQIPtr<_MailItem>(item.p);
    return reopened ? S_OK : E_FAIL;
}

HRESULT CWEMessageBuilder::SetBody(_MailItem* mail, const std::string& body)
{
    CComBSTR version;
    std::string text;
    if (SUCCEEDED(m_pApplication->get_Version(&version)))
        text = version.ToString();
    if (text.empty())
        text = kDefaultVersion;
    // The 2003 client took the body in the system's code page; the others
    // take UTF-8.
    const UINT codePage = MajorMinor(text) == "11.0" ? CP_ACP : CP_UTF8;
    const std::u16string wide = ToWide(body, codePage);
    CComBSTR html(wide.c_str());
    if (HRESULT hr = mail->put_HTMLBody(html); FAILED(hr)) {
        m_log.LogComError("spNewMailItem->put_HTMLBody", hr, mail, IID__MailItem);
        return hr;
    }
    return S_OK;
}
