#include "framework/Dialog.h"

#include "framework/Exception.h"
#include "framework/WinApp.h"

namespace {

// Modal loops of one thread nest: the innermost one is the one running.
thread_local CDialog* g_pInnermostModal = nullptr;

// The system makes the nearest ancestor that is not a child window the owner
// of a new top-level window; a window parked under a hidden popup is none.
HWND OwnerWindowFor(HWND window)
{
    while (window && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        window = ::GetAncestor(window, GA_PARENT);
    return window;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

const MessageMap* CDialog::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Command<&CDialog::OnOK>(IDOK),
        Command<&CDialog::OnCancel>(IDCANCEL),
        Message<&CDialog::OnHelpRequest>(WM_HELP),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM l)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    // From here on the dialog's messages pass through its message map first.
    auto* dialog = reinterpret_cast<CDialog*>(l);
    if (!dialog->SubclassWindow(hwnd))
        return TRUE;
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        TraceCaughtException("the dialog initialisation");
        return TRUE;
    }
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this && main->IsWindow())
            owner = main->m_hWnd;
    }
    owner = OwnerWindowFor(owner);
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);

    m_bContinueModal = true;
    m_nModalResult = -1;
    m_pOuterModal = g_pInnermostModal;
    g_pInnermostModal = this;
    m_shownTexts.Forget();
    HWND hwnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                     &DialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd && m_bContinueModal && !::IsWindowVisible(hwnd))
        ::ShowWindow(hwnd, SW_SHOWNORMAL);

    while (hwnd && m_bContinueModal) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateInput(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    g_pInnermostModal = m_pOuterModal;
    m_pOuterModal = nullptr;
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (hwnd) {
        // A hidden owner stays inactive: it would take the keyboard unseen.
        if (owner && ::GetActiveWindow() == hwnd && ::IsWindowVisible(owner))
            ::SetActiveWindow(owner);
        ::DestroyWindow(hwnd);
    }
    return m_nModalResult;
}

bool CDialog::PreTranslateInput(MSG* msg)
{
    // The window the message is for, then its parents up to the top level.
    for (HWND hwnd = msg->hwnd; hwnd;) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return true;
        if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
            break;
        hwnd = ::GetParent(hwnd);
    }
    return false;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // Keyboard navigation: Tab, arrows, Enter and Esc. A dialog that is not
    // shown takes no keys at all: they would press its buttons unseen.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return !::IsWindowVisible(m_hWnd) || ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

// The innermost loop is the one running: this dialog's loop could end only
// after those inside it, which would wait for the user.
void CDialog::EndDialog(int result)
{
    if (IsRunningModally()) {
        for (CDialog* inner = g_pInnermostModal; inner != this; inner = inner->m_pOuterModal)
            inner->StopModalLoop(IDCANCEL);
    }
    StopModalLoop(result);
}

bool CDialog::IsRunningModally() const
{
    for (const CDialog* dialog = g_pInnermostModal; dialog; dialog = dialog->m_pOuterModal) {
        if (dialog == this)
            return true;
    }
    return false;
}

void CDialog::StopModalLoop(int result)
{
    m_nModalResult = result;
    m_bContinueModal = false;
    // Wakes the modal loop in case no other message is on its way.
    if (m_hWnd)
        PostMessage(WM_NULL);
}

BOOL CDialog::UpdateData(BOOL save)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, save != FALSE, m_shownTexts);
    try {
        DoDataExchange(&dx);
    } catch (const CException&) {
        TraceCaughtException("the data exchange");
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

// F1: the help command, routed like any other command.
LRESULT CDialog::OnHelpRequest(WPARAM, LPARAM)
{
    OnCmdMsg(ID_HELP, 0);
    return TRUE;
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Commands and command updates that the dialog does not handle go on to the
// application object.
bool CDialog::OnCmdMsg(UINT id, UINT code)
{
    if (CWnd::OnCmdMsg(id, code))
        return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code);
}

bool CDialog::OnCmdUpdate(CCmdUI* ui)
{
    if (CWnd::OnCmdUpdate(ui))
        return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdUpdate(ui);
}

bool CDialog::HasCommandHandler(UINT id) const
{
    if (CWnd::HasCommandHandler(id))
        return true;
    const CWinApp* app = AfxGetApp();
    return app && app->HasCommandHandler(id);
}
