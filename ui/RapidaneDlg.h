// CRapidaneDlg: the main window. A modal dialog that runs for the life of
// the program; its members are defined in ui/, one file per concern:
//   ui/RapidaneDlg.cpp           construction, data exchange, initialisation,
//                                message map, painting, menus, endings
//   ui/RapidaneDlgSettings.cpp   the registry settings and the Run-key entry
//   ui/DialogLinks.cpp           the client launcher, web links and updater
//   ui/RapidaneDlgStatistics.cpp interface list, panel refresh, clocks
//   ui/RapidaneDlgAccelerate.cpp accelerated mode and the address it watches
//   ui/RapidaneDlgPower.cpp      sleep and resume
//   ui/RapidaneDlgDisplay.cpp    the display's scale: the small icon
#pragma once
#include <winsock2.h>

#include "controls/TipButton.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Icon.h"
#include "framework/SingleInstance.h"
#include "net/AddressFollower.h"
#include "net/IfTableBuffer.h"
#include "net/InterfaceChoice.h"
#include "net/InterfaceList.h"
#include "net/NetworkChangeNotice.h"
#include "tray/TrayIcon.h"

class CRapidaneDlg : public CDialog {
public:
    // The window is published in instance, when given, for later starts
    // of the program to find.
    explicit CRapidaneDlg(CSingleInstance* instance = nullptr, CWnd* parent = nullptr);
    ~CRapidaneDlg() override;

    // Asks the window to come back from wherever it is and take the
    // foreground: what a later start of the program sends.
    static const UINT bringBackMessage;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    const MessageMap* GetMessageMap() const override;
    virtual void OnInitMenuPopup(HMENU popup, UINT index, BOOL systemMenu);

private:
    static constexpr UINT_PTR kStatusTimer = 1;       // refreshes the panel
    static constexpr UINT_PTR kAcceleratedTimer = 2;  // steps the accelerated clock
    static constexpr UINT kTimerPeriod = 1000;        // ms, both timers
    static constexpr UINT_PTR kResumeTimer = 3;       // looks again after a resume
    // Adapters come back some seconds after a resume, often with new indexes.
    static constexpr UINT kResumeLookAgainMs = 5000;
    // Ticks of timer 1 between two reads of the local addresses.
    static constexpr int kAddressPollTicks = 10;
    // Posted by the system's change notifications.
    static constexpr UINT kNetworkChangedMessage = WM_APP + 11;

    // Window messages and commands
    LRESULT OnSysCommand(WPARAM command, LPARAM l);
    void OnPaint();
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupMessage(WPARAM menu, LPARAM indexAndSystem);
    void OnMinimizeToTray();
    void OnAbout();
    LRESULT OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    void OnExit();
    LRESULT OnTimer(WPARAM timer, LPARAM);
    void OnQuit();
    LRESULT OnCtlColor(WPARAM dc, LPARAM control);
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM ending, LPARAM reason);
    LRESULT OnBringBack(WPARAM, LPARAM);
    void RestoreWindow();

    // Settings store and run-at-startup
    void LoadAutoResume();
    void LoadSettings();
    void LoadRunOtherApp();
    void SaveSettings();
    void OnAutoResumeDownloads();
    void OnUpdateAutoResumeDownloads(CCmdUI* ui);
    void OnRunAtStartup();
    void OnUpdateRunAtStartup(CCmdUI* ui);

    // Client launcher, links and updater
    void LaunchClient();
    void StartUpdater();
    void OnLinkSecurity();
    void OnLinkHelp();
    void OnLinkFileSharing();
    void OnLinkAnonymous();
    void OnLinkMusicOffer();
    void OnLinkMedia();

    // Connection and interface statistics
    void FillInterfaceList();
    int RefreshConnectionStatus();
    void TickConnectedTime();
    void TickAcceleratedTime();
    void OnSelchangeNetwork();
    void ShowInterfaceCounters();
    void LoadNetworkChoice(int storedPosition);
    void SaveNetworkChoice();
    // Reads the interface table; when its rows are other adapters than the
    // list was built from, rebuilds the list (forced: even when they are
    // not). False when the table could not be read.
    bool ReadInterfaceTable(bool forceRebuild = false);
    void RebuildInterfaceList();

    // Accelerated mode
    void OnAccelerate();
    void FollowLocalAddress();
    void FollowAddressOnTick();

    LRESULT OnNetworkChanged(WPARAM, LPARAM);

    // Sleep and resume
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM);
    void LookAgainAfterResume();

    // Display scale
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM suggested);
    // The application icon at the small icon size of dpi; false when it
    // could not be loaded.
    static bool LoadSmallIcon(int dpi, CIcon& icon);
    // The tray icon: the small one, or the large one in its stead.
    HICON SmallIcon() const { return m_smallIcon ? m_smallIcon : m_hIcon; }

    // The application icon at the system's large icon size: shared, never
    // destroyed.
    HICON m_hIcon;
    // At the small icon size of the window's DPI; outlives m_trayIcon,
    // which shows it.
    CIcon m_smallIcon;
    CSingleInstance* m_pInstance;
    bool m_bAutoResumeDownloads = false;
    bool m_bRunAtStartup = false;
    CComboBox m_cmbCheckPeriod;  // never attached to a control
    CTrayIcon m_trayIcon;
    CTipButton m_btnQuit;
    CTipButton m_btnMinimize;
    CTipButton m_btnAccelerate;
    CString m_strIfEntry;
    CString m_strBytesReceived;
    CString m_strBytesSent;
    CString m_strConnectedTime;
    CString m_strConnectionStatus;
    CTipButton m_btnRun;
    CString m_strConnectionType;
    bool m_bRunOtherApp = false;
    CString m_strCheckPeriodNum;
    CString m_strAccelerateN;
    CStatic m_lblConnectedTime;
    CStatic m_lblBytesSent;
    CStatic m_lblBytesReceived;
    CStatic m_lblConnectionType;
    CStatic m_lblConnectionStatus;
    CString m_strAccelerated;
    int m_nAccSecs = 0;
    int m_nAccMins = 0;
    int m_nAccHours = 0;
    int m_nConnHours = 0;
    int m_nConnMins = 0;
    int m_nConnSecs = 0;
    CIfTableBuffer m_ifTable;  // the interface table, reused by every refresh
    CComboBox m_cmbNetwork;
    int m_nNetwork = 0;  // -1 while the chosen adapter is gone
    // For each entry of m_cmbNetwork, its interface: the adapter it stands
    // for, and the index under which the table holds it now.
    CInterfaceList m_interfaces;
    InterfaceChoice m_choice;
    CAddressFollower m_addressFollower;
    CNetworkChangeNotice m_networkChange;
    int m_nTicksSinceAddressRead = 0;
    bool m_bWorkerEndSeen = false;
};
