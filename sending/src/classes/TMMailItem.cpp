#include "TMMailItem.h"

#include "ComBoundary.h"
#include "ITMMacros.h"
#include "ITMPersonData.h"
#include "OutlookGuids.h"
#include "errors/CZrException.h"
#include "errors/MessageText.h"
#include "errors/SystemErrorText.h"
#include "lang/CWELanguages.h"
#include "mapisender/CZrMessageSender.h"
#include "sender/CWEPersonalSender.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/Text.h"
#include "mapi/MapiUtil.h"
#include "ui/MessageBox.h"

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;
using pollenta::com::GuardedCall;

namespace {

constexpr std::uint32_t kTextWithdrawn = 123;

// The text of a run's failure, by its result code.
std::uint32_t SendingResultText(HRESULT hr)
{
    switch (hr) {
    case TM_E_CANCELLED: return 117;
    case TM_E_UNRESOLVED: return 118;
    case TM_E_NORECIPIENTS: return 119;
    case TM_E_ALLEXCLUDED: return 120;
    case TM_E_EMPTYLISTS: return 121;
    default: return 122;
    }
}

// A cancelled run that was rolled back also says how many copies it took back;
// addresses that were not recognised follow their text, one a line.
std::string SendingResultDescription(HRESULT hr, const CWEPersonalSender& sender)
{
    std::string description = Languages().LoadLangString(SendingResultText(hr));
    if (hr == TM_E_UNRESOLVED)
        for (const std::string& name : sender.UnresolvedNames())
            description += "\r\n" + name;
    if (hr == TM_E_CANCELLED && sender.RolledBackCopies() > 0) {
        const std::string counts[] = {std::to_string(sender.WithdrawnCopies()),
                                      std::to_string(sender.RolledBackCopies())};
        description += "\r\n" + InsertMessageArguments(Languages().LoadLangString(kTextWithdrawn), counts);
    }
    return description;
}

bool IsDynamicCode(LONG code)
{
    return (code >= dfRecipientEmail && code <= dfRecipientLastName) || code == dfOwnerEvaluate;
}

HRESULT InvokeItem(TMMailItem& self, DispatchCall& call)
{
    if (call.IsPropertyPut()) {
        CComVariant value;
        HRESULT hr = call.PutValue(VT_VARIANT, &value);
        if (FAILED(hr))
            return hr;
        if (value.vt == VT_EMPTY || value.vt == VT_NULL)
            return self.putref_Item(nullptr);
        if (value.vt == VT_DISPATCH)
            return self.putref_Item(value.pdispVal);
        return DISP_E_TYPEMISMATCH;
    }
    CComPtr<IDispatch> item;
    HRESULT hr = self.get_Item(&item);
    return FAILED(hr) ? hr : call.ReturnDispatch(item.Detach());
}

template <HRESULT (TMMailItem::*Send)(LONG, VARIANT_BOOL, BSTR, BSTR)>
HRESULT InvokeSending(TMMailItem& self, DispatchCall& call)
{
    LONG parent = 0;
    VARIANT_BOOL showProgress = VARIANT_FALSE;
    CComBSTR caption;
    CComBSTR text;
    HRESULT hr = call.Arg(0, &parent);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, &showProgress);
    if (SUCCEEDED(hr))
        hr = call.Arg(2, &caption);
    if (SUCCEEDED(hr))
        hr = call.Arg(3, &text);
    return FAILED(hr) ? hr : (self.*Send)(parent, showProgress, caption, text);
}

HRESULT InvokeAddMacros(TMMailItem& self, DispatchCall& call)
{
    CComBSTR name;
    CComVariant value;
    VARIANT_BOOL dynamic = VARIANT_FALSE;
    HRESULT hr = call.Arg(0, &name);
    if (SUCCEEDED(hr))
        hr = call.Arg(1, VT_VARIANT, &value);
    if (SUCCEEDED(hr))
        hr = call.Arg(2, &dynamic);
    return FAILED(hr) ? hr : self.AddMacros(name, value, dynamic);
}

HRESULT InvokeRemoveAllMacroses(TMMailItem& self, DispatchCall& call)
{
    return self.RemoveAllMacroses();
}

HRESULT InvokeMacrosesCount(TMMailItem& self, DispatchCall& call)
{
    if (!(call.Flags() & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    LONG count = 0;
    self.get_MacrosesCount(&count);
    return call.ReturnLong(count);
}

HRESULT InvokeLanguage(TMMailItem& self, DispatchCall& call)
{
    if (call.IsPropertyPut()) {
        CComVariant value;
        HRESULT hr = call.PutValue(VT_UI4, &value);
        return FAILED(hr) ? hr : self.put_Language(value.ulVal);
    }
    ULONG language = 0;
    self.get_Language(&language);
    CComVariant value(language);
    return call.Return(&value);
}

constexpr DispatchMember<TMMailItem> Members[] = {
    {"Item", DISPID_TMMAILITEM_ITEM, InvokeItem},
    {"Solvenda", DISPID_TMMAILITEM_SOLVENDA, InvokeSending<&TMMailItem::Solvenda>},
    {"AddMacros", DISPID_TMMAILITEM_ADDMACROS, InvokeAddMacros},
    {"RemoveAllMacroses", DISPID_TMMAILITEM_REMOVEALLMACROSES, InvokeRemoveAllMacroses},
    {"MacrosesCount", DISPID_TMMAILITEM_MACROSESCOUNT, InvokeMacrosesCount},
    {"Language", DISPID_TMMAILITEM_LANGUAGE, InvokeLanguage},
    {"Solvenda3", DISPID_TMMAILITEM_SOLVENDA3, InvokeSending<&TMMailItem::Solvenda3>},
};

}  // namespace

// Each object keeps MAPI initialised for as long as it lives.
TMMailItem::TMMailItem() : m_bMapiInitialized(SUCCEEDED(MAPIInitialize(nullptr))), m_eventPoint(this, DIID__ITMMailItemEvents)
{
    AddConnectionPoint(&m_eventPoint);
}

TMMailItem::~TMMailItem()
{
    m_macros.clear();
    m_spItem.Release();
    if (m_bMapiInitialized)
        MAPIUninitialize();
}

std::span<const DispatchMember<TMMailItem>> TMMailItem::DispatchMembers()
{
    return Members;
}

void* TMMailItem::QueryInterfaceExtra(REFIID iid)
{
    if (iid == IID_ITMMailItem || iid == IID_ITMMailItem2)
        return static_cast<ITMMailItem3*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

STDMETHODIMP TMMailItem::get_Item(IDispatch** pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = nullptr;
    if (!m_spItem)
        return E_FAIL;
    return m_spItem.CopyTo(pVal);
}

STDMETHODIMP TMMailItem::putref_Item(IDispatch* newVal)
{
    return GuardedCall([&] {
        if (!newVal) {
            m_spItem.Release();
            return S_OK;
        }
        CComPtr<IDispatch> mailItem;
        if (FAILED(newVal->QueryInterface(IID__MailItem, reinterpret_cast<void**>(&mailItem))) || !mailItem) {
            MessageBox(nullptr, "E_INVALIDARG", "QZD", MB_OK);
            return E_INVALIDARG;
        }
        m_spItem = mailItem;
        return S_OK;
    });
}

STDMETHODIMP TMMailItem::Solvenda(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption,
                                  BSTR ProgressText)
{
    if (!m_spItem)
        return E_FAIL;
    return GuardedCall([&] {
        CWEPersonalSender sender;
        sender.SetItem(m_spItem);
        sender.SetOwner(this);
        sender.SetParentWindow(reinterpret_cast<HWND>(static_cast<intptr_t>(ulUIParam)));
        sender.SetShowProgress(vbShowProgress == VARIANT_TRUE);
        sender.SetProgressTexts(pollenta::com::AnsiFromBstr(ProgressCaption),
                                pollenta::com::AnsiFromBstr(ProgressText));
        const HRESULT hr = sender.Run();
        if (FAILED(hr))
            SetComponentError(hr, SendingResultDescription(hr, sender), IID_ITMMailItem);
        return hr;
    });
}

STDMETHODIMP TMMailItem::Solvenda3(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption,
                                   BSTR ProgressText)
{
    if (!m_spItem)
        return E_FAIL;
    return GuardedCall([&] {
        try {
            CZrMessageSender sender;
            const HRESULT hr = sender.Solvenda(this, m_spItem, reinterpret_cast<HWND>(static_cast<intptr_t>(ulUIParam)),
                                               vbShowProgress != VARIANT_FALSE,
                                               pollenta::com::AnsiFromBstr(ProgressCaption),
                                               pollenta::com::AnsiFromBstr(ProgressText));
            if (FAILED(hr))
                SetComponentError(hr, Languages().LoadLangString(SendingResultText(hr)), IID_ITMMailItem3);
            return hr;
        } catch (const CZrException& error) {
            return SetComponentError(error.Result(), error.Description(), IID_ITMMailItem3);
        }
    });
}

STDMETHODIMP TMMailItem::AddMacros(BSTR Name, VARIANT Value, VARIANT_BOOL Dynamic)
{
    return GuardedCall([&] {
        MacroRecord record;
        record.name = pollenta::com::AnsiFromBstr(Name);
        record.key = "%" + record.name + "%";
        CComVariant converted;
        if (Dynamic == VARIANT_TRUE) {
            record.dynamic = true;
            if (FAILED(converted.ChangeType(VT_I4, &Value)) || !IsDynamicCode(converted.lVal))
                return SetComponentError(E_INVALIDARG, SystemErrorText(E_INVALIDARG) + " (Value)", IID_ITMMailItem);
            record.dynamicCode = converted.lVal;
        } else {
            if (FAILED(converted.ChangeType(VT_BSTR, &Value)))
                return SetComponentError(E_INVALIDARG, SystemErrorText(E_INVALIDARG) + " (Value)", IID_ITMMailItem);
            record.value = pollenta::com::AnsiFromBstr(converted.bstrVal);
        }
        m_macros.push_back(std::move(record));
        return S_OK;
    });
}

STDMETHODIMP TMMailItem::RemoveAllMacroses()
{
    m_macros.clear();
    return S_OK;
}

STDMETHODIMP TMMailItem::get_MacrosesCount(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = static_cast<LONG>(m_macros.size());
    return S_OK;
}

STDMETHODIMP TMMailItem::get_Language(ULONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = Languages().GetLanguageId();
    return S_OK;
}

STDMETHODIMP TMMailItem::put_Language(ULONG newVal)
{
    return GuardedCall([&] {
        Languages().SetLanguageId(newVal);
        return S_OK;
    });
}

STDMETHODIMP TMMailItem::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_ITMMailItem || iid == IID_ITMMailItem2 || iid == IID_ITMMailItem3 ? S_OK : S_FALSE;
}

HRESULT TMMailItem::FireEvaluateMacros(ITMPersonData* personData, ITMMacros* macros)
{
    CComVariant args[] = {CComVariant(static_cast<IDispatch*>(personData)), CComVariant(static_cast<IDispatch*>(macros))};
    return m_eventPoint.Fire(DISPID_TMMAILITEMEVENTS_EVALUATEMACROS, args);
}
