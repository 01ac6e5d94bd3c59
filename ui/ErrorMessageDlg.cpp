#include "ui/ErrorMessageDlg.h"

#include "framework/Dpi.h"
#include "res/resource.h"
#include "ui/Addresses.h"

namespace {
constexpr COLORREF kLinkBackground = RGB(232, 232, 233);
}  // namespace

CErrorMessageDlg::CErrorMessageDlg()
    : CDialog(IDD_ERROR_MESSAGE),
      m_strMessage(
          "uTorrent is not installed on your PC!\nPlease install it first to use this option.")
{
    m_strAddress.Format("(%s)", kClientDownloadPage);
}

CErrorMessageDlg::~CErrorMessageDlg() = default;

const MessageMap* CErrorMessageDlg::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        // The link has opened the page by the time it reports the click.
        Command<&CErrorMessageDlg::OnOK>(IDC_DOWNLOAD_LINK, 0),
        Message<&CErrorMessageDlg::OnSettingChange>(WM_SETTINGCHANGE),
        Message<&CErrorMessageDlg::OnDpiChanged>(kDpiChangedMessage),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

void CErrorMessageDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ERROR_TEXT, m_strMessage);
    DDX_Control(dx, IDC_DOWNLOAD_LINK, m_linkDownload);
    DDX_Text(dx, IDC_DOWNLOAD_ADDRESS, m_strAddress);
}

BOOL CErrorMessageDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_linkDownload.SetLinkUrl(kClientDownloadPage);
    m_linkDownload.SetBackColor(kLinkBackground);
    return TRUE;
}

// The link reads the high-contrast state when it paints; turning the state
// on or off tells only top-level windows, and need not repaint anything.
LRESULT CErrorMessageDlg::OnSettingChange(WPARAM action, LPARAM)
{
    if (action == SPI_SETHIGHCONTRAST && m_linkDownload.m_hWnd)
        m_linkDownload.Invalidate(TRUE);
    return Default();
}

// The dialog manager scales the controls and the template font; the link's
// own font is the dialog's to scale.
LRESULT CErrorMessageDlg::OnDpiChanged(WPARAM dpi, LPARAM suggested)
{
    Default();
    MoveToSuggestedRect(m_hWnd, suggested);
    if (m_linkDownload.m_hWnd)
        m_linkDownload.SetDpi(DpiOfChange(dpi));
    return 0;
}
