#include "cbt/caption_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

int32_t const HIT_NOWHERE = 0, HIT_RIGHT = 11;

struct Span {
    int32_t width;
    int32_t answer;
};

// A caption row from its right end (rowRight is exclusive) leftwards, span by
// span, everything beyond the spans free caption; sampled every `step`
// columns from the rightmost one, as the library probes it.
std::vector<HitSample> Sample(int32_t rowRight, std::vector<Span> const& spans, int32_t step, int32_t width = 300)
{
    std::vector<HitSample> samples;
    for (int32_t x = rowRight - 1; x >= rowRight - width; x -= step) {
        int32_t answer = HIT_CAPTION, edge = rowRight;
        for (Span const& span : spans) {
            edge -= span.width;
            if (x >= edge) {
                answer = span.answer;
                break;
            }
        }
        samples.push_back(HitSample{x, answer});
    }
    return samples;
}

CaptionRowReading Read(std::vector<HitSample> const& samples, int32_t joinGap = 8)
{
    return ReadCaptionRow(samples.data(), static_cast<int32_t>(samples.size()), joinGap);
}

// The test carrier's row: a border column, close, maximise, minimise and help
// of 46 pixels, a 40-pixel client button (tab search), free caption.
std::vector<Span> const BROWSER = {
    {1, HIT_RIGHT}, {46, HIT_CLOSE}, {46, HIT_MAX_BUTTON}, {46, HIT_MIN_BUTTON}, {46, HIT_HELP}, {40, HIT_CLIENT}};

TEST(ReadCaptionRow, EndsLeftOfTheButtonsAndTheClientRunBesideThem)
{
    struct Case {
        char const* name;
        std::vector<Span> spans;
        int32_t blocked;  // columns blocked from the row's right end
        bool buttons;
    } const cases[] = {
        {"buttons and a client run", BROWSER, 1 + 4 * 46 + 40, true},
        {"buttons only", {{46, HIT_CLOSE}, {46, HIT_MAX_BUTTON}, {46, HIT_MIN_BUTTON}}, 3 * 46, true},
        {"a client run only", {{2, HIT_RIGHT}, {90, HIT_CLIENT}}, 92, false},
        {"no border, no buttons", {}, 0, false},
        {"a caption sliver before the buttons", {{3, HIT_CAPTION}, {46, HIT_CLOSE}}, 49, true},
        {"a gap between two buttons", {{46, HIT_CLOSE}, {4, HIT_CAPTION}, {46, HIT_MIN_BUTTON}}, 96, true},
        {"an odd answer between two buttons", {{46, HIT_CLOSE}, {5, HIT_NOWHERE}, {46, HIT_MAX_BUTTON}}, 97, true},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t const edge = 1000 - c.blocked;
        CaptionRowReading const exact = Read(Sample(1000, c.spans, 1));
        EXPECT_EQ(c.buttons, exact.buttonsFound);
        EXPECT_TRUE(exact.answersCaption);
        EXPECT_EQ(edge, exact.barRight);
        // Coarse steps never put the bar over what blocks, and miss its edge by less than a step.
        for (int32_t step : {3, 8, 13}) {
            SCOPED_TRACE(step);
            CaptionRowReading const coarse = Read(Sample(1000, c.spans, step), 2 * step + 8);
            EXPECT_TRUE(coarse.answersCaption);
            EXPECT_LE(coarse.barRight, edge);
            EXPECT_GT(coarse.barRight, edge - step);
            EXPECT_GE(coarse.blockedLeft, edge);
            EXPECT_LT(coarse.blockedLeft, coarse.barRight + step);
        }
    }
}

TEST(ReadCaptionRow, NothingFoundOrNoFreeCaption)
{
    CaptionRowReading r = Read(Sample(1000, {{600, HIT_CLIENT}}, 8));  // a window that answers client everywhere
    EXPECT_FALSE(r.buttonsFound);
    EXPECT_FALSE(r.answersCaption);

    r = Read(Sample(1000, {{600, HIT_NOWHERE}}, 8));
    EXPECT_FALSE(r.buttonsFound);
    EXPECT_FALSE(r.answersCaption);

    // Buttons, then client as far as the probe went: found, but nothing to end the bar at.
    r = Read(Sample(1000, {{46, HIT_CLOSE}, {600, HIT_CLIENT}}, 8));
    EXPECT_TRUE(r.buttonsFound);
    EXPECT_FALSE(r.answersCaption);

    r = ReadCaptionRow(nullptr, 5, 8);
    EXPECT_FALSE(r.buttonsFound || r.answersCaption);
    HitSample const one{10, HIT_CLOSE};
    r = ReadCaptionRow(&one, 0, 8);
    EXPECT_FALSE(r.buttonsFound || r.answersCaption);
    r = ReadCaptionRow(&one, -3, 8);
    EXPECT_FALSE(r.buttonsFound || r.answersCaption);
}

TEST(ReadCaptionRow, GapsWiderThanTheJoinEndTheButtons)
{
    std::vector<HitSample> const row = Sample(1000, {{46, HIT_CLOSE}, {20, HIT_CAPTION}, {46, HIT_MIN_BUTTON}}, 1);
    EXPECT_EQ(954, Read(row, 8).barRight);
    EXPECT_EQ(888, Read(row, 21).barRight);
    EXPECT_EQ(954, Read(row, -1).barRight);
}

TEST(ReadCaptionRow, OrderOfSamplesDoesNotMatterAndExtraSamplesAreNotRead)
{
    std::vector<HitSample> row = Sample(1000, BROWSER, 8);
    CaptionRowReading const sorted = Read(row);
    std::reverse(row.begin(), row.end());
    std::rotate(row.begin(), row.begin() + 17, row.end());
    CaptionRowReading const shuffled = Read(row);
    EXPECT_EQ(sorted.barRight, shuffled.barRight);
    EXPECT_EQ(sorted.blockedLeft, shuffled.blockedLeft);
    EXPECT_EQ(sorted.buttonsFound, shuffled.buttonsFound);

    // Past the limit: the caption 200 samples further left is never seen.
    std::vector<HitSample> many = Sample(1000, {{CAPTION_ROW_MAX_SAMPLES, HIT_CLOSE}}, 1, CAPTION_ROW_MAX_SAMPLES);
    many.push_back(HitSample{600, HIT_CAPTION});
    CaptionRowReading const r = Read(many);
    EXPECT_TRUE(r.buttonsFound);
    EXPECT_FALSE(r.answersCaption);
}

}  // namespace
