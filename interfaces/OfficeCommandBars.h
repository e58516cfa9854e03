#pragma once
// The office suite's command bars as the client's explorers and inspectors
// carry them: bars hold controls, popups hold controls of their own, and a
// button tells its Click to every sink advised on it.

#include "OutlookGuids.h"

#include "com/Dispatch.h"

struct CommandBar;
struct CommandBarControls;

struct CommandBarControl : IDispatch {
    STDMETHOD(get_Type)(LONG* type) PURE;
    // The built-in id the control was made with; 1 for the add-ins' own.
    STDMETHOD(get_Id)(LONG* id) PURE;
    STDMETHOD(get_Caption)(BSTR* caption) PURE;
    STDMETHOD(put_Caption)(BSTR caption) PURE;
    STDMETHOD(get_Tag)(BSTR* tag) PURE;
    STDMETHOD(put_Tag)(BSTR tag) PURE;
    STDMETHOD(get_TooltipText)(BSTR* text) PURE;
    STDMETHOD(put_TooltipText)(BSTR text) PURE;
    STDMETHOD(get_Visible)(VARIANT_BOOL* visible) PURE;
    STDMETHOD(put_Visible)(VARIANT_BOOL visible) PURE;
    STDMETHOD(get_Enabled)(VARIANT_BOOL* enabled) PURE;
    STDMETHOD(put_Enabled)(VARIANT_BOOL enabled) PURE;
    STDMETHOD(get_BeginGroup)(VARIANT_BOOL* begin) PURE;
    STDMETHOD(put_BeginGroup)(VARIANT_BOOL begin) PURE;
    // The 1-based position among its bar's controls.
    STDMETHOD(get_Index)(LONG* index) PURE;
    // Removes the control from its bar; `temporary` may be left out.
    STDMETHOD(Delete)(VARIANT temporary) PURE;
    // Into `bar` (left out: the same bar) before the control at 1-based
    // `before` (left out: at the end).
    STDMETHOD(Move)(VARIANT bar, VARIANT before, CommandBarControl** moved) PURE;
    // What a click does: a button tells its Click sinks.
    STDMETHOD(Execute)() PURE;

protected:
    ~CommandBarControl() = default;
};
POLLENTA_INTERFACE_IID(CommandBarControl, IID_CommandBarControl);

struct _CommandBarButton : CommandBarControl {
    STDMETHOD(get_Style)(LONG* style) PURE;
    STDMETHOD(put_Style)(LONG style) PURE;
    // The built-in picture shown on the button; 0 for none.
    STDMETHOD(get_FaceId)(LONG* faceId) PURE;
    STDMETHOD(put_FaceId)(LONG faceId) PURE;
    // Takes the clipboard's picture (CF_BITMAP) as the button's face;
    // E_FAIL when the clipboard cannot be opened or holds none.
    STDMETHOD(PasteFace)() PURE;
    // Not the office suite's: the face pasted last as the bytes of a .bmp
    // file (VT_ARRAY | VT_UI1); VT_EMPTY for none.
    STDMETHOD(get_FacePicture)(VARIANT* bytes) PURE;

protected:
    ~_CommandBarButton() = default;
};
POLLENTA_INTERFACE_IID(_CommandBarButton, IID__CommandBarButton);

struct CommandBarPopup : CommandBarControl {
    STDMETHOD(get_Controls)(CommandBarControls** controls) PURE;

protected:
    ~CommandBarPopup() = default;
};
POLLENTA_INTERFACE_IID(CommandBarPopup, IID_CommandBarPopup);

struct CommandBarControls : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By 1-based position or by caption.
    STDMETHOD(get_Item)(VARIANT index, CommandBarControl** control) PURE;
    // A button (msoControlButton, also when Type is left out) or a popup
    // (msoControlPopup), before 1-based `before` or at the end.
    STDMETHOD(Add)
    (VARIANT type, VARIANT id, VARIANT parameter, VARIANT before, VARIANT temporary, CommandBarControl** control) PURE;

protected:
    ~CommandBarControls() = default;
};
POLLENTA_INTERFACE_IID(CommandBarControls, IID_CommandBarControls);

struct CommandBar : IDispatch {
    STDMETHOD(get_Name)(BSTR* name) PURE;
    STDMETHOD(get_Controls)(CommandBarControls** controls) PURE;
    // The first control that matches every argument given (a left-out one
    // matches all), searched into popups when `recursive` is true; null
    // (and S_OK) when none does.
    STDMETHOD(FindControl)
    (VARIANT type, VARIANT id, VARIANT tag, VARIANT visible, VARIANT recursive, CommandBarControl** control) PURE;

protected:
    ~CommandBar() = default;
};
POLLENTA_INTERFACE_IID(CommandBar, IID_CommandBar);

struct _CommandBars : IDispatch {
    STDMETHOD(get_Count)(LONG* count) PURE;
    // By 1-based position or by name ("Menu Bar", "Standard").
    STDMETHOD(get_Item)(VARIANT index, CommandBar** bar) PURE;
    STDMETHOD(get_ActiveMenuBar)(CommandBar** bar) PURE;

protected:
    ~_CommandBars() = default;
};
POLLENTA_INTERFACE_IID(_CommandBars, IID__CommandBars);
