// Tooltip tools of this process that belong to one control.
#include "ProbeQueries.h"

#include <commctrl.h>

#include <cstring>

namespace {

// Tool indices beyond this are not looked at; no tooltip here holds so many.
constexpr LRESULT kMaxToolsPerTooltip = 256;

struct ToolSearch {
    HWND control;
    probe::Reply* reply;
};

bool IsTooltipOfThisProcess(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[32] = {};
    return processId == GetCurrentProcessId() &&
           GetClassNameA(window, className, sizeof className) > 0 &&
           lstrcmpiA(className, TOOLTIPS_CLASSA) == 0;
}

void StoreTool(HWND tooltip, const TTTOOLINFOA& info, probe::ToolRecord& tool)
{
    tool = {};
    tool.tooltip = probe::ToWire(tooltip);
    tool.tooltipVisible = IsWindowVisible(tooltip);
    tool.flags = info.uFlags;
    tool.hwnd = probe::ToWire(info.hwnd);
    tool.id = probe::ToWire(info.uId);
    tool.rect = info.rect;
    if (info.lpszText == LPSTR_TEXTCALLBACKA) {
        tool.textIsCallback = TRUE;
        return;
    }
    // Neither message takes the buffer's size from the A caller everywhere;
    // a tip is at most INFOTIPSIZE characters.
    char shown[INFOTIPSIZE + 1] = {};
    TTTOOLINFOA query{};
    query.cbSize = TTTOOLINFOA_V2_SIZE;
    query.hwnd = info.hwnd;
    query.uId = info.uId;
    query.lpszText = shown;
    SendMessageA(tooltip, TTM_GETTEXTA, INFOTIPSIZE, reinterpret_cast<LPARAM>(&query));
    shown[INFOTIPSIZE] = '\0';
    lstrcpynA(tool.text, shown, sizeof tool.text);
}

BOOL CALLBACK CollectTools(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<ToolSearch*>(context);
    if (!IsTooltipOfThisProcess(window))
        return TRUE;
    const LRESULT count = SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT index = 0; index < count && index < kMaxToolsPerTooltip; ++index) {
        char stored[INFOTIPSIZE + 1] = {};
        TTTOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.lpszText = stored;
        if (!SendMessageA(window, TTM_ENUMTOOLSA, index, reinterpret_cast<LPARAM>(&info)))
            continue;
        if (info.hwnd != search.control && info.uId != reinterpret_cast<UINT_PTR>(search.control))
            continue;
        probe::Reply& reply = *search.reply;
        ++reply.toolCount;
        if (reply.toolsStored < probe::kMaxTools)
            StoreTool(window, info, reply.tools[reply.toolsStored++]);
    }
    return TRUE;
}

}  // namespace

namespace probe {

Status ReadTools(HWND control, Reply& reply)
{
    reply.toolCount = 0;
    reply.toolsStored = 0;
    ToolSearch search{control, &reply};
    EnumWindows(CollectTools, reinterpret_cast<LPARAM>(&search));
    return Status::Ok;
}

}  // namespace probe
