// CToolTipCtrl: a tooltip window and the tools registered with it.
#pragma once
#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override { DestroyWindow(); }

    // A pop-up tooltip window owned by owner's top-level window.
    BOOL Create(CWnd* owner, DWORD style = 0);

    void Activate(BOOL active) { SendMessage(TTM_ACTIVATE, active); }
    int SetMaxTipWidth(int width)
    {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
    }
    void SetDelayTime(DWORD which, int ms)
    {
        SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(ms, 0));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Pop() { SendMessage(TTM_POP); }

    // A tool over rect of window, known by id.
    BOOL AddTool(HWND window, const char* text, const RECT& rect, UINT_PTR id);
    // A tool over the whole of tool, which messages from parent describe.
    BOOL AddWindowTool(HWND parent, HWND tool, const char* text);
    void UpdateTipText(const char* text, HWND window, UINT_PTR id, UINT flags = 0);
};
