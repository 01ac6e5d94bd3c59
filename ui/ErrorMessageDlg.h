// CErrorMessageDlg: tells the user that the client is missing and offers a
// link to its download page. A click on the link, or Enter or Space on it,
// opens the page and ends the dialog as OK does.
#pragma once
#include "controls/HyperLink.h"
#include "framework/Dialog.h"

class CErrorMessageDlg : public CDialog {
public:
    // Owned by the application's main window.
    CErrorMessageDlg();
    ~CErrorMessageDlg() override;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    LRESULT OnSettingChange(WPARAM action, LPARAM);
    LRESULT OnDpiChanged(WPARAM dpi, LPARAM suggested);

private:
    CString m_strMessage;
    CHyperLink m_linkDownload;
    CString m_strAddress;
};
