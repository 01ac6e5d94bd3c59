// CTrayIcon: the application's icon in the taskbar's notification area, its
// pop-up menu, and the hiding of a window into the notification area.
//   tray/TrayIcon.cpp          the icon's life: creation, shell records,
//                              removal, the taskbar's restarts
//   tray/TrayNotification.cpp  the icon's mouse messages and pop-up menu
//   tray/TrayMinimize.cpp      hiding a window into the notification area
//   tray/NotificationArea.h    where the notification area is on screen
#pragma once
#include "framework/Controls.h"
#include "framework/Wnd.h"
#include "tray/ParkingWindow.h"

class CTrayIcon : public CWnd {
public:
    CTrayIcon() = default;
    ~CTrayIcon() override;

    // Adds the icon (unless createHidden). parent receives callbackMessage;
    // without one, the icon's own hidden window does. iconId is also the
    // menu resource whose first sub-menu is the pop-up menu. The caller keeps
    // the icon.
    BOOL Create(CWnd* parent, UINT callbackMessage, const char* tipText, HICON icon, UINT iconId,
                BOOL createHidden, DWORD reserved1, DWORD reserved2, DWORD reserved3,
                DWORD reserved4);
    BOOL RemoveIcon();
    // Shows icon from now on (the shell takes a copy). The caller keeps it
    // for as long as the tray icon lives: a re-add after the taskbar
    // restarts hands it to the shell again.
    BOOL SetIcon(HICON icon);

    // One callback message of the icon.
    virtual LRESULT HandleNotification(WPARAM iconId, LPARAM mouseMessage);
    // Called with the pop-up menu just before it is shown; the menu belongs
    // to the caller.
    virtual void PrepareMenu(HMENU menu);

    // Adds the icon again where the shell no longer holds it (a taskbar that
    // restarted unannounced); a shown icon that it holds stays as it is.
    void AddAgainIfLost();

    CWnd* GetCommandTarget() const;
    // Whether the icon is in the notification area now.
    BOOL IsIconShown() const { return enabled && !hidden; }
    // The icon's own screen rectangle, where the shell tells it (Windows 7
    // and later).
    BOOL GetIconRect(RECT* rect) const;

    // The animation aims at icon's own rectangle where the shell tells it,
    // otherwise at the notification area.
    static void MinimizeToTray(CWnd* window, BOOL forceAnimation, const CTrayIcon* icon = nullptr);
    static void RestoreFromTray(CWnd* window, BOOL forceAnimation, const CTrayIcon* icon = nullptr);
    static BOOL IsMinimizeAnimationOn();
    static BOOL HideTaskbarButton(CWnd* window);
    static void GetNotificationAreaRect(RECT* rect);

    // Class-wide objects, built during static initialisation (see
    // app/ProcessObjects.cpp for their place in the order).
    static const UINT taskbarCreatedMessage;
    static CParkingWindow parkingWindow;

protected:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override;
    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnSettingChange(WPARAM w, LPARAM l);
    LRESULT OnTaskbarCreated(WPARAM w, LPARAM l);
    LRESULT OnTimer(WPARAM timer, LPARAM l);
    void RetryPendingAdd();
    void SetAddFailed(BOOL failed);
    static void GetAnimationEnd(const CTrayIcon* icon, RECT* rect);
    // Without an icon a window hidden into the notification area could not
    // be brought back: each parked window goes back to the taskbar,
    // minimised, as if minimised while no icon was there.
    static void ReturnParkedWindowsToTaskbar();

    // One call of the shell each, with iconData as it stands.
    BOOL AddIcon();
    BOOL RefreshIcon();
    BOOL DeleteIcon();

    HMENU LoadPopupMenu(CMenu& menu) const;
    LRESULT ShowPopupMenu(CWnd& target);
    LRESULT PostDefaultCommand(CWnd& target);

    NOTIFYICONDATAA iconData{};
    BOOL enabled = FALSE;
    BOOL hidden = TRUE;
    BOOL removed = TRUE;
    BOOL addPending = FALSE;
    CWnd* commandTarget = nullptr;
    UINT defaultMenuItem = 0;
    BOOL defaultItemByPosition = FALSE;
    UINT creationFlags = 0;
    // The icon is hidden only because the shell refused it. A shell still
    // starting at logon refuses icons and may never announce its taskbar,
    // so a timer tries again every few seconds until it takes the icon,
    // besides the next taskbar announcement.
    BOOL addFailed = FALSE;
};
