#include "ui/AboutDlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

const MessageMap* CAboutDlg::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        DefaultFor(WM_ERASEBKGND),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, m_btnOK);
}
