// CTipButton: a standard push button with a tooltip of its own, on which a
// double click acts as a second press.
#pragma once
#include "framework/Controls.h"
#include "framework/ToolTipCtrl.h"

class CTipButton : public CButton {
public:
    CTipButton() = default;

    // Registers text as the button's one tip (replacing an earlier text) and
    // activates or deactivates the tooltip. A null text does nothing.
    void SetTipText(const char* text, BOOL activate);
    // Creates the tooltip window, inactive, if it does not exist yet.
    void EnsureTipWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

private:
    CToolTipCtrl m_toolTip;
    DWORD m_dwToolTipStyle = 0;  // 0: a plain rectangular tooltip
};
