// CHyperLink: a static control of a dialog drawn as a web link. It sizes
// itself to its caption, colours it by the mouse (normal, hovered, pressed),
// shows the hand cursor and a tooltip with its target, and on a click opens
// the target with the shell and then sends its dialog WM_COMMAND with its id.
// It is a tab stop of its dialog: with the focus it shows a focus rectangle,
// and Enter or Space act as a click. While high contrast is on it draws in
// the scheme's colours. Its caption font follows the DPI of its window.
#pragma once
#include <memory>

#include "controls/LinkAccessible.h"
#include "framework/Controls.h"
#include "framework/Dc.h"
#include "framework/ToolTipCtrl.h"

class CHyperLink : public CStatic {
public:
    CHyperLink();
    ~CHyperLink() override;

    // A null url clears the target; the tooltip shows the new target.
    void SetLinkUrl(const char* url);
    // Takes effect at the next paint.
    void SetBackColor(COLORREF colour) { m_crBackground = colour; }
    // Opens the target with the shell: 0, or -1 when there is nothing to open.
    int OpenLink();
    // The window is shown at dpi now: the caption's font is made again for
    // it, and the next paint sizes the control to the caption.
    void SetDpi(int dpi);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    const MessageMap* GetMessageMap() const override;
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override;

private:
    static constexpr UINT_PTR kLeaveTimer = 1001;
    static constexpr UINT kLeaveTimerPeriod = 300;  // ms

    void OnPaint();
    LRESULT OnMouseMove(WPARAM flags, LPARAM point);
    LRESULT OnTimer(WPARAM id, LPARAM);
    void OnMouseLeave();
    void OnLButtonUp();
    void OnLButtonDown();
    void OnLButtonDblClk();
    void OnCaptureChanged() {}
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnGetDlgCode(WPARAM, LPARAM message);
    void OnFocusChange();
    void OnUpdateUIState();
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId);
    LRESULT OnJump(WPARAM, LPARAM);

    // The screen reader's default action, posted by the accessible object.
    static const UINT jumpMessage;

    // The caption font at dpi; the old one stays when none can be made.
    void CreateCaptionFont(int dpi);

    // What a click does: opens the target, then reports to the dialog.
    void Activate();
    // Has the focus, and the system's keyboard cues show focus.
    bool ShowsFocus() const;

    void ShowHandCursor();
    void RestoreCursor();
    // The cursor lies on the control or on its tooltip.
    bool CursorOnLinkOrTip() const;
    struct Palette {
        COLORREF normal, hover, pressed, disabled, background;
    };
    Palette CurrentPalette() const;
    void ChooseColours(const Palette& palette, COLORREF* caption, COLORREF* underline) const;

    std::unique_ptr<char[]> m_pszLinkUrl;
    BOOL m_bUnderlineNormal = FALSE;
    BOOL m_bOpenOnClick = TRUE;
    CFont m_font;
    int m_nDpi = 0;  // the font's
    COLORREF m_crNormal = RGB(0, 0, 255);
    COLORREF m_crHover = RGB(255, 0, 0);
    COLORREF m_crPressed = RGB(200, 0, 225);
    COLORREF m_crBackground;
    HCURSOR m_hSavedCursor = nullptr;
    HCURSOR m_hHandCursor;  // the system's shared cursor, never destroyed
    CToolTipCtrl m_toolTip;
    // Made at a screen reader's first question, let go with the window.
    std::unique_ptr<CLinkAccessible, CLinkAccessibleRelease> m_pAccessible;
    BOOL m_bDisabled = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bResizing = FALSE;
    // Taken at button-down; until then, and again after each button-up, it
    // holds no point, so a release that did not start here opens nothing.
    RECT m_rcPress{};
    bool m_bPressRectSet = false;
};
