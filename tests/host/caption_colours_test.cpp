#include "bar/caption_colours.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t const WHITE = 0xFFFFFF, BLACK = 0x000000;
uint32_t const ACCENT = 0xD77800;  // COLORREF of #0078D7, Windows' default blue
uint32_t const DARK_ACCENT = 0x401020;

// Windows 10 with nothing known beyond white captions; classic colours of
// Wine's default theme, which only the classic paths may show.
ColourFacts Windows10()
{
    ColourFacts f{};
    f.windows10OrLater = true;
    f.classicActive = CaptionColours{0xD1B499, 0x000000};
    f.classicInactive = CaptionColours{0xDBCDBF, 0x000000};
    f.accent = ACCENT;
    return f;
}

TEST(ChooseCaptionColours, ClassicCaptionsKeepTheSystemColoursAsTheyAre)
{
    ColourFacts f = Windows10();
    f.screenKnown = true;
    f.screenActive = true;
    f.screen = 0x202020;
    f.colourPrevalence = true;
    f.darkMode = true;
    f.classicActive = CaptionColours{0x6A240A, 0xF0FAFA};  // not what contrast would choose
    f.classicInactive = CaptionColours{0x808080, 0xC8D0D4};
    for (bool active : {true, false}) {
        CaptionColours const classic = active ? f.classicActive : f.classicInactive;
        ColourFacts windows7 = f;
        windows7.windows10OrLater = false;
        ColourFacts highContrast = f;
        highContrast.highContrast = true;
        for (ColourFacts const& facts : {windows7, highContrast}) {
            CaptionColours const chosen = ChooseCaptionColours(facts, active);
            EXPECT_EQ(classic.caption, chosen.caption);
            EXPECT_EQ(classic.text, chosen.text);
        }
    }
}

TEST(ChooseCaptionColours, Windows10TakesTheScreenThenTheAccentThenTheMode)
{
    struct Case {
        char const* name;
        char screenRead;  // the screen read while the caption was 'a'ctive, 'i'nactive, or '-' not
        uint32_t screen;
        bool prevalence;
        uint32_t accent;
        bool dark;
        bool active;
        uint32_t caption, text;
    } const cases[] = {
        {"white by default", '-', 0, false, ACCENT, false, true, WHITE, BLACK},
        {"white when inactive", '-', 0, false, ACCENT, false, false, WHITE, BLACK},
        {"accent when prevalent", '-', 0, true, DARK_ACCENT, false, true, DARK_ACCENT, WHITE},
        {"accent only while active", '-', 0, true, DARK_ACCENT, false, false, WHITE, BLACK},
        {"a light accent: black text", '-', 0, true, 0x80F0FF, true, true, 0x80F0FF, BLACK},
        {"the accent's alpha byte dropped", '-', 0, true, 0xFF000000 | DARK_ACCENT, false, true, DARK_ACCENT,
         WHITE},
        {"dark mode, active", '-', 0, false, ACCENT, true, true, DARK_ACTIVE_CAPTION, WHITE},
        {"dark mode, inactive", '-', 0, true, ACCENT, true, false, DARK_INACTIVE_CAPTION, WHITE},
        {"the screen over everything", 'a', 0x202020, true, ACCENT, false, true, 0x202020, WHITE},
        {"a light screen over dark mode", 'i', 0xF3F3F3, false, ACCENT, true, false, 0xF3F3F3, BLACK},
        {"the active caption read says nothing of the inactive one", 'a', 0x202020, false, ACCENT, false, false, WHITE,
         BLACK},
        {"nor the inactive one of the active one", 'i', 0xF3F3F3, true, DARK_ACCENT, false, true, DARK_ACCENT, WHITE},
    };
    for (Case const& c : cases) {
        ColourFacts f = Windows10();
        f.screenKnown = c.screenRead != '-';
        f.screenActive = c.screenRead == 'a';
        f.screen = c.screen;
        f.colourPrevalence = c.prevalence;
        f.accent = c.accent;
        f.darkMode = c.dark;
        CaptionColours const chosen = ChooseCaptionColours(f, c.active);
        EXPECT_EQ(c.caption, chosen.caption) << c.name;
        EXPECT_EQ(c.text, chosen.text) << c.name;
    }
}

TEST(ContrastRatio, FollowsRelativeLuminance)
{
    EXPECT_NEAR(21.0, ContrastRatio(BLACK, WHITE), 1e-9);
    EXPECT_NEAR(21.0, ContrastRatio(WHITE, BLACK), 1e-9);
    EXPECT_NEAR(1.0, ContrastRatio(0x123456, 0x123456), 1e-9);
    EXPECT_NEAR(4.48, ContrastRatio(0x777777, WHITE), 0.01);
    EXPECT_NEAR(16.29, ContrastRatio(0x202020, WHITE), 0.01);
    // Green weighs most, blue least.
    EXPECT_GT(ContrastRatio(0x00FF00, BLACK), ContrastRatio(0x0000FF, BLACK));
    EXPECT_GT(ContrastRatio(0x0000FF, BLACK), ContrastRatio(0xFF0000, BLACK));
    // Windows' blue is just darker than the middle: black contrasts a little more.
    EXPECT_EQ(BLACK, ContrastingText(ACCENT));
    EXPECT_EQ(WHITE, ContrastingText(0x202020));
    EXPECT_EQ(BLACK, ContrastingText(0x808080));
    EXPECT_GE(ContrastRatio(ContrastingText(0x5A5A5A), 0x5A5A5A), 4.5);
}

TEST(TypicalColour, TheCaptionAmongTitleTextAndGradients)
{
    uint32_t colour = 0;
    std::vector<uint32_t> flat(40, 0x202020);
    for (int i = 0; i < 15; ++i)
        flat[static_cast<size_t>(i * 2)] = WHITE;  // title text across part of the row
    ASSERT_TRUE(TypicalColour(flat.data(), 40, &colour));
    EXPECT_EQ(0x202020u, colour);

    std::vector<uint32_t> gradient;
    for (uint32_t i = 0; i < 40; ++i)
        gradient.push_back(0x6A240A + (i / 2) * 0x010100);  // green and blue shade along the row
    ASSERT_TRUE(TypicalColour(gradient.data(), 40, &colour));
    EXPECT_EQ(0x6A240Au + 10 * 0x010100u, colour);

    std::vector<uint32_t> picture;
    for (uint32_t i = 0; i < 40; ++i)
        picture.push_back(i * 0x061503);
    EXPECT_FALSE(TypicalColour(picture.data(), 40, &colour)) << "no caption of one colour";
    std::vector<uint32_t> halves(20, BLACK);
    halves.resize(40, WHITE);
    EXPECT_FALSE(TypicalColour(halves.data(), 40, &colour));

    EXPECT_FALSE(TypicalColour(nullptr, 4, &colour));
    EXPECT_FALSE(TypicalColour(flat.data(), 0, &colour));
    // Past the limit nothing is read: a caption made up by many more samples does not count.
    std::vector<uint32_t> long_(CAPTION_COLOUR_MAX_SAMPLES, WHITE);
    long_.resize(3 * CAPTION_COLOUR_MAX_SAMPLES, BLACK);
    ASSERT_TRUE(TypicalColour(long_.data(), static_cast<int32_t>(long_.size()), &colour));
    EXPECT_EQ(WHITE, colour);
}

}  // namespace
