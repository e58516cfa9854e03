#include "outlook/OutlookHost.h"

#include "CApplication.h"
#include "CCommandBars.h"
#include "ContentsCache.h"

#include <algorithm>

namespace pollenta::outlook {

namespace {

std::string WithoutMarks(std::string caption)
{
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

CControlNode* FindByText(const CCommandBarControls& controls, const std::string& text, bool byTag)
{
    for (CControlNode* node : controls.Nodes()) {
        if (byTag ? node->m_tag == text : WithoutMarks(node->m_caption) == WithoutMarks(text))
            return node;
        if (node->ChildControls())
            if (CControlNode* found = FindByText(*node->ChildControls(), text, byTag))
                return found;
    }
    return nullptr;
}

}  // namespace

HRESULT OutlookHost::Create(IMAPISession* session, const HostSettings& settings, std::unique_ptr<OutlookHost>& host)
{
    if (!session)
        return E_INVALIDARG;
    auto context = std::make_shared<OutlookContext>();
    context->session = session;
    context->version = settings.version;
    context->userName = settings.userName;
    context->userAddress = settings.userAddress;
    context->contents = std::make_shared<CContentsCache>();
    CComPtr<_Application> application;
    if (HRESULT hr = CApplication::CreateInstance(IID__Application, reinterpret_cast<void**>(&application), context);
        FAILED(hr))
        return hr;
    host.reset(new OutlookHost(application));
    return S_OK;
}

OutlookHost::OutlookHost(CComPtr<_Application> application) : m_application(std::move(application)) {}

OutlookHost::~OutlookHost()
{
    CloseWindows();
}

HRESULT OutlookHost::OpenExplorer(_Explorer** explorer)
{
    CComPtr<_Explorers> explorers;
    if (HRESULT hr = m_application->get_Explorers(&explorers); FAILED(hr))
        return hr;
    CComVariant inbox;
    return explorers->Add(inbox, 0, explorer);
}

HRESULT OutlookHost::CollectOptionsPages(std::vector<OptionsPage>& pages)
{
    return static_cast<CApplication*>(m_application.p)->CollectOptionsPages(pages);
}

void OutlookHost::CloseWindows()
{
    static_cast<CApplication*>(m_application.p)->CloseWindows();
}

HRESULT ClickControl(_CommandBars* bars, const std::string& text)
{
    CCommandBars* own = dynamic_cast<CCommandBars*>(bars);
    if (!own)
        return E_INVALIDARG;
    for (bool byTag : {true, false}) {
        for (const CComPtr<CCommandBar>& bar : own->Bars()) {
            if (CControlNode* found = FindByText(*bar->Controls(), text, byTag))
                return found->AsControl()->Execute();
        }
    }
    return S_FALSE;
}

}  // namespace pollenta::outlook
