#include "cbt/caption_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

Rect const SCREEN{0, 0, 1024, 700};
int32_t const CAP = 19;

// A captioned window as the system reports it: frame, title bar one caption
// high inside a 4-pixel border, buttons of 18 pixels at the right end.
CarrierWindow Captioned(Rect frame, bool withRects = true)
{
    CarrierWindow w{};
    w.frame = frame;
    w.monitor = SCREEN;
    w.hasCaption = true;
    w.titleBar = Rect{frame.left + 4, frame.top + 4, frame.right - 4, frame.top + 4 + CAP};
    w.buttons.buttonWidth = 18;
    int32_t const right = w.titleBar.right;
    // minimise, maximise, help (hidden), close
    Rect const rects[4] = {{right - 54, w.titleBar.top + 2, right - 36, w.titleBar.bottom - 2},
                           {right - 36, w.titleBar.top + 2, right - 18, w.titleBar.bottom - 2},
                           {0, 0, 0, 0},
                           {right - 18, w.titleBar.top + 2, right, w.titleBar.bottom - 2}};
    bool const visible[4] = {true, true, false, true};
    for (int i = 0; i < 4; ++i) {
        w.buttons.rects[i] = withRects ? rects[i] : Rect{0, 0, 0, 0};
        w.buttons.visible[i] = visible[i];
    }
    return w;
}

BarShape Shape(int32_t width = 75, bool ignoreSelfDrawn = true)
{
    return BarShape{width, CAP - 8, CAP, ignoreSelfDrawn};
}

// What a self-drawn caption answered: buttons, and free caption from x left.
CaptionRowReading Answered(int32_t barRight, bool buttons = true, bool caption = true)
{
    return CaptionRowReading{buttons, caption, barRight, barRight + 1};
}

TEST(CaptionButtonsLeft, ReportedRectanglesWinOverTheEstimate)
{
    CarrierWindow const w = Captioned({100, 100, 500, 400});
    EXPECT_EQ(496 - 54, CaptionButtonsLeft(w.titleBar, w.buttons));

    // A hidden button's rectangle does not count, wherever it lies.
    CarrierWindow odd = w;
    odd.buttons.rects[2] = Rect{200, 104, 218, 120};
    EXPECT_EQ(496 - 54, CaptionButtonsLeft(odd.titleBar, odd.buttons));
}

TEST(CaptionButtonsLeft, EstimatedFromVisibleButtonsWhenNoRectangles)
{
    CarrierWindow w = Captioned({100, 100, 500, 400}, false);
    EXPECT_EQ(496 - 3 * 18, CaptionButtonsLeft(w.titleBar, w.buttons));
    w.buttons.visible[0] = w.buttons.visible[1] = false;  // a dialog: close only
    EXPECT_EQ(496 - 18, CaptionButtonsLeft(w.titleBar, w.buttons));
    w.buttons.visible[3] = false;
    EXPECT_EQ(496, CaptionButtonsLeft(w.titleBar, w.buttons));
    // More buttons than caption: never left of the caption.
    w.buttons.visible[0] = w.buttons.visible[1] = w.buttons.visible[3] = true;
    w.buttons.buttonWidth = INT_MAX;
    EXPECT_EQ(104, CaptionButtonsLeft(w.titleBar, w.buttons));
}

TEST(PlaceBarOnCaption, RightEndLeftOfTheButtonsVerticallyCentred)
{
    struct Case {
        Rect frame;
        bool withRects;
    };
    Case const cases[] = {{{100, 100, 500, 400}, true}, {{100, 100, 500, 400}, false}, {{-300, -5, 200, 300}, true}};
    for (Case const& c : cases) {
        CarrierWindow const w = Captioned(c.frame, c.withRects);
        Rect bar{};
        ASSERT_TRUE(PlaceBarOnCaption(w, Shape(), &bar));
        int32_t const buttons = CaptionButtonsLeft(w.titleBar, w.buttons);
        EXPECT_EQ(buttons - BAR_BUTTON_GAP, bar.right);
        EXPECT_EQ(75, bar.right - bar.left);
        EXPECT_EQ(CAP - 8, bar.bottom - bar.top);
        // Equal room above and below, to a pixel.
        int32_t const above = bar.top - w.titleBar.top;
        int32_t const below = w.titleBar.bottom - bar.bottom;
        EXPECT_GE(above, 0);
        EXPECT_LE(below - above, 1);
        EXPECT_GE(below - above, 0);
    }
}

// A captioned window's answers win over the reported buttons (a button of
// its own left of them); they are kept within the title bar; without
// buttons answered, or answered within half a button of the report, the
// report stands.
TEST(PlaceBarOnCaption, CaptionedWindowsAnswersWinOverTheReport)
{
    CarrierWindow w = Captioned({100, 100, 500, 400});
    Rect bar{};
    w.row = Answered(496 - 54 - 30);
    ASSERT_TRUE(PlaceBarOnCaption(w, Shape(), &bar));
    EXPECT_EQ(496 - 54 - 30 - BAR_BUTTON_GAP, bar.right);
    w.row = Answered(700);
    EXPECT_EQ(496, CaptionButtonsLeft(w));
    w.row = Answered(50);
    EXPECT_EQ(104, CaptionButtonsLeft(w));
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(), &bar));
    w.row = Answered(400, false, true);  // caption to the edge: the window answers no buttons
    EXPECT_EQ(496 - 54, CaptionButtonsLeft(w));
    // Hit areas a few pixels wider than the buttons drawn: the report stands.
    w.row = Answered(496 - 54 - 9);
    EXPECT_EQ(496 - 54, CaptionButtonsLeft(w));
    w.row = Answered(496 - 54 - 10);
    EXPECT_EQ(496 - 54 - 10, CaptionButtonsLeft(w));
}

// A window that would not say where its buttons are (its hit test and its
// report refused): DWM's bounds where DWM told them; on a DWM caption
// nothing else, never SM_CXSIZE-wide buttons; on a classic one their count.
TEST(PlaceBarOnCaption, UntoldButtonsComeFromDwmOrNowhere)
{
    Rect const dwm{496 - 3 * 46, 105, 496, 104 + CAP};
    struct Case {
        char const* name;
        bool dwmCaption, dwmTold;
        bool carries;
        int32_t barRight;
    } const cases[] = {
        {"DWM's buttons on Windows 10", true, true, true, 496 - 3 * 46 - BAR_BUTTON_GAP},
        {"DWM's buttons on a classic caption too", false, true, true, 496 - 3 * 46 - BAR_BUTTON_GAP},
        {"nothing told on Windows 10: no guess", true, false, false, 0},
        {"nothing told on a classic caption: the count", false, false, true, 496 - 3 * 18 - BAR_BUTTON_GAP},
    };
    for (Case const& c : cases) {
        CarrierWindow w = Captioned({100, 100, 500, 400}, false);
        w.dwmCaption = c.dwmCaption;
        w.dwmButtons = c.dwmTold ? dwm : Rect{0, 0, 0, 0};
        EXPECT_EQ(c.carries, CaptionButtonsKnown(w)) << c.name;
        Rect bar{1, 2, 3, 4};
        EXPECT_EQ(c.carries, PlaceBarOnCaption(w, Shape(), &bar)) << c.name;
        EXPECT_EQ(c.carries ? c.barRight : 3, bar.right) << c.name;
    }
    // What the window itself reports stands over DWM's.
    CarrierWindow told = Captioned({100, 100, 500, 400});
    told.dwmCaption = true;
    told.dwmButtons = dwm;
    EXPECT_EQ(496 - 54, CaptionButtonsLeft(told));
}

TEST(PlaceBarOnCaption, NarrowCaptionRefusedAndBarUntouched)
{
    // Caption 140 - 8 wide minus 54 of buttons leaves 78: 75 + gap 2 fits, 77 does not.
    CarrierWindow const w = Captioned({0, 0, 140, 200});
    Rect bar{1, 2, 3, 4};
    EXPECT_TRUE(PlaceBarOnCaption(w, Shape(76), &bar));
    EXPECT_EQ(w.titleBar.left, bar.left);
    bar = Rect{1, 2, 3, 4};
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(77), &bar));
    EXPECT_EQ(1, bar.left);
    EXPECT_EQ(4, bar.bottom);
}

TEST(PlaceBarOnCaption, FullScreenRefusedMaximisedCarries)
{
    Rect bar{};
    // Borderless over the whole monitor.
    CarrierWindow full{};
    full.frame = SCREEN;
    full.monitor = SCREEN;
    EXPECT_TRUE(IsFullScreen(full));
    EXPECT_FALSE(PlaceBarOnCaption(full, Shape(75, false), &bar));
    // The same with a caption of its own answered at its top (a browser
    // maximised over a hidden taskbar): it carries.
    CarrierWindow browser = full;
    browser.row = Answered(1024 - 4 * 46 - 40);
    EXPECT_FALSE(IsFullScreen(browser));
    EXPECT_TRUE(PlaceBarOnCaption(browser, Shape(75, false), &bar));

    // Captioned, but the caption pushed above the monitor.
    CarrierWindow pushed = Captioned({-4, -27, 1028, 704});
    EXPECT_TRUE(IsFullScreen(pushed));
    EXPECT_FALSE(PlaceBarOnCaption(pushed, Shape(), &bar));

    // Maximised: frame beyond the monitor, caption on it.
    CarrierWindow maximised = Captioned({-4, -4, 1028, 704});
    EXPECT_FALSE(IsFullScreen(maximised));
    EXPECT_TRUE(PlaceBarOnCaption(maximised, Shape(), &bar));
    EXPECT_GE(bar.top, 0);  // on the monitor, not above it

    // One pixel short of the monitor is an ordinary window.
    CarrierWindow almost{};
    almost.frame = Rect{0, 0, 1024, 699};
    almost.monitor = SCREEN;
    EXPECT_FALSE(IsFullScreen(almost));
}

TEST(PlaceBarOnCaption, SelfDrawnCaptionFollowsIgnoreDUIAndItsAnswers)
{
    CarrierWindow w{};
    w.frame = Rect{200, 150, 600, 450};
    w.monitor = SCREEN;
    w.hasCaption = false;
    w.buttons.buttonWidth = 18;
    w.row = Answered(600 - 3 * 46 - 40);
    Rect bar{};
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(75, true), &bar));

    ASSERT_TRUE(PlaceBarOnCaption(w, Shape(75, false), &bar));
    EXPECT_EQ(w.row.barRight - BAR_BUTTON_GAP, bar.right) << "left of what the window answered, not of SM_CXSIZE";
    EXPECT_EQ(150 + (CAP - (CAP - 8)) / 2, bar.top);

    // No caption where it would go, or no buttons beside it: not a caption.
    for (CaptionRowReading const& row : {Answered(470, false, true), Answered(470, true, false), CaptionRowReading{}}) {
        CarrierWindow unanswered = w;
        unanswered.row = row;
        EXPECT_FALSE(PlaceBarOnCaption(unanswered, Shape(75, false), &bar))
            << row.buttonsFound << row.answersCaption;
    }
    // Free caption too narrow for the bar.
    CarrierWindow crowded = w;
    crowded.row = Answered(200 + 60);
    EXPECT_FALSE(PlaceBarOnCaption(crowded, Shape(75, false), &bar));

    // Lower than the record's caption: nowhere to put it.
    w.frame.bottom = w.frame.top + CAP - 1;
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(75, false), &bar));
    w.frame.bottom = 450;
    BarShape noCaption = Shape(75, false);
    noCaption.captionHeight = 0;
    EXPECT_FALSE(PlaceBarOnCaption(w, noCaption, &bar));
}

TEST(PlaceBarOnCaption, NonsenseRefusedWithoutOverflow)
{
    Rect bar{};
    CarrierWindow const w = Captioned({100, 100, 500, 400});
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(0), &bar));
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(-5), &bar));
    EXPECT_FALSE(PlaceBarOnCaption(w, Shape(INT_MAX), &bar));
    BarShape tall = Shape();
    tall.height = CAP + 1;
    EXPECT_FALSE(PlaceBarOnCaption(w, tall, &bar));

    CarrierWindow empty = w;
    empty.frame = Rect{300, 300, 300, 500};
    EXPECT_FALSE(PlaceBarOnCaption(empty, Shape(), &bar));
    CarrierWindow noTitle = w;
    noTitle.titleBar = Rect{0, 0, 0, 0};
    EXPECT_FALSE(PlaceBarOnCaption(noTitle, Shape(), &bar));

    // Extreme coordinates: the arithmetic must not wrap into a placement.
    CarrierWindow edge = Captioned({INT_MIN, INT_MIN, INT_MIN + 60, INT_MIN + 60});
    edge.monitor = Rect{0, 0, 0, 0};
    EXPECT_FALSE(PlaceBarOnCaption(edge, Shape(), &bar));
    CarrierWindow self{};
    self.frame = Rect{INT_MAX - 100, INT_MIN, INT_MAX, INT_MIN + 5};
    self.buttons.buttonWidth = INT_MAX;
    EXPECT_FALSE(PlaceBarOnCaption(self, Shape(75, false), &bar));
}

}  // namespace
