// Modal dialogs and their data exchange.
#include <gtest/gtest.h>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "tests/support/ImportPatch.h"

namespace {

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(100) {}

    CString label = "pushed label";
    CString edit = "pushed edit";
    CButton button;
    bool bindMissingControl = false;
    bool pushSucceeded = false;
    std::string labelShown;
    HWND buttonAttached = nullptr;
    void (*whenOpen)(TestDialog&) = nullptr;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Text(dx, 1001, label);
        DDX_Text(dx, 1002, edit);
        DDX_Control(dx, 1003, button);
        if (bindMissingControl)
            DDX_Text(dx, 4711, label);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        pushSucceeded = UpdateData(FALSE) != FALSE;
        char text[64] = "";
        GetDlgItemTextA(m_hWnd, 1001, text, sizeof text);
        labelShown = text;
        buttonAttached = button.m_hWnd;
        if (whenOpen)
            whenOpen(*this);
        return TRUE;
    }
};

// Reads and writes of one control's text, counted.
HWND g_watched = nullptr;
int g_textCalls = 0;  // reads and writes of g_watched's text
// The system's functions: calls by name here would come back through the
// patched import table.
decltype(&::GetWindowTextA) g_getText = nullptr;
decltype(&::SetWindowTextA) g_setText = nullptr;

int WINAPI CountedGetText(HWND window, LPSTR text, int size)
{
    g_textCalls += window == g_watched;
    return g_getText(window, text, size);
}

BOOL WINAPI CountedSetText(HWND window, LPCSTR text)
{
    g_textCalls += window == g_watched;
    return g_setText(window, text);
}

std::string ShownText(HWND dialog, int id)
{
    char text[64] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

TEST(FrameworkDialog, PushFillsControlsAndOkPullsThemBack)
{
    TestDialog dialog;
    dialog.whenOpen = [](TestDialog& d) {
        SetDlgItemTextA(d.m_hWnd, 1002, "typed by the user");
        d.PostMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(dialog.pushSucceeded);
    EXPECT_EQ("pushed label", dialog.labelShown);
    EXPECT_NE(nullptr, dialog.buttonAttached);
    EXPECT_STREQ("typed by the user", dialog.edit);
    EXPECT_STREQ("pushed label", dialog.label);
    // The window is gone and the control object let go of it.
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, dialog.button.m_hWnd);
}

TEST(FrameworkDialog, AMissingControlFailsTheExchangeAndOkDoesNotEnd)
{
    TestDialog dialog;
    dialog.bindMissingControl = true;
    dialog.whenOpen = [](TestDialog& d) {
        d.PostMessage(WM_COMMAND, IDOK);
        d.PostMessage(WM_COMMAND, IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_FALSE(dialog.pushSucceeded);
}

TEST(FrameworkDialog, PushingUnchangedTextsLeavesALabelAloneAndResetsTypedText)
{
    TestDialog dialog;
    dialog.whenOpen = [](TestDialog& d) {
        d.EndDialog(IDOK);
        const CImportPatch read("user32.dll", "GetWindowTextA",
                                reinterpret_cast<const void*>(&CountedGetText));
        const CImportPatch write("user32.dll", "SetWindowTextA",
                                 reinterpret_cast<const void*>(&CountedSetText));
        ASSERT_TRUE(read.Applied() && write.Applied());
        g_getText = read.Original<decltype(g_getText)>();
        g_setText = write.Original<decltype(g_setText)>();
        g_watched = ::GetDlgItem(d.m_hWnd, 1001);
        g_textCalls = 0;
        ::SetDlgItemTextA(d.m_hWnd, 1002, "typed by the user");
        d.UpdateData(FALSE);
        d.UpdateData(FALSE);
        EXPECT_EQ(0, g_textCalls);
        EXPECT_EQ("pushed edit", ShownText(d.m_hWnd, 1002));
        g_watched = nullptr;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(FrameworkDialog, ALabelTextSetFromOutsideIsPulledAndAPushPutsTheMemberBack)
{
    TestDialog dialog;
    dialog.whenOpen = [](TestDialog& d) {
        d.EndDialog(IDOK);
        HWND label = ::GetDlgItem(d.m_hWnd, 1001);
        ::SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("from outside"));
        d.UpdateData(TRUE);
        EXPECT_STREQ("from outside", d.label);
        d.label = "pushed label";
        d.UpdateData(FALSE);
        EXPECT_EQ("pushed label", ShownText(d.m_hWnd, 1001));
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(FrameworkDialog, AComboBoxWithoutAControlTakesNoEntry)
{
    CComboBox unattached;
    EXPECT_EQ(CB_ERR, unattached.AddString("eth0"));
}

TEST(FrameworkDialog, EndDialogDuringInitialisationEndsAtOnce)
{
    TestDialog dialog;
    dialog.whenOpen = [](TestDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(42, dialog.DoModal());
}

namespace {

class HelpApp : public CWinApp {
public:
    int helps = 0;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {
            Command<&HelpApp::OnHelpCommand>(ID_HELP),
        };
        static const MessageMap map(CWinApp::GetMessageMap(), entries);
        return &map;
    }

private:
    void OnHelpCommand() { ++helps; }
};

}  // namespace

TEST(FrameworkDialog, CommandsTheDialogDoesNotHandleReachTheApplication)
{
    HelpApp app;
    TestDialog dialog;
    dialog.whenOpen = [](TestDialog& d) {
        d.SendMessage(WM_HELP);  // F1
        d.SendMessage(WM_COMMAND, ID_HELP);
        d.SendMessage(WM_COMMAND, 4242);  // nobody's: ignored
        d.EndDialog(7);
    };
    EXPECT_EQ(7, dialog.DoModal());
    EXPECT_EQ(2, app.helps);
}
