#include "ui/RapidaneDlg.h"

#include "framework/CmdUI.h"
#include "framework/Dc.h"
#include "framework/Dpi.h"
#include "framework/Exception.h"
#include "framework/MessageFilter.h"
#include "framework/OwnedWindows.h"
#include "framework/WinApp.h"
#include "net/CaptureSocket.h"
#include "net/LocalAddresses.h"
#include "res/resource.h"
#include "ui/AboutDlg.h"

const UINT CRapidaneDlg::bringBackMessage = ::RegisterWindowMessageA("Velorix.BringBack");

CRapidaneDlg::CRapidaneDlg(CSingleInstance* instance, CWnd* parent)
    : CDialog(IDD_VELORIX_DIALOG, parent), m_pInstance(instance),
      m_strAccelerated(" 0 hrs :  0 mins :  0 secs"),
      m_addressFollower(g_AcceleratedMode, &OpenCaptureSocket)
{
    // Each size from the icon resource's own image for it, not one image
    // scaled by the shell: the large one is drawn when the window is
    // minimised, the small one is the tray icon. The window's caption keeps
    // no icon.
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    LoadSmallIcon(SystemDpi(), m_smallIcon);
    LoadAutoResume();
}

CRapidaneDlg::~CRapidaneDlg() = default;

const MessageMap* CRapidaneDlg::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Message<&CRapidaneDlg::OnSysCommand>(WM_SYSCOMMAND),
        Message<&CRapidaneDlg::OnPaint>(WM_PAINT),
        Message<&CRapidaneDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        Message<&CRapidaneDlg::OnInitMenuPopupMessage>(WM_INITMENUPOPUP),
        Command<&CRapidaneDlg::OnMinimizeToTray>(IDCANCEL),
        Command<&CRapidaneDlg::OnAbout>(ID_APP_ABOUT_TRAY),
        CommandUpdate<&CRapidaneDlg::OnUpdateAutoResumeDownloads>(ID_AUTO_RESUME),
        Command<&CRapidaneDlg::OnAutoResumeDownloads>(ID_AUTO_RESUME),
        Command<&CRapidaneDlg::OnRunAtStartup>(ID_RUN_AT_STARTUP),
        CommandUpdate<&CRapidaneDlg::OnUpdateRunAtStartup>(ID_RUN_AT_STARTUP),
        Message<&CRapidaneDlg::OnTrayNotification>(WM_TRAY_NOTIFY),
        Command<&CRapidaneDlg::OnExit>(ID_APP_EXIT_TRAY),
        Command<&CRapidaneDlg::OnAccelerate>(IDC_ACCELERATE),
        Message<&CRapidaneDlg::OnTimer>(WM_TIMER),
        Command<&CRapidaneDlg::LaunchClient>(IDC_RUN_CLIENT),
        Command<&CRapidaneDlg::OnQuit>(IDC_QUIT),
        MessageRange<&CRapidaneDlg::OnCtlColor>(WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC),
        DefaultFor(WM_ERASEBKGND),
        IgnoreCommand(IDC_CONNECTION_TYPE),
        Command<&CRapidaneDlg::OnLinkSecurity>(ID_LINK_SECURITY),
        Command<&CRapidaneDlg::OnLinkHelp>(ID_LINK_HELP),
        Command<&CRapidaneDlg::OnLinkFileSharing>(ID_LINK_FILE_SHARING),
        Command<&CRapidaneDlg::OnSelchangeNetwork>(IDC_NETWORK, CBN_SELCHANGE),
        Command<&CRapidaneDlg::OnLinkAnonymous>(ID_LINK_ANONYMOUS),
        Command<&CRapidaneDlg::OnLinkMusicOffer>(ID_LINK_MUSIC_OFFER),
        Command<&CRapidaneDlg::OnLinkMedia>(ID_LINK_MEDIA),
        Message<&CRapidaneDlg::OnQueryEndSession>(WM_QUERYENDSESSION),
        Message<&CRapidaneDlg::OnEndSession>(WM_ENDSESSION),
        RegisteredMessage<&CRapidaneDlg::OnBringBack>(&bringBackMessage),
        Message<&CRapidaneDlg::OnNetworkChanged>(kNetworkChangedMessage),
        Message<&CRapidaneDlg::OnPowerBroadcast>(WM_POWERBROADCAST),
        Message<&CRapidaneDlg::OnDpiChanged>(kDpiChangedMessage),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

void CRapidaneDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDCANCEL, m_btnMinimize);
    DDX_Control(dx, IDC_ACCELERATE, m_btnAccelerate);
    DDX_Control(dx, IDC_QUIT, m_btnQuit);
    DDX_Text(dx, IDC_BYTES_RECEIVED, m_strBytesReceived);
    DDX_Text(dx, IDC_BYTES_SENT, m_strBytesSent);
    DDX_Text(dx, IDC_CONNECTED_TIME, m_strConnectedTime);
    DDX_Text(dx, IDC_CONNECTION_STATUS, m_strConnectionStatus);
    DDX_Control(dx, IDC_RUN_CLIENT, m_btnRun);
    DDX_Text(dx, IDC_CONNECTION_TYPE, m_strConnectionType);
    DDX_Control(dx, IDC_CONNECTED_TIME, m_lblConnectedTime);
    DDX_Control(dx, IDC_BYTES_SENT, m_lblBytesSent);
    DDX_Control(dx, IDC_BYTES_RECEIVED, m_lblBytesReceived);
    DDX_Control(dx, IDC_CONNECTION_TYPE, m_lblConnectionType);
    DDX_Control(dx, IDC_CONNECTION_STATUS, m_lblConnectionStatus);
    DDX_Text(dx, IDC_ACCELERATED_TIME, m_strAccelerated);
    DDX_Control(dx, IDC_NETWORK, m_cmbNetwork);
}

// Each step that can fail runs alone: whatever one of them throws is traced
// and the steps after it still run, so the window never opens half set up.
// Data exchange catches and traces its own failures.
BOOL CRapidaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A later start may run without the administrator rights this one has.
    AllowMessageFromLowerRights(m_hWnd, bringBackMessage);
    if (m_pInstance)
        m_pInstance->Publish(m_hWnd);

    if (HMENU systemMenu = GetSystemMenu(FALSE)) {
        char about[128] = "";
        if (::LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about) > 0) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    RunGuarded("start-up: settings", [this] { LoadSettings(); });
    RunGuarded("start-up: interface list", [this] { FillInterfaceList(); });
    RunGuarded("start-up: updater", [this] { StartUpdater(); });
    SetTimer(kStatusTimer, kTimerPeriod);
    CenterWindow();
    RunGuarded("start-up: tray icon", [this] {
        m_trayIcon.Create(this, WM_TRAY_NOTIFY, "Velorix", SmallIcon(), IDR_TRAY_MENU, FALSE, 0, 0,
                          0, 10);
    });

    RunGuarded("start-up: tooltips", [this] {
        CString tip;
        tip.Format("Run %s", "uTorrent");
        m_btnRun.SetTipText(tip, TRUE);
        tip.Format("Accelerate %s", "uTorrent");
        m_btnAccelerate.SetTipText(tip, TRUE);
        m_btnQuit.SetTipText("Exit", TRUE);
        m_btnMinimize.SetTipText("Save", TRUE);
    });

    RunGuarded("start-up: client", [this] {
        LoadRunOtherApp();
        if (m_bRunOtherApp)
            LaunchClient();
    });

    WSADATA wsa;
    ::WSAStartup(MAKEWORD(1, 1), &wsa);
    RunGuarded("start-up: local addresses", [] {
        g_nLocalAddresses = BuildLocalAddressList(g_LocalAddresses, kMaxLocalAddresses);
    });
    RunGuarded("start-up: accelerated mode", [this] { OnAccelerate(); });
    m_networkChange.Start(m_hWnd, kNetworkChangedMessage);
    m_btnAccelerate.SetCheck(BST_CHECKED);
    return TRUE;
}

LRESULT CRapidaneDlg::OnSysCommand(WPARAM command, LPARAM)
{
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return 0;
    }
    return Default();
}

void CRapidaneDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

LRESULT CRapidaneDlg::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

LRESULT CRapidaneDlg::OnInitMenuPopupMessage(WPARAM menu, LPARAM indexAndSystem)
{
    Default();
    OnInitMenuPopup(reinterpret_cast<HMENU>(menu), LOWORD(indexAndSystem), HIWORD(indexAndSystem));
    return 0;
}

// The tray menu is shown with this window as its owner; the command-update
// walk that sets its check marks runs here, as the window has no menu bar.
void CRapidaneDlg::OnInitMenuPopup(HMENU popup, UINT, BOOL)
{
    UpdateMenuItems(popup, nullptr, this);
}

void CRapidaneDlg::OnMinimizeToTray()
{
    SaveSettings();
    // A window hidden while no icon is in the notification area could not
    // be brought back: until the shell takes the icon, the taskbar keeps it.
    if (m_trayIcon.IsIconShown())
        CTrayIcon::MinimizeToTray(this, FALSE, &m_trayIcon);
    else
        ShowWindow(SW_MINIMIZE);
}

void CRapidaneDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

// The icon's handling takes the foreground for its command first, so the
// window that comes back keeps it.
LRESULT CRapidaneDlg::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage)
{
    const LRESULT handled = m_trayIcon.HandleNotification(iconId, mouseMessage);
    if (mouseMessage == WM_LBUTTONDBLCLK)
        RestoreWindow();
    return handled;
}

// A box this window has open (About) comes back in front of it.
void CRapidaneDlg::RestoreWindow()
{
    CTrayIcon::RestoreFromTray(this, FALSE, &m_trayIcon);
    // Minimised to the taskbar while the shell had no icon for it.
    if (IsIconic())
        ShowWindow(SW_RESTORE);
    ::SetForegroundWindow(FrontOwnedWindow(m_hWnd));
}

LRESULT CRapidaneDlg::OnBringBack(WPARAM, LPARAM)
{
    RestoreWindow();
    return 0;
}

void CRapidaneDlg::OnExit()
{
    KillTimer(kStatusTimer);
    EndDialog(0);
}

LRESULT CRapidaneDlg::OnTimer(WPARAM timer, LPARAM)
{
    if (timer == kStatusTimer)
        RefreshConnectionStatus();
    else if (timer == kAcceleratedTimer)
        TickAcceleratedTime();
    else if (timer == kResumeTimer)
        LookAgainAfterResume();
    return 0;
}

void CRapidaneDlg::OnQuit()
{
    KillTimer(kStatusTimer);
    CDialog::OnCancel();
}

// Labels draw their text over the window's own background, in the text
// colour the system gives a static control by default: a high-contrast
// scheme's background may be black.
LRESULT CRapidaneDlg::OnCtlColor(WPARAM dc, LPARAM)
{
    if (GetCurrentMessage().message != WM_CTLCOLORSTATIC)
        return Default();
    ::SetTextColor(reinterpret_cast<HDC>(dc), ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

LRESULT CRapidaneDlg::OnQueryEndSession(WPARAM, LPARAM)
{
    return TRUE;
}

// After this returns the system may end the process at any moment, without
// its exit: what the exit writes is written now. A program asked to close
// for an update (ENDSESSION_CLOSEAPP) is expected to end itself, as Exit
// does; ending the dialog also closes a box it has open.
LRESULT CRapidaneDlg::OnEndSession(WPARAM ending, LPARAM reason)
{
    if (!ending)
        return 0;
    AfxGetApp()->SaveForSessionEnd();
    if (reason & ENDSESSION_CLOSEAPP)
        OnExit();
    return 0;
}
