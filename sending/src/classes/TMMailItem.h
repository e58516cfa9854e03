#pragma once
// TMMailItem: holds one Outlook mail item and the macros to substitute, and
// sends the item personally to each of its recipients. Clients supply the
// values of dfOwnerEvaluate macros through the EvaluateMacros event.

#include "ITMMailItem.h"
#include "ITMMailItemEvents.h"
#include "MacroRecord.h"

#include "com/ComPtr.h"
#include "com/ConnectionPointImpl.h"
#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

#include <span>
#include <vector>

struct ITMMacros;
struct ITMPersonData;

class TMMailItem;
using TMMailItemBase =
    pollenta::com::CUnknownImpl<TMMailItem, pollenta::com::CDispatchImpl<TMMailItem, ITMMailItem3>, ISupportErrorInfo>;

class TMMailItem : public TMMailItemBase, public pollenta::com::CConnectionPointContainerImpl {
public:
    TMMailItem();
    ~TMMailItem();

    static std::span<const pollenta::com::DispatchMember<TMMailItem>> DispatchMembers();
    // The earlier interfaces and the connection point container.
    void* QueryInterfaceExtra(REFIID iid);

    // One reference count for both the class and its connection points.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return TMMailItemBase::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return TMMailItemBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return TMMailItemBase::Release(); }

    STDMETHODIMP get_Item(IDispatch** pVal) override;
    STDMETHODIMP putref_Item(IDispatch* newVal) override;
    STDMETHODIMP Solvenda(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption,
                          BSTR ProgressText) override;
    STDMETHODIMP AddMacros(BSTR Name, VARIANT Value, VARIANT_BOOL Dynamic) override;
    STDMETHODIMP RemoveAllMacroses() override;
    STDMETHODIMP get_MacrosesCount(LONG* pVal) override;
    STDMETHODIMP get_Language(ULONG* pVal) override;
    STDMETHODIMP put_Language(ULONG newVal) override;
    STDMETHODIMP Solvenda3(LONG ulUIParam, VARIANT_BOOL vbShowProgress, BSTR ProgressCaption,
                           BSTR ProgressText) override;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    // For the sending engines: the registered macros, and the event that
    // asks every advised client for a dfOwnerEvaluate value.
    std::vector<MacroRecord>& Macros() { return m_macros; }
    HRESULT FireEvaluateMacros(ITMPersonData* personData, ITMMacros* macros);

private:

    bool m_bMapiInitialized;
    CComPtr<IDispatch> m_spItem;
    std::vector<MacroRecord> m_macros;
    pollenta::com::CConnectionPointImpl m_eventPoint;
};
