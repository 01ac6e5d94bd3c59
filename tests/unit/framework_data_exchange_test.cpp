// The data exchange's texts: what a push costs the window system, and what
// it does when someone else has changed a control.
#include <gtest/gtest.h>

#include "framework/Dialog.h"
#include "tests/support/ImportPatch.h"

namespace {

constexpr int kLabel = 1001;  // a label and an edit field of the test dialog
constexpr int kEdit = 1002;

HWND g_watched = nullptr;
int g_textCalls = 0;  // reads and writes of g_watched's text
// The system's functions: calls by name here would come back through the
// patched import table.
decltype(&::GetWindowTextA) g_getText = nullptr;
decltype(&::GetWindowTextLengthA) g_getLength = nullptr;
decltype(&::SetWindowTextA) g_setText = nullptr;

int WINAPI CountedGetText(HWND window, LPSTR text, int size)
{
    g_textCalls += window == g_watched;
    return g_getText(window, text, size);
}

int WINAPI CountedGetLength(HWND window)
{
    g_textCalls += window == g_watched;
    return g_getLength(window);
}

BOOL WINAPI CountedSetText(HWND window, LPCSTR text)
{
    g_textCalls += window == g_watched;
    return g_setText(window, text);
}

class TextsDialog : public CDialog {
public:
    TextsDialog() : CDialog(100) {}

    CString label = "pushed label";
    CString edit = "pushed edit";
    void (*whenOpen)(TextsDialog&) = nullptr;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, kLabel, label);
        DDX_Text(dx, kEdit, edit);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        whenOpen(*this);
        EndDialog(IDOK);
        return TRUE;
    }
};

std::string ShownText(const TextsDialog& dialog, int id)
{
    char text[64] = "";
    ::GetDlgItemTextA(dialog.m_hWnd, id, text, sizeof text);
    return text;
}

}  // namespace

TEST(FrameworkDataExchange, PushingUnchangedTextsLeavesALabelAloneAndResetsTypedText)
{
    TextsDialog dialog;
    dialog.whenOpen = [](TextsDialog& d) {
        const CImportPatch read("user32.dll", "GetWindowTextA",
                                reinterpret_cast<const void*>(&CountedGetText));
        const CImportPatch length("user32.dll", "GetWindowTextLengthA",
                                  reinterpret_cast<const void*>(&CountedGetLength));
        const CImportPatch write("user32.dll", "SetWindowTextA",
                                 reinterpret_cast<const void*>(&CountedSetText));
        ASSERT_TRUE(read.Applied() && length.Applied() && write.Applied());
        g_getText = read.Original<decltype(g_getText)>();
        g_getLength = length.Original<decltype(g_getLength)>();
        g_setText = write.Original<decltype(g_setText)>();
        g_watched = ::GetDlgItem(d.m_hWnd, kLabel);
        g_textCalls = 0;
        ::SetDlgItemTextA(d.m_hWnd, kEdit, "typed by the user");
        d.UpdateData(FALSE);
        d.UpdateData(FALSE);
        EXPECT_EQ(0, g_textCalls);
        EXPECT_EQ("pushed edit", ShownText(d, kEdit));
        g_watched = nullptr;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST(FrameworkDataExchange, ALabelTextSetFromOutsideIsPulledAndAPushPutsTheMemberBack)
{
    TextsDialog dialog;
    dialog.whenOpen = [](TextsDialog& d) {
        HWND label = ::GetDlgItem(d.m_hWnd, kLabel);
        ::SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("from outside"));
        d.UpdateData(TRUE);
        EXPECT_STREQ("from outside", d.label);
        d.label = "pushed label";
        d.UpdateData(FALSE);
        EXPECT_EQ("pushed label", ShownText(d, kLabel));
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}
