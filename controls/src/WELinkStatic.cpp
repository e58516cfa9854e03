#include "controls/WELinkStatic.h"
#include "ui/MessageBox.h"
#include "win/Registry.h"
#include "win/Shell.h"

#include <vector>

namespace {

constexpr UINT kToolId = 1;

// Quotes an argument the way the command-line splitter reads it back as
// one word, whatever blanks or quotation marks it holds.
std::string QuoteArgument(const std::string& argument)
{
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

// The default value of a key of HKEY_CLASSES_ROOT.
bool ReadClassesValue(const std::string& subKey, size_t bufferSize, std::string& value)
{
    std::vector<char> buffer(bufferSize, '\0');
    LONG size = static_cast<LONG>(buffer.size());
    if (RegQueryValue(HKEY_CLASSES_ROOT, subKey.c_str(), buffer.data(), &size) != ERROR_SUCCESS)
        return false;
    buffer.back() = '\0';
    value = buffer.data();
    return true;
}

} // namespace

CWELinkStatic::CWELinkStatic()
    : m_crUnvisited(RGB(0, 0, 238)), m_crVisited(RGB(85, 26, 139)), m_crHover(GetSysColor(COLOR_HIGHLIGHT))
{
}

CWELinkStatic::~CWELinkStatic()
{
    if (m_hLinkFont) {
        if (IsWindow(m_hWnd))
            SetWindowFont(m_hWnd, nullptr, FALSE);
        DeleteObject(m_hLinkFont);
    }
    DestroyCursor(m_hHandCursor);
}

void CWELinkStatic::SetLinkTarget(LPCSTR target)
{
    m_strTarget = target ? target : "";
    if (IsWindow(m_hWnd)) {
        FitToText();
        m_ToolTip.UpdateTipText(m_strTarget.c_str(), m_hWnd, kToolId);
    }
}

void CWELinkStatic::PreSubclassWindow()
{
    SetWindowLong(m_hWnd, GWL_STYLE, GetWindowLong(m_hWnd, GWL_STYLE) | static_cast<LONG>(SS_NOTIFY));

    std::string text = GetWindowTextString(m_hWnd);
    if (m_strTarget.empty())
        m_strTarget = text;
    if (text.empty())
        SetWindowText(m_hWnd, m_strTarget.c_str());

    LOGFONT logFont{};
    GetObject(GetWindowFont(m_hWnd), sizeof(logFont), &logFont);
    logFont.lfUnderline = static_cast<BYTE>(m_bUnderline ? 1 : 0);
    // A link attached again (its dialog shown a second time) no longer needs
    // the font made for the window that has gone.
    if (m_hLinkFont)
        DeleteObject(m_hLinkFont);
    m_hLinkFont = CreateFontIndirect(&logFont);
    SetWindowFont(m_hWnd, m_hLinkFont, FALSE);

    FitToText();
    LoadHandCursor();

    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_ToolTip.Create(m_hWnd);
    m_ToolTip.AddTool(m_hWnd, m_strTarget.c_str(), &client, kToolId);
    CWnd::PreSubclassWindow();
}

HBRUSH CWELinkStatic::CtlColor(HDC dc, UINT)
{
    SetTextColor(dc, m_bHovering ? m_crHover : m_bVisited ? m_crVisited : m_crUnvisited);
#ifdef POLLENTA_CONTROLS_ADDIN
    SetBkMode(dc, TRANSPARENT);
#else
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
#endif
    return GetStockBrush(NULL_BRUSH);
}

BOOL CWELinkStatic::OnSetCursor(HWND, UINT, UINT)
{
    if (!m_hHandCursor)
        return FALSE;
    SetCursor(m_hHandCursor);
    return TRUE;
}

void CWELinkStatic::OnMouseMove(UINT flags, POINT point)
{
    CWnd::OnMouseMove(flags, point);
    const UINT repaint = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    if (!m_bHovering) {
        m_bHovering = TRUE;
        RedrawWindow(m_hWnd, nullptr, nullptr, repaint);
        SetCapture(m_hWnd);
        return;
    }
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (!PtInRect(&client, point)) {
        m_bHovering = FALSE;
        ReleaseCapture();
        RedrawWindow(m_hWnd, nullptr, nullptr, repaint);
    }
}

BOOL CWELinkStatic::OnChildCommand(UINT code)
{
    if (code != STN_CLICKED)
        return FALSE;
    OnClicked();
    return TRUE;
}

void CWELinkStatic::OnClicked()
{
    auto result = reinterpret_cast<INT_PTR>(OpenLinkTarget(m_strTarget.c_str(), SW_SHOW));
    m_bVisited = result > 32;
    if (m_bVisited) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    AfxMessageBox(GetErrorText(result).c_str(), MB_ICONEXCLAMATION);
}

HINSTANCE CWELinkStatic::OpenLinkTarget(LPCSTR target, int showCommand)
{
    HINSTANCE result = ShellExecute(nullptr, "open", target, nullptr, nullptr, showCommand);
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return result;

    std::string htmlClass;
    if (!ReadClassesValue(".htm", 260, htmlClass))
        return result;
    std::string command;
    if (!ReadClassesValue(htmlClass + "\\shell\\open\\command", 4096, command))
        return result;
    size_t cut = command.find("\"%1\"");
    if (cut == std::string::npos)
        cut = command.find("%1");
    if (cut != std::string::npos)
        command.erase(cut);
    // The target stays one argument, whatever it holds.
    command += " " + QuoteArgument(target ? target : "");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(WinExec(command.c_str(), static_cast<UINT>(showCommand))));
}

std::string CWELinkStatic::GetErrorText(INT_PTR code)
{
    std::string reason;
    switch (code) {
    case 0: reason = "The operating system is out\nof memory or resources."; break;
    case 2: reason = "The specified file was not found."; break;
    case 3: reason = "The specified path was not found."; break;
    case 5: reason = "The operating system denied\naccess to the specified file."; break;
    case 8: reason = "There was not enough memory to complete the operation."; break;
    case 11: reason = "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: reason = "A sharing violation occurred. "; break;
    case 27: reason = "The filename association is\nincomplete or invalid."; break;
    case 28: reason = "The DDE transaction could not\nbe completed because the request timed out."; break;
    case 29: reason = "The DDE transaction failed."; break;
    case 30: reason = "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."; break;
    case 31: reason = "There is no application associated\nwith the given filename extension."; break;
    case 32: reason = "The specified dynamic-link library was not found."; break;
    default: reason = "Unknown Error (" + std::to_string(code) + ") occurred."; break;
    }
    return "Unable to open hyperlink:\n\n" + reason;
}

void CWELinkStatic::FitToText()
{
    if (!m_bFitToText || !IsWindow(m_hWnd))
        return;
    std::string text = GetWindowTextString(m_hWnd);
    HDC dc = GetDC(m_hWnd);
    HFONT previous = SelectObject(dc, m_hLinkFont ? m_hLinkFont : GetWindowFont(m_hWnd));
    SIZE extent{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(m_hWnd, dc);

    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    DWORD style = static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE));
    if (style & SS_CENTERIMAGE) {
        rect.top += (rect.bottom - rect.top - extent.cy) / 2;
        rect.bottom = rect.top + extent.cy;
    } else {
        rect.bottom = rect.top + extent.cy;
    }
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        rect.left += (rect.right - rect.left - extent.cx) / 2;
        rect.right = rect.left + extent.cx;
        break;
    case SS_RIGHT:
        rect.left = rect.right - extent.cx;
        break;
    default:
        rect.right = rect.left + extent.cx;
        break;
    }
    SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER);
}

void CWELinkStatic::LoadHandCursor()
{
    if (!m_hHandCursor)
        m_hHandCursor = CopyCursor(LoadCursor(nullptr, IDC_HAND));
}
