// The probe's menu and tooltip queries, turned from the shared records into
// values the tests compare.
#include "tests/e2e/Probe.h"

#include <cstring>
#include <memory>

namespace {

constexpr DWORD kPollIntervalMs = 20;

std::string TextOf(const char (&text)[probe::kTextBytes])
{
    return std::string(text, strnlen(text, sizeof text));
}

ProbeMenuItem ToItem(const probe::MenuItemRecord& record)
{
    ProbeMenuItem item;
    item.id = record.id;
    item.text = TextOf(record.text);
    item.checked = (record.state & MF_CHECKED) != 0;
    item.grayed = (record.state & MF_GRAYED) != 0;
    item.disabled = (record.state & MF_DISABLED) != 0;
    item.highlighted = (record.state & MF_HILITE) != 0;
    item.separator = (record.type & MFT_SEPARATOR) != 0;
    item.hasSubMenu = record.hasSubMenu != FALSE;
    item.isDefault = (record.fullState & MFS_DEFAULT) != 0;
    return item;
}

bool ToMenu(const probe::MenuRecord& record, ProbeMenu& menu, std::string& error)
{
    if (record.itemCount > record.itemsStored || record.itemsStored > probe::kMaxMenuItems) {
        error = "the menu has " + std::to_string(record.itemCount) + " items; the probe carries " +
                std::to_string(probe::kMaxMenuItems);
        return false;
    }
    menu.window = probe::FromWire<HWND>(record.window);
    menu.rect = record.windowRect;
    for (std::uint32_t i = 0; i < record.itemsStored; ++i)
        menu.items.push_back(ToItem(record.items[i]));
    return true;
}

ProbeTool ToTool(const probe::ToolRecord& record)
{
    ProbeTool tool;
    tool.tooltip = probe::FromWire<HWND>(record.tooltip);
    tool.tooltipVisible = record.tooltipVisible != FALSE;
    tool.flags = record.flags;
    tool.hwnd = probe::FromWire<HWND>(record.hwnd);
    tool.id = probe::FromWire<UINT_PTR>(record.id);
    tool.rect = record.rect;
    tool.textIsCallback = record.textIsCallback != FALSE;
    tool.text = TextOf(record.text);
    return tool;
}

probe::Request QueryFor(probe::Query query, HWND window)
{
    probe::Request request{};
    request.query = query;
    request.window = probe::ToWire(window);
    return request;
}

}  // namespace

std::optional<std::vector<ProbeMenu>> CProbe::OpenMenus(HWND threadWindow)
{
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(QueryFor(probe::Query::OpenMenus, threadWindow), *reply))
        return std::nullopt;
    if (reply->menuCount > probe::kMaxMenus) {
        m_lastError = "more open menus than the probe carries";
        return std::nullopt;
    }
    std::vector<ProbeMenu> menus(reply->menuCount);
    for (std::uint32_t i = 0; i < reply->menuCount; ++i)
        if (!ToMenu(reply->menus[i], menus[i], m_lastError))
            return std::nullopt;
    return menus;
}

std::optional<std::vector<ProbeMenu>> CProbe::WaitForOpenMenus(HWND threadWindow, size_t count,
                                                               DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        auto menus = OpenMenus(threadWindow);
        if (!menus || menus->size() == count)
            return menus;
        if (GetTickCount64() >= deadline) {
            m_lastError = "expected " + std::to_string(count) + " open menus, saw " +
                          std::to_string(menus->size());
            return std::nullopt;
        }
        Sleep(kPollIntervalMs);
    }
}

std::optional<ProbeMenu> CProbe::SystemMenu(HWND window)
{
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(QueryFor(probe::Query::SystemMenu, window), *reply))
        return std::nullopt;
    ProbeMenu menu;
    if (reply->menuCount != 1 || !ToMenu(reply->menus[0], menu, m_lastError)) {
        if (m_lastError.empty())
            m_lastError = "the probe sent no system menu";
        return std::nullopt;
    }
    return menu;
}

std::optional<std::vector<ProbeTool>> CProbe::Tools(HWND control)
{
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(QueryFor(probe::Query::Tools, control), *reply))
        return std::nullopt;
    if (reply->toolCount > reply->toolsStored || reply->toolsStored > probe::kMaxTools) {
        m_lastError = "the control has " + std::to_string(reply->toolCount) +
                      " tools; the probe carries " + std::to_string(probe::kMaxTools);
        return std::nullopt;
    }
    std::vector<ProbeTool> tools;
    for (std::uint32_t i = 0; i < reply->toolsStored; ++i)
        tools.push_back(ToTool(reply->tools[i]));
    return tools;
}
