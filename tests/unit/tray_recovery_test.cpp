// The icon across restarts of the shell's taskbar and changes of the work
// area, including a shell that refuses it for a while.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/tray_system_fakes.h"
#include "tests/unit/tray_test_windows.h"
#include "tray/TrayIcon.h"

namespace {

constexpr UINT kCallback = 32778;
constexpr UINT kIconId = 129;

class TrayIconRecovery : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0u, CTrayIcon::taskbarCreatedMessage);
        ASSERT_TRUE(owner.IsWindow());
    }

    BOOL CreateIcon()
    {
        return tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 10);
    }
    void TaskbarCreated() { EXPECT_EQ(0, tray.SendMessage(CTrayIcon::taskbarCreatedMessage)); }
    void WorkAreaChanged() { tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA); }
    bool Shown() const { return shell.Holds(owner.m_hWnd, kIconId); }

    CFakeNotificationArea shell;
    CTestWindow owner;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    CTrayIcon tray;
};

bool SameRecord(const NOTIFYICONDATAA& a, const NOTIFYICONDATAA& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST_F(TrayIconRecovery, NewTaskbarGetsTheIconAgainWithTheSameRecord)
{
    ASSERT_TRUE(CreateIcon());
    const NOTIFYICONDATAA first = shell.Requests()[0].record;
    shell.Restart();
    shell.ForgetRequests();

    TaskbarCreated();
    ASSERT_EQ(1u, shell.Requests().size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.Requests()[0].message);
    EXPECT_TRUE(SameRecord(first, shell.Requests()[0].record)) << "icon, tip, message and flags 7";
    EXPECT_TRUE(Shown());

    tray.RemoveIcon();
    EXPECT_FALSE(Shown());
}

TEST_F(TrayIconRecovery, AnIconTheShellStillHoldsIsKeptAndStaysShown)
{
    ASSERT_TRUE(CreateIcon());
    const NOTIFYICONDATAA first = shell.Requests()[0].record;
    shell.ForgetRequests();

    TaskbarCreated();
    ASSERT_EQ(2u, shell.Requests().size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.Requests()[0].message);
    EXPECT_FALSE(shell.Requests()[0].answer);
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), shell.Requests()[1].message);
    EXPECT_TRUE(SameRecord(first, shell.Requests()[1].record));
    EXPECT_TRUE(Shown());

    // Still counted as shown: a later new taskbar gets it again.
    shell.Restart();
    TaskbarCreated();
    EXPECT_TRUE(Shown());
}

TEST_F(TrayIconRecovery, WorkAreaChangeWhileShownMakesOneMoreAdd)
{
    ASSERT_TRUE(CreateIcon());
    shell.Restart();
    shell.ForgetRequests();
    WorkAreaChanged();
    ASSERT_EQ(1u, shell.Requests().size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.Requests()[0].message);
    EXPECT_EQ(7u, shell.Requests()[0].record.uFlags);

    shell.ForgetRequests();
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
    tray.SendMessage(WM_SETTINGCHANGE, 0);
    EXPECT_TRUE(shell.Requests().empty()) << "other settings leave the icon alone";
}

TEST_F(TrayIconRecovery, RefusedReAddHidesTheIconUntilTheNextTaskbar)
{
    ASSERT_TRUE(CreateIcon());
    shell.ForgetRequests();
    shell.refuseAll = true;
    WorkAreaChanged();
    EXPECT_EQ(1u, shell.Count(NIM_ADD));

    // Hidden now: work-area changes no longer try.
    shell.ForgetRequests();
    WorkAreaChanged();
    EXPECT_TRUE(shell.Requests().empty());

    shell.refuseAll = false;
    shell.Restart();
    TaskbarCreated();
    EXPECT_TRUE(Shown());
    shell.ForgetRequests();
    shell.Restart();
    WorkAreaChanged();
    EXPECT_EQ(1u, shell.Count(NIM_ADD)) << "shown again, so work-area changes try again";
}

TEST_F(TrayIconRecovery, IconRefusedAtCreationComesBackWithTheNextTaskbar)
{
    shell.refuseAll = true;
    EXPECT_FALSE(CreateIcon());
    EXPECT_FALSE(Shown());

    shell.refuseAll = false;
    shell.ForgetRequests();
    WorkAreaChanged();
    EXPECT_TRUE(shell.Requests().empty()) << "a work-area change does not add an icon not shown";

    TaskbarCreated();
    ASSERT_FALSE(shell.Requests().empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shell.Requests()[0].message);
    EXPECT_EQ(7u, shell.Requests()[0].record.uFlags);
    EXPECT_TRUE(Shown());

    // Recovered, it is removed like any other.
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(Shown());
}

TEST_F(TrayIconRecovery, RemovedIconStaysRemoved)
{
    ASSERT_TRUE(CreateIcon());
    ASSERT_TRUE(tray.RemoveIcon());
    shell.ForgetRequests();
    TaskbarCreated();
    WorkAreaChanged();
    EXPECT_TRUE(shell.Requests().empty());
    EXPECT_FALSE(Shown());
}
