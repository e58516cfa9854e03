#pragma once
// ITMMailItem and its successors: personal sending of one Outlook mail item
// to every recipient, with macros substituted per recipient. Clients bind
// to the function tables directly, so the member order below is fixed;
// late binding uses the DISPIDs.

#include "TorvaneGuids.h"

#include "com/Dispatch.h"

inline constexpr DISPID DISPID_TMMAILITEM_ITEM = 1;
inline constexpr DISPID DISPID_TMMAILITEM_SOLVENDA = 3;
inline constexpr DISPID DISPID_TMMAILITEM_ADDMACROS = 4;
inline constexpr DISPID DISPID_TMMAILITEM_REMOVEALLMACROSES = 5;
inline constexpr DISPID DISPID_TMMAILITEM_MACROSESCOUNT = 6;
inline constexpr DISPID DISPID_TMMAILITEM_LANGUAGE = 8;
inline constexpr DISPID DISPID_TMMAILITEM_SOLVENDA3 = 9;

// Where the value of a dynamic macro comes from.
enum tagQZDDynamicFields : LONG {
    dfRecipientEmail = 0,
    dfRecipientName = 1,
    dfDistListName = 2,
    dfRecipientFirstName = 3,
    dfRecipientLastName = 4,
    dfOwnerEvaluate = 99,
};

// Results of the sending methods besides S_OK, E_FAIL and passed-through
// MAPI failures.
inline constexpr HRESULT TM_E_CANCELLED = static_cast<HRESULT>(0x80040200);
inline constexpr HRESULT TM_E_UNRESOLVED = static_cast<HRESULT>(0x80040201);
inline constexpr HRESULT TM_E_NORECIPIENTS = static_cast<HRESULT>(0x80040202);
inline constexpr HRESULT TM_E_ALLEXCLUDED = static_cast<HRESULT>(0x80040203);
inline constexpr HRESULT TM_E_EMPTYLISTS = static_cast<HRESULT>(0x80040204);

struct ITMMailItem : IDispatch {
    STDMETHOD(get_Item)(IDispatch** pVal) PURE;
    STDMETHOD(putref_Item)(IDispatch* newVal) PURE;
    STDMETHOD(Solvenda)(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption, BSTR ProgressText) PURE;
    STDMETHOD(AddMacros)(BSTR Name, VARIANT Value, VARIANT_BOOL Dynamic) PURE;
    STDMETHOD(RemoveAllMacroses)() PURE;
    STDMETHOD(get_MacrosesCount)(LONG* pVal) PURE;

protected:
    ~ITMMailItem() = default;
};

struct ITMMailItem2 : ITMMailItem {
    STDMETHOD(get_Language)(ULONG* pVal) PURE;
    STDMETHOD(put_Language)(ULONG newVal) PURE;

protected:
    ~ITMMailItem2() = default;
};

struct ITMMailItem3 : ITMMailItem2 {
    STDMETHOD(Solvenda3)(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption, BSTR ProgressText) PURE;

protected:
    ~ITMMailItem3() = default;
};

POLLENTA_INTERFACE_IID(ITMMailItem, IID_ITMMailItem);
POLLENTA_INTERFACE_IID(ITMMailItem2, IID_ITMMailItem2);
POLLENTA_INTERFACE_IID(ITMMailItem3, IID_ITMMailItem3);
