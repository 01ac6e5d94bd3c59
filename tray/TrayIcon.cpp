#include "tray/TrayIcon.h"

#include "framework/WinApp.h"

// Placeholder bodies; the tray icon manager replaces them.
CTrayIcon::~CTrayIcon() = default;
BOOL CTrayIcon::Create(CWnd*, UINT, const char*, HICON, UINT, BOOL, DWORD, DWORD, DWORD, DWORD) { return FALSE; }
BOOL CTrayIcon::RemoveIcon() { return TRUE; }
LRESULT CTrayIcon::HandleNotification(WPARAM, LPARAM) { return 0; }
void CTrayIcon::PrepareMenu(HMENU) {}
CWnd* CTrayIcon::GetCommandTarget() const { return commandTarget ? commandTarget : AfxGetMainWnd(); }
void CTrayIcon::MinimizeToTray(CWnd* window, BOOL) { window->ModifyStyle(WS_VISIBLE, 0); }
void CTrayIcon::RestoreFromTray(CWnd* window, BOOL) { window->ModifyStyle(0, WS_VISIBLE); }
BOOL CTrayIcon::IsMinimizeAnimationOn() { return FALSE; }
BOOL CTrayIcon::HideTaskbarButton(CWnd*) { return FALSE; }
void CTrayIcon::GetNotificationAreaRect(RECT*) {}
LRESULT CTrayIcon::WindowProc(UINT msg, WPARAM w, LPARAM l) { return CWnd::WindowProc(msg, w, l); }
const MessageMap* CTrayIcon::GetMessageMap() const { return CWnd::GetMessageMap(); }
LRESULT CTrayIcon::OnSettingChange(WPARAM, LPARAM) { return 0; }
LRESULT CTrayIcon::OnTaskbarCreated(WPARAM, LPARAM) { return 0; }
void CTrayIcon::RetryPendingAdd() {}
