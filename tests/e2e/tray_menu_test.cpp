// The tray icon's pop-up menu: opened by a right-button release on the
// icon, at the cursor, with the "Settings" items; its commands reach the
// main window.
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/Probe.h"
#include "tests/e2e/tray_fixture.h"

using namespace tray_view;

namespace {

// An item as Lines shows it.
std::string Item(UINT id, const char* text)
{
    return "#" + std::to_string(id) + " " + text;
}

const std::vector<std::string> kSettingsMenu = {
    Item(ID_AUTO_RESUME, "&Auto Resume Downloads"),
    Item(ID_RUN_AT_STARTUP, "Run at &Startup"),
    "separator",
    Item(ID_LINK_SECURITY, "P2P Security - Tips and Tricks"),
    Item(ID_LINK_FILE_SHARING, "All About File Sharing"),
    Item(ID_LINK_ANONYMOUS, "Download Torrents Anonymously !"),
    Item(ID_LINK_MUSIC_OFFER, "eMusic: 25 Free MP3 Downloads!"),
    Item(ID_LINK_MEDIA, "Music, Games, Photos"),
    Item(ID_LINK_HELP, "Help"),
    Item(ID_APP_ABOUT_TRAY, "&About"),
    "separator",
    Item(ID_APP_EXIT_TRAY, "&Exit"),
};

std::vector<std::string> Lines(const ProbeMenu& menu)
{
    std::vector<std::string> lines;
    for (const ProbeMenuItem& item : menu.items) {
        if (item.separator)
            lines.push_back("separator");
        else
            lines.push_back("#" + std::to_string(item.id) + " " + item.text +
                            (item.checked ? " checked" : ""));
    }
    return lines;
}

void PostKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

class TrayMenu : public CTrayTest {
protected:
    void SetUp() override
    {
        CTrayTest::SetUp();
        if (HasFatalFailure())
            return;
        probe = std::make_unique<CProbe>(app->UiThread());
        ASSERT_TRUE(probe->Attached()) << probe->LastError();
    }

    std::optional<ProbeMenu> OpenedMenu()
    {
        auto menus = probe->WaitForOpenMenus(main, 1);
        if (!menus)
            return std::nullopt;
        return menus->front();
    }

    bool MenusClosed() { return probe->WaitForOpenMenus(main, 0).has_value(); }

    std::unique_ptr<CProbe> probe;
};

}  // namespace

TEST_F(TrayMenu, RightButtonReleaseOpensTheSettingsMenuAtTheCursor)
{
    const POINT at{300, 200};
    ASSERT_TRUE(PlaceCursor(at));
    app->Post(WM_TRAY_NOTIFY, kIconId, WM_RBUTTONUP);
    auto menu = OpenedMenu();
    ASSERT_TRUE(menu) << probe->LastError();
    EXPECT_EQ(kSettingsMenu, Lines(*menu));
    EXPECT_EQ(at.x, menu->rect.left);
    EXPECT_EQ(at.y, menu->rect.top);

    // The first item toggles the stored setting; the menu opened again shows it.
    PostKey(menu->window, VK_DOWN);
    PostKey(menu->window, VK_RETURN);
    ASSERT_TRUE(MenusClosed()) << probe->LastError();
    EXPECT_TRUE(WaitUntil([] {
        return e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads")
                   .value_or(0) == 1;
    }));

    app->Post(WM_TRAY_NOTIFY, kIconId, WM_RBUTTONUP);
    menu = OpenedMenu();
    ASSERT_TRUE(menu) << probe->LastError();
    ASSERT_FALSE(menu->items.empty());
    EXPECT_TRUE(menu->items[0].checked);
    app->Post(WM_CANCELMODE);
    ASSERT_TRUE(MenusClosed()) << probe->LastError();
    EXPECT_TRUE(app->Running());
    EXPECT_EQ(
        1u, e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads").value_or(0));
}

TEST_F(TrayMenu, RightClickOnTheIconInTheTaskbarOffersExitToTheHiddenWindow)
{
    app->Command(IDCANCEL);
    ASSERT_FALSE(IsWindowVisible(main));
    ASSERT_TRUE(Click(*Icon(), WM_RBUTTONUP));
    auto menu = OpenedMenu();
    ASSERT_TRUE(menu) << probe->LastError();
    EXPECT_EQ(kSettingsMenu, Lines(*menu));

    // Up from no selection lands on the last item, "&Exit".
    PostKey(menu->window, VK_UP);
    PostKey(menu->window, VK_RETURN);
    DWORD code = 1234;
    ASSERT_TRUE(app->WaitExit(5000, &code));
    EXPECT_EQ(0u, code);
}

TEST_F(TrayMenu, OtherMouseMessagesAndOtherIconsOpenNothing)
{
    EXPECT_EQ(0, app->Send(WM_TRAY_NOTIFY, kIconId + 1, WM_RBUTTONUP));
    for (UINT message : {WM_LBUTTONUP, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE})
        EXPECT_EQ(1, app->Send(WM_TRAY_NOTIFY, kIconId, message)) << message;
    e2e::Pump(200);
    auto menus = probe->OpenMenus(main);
    ASSERT_TRUE(menus) << probe->LastError();
    EXPECT_TRUE(menus->empty());
    EXPECT_TRUE(IsWindowVisible(main));
}
