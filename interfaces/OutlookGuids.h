#pragma once
// The mail client's interface and event identities: the values its own
// type library gives them, so that an add-in written against the client
// finds the interfaces it asks for.

#include "com/Dispatch.h"

// Every one of the client's identities ends in -0000-0000-C000-000000000046.
#define POLLENTA_OUTLOOK_IID(name, first)                                                                              \
    inline constexpr IID name = {first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}}

POLLENTA_OUTLOOK_IID(IID__Application, 0x00063001);
POLLENTA_OUTLOOK_IID(IID__NameSpace, 0x00063002);
POLLENTA_OUTLOOK_IID(IID__Explorer, 0x00063003);
POLLENTA_OUTLOOK_IID(IID__Inspector, 0x00063005);
POLLENTA_OUTLOOK_IID(IID_MAPIFolder, 0x00063006);
POLLENTA_OUTLOOK_IID(IID_Attachment, 0x00063007);
POLLENTA_OUTLOOK_IID(IID__Inspectors, 0x00063008);
POLLENTA_OUTLOOK_IID(IID__Explorers, 0x0006300A);
POLLENTA_OUTLOOK_IID(IID__MailItem, 0x00063034);
POLLENTA_OUTLOOK_IID(IID_ItemEvents, 0x0006303A);
POLLENTA_OUTLOOK_IID(IID_Recipients, 0x0006303B);
POLLENTA_OUTLOOK_IID(IID_Attachments, 0x0006303C);
POLLENTA_OUTLOOK_IID(IID__Folders, 0x00063040);
POLLENTA_OUTLOOK_IID(IID__Items, 0x00063041);
POLLENTA_OUTLOOK_IID(IID_Recipient, 0x00063045);
POLLENTA_OUTLOOK_IID(IID_ApplicationEvents, 0x0006304E);
POLLENTA_OUTLOOK_IID(IID_ExplorerEvents, 0x0006304F);
POLLENTA_OUTLOOK_IID(IID_ExplorersEvents, 0x00063078);
POLLENTA_OUTLOOK_IID(IID_InspectorsEvents, 0x00063079);
POLLENTA_OUTLOOK_IID(IID_InspectorEvents, 0x0006307D);
POLLENTA_OUTLOOK_IID(IID_PropertyPages, 0x00063080);

// The office suite's command bars share the client's suffix.
POLLENTA_OUTLOOK_IID(IID__CommandBars, 0x000C0302);
POLLENTA_OUTLOOK_IID(IID_CommandBar, 0x000C0304);
POLLENTA_OUTLOOK_IID(IID_CommandBarControls, 0x000C0306);
POLLENTA_OUTLOOK_IID(IID_CommandBarControl, 0x000C0308);
POLLENTA_OUTLOOK_IID(IID_CommandBarPopup, 0x000C030A);
POLLENTA_OUTLOOK_IID(IID__CommandBarButton, 0x000C030E);
POLLENTA_OUTLOOK_IID(IID__CommandBarButtonEvents, 0x000C0351);
POLLENTA_OUTLOOK_IID(IID__CommandBarsEvents, 0x000C0352);

#undef POLLENTA_OUTLOOK_IID

// Events, by DISPID, on the interfaces above.
inline constexpr DISPID DISPID_ApplicationEvents_OptionsPagesAdd = 0xF005;
inline constexpr DISPID DISPID_ExplorersEvents_NewExplorer = 0xF001;
inline constexpr DISPID DISPID_InspectorsEvents_NewInspector = 0xF001;
inline constexpr DISPID DISPID_ExplorerEvents_Activate = 0xF001;
inline constexpr DISPID DISPID_ExplorerEvents_Close = 0xF008;
inline constexpr DISPID DISPID_InspectorEvents_Activate = 0xF001;
inline constexpr DISPID DISPID_InspectorEvents_Close = 0xF008;
inline constexpr DISPID DISPID_ItemEvents_Open = 0xF003;
inline constexpr DISPID DISPID_ItemEvents_Close = 0xF004;
inline constexpr DISPID DISPID_ItemEvents_Send = 0xF005;
inline constexpr DISPID DISPID_CommandBarButtonEvents_Click = 1;
// A control of the window's bars was added, moved, deleted or changed.
inline constexpr DISPID DISPID_CommandBarsEvents_OnUpdate = 1;

// Values the object model's callers pass.
enum OlDefaultFolders : LONG {
    olFolderDeletedItems = 3,
    olFolderOutbox = 4,
    olFolderSentMail = 5,
    olFolderInbox = 6,
    olFolderDrafts = 16,
};
enum OlItemType : LONG { olMailItem = 0 };
enum OlInspectorClose : LONG { olSave = 0, olDiscard = 1, olPromptForSave = 2 };
enum OlEditorType : LONG { olEditorText = 1, olEditorHTML = 2, olEditorRTF = 3, olEditorWord = 4 };
enum MsoControlType : LONG { msoControlButton = 1, msoControlPopup = 10 };
enum MsoButtonStyle : LONG {
    msoButtonAutomatic = 0,
    msoButtonIcon = 1,
    msoButtonCaption = 2,
    msoButtonIconAndCaption = 3
};
