#include "CZrUniformMacroList.h"

#include "FindRowProp.h"
#include "HexText.h"

#include "classes/TMMailItem.h"
#include "errors/ZrThrow.h"
#include "sender/OwnerMacro.h"

#include "com/ComPtr.h"
#include "mapi/IMailUser.h"
#include "mapi/MapiUtil.h"
#include "win/CaseFolding.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

struct BufferDeleter {
    void operator()(void* buffer) const { MAPIFreeBuffer(buffer); }
};

bool HasAtAfterFirst(const std::string& text)
{
    return text.size() > 1 && text.find('@', 1) != std::string::npos;
}

CComPtr<IMailUser> OpenUser(IAddrBook* book, const CZrAdrMapEntry& entry)
{
    LPSPropValue id = FindRowProp(entry.m_cValues, entry.m_lpProps, PR_ENTRYID);
    if (!id)
        ThrowComponentError(0xC00022D2, ZR_HERE);
    CComPtr<IMailUser> user;
    ULONG type = 0;
    HRESULT hr = book->OpenEntry(id->Value.bin.cb, reinterpret_cast<LPENTRYID>(id->Value.bin.lpb), &IID_IMailUser, 0,
                                 &type, reinterpret_cast<LPUNKNOWN*>(&user));
    if (FAILED(hr) || !user)
        ThrowMapiResult(0xC00022D4, FAILED(hr) ? hr : E_NOINTERFACE, "OpenEntry", ZR_HERE);
    return user;
}

// The SMTP proxy address: the primary one ("SMTP:") or else the last other.
std::string ProxySmtpAddress(IAddrBook* book, const CZrAdrMapEntry& entry)
{
    CComPtr<IMailUser> user = OpenUser(book, entry);
    LPSPropValue found = nullptr;
    HRESULT hr = HrGetOneProp(user, PR_EMS_AB_PROXY_ADDRESSES, &found);
    std::unique_ptr<SPropValue, BufferDeleter> value(found);
    if (FAILED(hr) || !value || PROP_TYPE(value->ulPropTag) != PROP_TYPE(PR_EMS_AB_PROXY_ADDRESSES))
        ThrowMapiResult(0xC00022E3, FAILED(hr) ? hr : MAPI_E_NOT_FOUND, "HrGetOneProp", ZR_HERE);
    std::string secondary;
    for (ULONG i = 0; i < value->Value.MVszA.cValues; ++i) {
        const std::string proxy = value->Value.MVszA.lppszA[i] ? value->Value.MVszA.lppszA[i] : "";
        if (proxy.rfind("SMTP:", 0) == 0)
            return proxy.substr(5);
        if (proxy.size() >= 5 && EqualsNoCase(std::string_view(proxy).substr(0, 5), "smtp:"))
            secondary = proxy.substr(5);
    }
    return secondary;
}

std::string RawName(IAddrBook* book, const CZrAdrMapEntry& entry)
{
    if (LPSPropValue name = FindRowProp(entry.m_cValues, entry.m_lpProps, PR_DISPLAY_NAME_A))
        return name->Value.lpszA ? name->Value.lpszA : "";
    CComPtr<IMailUser> user = OpenUser(book, entry);
    LPSPropValue found = nullptr;
    HRESULT hr = HrGetOneProp(user, PR_DISPLAY_NAME_A, &found);
    std::unique_ptr<SPropValue, BufferDeleter> value(found);
    if (FAILED(hr) || !value)
        ThrowMapiResult(0xC00022E5, FAILED(hr) ? hr : MAPI_E_NOT_FOUND, "HrGetOneProp", ZR_HERE);
    return value->Value.lpszA ? value->Value.lpszA : "";
}

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The quotes around a name become blanks: an opening one with the last one
// of the text (a remark may follow it), or a closing one alone.
std::string Unquote(std::string text, char quote)
{
    text = Trim(text);
    if (!text.empty() && text.front() == quote) {
        text.front() = ' ';
        const std::size_t last = text.rfind(quote);
        if (last != std::string::npos)
            text[last] = ' ';
    } else if (!text.empty() && text.back() == quote) {
        text.back() = ' ';
    }
    return Trim(text);
}

std::string BlankBracketed(std::string text, char open, char close)
{
    int depth = 0;
    for (char& c : text) {
        if (c == open)
            ++depth;
        const bool inside = depth > 0;
        if (c == close)
            --depth;
        if (inside)
            c = ' ';
    }
    return text;
}

}  // namespace

void CZrUniformMacroList::Create(TMMailItem* lpTMMailItem, IAddrBook* lpAddrBook, const std::string& key,
                                 const CZrAdrMapEntry& entry)
{
    m_lpTMMailItem = lpTMMailItem;
    m_lpAddrBook = lpAddrBook;
    m_strKey = key;
    m_lpEntry = &entry;
    for (const MacroRecord& record : lpTMMailItem->Macros()) {
        CZrUniformMacro macro;
        if (!record.dynamic) {
            macro.Create(record.name, record.value);
            m_macros.push_back(macro);
            continue;
        }
        UpdateMacroEmail();
        UpdateMacroName();
        switch (record.dynamicCode) {
        case dfRecipientEmail: macro.Create(record.name, m_strEmail); break;
        case dfRecipientName: macro.Create(record.name, m_strName); break;
        case dfDistListName: macro.Create(record.name, entry.m_strDistListName); break;
        case dfRecipientFirstName: macro.Create(record.name, FirstName()); break;
        case dfRecipientLastName: macro.Create(record.name, LastName()); break;
        case dfOwnerEvaluate: macro.Create(record.name, EvalCustomMacro(record.name)); break;
        default: continue;
        }
        m_macros.push_back(macro);
    }
}

void CZrUniformMacroList::UpdateMacroEmail()
{
    if (!m_strEmail.empty())
        return;
    if (HasAtAfterFirst(m_strKey)) {
        m_strEmail = m_strKey;
        return;
    }
    const std::string smtp = RowText(m_lpEntry->m_cValues, m_lpEntry->m_lpProps, PR_SMTP_ADDRESS_A);
    if (smtp.find('@') != std::string::npos) {
        m_strEmail = smtp;
        return;
    }
    // An entry without a usable proxy address simply has no e-mail value.
    try {
        m_strEmail = ProxySmtpAddress(m_lpAddrBook, *m_lpEntry);
    } catch (const CZrException&) {
    }
}

void CZrUniformMacroList::UpdateMacroName()
{
    if (!m_strName.empty())
        return;
    m_strName = CleanName(RawName(m_lpAddrBook, *m_lpEntry));
    if (m_strName.find('@') != std::string::npos)
        m_strName = CleanName(NameFromAddress(m_strEmail));
}

std::string CZrUniformMacroList::FirstName() const
{
    const std::size_t blank = m_strName.find(' ', 1);
    return blank == std::string::npos || m_strName.empty() ? m_strName : m_strName.substr(0, blank);
}

std::string CZrUniformMacroList::LastName() const
{
    const std::size_t blank = m_strName.rfind(' ');
    if (blank == std::string::npos || blank == 0 || blank + 1 >= m_strName.size())
        return m_strName;
    return m_strName.substr(blank + 1);
}

std::string CZrUniformMacroList::EvalCustomMacro(const std::string& name)
{
    PersonFields fields;
    fields.addressType = RowText(m_lpEntry->m_cValues, m_lpEntry->m_lpProps, PR_ADDRTYPE_A);
    fields.address = RowText(m_lpEntry->m_cValues, m_lpEntry->m_lpProps, PR_EMAIL_ADDRESS_A);
    if (LPSPropValue id = FindRowProp(m_lpEntry->m_cValues, m_lpEntry->m_lpProps, PR_ENTRYID))
        fields.addressEntryId = HexTextOfBytes(id->Value.bin.cb, id->Value.bin.lpb);
    fields.smtpAddress = m_strEmail;
    fields.displayName = m_strName;
    fields.distListName = m_lpEntry->m_strDistListName;
    std::string value;
    HRESULT hr = EvaluateOwnerMacro(*m_lpTMMailItem, name, fields, value);
    if (FAILED(hr))
        ThrowComResult(0xC00022FB, hr, "CoCreateInstance", ZR_HERE);
    return value;
}

std::string CZrUniformMacroList::CleanName(const std::string& name)
{
    std::string text = Unquote(Unquote(name, '\''), '"');
    for (const char* pair : {"()", "<>", "[]", "{}"})
        text = BlankBracketed(text, pair[0], pair[1]);
    std::string joined;
    // Only the blank separates words; a tab stays inside its word.
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at)
            joined += (joined.empty() ? "" : " ") + text.substr(at, end - at);
        at = end + 1;
    }
    return joined;
}

std::string CZrUniformMacroList::NameFromAddress(const std::string& address)
{
    if (!HasAtAfterFirst(address))
        return address;
    std::string name = address.substr(0, address.find('@', 1));
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}
