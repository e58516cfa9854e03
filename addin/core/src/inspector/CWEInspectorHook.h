#pragma once
// The survey message's inspector: "Send survey" first on its Standard
// toolbar and the add-in's popup in its File menu (built when the item
// opens), sending through the personal sending component, and the survey
// message deleted from its folder when the inspector closes. The client's
// own Send is refused on it: it would send the message unpersonalised, and
// the message would then be lost with its inspector.

#include "menu/CWEEventSink.h"
#include "project/CWEProjectProps.h"

#include "OutlookInspectors.h"
#include "OutlookMailItem.h"

#include <array>

class CWEInspectorHook {
public:
    CWEInspectorHook(_Inspector* inspector, LONG projectId);
    CWEInspectorHook(const CWEInspectorHook&) = delete;
    CWEInspectorHook& operator=(const CWEInspectorHook&) = delete;

    HRESULT BuildToolbar();
    void SendSurvey();
    // Mode 1 deletes the buttons and the popup; 0 leaves them to the client.
    void Unhook(LONG removeMode);
    _Inspector* GetInspector() const { return m_spInspector; }

private:
    CComPtr<_MailItem> CurrentMail();
    HRESULT BuildPopup(_CommandBars* bars, bool faces);
    // The face when the user's clipboard was saved (`faces`); else only a log line.
    void PutFace(_CommandBarButton* button, UINT face, bool faces);
    void AdviseClick(std::size_t sink, _CommandBarButton* button, LONG command);
    // The item's Send event: refused, with a box that points to "Send survey".
    HRESULT OnSend(pollenta::com::DispatchCall& call);
    void OnClose();

    std::array<CWEEventSink, 2> m_itemSinks;
    std::array<CWEEventSink, 5> m_clickSinks;
    CComPtr<_Inspector> m_spInspector;
    LONG m_lProjectId;
    BOOL m_bBuilt = FALSE;
    CComPtr<_CommandBarButton> m_spSendButton;
    std::array<CComPtr<_CommandBarButton>, 4> m_popupButtons;
    CComPtr<CommandBarPopup> m_spPopup;
    CWEProjectProps m_ProjectProps;
};
