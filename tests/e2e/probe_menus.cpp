// The probe reads pop-up and system menus of another process's UI thread.
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/probe_target_fixture.h"

namespace {

// One line per item, so a mismatch shows the whole menu. Separators come
// back grayed and disabled; the line leaves that out.
std::vector<std::string> Lines(const std::vector<ProbeMenuItem>& items)
{
    std::vector<std::string> lines;
    for (const ProbeMenuItem& item : items) {
        if (item.separator) {
            lines.push_back("separator");
            continue;
        }
        std::string line = item.text;
        if (!item.hasSubMenu)
            line = "#" + std::to_string(item.id) + " " + line;
        if (item.hasSubMenu)
            line += " submenu";
        if (item.checked)
            line += " checked";
        if (item.grayed)
            line += " grayed";
        if (item.disabled)
            line += " disabled";
        if (item.isDefault)
            line += " default";
        lines.push_back(line);
    }
    return lines;
}

bool WaitForItemText(const CProbeTargetProcess& target, int id, const std::string& expected)
{
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (target.ItemText(id) != expected && GetTickCount64() < deadline)
        Sleep(20);
    return target.ItemText(id) == expected;
}

void PostKey(HWND window, WPARAM key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

class ProbeMenus : public CProbeTargetTest {};

TEST_F(ProbeMenus, PopupMenuItemsStatesAndPosition)
{
    const HWND dialog = target.Dialog();
    auto before = probe->OpenMenus(dialog);
    ASSERT_TRUE(before) << probe->LastError();
    EXPECT_TRUE(before->empty());

    PostMessageA(dialog, WM_TARGET_OPEN_MENU, 200, 150);
    auto menus = probe->WaitForOpenMenus(dialog, 1);
    ASSERT_TRUE(menus) << probe->LastError();
    const ProbeMenu& menu = menus->front();
    EXPECT_EQ(menu.rect.left, 200);
    EXPECT_EQ(menu.rect.top, 150);
    EXPECT_GT(menu.rect.right, menu.rect.left);
    EXPECT_EQ(Lines(menu.items), (std::vector<std::string>{
                                     "#101 &Open default",
                                     "#102 &Checked checked",
                                     "#103 &Grayed grayed",
                                     "#104 &Disabled disabled",
                                     "separator",
                                     "&More submenu",
                                     "#105 &Last",
                                 }));

    PostMessageA(dialog, WM_CANCELMODE, 0, 0);
    auto after = probe->WaitForOpenMenus(dialog, 0);
    ASSERT_TRUE(after) << probe->LastError();
    EXPECT_EQ(target.ItemText(IDC_LAST_COMMAND), "0");
}

TEST_F(ProbeMenus, SubMenuOpensAsSecondWindowAndKeysChooseFromIt)
{
    const HWND dialog = target.Dialog();
    PostMessageA(dialog, WM_TARGET_OPEN_MENU, 100, 100);
    auto menus = probe->WaitForOpenMenus(dialog, 1);
    ASSERT_TRUE(menus) << probe->LastError();
    const HWND rootWindow = menus->front().window;
    // Down from no selection: four items, the separator skipped, then "&More".
    for (int i = 0; i < 5; ++i)
        PostKey(rootWindow, VK_DOWN);
    PostKey(rootWindow, VK_RIGHT);

    menus = probe->WaitForOpenMenus(dialog, 2);
    ASSERT_TRUE(menus) << probe->LastError();
    const ProbeMenu& root = (*menus)[0];
    const ProbeMenu& sub = (*menus)[1];
    EXPECT_EQ(root.window, rootWindow);
    ASSERT_EQ(root.items.size(), 7u);
    EXPECT_TRUE(root.items[5].highlighted);
    EXPECT_FALSE(root.items[0].highlighted);
    EXPECT_GT(sub.rect.left, root.rect.left);
    EXPECT_EQ(Lines(sub.items),
              (std::vector<std::string>{"#201 Sub &One", "#202 Sub &Two checked"}));

    PostKey(rootWindow, VK_DOWN);
    PostKey(rootWindow, VK_RETURN);
    ASSERT_TRUE(probe->WaitForOpenMenus(dialog, 0)) << probe->LastError();
    EXPECT_TRUE(WaitForItemText(target, IDC_LAST_COMMAND, std::to_string(IDM_SUB_TWO)))
        << target.ItemText(IDC_LAST_COMMAND);
}

TEST_F(ProbeMenus, SystemMenuEndsWithTheAddedItems)
{
    auto menu = probe->SystemMenu(target.Dialog());
    ASSERT_TRUE(menu) << probe->LastError();
    EXPECT_EQ(menu->window, nullptr);
    const std::vector<std::string> lines = Lines(menu->items);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"separator", "#16 &About Probe Target...",
                                        "#32 C&hecked Extra checked", "#48 &Grayed Extra grayed"}));
    bool hasClose = false;
    for (const ProbeMenuItem& item : menu->items)
        hasClose = hasClose || item.id == SC_CLOSE;
    EXPECT_TRUE(hasClose);
}

TEST_F(ProbeMenus, SystemMenuOpenedFromTheKeyboardIsAnOpenMenu)
{
    const HWND dialog = target.Dialog();
    PostMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
    auto menus = probe->WaitForOpenMenus(dialog, 1);
    ASSERT_TRUE(menus) << probe->LastError();
    auto systemMenu = probe->SystemMenu(dialog);
    ASSERT_TRUE(systemMenu) << probe->LastError();
    EXPECT_EQ(Lines(menus->front().items), Lines(systemMenu->items));

    // Whether or not the first item starts selected, one step up lands on the
    // last item ("&Grayed Extra"); two more reach "&About Probe Target...".
    const HWND menuWindow = menus->front().window;
    PostKey(menuWindow, VK_UP);
    PostKey(menuWindow, VK_UP);
    PostKey(menuWindow, VK_UP);
    PostKey(menuWindow, VK_RETURN);
    ASSERT_TRUE(probe->WaitForOpenMenus(dialog, 0)) << probe->LastError();
    EXPECT_TRUE(WaitForItemText(target, IDC_LAST_COMMAND, std::to_string(IDM_TARGET_ABOUT)))
        << target.ItemText(IDC_LAST_COMMAND);
}

TEST_F(ProbeMenus, RefusesWindowsOfOtherThreadsAndThreadZero)
{
    EXPECT_FALSE(probe->SystemMenu(GetDesktopWindow()));
    EXPECT_FALSE(probe->LastError().empty());
    EXPECT_FALSE(probe->OpenMenus(nullptr));

    CProbe global(0);
    EXPECT_FALSE(global.Attached());
    EXPECT_FALSE(global.OpenMenus(target.Dialog()));
}

}  // namespace
