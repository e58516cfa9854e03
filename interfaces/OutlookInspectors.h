#pragma once
// The client's item windows. Each inspector tells InspectorEvents sinks of
// Activate and Close; the collection tells InspectorsEvents sinks of every
// new one (NewInspector, one VT_DISPATCH argument).

#include "OfficeCommandBars.h"
#include "OutlookGuids.h"

struct _Inspector : IDispatch {
    STDMETHOD(get_CommandBars)(_CommandBars** bars) PURE;
    STDMETHOD(get_CurrentItem)(IDispatch** item) PURE;
    STDMETHOD(get_Caption)(BSTR* caption) PURE;
    // olEditorHTML, olEditorText or olEditorWord, as the user's mail-format
    // preference says.
    STDMETHOD(get_EditorType)(LONG* editor) PURE;
    STDMETHOD(IsWordMail)(VARIANT_BOOL* isWord) PURE;
    STDMETHOD(Activate)() PURE;
    STDMETHOD(Close)(LONG saveMode) PURE;

protected:
    ~_Inspector() = default;
};
POLLENTA_INTERFACE_IID(_Inspector, IID__Inspector);

struct _Inspectors : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    STDMETHOD(Item)(VARIANT index, _Inspector** inspector) PURE;
    STDMETHOD(Add)(IDispatch* item, _Inspector** inspector) PURE;

protected:
    ~_Inspectors() = default;
};
POLLENTA_INTERFACE_IID(_Inspectors, IID__Inspectors);
