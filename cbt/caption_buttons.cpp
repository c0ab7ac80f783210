#include "cbt/caption_buttons.h"

#include <algorithm>

namespace {

bool IsButton(int32_t answer)
{
    return answer == HIT_MIN_BUTTON || answer == HIT_MAX_BUTTON || answer == HIT_CLOSE || answer == HIT_HELP;
}

bool Blocks(int32_t answer)
{
    return IsButton(answer) || answer == HIT_CLIENT;
}

}  // namespace

CaptionRowReading ReadCaptionRow(HitSample const* samples, int32_t count, int32_t joinGap)
{
    CaptionRowReading reading{false, false, 0, 0};
    if (samples == nullptr || count <= 0)
        return reading;
    HitSample row[CAPTION_ROW_MAX_SAMPLES];
    int32_t const n = std::min(count, CAPTION_ROW_MAX_SAMPLES);
    std::copy(samples, samples + n, row);
    std::sort(row, row + n, [](HitSample const& a, HitSample const& b) { return a.x > b.x; });

    int32_t i = 0;
    while (i < n && !Blocks(row[i].answer) && row[i].answer != HIT_CAPTION)
        ++i;
    if (i == n)
        return reading;
    // The left edge of what blocks the caption so far; nothing yet.
    int32_t edge = row[i].x + 1;
    while (i < n) {
        if (row[i].answer != HIT_CAPTION) {
            reading.buttonsFound = reading.buttonsFound || IsButton(row[i].answer);
            edge = row[i].x;
            ++i;
            continue;
        }
        int32_t j = i;
        while (j < n && row[j].answer == HIT_CAPTION)
            ++j;
        if (j < n && Blocks(row[j].answer) && edge - row[j].x <= joinGap) {
            i = j;
            continue;
        }
        reading.answersCaption = true;
        reading.barRight = row[i].x + 1;
        break;
    }
    reading.blockedLeft = edge;
    return reading;
}
