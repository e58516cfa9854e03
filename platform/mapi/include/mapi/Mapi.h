#pragma once
// Everything a MAPI client uses: the functions, interfaces, property tags,
// flags and result codes.

#include "mapi/IAddrBook.h"
#include "mapi/IAttachment.h"
#include "mapi/IDistList.h"
#include "mapi/IMAPIAdviseSink.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMAPIStatus.h"
#include "mapi/IMAPITable.h"
#include "mapi/IMailUser.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"
#include "mapi/IProfSect.h"
#include "mapi/MapiCodes.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiGuids.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"
