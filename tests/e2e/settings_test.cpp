// The settings key and the Run-key entry, as the registry shows them.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/Harness.h"
#include "tests/e2e/Probe.h"
#include "tests/e2e/user_state_fixture.h"

using e2e::Velorix;

namespace {

class Settings : public e2e::CFreshUserTest {
protected:
    static std::optional<DWORD> Stored(const char* name)
    {
        return e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, name);
    }
};

// Opens the tray pop-up, reads the check mark of one item and closes it.
std::optional<bool> TrayMenuCheck(Velorix& app, UINT id)
{
    CProbe probe(app.UiThread());
    if (!probe.Attached())
        return std::nullopt;
    // The icon carries the number of the menu it opens.
    app.Post(WM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
    auto menus = probe.WaitForOpenMenus(app.Main(), 1);
    std::optional<bool> checked;
    if (menus) {
        for (const ProbeMenuItem& item : menus->front().items)
            if (item.id == id)
                checked = item.checked;
    }
    app.Post(WM_CANCELMODE);
    probe.WaitForOpenMenus(app.Main(), 0);
    return checked;
}

}  // namespace

TEST_F(Settings, FirstStartStoresNothingUntilMinimizedThenExactlyThreeValues)
{
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    app.Timer(1, 3);
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, e2e::kSettingsKey));

    app.Command(IDCANCEL);
    std::vector<std::string> names = e2e::ValueNames(HKEY_CURRENT_USER, e2e::kSettingsKey);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"AccelerateN", "CheckPeriodCombo", "CheckPeriodNum"}),
              names);
    EXPECT_EQ(12u, Stored("CheckPeriodNum"));
    EXPECT_EQ(0u, Stored("CheckPeriodCombo"));
    EXPECT_EQ(7u, Stored("AccelerateN"));
}

TEST_F(Settings, StoredValuesComeBackAndTheComboValueBecomesZero)
{
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "CheckPeriodCombo", 5);
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "CheckPeriodNum", 30);
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AccelerateN", static_cast<DWORD>(-4));
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    app.Command(IDCANCEL);
    EXPECT_EQ(0u, Stored("CheckPeriodCombo"));
    EXPECT_EQ(30u, Stored("CheckPeriodNum"));
    EXPECT_EQ(static_cast<DWORD>(-4), Stored("AccelerateN"));
}

TEST_F(Settings, ValuesOfTheWrongSizeTakeTheirDefaults)
{
    const char three[3] = {'a', 'b', 'c'};
    const unsigned char eight[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    e2e::SetValue(HKEY_CURRENT_USER, e2e::kSettingsKey, "CheckPeriodNum", REG_BINARY, three, 3);
    e2e::SetValue(HKEY_CURRENT_USER, e2e::kSettingsKey, "AccelerateN", REG_BINARY, eight, 8);
    e2e::SetValue(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads", REG_SZ, "1", 2);
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    app.Command(IDCANCEL);
    EXPECT_EQ(12u, Stored("CheckPeriodNum"));
    EXPECT_EQ(7u, Stored("AccelerateN"));
    EXPECT_EQ(std::optional<bool>(false), TrayMenuCheck(app, ID_AUTO_RESUME));
}

TEST_F(Settings, AutoResumeTogglesTheStoredValueAndTheCheckMark)
{
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(std::optional<bool>(false), TrayMenuCheck(app, ID_AUTO_RESUME));
    app.Command(ID_AUTO_RESUME);
    EXPECT_EQ(1u, Stored("AutoResumeDownloads"));
    EXPECT_EQ(std::optional<bool>(true), TrayMenuCheck(app, ID_AUTO_RESUME));
    app.Command(ID_AUTO_RESUME);
    EXPECT_EQ(0u, Stored("AutoResumeDownloads"));
    EXPECT_EQ(std::optional<bool>(false), TrayMenuCheck(app, ID_AUTO_RESUME));
}

TEST_F(Settings, AutoResumeIsReadAtStart)
{
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads", 7);
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(std::optional<bool>(true), TrayMenuCheck(app, ID_AUTO_RESUME));
}

TEST_F(Settings, RunAtStartupWritesTheShortcutEntryAndDeletesIt)
{
    const std::string folder = e2e::ScratchDir("run-at-startup");
    Velorix app(e2e::VelorixExe(), "", folder);
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(std::optional<bool>(false), TrayMenuCheck(app, ID_RUN_AT_STARTUP));
    app.Command(ID_RUN_AT_STARTUP);
    EXPECT_EQ("\"" + folder + "\\Velorix.lnk\" -tray",
              e2e::GetString(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix").value_or("<none>"));
    EXPECT_EQ(std::optional<bool>(true), TrayMenuCheck(app, ID_RUN_AT_STARTUP));
    app.Command(ID_RUN_AT_STARTUP);
    EXPECT_FALSE(e2e::GetString(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix").has_value());
    EXPECT_EQ(std::optional<bool>(false), TrayMenuCheck(app, ID_RUN_AT_STARTUP));
}

TEST_F(Settings, AForeignRunEntryOfAnotherTypeShowsCheckedAndIsDeleted)
{
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix", 1);
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(std::optional<bool>(true), TrayMenuCheck(app, ID_RUN_AT_STARTUP));
    app.Command(ID_RUN_AT_STARTUP);
    EXPECT_TRUE(e2e::ValueNames(HKEY_CURRENT_USER, e2e::kRunKey).end() ==
                std::find(e2e::ValueNames(HKEY_CURRENT_USER, e2e::kRunKey).begin(),
                          e2e::ValueNames(HKEY_CURRENT_USER, e2e::kRunKey).end(), "Velorix"));
}

TEST_F(Settings, ADirectoryTooLongForTheEntryWritesNone)
{
    // 250 characters: the folder fits the system's limits, but with
    // "\Velorix.lnk" it does not fit the 256-byte path buffer.
    std::string folder = e2e::ScratchDir("long");
    while (folder.size() < 250) {
        size_t left = 250 - folder.size() - 1;  // after the backslash
        size_t part = left > 60 ? 60 : left;
        if (left - part == 1)
            --part;  // keep room for a last backslash and a letter
        folder += std::string(1, '\\') + std::string(part, 'd');
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    ASSERT_EQ(250u, folder.size());
    Velorix app(e2e::VelorixExe(), "", folder);
    ASSERT_NE(nullptr, app.Main());
    app.Command(ID_RUN_AT_STARTUP);
    EXPECT_FALSE(e2e::GetString(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix").has_value());
}
