#pragma once
// The MAPI functions: initialisation and logon, memory, property and row
// helpers, hex conversion and advise sinks.

#include "mapi/IDistList.h"
#include "mapi/IMAPIAdviseSink.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMAPIStatus.h"
#include "mapi/IMAPITable.h"
#include "mapi/IMailUser.h"
#include "mapi/IMessage.h"
#include "mapi/MapiFlags.h"
#include "mapi/PropTags.h"

extern "C" {
HRESULT MAPIInitialize(LPVOID lpMapiInit);
void MAPIUninitialize();
// lpszProfileName NULL logs on to the default profile.
HRESULT MAPILogonEx(ULONG_PTR ulUIParam, LPSTR lpszProfileName, LPSTR lpszPassword, ULONG ulFlags,
                    LPMAPISESSION* lppSession);

// Blocks freed by MAPIFreeBuffer; MAPIAllocateMore chains a block to a parent
// so that freeing the parent frees it as well.
SCODE MAPIAllocateBuffer(ULONG cbSize, LPVOID* lppBuffer);
SCODE MAPIAllocateMore(ULONG cbSize, LPVOID lpObject, LPVOID* lppBuffer);
ULONG MAPIFreeBuffer(LPVOID lpBuffer);

void FreeProws(LPSRowSet lpRows);
void FreePadrlist(LPADRLIST lpAdrlist);
SCODE ScDupPropset(int cValues, LPSPropValue lpPropArray, LPVOID (*)(ULONG), LPSPropValue* lppPropArray);
SCODE PropCopyMore(LPSPropValue lpSPropValueDest, LPSPropValue lpSPropValueSrc,
                   SCODE (*lpfAllocMore)(ULONG, LPVOID, LPVOID*), LPVOID lpvObject);

HRESULT HrGetOneProp(LPMAPIPROP lpMapiProp, ULONG ulPropTag, LPSPropValue* lppProp);
HRESULT HrSetOneProp(LPMAPIPROP lpMapiProp, LPSPropValue lpProp);
// lpPropTags NULL keeps the table's columns; the table is read from its start.
HRESULT HrQueryAllRows(LPMAPITABLE lpTable, LPSPropTagArray lpPropTags, LPSRestriction lpRestriction,
                       LPSSortOrderSet lpSortOrderSet, LONG crowsMax, LPSRowSet* lppRows);

// lpb must hold strlen(lpsz)/2 bytes; odd lengths and non-hex digits give
// FALSE without writing past that.
BOOL FBinFromHex(LPSTR lpsz, LPBYTE lpb);
// lpsz must hold 2*cb+1 characters.
void HexFromBin(LPBYTE lpb, int cb, LPSTR lpsz);

// RTF_SYNC_RTF_CHANGED: the compressed RTF is the body that counts; it must
// decode, the plain body becomes its text, and the message is marked in
// sync (not saved).
HRESULT RTFSync(LPMESSAGE lpMessage, ULONG ulFlags, BOOL* lpfMessageUpdated);

HRESULT HrAllocAdviseSink(LPNOTIFCALLBACK lpfnCallback, LPVOID lpvContext, LPMAPIADVISESINK* lppAdviseSink);
// Waits until every notification raised so far has reached its sinks.
HRESULT HrDispatchNotifications(ULONG ulFlags);
}
