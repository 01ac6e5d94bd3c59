// CDialog: a modal dialog from a dialog template. The modal loop is the
// framework's own, so every queued message passes the PreTranslateMessage
// of the window it is addressed to and of that window's parents.
#pragma once
#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog; returns the value given to EndDialog, or -1 when the
    // window could not be created. Without a parent it is owned by the
    // application's main window, wherever that window is parked.
    INT_PTR DoModal();
    // Dialogs running modally inside this one end first, with IDCANCEL.
    void EndDialog(int result);
    // Runs the data exchange: pull when save is TRUE, push otherwise.
    BOOL UpdateData(BOOL save = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnCmdMsg(UINT id, UINT code) override;
    bool OnCmdUpdate(CCmdUI* ui) override;
    bool HasCommandHandler(UINT id) const override;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnHelpRequest(WPARAM, LPARAM);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    bool PreTranslateInput(MSG* msg);
    bool IsRunningModally() const;
    void StopModalLoop(int result);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bContinueModal = false;
    int m_nModalResult = -1;
    CDialog* m_pOuterModal = nullptr;  // the dialog whose modal loop this one's runs in
    CShownTexts m_shownTexts;          // of the window DoModal runs
};
