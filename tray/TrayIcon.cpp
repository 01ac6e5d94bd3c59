#include "tray/TrayIcon.h"

#include <cstring>

#include "framework/MessageFilter.h"

namespace {

// The ANSI record up to and including guidItem, the layout of version 6 of
// the shell library.
constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V3_SIZE;
// Handles are 8 bytes and 8-aligned on 64-bit Windows, so the record differs.
#ifdef _WIN64
static_assert(kIconDataSize == 520, "the icon record is sent with cbSize 520");
#else
static_assert(kIconDataSize == 504, "the icon record is sent with cbSize 504");
#endif

constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The hidden window's timer that retries an icon the shell refused.
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryPeriod = 4000;  // ms

// At most sizeof tip - 1 bytes; the last byte stays zero.
void CopyTip(char (&tip)[sizeof NOTIFYICONDATAA::szTip], const char* text)
{
    const size_t length = text ? ::strnlen(text, sizeof tip - 1) : 0;
    if (length)
        std::memcpy(tip, text, length);
    tip[length] = '\0';
}

}  // namespace

CTrayIcon::~CTrayIcon()
{
    RemoveIcon();
    DestroyWindow();
}

BOOL CTrayIcon::Create(CWnd* parent, UINT callbackMessage, const char* tipText, HICON icon,
                       UINT iconId, BOOL createHidden, DWORD, DWORD, DWORD, DWORD)
{
    enabled = LOBYTE(LOWORD(::GetVersion())) >= 4;
    if (!enabled)
        return FALSE;

    CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);

    iconData = NOTIFYICONDATAA{};
    iconData.cbSize = kIconDataSize;
    iconData.hWnd = parent && parent->GetSafeHwnd() ? parent->GetSafeHwnd() : m_hWnd;
    iconData.uID = iconId;
    iconData.uFlags = kIconFlags;
    iconData.uCallbackMessage = callbackMessage;
    iconData.hIcon = icon;
    CopyTip(iconData.szTip, tipText);

    AllowMessageFromLowerRights(m_hWnd, taskbarCreatedMessage);
    AllowMessageFromLowerRights(iconData.hWnd, callbackMessage);

    hidden = createHidden;
    creationFlags = kIconFlags;
    if (createHidden)
        return TRUE;

    const BOOL added = AddIcon();
    removed = hidden = addPending = !added;
    SetAddFailed(!added);
    return added;
}

BOOL CTrayIcon::RemoveIcon()
{
    addPending = FALSE;
    SetAddFailed(FALSE);
    if (!enabled || removed)
        return TRUE;
    iconData.uFlags = 0;
    if (DeleteIcon())
        hidden = removed = TRUE;
    return removed;
}

BOOL CTrayIcon::SetIcon(HICON icon)
{
    iconData.hIcon = icon;
    // An icon that is not in the notification area takes it when added.
    if (!IsIconShown())
        return TRUE;
    iconData.uFlags = NIF_ICON;
    return RefreshIcon();
}

BOOL CTrayIcon::AddIcon()
{
    return ::Shell_NotifyIconA(NIM_ADD, &iconData);
}

BOOL CTrayIcon::RefreshIcon()
{
    return ::Shell_NotifyIconA(NIM_MODIFY, &iconData);
}

BOOL CTrayIcon::DeleteIcon()
{
    return ::Shell_NotifyIconA(NIM_DELETE, &iconData);
}

// The callback message reaches this window only when there was no parent to
// receive it.
LRESULT CTrayIcon::WindowProc(UINT msg, WPARAM w, LPARAM l)
{
    if (msg == iconData.uCallbackMessage)
        return HandleNotification(w, l);
    return CWnd::WindowProc(msg, w, l);
}

const MessageMap* CTrayIcon::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Message<&CTrayIcon::OnSettingChange>(WM_SETTINGCHANGE),
        RegisteredMessage<&CTrayIcon::OnTaskbarCreated>(&taskbarCreatedMessage),
        Message<&CTrayIcon::OnTimer>(WM_TIMER),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

// A new work area may come with a new taskbar.
LRESULT CTrayIcon::OnSettingChange(WPARAM w, LPARAM)
{
    const LRESULT result = Default();
    if (w == SPI_SETWORKAREA) {
        addPending = !hidden;
        RetryPendingAdd();
    }
    return result;
}

void CTrayIcon::AddAgainIfLost()
{
    addPending = !hidden || addFailed;
    RetryPendingAdd();
}

// The shell's taskbar was (re)created and knows no icons.
LRESULT CTrayIcon::OnTaskbarCreated(WPARAM, LPARAM)
{
    addPending = TRUE;
    RetryPendingAdd();
    return 0;
}

LRESULT CTrayIcon::OnTimer(WPARAM timer, LPARAM)
{
    if (timer == kRetryTimer && addFailed) {
        addPending = TRUE;
        RetryPendingAdd();
    }
    return 0;
}

// A refused icon is tried again on the timer until the shell takes it.
void CTrayIcon::SetAddFailed(BOOL failed)
{
    addFailed = failed;
    if (!m_hWnd)
        return;
    if (addFailed)
        SetTimer(kRetryTimer, kRetryPeriod);
    else
        KillTimer(kRetryTimer);
}

void CTrayIcon::RetryPendingAdd()
{
    if (!addPending || (hidden && !addFailed))
        return;
    iconData.uFlags = creationFlags;
    // A shell that still holds the icon refuses to add it again; bringing
    // the held one up to date keeps it.
    const BOOL registered = AddIcon() || RefreshIcon();
    hidden = addPending = !registered;
    SetAddFailed(!registered);
    // An icon recovered after a failed add is registered now, and is removed
    // with this object like any other.
    if (registered)
        removed = FALSE;
    else
        ReturnParkedWindowsToTaskbar();
}
