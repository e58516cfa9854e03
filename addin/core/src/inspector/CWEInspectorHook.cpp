#include "inspector/CWEInspectorHook.h"

#include "connect/WEConnect.h"
#include "inspector/DeleteItemMessage.h"
#include "inspector/IsSubmitted.h"
#include "menu/AddAddInPopup.h"
#include "menu/AddCommandBarButton.h"
#include "menu/CWEClipboardSaver.h"
#include "menu/PasteButtonFace.h"
#include "module/ActivationScope.h"
#include "resources/FaceBitmaps.h"
#include "resources/KestrinResources.h"

#include "ITMMailItem.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/ErrorInfo.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"

#include <cstdint>

namespace {

constexpr LONG kFileMenu = 30002;
constexpr LONG kImportExport = 3037;
constexpr LONG kFallbackPosition = 3;
constexpr DWORD kCreateFailed = 0xE00022C5;
constexpr const char* kSenderProgId = "Torvane.TMMailItem";

struct Macro {
    const char* name;
    tagQZDDynamicFields field;
};
constexpr Macro kMacros[] = {
    {"%RECIPIENT%", dfRecipientEmail},          {"%RECIPNAME%", dfRecipientName},         {"%DLNAME%", dfDistListName},
    {"%RECIPFIRSTNAME%", dfRecipientFirstName}, {"%RECIPLASTNAME%", dfRecipientLastName},
};

UINT SendFailureText(HRESULT hr)
{
    switch (hr) {
    case TM_E_CANCELLED:
        return IDS_SEND_CANCELLED;
    case TM_E_UNRESOLVED:
        return IDS_SEND_UNRESOLVED;
    case TM_E_NORECIPIENTS:
        return IDS_SEND_NO_RECIPIENTS;
    case TM_E_ALLEXCLUDED:
        return IDS_SEND_ALL_EXCLUDED;
    case TM_E_EMPTYLISTS:
        return IDS_SEND_EMPTY_LISTS;
    default:
        return IDS_SEND_UNKNOWN;
    }
}

// The box's text; for addresses that were not recognised the sending
// component's description names them on the lines after its own text.
std::string SendFailureMessage(HRESULT hr)
{
    std::string text = KestrinString(SendFailureText(hr));
    CComPtr<IErrorInfo> error;
    CComBSTR description;
    if (hr != TM_E_UNRESOLVED || GetErrorInfo(0, &error) != S_OK || !error ||
        FAILED(error->GetDescription(&description)))
        return text;
    const std::string lines = description.ToString();
    for (std::size_t end = lines.find("\r\n"); end != std::string::npos;) {
        const std::size_t start = end + 2;
        end = lines.find("\r\n", start);
        text += "\n" + lines.substr(start, end == std::string::npos ? end : end - start);
    }
    return text;
}

HRESULT CreateSender(CComPtr<ITMMailItem>& sender)
{
    CLSID clsid{};
    if (HRESULT hr = CLSIDFromProgID(pollenta::com::Utf16FromAnsi(kSenderProgId).c_str(), &clsid); FAILED(hr))
        return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_ITMMailItem, reinterpret_cast<void**>(&sender));
}

}  // namespace

CWEInspectorHook::CWEInspectorHook(_Inspector* inspector, LONG projectId)
    : m_spInspector(inspector), m_lProjectId(projectId)
{
    CComPtr<IDispatch> item;
    if (FAILED(inspector->get_CurrentItem(&item)) || !item) {
        m_spInspector.Release();
        m_lProjectId = 0;
        return;
    }
    HRESULT hr = m_itemSinks[0].Advise(item, IID_ItemEvents, [this](DISPID id, pollenta::com::DispatchCall&) {
        if (id != DISPID_ItemEvents_Open)
            return S_OK;
        BuildToolbar();
        if (g_pAddin) {
            m_ProjectProps = g_pAddin->m_ProjectProps;
            g_pAddin->m_ProjectProps.Reset();
        }
        return S_OK;
    });
    if (SUCCEEDED(hr))
        m_itemSinks[1].Advise(item, IID_ItemEvents, [this](DISPID id, pollenta::com::DispatchCall& call) {
            if (id == DISPID_ItemEvents_Send)
                return OnSend(call);
            if (id == DISPID_ItemEvents_Close)
                OnClose();
            return S_OK;
        });
}

CComPtr<_MailItem> CWEInspectorHook::CurrentMail()
{
    CComPtr<IDispatch> item;
    if (!m_spInspector || FAILED(m_spInspector->get_CurrentItem(&item)))
        return nullptr;
    return CComQIPtr<_MailItem>(item.p);
}

HRESULT CWEInspectorHook::BuildToolbar()
{
    if (m_bBuilt)
        return S_OK;
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> standard;
    CComPtr<CommandBarControls> standardControls;
    if (FAILED(m_spInspector->get_CommandBars(&bars)) || !bars ||
        FAILED(bars->get_Item(CComVariant("Standard"), &standard)) || !standard ||
        FAILED(standard->get_Controls(&standardControls)) || !standardControls)
        return E_FAIL;
    CWEClipboardSaver saver;
    const bool faces = saver.Save();
    if (HRESULT hr = BuildPopup(bars, faces); FAILED(hr)) {
        if (faces)
            saver.Restore();
        return hr;
    }
    const std::string send = KestrinString(IDS_SEND_SURVEY);
    if (SUCCEEDED(AddCommandBarButton(standardControls, {send, send, false}, m_spSendButton))) {
        PutFace(m_spSendButton, IDB_SEND_SURVEY, faces);
        m_spSendButton->Move(LeftOutArgument(), CComVariant(1), nullptr);
        AdviseClick(0, m_spSendButton, 0);
    }
    if (faces)
        saver.Restore();
    m_bBuilt = TRUE;
    return S_OK;
}

HRESULT CWEInspectorHook::BuildPopup(_CommandBars* bars, bool faces)
{
    CComPtr<CommandBar> menuBar;
    if (FAILED(bars->get_ActiveMenuBar(&menuBar)) || !menuBar)
        return E_FAIL;
    if (HRESULT hr = AddAddInPopup(menuBar, kFileMenu, m_spPopup); FAILED(hr))
        return hr;
    CComPtr<CommandBarControl> importExport;
    LONG index = 0;
    menuBar->FindControl(CComVariant(static_cast<LONG>(msoControlButton)), CComVariant(kImportExport),
                         LeftOutArgument(), LeftOutArgument(), CComVariant(true), &importExport);
    const LONG before = importExport && SUCCEEDED(importExport->get_Index(&index)) ? index + 1 : kFallbackPosition;
    m_spPopup->Move(LeftOutArgument(), CComVariant(before), nullptr);
    m_spPopup->put_Caption(CComBSTR(KestrinString(IDS_PRODUCT_CAPTION)));
    CComPtr<CommandBarControls> controls;
    if (HRESULT hr = m_spPopup->get_Controls(&controls); FAILED(hr) || !controls)
        return FAILED(hr) ? hr : E_FAIL;
    constexpr struct {
        UINT caption;
        UINT face;
        LONG command;
    } kEntries[] = {{IDS_SEND_SURVEY, IDB_SEND_SURVEY, 0},
                    {IDS_HELP, IDB_HELP, 2},
                    {IDS_HOME_PAGE_CAPTION, IDB_HOME_PAGE, 3},
                    {IDS_ABOUT, 0, 5}};
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        const std::string caption = KestrinString(kEntries[i].caption);
        if (SUCCEEDED(AddCommandBarButton(controls, {caption, caption, true}, m_popupButtons[i]))) {
            PutFace(m_popupButtons[i], kEntries[i].face, faces);
            AdviseClick(i + 1, m_popupButtons[i], kEntries[i].command);
        }
    }
    return S_OK;
}

void CWEInspectorHook::PutFace(_CommandBarButton* button, UINT face, bool faces)
{
    if (!face || !g_pAddin)
        return;
    if (faces)
        PasteButtonFace(button, face, g_pAddin->m_Log);
    else
        LogFaceSkipped(g_pAddin->m_Log);
}

// Command 0 sends the survey; the others are the add-in's menu commands.
void CWEInspectorHook::AdviseClick(std::size_t sink, _CommandBarButton* button, LONG command)
{
    m_clickSinks[sink].Advise(button, IID__CommandBarButtonEvents,
                              [this, command](DISPID id, pollenta::com::DispatchCall&) -> HRESULT {
                                  if (id != DISPID_CommandBarButtonEvents_Click)
                                      return S_OK;
                                  if (command == 0)
                                      SendSurvey();
                                  else if (g_pAddin)
                                      g_pAddin->OnClickButon(wemitStatic, command);
                                  return S_OK;
                              });
}

void CWEInspectorHook::SendSurvey()
{
    const HWND window = GetForegroundWindow();
    if (window)
        EnableWindow(window, FALSE);
    CComPtr<_MailItem> mail = CurrentMail();
    CComPtr<ITMMailItem> sender;
    bool ended = true;  // quietly, before the sending began
    HRESULT sent = S_OK;
    if (mail && FAILED(CreateSender(sender))) {
        g_pAddin->m_Log.Write(kCreateFailed, {kSenderProgId});
    } else if (mail && SUCCEEDED(sender->putref_Item(mail))) {
        for (const Macro& macro : kMacros)
            sender->AddMacros(CComBSTR(macro.name), CComVariant(static_cast<LONG>(macro.field)), VARIANT_TRUE);
        sent = sender->Solvenda(static_cast<LONG>(reinterpret_cast<std::intptr_t>(window)), VARIANT_TRUE, CComBSTR(""),
                                CComBSTR(""));
        ended = false;
    }
    if (window)
        EnableWindow(window, TRUE);
    if (ended)
        return;
    if (FAILED(sent)) {
        CActivationScope scope;
        MessageBox(window, SendFailureMessage(sent).c_str(), KestrinString(IDS_PRODUCT_CAPTION).c_str(),
                   MB_ICONWARNING);
        return;
    }
    mail->Close(olSave);
}

HRESULT CWEInspectorHook::OnSend(pollenta::com::DispatchCall& call)
{
    void* target = nullptr;
    if (FAILED(call.ArgRef(0, VT_BOOL, &target)))
        return S_OK;
    *static_cast<VARIANT_BOOL*>(target) = VARIANT_TRUE;
    CActivationScope scope;
    MessageBox(GetForegroundWindow(), KestrinString(IDS_USE_SEND_SURVEY).c_str(),
               KestrinString(IDS_PRODUCT_CAPTION).c_str(), MB_ICONINFORMATION);
    return S_OK;
}

void CWEInspectorHook::OnClose()
{
    // A message the spooler has taken is no draft of ours any more.
    if (CComPtr<_MailItem> mail = CurrentMail(); mail && !IsSubmitted(mail))
        DeleteItemMessage(mail);
    Unhook(0);
}

void CWEInspectorHook::Unhook(LONG removeMode)
{
    if (!m_bBuilt)
        return;
    for (CWEEventSink& sink : m_itemSinks)
        sink.Unadvise();
    for (CWEEventSink& sink : m_clickSinks)
        sink.Unadvise();
    for (auto& button : m_popupButtons)
        button.Release();
    if (removeMode == 1) {
        if (m_spSendButton)
            m_spSendButton->Delete(LeftOutArgument());
        if (m_spPopup)
            m_spPopup->Delete(LeftOutArgument());
    }
    m_spSendButton.Release();
    m_spPopup.Release();
    m_spInspector.Release();
    m_lProjectId = 0;
    m_bBuilt = FALSE;
}
