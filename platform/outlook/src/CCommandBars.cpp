#include "CCommandBars.h"

#include "CollectionIndex.h"
#include "DispatchAccessors.h"

namespace pollenta::outlook {

namespace {

struct BuiltInControl {
    LONG type;
    LONG id;
    const char* caption;
};

struct BuiltInPopup {
    LONG id;
    const char* caption;
    std::vector<BuiltInControl> controls;
};

const std::vector<BuiltInPopup>& ExplorerMenus()
{
    static const std::vector<BuiltInPopup> menus = {
        {30002,
         "&File",
         {{msoControlButton, 1836, "&Open"},
          {msoControlButton, 748, "Save &As..."},
          {msoControlButton, 3037, "Impor&t and Export..."},
          {msoControlButton, 752, "E&xit"}}},
        {30003, "&Edit", {{msoControlButton, 19, "&Copy"}, {msoControlButton, 478, "&Delete"}}},
        {30004, "&View", {{msoControlButton, 1714, "Folder Li&st"}}},
        {30007, "&Tools", {{msoControlButton, 1744, "Address &Book..."}, {msoControlButton, 522, "&Options..."}}},
        {30131, "&Actions", {{msoControlButton, 1679, "New &Mail Message"}}},
        {30010, "&Help", {{msoControlButton, 927, "&About Mail Host"}}},
    };
    return menus;
}

const std::vector<BuiltInPopup>& InspectorMenus()
{
    static const std::vector<BuiltInPopup> menus = {
        {30002,
         "&File",
         {{msoControlButton, 2617, "&Send"},
          {msoControlButton, 3, "&Save"},
          {msoControlButton, 3037, "Propert&ies"},
          {msoControlButton, 106, "&Close"}}},
        {30003, "&Edit", {{msoControlButton, 19, "&Copy"}}},
        {30005, "&Insert", {{msoControlButton, 1079, "&File..."}}},
        {30007, "&Tools", {{msoControlButton, 522, "&Options..."}}},
        {30010, "&Help", {{msoControlButton, 927, "&About Mail Host"}}},
    };
    return menus;
}

void AddControls(CCommandBarControls* controls, const std::vector<BuiltInControl>& builtIns)
{
    for (const BuiltInControl& control : builtIns)
        AddControl(controls, control.type, control.id, control.caption);
}

void AddMenus(CCommandBarControls* menuBar, const std::vector<BuiltInPopup>& menus)
{
    for (const BuiltInPopup& menu : menus) {
        CControlNode* popup = AddControl(menuBar, msoControlPopup, menu.id, menu.caption);
        AddControls(popup->ChildControls(), menu.controls);
    }
}

}  // namespace

CCommandBars::CCommandBars(Window window) : m_updatePoint(this, IID__CommandBarsEvents)
{
    AddConnectionPoint(&m_updatePoint);
    const bool isExplorer = window == Window::Explorer;
    AddMenus(AddBar("Menu Bar")->Controls(), isExplorer ? ExplorerMenus() : InspectorMenus());
    AddControls(AddBar("Standard")->Controls(),
                isExplorer
                    ? std::vector<BuiltInControl>{{msoControlButton, 1679, "&New"}, {msoControlButton, 478, "&Delete"}}
                    : std::vector<BuiltInControl>{{msoControlButton, 2617, "&Send"},
                                                  {msoControlButton, 1079, "Insert &File..."}});
    for (const CComPtr<CCommandBar>& bar : m_bars)
        bar->Controls()->WatchedBy(this);
}

// A bar someone still holds tells nobody once its window's bars are gone.
CCommandBars::~CCommandBars()
{
    for (const CComPtr<CCommandBar>& bar : m_bars)
        bar->Controls()->WatchedBy(nullptr);
}

CCommandBar* CCommandBars::AddBar(const std::string& name)
{
    CComPtr<CCommandBar> bar;
    CCommandBar::CreateInstance(IID_CommandBar, reinterpret_cast<void**>(&bar), name);
    m_bars.push_back(bar);
    return bar;
}

void CCommandBars::ControlsChanged()
{
    m_updatePoint.Fire(DISPID_CommandBarsEvents_OnUpdate);
}

std::span<const pollenta::com::DispatchMember<CCommandBars>> CCommandBars::DispatchMembers()
{
    using T = CCommandBars;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x60030001, &GetLong<T, &T::get_Count>},
        {"Item", 0, &GetItem<T, CommandBar, &T::get_Item>},
        {"ActiveMenuBar", 0x60030000, &GetObject<T, CommandBar, &T::get_ActiveMenuBar>},
    };
    return members;
}

STDMETHODIMP CCommandBars::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_bars.size());
    return S_OK;
}

STDMETHODIMP CCommandBars::get_Item(VARIANT index, CommandBar** bar)
{
    if (!bar)
        return E_POINTER;
    *bar = nullptr;
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(
            index, m_bars.size(), [this](std::size_t i) { return m_bars[i]->Name(); }, position);
        FAILED(hr))
        return hr;
    *bar = m_bars[position].p;
    (*bar)->AddRef();
    return S_OK;
}

STDMETHODIMP CCommandBars::get_ActiveMenuBar(CommandBar** bar)
{
    if (!bar)
        return E_POINTER;
    *bar = m_bars.front().p;
    (*bar)->AddRef();
    return S_OK;
}

}  // namespace pollenta::outlook
