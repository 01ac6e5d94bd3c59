// The probe reads tooltip tools of another process and sends messages there.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/e2e/probe_target_fixture.h"
// After the fixture, which brings windows.h.
#include <commctrl.h>

namespace {

const ProbeTool* FindByText(const std::vector<ProbeTool>& tools, const std::string& text)
{
    auto found = std::find_if(tools.begin(), tools.end(),
                              [&](const ProbeTool& tool) { return tool.text == text; });
    return found == tools.end() ? nullptr : &*found;
}

class ProbeTooltips : public CProbeTargetTest {
protected:
    const ProbeTool* ButtonTool(std::vector<ProbeTool>& holder, const std::string& text)
    {
        auto tools = probe->Tools(target.Item(IDC_TIP_BUTTON));
        if (!tools)
            return nullptr;
        holder = *tools;
        return FindByText(holder, text);
    }
};

TEST_F(ProbeTooltips, ButtonToolsComeFromEveryTooltipByWindowOrIdentifier)
{
    const HWND button = target.Item(IDC_TIP_BUTTON);
    auto tools = probe->Tools(button);
    ASSERT_TRUE(tools) << probe->LastError();
    // The dialog's own tool in the first tooltip belongs to neither.
    ASSERT_EQ(tools->size(), 2u);

    const ProbeTool* byWindow = FindByText(*tools, "Save");
    const ProbeTool* byId = FindByText(*tools, "Second tip");
    ASSERT_TRUE(byWindow && byId);
    EXPECT_EQ(byWindow->flags, 0u);
    EXPECT_EQ(byWindow->hwnd, button);
    EXPECT_EQ(byWindow->id, static_cast<UINT_PTR>(TARGET_BUTTON_TOOL_ID));
    RECT client{};
    GetClientRect(button, &client);
    EXPECT_TRUE(EqualRect(&byWindow->rect, &client));
    EXPECT_FALSE(byWindow->textIsCallback);
    EXPECT_FALSE(byWindow->tooltipVisible);

    EXPECT_EQ(byId->flags, static_cast<UINT>(TTF_IDISHWND));
    EXPECT_EQ(byId->hwnd, target.Dialog());
    EXPECT_EQ(byId->id, reinterpret_cast<UINT_PTR>(button));
    EXPECT_NE(byId->tooltip, byWindow->tooltip);
    EXPECT_EQ(GetWindow(byWindow->tooltip, GW_OWNER), target.Dialog());
}

TEST_F(ProbeTooltips, CallbackTextIsReportedAsSuch)
{
    const HWND label = target.Item(IDC_CALLBACK_LABEL);
    auto tools = probe->Tools(label);
    ASSERT_TRUE(tools) << probe->LastError();
    ASSERT_EQ(tools->size(), 1u);
    const ProbeTool& tool = tools->front();
    EXPECT_TRUE(tool.textIsCallback);
    EXPECT_EQ(tool.text, "");
    EXPECT_EQ(tool.flags, static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(tool.hwnd, target.Dialog());
    EXPECT_EQ(tool.id, reinterpret_cast<UINT_PTR>(label));

    auto none = probe->Tools(target.Item(IDCANCEL));
    ASSERT_TRUE(none) << probe->LastError();
    EXPECT_TRUE(none->empty());
}

TEST_F(ProbeTooltips, VisibilityFollowsTheTooltipWindow)
{
    std::vector<ProbeTool> tools;
    const ProbeTool* tool = ButtonTool(tools, "Save");
    ASSERT_TRUE(tool) << probe->LastError();
    const HWND tooltip = tool->tooltip;

    ShowWindow(tooltip, SW_SHOWNOACTIVATE);
    tool = ButtonTool(tools, "Save");
    ASSERT_TRUE(tool) << probe->LastError();
    EXPECT_TRUE(tool->tooltipVisible);

    ShowWindow(tooltip, SW_HIDE);
    tool = ButtonTool(tools, "Save");
    ASSERT_TRUE(tool) << probe->LastError();
    EXPECT_FALSE(tool->tooltipVisible);
}

TEST_F(ProbeTooltips, MessagesSentInProcessAnswerWithTheirResults)
{
    std::vector<ProbeTool> tools;
    const ProbeTool* tool = ButtonTool(tools, "Save");
    ASSERT_TRUE(tool) << probe->LastError();
    const HWND tooltip = tool->tooltip;
    EXPECT_EQ(probe->Send(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), TARGET_INITIAL_DELAY);
    EXPECT_EQ(probe->Send(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), TARGET_AUTOPOP_DELAY);
    EXPECT_EQ(probe->Send(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), TARGET_MAX_TIP_WIDTH);
    EXPECT_EQ(probe->Send(tooltip, TTM_GETTOOLCOUNT, 0, 0), 3);

    std::vector<unsigned char> text(64, 0xFF);
    auto length = probe->SendWithBuffer(target.Dialog(), WM_GETTEXT, text.size(), text);
    ASSERT_TRUE(length) << probe->LastError();
    ASSERT_EQ(*length, 12);
    EXPECT_EQ(std::string(text.begin(), text.begin() + 13), std::string("Probe Target", 13));

    std::vector<unsigned char> tooLarge(probe::kBufferBytes + 1);
    EXPECT_FALSE(probe->SendWithBuffer(target.Dialog(), WM_GETTEXT, tooLarge.size(), tooLarge));
    EXPECT_FALSE(probe->LastError().empty());
}

}  // namespace
