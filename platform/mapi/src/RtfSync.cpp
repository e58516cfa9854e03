#include "RtfPlainText.h"
#include "mapi/CompressedRtf.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"

#include "win/CodePage.h"

#include <span>
#include <string>

extern "C" HRESULT RTFSync(LPMESSAGE lpMessage, ULONG ulFlags, BOOL* lpfMessageUpdated)
{
    if (!lpMessage) return MAPI_E_INVALID_PARAMETER;
    if (lpfMessageUpdated) *lpfMessageUpdated = FALSE;
    if (ulFlags & ~(RTF_SYNC_RTF_CHANGED | RTF_SYNC_BODY_CHANGED)) return MAPI_E_UNKNOWN_FLAGS;
    if (ulFlags & RTF_SYNC_RTF_CHANGED) {
        LPSPropValue rtf = nullptr;
        if (HRESULT hr = HrGetOneProp(lpMessage, PR_RTF_COMPRESSED, &rtf); FAILED(hr)) return hr;
        RtfDecodeResult decoded = DecompressRtf(std::span<const BYTE>(rtf->Value.bin.lpb, rtf->Value.bin.cb));
        MAPIFreeBuffer(rtf);
        if (FAILED(decoded.hr)) return decoded.hr;
        // The plain body follows the RTF, as readers of the plain body
        // (and the Internet form of the message) need it.
        std::string text = ToNarrow(RtfPlainText(decoded.rtf), CP_ACP);
        SPropValue body{};
        body.ulPropTag = PR_BODY_A;
        body.Value.lpszA = text.data();
        if (HRESULT hr = HrSetOneProp(lpMessage, &body); FAILED(hr)) return hr;
    }
    SPropValue inSync{};
    inSync.ulPropTag = PR_RTF_IN_SYNC;
    inSync.Value.b = 1;
    if (HRESULT hr = HrSetOneProp(lpMessage, &inSync); FAILED(hr)) return hr;
    if (lpfMessageUpdated) *lpfMessageUpdated = TRUE;
    return S_OK;
}
