// A running Velorix whose icon the taskbar shows, for the tray tests. The
// program is ended with its own "&Exit" command, which removes its icon.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/e2e/Harness.h"
#include "tests/e2e/tray_shell_view.h"

class CTrayTest : public ::testing::Test {
protected:
    static constexpr char kTip[] = "Velorix";
    // The program gives its icon the number of the menu the icon opens.
    static constexpr UINT kIconId = IDR_TRAY_MENU;

    void SetUp() override
    {
        e2e::ResetUserState();
        ASSERT_NE(nullptr, tray_view::WaitForTaskbar()) << "no taskbar in this session";
        tray_view::SweepIconsOfEndedPrograms();
        ASSERT_TRUE(tray_view::ShownIconsWithTip(kTip).empty()) << "another Velorix shows its icon";
        app = std::make_unique<e2e::Velorix>();
        main = app->Main();
        ASSERT_NE(nullptr, main);
        ASSERT_TRUE(tray_view::WaitUntil([&] { return tray_view::ShellHoldsIcon(main, kIconId); }));
        ASSERT_TRUE(tray_view::WaitUntil([&] { return Icon().has_value(); }));
    }

    void TearDown() override
    {
        if (app && app->Running()) {
            app->Post(WM_COMMAND, ID_APP_EXIT_TRAY);
            app->WaitExit(5000);
        }
        app.reset();
    }

    // The program's icon in the taskbar.
    std::optional<tray_view::ShownIcon> Icon() const
    {
        const auto icons = tray_view::ShownIconsWithTip(kTip);
        if (icons.size() != 1)
            return std::nullopt;
        return icons.front();
    }

    std::unique_ptr<e2e::Velorix> app;
    HWND main = nullptr;
};
