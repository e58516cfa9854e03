#include "Application.h"
#include "ControlWidgets.h"
#include "DialogWidget.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "HeadlessNotice.h"
#include "WindowTable.h"
#include "ui/Dialog.h"
#include "ui/DialogHook.h"

#include <QButtonGroup>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstring>

namespace {

RECT DialogUnitsToPixels(HWND dialog, short x, short y, short cx, short cy)
{
    RECT rect{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &rect);
    return rect;
}

HFONT TemplateFont(const DialogTemplate& dialog)
{
    LOGFONT logFont{};
    logFont.lfHeight = -static_cast<LONG>(std::lround(dialog.pointSize * 96.0 / 72.0));
    logFont.lfWeight = 400;
    std::strncpy(logFont.lfFaceName, dialog.fontName.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirect(&logFont);
}

// Over the owner when there is one, else in the middle of the screen.
QPoint CentredOrigin(HWND owner, QSize size)
{
    QRect area;
    RECT ownerRect;
    if (owner && GetWindowRect(owner, &ownerRect))
        area = QRect(QPoint(ownerRect.left, ownerRect.top), QPoint(ownerRect.right - 1, ownerRect.bottom - 1));
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::CDialog(const DialogTemplate& dialog, CWnd* parent) : m_pTemplate(&dialog), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

const DialogTemplate* CDialog::ResolveTemplate() const
{
    return m_pTemplate ? m_pTemplate : FindDialogTemplate(AfxGetResourceHandle(), m_nIDTemplate);
}

BOOL CDialog::CreateFromTemplate(bool modal)
{
    const DialogTemplate* dialog = ResolveTemplate();
    if (!dialog || m_hWnd || !EnsureApplication())
        return FALSE;
    m_bModal = modal;
    m_bEnded = false;
    m_nResult = -1;

    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    WindowRecord* parent = (dialog->style & WS_CHILD) ? FindRecord(owner) : nullptr;
    if ((dialog->style & WS_CHILD) && (!parent || !parent->widget))
        return FALSE;
    auto record = std::make_unique<WindowRecord>();
    record->className = "#32770";
    record->style = dialog->style;
    record->exStyle = dialog->exStyle;
    record->text = dialog->caption;
    record->parent = parent ? owner : nullptr;
    record->widget = new DialogWidget(parent ? parent->widget.data() : nullptr);
    record->handler = this;
    HWND hwnd = WindowTable::Instance().Add(std::move(record));
    m_hWnd = hwnd;

    WindowRecord* self = FindRecord(hwnd);
    QWidget* widget = self->widget;
    RECT client = DialogUnitsToPixels(hwnd, 0, 0, dialog->cx, dialog->cy);
    QSize size(client.right, client.bottom);
    if (parent) {
        RECT origin = DialogUnitsToPixels(hwnd, dialog->x, dialog->y, 0, 0);
        widget->setGeometry(QRect(QPoint(origin.left, origin.top), size));
    } else {
        widget->setGeometry(QRect(CentredOrigin(owner, size), size));
    }
    self->ownedFont = TemplateFont(*dialog);
    SetWindowFont(hwnd, self->ownedFont, FALSE);
    ShowWindowText(*self);
    self->reportedSize = size;
    self->reportedKind = SIZE_RESTORED;
    ApplyTrackLimits(*self);

    if (OnCreate() == -1) {
        DestroyWindow(hwnd);
        return FALSE;
    }
    QButtonGroup* radioGroup = nullptr;
    for (const DialogItem& item : dialog->items) {
        RECT rect = DialogUnitsToPixels(hwnd, item.x, item.y, item.cx, item.cy);
        CreateChildControl(hwnd, item.className, item.text, item.style, item.exStyle, item.id,
                           QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), radioGroup);
    }

    OnInitDialog();
    if (!FindRecord(hwnd))
        return FALSE;
    ApplyTrackLimits(*FindRecord(hwnd));
    if (modal)
        widget->setWindowModality(Qt::ApplicationModal);
    if ((modal || (dialog->style & WS_VISIBLE)) && !m_bEnded) {
        ShowWindow(hwnd, SW_SHOW);
        NotifyDialogShown(*this);
    }
    return FindRecord(hwnd) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* dialog = ResolveTemplate();
    if (dialog && CurrentDisplay() == DisplayKind::None) {
        // Nobody could end the dialog: it is told on stderr and cancelled.
        WriteHeadlessNotice(dialog->caption, "no display to show the dialog on; cancelled");
        return IDCANCEL;
    }
    if (!CreateFromTemplate(true))
        return -1;
    if (!m_bEnded && CurrentDisplay() == DisplayKind::Requested && !HasDialogShownHook()) {
        // Offscreen, only a test's hook could answer; without one the dialog
        // ends as it would with no display, once it has had its say at set-up.
        WriteHeadlessNotice(dialog->caption, "no display to show the dialog on; cancelled");
        m_nResult = IDCANCEL;
        m_bEnded = true;
    }
    if (!m_bEnded) {
        QEventLoop loop;
        m_pLoop = &loop;
        loop.exec();
        m_pLoop = nullptr;
    }
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    return m_nResult;
}

BOOL CDialog::Create(CWnd* parent)
{
    if (parent)
        m_pParentWnd = parent;
    return CreateFromTemplate(false);
}

void CDialog::EndDialog(int result)
{
    m_nResult = result;
    m_bEnded = true;
    if (m_pLoop)
        static_cast<QEventLoop*>(m_pLoop)->quit();
    else if (!m_bModal && m_hWnd)
        ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::OnCommand(int id, UINT code, HWND control)
{
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}
