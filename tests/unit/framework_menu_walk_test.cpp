// The command-update walk that runs before a pop-up menu shows.
#include <gtest/gtest.h>

#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"

namespace {

class Target : public CCmdTarget {
public:
    bool checked = true;
    int updatesOf10 = 0;
    int updatesOf12 = 0;
    HMENU removeFrom = nullptr;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {
            CommandUpdate<&Target::OnUpdate10>(10),
            CommandUpdate<&Target::OnUpdate11>(11),
            CommandUpdate<&Target::OnUpdate12>(12),
            Command<&Target::OnCommand>(20),
        };
        static const MessageMap map(CCmdTarget::GetMessageMap(), entries);
        return &map;
    }

private:
    void OnUpdate10(CCmdUI* ui)
    {
        ++updatesOf10;
        ui->SetCheck(checked);
    }
    void OnUpdate11(CCmdUI* ui)
    {
        // Takes itself and the item before it out of the menu.
        if (removeFrom) {
            RemoveMenu(removeFrom, ui->m_nIndex, MF_BYPOSITION);
            RemoveMenu(removeFrom, ui->m_nIndex - 1, MF_BYPOSITION);
        }
    }
    void OnUpdate12(CCmdUI* ui)
    {
        ++updatesOf12;
        ui->Enable(FALSE);
    }
    void OnCommand() {}
};

UINT State(HMENU menu, int position)
{
    return GetMenuState(menu, position, MF_BYPOSITION);
}

class FrameworkMenuWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        popup = CreatePopupMenu();
        sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 30, "no handler at all");
        AppendMenuA(popup, MF_STRING, 10, "checked by its handler");
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(popup, MF_STRING, 40, "no update handler");
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub-menu");
        AppendMenuA(popup, MF_STRING, 12, "disabled by its handler");
    }
    void TearDown() override { DestroyMenu(popup); }
    HMENU popup = nullptr;
    HMENU sub = nullptr;
    Target target;
};

}  // namespace

TEST_F(FrameworkMenuWalk, HandlersSetChecksAndItemsWithoutHandlersStayAsTheyAre)
{
    UpdateMenuItems(popup, nullptr, &target);
    EXPECT_EQ(1, target.updatesOf10);
    EXPECT_TRUE(State(popup, 0) & MF_CHECKED);
    EXPECT_FALSE(State(popup, 2) & (MF_GRAYED | MF_DISABLED));
    // A pop-up item is never disabled, even when nothing handles its items.
    EXPECT_FALSE(State(popup, 3) & (MF_GRAYED | MF_DISABLED));
    EXPECT_TRUE(State(popup, 4) & MF_GRAYED);

    target.checked = false;
    UpdateMenuItems(popup, nullptr, &target);
    EXPECT_FALSE(State(popup, 0) & MF_CHECKED);
}

TEST_F(FrameworkMenuWalk, AHandlerThatRemovesItemsDoesNotMakeTheWalkSkipOrOverrun)
{
    AppendMenuA(popup, MF_STRING, 11, "removes itself");
    AppendMenuA(popup, MF_STRING, 10, "after the removal");
    AppendMenuA(popup, MF_STRING, 12, "last");
    target.removeFrom = popup;
    UpdateMenuItems(popup, nullptr, &target);
    ASSERT_EQ(6, GetMenuItemCount(popup));
    EXPECT_EQ(2, target.updatesOf10);
    EXPECT_EQ(2, target.updatesOf12);
    EXPECT_TRUE(State(popup, 4) & MF_CHECKED);
    EXPECT_TRUE(State(popup, 5) & MF_GRAYED);
}
