// CAboutDlg: the About box, from the system menu and the tray menu.
#pragma once
#include "controls/TipButton.h"
#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    const MessageMap* GetMessageMap() const override;

private:
    CTipButton m_btnOK;  // no tip text is ever set on it
};
