#include "CInspectorWindow.h"

#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/MapiUtil.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace pollenta::outlook {

namespace {

constexpr LONG kSendControl = 2617;
constexpr LONG kSaveControl = 3;

QString Text(const CComBSTR& text)
{
    return QString::fromStdString(text.ToString());
}

// The addresses of a To line, split at ";" and "," outside quotes and
// angle brackets, so that "Smith, Ann" <ann@example.org> stays one.
std::vector<std::string> SplitAddressLine(const std::string& line)
{
    std::vector<std::string> parts;
    std::string part;
    bool quoted = false;
    bool bracketed = false;
    const auto flush = [&] {
        if (part.find_first_not_of(" \t") != std::string::npos)
            parts.push_back(part);
        part.clear();
    };
    for (char c : line) {
        if (c == '"' && !bracketed)
            quoted = !quoted;
        else if (c == '<' && !quoted)
            bracketed = true;
        else if (c == '>' && !quoted)
            bracketed = false;
        if ((c == ';' || c == ',') && !quoted && !bracketed)
            flush();
        else
            part += c;
    }
    flush();
    return parts;
}

// Removes the message's To recipients, keeping Cc and Bcc.
HRESULT RemoveToRecipients(IMessage* message)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = message->GetRecipientTable(0, &table); FAILED(hr))
        return hr;
    SizedSPropTagArray(2, columns) = {2, {PR_ROWID, PR_RECIPIENT_TYPE}};
    LPSRowSet rows = nullptr;
    if (HRESULT hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
        FAILED(hr))
        return hr;
    std::vector<SPropValue> rowIds;
    for (ULONG i = 0; i < rows->cRows; ++i)
        if (rows->aRow[i].lpProps[1].Value.l == MAPI_TO)
            rowIds.push_back(rows->aRow[i].lpProps[0]);
    FreeProws(rows);
    if (rowIds.empty())
        return S_OK;
    std::vector<BYTE> buffer(CbNewADRLIST(rowIds.size()));
    auto* list = reinterpret_cast<ADRLIST*>(buffer.data());
    list->cEntries = static_cast<ULONG>(rowIds.size());
    for (std::size_t i = 0; i < rowIds.size(); ++i) {
        list->aEntries[i].cValues = 1;
        list->aEntries[i].rgPropVals = &rowIds[i];
    }
    return message->ModifyRecipients(MODRECIP_REMOVE, list);
}

}  // namespace

CInspectorWindow::CInspectorWindow(_Inspector* inspector)
    : m_inspector(inspector), m_from(new QLineEdit), m_to(new QLineEdit), m_subject(new QLineEdit),
      m_body(new QTextBrowser), m_toolBar(addToolBar("Standard"))
{
    m_to->setObjectName("to");
    m_subject->setObjectName("subject");
    m_toolBar->setObjectName("Standard");
    CComPtr<IDispatch> item;
    inspector->get_CurrentItem(&item);
    m_item = CComQIPtr<_MailItem>(item.p);
    m_from->setReadOnly(true);
    // The client's built-in buttons carry captions, no pictures.
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* headers = new QFormLayout;
    headers->addRow("From:", m_from);
    headers->addRow("To:", m_to);
    headers->addRow("Subject:", m_subject);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(headers);
    layout->addWidget(m_body, 1);
    setCentralWidget(page);
    resize(760, 600);
    ReadItem();
    RefreshBars();
    CComPtr<_CommandBars> bars;
    if (SUCCEEDED(inspector->get_CommandBars(&bars)))
        m_barsFollower = std::make_unique<CCommandBarsFollower>(bars, this, [this] { RefreshBars(); });
}

void CInspectorWindow::ReadItem()
{
    CComBSTR caption, from, to, subject, html, body;
    m_inspector->get_Caption(&caption);
    setWindowTitle(Text(caption));
    if (!m_item)
        return;
    m_item->get_SenderName(&from);
    m_item->get_To(&to);
    m_item->get_Subject(&subject);
    m_item->get_HTMLBody(&html);
    m_from->setText(Text(from));
    m_to->setText(Text(to));
    m_subject->setText(Text(subject));
    if (html.Length() > 0) {
        m_body->setHtml(Text(html));
    } else {
        m_item->get_Body(&body);
        m_body->setPlainText(Text(body));
    }
}

void CInspectorWindow::RefreshBars()
{
    CComPtr<_CommandBars> bars;
    if (FAILED(m_inspector->get_CommandBars(&bars)))
        return;
    const BuiltInHandler builtIn = [this](LONG id) { return HandleBuiltIn(id); };
    CComPtr<CommandBar> menuBar;
    if (SUCCEEDED(bars->get_ActiveMenuBar(&menuBar)))
        FillMenuBar(this->menuBar(), menuBar, builtIn);
    CComPtr<CommandBar> standard;
    if (SUCCEEDED(bars->get_Item(CComVariant("Standard"), &standard)))
        FillToolBar(m_toolBar, standard, builtIn);
}

bool CInspectorWindow::HandleBuiltIn(LONG id)
{
    if (!m_item)
        return false;
    CommitEdits();
    if (id == kSaveControl) {
        m_item->Save();
        return true;
    }
    if (id != kSendControl)
        return false;
    m_item->Send();
    return true;
}

void CInspectorWindow::CommitEdits()
{
    if (m_subject->isModified())
        m_item->put_Subject(CComBSTR(m_subject->text().toStdString()));
    if (m_to->isModified())
        CommitTo(m_to->text().toStdString());
    m_subject->setModified(false);
    m_to->setModified(false);
}

void CInspectorWindow::CommitTo(const std::string& line)
{
    CComPtr<IUnknown> object;
    CComQIPtr<IMessage> message;
    if (FAILED(m_item->get_MAPIOBJECT(&object)) || !(message = object.p) || FAILED(RemoveToRecipients(message)))
        return;
    CComPtr<Recipients> recipients;
    if (FAILED(m_item->get_Recipients(&recipients)))
        return;
    for (const std::string& address : SplitAddressLine(line))
        recipients->Add(CComBSTR(address), nullptr);
}

void CInspectorWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closing) {
        m_closing = true;
        m_inspector->Close(olSave);
    }
    event->accept();
}

}  // namespace pollenta::outlook
