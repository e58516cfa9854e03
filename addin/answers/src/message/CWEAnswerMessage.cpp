#include "message/CWEAnswerMessage.h"

#include "form/DecodeFormText.h"
#include "form/ParseFormData.h"
#include "message/AttachmentData.h"
#include "message/MapiReads.h"
#include "message/ProcessedMark.h"

#include "util/CZrRowSetPtr.h"
#include "util/MapiNames.h"
#include "util/CZrMapiBufferPtr.h"

#include "mapi/IMAPITable.h"
#include "mapi/MapiGuids.h"

#include <cstdlib>

namespace {

constexpr DWORD kMessageNotModified = 0xE00022D7;
constexpr DWORD kAttachmentFailed = 0xE00022C6;

// One column, as the table calls want it.
struct SingleColumn {
    ULONG cValues = 1;
    ULONG aulPropTag[1];
    explicit SingleColumn(ULONG tag) : aulPropTag{tag} {}
    LPSPropTagArray get() { return reinterpret_cast<LPSPropTagArray>(this); }
};

bool WasSubmitted(IMessage* message)
{
    CZrMapiBufferPtr<SPropValue> value;
    return SUCCEEDED(HrGetOneProp(message, PR_CLIENT_SUBMIT_TIME, &value)) && value &&
           PROP_TYPE(value->ulPropTag) != PT_ERROR;
}

}  // namespace

HRESULT CWEAnswerMessage::Process(IMAPISession* session, IMsgStore* store, IMessage* message, IHubberly* hubberly)
{
    if (!session || !store || !message || !hubberly)
        return E_FAIL;
    m_spSession = session;
    m_spMsgStore = store;
    m_spMessage = message;
    m_spHubberly = hubberly;

    if (IsMessageProcessed(message))
        return S_OK;
    if (!WasSubmitted(message))
        return 1;
    // Marked before any attachment is read: whatever happens later (a crash,
    // a failed insertion, a stop), the message is examined only this once.
    HRESULT hr = SetProcessedProp(message);
    if (FAILED(hr)) {
        m_log.Write(kMessageNotModified);
        return hr;
    }

    CComPtr<IMAPITable> table;
    hr = message->GetAttachmentTable(0, &table);
    m_log.LogMapiCall("m_spMessage->GetAttachmentTable", hr, message);
    if (FAILED(hr))
        return E_FAIL;
    SingleColumn columns(PR_ATTACH_NUM);
    hr = table->SetColumns(columns.get(), 0);
    m_log.LogMapiCall("spAttTable->SetColumns", hr, table.p);
    if (FAILED(hr))
        return E_FAIL;
    ULONG count = 0;
    hr = table->GetRowCount(0, &count);
    m_log.LogMapiCall("spAttTable->GetRowCount", hr, table.p);
    if (FAILED(hr) || count == 0)
        return S_OK;
    CZrRowSetPtr rows;
    hr = table->QueryRows(static_cast<LONG>(count), 0, &rows);
    m_log.LogMapiCall("spAttTable->QueryRows", hr, table.p);
    if (FAILED(hr) || !rows.get())
        return S_OK;

    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SRow& row = rows->aRow[i];
        if (row.cValues == 0 || row.lpProps[0].ulPropTag != PR_ATTACH_NUM)
            continue;
        const SPropValue& number = row.lpProps[0];
        CComPtr<IAttachment> attachment;
        hr = message->OpenAttach(static_cast<ULONG>(number.Value.l), &IID_IAttachment, 0, &attachment);
        m_log.LogMapiCall("lpMessage->OpenAttach", hr, message);
        if (FAILED(hr))
            continue;
        bool handled = false;
        if (SUCCEEDED(ProcessAnswer(attachment, handled)) && handled)
            break;
    }
    return S_OK;
}

HRESULT CWEAnswerMessage::ProcessAnswer(IAttachment* attachment, bool& handled)
{
    handled = false;
    std::string data;
    const AttachmentRead read = ReadAttachmentData(attachment, data);
    if (read == AttachmentRead::Failed)
        return E_FAIL;
    if (read == AttachmentRead::Empty || !HasProjectIdKey(data))
        return S_OK;

    const std::string address = GetSenderSmtpAddress();
    m_strSender = GetSenderText(address);
    if (read == AttachmentRead::TooLarge)
        return RefuseAnswer();

    std::string charset;
    const UINT codePage = AnswerCodePage(data, DeclaredCodePage(attachment, charset));
    // Values that fail were read in the charset the part declares, or in
    // UTF-8 when it declares none or one that is not known.
    m_strAnswerCharset = charset.empty() ? "utf-8" : charset;
    CWEFormFieldList fields;
    if (!ParseFormData(data, fields, codePage))
        return RefuseAnswer();
    data.clear();

    LONG projectId = 0;
    for (CWEFormField& field : fields) {
        std::string lower = field.m_strName;
        for (char& c : lower)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower == "kqprojectid") {
            projectId = static_cast<LONG>(std::atoi(field.m_strValue.c_str()));
            field.m_bUsed = true;
            break;
        }
    }

    CWEProjectProps props;
    if (!m_props.Load(projectId, m_log, props))
        props.Reset();
    if (projectId <= 0) {
        m_log.Write(kAttachmentFailed, {m_strSender});
        MarkSubject(props, false);
        return E_FAIL;
    }
    if (props.m_lCollectSenders)
        fields.AddAsIs("SenderEmail", address);
    handled = true;
    if (fields.size() <= 1)
        return S_OK;
    return InsertAnswer(fields, projectId, props);
}

// An answer that cannot be read as one: logged, and the subject says so
// with the default failure mark, since no project id could be trusted.
HRESULT CWEAnswerMessage::RefuseAnswer()
{
    m_log.Write(kAttachmentFailed, {m_strSender});
    CWEProjectProps defaults;
    MarkSubject(defaults, false);
    return E_FAIL;
}

std::string CWEAnswerMessage::GetSenderSmtpAddress()
{
    std::string type, address;
    if (ReadStringProp(m_spMessage, PR_SENDER_ADDRTYPE_A, type) && type == "SMTP" &&
        ReadStringProp(m_spMessage, PR_SENDER_EMAIL_ADDRESS_A, address) && address.find('@') != std::string::npos)
        return address;
    CComPtr<IAddrBook> book;
    CZrEntryID sender;
    if (SUCCEEDED(m_spSession->OpenAddressBook(0, nullptr, 0, &book)) && book &&
        ReadEntryIdProp(m_spMessage, PR_SENDER_ENTRYID, sender))
        GetEntrySmtpAddress(book, sender.Size(), sender.EntryID(), address);
    return address;
}

std::string CWEAnswerMessage::GetSenderText(const std::string& address)
{
    std::string name;
    ReadStringProp(m_spMessage, PR_SENDER_NAME_A, name);
    if (!name.empty() && !address.empty())
        return name + " <" + address + ">";
    if (!name.empty())
        return name;
    if (!address.empty())
        return address;
    return "Unknown";
}
