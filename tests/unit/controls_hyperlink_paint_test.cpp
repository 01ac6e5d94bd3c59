// How the hyperlink looks: its size after painting, its colours in each
// state, and captions that are empty or end in line breaks.
#include "tests/support/ImportPatch.h"
#include "tests/unit/controls_hyperlink.h"

using namespace controls_test;

namespace {

const char kCaption[] = "Click here to download uTorrent";

// The underline row of a one-line caption drawn at the top of the control.
int UnderlineRow(const SIZE& extent)
{
    return static_cast<int>(extent.cy);
}

class ControlsHyperLinkPaint : public ControlsHyperLinkTest {
protected:
    // The look of the painted link: caption pixels in colour, underline
    // from x = 1 to W in underline, background all around.
    void ExpectLook(COLORREF caption, COLORREF underline, const char* state)
    {
        const SIZE extent = CaptionExtent(kCaption);
        const int w = static_cast<int>(extent.cx);
        const int h = static_cast<int>(extent.cy);
        const CWindowShot shot = Shot();
        ASSERT_EQ(w + 6, shot.Width()) << state;
        ASSERT_EQ(h + 3, shot.Height()) << state;
        EXPECT_GT(shot.Count(caption, {0, 0, w + 6, h}), 10) << state;
        for (COLORREF other : {kNormalColour, kHoverColour, kPressedColour}) {
            if (other != caption && other != underline) {
                EXPECT_EQ(0, shot.Count(other, {0, 0, w + 6, h + 3})) << state;
            }
        }
        const int row = UnderlineRow(extent);
        EXPECT_EQ(underline, shot.At(1, row)) << state;
        EXPECT_EQ(underline, shot.At(w / 2, row)) << state;
        EXPECT_EQ(underline, shot.At(w, row)) << state;
        EXPECT_EQ(kLinkBack, shot.At(0, row)) << state;
        EXPECT_EQ(kLinkBack, shot.At(w + 1, row)) << state;
        // The column left of the text, the rows below the underline.
        EXPECT_EQ(h + 3, shot.Count(kLinkBack, {0, 0, 1, h + 3})) << state;
        EXPECT_EQ(2 * (w + 6), shot.Count(kLinkBack, {0, h + 1, w + 6, h + 3})) << state;
    }
};

// The system as it answers with high contrast on; every other question goes
// to the system itself (the patch changes import tables, not the export).
BOOL WINAPI HighContrastIsOn(UINT action, UINT size, void* value, UINT flags)
{
    if (action == SPI_GETHIGHCONTRAST && value) {
        static_cast<HIGHCONTRASTA*>(value)->dwFlags = HCF_HIGHCONTRASTON;
        return TRUE;
    }
    using Query = BOOL(WINAPI*)(UINT, UINT, void*, UINT);
    const auto system = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "SystemParametersInfoA")));
    return system(action, size, value, flags);
}

class ControlsHyperLinkSize : public ControlsHyperLinkTest,
                              public ::testing::WithParamInterface<SIZE> {};

}  // namespace

TEST_P(ControlsHyperLinkSize, FirstPaintFitsTheControlToItsCaptionAtItsPlace)
{
    Attach(kCaption, GetParam().cx, GetParam().cy);
    Paint();
    const SIZE extent = CaptionExtent(kCaption);
    const RECT rect = WindowInHost();
    EXPECT_EQ(kLinkX, rect.left);
    EXPECT_EQ(kLinkY, rect.top);
    EXPECT_EQ(extent.cx + 6, rect.right - rect.left);
    EXPECT_EQ(extent.cy + 3, rect.bottom - rect.top);
}

// As the error dialog's template makes it, larger and smaller.
INSTANTIATE_TEST_SUITE_P(ControlsTemplateSizes, ControlsHyperLinkSize,
                         ::testing::Values(SIZE{153, 13}, SIZE{300, 40}, SIZE{20, 5}));

TEST_F(ControlsHyperLinkPaint, GrowingOnItsFirstPaintStillShowsTheWholeLink)
{
    Attach(kCaption, 40, 13);
    PaintOnce();
    // The part the control has grown by is due for the paint that follows.
    EXPECT_TRUE(::GetUpdateRect(m_hControl, nullptr, FALSE));
    ::UpdateWindow(m_hControl);
    ExpectLook(kNormalColour, kLinkBack, "normal after growing");
    // That paint finds the size unchanged and asks for no other.
    EXPECT_FALSE(::GetUpdateRect(m_hControl, nullptr, FALSE));
}

TEST_F(ControlsHyperLinkPaint, ColoursFollowTheMouse)
{
    Attach(kCaption);
    Paint();
    ExpectLook(kNormalColour, kLinkBack, "normal");

    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Paint();
    ExpectLook(kHoverColour, kHoverColour, "hovered");

    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Paint();
    ExpectLook(kPressedColour, kPressedColour, "pressed");

    // Released away from the link: back to normal, nothing reported.
    ASSERT_TRUE(CursorAwayFromLink());
    Send(WM_LBUTTONUP, 0, MAKELPARAM(300, 80));
    Paint();
    ExpectLook(kNormalColour, kLinkBack, "released elsewhere");
    EXPECT_EQ(0, Clicks());
}

TEST_F(ControlsHyperLinkPaint, EnteringWithTheButtonHeldShowsThePressedColour)
{
    Attach(kCaption);
    Paint();
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    Paint();
    ExpectLook(kPressedColour, kPressedColour, "entered pressed");
}

TEST_F(ControlsHyperLinkPaint, DisabledShowsTheShadowColourWithoutUnderlineInEveryState)
{
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    Attach(kCaption);
    Paint();
    ::ValidateRect(m_hControl, nullptr);
    ::EnableWindow(m_hControl, FALSE);
    // The change waits for the next paint.
    EXPECT_FALSE(::GetUpdateRect(m_hControl, nullptr, FALSE));
    Paint();
    ExpectLook(shadow, kLinkBack, "disabled");

    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Paint();
    ExpectLook(shadow, kLinkBack, "disabled, hovered");

    ::EnableWindow(m_hControl, TRUE);
    Paint();
    ExpectLook(kHoverColour, kHoverColour, "enabled again, hovered");
}

TEST_F(ControlsHyperLinkPaint, AControlDisabledByItsTemplateStartsDisabled)
{
    Attach(kCaption, 153, 13, SS_LEFT | SS_NOTIFY | WS_DISABLED);
    Paint();
    ExpectLook(::GetSysColor(COLOR_BTNSHADOW), kLinkBack, "disabled from the start");
}

TEST_F(ControlsHyperLinkPaint, AnEmptyCaptionDrawsNothing)
{
    Attach("");
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Paint();
    const RECT rect = WindowInHost();
    EXPECT_EQ(6, rect.right - rect.left);
    EXPECT_EQ(CaptionExtent("").cy + 2, rect.bottom - rect.top);
    const CWindowShot shot = Shot();
    EXPECT_EQ(shot.Width() * shot.Height(),
              shot.Count(kLinkBack, {0, 0, shot.Width(), shot.Height()}));
}

TEST_F(ControlsHyperLinkPaint, TrailingLineBreaksAreMeasuredButNotDrawn)
{
    const std::string text = "Click here";
    const std::string caption = text + "\n\n";
    const SIZE whole = CaptionExtent(caption);
    const SIZE drawn = CaptionExtent(text);
    const int w = static_cast<int>(whole.cx);
    const int h = static_cast<int>(whole.cy);

    Attach(caption.c_str());
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    Paint();
    const RECT rect = WindowInHost();
    EXPECT_EQ(w + 6, rect.right - rect.left);
    EXPECT_EQ(h + 3, rect.bottom - rect.top);

    const CWindowShot shot = Shot();
    EXPECT_GT(shot.Count(kHoverColour, {0, 0, static_cast<int>(drawn.cx) + 2, h}), 10);
    // Nothing right of the drawn text but the underline, which spans the
    // measured width of the whole caption.
    const RECT beyond{static_cast<int>(drawn.cx) + 2, 0, w + 6, h};
    EXPECT_EQ((beyond.right - beyond.left) * h, shot.Count(kLinkBack, beyond));
    EXPECT_EQ(kHoverColour, shot.At(w, h));
    EXPECT_EQ(kLinkBack, shot.At(w + 1, h));
}

TEST_F(ControlsHyperLinkPaint, HighContrastDrawsInTheSchemesLinkAndDialogColours)
{
    const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(kNormalColour, link);
    ASSERT_NE(kLinkBack, face);
    Attach(kCaption);
    const CImportPatch patch("user32.dll", "SystemParametersInfoA",
                             reinterpret_cast<const void*>(&HighContrastIsOn));
    ASSERT_TRUE(patch.Applied());
    Paint();
    const CWindowShot shot = Shot();
    const RECT all{0, 0, shot.Width(), shot.Height()};
    EXPECT_GT(shot.Count(link, all), 10);
    EXPECT_EQ(0, shot.Count(kNormalColour, all));
    EXPECT_EQ(0, shot.Count(kLinkBack, all));
    EXPECT_EQ(shot.Height(), shot.Count(face, {0, 0, 1, shot.Height()}));
}
