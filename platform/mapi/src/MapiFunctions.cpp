// Initialisation, logon and the property, row and hex helpers of MAPI.

#include "AdviseSink.h"
#include "Notifier.h"
#include "PropArrays.h"
#include "Session.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"

#include <atomic>
#include <cstring>

using namespace pollenta::mapi;

namespace {

std::atomic<int> g_initialised{0};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

extern "C" HRESULT MAPIInitialize(LPVOID lpMapiInit)
{
    if (lpMapiInit) {
        auto* init = static_cast<MAPIINIT_0*>(lpMapiInit);
        if (init->ulVersion != MAPI_INIT_VERSION) return MAPI_E_VERSION;
        if (init->ulFlags & ~(MAPI_MULTITHREAD_NOTIFICATIONS | MAPI_NO_COINIT | MAPI_NT_SERVICE))
            return MAPI_E_UNKNOWN_FLAGS;
    }
    ++g_initialised;
    return S_OK;
}

extern "C" void MAPIUninitialize()
{
    int count = g_initialised.load();
    while (count > 0 && !g_initialised.compare_exchange_weak(count, count - 1)) {
    }
}

extern "C" HRESULT MAPILogonEx(ULONG_PTR, LPSTR lpszProfileName, LPSTR, ULONG, LPMAPISESSION* lppSession)
{
    if (!lppSession) return MAPI_E_INVALID_PARAMETER;
    *lppSession = nullptr;
    if (g_initialised.load() <= 0) return MAPI_E_NOT_INITIALIZED;
    CLastError error;
    return error.Guard([&] {
        *lppSession = new CSession(CProfile::Load(lpszProfileName ? lpszProfileName : ""));
        return S_OK;
    });
}

extern "C" void FreeProws(LPSRowSet lpRows)
{
    if (!lpRows) return;
    for (ULONG i = 0; i < lpRows->cRows; ++i) MAPIFreeBuffer(lpRows->aRow[i].lpProps);
    MAPIFreeBuffer(lpRows);
}

extern "C" void FreePadrlist(LPADRLIST lpAdrlist)
{
    if (!lpAdrlist) return;
    for (ULONG i = 0; i < lpAdrlist->cEntries; ++i) MAPIFreeBuffer(lpAdrlist->aEntries[i].rgPropVals);
    MAPIFreeBuffer(lpAdrlist);
}

extern "C" SCODE PropCopyMore(LPSPropValue lpSPropValueDest, LPSPropValue lpSPropValueSrc,
                              SCODE (*lpfAllocMore)(ULONG, LPVOID, LPVOID*), LPVOID lpvObject)
{
    if (!lpSPropValueDest || !lpSPropValueSrc) return MAPI_E_INVALID_PARAMETER;
    // Values are copied through MAPI memory; other allocators are not kept.
    if (lpfAllocMore && lpfAllocMore != MAPIAllocateMore) return MAPI_E_NO_SUPPORT;
    CPropValue value;
    if (HRESULT hr = CPropValue::FromSPropValue(*lpSPropValueSrc, value); FAILED(hr)) return hr;
    return value.ToSPropValue(*lpSPropValueDest, lpvObject);
}

extern "C" SCODE ScDupPropset(int cValues, LPSPropValue lpPropArray, LPVOID (*)(ULONG), LPSPropValue* lppPropArray)
{
    if (!lppPropArray || cValues < 0 || (cValues && !lpPropArray)) return MAPI_E_INVALID_PARAMETER;
    std::vector<CPropValue> values;
    for (int i = 0; i < cValues; ++i) {
        CPropValue value;
        if (HRESULT hr = CPropValue::FromSPropValue(lpPropArray[i], value); FAILED(hr)) return hr;
        values.push_back(value);
    }
    return CPropArrays::Values(values, nullptr, lppPropArray);
}

extern "C" HRESULT HrGetOneProp(LPMAPIPROP lpMapiProp, ULONG ulPropTag, LPSPropValue* lppProp)
{
    if (!lpMapiProp || !lppProp) return MAPI_E_INVALID_PARAMETER;
    *lppProp = nullptr;
    SizedSPropTagArray(1, tags) = {1, {ulPropTag}};
    ULONG count = 0;
    LPSPropValue values = nullptr;
    HRESULT hr = lpMapiProp->GetProps(reinterpret_cast<LPSPropTagArray>(&tags), 0, &count, &values);
    if (FAILED(hr)) return hr;
    if (count != 1 || PROP_TYPE(values[0].ulPropTag) == PT_ERROR) {
        HRESULT error = count == 1 ? values[0].Value.err : MAPI_E_NOT_FOUND;
        MAPIFreeBuffer(values);
        return error;
    }
    *lppProp = values;
    return S_OK;
}

extern "C" HRESULT HrSetOneProp(LPMAPIPROP lpMapiProp, LPSPropValue lpProp)
{
    if (!lpMapiProp || !lpProp) return MAPI_E_INVALID_PARAMETER;
    LPSPropProblemArray problems = nullptr;
    HRESULT hr = lpMapiProp->SetProps(1, lpProp, &problems);
    if (SUCCEEDED(hr) && problems && problems->cProblem) hr = problems->aProblem[0].scode;
    MAPIFreeBuffer(problems);
    return hr;
}

extern "C" HRESULT HrQueryAllRows(LPMAPITABLE lpTable, LPSPropTagArray lpPropTags, LPSRestriction lpRestriction,
                                  LPSSortOrderSet lpSortOrderSet, LONG crowsMax, LPSRowSet* lppRows)
{
    if (!lpTable || !lppRows) return MAPI_E_INVALID_PARAMETER;
    *lppRows = nullptr;
    if (lpPropTags) {
        if (HRESULT hr = lpTable->SetColumns(lpPropTags, 0); FAILED(hr)) return hr;
    }
    if (lpRestriction) {
        if (HRESULT hr = lpTable->Restrict(lpRestriction, 0); FAILED(hr)) return hr;
    }
    if (lpSortOrderSet) {
        if (HRESULT hr = lpTable->SortTable(lpSortOrderSet, 0); FAILED(hr)) return hr;
    }
    if (HRESULT hr = lpTable->SeekRow(BOOKMARK_BEGINNING, 0, nullptr); FAILED(hr)) return hr;
    ULONG count = 0;
    if (HRESULT hr = lpTable->GetRowCount(0, &count); FAILED(hr)) return hr;
    if (crowsMax > 0 && count > static_cast<ULONG>(crowsMax)) return MAPI_E_TABLE_TOO_BIG;
    return lpTable->QueryRows(static_cast<LONG>(std::max<ULONG>(count, 1)), 0, lppRows);
}

extern "C" BOOL FBinFromHex(LPSTR lpsz, LPBYTE lpb)
{
    if (!lpsz || !lpb) return FALSE;
    std::size_t length = std::strlen(lpsz);
    if (length % 2) return FALSE;
    for (std::size_t i = 0; i < length; ++i)
        if (HexDigit(lpsz[i]) < 0) return FALSE;
    for (std::size_t i = 0; i < length; i += 2)
        lpb[i / 2] = static_cast<BYTE>((HexDigit(lpsz[i]) << 4) | HexDigit(lpsz[i + 1]));
    return TRUE;
}

extern "C" void HexFromBin(LPBYTE lpb, int cb, LPSTR lpsz)
{
    static const char kDigits[] = "0123456789ABCDEF";
    if (!lpsz) return;
    int n = lpb && cb > 0 ? cb : 0;
    for (int i = 0; i < n; ++i) {
        lpsz[2 * i] = kDigits[lpb[i] >> 4];
        lpsz[2 * i + 1] = kDigits[lpb[i] & 0xF];
    }
    lpsz[2 * n] = '\0';
}

extern "C" HRESULT HrAllocAdviseSink(LPNOTIFCALLBACK lpfnCallback, LPVOID lpvContext, LPMAPIADVISESINK* lppAdviseSink)
{
    if (!lpfnCallback || !lppAdviseSink) return MAPI_E_INVALID_PARAMETER;
    *lppAdviseSink = new CAdviseSink(lpfnCallback, lpvContext);
    return S_OK;
}

extern "C" HRESULT HrDispatchNotifications(ULONG)
{
    CNotifier::Instance().Drain();
    return S_OK;
}
