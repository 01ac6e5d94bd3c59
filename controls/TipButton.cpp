#include "controls/TipButton.h"

#include "framework/Dpi.h"

namespace {
constexpr UINT_PTR kToolId = 1;
constexpr int kMaxTipWidth = 400;  // pixels at 96 dpi; long tips wrap onto several lines
}  // namespace

void CTipButton::EnsureTipWindow()
{
    if (m_toolTip.m_hWnd)
        return;
    if (!m_toolTip.Create(this, m_dwToolTipStyle))
        return;
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(ScaleForDpi(kMaxTipWidth, SystemDpi()));
}

void CTipButton::SetTipText(const char* text, BOOL activate)
{
    if (!text)
        return;
    EnsureTipWindow();
    if (!m_toolTip.m_hWnd)
        return;
    if (m_toolTip.GetToolCount() == 0) {
        RECT client;
        GetClientRect(&client);
        m_toolTip.AddTool(m_hWnd, text, client, kToolId);
    }
    m_toolTip.UpdateTipText(text, m_hWnd, kToolId);
    m_toolTip.Activate(activate);
}

BOOL CTipButton::PreTranslateMessage(MSG* msg)
{
    EnsureTipWindow();
    if (m_toolTip.m_hWnd)
        m_toolTip.RelayEvent(msg);
    // The second click of a double click is an ordinary press: a push
    // button sends a second click, a push-like check box toggles again.
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
}
