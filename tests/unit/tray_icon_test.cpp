// The icon record CTrayIcon hands to the shell, its hidden window, and the
// removal of the icon.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "tests/unit/tray_system_fakes.h"
#include "tests/unit/tray_test_windows.h"
#include "tray/TrayIcon.h"

namespace {

constexpr UINT kCallback = 32778;
constexpr UINT kIconId = 129;
// The record up to and including guidItem; handles widen it on x86_64.
constexpr DWORD kRecordSize = sizeof(void*) == 8 ? 520 : 504;

class TrayIconRecord : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.IsWindow()); }

    CFakeNotificationArea shell;
    CTestWindow owner;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
};

bool AllZero(const void* begin, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(begin);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0)
            return false;
    }
    return true;
}

}  // namespace

TEST_F(TrayIconRecord, CreateAddsTheIconWithFlagsSevenItsMessageAndTip)
{
    CTrayIcon tray;
    EXPECT_TRUE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 10));

    ASSERT_EQ(1u, shell.Requests().size());
    const ShellRequest& add = shell.Requests()[0];
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), add.message);
    const NOTIFYICONDATAA& record = add.record;
    EXPECT_EQ(kRecordSize, record.cbSize);
    EXPECT_EQ(owner.m_hWnd, record.hWnd);
    EXPECT_EQ(kIconId, record.uID);
    EXPECT_EQ(7u, record.uFlags);
    EXPECT_EQ(kCallback, record.uCallbackMessage);
    EXPECT_EQ(icon, record.hIcon);
    EXPECT_STREQ("Velorix", record.szTip);
    EXPECT_TRUE(AllZero(record.szTip + 7, sizeof record.szTip - 7));
    // Balloon texts, state and the item's identifier stay zero.
    const size_t tail = offsetof(NOTIFYICONDATAA, dwState);
    EXPECT_TRUE(AllZero(reinterpret_cast<const char*>(&record) + tail, kRecordSize - tail));

    // Its own window exists, hidden, even with a parent to receive callbacks.
    ASSERT_TRUE(tray.IsWindow());
    EXPECT_FALSE(tray.IsWindowVisible());
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP), tray.GetStyle() & (WS_POPUP | WS_CHILD | WS_CAPTION));
    EXPECT_EQ(nullptr, ::GetWindow(tray.m_hWnd, GW_OWNER));
}

TEST_F(TrayIconRecord, TipIsCutAt127Bytes)
{
    std::string tip;
    for (int i = 0; i < 200; ++i)
        tip += static_cast<char>('A' + i % 26);
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&owner, kCallback, tip.c_str(), icon, kIconId, FALSE, 0, 0, 0, 0));
    ASSERT_EQ(1u, shell.Requests().size());
    const NOTIFYICONDATAA& record = shell.Requests()[0].record;
    EXPECT_EQ(tip.substr(0, 127), std::string(record.szTip, 127));
    EXPECT_EQ('\0', record.szTip[127]);

    CTrayIcon exact;
    ASSERT_TRUE(exact.Create(&owner, kCallback, tip.substr(0, 127).c_str(), icon, kIconId + 1,
                             FALSE, 0, 0, 0, 0));
    EXPECT_EQ(tip.substr(0, 127), shell.Requests().back().record.szTip);
}

TEST_F(TrayIconRecord, WithoutAParentWindowTheIconsOwnWindowReceivesTheCallbacks)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(nullptr, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    EXPECT_EQ(tray.m_hWnd, shell.Requests().back().record.hWnd);

    CWnd noWindow;
    CTrayIcon second;
    ASSERT_TRUE(second.Create(&noWindow, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    EXPECT_EQ(second.m_hWnd, shell.Requests().back().record.hWnd);
}

TEST_F(TrayIconRecord, RemoveIconDeletesOnceAndDestructionRemovesTheIcon)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    shell.ForgetRequests();
    EXPECT_TRUE(tray.RemoveIcon());
    ASSERT_EQ(1u, shell.Requests().size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), shell.Requests()[0].message);
    EXPECT_EQ(0u, shell.Requests()[0].record.uFlags);
    EXPECT_EQ(owner.m_hWnd, shell.Requests()[0].record.hWnd);
    EXPECT_EQ(kIconId, shell.Requests()[0].record.uID);
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_EQ(1u, shell.Requests().size()) << "an icon already removed is not deleted again";

    HWND hidden = nullptr;
    {
        CTrayIcon scoped;
        ASSERT_TRUE(scoped.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
        hidden = scoped.m_hWnd;
        EXPECT_TRUE(shell.Holds(owner.m_hWnd, kIconId));
    }
    EXPECT_FALSE(shell.Holds(owner.m_hWnd, kIconId));
    EXPECT_FALSE(::IsWindow(hidden));
}

TEST_F(TrayIconRecord, ARefusedDeleteLeavesTheIconToRemoveLater)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    shell.refuseAll = true;
    EXPECT_FALSE(tray.RemoveIcon());
    shell.refuseAll = false;
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(shell.Holds(owner.m_hWnd, kIconId));
}

TEST_F(TrayIconRecord, HiddenCreationTalksToNoShell)
{
    CTrayIcon tray;
    EXPECT_TRUE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, TRUE, 0, 0, 0, 0));
    EXPECT_TRUE(tray.IsWindow());
    tray.SendMessage(CTrayIcon::taskbarCreatedMessage);
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_TRUE(shell.Requests().empty());
}

TEST_F(TrayIconRecord, ShellOlderThanVersionFourGetsNoWindowAndNoIcon)
{
    {
        CFakeSystemVersion version(3, 51);
        ASSERT_TRUE(version.Applied());
        CTrayIcon tray;
        EXPECT_FALSE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
        EXPECT_EQ(nullptr, tray.m_hWnd);
        EXPECT_TRUE(tray.RemoveIcon());
        EXPECT_TRUE(shell.Requests().empty());
    }
    CFakeSystemVersion version(4, 0);
    CTrayIcon tray;
    EXPECT_TRUE(tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    EXPECT_TRUE(tray.IsWindow());
    EXPECT_EQ(1u, shell.Count(NIM_ADD));
}
