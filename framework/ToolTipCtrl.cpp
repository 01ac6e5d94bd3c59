#include "framework/ToolTipCtrl.h"

namespace {

// The record as every version of the common controls accepts it; a larger
// one is refused without a version-6 manifest.
TOOLINFOA MakeToolInfo(HWND window, UINT_PTR id, UINT flags, const char* text)
{
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = window;
    info.uId = id;
    info.hinst = nullptr;
    info.lpszText = const_cast<char*>(text);
    return info;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* owner, DWORD style)
{
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, owner ? owner->m_hWnd : nullptr, nullptr);
}

BOOL CToolTipCtrl::AddTool(HWND window, const char* text, const RECT& rect, UINT_PTR id)
{
    TOOLINFOA info = MakeToolInfo(window, id, 0, text);
    info.rect = rect;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CToolTipCtrl::AddWindowTool(HWND parent, HWND tool, const char* text)
{
    TOOLINFOA info = MakeToolInfo(parent, reinterpret_cast<UINT_PTR>(tool), TTF_IDISHWND, text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(const char* text, HWND window, UINT_PTR id, UINT flags)
{
    TOOLINFOA info = MakeToolInfo(window, id, flags, text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
