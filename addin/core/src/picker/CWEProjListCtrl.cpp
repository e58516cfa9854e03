#include "picker/CWEProjListCtrl.h"

#include "resources/KestrinPictures.h"

#include "IHubberly.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "ui/Messages.h"
#include "win/Locale.h"

namespace {

constexpr DWORD kCreateFailed = 0xE00022C5;
constexpr LONG kCompletedProjects = 1;

}  // namespace

BOOL CWEProjListCtrl::Init(CWELog& log)
{
    if (!m_images.GetSafeHandle() && m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0)) {
        HBITMAP bitmap = LoadKestrinBitmap(IDB_PROJECT);
        m_images.Add(bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    SetImageList(&m_images, LVSIL_SMALL);
    InsertColumn(0, "Projects", LVCFMT_LEFT);
    LoadProjects(log);
    return TRUE;
}

BOOL CWEProjListCtrl::LoadProjects(CWELog& log)
{
    CLSID clsid{};
    CComPtr<IUnknown> unknown;
    if (FAILED(CLSIDFromProgID(kHubberlyProgIDW, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown)))) {
        log.Write(kCreateFailed, {"Gastrel.Hubberly"});
        return FALSE;
    }
    CComQIPtr<IHubberly> hubberly(unknown.p);
    CComVariant projects;
    if (!hubberly || FAILED(hubberly->EnumProjects(kCompletedProjects, &projects)) || !(projects.vt & VT_ARRAY) ||
        !projects.parray)
        return FALSE;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(projects.parray, 1, &lower);
    SafeArrayGetUBound(projects.parray, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        LONG id = 0;
        CComBSTR name;
        if (SUCCEEDED(SafeArrayGetElement(projects.parray, &i, &id)) && SUCCEEDED(hubberly->GetProjectName(id, &name)))
            InsertSorted(id, name.ToString());
    }
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    return TRUE;
}

void CWEProjListCtrl::InsertSorted(LONG id, const std::string& name)
{
    int row = 0;
    while (row < GetItemCount() && lstrcmpi(GetItemText(row, 0).c_str(), name.c_str()) <= 0)
        ++row;
    m_items.push_back({id, name});
    row = InsertItem(row, name.c_str());
    SetItemData(row, static_cast<DWORD_PTR>(m_items.size() - 1));
}

LRESULT CWEProjListCtrl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool click = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
                       message == WM_RBUTTONDBLCLK;
    if (click && HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) < 0)
        return 1;
    return CListCtrl::OnMessage(message, wParam, lParam);
}

LONG CWEProjListCtrl::GetProjectId(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return 0;
    const DWORD_PTR index = GetItemData(row);
    return index < m_items.size() ? m_items[index].id : 0;
}
